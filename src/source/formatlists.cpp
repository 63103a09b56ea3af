#include "source/formatlists.h"

#include "source/formatrules.h"
#include "source/htmltags.h"
#include "source/textmatch.h"

#include <QStringList>

#include <vector>

namespace korvel {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

bool IsListName(const QString &name)
{
    return name == QLatin1String("ul") || name == QLatin1String("ol");
}

bool IsItemName(const QString &name)
{
    return name == QLatin1String("li");
}

// The elements that stand on lines of their own, and the line break.
bool StartsALine(const QString &name)
{
    static const QStringList names = {
        QStringLiteral("address"), QStringLiteral("blockquote"), QStringLiteral("br"), QStringLiteral("center"),
        QStringLiteral("dd"), QStringLiteral("div"), QStringLiteral("dl"), QStringLiteral("dt"),
        QStringLiteral("fieldset"), QStringLiteral("form"), QStringLiteral("h1"), QStringLiteral("h2"),
        QStringLiteral("h3"), QStringLiteral("h4"), QStringLiteral("h5"), QStringLiteral("h6"),
        QStringLiteral("hr"), QStringLiteral("li"), QStringLiteral("ol"), QStringLiteral("p"),
        QStringLiteral("pre"), QStringLiteral("table"), QStringLiteral("ul")};
    return names.contains(name);
}

// Every run of blanks becomes one blank.
QString CollapseBlankRuns(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (c == QLatin1Char(' ') && out.endsWith(QLatin1Char(' ')))
            continue;
        out += c;
    }
    return out;
}

// The items of the lines, each "<li>" line "</li>" with a blank before the last end tag;
// items that hold nothing or one blank are left out. `separator` goes between the items.
QString ItemsOfLines(const QString &text, const QString &separator)
{
    QString out;
    out.reserve(text.size() + 32);
    const QStringView view(text);
    qsizetype begin = 0;
    bool first = true;
    while (true) {
        const qsizetype end = view.indexOf(kCrLf, begin);
        const bool last = end < 0;
        QString line = view.mid(begin, last ? -1 : end - begin).toString();
        if (last)
            line += QLatin1Char(' ');
        if (!line.isEmpty() && line != QLatin1String(" ")) {
            if (!first)
                out += separator;
            out += QStringLiteral("<li>") + line + QStringLiteral("</li>");
            first = false;
        }
        if (last)
            break;
        begin = end + 2;
    }
    return CollapseBlankRuns(out);
}

QString EmptyList(bool ordered)
{
    return ListStartTag(ordered) + kCrLf + QStringLiteral("<li></li>") + kCrLf + ListEndTag(ordered);
}

std::vector<HtmlTag> TagsOf(const QString &text)
{
    std::vector<HtmlTag> tags;
    HtmlTag tag;
    qsizetype at = 0;
    while (NextHtmlTag(text, at, tag)) {
        at = tag.end;
        tags.push_back(tag);
    }
    return tags;
}

} // namespace

QString ListStartTag(bool ordered)
{
    return ordered ? QStringLiteral("<ol type=\"1\">") : QStringLiteral("<ul type=\"disc\">");
}

QString ListEndTag(bool ordered)
{
    return ordered ? QStringLiteral("</ol>") : QStringLiteral("</ul>");
}

bool HoldsListItem(const QString &sel)
{
    HtmlTag tag;
    qsizetype at = 0;
    while (NextHtmlTag(sel, at, tag)) {
        if (!tag.closing && IsItemName(tag.name))
            return true;
        at = tag.end;
    }
    return false;
}

QString ListSource(const QString &sel, bool ordered)
{
    return HoldsListItem(sel) ? RemoveListSource(sel) : MakeListSource(sel, ordered);
}

QString MakeListSource(const QString &sel, bool ordered)
{
    if (sel.isEmpty())
        return EmptyList(ordered);
    // The start tag holds no blank runs, so collapsing the items alone is collapsing the whole.
    const QString items = ItemsOfLines(sel, kCrLf);
    if (items.isEmpty())
        return ListStartTag(ordered) + kCrLf + ListEndTag(ordered);
    return ListStartTag(ordered) + kCrLf + items + kCrLf + ListEndTag(ordered);
}

