#include "source/checkhtml.h"

#include "source/checkhtmlsteps.h"
#include "source/codeunits.h"
#include "source/markupmap.h"
#include "source/textmatch.h"
#include "source/textrewriter.h"

#include <algorithm>
#include <optional>

namespace korvel {

namespace {

const QLatin1String CrLf("\r\n");

struct TagKind {
    const char *opening;
    const char *closing;
};

constexpr TagKind CheckedKinds[] = {
    {"<div", "</div>"}, {"<span", "</span>"}, {"<table", "</table>"}, {"<tr", "</tr>"}, {"<td", "</td>"},
};

// The names of CheckedKinds.
const QLatin1String KindNames[] = {QLatin1String("div"), QLatin1String("span"), QLatin1String("table"),
                                   QLatin1String("tr"), QLatin1String("td")};

template <typename Text>
const UnitOf<Text> *UnitsOf(const Text &text)
{
    return reinterpret_cast<const UnitOf<Text> *>(text.constData());
}

// The kind of the tag, an index into CheckedKinds; -1 for any other tag.
template <typename Unit>
int KindOf(const Unit *p, const TagSpan &tag)
{
    const qsizetype length = qsizetype(tag.nameEnd) - tag.nameStart();
    if (length < 2 || length > 5)
        return -1;
    const char32_t raw = unitValue(p[tag.nameStart()]);
    const char32_t first = raw >= u'A' && raw <= u'Z' ? raw + 32 : raw;
    if (first != u'd' && first != u's' && first != u't')
        return -1;
    for (int kind = 0; kind < int(std::size(KindNames)); ++kind) {
        if (KindNames[kind].size() == length && unitValue(KindNames[kind].data()[0]) == first
            && TagNameIsIn(p, tag, KindNames[kind]))
            return kind;
    }
    return -1;
}

// The tags of one kind, in text order.
struct KindTags {
    std::vector<TagPos> opens, closes, closeEnds;
};

using FoundKinds = KindTags[std::size(CheckedKinds)];

void Collect(const TagSpan &tag, KindTags &kind)
{
    if (!tag.closing) {
        kind.opens.push_back(tag.start);
    } else if (tag.closed) {
        kind.closes.push_back(tag.start);
        kind.closeEnds.push_back(tag.end);
    }
}

// The names the skeleton is made of.
const QLatin1String SkeletonNames[] = {QLatin1String("html"), QLatin1String("head"), QLatin1String("body"),
                                       QLatin1String("frameset")};

// The first start and end tags of the names the skeleton is made of, found in one pass that
// collects the tags of the checked kinds too, when asked to: when the skeleton is complete, the
// text the kinds are checked in is the one read here.
class SkeletonTags final {
public:
    template <typename Text>
    SkeletonTags(const Text &text, bool collect)
    {
        const UnitOf<Text> *p = UnitsOf(text);
        BasicTagCursor<Text> scanner(text);
        TagSpan tag;
        while (scanner.next(tag)) {
            if (collect) {
                const int kind = KindOf(p, tag);
                if (kind >= 0)
                    Collect(tag, m_found[kind]);
            }
            const qsizetype length = qsizetype(tag.nameEnd) - tag.nameStart();
            if (length != 4 && length != 8)
                continue;
            for (size_t name = 0; name < std::size(SkeletonNames); ++name) {
                std::optional<TagSpan> &first = m_first[name * 2 + (tag.closing ? 1 : 0)];
                if (!first && TagNameIsIn(p, tag, SkeletonNames[name])) {
                    first = tag;
                    break;
                }
            }
        }
    }

    std::optional<TagSpan> first(QLatin1String name, bool closing) const
    {
        for (size_t at = 0; at < std::size(SkeletonNames); ++at) {
            if (SkeletonNames[at] == name)
                return m_first[at * 2 + (closing ? 1 : 0)];
        }
        return std::nullopt;
    }

