#include "source/checkhtml.h"

#include "source/checkhtmlsteps.h"
#include "source/markupmap.h"
#include "source/textmatch.h"
#include "source/texthelpers.h"
#include "source/transformhelpers.h"

#include <algorithm>
#include <optional>

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

// The text without the given sections, which are in text order and do not overlap.
QString WithoutSections(const QString &text, const std::vector<Section> &sections)
{
    if (sections.empty())
        return text;
    QString out;
    out.reserve(text.size());
    qsizetype done = 0;
    for (const Section &cut : sections) {
        out.append(QStringView(text).mid(done, cut.begin - done));
        done = cut.begin + cut.length;
    }
    out.append(QStringView(text).mid(done));
    return out;
}

} // namespace

QString CheckThisMark()
{
    return QStringLiteral("</!CheckThis>");
}

QString QuoteAttributeValues(const QString &text)
{
    const std::vector<TagSpan> tags = FindTags(text);
    const TagSpan *body = FirstTag(text, tags, u"body", false);
    const qsizetype from = body ? body->start : 0;
    QString out;
    out.reserve(text.size() + text.size() / 16);
    qsizetype copied = 0; // text[0, copied) is in `out`; insertions only ever go behind it
    for (const TagSpan &tag : tags) {
        if (tag.closing || tag.start < from)
            continue;
        qsizetype j = tag.nameEnd;
        while (j < tag.end) {
            if (text[j] != u'=') {
                ++j;
                continue;
            }
            qsizetype value = j + 1;
            while (value < tag.end && IsTagSpace(text[value]))
                ++value;
            if (value < tag.end && (text[value] == u'"' || text[value] == u'\'')) {
                const qsizetype closing = ClosingQuoteInTag(text, tag, value);
                if (closing < 0)
                    break; // an unclosed quote: the rest of the tag stays as written
                j = closing + 1;
                continue;
            }
            out.append(QStringView(text).mid(copied, value - copied));
            out.append(u'"');
            copied = value;
            // The value ends at the first blank or ">"; a quote first, or no end within reach,
            // leaves only the opening quote.
            const qsizetype reach = qMin(tag.end, value + QuoteReach);
            qsizetype stop = value;
            while (stop < reach && text[stop] != u'"' && text[stop] != u'>' && !IsTagSpace(text[stop]))
                ++stop;
            if (stop < reach && text[stop] != u'"') {
                out.append(QStringView(text).mid(copied, stop - copied));
                out.append(u'"');
                copied = stop;
            }
            j = qMax(stop, value + 1);
        }
    }
    out.append(QStringView(text).mid(copied));
    return out;
}

QString RemoveClutter(const QString &text)
{
    // A blank before the ">" that ends a tag.
    std::vector<Section> cut;
    for (const TagSpan &tag : FindTags(text)) {
        if (tag.closed && tag.end - 2 >= tag.nameEnd && text[tag.end - 2] == u' ')
            cut.push_back({tag.end - 2, 1});
    }
    QString s = WithoutSections(text, cut);
    cut.clear();
    const std::vector<TagSpan> tags = FindTags(s);
    for (const TagSpan &tag : tags) {
        if (!tag.closing && tag.end - tag.start == 5 && TagNameIs(s, tag, u"o:p") && tag.closed)
            cut.push_back({tag.start, 5});
    }
    s = WithoutSections(s, cut);
    cut.clear();
    const QStringView emptyRowRest(u"&nbsp;</tr>");
    for (const TagSpan &tag : FindTags(s)) {
        if (!tag.closing && tag.end - tag.start == 4 && tag.closed && TagNameIs(s, tag, u"tr")
            && MatchesAsciiNoCaseAt(s, tag.end, emptyRowRest))
            cut.push_back({tag.start, 4 + emptyRowRest.size()});
    }
    return WithoutSections(s, cut);
}

QString JoinBreaksInsideTags(const QString &text)
{
    const Section head = HeadSection(text);
    const auto inHead = [&head](qsizetype at) {
        return head.begin >= 0 && at >= head.begin && at < head.begin + head.length;
    };
    QString out;
    out.reserve(text.size());
    qsizetype done = 0;
    for (const TagSpan &tag : FindTags(text)) {
        if (inHead(tag.start))
            continue;
        const QStringView inside = QStringView(text).mid(tag.start, tag.end - tag.start);
        for (qsizetype cr = inside.indexOf(u"\r\n"); cr >= 0; cr = inside.indexOf(u"\r\n", cr + 2)) {
            out.append(QStringView(text).mid(done, tag.start + cr - done));
            out.append(u' ');
            done = tag.start + cr + 2;
        }
    }
    out.append(QStringView(text).mid(done));
    return out;
}

