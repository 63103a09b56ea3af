#include "source/transformhelpers.h"

#include "source/blankruns.h"
#include "source/textmatch.h"

namespace korvel {

namespace {

const QString HeadOpening = QStringLiteral("<head");
const QString HeadClosing = QStringLiteral("</head>");

} // namespace

Section HeadSection(const QString &text)
{
    const qsizetype begin = IndexOfAsciiNoCase(text, HeadOpening);
    const qsizetype end = IndexOfAsciiNoCase(text, HeadClosing);
    if (begin < 0 || end < begin)
        return {};
    return {begin, end + HeadClosing.size() - begin};
}

namespace {

// Index of the next `c` at or after `from`, -1 when none.
qsizetype NextOf(const QString &text, QChar c, qsizetype from)
{
    return text.indexOf(c, from);
}

} // namespace

QString ExtractHead(const QString &text)
{
    const Section head = HeadSection(text);
    return head.begin < 0 ? QString() : text.mid(head.begin, head.length);
}

QString RestoreHead(const QString &text, QString &SavedHead)
{
    if (SavedHead.isEmpty())
        return text;
    const Section head = HeadSection(text);
    if (head.begin < 0)
        return text;
    QString result;
    result.reserve(text.size() - head.length + SavedHead.size());
    result.append(QStringView(text).left(head.begin));
    result.append(SavedHead);
    result.append(QStringView(text).mid(head.begin + head.length));
    SavedHead.clear();
    return result;
}

bool InsideTag(const QString &text, qsizetype index)
{
    const qsizetype lessThan = NextOf(text, QLatin1Char('<'), index);
    const qsizetype greaterThan = NextOf(text, QLatin1Char('>'), index);
    return !(lessThan >= 0 && greaterThan >= 0 && lessThan < greaterThan);
}

bool TagScanner::insideTag(qsizetype index)
{
    if (m_lessThan != -1 && m_lessThan < index)
        m_lessThan = NextOf(m_text, QLatin1Char('<'), index);
    if (m_greaterThan != -1 && m_greaterThan < index)
        m_greaterThan = NextOf(m_text, QLatin1Char('>'), index);
    return !(m_lessThan >= 0 && m_greaterThan >= 0 && m_lessThan < m_greaterThan);
}

void AppendBrokenAfterTags(QString &out, QStringView text)
{
    qsizetype done = 0;
    for (qsizetype gt = text.indexOf(QLatin1Char('>')); gt >= 0; gt = text.indexOf(QLatin1Char('>'), done)) {
        out.append(text.mid(done, gt + 1 - done));
        out.append(QLatin1String("\r\n"));
        done = gt + 1;
    }
    out.append(text.mid(done));
}

QString BreakAfterTags(const QString &text)
{
    QString out;
    out.reserve(text.size() + text.count(QLatin1Char('>')) * 2);
    AppendBrokenAfterTags(out, text);
    return out;
}

void AppendCollapsedBlanks(QString &out, qsizetype run)
{
    if (run > 0)
        out.append(QString(BlanksAfterSixPasses(run), QLatin1Char(' ')));
}

QString CollapseBlanks(const QString &text)
{
    return CollapseWithout(text, [](const QChar *, qsizetype, qsizetype) -> qsizetype { return 0; });
}

QString RemoveLineBreaks(const QString &text)
{
    return CollapseWithout(text, [](const QChar *r, qsizetype i, qsizetype n) -> qsizetype {
        return (r[i] == QLatin1Char('\r') && i + 1 < n && r[i + 1] == QLatin1Char('\n')) ? 2 : 0;
    });
}

} // namespace korvel
