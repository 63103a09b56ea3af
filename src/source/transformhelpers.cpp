#include "source/transformhelpers.h"

#include "source/blankruns.h"
#include "source/textmatch.h"

#include <algorithm>
#include <cstring>

namespace korvel {

namespace {

const QString HeadOpening = QStringLiteral("<head");
const QString HeadClosing = QStringLiteral("</head>");
const QByteArray HeadOpeningBytes = QByteArrayLiteral("<head");
const QByteArray HeadClosingBytes = QByteArrayLiteral("</head>");

const QString &HeadTag(QStringView, bool closing)
{
    return closing ? HeadClosing : HeadOpening;
}

const QByteArray &HeadTag(QByteArrayView, bool closing)
{
    return closing ? HeadClosingBytes : HeadOpeningBytes;
}

template <typename View>
Section HeadSectionIn(View text)
{
    const qsizetype begin = IndexOfAsciiNoCase(text, HeadTag(text, false));
    const qsizetype end = IndexOfAsciiNoCase(text, HeadTag(text, true));
    if (begin < 0 || end < begin)
        return {};
    return {begin, end + HeadTag(text, true).size() - begin};
}

// Index of the next `c` at or after `from`, -1 when none.
template <typename Text>
qsizetype NextOf(const Text &text, char c, qsizetype from)
{
    return ViewOf<Text>(text).indexOf(UnitOf<Text>(c), from);
}

template <typename Text>
Text ExtractHeadIn(const Text &text)
{
    const Section head = HeadSectionIn(ViewOf<Text>(text));
    return head.begin < 0 ? Text() : text.mid(head.begin, head.length);
}

template <typename Text>
Text RestoreHeadIn(Text text, Text &SavedHead)
{
    if (SavedHead.isEmpty())
        return text;
    const Section head = HeadSectionIn(ViewOf<Text>(text));
    if (head.begin < 0)
        return text;
    if (text.isDetached()) {
        // The text's own memory: the rest moves by the difference, no second text is made.
        text.replace(head.begin, head.length, SavedHead);
    } else {
        const ViewOf<Text> whole(text);
        Text result;
        result.reserve(text.size() - head.length + SavedHead.size());
        result.append(whole.first(head.begin));
        result.append(SavedHead);
        result.append(whole.sliced(head.begin + head.length));
        text = std::move(result);
    }
    SavedHead.clear();
    return text;
}

// The next ">" from `r` on, `end` when none: the library's vectorised searches.
const char *NextTagEnd(const char *r, const char *end)
{
    const void *at = std::memchr(r, '>', size_t(end - r));
    return at ? static_cast<const char *>(at) : end;
}

const char16_t *NextTagEnd(const char16_t *r, const char16_t *end)
{
    const qsizetype at = QStringView(r, end - r).indexOf(QLatin1Char('>'));
    return at < 0 ? end : r + at;
}

template <typename Unit>
qsizetype CountTagEnds(const Unit *r, qsizetype n)
{
    return std::count(r, r + n, Unit('>'));
}

// Appends the text with a CR LF behind every ">", written in place into the grown text: one
// append for each ">" costs more than the copy it makes.
template <typename Text>
void AppendBrokenIn(Text &out, ViewOf<Text> text)
{
    using Unit = UnitOf<Text>;
    const Unit *r = reinterpret_cast<const Unit *>(text.data());
    const Unit *end = r + text.size();
    const qsizetype at = out.size();
    const qsizetype size = at + text.size() + 2 * CountTagEnds(r, text.size());
    if (out.capacity() < size) {
        out.reserve(size);
        adviseHugePages(out);
    }
    out.resize(size);
    Unit *w = writableUnitsOf(out) + at;
    while (r < end) {
        const Unit *gt = NextTagEnd(r, end);
        if (gt == end) {
            w = std::copy(r, end, w);
            break;
        }
        w = std::copy(r, gt + 1, w);
        *w++ = Unit('\r');
        *w++ = Unit('\n');
        r = gt + 1;
    }
}

template <typename Text>
Text BreakAfterTagsIn(const Text &text)
{
    Text out;
    AppendBrokenIn<Text>(out, ViewOf<Text>(text));
    return out;
}

// A CR LF pair goes; lone CR and LF stay.
const auto SkipLineBreak = [](const auto *r, qsizetype i, qsizetype n) -> qsizetype {
    return (r[i] == '\r' && i + 1 < n && r[i + 1] == '\n') ? 2 : 0;
};

template <typename Text>
Text RemoveLineBreaksIn(Text text)
{
    if (!text.isDetached())
        return CollapseWithout(text, SkipLineBreak);
    CollapseInPlace(text, SkipLineBreak);
    return text;
}

} // namespace

Section HeadSection(const QString &text)
{
    return HeadSectionIn(QStringView(text));
}

Section HeadSection(const QByteArray &text)
{
    return HeadSectionIn(QByteArrayView(text));
}

QString ExtractHead(const QString &text)
{
    return ExtractHeadIn(text);
}

QByteArray ExtractHead(const QByteArray &text)
{
    return ExtractHeadIn(text);
}

QString RestoreHead(const QString &text, QString &SavedHead)
{
    return RestoreHeadIn(text, SavedHead);
}

QString RestoreHead(QString &&text, QString &SavedHead)
{
    return RestoreHeadIn(std::move(text), SavedHead);
}

QByteArray RestoreHead(QByteArray text, QByteArray &SavedHead)
{
    return RestoreHeadIn(std::move(text), SavedHead);
}

bool InsideTag(const QString &text, qsizetype index)
{
    const qsizetype lessThan = NextOf(text, '<', index);
    const qsizetype greaterThan = NextOf(text, '>', index);
    return !(lessThan >= 0 && greaterThan >= 0 && lessThan < greaterThan);
}

template <typename Text>
bool BasicTagScanner<Text>::insideTag(qsizetype index)
{
    if (m_lessThan != -1 && m_lessThan < index)
        m_lessThan = NextOf(m_text, '<', index);
    if (m_greaterThan != -1 && m_greaterThan < index)
        m_greaterThan = NextOf(m_text, '>', index);
    return !(m_lessThan >= 0 && m_greaterThan >= 0 && m_lessThan < m_greaterThan);
}

template class BasicTagScanner<QString>;
template class BasicTagScanner<QByteArray>;

void AppendBrokenAfterTags(QString &out, QStringView text)
{
    AppendBrokenIn<QString>(out, text);
}

void AppendBrokenAfterTags(QByteArray &out, QByteArrayView text)
{
    AppendBrokenIn<QByteArray>(out, text);
}

QString BreakAfterTags(const QString &text)
{
    return BreakAfterTagsIn(text);
}

QByteArray BreakAfterTags(const QByteArray &text)
{
    return BreakAfterTagsIn(text);
}

void AppendCollapsedBlanks(QString &out, qsizetype run)
{
    if (run > 0)
        out.append(QString(BlanksAfterSixPasses(run), QLatin1Char(' ')));
}

QString CollapseBlanks(const QString &text)
{
    return CollapseWithout(text, [](const char16_t *, qsizetype, qsizetype) -> qsizetype { return 0; });
}

QString RemoveLineBreaks(const QString &text)
{
    return RemoveLineBreaksIn(text);
}

QByteArray RemoveLineBreaks(QByteArray text)
{
    return RemoveLineBreaksIn(std::move(text));
}

} // namespace korvel
