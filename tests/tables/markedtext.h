#pragma once

#include "tables/tablesource.h"
#include "teststrings.h"

#include <QString>

#include <ostream>

// Test failures show texts as text.

// Texts with the selection written into them, so that a table of cases reads like the editor:
// "|" is the caret, "[" and "]" enclose a selection. The markers never occur in the HTML of
// the cases.
namespace korvel::test {

struct Marked {
    QString text;
    TextSelection selection;
};

inline Marked Unmark(const QString &marked)
{
    Marked m;
    const qsizetype caret = marked.indexOf(u'|');
    if (caret >= 0) {
        m.text = QString(marked).remove(caret, 1);
        m.selection = {caret, 0};
        return m;
    }
    const qsizetype open = marked.indexOf(u'[');
    const qsizetype close = marked.indexOf(u']');
    m.text = marked;
    if (open >= 0 && close > open) {
        m.text.remove(close, 1);
        m.text.remove(open, 1);
        m.selection = {open, close - open - 1};
    }
    return m;
}

inline QString Mark(const QString &text, TextSelection selection)
{
    QString out = text;
    if (selection.length == 0)
        return out.insert(selection.start, u'|');
    out.insert(selection.end(), u']');
    return out.insert(selection.start, u'[');
}

// The text after the edit, with the selection it leaves marked.
inline QString Applied(const QString &text, const SourceEdit &edit)
{
    return Mark(ApplySourceEdit(text, edit), edit.selection);
}

} // namespace korvel::test
