// The tag-balance check the slow, obvious way: the tags are found again by a character scan
// after every edit, and every repair is an insert into or a removal from the growing string.
// Indices count from 0 here.
#include "literal.h"

#include <QList>

#include <algorithm>

namespace korvel::literal {

namespace {

const QString CrLf = QStringLiteral("\r\n");

struct Tag {
    int start = 0, end = 0, nameStart = 0, nameEnd = 0;
    bool closing = false, closed = false;
    QString name; // lower case
};

bool Letter(QChar c)
{
    return (c >= QLatin1Char('a') && c <= QLatin1Char('z')) || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'));
}

bool Space(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\r') || c == QLatin1Char('\n')
        || c == QLatin1Char('\f');
}

bool Quote(QChar c)
{
    return c == QLatin1Char('"') || c == QLatin1Char('\'');
}

QString Lower(QString s)
{
    for (QChar &c : s) {
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            c = QChar(c.unicode() + 32);
    }
    return s;
}

QList<Tag> Tags(const QString &s)
{
    QList<Tag> tags;
    const int n = int(s.size());
    int i = 0;
    while (i < n) {
        if (s[i] != QLatin1Char('<')) {
            ++i;
            continue;
        }
        if (s.mid(i, 4) == QStringLiteral("<!--")) {
            const int e = int(s.indexOf(QStringLiteral("-->"), i + 4));
            i = e < 0 ? n : e + 3;
            continue;
        }
        if (i + 1 < n && (s[i + 1] == QLatin1Char('!') || s[i + 1] == QLatin1Char('?'))) {
            const int e = int(s.indexOf(QLatin1Char('>'), i + 2));
            i = e < 0 ? n : e + 1;
            continue;
        }
        Tag t;
        t.start = i;
        t.closing = i + 1 < n && s[i + 1] == QLatin1Char('/');
        t.nameStart = i + (t.closing ? 2 : 1);
        if (t.nameStart >= n || !Letter(s[t.nameStart])) {
            ++i;
            continue;
        }
        t.nameEnd = t.nameStart;
        while (t.nameEnd < n && !Space(s[t.nameEnd]) && s[t.nameEnd] != QLatin1Char('/') && s[t.nameEnd] != QLatin1Char('>'))
            ++t.nameEnd;
        t.name = Lower(s.mid(t.nameStart, t.nameEnd - t.nameStart));
        int j = t.nameEnd;
        while (j < n && s[j] != QLatin1Char('>')) {
            if (!t.closing && s[j] == QLatin1Char('=')) {
                int k = j + 1;
                while (k < n && Space(s[k]))
                    ++k;
                const int close = k < n && Quote(s[k]) ? int(s.indexOf(s[k], k + 1)) : -1;
                j = close >= 0 ? close + 1 : k;
                continue;
            }
            ++j;
        }
        t.closed = j < n;
        t.end = t.closed ? j + 1 : n;
        tags.append(t);
        i = t.end;
        if (!t.closing && (t.name == QStringLiteral("script") || t.name == QStringLiteral("style")
                           || t.name == QStringLiteral("textarea"))) {
            const int e = PosNoCase(QStringLiteral("</") + t.name, s, i + 1);
            i = e == 0 ? n : e - 1;
        }
    }
    return tags;
}

const Tag *First(const QList<Tag> &tags, const char *name, bool closing)
{
    for (const Tag &t : tags) {
        if (t.closing == closing && t.name == QLatin1String(name))
            return &t;
    }
    return nullptr;
}

// The unquoted values of a start tag that need quotes: where the opening quote goes and where
// the closing one goes (-1: none).
QList<QPair<int, int>> UnquotedValues(const QString &s, const Tag &t)
{
    QList<QPair<int, int>> values;
    int j = t.nameEnd;
    while (j < t.end) {
        if (s[j] != QLatin1Char('=')) {
            ++j;
            continue;
        }
        int k = j + 1;
        while (k < t.end && Space(s[k]))
            ++k;
        if (k < t.end && Quote(s[k])) {
            const int close = int(s.indexOf(s[k], k + 1));
            if (close < 0 || close >= t.end)
                break;
            j = close + 1;
            continue;
        }
        int closeAt = -1;
        int m = k;
        for (; m < t.end && m < k + 300; ++m) {
            if (s[m] == QLatin1Char('"'))
                break;
            if (s[m] == QLatin1Char('>') || Space(s[m])) {
                closeAt = m;
                break;
            }
        }
        values.append({k, closeAt});
        j = qMax(m, k + 1);
    }
    return values;
}

QString QuoteAttributeValues(QString s)
{
    const QList<Tag> tags = Tags(s);
    const Tag *body = First(tags, "body", false);
    const int from = body ? body->start : 0;
    for (qsizetype i = tags.size() - 1; i >= 0; --i) {
        const Tag &t = tags[i];
        if (t.closing || t.start < from)
            continue;
        const QList<QPair<int, int>> values = UnquotedValues(s, t);
        for (qsizetype v = values.size() - 1; v >= 0; --v) {
            if (values[v].second >= 0)
                s.insert(values[v].second, QLatin1Char('"'));
            s.insert(values[v].first, QLatin1Char('"'));
        }
    }
    return s;
}

QString RemoveClutter(QString s)
{
    QList<Tag> tags = Tags(s);
    for (qsizetype i = tags.size() - 1; i >= 0; --i) {
        const Tag &t = tags[i];
        if (t.closed && t.end - 2 >= t.nameEnd && s[t.end - 2] == QLatin1Char(' '))
            s.remove(t.end - 2, 1);
    }
    tags = Tags(s);
    for (qsizetype i = tags.size() - 1; i >= 0; --i) {
        if (!tags[i].closing && tags[i].closed && Lower(s.mid(tags[i].start, tags[i].end - tags[i].start)) == QStringLiteral("<o:p>"))
            s.remove(tags[i].start, 5);
    }
    tags = Tags(s);
    for (qsizetype i = tags.size() - 1; i >= 0; --i) {
        if (!tags[i].closing && Lower(s.mid(tags[i].start, 15)) == QStringLiteral("<tr>&nbsp;</tr>"))
            s.remove(tags[i].start, 15);
    }
    return s;
}

QString JoinBreaksInsideTags(QString s)
{
    const int headFrom = PosNoCase(QStringLiteral("<head"), s, 1) - 1;
    const int headTo = PosNoCase(QStringLiteral("</head>"), s, 1) - 1 + 7;
    const QList<Tag> tags = Tags(s);
    for (qsizetype i = tags.size() - 1; i >= 0; --i) {
        const Tag &t = tags[i];
        if (headFrom >= 0 && headTo - 7 >= 0 && headTo > headFrom && t.start >= headFrom && t.start < headTo)
            continue;
        for (int p = t.end - 2; p >= t.start; --p) {
            if (s.mid(p, 2) == CrLf)
                s.replace(p, 2, QStringLiteral(" "));
        }
    }
    return s;
}

QString CompleteSkeleton(QString s)
{
    if (!First(Tags(s), "html", false)) {
        QString d;
        const int b = PosNoCase(QStringLiteral("<!DOCTYPE"), s, 1);
        if (b > 0) {
            const int e = Pos(QStringLiteral(">"), s, b);
            if (e > 0)
                d = s.mid(b - 1, e - b + 1);
        }
        if (!d.isEmpty())
            s = d + CrLf + QStringLiteral("<html>") + s.remove(Pos(d, s, 1) - 1, d.size());
        else
            s = QStringLiteral("<html>") + s;
    }
    if (!First(Tags(s), "html", true))
        s += QStringLiteral("</html>");
    QList<Tag> tags = Tags(s);
    if (!First(tags, "head", false) && First(tags, "html", false))
        s.insert(First(tags, "html", false)->end, CrLf + QStringLiteral("<head>"));
    tags = Tags(s);
    if (!First(tags, "head", true) && First(tags, "body", false))
        s.insert(First(tags, "body", false)->start, CrLf + QStringLiteral("</head>") + CrLf);
    tags = Tags(s);
    if (!First(tags, "body", false) && First(tags, "head", true))
        s.insert(First(tags, "head", true)->end, CrLf + QStringLiteral("<body>"));
    tags = Tags(s);
    if (!First(tags, "body", true) && First(tags, "html", true))
        s.insert(First(tags, "html", true)->start, CrLf + QStringLiteral("</body>"));
    return s;
}

QString BalanceTags(const QString &opening, const QString &closing, QString s, QString &report, QList<int> &marks,
                    QList<QPair<int, int>> &blanked, const CatalogueLine &line)
{
    const QString name = opening.mid(1);
    QList<Tag> opens, closes;
    for (const Tag &t : Tags(s)) {
        if (t.name != name)
            continue;
        if (!t.closing)
            opens.append(t);
        else if (t.closed)
            closes.append(t);
    }
    const int n = int(opens.size());
    const int m = int(closes.size());
    if (n == m)
        return s;
    QList<int> match(n, -1);
    QList<bool> taken(m, false);
    for (int k = n - 1; k >= 0; --k) {
        for (int j = 0; j < m; ++j) {
            if (closes[j].start > opens[k].start && !taken[j]) {
                match[k] = j;
                taken[j] = true;
                break;
            }
        }
    }
    for (int k = 0; k < n; ++k) {
        if (match[k] >= 0)
            continue;
        s.replace(opens[k].nameStart, name.size(), name);
        marks.append(opens[k].start);
        report += CrLf + line(13) + opening + QStringLiteral(" ") + QString::number(k + 1) + line(12);
    }
    if (n > m)
        report += CrLf + QString::number(n - m) + closing + QStringLiteral(" ") + line(14);
    if (m > n) {
        int count = 0;
        for (int j = 0; j < m; ++j) {
            if (taken[j])
                continue;
            s.replace(closes[j].start, closes[j].end - closes[j].start,
                      QString(closes[j].end - closes[j].start, QLatin1Char(' ')));
            blanked.append({closes[j].start, closes[j].end - closes[j].start});
            ++count;
        }
        report += CrLf + QString::number(count) + line(16) + closing + line(17);
    }
    return s;
}

QString CollapseTagBlanks(QString s, QList<int> &marks)
{
    const QList<Tag> tags = Tags(s);
    for (qsizetype i = tags.size() - 1; i >= 0; --i) {
        const Tag &t = tags[i];
        // The blank runs between the parts of the tag, found left to right, collapsed right to left.
        QList<QPair<int, int>> runs;
        int j = t.nameEnd;
        while (j < t.end) {
            if (s[j] == QLatin1Char('=')) {
                int k = j + 1;
                while (k < t.end && Space(s[k]))
                    ++k;
                const int close = k < t.end && Quote(s[k]) ? int(s.indexOf(s[k], k + 1)) : -1;
                j = close >= 0 && close < t.end ? close + 1 : k;
                continue;
            }
            if (s[j] == QLatin1Char(' ')) {
                int r = j;
                while (r < t.end && s[r] == QLatin1Char(' '))
                    ++r;
                runs.append({j, r - j});
                j = r;
                continue;
            }
            ++j;
        }
        for (qsizetype r = runs.size() - 1; r >= 0; --r) {
            QString run(runs[r].second, QLatin1Char(' '));
            for (int pass = 0; pass < 6; ++pass)
                run.replace(QStringLiteral("  "), QStringLiteral(" "));
            s.replace(runs[r].first, runs[r].second, run);
            for (int &mark : marks) {
                if (mark > runs[r].first)
                    mark -= int(runs[r].second - run.size());
            }
        }
    }
    return s;
}

QString RevealMarks(QString s, QList<int> marks)
{
    std::sort(marks.begin(), marks.end());
    for (qsizetype i = marks.size() - 1; i >= 0; --i) {
        const int gt = int(s.indexOf(QLatin1Char('>'), marks[i]));
        if (gt >= 0)
            s.insert(gt + 1, QStringLiteral("</!CheckThis>"));
    }
    return s;
}

} // namespace

QString CheckHtml(const QString &text, QString &report, const CatalogueLine &line)
{
    report.clear();
    QString s = QuoteAttributeValues(text);
    s = RemoveClutter(s);
    s = JoinBreaksInsideTags(s);
    s = CompleteSkeleton(s);
    QList<int> marks;
    QList<QPair<int, int>> blanked;
    for (const char *kind : {"div", "span", "table", "tr", "td"}) {
        s = BalanceTags(QStringLiteral("<") + QLatin1String(kind), QStringLiteral("</") + QLatin1String(kind) + QStringLiteral(">"),
                        s, report, marks, blanked, line);
    }
    // The blanked closing tags go, from the last to the first.
    std::sort(blanked.begin(), blanked.end());
    for (qsizetype i = blanked.size() - 1; i >= 0; --i) {
        s.remove(blanked[i].first, blanked[i].second);
        for (int &mark : marks) {
            if (mark > blanked[i].first)
                mark -= blanked[i].second;
        }
    }
    s = CollapseTagBlanks(s, marks);
    return RevealMarks(s, marks);
}

} // namespace korvel::literal
