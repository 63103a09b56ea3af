#include "source/transformations.h"

#include "textio/cp1252.h"
#include "source/textmatch.h"
#include "source/transformhelpers.h"
#include "textio/largebuffer.h"

namespace korvel {

QString RemoveLineFeeds(const QString &text, QString &SavedHead)
{
    SavedHead = ExtractHead(text);
    QString result = RemoveLineBreaks(text);
    if (!IsBlank(SavedHead))
        result = RestoreHead(result, SavedHead);
    return result;
}

QString InsertLineFeeds(const QString &text, QString &SavedHead)
{
    SavedHead = ExtractHead(text);
    if (IsBlank(SavedHead))
        return BreakAfterTags(text);
    // Breaking behind every ">" and then putting the saved head section back over the broken one
    // leaves the section as it was and breaks the rest, including behind the ">" that ends the
    // section: inserting breaks behind ">" neither makes nor unmakes a "<head" or "</head>", so
    // the broken text's head section is the original one, broken. One pass builds the same.
    const Section head = HeadSection(text);
    const QStringView before = QStringView(text).left(head.begin);
    const QStringView after = QStringView(text).mid(head.begin + head.length);
    QString out;
    out.reserve(text.size() + 2 + (before.count(QLatin1Char('>')) + after.count(QLatin1Char('>'))) * 2);
    adviseHugePages(out);
    AppendBrokenAfterTags(out, before);
    out.append(SavedHead);
    out.append(QLatin1String("\r\n"));
    AppendBrokenAfterTags(out, after);
    SavedHead.clear();
    return out;
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

QLatin1String EntityOf(QChar c)
{
    switch (c.unicode()) {
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

} // namespace

QString ReplaceUmlauts(const QString &text)
{
    // Each entity is plain ASCII, so one pass gives what ten passes, one per character, give.
    QString out;
    out.reserve(text.size() + text.size() / 8);
    adviseHugePages(out);
    const qsizetype n = text.size();
    qsizetype done = 0;
    for (qsizetype i = 0; i < n; ++i) {
        if (text[i].unicode() < 0xA9)
            continue;
        const QLatin1String entity = EntityOf(text[i]);
        if (entity.isEmpty())
            continue;
        out.append(QStringView(text).mid(done, i - done));
        out.append(entity);
        done = i + 1;
    }
    out.append(QStringView(text).mid(done));
    return out;
}

std::optional<QString> MakeStringVariable(const QString &text)
{
    if (IsBlank(text))
        return std::nullopt;
    QString out;
    out.reserve(text.size() + text.size() / 4);
    adviseHugePages(out);
    const qsizetype n = text.size();
    qsizetype begin = 0;
    bool first = true;
    while (begin <= n) {
        qsizetype end = begin;
        while (end < n && text[end] != QLatin1Char('\r') && text[end] != QLatin1Char('\n'))
            ++end;
        const QStringView line = QStringView(text).mid(begin, end - begin);
        if (!IsBlank(line)) {
            if (!first)
                out.append(QLatin1String("'+\r\n"));
            out.append(QLatin1Char('\''));
            out.append(line);
            first = false;
        }
        if (end == n)
            break;
        begin = end + ((text[end] == QLatin1Char('\r') && end + 1 < n && text[end + 1] == QLatin1Char('\n')) ? 2 : 1);
    }
    out.append(QLatin1String("';"));
    return out;
}

} // namespace korvel
