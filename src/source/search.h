#pragma once

#include <QString>

#include <optional>

// The search commands of the source view as plain functions over the editor's text. Indices
// count from 0; the editor selects a match as (start, length).
namespace korvel {

// The main window's search state. The find dialog sets it; Find Next reads it. The replace
// dialog keeps its own texts and never touches it.
struct SearchState {
    QString LastFindText;
    bool LastMatchCase = false;
    bool LastWholeWord = false;
    qsizetype NextFindStart = 0; // where Find Next continues; outside the text means the start
};

struct FoundRange {
    qsizetype start = 0;
    qsizetype length = 0;

    friend bool operator==(const FoundRange &, const FoundRange &) = default;
};

// The find dialog's Find Next: takes over the dialog's text and options into the state and
// searches from the start of the text, or just behind the selection when there is one. The
// match to select, or nothing when the text does not hold the search text.
std::optional<FoundRange> FindFromDialog(SearchState &state, const QString &text, const QString &findText,
                                        bool matchCase, bool wholeWord, FoundRange selection);

enum class FindNextOutcome {
    Nothing,  // no search text yet, or an empty text: the command does nothing
    NotFound, // the next search starts again at the top
    Found,
};

struct FindNextResult {
    FindNextOutcome outcome = FindNextOutcome::Nothing;
    FoundRange match;
};

// Find Next (F3): continues from the state's continuation point with the last search text.
FindNextResult FindNextMatch(SearchState &state, const QString &text);

// The replace dialog's Find Next: like the find dialog's search, always without whole word and
// without touching the search state.
std::optional<FoundRange> FindInReplaceDialog(const QString &text, const QString &findText, bool matchCase,
                                             FoundRange selection);

// Replace All: every occurrence, left to right, replaced text not searched again. Without
// match case letters compare by their upper-case forms (so "Ä" matches "ä"). An empty search
// text changes nothing.
QString ReplaceAll(const QString &text, const QString &findText, const QString &replacement, bool matchCase);

// Go to line: the 0-based line for the typed number, nothing when it is not an integer. A number
// above the line count means the last line; zero and negative numbers mean the first.
std::optional<int> GoToLineIndex(const QString &answer, int lineCount);

} // namespace korvel
