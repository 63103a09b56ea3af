#include "source/htmltags.h"

#include "source/textmatch.h"

namespace korvel {

namespace {

bool IsAsciiLetter(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z');
}

bool IsNameCharacter(QChar c)
{
    const char16_t u = c.unicode();
    return IsAsciiLetter(c) || (u >= u'0' && u <= u'9') || u == u'-' || u == u':';
}

} // namespace

bool NextHtmlTag(QStringView text, qsizetype from, HtmlTag &tag)
{
    const qsizetype n = text.size();
    qsizetype i = qMax<qsizetype>(from, 0);
    while (true) {
        i = text.indexOf(QLatin1Char('<'), i);
        if (i < 0 || i + 1 >= n)
            return false;
        if (text.mid(i, 4) == QLatin1String("<!--")) {
            const qsizetype close = text.indexOf(QLatin1String("-->"), i + 4);
            if (close < 0)
                return false;
            i = close + 3;
            continue;
        }
        const bool closing = text[i + 1] == QLatin1Char('/');
        qsizetype nameBegin = i + (closing ? 2 : 1);
        if (nameBegin >= n || !IsAsciiLetter(text[nameBegin])) {
            ++i;
            continue;
        }
        qsizetype nameEnd = nameBegin;
        while (nameEnd < n && IsNameCharacter(text[nameEnd]))
            ++nameEnd;
        // The tag ends at the first ">" outside a quoted value; a quote opens a value only
        // behind "=", as the parser reads it.
        QChar quote;
        QChar lastSeen;
        qsizetype j = nameEnd;
        for (; j < n; ++j) {
            const QChar c = text[j];
            if (!quote.isNull()) {
                if (c == quote)
                    quote = QChar();
                continue;
            }
            if (c == QLatin1Char('>'))
                break;
            if ((c == QLatin1Char('"') || c == QLatin1Char('\'')) && lastSeen == QLatin1Char('='))
                quote = c;
            if (c.unicode() > 0x20)
                lastSeen = c;
        }
        if (j >= n)
            return false;
        tag.begin = i;
        tag.end = j + 1;
        tag.closing = closing;
        tag.name = AsciiLowerCase(text.mid(nameBegin, nameEnd - nameBegin).toString());
        return true;
    }
}

HtmlTag MatchingEndTag(QStringView text, qsizetype from, const QString &name)
{
    int depth = 0;
    HtmlTag tag;
    qsizetype at = from;
    while (NextHtmlTag(text, at, tag)) {
        at = tag.end;
        if (tag.name != name)
            continue;
        if (!tag.closing)
            ++depth;
        else if (depth == 0)
            return tag;
        else
            --depth;
    }
    return HtmlTag();
}

} // namespace korvel
