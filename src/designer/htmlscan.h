#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringView>

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
    HtmlTokenKind kind = HtmlTokenKind::Text;
    qsizetype begin = 0;  // the token's span in the scanned text
    qsizetype end = 0;
    QString name;         // tag name, lower case
    bool selfClosing = false;
    bool raw = false;     // text of a script, style and the like: no references
    // Attributes in the order written, names lower case, values with references read; a name
    // given twice counts once, as a browser keeps the first.
    QList<std::pair<QString, QString>> attributes;
    // Text as read (references and line breaks resolved) or the content of a comment.
    QString text;
    // Where each character of `text` starts in the scanned text, plus the end; empty when text
    // is the scanned span itself, character for character.
    QList<qsizetype> offsets;

    // Where character `index` of the text starts in the scanned text.
    qsizetype offsetOf(qsizetype index) const { return offsets.isEmpty() ? begin + index : offsets[index]; }
};

struct HtmlScan {
    QList<HtmlToken> tokens;
    // For each character a page writes as a reference somewhere, the first reference it uses.
    QHash<char32_t, QString> references;
    bool usesCrLf = false;  // line breaks of the text are CR LF
};

// The texts and names of the tokens may share the characters of `text`: it must live, unchanged,
// as long as the scan is used.
HtmlScan ScanHtml(QStringView text);

// The elements that have no content and no end tag.
bool IsVoidElement(QStringView name);

} // namespace korvel
