#include "source/hyphenation.h"

#include "source/codeunits.h"
#include "source/textmatch.h"
#include "source/transformhelpers.h"
#include "textio/largebuffer.h"

#include <algorithm>

namespace korvel {

namespace {

// The text as it stands while the hyphens are removed from left to right: the part already
// done (with its hyphens gone) followed by the untouched rest of the original from `rest` on,
// where the hyphen being judged is.
template <typename Text>
class TextInProgress final {
public:
    using Unit = UnitOf<Text>;
    using View = ViewOf<Text>;

    // No window reaches more than three units per UTF-16 unit (plus a character cut in two)
    // back from the hyphen or forward from it; the room holds the longest of those.
    static constexpr qsizetype MaxUnits(qsizetype utf16Units) { return 3 * utf16Units + 4; }
    static constexpr qsizetype RoomUnits = MaxUnits(15) + MaxUnits(25);

    TextInProgress(const Text &done, const Text &original, qsizetype rest)
        : m_done(done), m_original(original), m_rest(rest)
    {
    }

    // The window of `length` UTF-16 units that begins `before` units ahead of the hyphen, copied
    // into `room`: a window that would begin before the start begins at the start and keeps its
    // length, one that runs past the end is cut there. The limits count the editor's units, so
    // both forms look at the same characters; a character cut by a limit is taken whole in
    // UTF-8, where it cannot be part of the ASCII phrases looked for. Read for every hyphen of a
    // page, so nothing is allocated.
    View window(qsizetype before, qsizetype length, Unit *room) const
    {
        const Unit *done = unitsOf(m_done);
        qsizetype unitsBefore = 0;
        // The bounds hold for every text, well-formed or not: bytes that are no UTF-8 cannot
        // stretch a window past its room.
        const qsizetype begin = qMax(stepBackUtf16Units(done, m_done.size(), before, &unitsBefore),
                                     m_done.size() - MaxUnits(before));
        const Unit *original = unitsOf(m_original);
        const qsizetype end = qMin(stepForwardUtf16Units(original, m_rest, m_original.size(),
                                                         length - qMin(unitsBefore, before)),
                                   m_rest + MaxUnits(length));
        Unit *w = std::copy(done + begin, done + m_done.size(), room);
        w = std::copy(original + m_rest, original + end, w);
        return View(room, w - room);
    }

private:
    const Text &m_done;
    const Text &m_original;
    qsizetype m_rest;
};

template <typename Text>
bool IsSetPhrase(const TextInProgress<Text> &text)
{
    UnitOf<Text> room[TextInProgress<Text>::RoomUnits];
    const ViewOf<Text> near = text.window(4, 10, room);
    for (const char *phrase : {"-to-", "-of-", "Know-how", "the-art"}) {
        if (containsAscii(near, QLatin1String(phrase)))
            return true;
    }
    return containsAscii(text.window(15, 25, room), QLatin1String("www."));
}

const QString BodyOpening = QStringLiteral("<body");
const QByteArray BodyOpeningBytes = QByteArrayLiteral("<body");

const QString &BodyOpeningOf(const QString &) { return BodyOpening; }
const QByteArray &BodyOpeningOf(const QByteArray &) { return BodyOpeningBytes; }

template <typename Text, typename Result>
Result RemoveHyphenationIn(const Text &text)
{
    using Unit = UnitOf<Text>;
    Result result;
    const ViewOf<Text> whole(text);
    const Unit *units = unitsOf(text);
    qsizetype from = IndexOfAsciiNoCase(whole, BodyOpeningOf(text));
    if (from < 0)
        from = 0;

    Text &out = result.text;
    out.reserve(text.size());
    adviseHugePages(out);
    out.append(whole.first(from));
    BasicTagScanner<Text> tags(text);
    const qsizetype n = text.size();
    const Unit hyphen('-');
    qsizetype done = from; // text[0, done) has been dealt with
    for (qsizetype i = whole.indexOf(hyphen, from); i >= 0; i = whole.indexOf(hyphen, i + 1)) {
        out.append(whole.sliced(done, i - done));
        done = i;
        // Everything behind the hyphen is still the original text, so the tag test can look at
        // the original; the phrase windows reach back into the part already changed.
        const bool lowerLetterFollows = i + 1 < n && units[i + 1] >= 'a' && units[i + 1] <= 'z';
        if (lowerLetterFollows && !tags.insideTag(i) && !IsSetPhrase(TextInProgress<Text>(out, text, i))) {
            ++result.count;
            done = i + 1;
        }
    }
    out.append(whole.sliced(done));
    return result;
}

} // namespace

HyphenationResult RemoveHyphenation(const QString &text)
{
    return RemoveHyphenationIn<QString, HyphenationResult>(text);
}

HyphenationBytesResult RemoveHyphenationUtf8(const QByteArray &text)
{
    return RemoveHyphenationIn<QByteArray, HyphenationBytesResult>(text);
}

} // namespace korvel
