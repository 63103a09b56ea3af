#pragma once

#include <QString>

#include <optional>

// Carrying the designer's selection over to the source view: what is remembered when the
// designer page is left, and where that is found again in the source text.
namespace korvel {

// What was selected in the designer when its page was left.
struct DesignerSelectionSnapshot {
    QString SelText;          // plain text of a text selection
    QString SelHtml;          // HTML of a text selection
    QString SelParentHtml;    // outerHTML of the text selection's parent element
    QString LastElementText;  // outerHTML of a selected object, or the text the element commands left
    int SelSourceIndex = 0;   // sourceIndex of that parent (or of the objects' common parent)
    int ElementCount = 0;     // elements in the document
};

// A selection in the source text; indices count from 0.
struct SourceSelection {
    qsizetype start = 0;
    qsizetype length = 0;
};

// While the trimmed text begins with "<": deletes from the first "<" through the first ">"
// after it; stops when no ">" follows.
QString StripLeadingTags(const QString &text);

// While the trimmed text ends with ">": deletes from the last "<" to the end; stops when there
// is no "<".
QString StripTrailingTags(const QString &text);

// Where the snapshot's selection lies in the source text: a proportional estimate from the
// parent's place among the elements, then searches for the compacted HTML, its inner text and
// the first characters of the selection, never before "<body". Empty when the snapshot holds
// nothing to look for. The selection always lies inside the text.
std::optional<SourceSelection> PlaceSelectionInSource(const QString &editorText,
                                                      const DesignerSelectionSnapshot &snapshot);

} // namespace korvel
