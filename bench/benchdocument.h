#pragma once

#include <QString>

namespace korvel::bench {

enum class DocumentKind {
    // A page as people write them: a head section with line breaks, then a body of varied
    // blocks: tables with quoted and unquoted attribute values, words split by hyphens and set
    // phrases, umlauts and symbols, line breaks inside tags, runs of blanks, clutter, and now
    // and then an unclosed or a redundant tag.
    Page,
    // Markup without a single blank or quote: every search for the end of something runs as far
    // as it can, and most tags stay unclosed.
    Dense,
};

// A generated HTML document of at least `characters` characters. Lines end with CR LF.
QString GenerateDocument(DocumentKind kind, qsizetype characters);

// The same document for a size in megabytes (2^20 characters), made once per run.
const QString &DocumentOfMegabytes(DocumentKind kind, int megabytes);

} // namespace korvel::bench
