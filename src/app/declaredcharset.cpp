#include "app/declaredcharset.h"

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

// The value behind `name` in `tag`: blanks, "=", blanks, an optional quote, then the label.
QString valueAfter(QStringView tag, QStringView name)
{
    for (qsizetype at = tag.indexOf(name, 0, Qt::CaseInsensitive); at >= 0;
         at = tag.indexOf(name, at + 1, Qt::CaseInsensitive)) {
        qsizetype i = at + name.size();
        while (i < tag.size() && tag[i].isSpace())
            ++i;
        if (i >= tag.size() || tag[i] != u'=')
            continue;
        ++i;
        while (i < tag.size() && (tag[i].isSpace() || tag[i] == u'"' || tag[i] == u'\''))
            ++i;
        const qsizetype start = i;
        while (i < tag.size() && isLabelChar(tag[i]))
            ++i;
        if (i > start)
            return tag.mid(start, i - start).toString().toLower();
    }
    return {};
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
        found.label = valueAfter(start.left(close < 0 ? start.size() : close), u"encoding");
    }
    for (qsizetype meta = head.indexOf(u"<meta", 0, Qt::CaseInsensitive); found.label.isEmpty() && meta >= 0;
         meta = head.indexOf(u"<meta", meta + 1, Qt::CaseInsensitive)) {
        const qsizetype close = head.indexOf(u'>', meta);
        found.label = valueAfter(head.mid(meta, (close < 0 ? head.size() : close) - meta), u"charset");
    }
    found.kind = kindOf(found.label);
    return found;
}

CharsetConflict charsetConflict(const QString &text, TextEncoding encoding)
{
    CharsetConflict conflict;
    if (encoding != TextEncoding::Ansi && encoding != TextEncoding::Utf8NoMark)
        return conflict;
    const CharsetDeclaration declared = declaredCharset(text);
    const bool writesUtf8 = encoding == TextEncoding::Utf8NoMark;
    const bool contradicts = (declared.kind == CharsetKind::Utf8 && !writesUtf8)
        || (declared.kind == CharsetKind::Windows1252 && writesUtf8);
    if (!contradicts || isPlainAscii(text))
        return conflict;
    conflict.kind = declared.kind;
    conflict.label = declared.label;
    conflict.matching = writesUtf8 ? TextEncoding::Ansi : TextEncoding::Utf8NoMark;
    return conflict;
}

} // namespace korvel
