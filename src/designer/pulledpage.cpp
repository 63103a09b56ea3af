#include "designer/pulledpage.h"

#include "source/texthelpers.h"

#include <QList>

namespace korvel {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

bool IsAsciiSpace(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\r') || c == QLatin1Char('\n')
        || c == QLatin1Char('\f');
}

bool StartsWithNoCase(const QString &text, qsizetype at, QLatin1String word)
{
    if (at < 0 || at + word.size() > text.size())
        return false;
    for (qsizetype i = 0; i < word.size(); ++i) {
        char16_t c = text[at + i].unicode();
        if (c >= u'A' && c <= u'Z')
            c = c - u'A' + u'a';
        if (c != char16_t(word[i].unicode()))
            return false;
    }
    return true;
}

// The end of a tag that starts at `open` ("<"): the index of its ">" outside quoted values,
// or -1 when the text ends first.
qsizetype TagEnd(const QString &text, qsizetype open)
{
    QChar quote;
    for (qsizetype i = open + 1; i < text.size(); ++i) {
        const QChar c = text[i];
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            quote = c;
        } else if (c == QLatin1Char('>')) {
            return i;
        }
    }
    return -1;
}

struct Attribute {
    QString name;          // lower-case
    QString value;
    qsizetype nameEnd = -1;
    qsizetype valueBegin = -1; // span of the value inside the tag text, quotes excluded
    qsizetype valueEnd = -1;
};

// The attributes of a start tag, given as the text from "<" to ">".
QList<Attribute> ParseAttributes(const QString &tag)
{
    QList<Attribute> attributes;
    qsizetype i = 1;
    while (i < tag.size() && !IsAsciiSpace(tag[i]) && tag[i] != QLatin1Char('>') && tag[i] != QLatin1Char('/'))
        ++i; // the tag name
    const qsizetype end = tag.size() - 1; // the ">"
    while (i < end) {
        while (i < end && (IsAsciiSpace(tag[i]) || tag[i] == QLatin1Char('/')))
            ++i;
        const qsizetype nameBegin = i;
        while (i < end && !IsAsciiSpace(tag[i]) && tag[i] != QLatin1Char('=') && tag[i] != QLatin1Char('>')
               && tag[i] != QLatin1Char('/'))
            ++i;
        if (i == nameBegin)
            break;
        Attribute attribute;
        attribute.name = tag.mid(nameBegin, i - nameBegin).toLower();
        attribute.nameEnd = i;
        qsizetype j = i;
        while (j < end && IsAsciiSpace(tag[j]))
            ++j;
        if (j < end && tag[j] == QLatin1Char('=')) {
            ++j;
            while (j < end && IsAsciiSpace(tag[j]))
                ++j;
            if (j < end && (tag[j] == QLatin1Char('"') || tag[j] == QLatin1Char('\''))) {
                const QChar quote = tag[j];
                const qsizetype close = tag.indexOf(quote, j + 1);
                attribute.valueBegin = j + 1;
                attribute.valueEnd = close < 0 ? end : close;
                i = close < 0 ? end : close + 1;
            } else {
                attribute.valueBegin = j;
                while (j < end && !IsAsciiSpace(tag[j]))
                    ++j;
                attribute.valueEnd = j;
                i = j;
            }
            attribute.value = tag.mid(attribute.valueBegin, attribute.valueEnd - attribute.valueBegin);
        }
        attributes.append(attribute);
    }
    return attributes;
}

