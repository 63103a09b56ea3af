#pragma once

#include <QString>
#include <QStringView>

// The list command's texts: making a list of the selected lines and taking a list apart again.
namespace korvel {

// "<ol type=\"1\">" and "</ol>" for the ordered list, "<ul type=\"disc\">" and "</ul>" otherwise.
QString ListStartTag(bool ordered);
QString ListEndTag(bool ordered);

// True when the text holds an "li" start tag, with or without attributes, in any letter case.
bool HoldsListItem(const QString &sel);

// The source view's list command: a selection holding list items loses its list (see
// RemoveListSource), any other selection becomes a list with one item per line (see
// MakeListSource).
QString ListSource(const QString &sel, bool ordered);

// One item per CR LF separated line, the last with a blank before its end tag, each on a line
// of its own between the list's tags; items that hold nothing or one blank are left out, and
// runs of blanks become one blank. An empty selection gives one empty item.
QString MakeListSource(const QString &sel, bool ordered);

// Removes the list the selection holds, keeping the items' content. When the selection's first
// tag other than an item tag starts a "ul" or "ol" list, that start tag, its own end tag and
// the item tags directly inside it go; otherwise the item tags outside any list that starts in
// the selection go. Lists nested inside keep all their tags, so the text stays balanced.
QString RemoveListSource(const QString &sel);

// The list the designer pastes for a selection's text: items without line breaks between them,
// the text escaped so that it stays text. A selection without any text gives one empty item.
QString DesignerListFragment(const QString &rangeText, bool ordered);

// What a list becomes when the designer takes it apart in place: the content of its items,
// given as the list's inner HTML, one item per line, joined by "<br>". Lists nested in an item
// stay in it.
QString ListItemsAsLines(const QString &listInnerHtml);

// The lines of a list taken apart, as they replace the list between the HTML that stands before
// and after it in its parent: the list stood on lines of its own, so a line break separates its
// lines from text or inline elements next to it (not from a block, which starts a line itself).
QString ListLinesInPlace(const QString &lines, QStringView before, QStringView after);

} // namespace korvel
