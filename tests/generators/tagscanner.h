#pragma once

#include <QList>
#include <QString>
#include <optional>
#include <utility>

namespace korvel::test {

// A piece of a generated fragment: a start or end tag with its attribute values (references
// resolved), or the raw text between tags.
struct HtmlNode {
    enum Kind { Start, End, Text } kind = Text;
    QString name;  // tag name as written
    QList<std::pair<QString, QString>> attributes;
    QString text;

    std::optional<QString> attribute(const QString &attributeName) const
    {
        for (const auto &[n, v] : attributes)
            if (n == attributeName)
                return v;
        return std::nullopt;
    }
};

// Reads a fragment strictly: every attribute must be name="value"; a stray quote or a
// character that cannot start an attribute makes the whole fragment unreadable (nothing).
inline std::optional<QList<HtmlNode>> scanHtml(const QString &html)
{
    const auto unescape = [](QString v) {
        v.replace(QLatin1String("&quot;"), QLatin1String("\""));
        v.replace(QLatin1String("&lt;"), QLatin1String("<"));
        v.replace(QLatin1String("&gt;"), QLatin1String(">"));
        v.replace(QLatin1String("&amp;"), QLatin1String("&"));
        return v;
    };
    const auto isNameChar = [](QChar c) { return c.isLetterOrNumber() || c == u'-' || c == u':'; };
    QList<HtmlNode> nodes;
    qsizetype i = 0;
    const qsizetype n = html.size();
    while (i < n) {
        if (html.at(i) != u'<') {
            const qsizetype next = html.indexOf(QLatin1Char('<'), i);
            const qsizetype end = next < 0 ? n : next;
            nodes.append({HtmlNode::Text, {}, {}, html.mid(i, end - i)});
            i = end;
            continue;
        }
        HtmlNode tag;
        tag.kind = HtmlNode::Start;
        ++i;
        if (i < n && html.at(i) == u'/') {
            tag.kind = HtmlNode::End;
            ++i;
        }
        const qsizetype nameStart = i;
        while (i < n && isNameChar(html.at(i)))
            ++i;
        tag.name = html.mid(nameStart, i - nameStart);
        if (tag.name.isEmpty())
            return std::nullopt;
        for (;;) {
            while (i < n && html.at(i).isSpace())
                ++i;
            if (i >= n)
                return std::nullopt;
            if (html.at(i) == u'>') {
                ++i;
                break;
            }
            const qsizetype attrStart = i;
            while (i < n && isNameChar(html.at(i)))
                ++i;
            const QString attrName = html.mid(attrStart, i - attrStart);
            if (attrName.isEmpty() || i + 1 >= n || html.at(i) != u'=' || html.at(i + 1) != u'"')
                return std::nullopt;
            i += 2;
            const qsizetype close = html.indexOf(QLatin1Char('"'), i);
            if (close < 0)
                return std::nullopt;
            tag.attributes.append({attrName, unescape(html.mid(i, close - i))});
            i = close + 1;
        }
        nodes.append(tag);
    }
    return nodes;
}

} // namespace korvel::test
