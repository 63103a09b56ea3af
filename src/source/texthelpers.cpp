#include "source/texthelpers.h"

#include "source/blankruns.h"
#include "source/textmatch.h"
#include "source/transformhelpers.h"

#include <QUrl>

namespace korvel {

QString CompactHtml(const QString &text)
{
    return CollapseWithout(text, [](const char16_t *r, qsizetype i, qsizetype) -> qsizetype {
        const char16_t u = r[i];
        return (u == u'\r' || u == u'\n' || u == u'\t') ? 1 : 0;
    });
}

qsizetype FindNoCase(const QString &needle, const QString &haystack, qsizetype from,
                     const QString &editorText)
{
    if (IsBlank(needle) || IsBlank(haystack))
        return -1;
    if (editorText.size() < needle.size() || editorText.size() <= from + 1)
        return -1;
    return IndexOfAsciiNoCase(haystack, needle.left(100), qMax<qsizetype>(from, 0));
}

qsizetype FindText(const QString &haystack, const QString &needle, qsizetype from, qsizetype limit,
                   bool wholeWord, bool matchCase)
{
    if (limit <= 0)
        return -1;
    const TextMatcher matcher(needle, matchCase ? CaseMode::Exact : CaseMode::AsciiFold);
    qsizetype pos = matcher.indexIn(haystack, from);
    if (!wholeWord)
        return pos;
    const qsizetype length = matcher.length();
    while (pos >= 0) {
        const bool letterBefore = pos > 0 && IsWordLetter(haystack[pos - 1]);
        const bool letterAfter = pos + length < haystack.size() && IsWordLetter(haystack[pos + length]);
        if (!letterBefore && !letterAfter)
            return pos;
        const qsizetype next = pos + length;
        // Counted from 1, the next start must lie before the limit.
        if (next + 1 >= limit)
            return -1;
        pos = matcher.indexIn(haystack, next);
    }
    return -1;
}

bool IsFramesetDocument(const QString &editorText)
{
    return FindText(editorText, QStringLiteral("<frameset"), 0, editorText.size(), false, false) >= 0;
}

bool IsOnlineLocation(const QString &locationUrl)
{
    return AsciiLowerCase(locationUrl.left(4)) != QLatin1String("file");
}

bool IsEditableFileType(const QString &name)
{
    // The extension starts at the last dot behind the last folder separator.
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const qsizetype separator = qMax(name.lastIndexOf(QLatin1Char('/')), name.lastIndexOf(QLatin1Char('\\')));
    if (dot < 0 || dot < separator)
        return false;
    const QString extension = AsciiLowerCase(name.mid(dot));
    return extension == QLatin1String(".htm") || extension == QLatin1String(".html")
        || extension == QLatin1String(".txt") || extension == QLatin1String(".xml");
}

QString LocalPathOfLocation(const QString &locationUrl)
{
    if (IsOnlineLocation(locationUrl))
        return QString();
    // Local paths keep their letter case and their separators: the file system tells
    // "Page.htm" from "page.htm".
    return QUrl(locationUrl).toLocalFile();
}

QString DoctypeOf(const QString &text)
{
    const qsizetype begin = FindNoCase(QStringLiteral("<!DOCTYPE"), text, 0, text);
    if (begin < 0)
        return QString();
    const qsizetype end = FindNoCase(QStringLiteral(">"), text, begin, text);
    if (end < 0)
        return QString();
    return text.mid(begin, end - begin + 1);
}

} // namespace korvel
