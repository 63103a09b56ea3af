#pragma once

#include <QString>
#include <QStringView>

// A forward-only reader of the tags of an HTML text, for the rules that must tell an element's
// own end tag from the end tag of an element of the same name nested inside it.
namespace korvel {

struct HtmlTag {
    qsizetype begin = -1; // index of "<"
    qsizetype end = -1;   // index behind ">"
    bool closing = false; // "</name"
    QString name;         // lower case (A-Z folded only)
};

// The next start or end tag at or after `from`: "<" or "</" directly followed by a letter,
// up to the next ">" outside quoted attribute values. Comments are passed over. False when no
// complete tag is left.
bool NextHtmlTag(QStringView text, qsizetype from, HtmlTag &tag);

// The end tag that closes the element whose start tag ends at `from`: the first end tag named
// `name` that is not matched by a start tag of that name in between. begin -1 when there is none.
HtmlTag MatchingEndTag(QStringView text, qsizetype from, const QString &name);

} // namespace korvel