QString RemoveListSource(const QString &sel)
{
    const std::vector<HtmlTag> tags = TagsOf(sel);
    std::vector<bool> removed(tags.size(), false);

    // The list taken apart: the first tag that is no item tag, when it starts a list and no
    // item starts in front of it (a list inside a selected item belongs to that item).
    qsizetype outer = -1;
    for (size_t i = 0; i < tags.size(); ++i) {
        if (IsItemName(tags[i].name)) {
            if (!tags[i].closing)
                break;
            continue;
        }
        if (!tags[i].closing && IsListName(tags[i].name))
            outer = qsizetype(i);
        break;
    }

    // Item tags at the level of the list taken apart go; the level counts the lists that start
    // inside the selection.
    const int itemLevel = outer >= 0 ? 1 : 0;
    int level = 0;
    bool outerOpen = false;
    for (size_t i = 0; i < tags.size(); ++i) {
        const HtmlTag &tag = tags[i];
        if (IsListName(tag.name)) {
            if (!tag.closing) {
                if (qsizetype(i) == outer) {
                    removed[i] = true;
                    outerOpen = true;
                }
                ++level;
            } else if (level > 0) {
                --level;
                if (outerOpen && level == 0) {
                    removed[i] = true;
                    outerOpen = false;
                }
            }
        } else if (IsItemName(tag.name) && level == itemLevel && (outer < 0 || outerOpen)) {
            removed[i] = true;
        }
    }

    QString out;
    out.reserve(sel.size());
    qsizetype copied = 0;
    for (size_t i = 0; i < tags.size(); ++i) {
        if (!removed[i])
            continue;
        out += QStringView(sel).mid(copied, tags[i].begin - copied);
        copied = tags[i].end;
    }
    out += QStringView(sel).mid(copied);
    return out;
}

QString DesignerListFragment(const QString &rangeText, bool ordered)
{
    if (IsBlank(rangeText))
        return EmptyList(ordered);
    return ListStartTag(ordered) + ItemsOfLines(escapeRangeText(rangeText), QString())
        + ListEndTag(ordered);
}

QString ListItemsAsLines(const QString &listInnerHtml)
{
    const QStringView html(listInnerHtml);
    QStringList lines;
    auto take = [&](qsizetype begin, qsizetype end, bool item) {
        const QString piece = TrimBlanks(html.mid(begin, end - begin).toString());
        if (item || !piece.isEmpty())
            lines << piece;
    };
    qsizetype itemBegin = -1; // content start of the open item
    qsizetype outsideBegin = 0;
    int level = 0;
    HtmlTag tag;
    qsizetype at = 0;
    while (NextHtmlTag(html, at, tag)) {
        at = tag.end;
        if (IsListName(tag.name)) {
            level = tag.closing ? qMax(0, level - 1) : level + 1;
            continue;
        }
        if (!IsItemName(tag.name) || level > 0)
            continue;
        if (itemBegin >= 0)
            take(itemBegin, tag.begin, true);
        else
            take(outsideBegin, tag.begin, false);
        itemBegin = tag.closing ? -1 : tag.end;
        outsideBegin = tag.end;
    }
    if (itemBegin >= 0)
        take(itemBegin, html.size(), true);
    else
        take(outsideBegin, html.size(), false);
    return lines.join(QStringLiteral("<br>"));
}

QString ListLinesInPlace(const QString &lines, QStringView before, QStringView after)
{
    const QStringView head = before.trimmed();
    const QStringView tail = after.trimmed();
    // Before the list: the last tag, when the HTML ends with one, decides.
    bool breakBefore = !head.isEmpty();
    if (breakBefore && head.endsWith(QLatin1Char('>'))) {
        const qsizetype open = head.lastIndexOf(QLatin1Char('<'));
        HtmlTag tag;
        if (open >= 0 && NextHtmlTag(head, open, tag) && tag.end == head.size())
            breakBefore = !StartsALine(tag.name);
    }
    bool breakAfter = !tail.isEmpty();
    HtmlTag tag;
    if (breakAfter && tail.startsWith(QLatin1Char('<')) && NextHtmlTag(tail, 0, tag) && tag.begin == 0)
        breakAfter = !StartsALine(tag.name);
    QString out;
    out.reserve(lines.size() + 8);
    if (breakBefore)
        out += QLatin1String("<br>");
    out += lines;
    if (breakAfter)
        out += QLatin1String("<br>");
    return out;
}

} // namespace korvel
