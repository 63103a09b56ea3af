#include "source/transformhelpers.h"

#include "source/textmatch.h"

namespace korvel {

namespace {

const QString HeadOpening = QStringLiteral("<head");
const QString HeadClosing = QStringLiteral("</head>");

struct Section {
    qsizetype begin = -1;
    qsizetype length = 0;
};

Section HeadSection(const QString &text)
{
    const qsizetype begin = IndexOfAsciiNoCase(text, HeadOpening);
    const qsizetype end = IndexOfAsciiNoCase(text, HeadClosing);
    if (begin < 0 || end < begin)
        return {};
    return {begin, end + HeadClosing.size() - begin};
}

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

QString BreakAfterTags(const QString &text)
{
    QString out;
    out.reserve(text.size() + text.count(QLatin1Char('>')) * 2);
    for (QChar c : text) {
        out.append(c);
        if (c == QLatin1Char('>'))
            out.append(QLatin1String("\r\n"));
    }
    return out;
}

void AppendCollapsedBlanks(QString &out, qsizetype run)
{
    for (qsizetype i = BlanksAfterSixPasses(run); i > 0; --i)
        out.append(QLatin1Char(' '));
}

QString CollapseBlanks(const QString &text)
{
    QString out;
    out.reserve(text.size());
    qsizetype blanks = 0;
    for (QChar c : text) {
        if (c == QLatin1Char(' ')) {
            ++blanks;
            continue;
        }
        if (blanks > 0) {
            AppendCollapsedBlanks(out, blanks);
            blanks = 0;
        }
        out.append(c);
    }
    AppendCollapsedBlanks(out, blanks);
    return out;
}

QString RemoveLineBreaks(const QString &text)
{
    QString out;
    out.reserve(text.size());
    qsizetype blanks = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\r') && i + 1 < n && text[i + 1] == QLatin1Char('\n')) {
            ++i; // the pair goes before blanks are counted, so the blanks around it join
            continue;
        }
        if (c == QLatin1Char(' ')) {
            ++blanks;
            continue;
        }
        if (blanks > 0) {
            AppendCollapsedBlanks(out, blanks);
            blanks = 0;
        }
        out.append(c);
    }
    AppendCollapsedBlanks(out, blanks);
    return out;
}

} // namespace korvel
