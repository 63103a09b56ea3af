#pragma once

#include <QString>
#include <QStringView>

#include <vector>

// The source-side table tools read the markup through this small scanner: it finds tags by
// their names (any letter case), skips comments and the raw text of scripts and styles, and
// pairs opening and closing tags, so that a command acts on the element that really holds the
// caret rather than on the nearest text that looks like a tag.
namespace korvel {

// A selection in the source text: `length` characters from `start` (0-based); a caret is an
// empty selection.
struct TextSelection {
    qsizetype start = 0;
    qsizetype length = 0;

    qsizetype end() const { return start + length; }
    bool operator==(const TextSelection &) const = default;
};

// One tag: [start, end) runs from its "<" to behind its ">" (or to the text's end when the
// ">" is missing).
struct MarkupTag {
    qsizetype start = 0;
    qsizetype end = 0;
    qsizetype nameStart = 0;
    qsizetype nameLength = 0;
    bool closing = false;

    QStringView name(const QString &text) const { return QStringView(text).mid(nameStart, nameLength); }
};

// One element whose opening and closing tags were both found: [start, end) runs from the
// opening tag's "<" to behind the closing tag's ">".
struct MarkupElement {
    qsizetype start = 0;
    qsizetype openEnd = 0;    // behind the opening tag
    qsizetype closeStart = 0; // the closing tag's "<"
    qsizetype end = 0;
};

// Every tag of the text in order, in one pass.
std::vector<MarkupTag> ScanTags(const QString &text);

// The tag that starts at `at`, if one does ("<" followed by a name or "/" and a name).
bool TagAt(const QString &text, qsizetype at, MarkupTag *tag);

// True when the tag's name is `name` (ASCII letters in any case).
bool TagNameIs(const QString &text, const MarkupTag &tag, QStringView name);

// The paired elements named by `names` (lower case), in the order their closing tags occur.
// With `withinTables`, an element never reaches across a table boundary: a closing tag pairs
// only with an opening tag inside the same table, and "</table>" drops the elements it leaves
// unclosed. An opening tag without its closing tag yields nothing.
std::vector<MarkupElement> PairElements(const QString &text, const std::vector<MarkupTag> &tags,
                                        std::initializer_list<QStringView> names, bool withinTables);

// The innermost of `elements` that holds the selection: a caret strictly after the element's
// "<" and at most behind its ">" (`caretMayTouchEnd`) or before it; a selection wholly. With
// `tables`, an element that has a table nested inside it around the selection does not count,
// so that a cell or row lookup stops at the nearest table. Null when none holds it.
const MarkupElement *InnermostAround(const std::vector<MarkupElement> &elements, TextSelection selection,
                                     bool caretMayTouchEnd, const std::vector<MarkupElement> *tables);

// When `pos` lies inside a tag (after its "<", before its end), the position behind that
// tag; otherwise `pos` itself.
qsizetype OutsideOfTag(const std::vector<MarkupTag> &tags, qsizetype pos);

} // namespace korvel
