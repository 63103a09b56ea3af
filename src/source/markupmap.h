#pragma once

#include <QString>
#include <QStringView>

#include <vector>

// Where the tags of an HTML text are, told apart from text, comments, declarations and the
// contents of script, style and textarea elements, so that repairs meant for tags never touch
// anything else.
namespace korvel {

struct TagSpan {
    qsizetype start = 0;     // the "<"
    qsizetype end = 0;       // one past the ">", or the end of the text when none follows
    qsizetype nameStart = 0; // the tag name, as written
    qsizetype nameEnd = 0;
    bool closing = false;    // an end tag, "</name"
    bool closed = false;     // ends with ">"
};

// The start and end tags of the text in text order, found in one pass. A tag begins with "<"
// or "</" followed by a letter; inside a start tag a value quoted with " or ' may hold ">".
std::vector<TagSpan> FindTags(QStringView text);

// The tag's name equals `name`, letters A-Z folded.
bool TagNameIs(QStringView text, const TagSpan &tag, QStringView name);

// The first start tag (closing false) or end tag (closing true) of that name; nullptr when none.
const TagSpan *FirstTag(QStringView text, const std::vector<TagSpan> &tags, QStringView name, bool closing);

// The closing quote, within the tag, of the value whose opening quote (" or ') is at `quote`;
// -1 when the tag holds none.
qsizetype ClosingQuoteInTag(QStringView text, const TagSpan &tag, qsizetype quote);

// Blanks, tabs, CR, LF and form feeds: what separates the parts of a tag.
bool IsTagSpace(QChar c);

} // namespace korvel
