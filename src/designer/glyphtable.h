#pragma once

#include <QList>
#include <QString>

namespace korvel {

// One entry of the tag glyph table: the picture shown where a tag begins or ends.
struct GlyphEntry {
    QString tag;       // lower-case tag name, "comment" for comments
    QString image;     // the picture's name, the last part of its address ("pbgn")
    bool endTag = false;
    int width = 0;
    int height = 0;
};

// The glyph table text for all fourteen glyphs the designer shows.
QString GlyphTableText();

// The entries of a glyph table text; entries that do not have the expected fields are skipped.
QList<GlyphEntry> ParseGlyphTable(const QString &table);

} // namespace korvel
