#pragma once

#include <QList>
#include <QMap>
#include <QString>

namespace korvel::test {

// One tag read back from generated HTML: its lower-case name ("/map" for a closing tag), its
// attribute values with the four character references resolved, and the text after it up to
// the next tag, resolved the same way.
struct ScannedTag {
    QString name;
    QMap<QString, QString> attributes;
    QStringList flags;  // attributes without a value, such as noresize
    QString textAfter;
    bool selfClosing = false;
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

// A small scanner for the markup the generators write: double-quoted attribute values only.
// A raw '"', '<' or '>' inside a value ends up as a broken tag and a wrong value, which is
// exactly what the tests want to see.
inline QList<ScannedTag> scanTags(const QString &html)
{
    QList<ScannedTag> tags;
    qsizetype i = html.indexOf(u'<');
    while (i >= 0 && i < html.size()) {
        ScannedTag tag;
        qsizetype j = i + 1;
        if (html.mid(j, 1) == QStringLiteral("!")) {
            const qsizetype end = html.indexOf(u'>', j);
            tag.name = QStringLiteral("!doctype");
            tag.flags << html.mid(i, end - i + 1);
            j = end + 1;
        } else {
            while (j < html.size() && !html.at(j).isSpace() && html.at(j) != u'>' && html.at(j) != u'/')
                ++j;
            if (j < html.size() && html.at(j) == u'/' && j == i + 1) {
                ++j;
                while (j < html.size() && html.at(j) != u'>')
                    ++j;
            }
            tag.name = html.mid(i + 1, j - i - 1).toLower();
            while (j < html.size() && html.at(j) != u'>') {
                if (html.at(j).isSpace()) {
                    ++j;
                    continue;
                }
                if (html.at(j) == u'/') {
                    tag.selfClosing = true;
                    ++j;
                    continue;
                }
                qsizetype k = j;
                while (k < html.size() && html.at(k) != u'=' && !html.at(k).isSpace() && html.at(k) != u'>')
                    ++k;
                const QString name = html.mid(j, k - j).toLower();
                if (k < html.size() && html.at(k) == u'=' && k + 1 < html.size() && html.at(k + 1) == u'"') {
                    const qsizetype close = html.indexOf(u'"', k + 2);
                    if (close < 0) {
                        tag.flags << name;
                        j = html.size();
                        break;
                    }
                    tag.attributes.insert(name, resolveReferences(html.mid(k + 2, close - k - 2)));
                    j = close + 1;
                } else {
                    tag.flags << name;
                    j = k;
                }
            }
            ++j;
        }
        const qsizetype next = html.indexOf(u'<', j);
        tag.textAfter = resolveReferences(html.mid(j, next < 0 ? -1 : next - j));
        tags << tag;
        i = next;
    }
    return tags;
}

inline const ScannedTag *findTag(const QList<ScannedTag> &tags, const QString &name, int nth = 0)
{
    for (const ScannedTag &tag : tags) {
        if (tag.name == name && nth-- == 0)
            return &tag;
    }
    return nullptr;
}

} // namespace korvel::test
