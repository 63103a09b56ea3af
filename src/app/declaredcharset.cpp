#include "app/declaredcharset.h"

#include <algorithm>
#include <optional>

namespace korvel {

namespace {

// The head of a page is read up to this many characters at most, so a page without "<body"
// is not searched to its end.
constexpr qsizetype kHeadReach = 16384;

bool isLabelChar(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'-'
        || c == u'_' || c == u'.' || c == u':';
}

// The label at the start of `text`: letters, digits and "-_.:".
QString labelAt(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && isLabelChar(text[i]))
        ++i;
    return text.left(i).toString().toLower();
}

// The value of the attribute `name` in a tag's text (after its "<meta" or "<?xml"), quoted or
// not; nothing when the tag has no such attribute.
std::optional<QStringView> attribute(QStringView tag, QStringView name)
{
    qsizetype i = 0;
    const qsizetype n = tag.size();
    while (i < n) {
        while (i < n && (tag[i].isSpace() || tag[i] == u'/'))
            ++i;
        const qsizetype nameStart = i;
        while (i < n && !tag[i].isSpace() && tag[i] != u'=' && tag[i] != u'>')
            ++i;
        const QStringView attrName = tag.mid(nameStart, i - nameStart);
        while (i < n && tag[i].isSpace())
            ++i;
        QStringView value;
        if (i < n && tag[i] == u'=') {
            ++i;
            while (i < n && tag[i].isSpace())
                ++i;
            if (i < n && (tag[i] == u'"' || tag[i] == u'\'')) {
                const qsizetype close = tag.indexOf(tag[i], i + 1);
                const qsizetype end = close < 0 ? n : close;
                value = tag.mid(i + 1, end - i - 1);
                i = end + 1;
            } else {
                const qsizetype valueStart = i;
                while (i < n && !tag[i].isSpace() && tag[i] != u'>')
                    ++i;
                value = tag.mid(valueStart, i - valueStart);
            }
        }
        if (attrName.isEmpty()) {
            ++i;
            continue;
        }
        if (attrName.compare(name, Qt::CaseInsensitive) == 0)
            return value;
    }
    return std::nullopt;
}

// The charset a meta tag declares: its charset attribute, or the charset of the content type
// it gives with http-equiv.
QString metaCharset(QStringView tag)
{
    if (const auto charset = attribute(tag, u"charset"))
        return labelAt(charset->trimmed());
    const auto equiv = attribute(tag, u"http-equiv");
    const auto content = attribute(tag, u"content");
    if (!equiv || !content || equiv->trimmed().compare(u"content-type", Qt::CaseInsensitive) != 0)
        return {};
    const qsizetype at = content->indexOf(u"charset", 0, Qt::CaseInsensitive);
    if (at < 0)
        return {};
    QStringView rest = content->mid(at + 7).trimmed();
    if (!rest.startsWith(u'='))
        return {};
    rest = rest.mid(1).trimmed();
    while (!rest.isEmpty() && (rest.front() == u'"' || rest.front() == u'\''))
        rest = rest.mid(1);
    return labelAt(rest);
}

CharsetKind kindOf(const QString &label)
{
    static const QStringList utf8 = {QStringLiteral("utf-8"), QStringLiteral("utf8"),
                                     QStringLiteral("unicode-1-1-utf-8")};
    // The labels browsers read as Windows-1252.
    static const QStringList cp1252 = {
        QStringLiteral("windows-1252"), QStringLiteral("cp1252"), QStringLiteral("x-cp1252"),
        QStringLiteral("iso-8859-1"), QStringLiteral("iso8859-1"), QStringLiteral("iso_8859-1"),
        QStringLiteral("iso88591"), QStringLiteral("latin1"), QStringLiteral("l1"), QStringLiteral("cp819"),
        QStringLiteral("ibm819"), QStringLiteral("us-ascii"), QStringLiteral("ascii"),
        QStringLiteral("ansi_x3.4-1968")};
    if (label.isEmpty())
        return CharsetKind::None;
    if (utf8.contains(label))
        return CharsetKind::Utf8;
    if (cp1252.contains(label))
        return CharsetKind::Windows1252;
    return CharsetKind::Other;
}

bool isPlainAscii(const QString &text)
{
    for (QChar c : text) {
        if (c.unicode() > 0x7F)
            return false;
    }
    return true;
}

} // namespace

qsizetype charsetDeclarationReach()
{
    // The head's reach, and a "<body" that begins right at its end.
    return kHeadReach + 5;
}

CharsetDeclaration declaredCharset(QStringView text)
{
    qsizetype end = text.indexOf(u"<body", 0, Qt::CaseInsensitive);
    if (end < 0 || end > kHeadReach)
        end = qMin(text.size(), kHeadReach);
    const QStringView head = text.left(end);
    CharsetDeclaration found;
    const QStringView start = head.trimmed();
    if (start.startsWith(u"<?xml", Qt::CaseInsensitive)) {
        const qsizetype close = start.indexOf(u"?>");
        if (const auto encoding = attribute(start.mid(5, (close < 0 ? start.size() : close) - 5), u"encoding"))
            found.label = labelAt(encoding->trimmed());
    }
    for (qsizetype meta = head.indexOf(u"<meta", 0, Qt::CaseInsensitive); found.label.isEmpty() && meta >= 0;
         meta = head.indexOf(u"<meta", meta + 1, Qt::CaseInsensitive)) {
        const qsizetype close = head.indexOf(u'>', meta);
        found.label = metaCharset(head.mid(meta + 5, (close < 0 ? head.size() : close) - meta - 5));
    }
    found.kind = kindOf(found.label);
    return found;
}

namespace {

// The conflict, given what the page declares and whether its text is plain ASCII.
CharsetConflict conflictOf(const CharsetDeclaration &declared, bool plainAscii, TextEncoding encoding)
{
    CharsetConflict conflict;
    const bool writesUtf8 = encoding == TextEncoding::Utf8NoMark;
    const bool contradicts = (declared.kind == CharsetKind::Utf8 && !writesUtf8)
        || (declared.kind == CharsetKind::Windows1252 && writesUtf8);
    if (!contradicts || plainAscii)
        return conflict;
    conflict.kind = declared.kind;
    conflict.label = declared.label;
    conflict.matching = writesUtf8 ? TextEncoding::Ansi : TextEncoding::Utf8NoMark;
    return conflict;
}

bool holdsOnlyAscii(QByteArrayView bytes)
{
    return std::none_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) > 0x7F; });
}

} // namespace

CharsetConflict charsetConflict(const QString &text, TextEncoding encoding)
{
    if (encoding != TextEncoding::Ansi && encoding != TextEncoding::Utf8NoMark)
        return {};
    return conflictOf(declaredCharset(text), isPlainAscii(text), encoding);
}

CharsetConflict charsetConflictOfUtf8(QByteArrayView utf8, TextEncoding encoding)
{
    if (encoding != TextEncoding::Ansi && encoding != TextEncoding::Utf8NoMark)
        return {};
    // The declaration is ASCII: a character cut at the head's reach cannot hide it.
    const QString head = QString::fromUtf8(utf8.first(qMin(utf8.size(), charsetDeclarationReach())));
    return conflictOf(declaredCharset(head), holdsOnlyAscii(utf8), encoding);
}

} // namespace korvel
