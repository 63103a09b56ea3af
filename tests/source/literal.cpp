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

namespace {

QString QuoteAttributeValues(QString s)
{
    int start = PosNoCase(QStringLiteral("<body"), s, 1);
    if (start == 0)
        start = 1;
    int p = Pos(QStringLiteral("="), s, start);
    while (p > 0) {
        if (At(s, p + 1) == QLatin1Char('"')) {
            const int q = Pos(QStringLiteral("\""), s, p + 2);
            if (q == 0)
                break;
            p = Pos(QStringLiteral("="), s, q + 2);
            continue;
        }
        s.insert(p, QLatin1Char('"'));
        for (int k = 1; k <= 300; ++k) {
            const int idx = p + 1 + k;
            if (idx > s.size())
                break;
            const QChar c = At(s, idx);
            if (c == QLatin1Char('"'))
                break;
            if (c == QLatin1Char(' ') || c == QLatin1Char('>')) {
                s.insert(idx - 1, QStringLiteral("\" "));
                break;
            }
        }
        // The same "=" is met again, now followed by a quote.
    }
    return s;
}

QString JoinBreaksInsideTags(QString s)
{
    QString SavedHead = ExtractHead(s);
    int p = Pos(CrLf, s, 1);
    while (p > 0) {
        if (InsideTag(s, p))
            s.replace(p - 1, 2, QStringLiteral(" "));
        p = Pos(CrLf, s, p + 1);
    }
    if (!Trim(SavedHead).isEmpty())
        s = RestoreHead(s, SavedHead);
    return s;
}

bool Has(const QString &s, const char *what)
{
    return PosNoCase(QLatin1String(what), s, 1) > 0;
}

QString CompleteSkeleton(QString s)
{
    if (!Has(s, "<html>")) {
        QString d;
        const int b = PosNoCase(QStringLiteral("<!DOCTYPE"), s, 1);
        if (b > 0) {
            const int e = PosNoCase(QStringLiteral(">"), s, b);
            if (e > 0)
                d = s.mid(b - 1, e - b + 1);
        }
        if (!d.isEmpty())
            s.remove(Pos(d, s, 1) - 1, d.size());
        s = d + CrLf + QStringLiteral("<html>") + s;
    }
    if (!Has(s, "</html>"))
        s += QStringLiteral("</html>");
    if (!Has(s, "<head>") && Has(s, "<html>"))
        s.insert(PosNoCase(QStringLiteral("<html>"), s, 1) - 1 + 6, CrLf + QStringLiteral("<head>"));
    if (!Has(s, "</head>") && Has(s, "<body"))
        s.insert(PosNoCase(QStringLiteral("<body"), s, 1) - 1, CrLf + QStringLiteral("</head>") + CrLf);
    if (!Has(s, "<body") && Has(s, "</head>"))
        s.insert(PosNoCase(QStringLiteral("</head>"), s, 1) - 1 + 7, CrLf + QStringLiteral("<body>"));
    if (!Has(s, "</body>") && Has(s, "</html>"))
        s.insert(PosNoCase(QStringLiteral("</html>"), s, 1) - 1, CrLf + QStringLiteral("</body>"));
    return s;
}

QList<int> AllPositions(const QString &pattern, const QString &s)
{
    QList<int> found;
    int p = PosNoCase(pattern, s, 1);
    while (p > 0) {
        found.append(p);
        p = PosNoCase(pattern, s, p + int(pattern.size()));
    }
    return found;
}

QString Marked(const QString &opening)
{
    QString m = opening;
    m[1] = QLatin1Char('!');
    return m;
}

QString BalanceTags(const QString &opening, const QString &closing, QString s, QString &report,
                    const CatalogueLine &line)
{
    const QList<int> opens = AllPositions(opening, s);
    const QList<int> closes = AllPositions(closing, s);
    const int n = int(opens.size());
    const int m = int(closes.size());
    if (n == m)
        return s;
    QList<int> match(n, 0);
    QList<bool> taken(m, false);
    for (int k = n - 1; k >= 0; --k) {
        for (int j = 0; j < m; ++j) {
            if (closes[j] > opens[k] && !taken[j]) {
                match[k] = closes[j];
                taken[j] = true;
                break;
            }
        }
    }
    for (int k = 0; k < n; ++k) {
        if (match[k] != 0)
            continue;
        const int p = PosNoCase(opening, s, qMax(opens[k] - 1, 1));
        s.replace(p - 1, opening.size(), Marked(opening));
        report += CrLf + line(13) + opening + QStringLiteral(" ") + QString::number(k + 1) + line(12);
    }
    if (n > m)
        report += CrLf + QString::number(n - m) + closing + QStringLiteral(" ") + line(14);
    if (m > n) {
        int count = 0;
        for (int j = 0; j < m; ++j) {
            if (match.contains(closes[j]))
                continue;
            const int p = PosNoCase(closing, s, qMax(closes[j] - 1, 1));
            s.replace(p - 1, closing.size(), QString(closing.size(), QLatin1Char(' ')));
            ++count;
        }
        report += CrLf + QString::number(count) + line(16) + closing + line(17);
    }
    return s;
}

QString CollapseBlanks(QString s)
{
    int pos = 1;
    for (;;) {
        const int lt = Pos(QStringLiteral("<"), s, pos);
        if (lt == 0)
            break;
        const int gt = Pos(QStringLiteral(">"), s, lt);
        if (gt == 0)
            break;
        const QString tag = SixPasses(s.mid(lt - 1, gt - lt + 1));
        s.replace(lt - 1, gt - lt + 1, tag);
        pos = gt;
    }
    return SixPasses(s);
}

QString RevealMarks(const QString &marked, const QString &prefix, QString s)
{
    s = Trim(s);
    int from = PosNoCase(QStringLiteral("<body"), s, 1);
    if (from == 0)
        from = 1;
    int p = PosNoCase(marked, s, from);
    while (p > 0) {
        s.replace(p - 1, 2, prefix);
        const int gt = Pos(QStringLiteral(">"), s, p + int(marked.size()));
        if (gt > 0)
            s.replace(gt - 1, 1, QStringLiteral("></!CheckThis>"));
        p = PosNoCase(marked, s, from);
    }
    return s;
}

} // namespace

