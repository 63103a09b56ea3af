#pragma once

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <optional>
#include <utility>

namespace korvel::test {

// The one scanner the generator tests read their output back with: double-quoted attribute
// values only, a "<" always starts a tag. A raw '"', '<' or '>' inside a value ends up as a
// broken tag and a wrong value, which is exactly what the tests want to see.

// One tag read back from generated HTML: its lower-case name ("/map" for a closing tag), its
// attribute values with the four character references resolved, and the text after it up to
// the next tag, resolved the same way.
struct ScannedTag {
    QString name;
    QString writtenName;  // the name as written, without the "/" of a closing tag
    QMap<QString, QString> attributes;
    QList<std::pair<QString, QString>> attributeList;  // the same, in their order and case
    QStringList flags;  // attributes without a value, such as noresize
    QString textAfter;
    QString rawTextAfter;  // the text after the tag as written
    bool selfClosing = false;
    // Every attribute written name="value" and the tag closed by ">": what a strict reader
    // accepts.
    bool strict = true;
};

// A whole fragment: the text in front of the first tag (as written) and the tags.
struct ScannedMarkup {
    QString rawTextBefore;
    QList<ScannedTag> tags;
};

inline QString resolveReferences(const QString &text)
{
    QString out = text;
    out.replace(QStringLiteral("&quot;"), QStringLiteral("\""));
    out.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
    out.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
    out.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    return out;
}

inline bool isMarkupName(const QString &name)
{
    if (name.isEmpty())
        return false;
    for (const QChar c : name) {
        if (!c.isLetterOrNumber() && c != u'-' && c != u':')
            return false;
    }
    return true;
}

inline ScannedMarkup scanMarkup(const QString &html)
{
    ScannedMarkup markup;
    const qsizetype n = html.size();
    qsizetype i = html.indexOf(u'<');
    markup.rawTextBefore = html.left(i < 0 ? n : i);
    while (i >= 0 && i < n) {
        ScannedTag tag;
        qsizetype j = i + 1;
        if (j < n && html.at(j) == u'!') {
            qsizetype end = html.indexOf(u'>', j);
            if (end < 0)
                end = n - 1;
            tag.name = QStringLiteral("!doctype");
            tag.flags << html.mid(i, end - i + 1);
            tag.strict = false;
            j = end + 1;
        } else {
            while (j < n && !html.at(j).isSpace() && html.at(j) != u'>' && html.at(j) != u'/')
                ++j;
            if (j < n && html.at(j) == u'/' && j == i + 1) {
                ++j;
                while (j < n && html.at(j) != u'>')
                    ++j;
                tag.writtenName = html.mid(i + 2, j - i - 2);
                // A strict reader allows blanks before the ">" of a closing tag.
                tag.strict = isMarkupName(QStringView(tag.writtenName).trimmed().toString());
            } else {
                tag.writtenName = html.mid(i + 1, j - i - 1);
                tag.strict = isMarkupName(tag.writtenName);
            }
            tag.name = html.mid(i + 1, j - i - 1).toLower();
            while (j < n && html.at(j) != u'>') {
                if (html.at(j).isSpace()) {
                    ++j;
                    continue;
                }
                if (html.at(j) == u'/') {
                    tag.selfClosing = true;
                    tag.strict = false;
                    ++j;
                    continue;
                }
                qsizetype k = j;
                while (k < n && html.at(k) != u'=' && !html.at(k).isSpace() && html.at(k) != u'>')
                    ++k;
                const QString written = html.mid(j, k - j);
                const QString name = written.toLower();
                if (!isMarkupName(written))
                    tag.strict = false;
                if (k < n && html.at(k) == u'=' && k + 1 < n && html.at(k + 1) == u'"') {
                    const qsizetype close = html.indexOf(u'"', k + 2);
                    if (close < 0) {
                        tag.flags << name;
                        tag.strict = false;
                        j = n;
                        break;
                    }
                    const QString value = resolveReferences(html.mid(k + 2, close - k - 2));
                    tag.attributes.insert(name, value);
                    tag.attributeList.append({written, value});
                    j = close + 1;
                } else if (k < n && html.at(k) == u'=') {
                    // An unquoted value runs to the next blank or ">".
                    qsizetype end = k + 1;
                    while (end < n && !html.at(end).isSpace() && html.at(end) != u'>')
                        ++end;
                    tag.attributes.insert(name, resolveReferences(html.mid(k + 1, end - k - 1)));
                    tag.strict = false;
                    j = end;
                } else {
                    tag.flags << name;
                    tag.strict = false;
                    j = k;
                }
            }
            if (j >= n)
                tag.strict = false;  // never closed by ">"
            ++j;
        }
        const qsizetype next = j < n ? html.indexOf(u'<', j) : -1;
        tag.rawTextAfter = j < n ? html.mid(j, next < 0 ? -1 : next - j) : QString();
        tag.textAfter = resolveReferences(tag.rawTextAfter);
        markup.tags << tag;
        i = next;
    }
    return markup;
}

// The tags of a fragment, leniently: whatever stands between "<" and ">" is a tag.
inline QList<ScannedTag> scanTags(const QString &html)
{
    return scanMarkup(html).tags;
}

inline const ScannedTag *findTag(const QList<ScannedTag> &tags, const QString &name, int nth = 0)
{
    for (const ScannedTag &tag : tags) {
        if (tag.name == name && nth-- == 0)
            return &tag;
    }
    return nullptr;
}

inline QList<ScannedTag> tagsNamed(const QList<ScannedTag> &tags, const QString &name)
{
    QList<ScannedTag> out;
    for (const ScannedTag &tag : tags) {
        if (tag.name == name)
            out << tag;
    }
    return out;
}

// A piece of a fragment read strictly: a start or end tag with its attribute values
// (references resolved), or the raw text between tags.
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
    const ScannedMarkup markup = scanMarkup(html);
    QList<HtmlNode> nodes;
    if (!markup.rawTextBefore.isEmpty())
        nodes.append({HtmlNode::Text, {}, {}, markup.rawTextBefore});
    for (const ScannedTag &tag : markup.tags) {
        if (!tag.strict)
            return std::nullopt;
        const bool closing = tag.name.startsWith(u'/');
        nodes.append({closing ? HtmlNode::End : HtmlNode::Start,
                      closing ? QStringView(tag.writtenName).trimmed().toString() : tag.writtenName,
                      tag.attributeList, {}});
        if (!tag.rawTextAfter.isEmpty())
            nodes.append({HtmlNode::Text, {}, {}, tag.rawTextAfter});
    }
    return nodes;
}

} // namespace korvel::test