// The meta tag with its content set to "Korvel", or a null string when it is no generator meta.
QString GeneratorTagMarked(const QString &tag)
{
    const QList<Attribute> attributes = ParseAttributes(tag);
    bool generator = false;
    const Attribute *content = nullptr;
    for (const Attribute &attribute : attributes) {
        if (attribute.name == QLatin1String("name") && attribute.value.trimmed().compare(QLatin1String("generator"), Qt::CaseInsensitive) == 0)
            generator = true;
        else if (attribute.name == QLatin1String("content") && !content)
            content = &attribute;
    }
    if (!generator)
        return QString();
    QString marked = tag;
    if (content && content->valueBegin >= 0) {
        marked.replace(content->valueBegin, content->valueEnd - content->valueBegin, QStringLiteral("Korvel"));
    } else if (content) {
        // "content" without a value: give it one.
        marked.insert(content->nameEnd, QStringLiteral("=\"Korvel\""));
    } else {
        qsizetype at = tag.size() - 1;
        if (at > 0 && tag[at - 1] == QLatin1Char('/'))
            --at;
        marked.insert(at, QStringLiteral(" content=\"Korvel\""));
    }
    return marked;
}

// The end of raw text that starts after an element's start tag ("</script" and the like).
qsizetype RawTextEnd(const QString &text, qsizetype from, QLatin1String closing)
{
    for (qsizetype i = text.indexOf(QLatin1Char('<'), from); i >= 0; i = text.indexOf(QLatin1Char('<'), i + 1)) {
        if (StartsWithNoCase(text, i, closing))
            return i;
    }
    return text.size();
}

} // namespace

QString MarkGenerator(const QString &html)
{
    QString out;
    out.reserve(html.size() + 64);
    bool found = false;
    qsizetype copied = 0;
    qsizetype i = html.indexOf(QLatin1Char('<'));
    while (i >= 0 && i < html.size()) {
        qsizetype next = i + 1;
        if (StartsWithNoCase(html, i, QLatin1String("<!--"))) {
            const qsizetype close = html.indexOf(QLatin1String("-->"), i + 4);
            next = close < 0 ? html.size() : close + 3;
        } else if (StartsWithNoCase(html, i, QLatin1String("<script")) || StartsWithNoCase(html, i, QLatin1String("<style"))) {
            const bool script = StartsWithNoCase(html, i, QLatin1String("<script"));
            const qsizetype end = TagEnd(html, i);
            next = end < 0 ? html.size()
                           : RawTextEnd(html, end + 1, script ? QLatin1String("</script") : QLatin1String("</style"));
        } else if (StartsWithNoCase(html, i, QLatin1String("<meta"))
                   && (i + 5 >= html.size() || IsAsciiSpace(html[i + 5]) || html[i + 5] == QLatin1Char('>')
                       || html[i + 5] == QLatin1Char('/'))) {
            const qsizetype end = TagEnd(html, i);
            if (end < 0)
                break;
            const QString marked = GeneratorTagMarked(html.mid(i, end - i + 1));
            if (!marked.isNull()) {
                found = true;
                out.append(QStringView(html).mid(copied, i - copied));
                out.append(marked);
                copied = end + 1;
            }
            next = end + 1;
        }
        i = html.indexOf(QLatin1Char('<'), next);
    }
    out.append(QStringView(html).mid(copied));
    if (found)
        return out;

    const qsizetype headEnd = FindText(out, QStringLiteral("</head>"), 0, out.size(), false, false);
    if (headEnd < 0)
        return out;
    out.replace(headEnd, 7, kCrLf + QString::fromUtf16(kGeneratorMetaLine) + kCrLf + QStringLiteral("</HEAD>") + kCrLf);
    return out;
}

std::optional<QString> PulledPageText(const QString &editorText, const QString &serializedHtml)
{
    if (serializedHtml.trimmed().isEmpty())
        return std::nullopt;
    const QString doctype = DoctypeOf(editorText);
    const QString html = MarkGenerator(serializedHtml);
    return doctype.isEmpty() ? html : doctype + kCrLf + html;
}

QString FramesetSourceText(const QString &text)
{
    QString out;
    out.reserve(text.size() + text.count(QLatin1Char('>')) * 2);
    for (const QChar c : text) {
        out.append(c);
        if (c == QLatin1Char('>'))
            out.append(kCrLf);
    }
    return out;
}

} // namespace korvel
