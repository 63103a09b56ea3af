#include "source/transformations.h"

#include "textio/cp1252.h"
#include "source/textmatch.h"
#include "source/transformhelpers.h"
#include "textio/largebuffer.h"

#include <algorithm>

namespace korvel {

namespace {

// What the menu command does: the text joined, then the saved head section put back in place
// of the joined one. Taken by value: a text nobody else holds is joined in its own memory.
template <typename Text>
Text RemoveLineFeedsIn(Text text, Text &SavedHead)
{
    SavedHead = ExtractHead(text);
    text = RemoveLineBreaks(std::move(text));
    if (!IsBlank(SavedHead))
        text = RestoreHead(std::move(text), SavedHead);
    return text;
}

template <typename Text>
Text InsertLineFeedsIn(const Text &text, Text &SavedHead)
{
    SavedHead = ExtractHead(text);
    if (IsBlank(SavedHead))
        return BreakAfterTags(text);
    // Breaking behind every ">" and then putting the saved head section back over the broken one
    // leaves the section as it was and breaks the rest, including behind the ">" that ends the
    // section: inserting breaks behind ">" neither makes nor unmakes a "<head" or "</head>", so
    // the broken text's head section is the original one, broken. One pass builds the same.
    const Section head = HeadSection(text);
    const ViewOf<Text> whole(text);
    const ViewOf<Text> before = whole.first(head.begin);
    const ViewOf<Text> after = whole.sliced(head.begin + head.length);
    // Room for the breaks behind every ">" of the text (a few more than those outside the head).
    const UnitOf<Text> *units = unitsOf(text);
    Text out;
    out.reserve(text.size() + 2 + 2 * std::count(units, units + text.size(), UnitOf<Text>('>')));
    adviseHugePages(out);
    AppendBrokenAfterTags(out, before);
    out.append(SavedHead);
    appendAscii(out, QLatin1String("\r\n"));
    AppendBrokenAfterTags(out, after);
    SavedHead.clear();
    return out;
}

} // namespace

QString RemoveLineFeeds(const QString &text, QString &SavedHead)
{
    return RemoveLineFeedsIn(text, SavedHead);
}

QByteArray RemoveLineFeedsUtf8(QByteArray text)
{
    QByteArray SavedHead;
    return RemoveLineFeedsIn(std::move(text), SavedHead);
}

QString InsertLineFeeds(const QString &text, QString &SavedHead)
{
    return InsertLineFeedsIn(text, SavedHead);
}

QByteArray InsertLineFeedsUtf8(const QByteArray &text)
{
    QByteArray SavedHead;
    return InsertLineFeedsIn(text, SavedHead);
}

std::optional<QString> CharacterCode(const QString &selection)
{
    if (selection.isEmpty())
        return std::nullopt;
    // A character outside the basic plane is one pair of code units; the code page holds none.
    const int code = selection[0].isHighSurrogate() ? '?' : Cp1252Byte(selection[0]);
    return QStringLiteral("&#%1;").arg(code);
}

namespace {

inline QLatin1String EntityOf(char32_t c)
{
    switch (c) {
    case 0x20AC: return QLatin1String("&euro;");
    case 0x00A9: return QLatin1String("&copy;");
    case 0x00AE: return QLatin1String("&reg;");
    case 0x00C4: return QLatin1String("&Auml;");
    case 0x00DC: return QLatin1String("&Uuml;");
    case 0x00D6: return QLatin1String("&Ouml;");
    case 0x00E4: return QLatin1String("&auml;");
    case 0x00FC: return QLatin1String("&uuml;");
    case 0x00F6: return QLatin1String("&ouml;");
    case 0x00DF: return QLatin1String("&szlig;");
    default: return QLatin1String();
    }
}

// Below this unit no character of the table begins: the copyright sign is the lowest in
// UTF-16; in UTF-8 every one begins with a lead byte, and C2 is the lowest there is.
constexpr char32_t FirstEntityUnit(char16_t) { return 0xA9; }
constexpr char32_t FirstEntityUnit(char) { return 0xC2; }

template <typename Text>
Text ReplaceUmlautsIn(const Text &text)
{
    using Unit = UnitOf<Text>;
    // Each entity is plain ASCII, so one pass gives what ten passes, one per character, give.
    Text out;
    out.reserve(text.size() + text.size() / 8);
    adviseHugePages(out);
    const ViewOf<Text> whole(text);
    const Unit *units = unitsOf(text);
    const qsizetype n = text.size();
    qsizetype done = 0;
    qsizetype i = 0;
    while (i < n) {
        if (unitValue(units[i]) < FirstEntityUnit(Unit())) {
            ++i;
            continue;
        }
        qsizetype length = 1;
        const QLatin1String entity = EntityOf(characterAt(units, n, i, &length));
        if (!entity.isEmpty()) {
            out.append(whole.sliced(done, i - done));
            appendAscii(out, entity);
            done = i + length;
        }
        i += length;
    }
    out.append(whole.sliced(done));
    return out;
}

template <typename Text>
std::optional<Text> MakeStringVariableIn(const Text &text)
{
    if (IsBlank(text))
        return std::nullopt;
    const ViewOf<Text> whole(text);
    const UnitOf<Text> *units = unitsOf(text);
    Text out;
    out.reserve(text.size() + text.size() / 4);
    adviseHugePages(out);
    const qsizetype n = text.size();
    qsizetype begin = 0;
    bool first = true;
    while (begin <= n) {
        qsizetype end = begin;
        while (end < n && units[end] != '\r' && units[end] != '\n')
            ++end;
        const ViewOf<Text> line = whole.sliced(begin, end - begin);
        if (!IsBlank(line)) {
            if (!first)
                appendAscii(out, QLatin1String("'+\r\n"));
            appendAscii(out, '\'');
            out.append(line);
            first = false;
        }
        if (end == n)
            break;
        begin = end + ((units[end] == '\r' && end + 1 < n && units[end + 1] == '\n') ? 2 : 1);
    }
    appendAscii(out, QLatin1String("';"));
    return out;
}

} // namespace

QString ReplaceUmlauts(const QString &text)
{
    return ReplaceUmlautsIn(text);
}

QByteArray ReplaceUmlautsUtf8(const QByteArray &text)
{
    return ReplaceUmlautsIn(text);
}

std::optional<QString> MakeStringVariable(const QString &text)
{
    return MakeStringVariableIn(text);
}

std::optional<QByteArray> MakeStringVariableUtf8(const QByteArray &text)
{
    return MakeStringVariableIn(text);
}

} // namespace korvel
