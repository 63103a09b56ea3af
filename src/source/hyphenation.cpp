#include "source/hyphenation.h"

#include "source/textmatch.h"
#include "source/transformhelpers.h"
#include "textio/largebuffer.h"

namespace korvel {

namespace {

// The text as it stands while the hyphens are removed from left to right: the part already
// done (with its hyphens gone) followed by the untouched rest of the original from `rest` on.
class TextInProgress final {
public:
    TextInProgress(const QString &done, const QString &original, qsizetype rest)
        : m_done(done), m_original(original), m_rest(rest)
    {
    }

    qsizetype size() const { return m_done.size() + m_original.size() - m_rest; }

    QChar at(qsizetype i) const
    {
        return i < m_done.size() ? m_done[i] : m_original[m_rest + i - m_done.size()];
    }

    // `length` characters from `begin`, copied into `room` (space for `length`); a window that
    // would begin before the start begins at the start and keeps its length, one that runs past
    // the end is cut there. Read for every hyphen of a page, so nothing is allocated.
    QStringView window(qsizetype begin, qsizetype length, char16_t *room) const
    {
        begin = qMax<qsizetype>(begin, 0);
        const qsizetype end = qMin(begin + length, size());
        for (qsizetype i = begin; i < end; ++i)
            room[i - begin] = at(i).unicode();
        return QStringView(room, qMax<qsizetype>(end - begin, 0));
    }

private:
    const QString &m_done;
    const QString &m_original;
    qsizetype m_rest;
};

bool IsSetPhrase(const TextInProgress &text, qsizetype hyphen)
{
    char16_t room[25];
    const QStringView near = text.window(hyphen - 4, 10, room);
    for (const char *phrase : {"-to-", "-of-", "Know-how", "the-art"}) {
        if (near.contains(QLatin1String(phrase)))
            return true;
    }
    return text.window(hyphen - 15, 25, room).contains(QLatin1String("www."));
}

} // namespace

HyphenationResult RemoveHyphenation(const QString &text)
{
    HyphenationResult result;
    qsizetype from = IndexOfAsciiNoCase(text, QStringLiteral("<body"));
    if (from < 0)
        from = 0;

    QString &out = result.text;
    out.reserve(text.size());
    adviseHugePages(out);
    out.append(QStringView(text).left(from));
    TagScanner tags(text);
    const qsizetype n = text.size();
    qsizetype done = from; // text[0, done) has been dealt with
    for (qsizetype i = text.indexOf(QLatin1Char('-'), from); i >= 0; i = text.indexOf(QLatin1Char('-'), i + 1)) {
        out.append(QStringView(text).mid(done, i - done));
        done = i;
        // Everything behind the hyphen is still the original text, so the tag test can look at
        // the original; the phrase windows reach back into the part already changed.
        const bool lowerLetterFollows = i + 1 < n && text[i + 1] >= QLatin1Char('a') && text[i + 1] <= QLatin1Char('z');
        if (lowerLetterFollows && !tags.insideTag(i)
            && !IsSetPhrase(TextInProgress(out, text, i), out.size())) {
            ++result.count;
            done = i + 1;
        }
    }
    out.append(QStringView(text).mid(done));
    return result;
}

} // namespace korvel
