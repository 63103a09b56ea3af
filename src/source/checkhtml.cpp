#include "source/checkhtml.h"

#include "source/checkhtmlsteps.h"
#include "source/textmatch.h"
#include "source/texthelpers.h"
#include "source/transformhelpers.h"

#include <algorithm>

namespace korvel {

namespace {

const QLatin1String CrLf("\r\n");

// The longest stretch behind an unquoted "=" that is searched for the end of its value.
constexpr qsizetype QuoteReach = 300;

struct TagKind {
    const char *opening;
    const char *closing;
};

constexpr TagKind CheckedKinds[] = {
    {"<div", "</div>"}, {"<span", "</span>"}, {"<table", "</table>"}, {"<tr", "</tr>"}, {"<td", "</td>"},
};

// A text built from pieces of a source text, carrying the source's marks to their new places.
// Pieces must be appended in the order of the source; a mark on a character left out is dropped.
class MarkedText final {
public:
    MarkedText(const QString &source, const TagMarks &sourceMarks)
        : m_source(source), m_sourceMarks(sourceMarks)
    {
        m_text.reserve(source.size());
        m_marks.reserve(sourceMarks.size());
    }

    // Appends source[from, to).
    void copy(qsizetype from, qsizetype to)
    {
        if (to <= from)
            return;
        carryMarks(from, to);
        m_text.append(QStringView(m_source).mid(from, to - from));
    }

    void appendBlanks(qsizetype count)
    {
        m_text.append(QString(count, QLatin1Char(' ')));
    }

    // Appends source[from, to) with each run of blanks in it collapsed.
    void copyCollapsed(qsizetype from, qsizetype to)
    {
        // The search for blanks must stay within the piece, or a text with few blanks would be
        // searched to its end once per tag.
        const QStringView piece = QStringView(m_source).left(to);
        qsizetype i = from;
        while (i < to) {
            qsizetype blank = piece.indexOf(QLatin1Char(' '), i);
            if (blank < 0)
                blank = to;
            copy(i, blank);
            qsizetype end = blank;
            while (end < to && m_source[end] == QLatin1Char(' '))
                ++end;
            if (end > blank)
                appendBlanks(BlanksAfterSixPasses(end - blank));
            i = end;
        }
    }

    qsizetype size() const { return m_text.size(); }

    QString take(TagMarks &marks)
    {
        marks = std::move(m_marks);
        return std::move(m_text);
    }

private:
    void carryMarks(qsizetype from, qsizetype to)
    {
        while (m_next < m_sourceMarks.size() && m_sourceMarks[m_next] < to) {
            if (m_sourceMarks[m_next] >= from)
                m_marks.push_back(m_text.size() + m_sourceMarks[m_next] - from);
            ++m_next;
        }
    }

