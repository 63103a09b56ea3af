#pragma once

#include <QString>

#include <optional>

// Taking the designer's page back into the source by changing only what the designer changed.
namespace korvel {

// The characters the page's file can hold: those of its encoding that its declared charset
// also reads the same.
enum class CharacterRepertoire { Unicode, Windows1252, Ascii };

// The source with the designer's edit spliced in. `baseline` is the engine's serialization of
// the page parsed from `source` before any edit, `pulled` its serialization now. The tokens
// that changed between the two are found, traced back to the source through the baseline,
// and replaced there by the pulled page's tokens; every other character of the source stays
// as it was. The result parses to the pulled page: each splice is checked by tracing the
// pulled page back to it, and a splice that does not pass is widened to the enclosing
// element's serialization, up to the body. Empty when even that fails, or when the source
// cannot be traced at all: the caller then takes the whole serialized page. A pulled page equal
// to the baseline gives the source back unchanged.
//
// Text the designer added is written as the pulled page writes it, with line breaks as the
// source's, and characters the file cannot hold written as the reference the source uses for
// them (else as a numeric reference). Linear in the size of the page for one edit.
std::optional<QString> SplicePulledPage(const QString &source, const QString &baseline, const QString &pulled,
                                        CharacterRepertoire repertoire);

} // namespace korvel
