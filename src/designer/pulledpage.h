#pragma once

#include <QString>

#include <optional>

// The text side of taking the designer's page back into the source view.
namespace korvel {

// The generator meta element every page the designer gives back carries.
inline constexpr char16_t kGeneratorMetaLine[] = u"<META content=Korvel name=GENERATOR>";

// Sets the content of every meta element named "generator" (any letter case, quoted or not) to
// "Korvel"; a page without one gets the generator meta line before its first "</head>" (any
// case), on a line of its own. Comments, scripts and style blocks are left alone.
QString MarkGenerator(const QString &html);

// The page as it goes into the editor and the file: the doctype of the current source text
// (when it has one) and a line break in front of the engine's serialized page, marked by
// MarkGenerator. Empty when the serialized page is blank: there is nothing to take back.
std::optional<QString> PulledPageText(const QString &editorText, const QString &serializedHtml);

// The source text of a frameset page after the pull: a line break (CR LF) after every ">".
QString FramesetSourceText(const QString &text);

} // namespace korvel
