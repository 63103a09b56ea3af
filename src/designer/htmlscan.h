#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringView>

#include <span>
#include <utility>

// A scanner of HTML text that keeps where every token came from, so that a page can be rewritten
// in place. It reads markup as a browser's tokenizer does (tags, attributes without quotes,
// character references, comments, raw text of scripts and styles) but builds no tree.
namespace korvel {

enum class HtmlTokenKind : quint8 {
    StartTag,
    EndTag,
    Text,
    Comment,  // also the bogus comments "<?...>" and "<!...>"
    Doctype,
    Ignored,  // "</>" and a tag cut off by the end of the text: a browser drops them
};

struct HtmlToken {
    qsizetype begin = 0;  // the token's span in the scanned text
    qsizetype end = 0;
    QString name;         // tag name, lower case
    // Text as read (references and line breaks resolved) or the content of a comment.
    QString text;
    qint32 firstAttribute = 0;  // the start tag's attributes in HtmlScan::attributeList
    qint32 attributeCount = 0;
    qint32 offsetList = -1;     // in HtmlScan::offsetLists, -1 when the text is the span itself
    HtmlTokenKind kind = HtmlTokenKind::Text;
    bool selfClosing = false;
    bool raw = false;     // text of a script, style and the like: no references
};

using HtmlAttribute = std::pair<QString, QString>;

struct HtmlScan {
    QList<HtmlToken> tokens;
    // The attributes of all start tags, each tag's in the order written: names lower case,
    // values with references read; a name given twice counts once, as a browser keeps the first.
    QList<HtmlAttribute> attributeList;
    // For a text that differs from its span: where each character starts in the scanned text,
    // plus the end.
    QList<QList<qsizetype>> offsetLists;
    // For each character a page writes as a reference somewhere, the first reference it uses.
    QHash<char32_t, QString> references;
    bool usesCrLf = false;  // line breaks of the text are CR LF

    std::span<const HtmlAttribute> attributes(const HtmlToken &token) const
    {
        return std::span<const HtmlAttribute>(attributeList.constData() + token.firstAttribute,
                                              size_t(token.attributeCount));
    }
    // Where character `index` of the token's text starts in the scanned text.
    qsizetype offsetOf(const HtmlToken &token, qsizetype index) const
    {
        return token.offsetList < 0 ? token.begin + index : offsetLists[token.offsetList][index];
    }
};

// The texts and names of the tokens may share the characters of `text`: it must live, unchanged,
// as long as the scan is used.
HtmlScan ScanHtml(QStringView text);

// The elements that have no content and no end tag.
bool IsVoidElement(QStringView name);

} // namespace korvel
