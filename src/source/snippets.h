#pragma once

#include <QString>

// The fixed pieces of HTML that the source commands write.
namespace korvel {

// The selection, empty or not, wrapped in a comment: "<!-- " + selection + " -->".
QString CommentSnippet(const QString &selection);

// The HTML 4.01 Transitional document type declaration, 63 characters.
QString DoctypeDeclaration();

// The text with the declaration in front of it, on the same line; an existing declaration is
// not looked for.
QString WithDoctype(const QString &text);

// An empty script block: the start tag, two line breaks and the end tag, 44 characters.
QString ScriptSnippet();

} // namespace korvel
