#include "source/search.h"

#include "source/textmatch.h"
#include "source/texthelpers.h"

namespace korvel {

namespace {

qsizetype StartBehind(FoundRange selection)
{
    return selection.length > 0 ? selection.start + selection.length : 0;
}

} // namespace

std::optional<FoundRange> FindFromDialog(SearchState &state, const QString &text, const QString &findText,
                                        bool matchCase, bool wholeWord, FoundRange selection)
{
    state.LastFindText = findText;
    state.LastMatchCase = matchCase;
    state.LastWholeWord = wholeWord;
    const qsizetype pos = FindText(text, findText, StartBehind(selection), text.size(), wholeWord, matchCase);
    if (pos < 0)
        return std::nullopt;
    state.NextFindStart = pos + findText.size();
    return FoundRange{pos, findText.size()};
}

FindNextResult FindNextMatch(SearchState &state, const QString &text)
{
    if (IsBlank(state.LastFindText) || text.isEmpty())
        return {};
    const qsizetype start = (state.NextFindStart >= 0 && state.NextFindStart < text.size()) ? state.NextFindStart : 0;
    const qsizetype pos = FindText(text, state.LastFindText, start, text.size(), state.LastWholeWord, state.LastMatchCase);
    if (pos < 0) {
        state.NextFindStart = 0;
        return {FindNextOutcome::NotFound, {}};
    }
    state.NextFindStart = pos + state.LastFindText.size();
    return {FindNextOutcome::Found, {pos, state.LastFindText.size()}};
}

std::optional<FoundRange> FindInReplaceDialog(const QString &text, const QString &findText, bool matchCase,
                                             FoundRange selection)
{
    const qsizetype pos = FindText(text, findText, StartBehind(selection), text.size(), false, matchCase);
    if (pos < 0)
        return std::nullopt;
    return FoundRange{pos, findText.size()};
}

QString ReplaceAll(const QString &text, const QString &findText, const QString &replacement, bool matchCase)
{
    if (findText.isEmpty())
        return text;
    const TextMatcher matcher(findText, matchCase ? CaseMode::Exact : CaseMode::UpperCase);
    QString out;
    qsizetype done = 0;
    qsizetype pos = matcher.indexIn(text, 0);
    if (pos < 0)
        return text;
    out.reserve(text.size());
    while (pos >= 0) {
        out.append(QStringView(text).mid(done, pos - done));
        out.append(replacement);
        done = pos + findText.size();
        pos = matcher.indexIn(text, done);
    }
    out.append(QStringView(text).mid(done));
    return out;
}

std::optional<int> GoToLineIndex(const QString &answer, int lineCount)
{
    bool ok = false;
    const int number = answer.toInt(&ok);
    if (!ok)
        return std::nullopt;
    const int line = qBound(1, number, qMax(lineCount, 1)); // counted from 1
    return line - 1;
}

} // namespace korvel
