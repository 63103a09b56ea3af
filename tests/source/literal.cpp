#include "literal.h"

#include <QList>

namespace korvel::literal {

namespace {

const QString CrLf = QStringLiteral("\r\n");

QString LowerAscii(QString s)
{
    for (QChar &c : s) {
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            c = QChar(c.unicode() + 32);
    }
    return s;
}

QString UpperEachCharacter(const QString &s)
{
    QString u = s;
    for (QChar &c : u) {
        const char32_t upper = QChar::toUpper(char32_t(c.unicode()));
        if (upper <= 0xFFFF)
            c = QChar(char16_t(upper));
    }
    return u;
}

// Every occurrence, searched left to right, replaced text not searched again.
QString ReplaceEvery(const QString &text, const QString &oldText, const QString &newText, bool asciiNoCase)
{
    const QString haystack = asciiNoCase ? LowerAscii(text) : text;
    const QString needle = asciiNoCase ? LowerAscii(oldText) : oldText;
    QString result;
    int from = 1;
    for (;;) {
        const int p = Pos(needle, haystack, from);
        if (p == 0)
            break;
        result += text.mid(from - 1, p - from) + newText;
        from = p + int(needle.size());
    }
    return result + text.mid(from - 1);
}

QString SixPasses(QString s)
{
    for (int i = 0; i < 6; ++i)
        s = ReplaceEvery(s, QStringLiteral("  "), QStringLiteral(" "), false);
    return s;
}

QString Trim(const QString &s)
{
    int b = 0;
    int e = int(s.size());
    while (b < e && s[b].unicode() <= 32)
        ++b;
    while (e > b && s[e - 1].unicode() <= 32)
        --e;
    return s.mid(b, e - b);
}

// 1-based character access; the character behind the end reads as NUL.
QChar At(const QString &s, int p)
{
    return (p >= 1 && p <= s.size()) ? s[p - 1] : QChar();
}

} // namespace

int Pos(const QString &needle, const QString &text, int from)
{
    if (needle.isEmpty() || from < 1 || from > text.size())
        return 0;
    return int(text.indexOf(needle, from - 1)) + 1;
}

int PosNoCase(const QString &needle, const QString &text, int from)
{
    return Pos(LowerAscii(needle), LowerAscii(text), from);
}

QString CompactHtml(QString text)
{
    text = ReplaceEvery(text, QStringLiteral("\r"), QString(), false);
    text = ReplaceEvery(text, QStringLiteral("\n"), QString(), false);
    text = ReplaceEvery(text, QStringLiteral("\t"), QString(), false);
    return SixPasses(text);
}

QString RemoveLineBreaks(QString text)
{
    return SixPasses(ReplaceEvery(text, CrLf, QString(), false));
}

QString ExtractHead(const QString &text)
{
    const int p1 = PosNoCase(QStringLiteral("<head"), text, 1);
    const int p2 = PosNoCase(QStringLiteral("</head>"), text, 1);
    if (p1 == 0 || p2 == 0 || p2 + 7 - p1 <= 0)
        return QString();
    return text.mid(p1 - 1, p2 + 7 - p1);
}

QString RestoreHead(const QString &text, QString &SavedHead)
{
    if (SavedHead.isEmpty())
        return text;
    const QString head = ExtractHead(text);
    if (head.isEmpty())
        return text;
    const int p = Pos(head, text, 1);
    QString result = text;
    result.replace(p - 1, head.size(), SavedHead);
    SavedHead.clear();
    return result;
}

bool InsideTag(const QString &text, int position)
{
    const int lt = Pos(QStringLiteral("<"), text, position);
    const int gt = Pos(QStringLiteral(">"), text, position);
    return !(lt > 0 && gt > 0 && lt < gt);
}

QString RemoveLineFeeds(const QString &text)
{
    QString SavedHead = ExtractHead(text);
    QString s = RemoveLineBreaks(text);
    if (!Trim(SavedHead).isEmpty())
        s = RestoreHead(s, SavedHead);
    return s;
}

QString InsertLineFeeds(const QString &text)
{
    QString SavedHead = ExtractHead(text);
    QString s = ReplaceEvery(text, QStringLiteral(">"), QStringLiteral(">\r\n"), false);
    if (!Trim(SavedHead).isEmpty())
        s = RestoreHead(s, SavedHead);
    return s;
}

QString RemoveHyphenation(QString s, int &count)
{
    count = 0;
    int from = PosNoCase(QStringLiteral("<body"), s, 1);
    if (from == 0)
        from = 1;
    int p = Pos(QStringLiteral("-"), s, from);
    while (p > 0) {
        const QChar next = At(s, p + 1);
        bool remove = next >= QLatin1Char('a') && next <= QLatin1Char('z') && !InsideTag(s, p);
        if (remove) {
            const QString near = s.mid(qMax(p - 4, 1) - 1, 10);
            const QString wide = s.mid(qMax(p - 15, 1) - 1, 25);
            for (const char *phrase : {"-to-", "-of-", "Know-how", "the-art"}) {
                if (near.contains(QLatin1String(phrase)))
                    remove = false;
            }
            if (wide.contains(QLatin1String("www.")))
                remove = false;
        }
        if (remove) {
            s.remove(p - 1, 1);
            ++count;
        }
        p = Pos(QStringLiteral("-"), s, p + 1);
    }
    return s;
}

QString ReplaceUmlauts(QString text)
{
    const std::pair<char16_t, const char *> table[] = {
        {0x20AC, "&euro;"}, {0xA9, "&copy;"}, {0xAE, "&reg;"}, {0xC4, "&Auml;"}, {0xDC, "&Uuml;"},
        {0xD6, "&Ouml;"}, {0xE4, "&auml;"}, {0xFC, "&uuml;"}, {0xF6, "&ouml;"}, {0xDF, "&szlig;"},
    };
    for (const auto &[c, entity] : table)
        text = ReplaceEvery(text, QString(QChar(c)), QLatin1String(entity), false);
    return text;
}

QString ReplaceAll(const QString &text, const QString &findText, const QString &replacement, bool matchCase)
{
    if (findText.isEmpty())
        return text;
    const QString haystack = matchCase ? text : UpperEachCharacter(text);
    const QString needle = matchCase ? findText : UpperEachCharacter(findText);
    QString result;
    int from = 1;
    for (;;) {
        const int p = Pos(needle, haystack, from);
        if (p == 0)
            break;
        result += text.mid(from - 1, p - from) + replacement;
        from = p + int(needle.size());
    }
    return result + text.mid(from - 1);
}

} // namespace korvel::literal
