#pragma once

#include "designer/htmlscan.h"

#include <QList>

#include <optional>

// Lines up the tokens of a source text with the tokens of the engine's serialization of the
// page parsed from it, so that a token of the serialization can be found in the source.
namespace korvel {

struct TokenAlignment {
    // For each token of the serialization, its span in the source. A token the source leaves
    // to the parser (an end tag it omits, the tbody of a table, the html, head and body tags)
    // is implied: its span is empty, at the place where the parser supplies it.
    QList<qsizetype> begin;
    QList<qsizetype> end;
    QList<bool> implied;
    // For a text token read from one text token of the source without a break: the index of
    // that source token and of the text's first character in it; -1 otherwise.
    QList<qsizetype> textSource;
    QList<qsizetype> textStart;
};

// Empty when the serialization is not one this program can trace back to the source: the
// source then holds markup the parser moved or rebuilt (text in a table, misnested formatting,
// an unknown reference...), or the serialization is not that of this source at all.
std::optional<TokenAlignment> AlignTokens(const HtmlScan &source, qsizetype sourceLength, const HtmlScan &serialized);

} // namespace korvel