QString CheckHtml(const QString &text, QString &report, const CatalogueLine &line)
{
    report.clear();
    QString s = QuoteAttributeValues(text);
    s = ReplaceEvery(s, QStringLiteral(" >"), QStringLiteral(">"), true);
    s = ReplaceEvery(s, QStringLiteral("<o:p>"), QString(), true);
    s = ReplaceEvery(s, QStringLiteral("<tr>&nbsp;</tr>"), QString(), true);
    s = JoinBreaksInsideTags(s);
    s = CompleteSkeleton(s);
    s = BalanceTags(QStringLiteral("<div"), QStringLiteral("</div>"), s, report, line);
    s = BalanceTags(QStringLiteral("<span"), QStringLiteral("</span>"), s, report, line);
    s = BalanceTags(QStringLiteral("<table"), QStringLiteral("</table>"), s, report, line);
    s = BalanceTags(QStringLiteral("<tr"), QStringLiteral("</tr>"), s, report, line);
    s = BalanceTags(QStringLiteral("<td"), QStringLiteral("</td>"), s, report, line);
    s = CollapseBlanks(s);
    s = ReplaceEvery(s, QStringLiteral("> <"), QStringLiteral("><"), false);
    s = RevealMarks(QStringLiteral("<!iv"), QStringLiteral("<d"), s);
    s = RevealMarks(QStringLiteral("<!pan"), QStringLiteral("<s"), s);
    s = RevealMarks(QStringLiteral("<!able"), QStringLiteral("<t"), s);
    s = RevealMarks(QStringLiteral("<!d"), QStringLiteral("<t"), s);
    s = RevealMarks(QStringLiteral("<!r"), QStringLiteral("<t"), s);
    return s;
}

} // namespace korvel::literal
