#pragma once

#include "source/codeunits.h"

#include <QByteArray>
#include <QString>

// Text helpers of the whole-text transformations and of the tag-balance check. Indices count
// from 0.
namespace korvel {

// The head section: from the first "<head" up to and including the first "</head>", both in any
// letter case; empty when either is missing or the closing tag comes first.
QString ExtractHead(const QString &text);

struct Section {
    qsizetype begin = -1; // -1: none
    qsizetype length = 0;
};

// Where ExtractHead finds the head section.
Section HeadSection(const QString &text);

// Puts a head section saved by ExtractHead back in place of the text's current head section and
// empties `SavedHead`. Without a saved section, or when the text has no head section, the text
// comes back unchanged and `SavedHead` is kept.
QString RestoreHead(const QString &text, QString &SavedHead);
// The same in the text's own memory, for a text handed over with std::move that nothing else
// shares: the rest of the text moves by the difference, no second text is made.
QString RestoreHead(QString &&text, QString &SavedHead);

// Whether the character at `index` counts as inside a tag: it is outside only when a "<"
// follows at or after it before any ">" does. No "<" or no ">" at or after it means inside.
bool InsideTag(const QString &text, qsizetype index);

// Every ">" gets a CR LF behind it; line breaks already there stay.
QString BreakAfterTags(const QString &text);

// Appends the text with a CR LF behind every ">".
void AppendBrokenAfterTags(QString &out, QStringView text);

// Deletes every CR LF pair (lone CR and LF stay), then halves every pair of blanks six times
// over, so that a run of up to 64 blanks becomes one blank.
QString RemoveLineBreaks(const QString &text);

// The run of n blanks that six passes of "two blanks become one" leave behind.
constexpr qsizetype BlanksAfterSixPasses(qsizetype run)
{
    return (run + 63) / 64;
}

// Appends BlanksAfterSixPasses(run) blanks.
void AppendCollapsedBlanks(QString &out, qsizetype run);

// Six passes of "two blanks become one" over the whole text.
QString CollapseBlanks(const QString &text);

// Finds the next "<" and ">" at or after a position that only moves forward, in time linear in
// the text over all queries; answers InsideTag for each such position. For the editor's text
// (TagScanner) and for UTF-8 bytes, with byte positions.
template <typename Text>
class BasicTagScanner final {
public:
    explicit BasicTagScanner(const Text &text)
        : m_text(text)
    {
    }

    bool insideTag(qsizetype index);

private:
    const Text &m_text;
    qsizetype m_lessThan = -2;    // -2: not searched yet; -1: none left
    qsizetype m_greaterThan = -2;
};

using TagScanner = BasicTagScanner<QString>;
extern template class BasicTagScanner<QString>;
extern template class BasicTagScanner<QByteArray>;

// The helpers above on UTF-8 bytes, for the batch program: each gives the UTF-8 of what its
// QString form gives for the decoded text, with byte positions.
QByteArray ExtractHead(const QByteArray &text);
Section HeadSection(const QByteArray &text);
// In the text's own memory when nothing else shares it.
QByteArray RestoreHead(QByteArray text, QByteArray &SavedHead);
QByteArray BreakAfterTags(const QByteArray &text);
void AppendBrokenAfterTags(QByteArray &out, QByteArrayView text);
// In the text's own memory when nothing else shares it: handed over with std::move, the text
// is joined where it lies.
QByteArray RemoveLineBreaks(QByteArray text);

} // namespace korvel