QString CompleteSkeleton(const QString &text)
{
    QString s = text;
    // The tags are found again only after the text has changed; every edit here adds text.
    std::vector<TagSpan> tags = FindTags(s);
    qsizetype scannedSize = s.size();
    const auto first = [&](QStringView name, bool closing) -> std::optional<TagSpan> {
        if (scannedSize != s.size()) {
            tags = FindTags(s);
            scannedSize = s.size();
        }
        const TagSpan *tag = FirstTag(s, tags, name, closing);
        return tag ? std::optional<TagSpan>(*tag) : std::nullopt;
    };
    if (!first(u"html", false)) {
        const QString doctype = DoctypeOf(s);
        if (!doctype.isEmpty()) {
            s.remove(IndexOfAsciiNoCase(s, QStringLiteral("<!DOCTYPE")), doctype.size());
            s.prepend(doctype + CrLf + QLatin1String("<html>"));
        } else {
            s.prepend(QLatin1String("<html>"));
        }
    }
    if (!first(u"html", true))
        s.append(QLatin1String("</html>"));
    if (!first(u"head", false)) {
        if (const auto html = first(u"html", false))
            s.insert(html->end, CrLf + QLatin1String("<head>"));
    }
    if (!first(u"head", true)) {
        if (const auto body = first(u"body", false))
            s.insert(body->start, CrLf + QLatin1String("</head>") + CrLf);
    }
    if (!first(u"body", false)) {
        if (const auto headEnd = first(u"head", true))
            s.insert(headEnd->end, CrLf + QLatin1String("<body>"));
    }
    if (!first(u"body", true)) {
        if (const auto htmlEnd = first(u"html", true))
            s.insert(htmlEnd->start, CrLf + QLatin1String("</body>"));
    }
    return s;
}

QString BalanceTags(const QString &opening, const QString &closing, const QString &text, QString &CheckReport,
                    TagMarks &marks, const CatalogueLine &line, BlankedTags *blanked)
{
    const QStringView name = QStringView(opening).mid(1);
    std::vector<qsizetype> opens, closes, closeEnds;
    for (const TagSpan &tag : FindTags(text)) {
        if (!TagNameIs(text, tag, name))
            continue;
        if (!tag.closing) {
            opens.push_back(tag.start);
        } else if (tag.closed) {
            closes.push_back(tag.start);
            closeEnds.push_back(tag.end);
        }
    }
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
        result.replace(opens[k] + 1, name.size(), lowerOpening.constData() + 1, name.size());
        marks.push_back(opens[k]);
        CheckReport += CrLf + line(13) + opening + QLatin1Char(' ') + QString::number(k + 1) + line(12);
    }
    if (opens.size() > closes.size())
        CheckReport += CrLf + QString::number(opens.size() - closes.size()) + closing + QLatin1Char(' ') + line(14);
    if (closes.size() > opens.size()) {
        int count = 0;
        for (size_t j = 0; j < closes.size(); ++j) {
            if (closeTaken[j])
                continue;
            result.replace(closes[j], closeEnds[j] - closes[j], QString(closeEnds[j] - closes[j], QLatin1Char(' ')));
            if (blanked)
                blanked->emplace_back(closes[j], closeEnds[j] - closes[j]);
            ++count;
        }
        CheckReport += CrLf + QString::number(count) + line(16) + closing + line(17);
    }
    return result;
}

QString CollapseTagBlanks(const QString &text, TagMarks &marks)
{
    MarkedText out(text, marks);
    qsizetype done = 0;
    for (const TagSpan &tag : FindTags(text)) {
        qsizetype j = tag.nameEnd;
        while (j < tag.end) {
            const QChar c = text[j];
            if (c == u'=') {
                qsizetype value = j + 1;
                while (value < tag.end && IsTagSpace(text[value]))
                    ++value;
                const qsizetype closing = value < tag.end && (text[value] == u'"' || text[value] == u'\'')
                    ? ClosingQuoteInTag(text, tag, value) : -1;
                j = closing >= 0 ? closing + 1 : value;
                continue;
            }
            if (c != u' ') {
                ++j;
                continue;
            }
            qsizetype run = j;
            while (run < tag.end && text[run] == u' ')
                ++run;
            if (run - j > 1) {
                out.copy(done, j);
                out.appendBlanks(BlanksAfterSixPasses(run - j));
                done = run;
            }
            j = run;
        }
    }
    out.copy(done, text.size());
    return out.take(marks);
}

QString CleanUpHtml(const QString &text, QString &CheckReport, TagMarks &marks, const CatalogueLine &line)
{
    QString s = QuoteAttributeValues(text);
    s = RemoveClutter(s);
    s = JoinBreaksInsideTags(s);
    s = CompleteSkeleton(s);
    marks.clear();
    BlankedTags blanked;
    for (const TagKind &kind : CheckedKinds)
        s = BalanceTags(QLatin1String(kind.opening), QLatin1String(kind.closing), s, CheckReport, marks, line, &blanked);
    std::sort(marks.begin(), marks.end());
    std::sort(blanked.begin(), blanked.end());
    MarkedText kept(s, marks);
    qsizetype done = 0;
    for (const auto &[start, length] : blanked) {
        kept.copy(done, start);
        done = start + length;
    }
    kept.copy(done, s.size());
    s = kept.take(marks);
    return CollapseTagBlanks(s, marks);
}

QString RevealMarks(const QString &text, const TagMarks &marks)
{
    const QString mark = CheckThisMark();
    QString out;
    out.reserve(text.size() + qsizetype(marks.size()) * mark.size());
    qsizetype done = 0;
    for (qsizetype position : marks) {
        // Two unclosed tags may share the first ">" behind them: each adds its flag.
        const qsizetype greaterThan = text.indexOf(QLatin1Char('>'), qMax<qsizetype>(position, done - 1));
        if (greaterThan < 0)
            break;
        out.append(QStringView(text).mid(done, greaterThan + 1 - done));
        out.append(mark);
        done = greaterThan + 1;
    }
    out.append(QStringView(text).mid(done));
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