    FoundKinds &found() { return m_found; }

private:
    std::optional<TagSpan> m_first[std::size(SkeletonNames) * 2];
    FoundKinds m_found;
};

// The document type declaration: from the first "<!DOCTYPE" (any letter case) to the first ">"
// behind it; empty when either is missing.
template <typename Text>
Text DoctypeIn(const Text &s, qsizetype *begin)
{
    const UnitOf<Text> *p = UnitsOf(s);
    *begin = IndexOfAsciiNoCaseIn(p, s.size(), QLatin1String("<!DOCTYPE"));
    if (*begin < 0)
        return Text();
    const qsizetype end = IndexOfUnit(p, s.size(), UnitOf<Text>('>'), *begin);
    if (end < 0)
        return Text();
    return s.mid(*begin, end - *begin + 1);
}

// `found`, when given, comes back with the tags of the checked kinds in the completed text.
template <typename Text>
void CompleteSkeletonOf(Text &s, FoundKinds *found = nullptr)
{
    const auto ascii = [](const char *piece) { return asciiText<Text>(QLatin1String(piece)); };
    const Text crLf = ascii("\r\n");
    std::optional<SkeletonTags> tags;
    // The tags are found again only after the text has changed; every edit here adds text.
    const auto first = [&](const char *name, bool closing) {
        if (!tags)
            tags.emplace(s, found != nullptr);
        return tags->first(QLatin1String(name), closing);
    };
    const auto changed = [&] { tags.reset(); };
    if (!first("html", false)) {
        qsizetype begin = -1;
        const Text doctype = DoctypeIn(s, &begin);
        if (!doctype.isEmpty()) {
            s.remove(begin, doctype.size());
            s.prepend(doctype + crLf + ascii("<html>"));
        } else {
            s.prepend(ascii("<html>"));
        }
        changed();
    }
    if (!first("html", true)) {
        s.append(ascii("</html>"));
        changed();
    }
    if (!first("head", false)) {
        if (const auto html = first("html", false)) {
            s.insert(html->end, crLf + ascii("<head>"));
            changed();
        }
    }
    if (!first("head", true)) {
        if (const auto body = first("body", false)) {
            s.insert(body->start, crLf + ascii("</head>") + crLf);
            changed();
        }
    }
    // A frameset page has no body: one added would put a stray tag into a valid page.
    const bool frameset = first("frameset", false).has_value();
    if (!frameset && !first("body", false)) {
        if (const auto headEnd = first("head", true)) {
            s.insert(headEnd->end, crLf + ascii("<body>"));
            changed();
        }
    }
    if (!frameset && !first("body", true)) {
        if (const auto htmlEnd = first("html", true)) {
            s.insert(htmlEnd->start, crLf + ascii("</body>"));
            changed();
        }
    }
    if (found) {
        first("html", false);
        for (size_t kind = 0; kind < std::size(CheckedKinds); ++kind)
            (*found)[kind] = std::move(tags->found()[kind]);
    }
}

void AppendNumber(QString &out, size_t n)
{
    char16_t digits[24];
    int at = 24;
    do {
        digits[--at] = char16_t(u'0' + n % 10);
        n /= 10;
    } while (n > 0);
    out.append(QStringView(digits + at, 24 - at));
}

// Pairs, marks and reports one kind. Marked opening tags get their name in lower case in
// `text`; closing tags left over are added to `blanked` and, when `blankOut`, blanked in `text`.
template <typename Text>
void BalanceKind(const QString &opening, const QString &closing, const KindTags &found, Text &text,
                 QString &CheckReport, TagMarks &marks, const CatalogueLine &line, BlankedTags *blanked,
                 bool blankOut)
{
    using Unit = UnitOf<Text>;
    const std::vector<TagPos> &opens = found.opens;
    const std::vector<TagPos> &closes = found.closes;
    if (opens.size() == closes.size())
        return;
    // From the right: closing tags seen so far wait on a stack, the nearest on top; each opening
    // tag takes the nearest closing tag behind it that no later opening tag has taken.
    // Indexes in 32 bits: positions are, and every tag takes more than one character.
    std::vector<qint32> match(opens.size(), -1);
    std::vector<bool> closeTaken(closes.size(), false);
    std::vector<quint32> waiting;
    size_t c = closes.size();
    for (size_t k = opens.size(); k-- > 0;) {
        while (c > 0 && closes[c - 1] > opens[k])
            waiting.push_back(quint32(--c));
        if (!waiting.empty()) {
            match[k] = qint32(waiting.back());
            closeTaken[waiting.back()] = true;
            waiting.pop_back();
        }
    }
    const qsizetype nameLength = opening.size() - 1;
    const QString lowerOpening = AsciiLowerCase(opening);
    // A page may hold many thousand unclosed tags: the entry's fixed parts are put together once.
    const QString entryStart = CrLf + line(13) + opening + QLatin1Char(' ');
    const QString entryEnd = line(12);
    Unit *units = nullptr;
    for (size_t k = 0; k < opens.size(); ++k) {
        if (match[k] >= 0)
            continue;
        if (!units)
            units = reinterpret_cast<Unit *>(text.data()); // detaches once
        for (qsizetype i = 1; i <= nameLength; ++i)
            units[opens[k] + i] = Unit(lowerOpening[i].unicode());
        marks.push_back(qsizetype(opens[k]));
        CheckReport += entryStart;
        AppendNumber(CheckReport, k + 1);
        CheckReport += entryEnd;
    }
    if (opens.size() > closes.size())
        CheckReport += CrLf + QString::number(opens.size() - closes.size()) + closing + QLatin1Char(' ') + line(14);
    if (closes.size() > opens.size()) {
        int count = 0;
        for (size_t j = 0; j < closes.size(); ++j) {
            if (closeTaken[j])
                continue;
            const qsizetype length = qsizetype(found.closeEnds[j]) - qsizetype(closes[j]);
            if (blankOut)
                std::fill_n(reinterpret_cast<Unit *>(text.data()) + closes[j], length, Unit(' '));
            if (blanked)
                blanked->emplace_back(qsizetype(closes[j]), length);
            ++count;
        }
        CheckReport += CrLf + QString::number(count) + line(16) + closing + line(17);
    }
}

template <typename Text>
void CleanUp(Text &text, QString &CheckReport, TagMarks &marks, const CatalogueLine &line)
{
    QuoteAttributeValuesIn(text);
    RemoveClutterIn(text);
    JoinBreaksInsideTagsIn(text);
    // Marking and blanking leave every tag where it was, so one look at the tags serves all kinds:
    // the look that finds the skeleton complete.
    FoundKinds kinds;
    CompleteSkeletonOf(text, &kinds);
    marks.clear();
    BlankedTags blanked;
    for (size_t kind = 0; kind < std::size(CheckedKinds); ++kind)
        BalanceKind(QLatin1String(CheckedKinds[kind].opening), QLatin1String(CheckedKinds[kind].closing), kinds[kind],
                    text, CheckReport, marks, line, &blanked, false);
    for (KindTags &kind : kinds)
        kind = KindTags();
    std::sort(marks.begin(), marks.end());
    std::sort(blanked.begin(), blanked.end());
    if (!blanked.empty()) {
        OwnedText(text);
        PositionMover moved(marks);
        TextCompactor kept(text, &moved);
        for (const auto &[start, length] : blanked) {
            kept.keepTo(start);
            kept.drop(length);
        }
        kept.finish();
    }
    CollapseTagBlanksIn(text, marks);
}

// Puts CheckThisMark() behind the first ">" behind each mark, in the text's own memory.
template <typename Text>
void Reveal(Text &text, const TagMarks &marks)
{
    if (marks.empty())
        return;
    std::vector<qsizetype> at;
    at.reserve(marks.size());
    const UnitOf<Text> *p = UnitsOf(text);
    qsizetype done = 0;
    for (qsizetype position : marks) {
        // Two unclosed tags may share the first ">" behind them: each adds its flag.
        const qsizetype greaterThan = IndexOfUnit(p, text.size(), UnitOf<Text>('>'), qMax<qsizetype>(position, done - 1));
        if (greaterThan < 0)
            break;
        done = greaterThan + 1;
        at.push_back(done);
    }
    InsertInPlace(text, at, QLatin1String("</!CheckThis>"));
}

} // namespace

QString CheckThisMark()
{
    return QStringLiteral("</!CheckThis>");
}

QString CompleteSkeleton(const QString &text)
{
    QString result = text;
    CompleteSkeletonOf(result);
    return result;
}

QString BalanceTags(const QString &opening, const QString &closing, const QString &text, QString &CheckReport,
                    TagMarks &marks, const CatalogueLine &line, BlankedTags *blanked)
{
    const QStringView name = QStringView(opening).mid(1);
    KindTags found;
    for (const TagSpan &tag : FindTags(text)) {
        if (TagNameIs(text, tag, name))
            Collect(tag, found);
    }
    QString result = text;
    BalanceKind(opening, closing, found, result, CheckReport, marks, line, blanked, true);
    return result;
}

QString CleanUpHtml(const QString &text, QString &CheckReport, TagMarks &marks, const CatalogueLine &line)
{
    QString result = text;
    CleanUp(result, CheckReport, marks, line);
    return result;
}

QString RevealMarks(const QString &text, const TagMarks &marks)
{
    QString result = text;
    Reveal(result, marks);
    return result;
}

CheckHtmlResult CheckHtml(const QString &text, const CatalogueLine &line)
{
    return CheckHtml(QString(text), line);
}

namespace {

// Check HTML in the text's own memory, for either form of text and its result.
template <typename Result, typename Text>
Result CheckedInPlace(Text &&text, const CatalogueLine &line)
{
    Result result;
    TagMarks marks;
    result.text = std::move(text);
    CleanUp(result.text, result.CheckReport, marks, line);
    Reveal(result.text, marks);
    result.message = line(32) + CrLf + result.CheckReport;
    return result;
}

} // namespace

CheckHtmlResult CheckHtml(QString &&text, const CatalogueLine &line)
{
    return CheckedInPlace<CheckHtmlResult>(std::move(text), line);
}

CheckHtmlBytesResult CheckHtmlUtf8(QByteArray &&utf8, const CatalogueLine &line)
{
    return CheckedInPlace<CheckHtmlBytesResult>(std::move(utf8), line);
}

} // namespace korvel