    const QString &m_source;
    const TagMarks &m_sourceMarks;
    size_t m_next = 0;
    QString m_text;
    TagMarks m_marks;
};

QString DeleteAllNoCase(const QString &text, const QString &pattern)
{
    const TextMatcher matcher(pattern, CaseMode::AsciiFold);
    qsizetype pos = matcher.indexIn(text, 0);
    if (pos < 0)
        return text;
    QString out;
    out.reserve(text.size());
    qsizetype done = 0;
    while (pos >= 0) {
        out.append(QStringView(text).mid(done, pos - done));
        done = pos + matcher.length();
        pos = matcher.indexIn(text, done);
    }
    out.append(QStringView(text).mid(done));
    return out;
}

std::vector<qsizetype> Occurrences(const QString &text, const QString &pattern)
{
    std::vector<qsizetype> found;
    const TextMatcher matcher(pattern, CaseMode::AsciiFold);
    for (qsizetype pos = matcher.indexIn(text, 0); pos >= 0; pos = matcher.indexIn(text, pos + matcher.length()))
        found.push_back(pos);
    return found;
}

bool Contains(const QString &text, const QString &pattern)
{
    return IndexOfAsciiNoCase(text, pattern) >= 0;
}

} // namespace

QString CheckThisMark()
{
    return QStringLiteral("</!CheckThis>");
}

QString QuoteAttributeValues(const QString &text)
{
    const qsizetype n = text.size();
    qsizetype next = IndexOfAsciiNoCase(text, QStringLiteral("<body"));
    if (next < 0)
        next = 0;
    QString out;
    out.reserve(n + n / 16);
    qsizetype copied = 0; // text[0, copied) is in `out`; insertions only ever go behind it
    for (;;) {
        const qsizetype equals = text.indexOf(QLatin1Char('='), next);
        if (equals < 0)
            break;
        if (equals + 1 < n && text[equals + 1] == QLatin1Char('"')) {
            const qsizetype closing = text.indexOf(QLatin1Char('"'), equals + 2);
            if (closing < 0)
                break;
            next = closing + 2;
            continue;
        }
        out.append(QStringView(text).mid(copied, equals + 1 - copied));
        out.append(QLatin1Char('"'));
        copied = equals + 1;

        qsizetype stop = -1;
        const qsizetype reach = qMin(n, equals + 1 + QuoteReach);
        for (qsizetype i = equals + 1; i < reach; ++i) {
            const QChar c = text[i];
            if (c == QLatin1Char('"') || c == QLatin1Char(' ') || c == QLatin1Char('>')) {
                stop = i;
                break;
            }
        }
        if (stop >= 0 && text[stop] != QLatin1Char('"')) {
            out.append(QStringView(text).mid(copied, stop - copied));
            out.append(QLatin1String("\" "));
            copied = stop;
            // The "=" is met again, now quoted: its closing quote is the one just written, and
            // the search goes on two characters behind it, past the written blank.
            next = stop;
            continue;
        }
        // The value now runs up to the next quote of the text, wherever that is.
        const qsizetype closing = stop >= 0 ? stop : text.indexOf(QLatin1Char('"'), equals + 1);
        if (closing < 0)
            break;
        next = closing + 2;
    }
    out.append(QStringView(text).mid(copied));
    return out;
}

QString RemoveClutter(const QString &text)
{
    QString out;
    out.reserve(text.size());
    qsizetype done = 0;
    for (qsizetype blank = text.indexOf(QStringView(u" >")); blank >= 0; blank = text.indexOf(QStringView(u" >"), done)) {
        out.append(QStringView(text).mid(done, blank - done));
        done = blank + 1; // the ">" stays
    }
    out.append(QStringView(text).mid(done));
    out = DeleteAllNoCase(out, QStringLiteral("<o:p>"));
    return DeleteAllNoCase(out, QStringLiteral("<tr>&nbsp;</tr>"));
}

QString JoinBreaksInsideTags(const QString &text, QString &SavedHead)
{
    SavedHead = ExtractHead(text);
    QString out;
    out.reserve(text.size());
    TagScanner tags(text);
    qsizetype done = 0;
    for (qsizetype cr = text.indexOf(QStringView(u"\r\n")); cr >= 0; cr = text.indexOf(QStringView(u"\r\n"), cr + 1)) {
        if (!tags.insideTag(cr))
            continue;
        out.append(QStringView(text).mid(done, cr - done));
        out.append(QLatin1Char(' '));
        done = cr + 2;
    }
    out.append(QStringView(text).mid(done));
    if (!IsBlank(SavedHead))
        out = RestoreHead(out, SavedHead);
    return out;
}

QString CompleteSkeleton(const QString &text)
{
    QString s = text;
    if (!Contains(s, QStringLiteral("<html>"))) {
        const QString doctype = DoctypeOf(s);
        if (!doctype.isEmpty())
            s.remove(IndexOfAsciiNoCase(s, QStringLiteral("<!DOCTYPE")), doctype.size());
        s.prepend(doctype + CrLf + QLatin1String("<html>"));
    }
    if (!Contains(s, QStringLiteral("</html>")))
        s.append(QLatin1String("</html>"));
    if (!Contains(s, QStringLiteral("<head>"))) {
        const qsizetype html = IndexOfAsciiNoCase(s, QStringLiteral("<html>"));
        if (html >= 0)
            s.insert(html + 6, CrLf + QLatin1String("<head>"));
    }
    if (!Contains(s, QStringLiteral("</head>"))) {
        const qsizetype body = IndexOfAsciiNoCase(s, QStringLiteral("<body"));
        if (body >= 0)
            s.insert(body, CrLf + QLatin1String("</head>") + CrLf);
    }
    if (!Contains(s, QStringLiteral("<body"))) {
        const qsizetype headEnd = IndexOfAsciiNoCase(s, QStringLiteral("</head>"));
        if (headEnd >= 0)
            s.insert(headEnd + 7, CrLf + QLatin1String("<body>"));
    }
    if (!Contains(s, QStringLiteral("</body>"))) {
        const qsizetype htmlEnd = IndexOfAsciiNoCase(s, QStringLiteral("</html>"));
        if (htmlEnd >= 0)
            s.insert(htmlEnd, CrLf + QLatin1String("</body>"));
    }
    return s;
}

QString BalanceTags(const QString &opening, const QString &closing, const QString &text, QString &CheckReport,
                    TagMarks &marks, const CatalogueLine &line)
{
    const std::vector<qsizetype> opens = Occurrences(text, opening);
    const std::vector<qsizetype> closes = Occurrences(text, closing);
    if (opens.size() == closes.size())
        return text;

    // From the right: closing tags seen so far wait on a stack, the nearest on top; each opening
    // tag takes the nearest closing tag behind it that no later opening tag has taken.
    std::vector<qsizetype> match(opens.size(), -1);
    std::vector<bool> closeTaken(closes.size(), false);
    std::vector<size_t> waiting;
    size_t c = closes.size();
    for (size_t k = opens.size(); k-- > 0;) {
        while (c > 0 && closes[c - 1] > opens[k])
            waiting.push_back(--c);
        if (!waiting.empty()) {
            match[k] = qsizetype(waiting.back());
            closeTaken[waiting.back()] = true;
            waiting.pop_back();
        }
    }

    QString result = text;
    const QString lowerOpening = AsciiLowerCase(opening);
    for (size_t k = 0; k < opens.size(); ++k) {
        if (match[k] >= 0)
            continue;
        result.replace(opens[k], lowerOpening.size(), lowerOpening);
        marks.push_back(opens[k]);
        CheckReport += CrLf + line(13) + opening + QLatin1Char(' ') + QString::number(k + 1) + line(12);
    }
    if (opens.size() > closes.size())
        CheckReport += CrLf + QString::number(opens.size() - closes.size()) + closing + QLatin1Char(' ') + line(14);
    if (closes.size() > opens.size()) {
        int blanked = 0;
        for (size_t j = 0; j < closes.size(); ++j) {
            if (closeTaken[j])
                continue;
            result.replace(closes[j], closing.size(), QString(closing.size(), QLatin1Char(' ')));
            ++blanked;
        }
        CheckReport += CrLf + QString::number(blanked) + line(16) + closing + line(17);
    }
    return result;
}

QString CollapseTagBlanks(const QString &text, TagMarks &marks)
{
    const qsizetype n = text.size();
    MarkedText out(text, marks);
    qsizetype i = 0;      // text[0, i) has gone to `out`
    qsizetype resume = 0; // where the next tag is looked for, counted in the text as it now stands
    for (;;) {
        // The text as it now stands is `out` followed by text[i, n).
        const qsizetype skip = qMin(resume - out.size(), n - i);
        if (skip > 0) {
            out.copy(i, i + skip);
            i += skip;
        }
        const qsizetype lessThan = text.indexOf(QLatin1Char('<'), i);
        if (lessThan < 0)
            break;
        const qsizetype greaterThan = text.indexOf(QLatin1Char('>'), lessThan);
        if (greaterThan < 0)
            break;
        out.copy(i, lessThan);
        const qsizetype tagStart = out.size();
        out.copyCollapsed(lessThan, greaterThan + 1);
        i = greaterThan + 1;
        // The scan goes on where the ">" stood before the tag shrank, so a tag that shrank by
        // more than one character makes the scan pass over the characters behind it.
        resume = tagStart + (greaterThan - lessThan);
    }
    out.copy(i, n);

    TagMarks tagMarks;
    const QString tagsCollapsed = out.take(tagMarks);
    MarkedText whole(tagsCollapsed, tagMarks);
    whole.copyCollapsed(0, tagsCollapsed.size());
    return whole.take(marks);
}

QString JoinAdjacentTags(const QString &text, TagMarks &marks)
{
    MarkedText out(text, marks);
    qsizetype done = 0;
    for (qsizetype gap = text.indexOf(QStringView(u"> <")); gap >= 0; gap = text.indexOf(QStringView(u"> <"), done)) {
        out.copy(done, gap + 1);
        done = gap + 2; // the blank goes; the "<" cannot begin another "> <"
    }
    out.copy(done, text.size());
    return out.take(marks);
}

QString CleanUpHtml(const QString &text, QString &CheckReport, TagMarks &marks, const CatalogueLine &line)
{
    QString SavedHead;
    QString s = QuoteAttributeValues(text);
    s = RemoveClutter(s);
    s = JoinBreaksInsideTags(s, SavedHead);
    s = CompleteSkeleton(s);
    marks.clear();
    for (const TagKind &kind : CheckedKinds)
        s = BalanceTags(QLatin1String(kind.opening), QLatin1String(kind.closing), s, CheckReport, marks, line);
    std::sort(marks.begin(), marks.end());
    s = CollapseTagBlanks(s, marks);
    return JoinAdjacentTags(s, marks);
}

QString RevealMarks(const QString &text, const TagMarks &marks)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin].unicode() <= 0x20)
        ++begin;
    while (end > begin && text[end - 1].unicode() <= 0x20)
        --end;
    const QStringView trimmed = QStringView(text).mid(begin, end - begin);
    const QString mark = CheckThisMark();
    QString out;
    out.reserve(trimmed.size() + qsizetype(marks.size()) * mark.size());
    qsizetype done = 0;
    for (qsizetype position : marks) {
        // Marks are never on the blanks trimmed away: each stands on a "<".
        const qsizetype greaterThan = trimmed.indexOf(QLatin1Char('>'), qMax<qsizetype>(position - begin, done - 1));
        if (greaterThan < 0)
            break;
        out.append(trimmed.mid(done, greaterThan + 1 - done));
        out.append(mark);
        done = greaterThan + 1;
    }
    out.append(trimmed.mid(done));
    return out;
}

CheckHtmlResult CheckHtml(const QString &text, const CatalogueLine &line)
{
    CheckHtmlResult result;
    TagMarks marks;
    const QString cleaned = CleanUpHtml(text, result.CheckReport, marks, line);
    result.text = RevealMarks(cleaned, marks);
    result.message = line(32) + CrLf + result.CheckReport;
    return result;
}

} // namespace korvel
