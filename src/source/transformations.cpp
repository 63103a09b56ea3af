#include "source/transformations.h"

#include "source/cp1252.h"
#include "source/textmatch.h"
#include "source/transformhelpers.h"

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
    QString result = BreakAfterTags(text);
    if (!IsBlank(SavedHead))
        result = RestoreHead(result, SavedHead);
    return result;
}

std::optional<QString> CharacterCode(const QString &selection)
{
    if (selection.isEmpty())
        return std::nullopt;
    // A character outside the basic plane is one pair of code units; the code page holds none.
    const int code = selection[0].isHighSurrogate() ? '?' : Cp1252Byte(selection[0]);
    return QStringLiteral("&#%1;").arg(code);
}

QString ReplaceUmlauts(const QString &text)
{
    // Each entity is plain ASCII, so one pass gives what ten passes, one per character, give.
    QString out;
    out.reserve(text.size() + text.size() / 8);
    for (QChar c : text) {
        switch (c.unicode()) {
        case 0x20AC: out.append(QLatin1String("&euro;")); break;
        case 0x00A9: out.append(QLatin1String("&copy;")); break;
        case 0x00AE: out.append(QLatin1String("&reg;")); break;
        case 0x00C4: out.append(QLatin1String("&Auml;")); break;
        case 0x00DC: out.append(QLatin1String("&Uuml;")); break;
        case 0x00D6: out.append(QLatin1String("&Ouml;")); break;
        case 0x00E4: out.append(QLatin1String("&auml;")); break;
        case 0x00FC: out.append(QLatin1String("&uuml;")); break;
        case 0x00F6: out.append(QLatin1String("&ouml;")); break;
        case 0x00DF: out.append(QLatin1String("&szlig;")); break;
        default: out.append(c); break;
        }
    }
    return out;
}

std::optional<QString> MakeStringVariable(const QString &text)
{
    if (IsBlank(text))
        return std::nullopt;
    QString out;
    out.reserve(text.size() + text.size() / 4);
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
