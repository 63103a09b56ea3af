#include "designer/selectioncarry.h"

#include "source/texthelpers.h"

#include <cfenv>
#include <cmath>

namespace korvel {

namespace {

bool StartsWithLt(const QString &text)
{
    const QString trimmed = text.trimmed();
    return trimmed.startsWith(QLatin1Char('<'));
}

// Rounds half to even, as the estimate is defined.
double RoundHalfEven(double value)
{
    const int mode = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double rounded = std::nearbyint(value);
    std::fesetround(mode);
    return rounded;
}

// The 1-based position FindNoCase gives, 0 when absent, for a 1-based start.
qsizetype FindFrom1(const QString &needle, const QString &haystack, qsizetype start1, const QString &editorText)
{
    const qsizetype found = FindNoCase(needle, haystack, qMax<qsizetype>(start1, 1) - 1, editorText);
    return found < 0 ? 0 : found + 1;
}

} // namespace

QString StripLeadingTags(const QString &text)
{
    QString result = text;
    while (StartsWithLt(result)) {
        const qsizetype open = result.indexOf(QLatin1Char('<'));
        const qsizetype close = result.indexOf(QLatin1Char('>'), open + 1);
        if (close < 0)
            break;
        result.remove(open, close - open + 1);
    }
    return result;
}

QString StripTrailingTags(const QString &text)
{
    QString result = text;
    while (result.trimmed().endsWith(QLatin1Char('>'))) {
        const qsizetype open = result.lastIndexOf(QLatin1Char('<'));
        if (open < 0)
            break;
        result.truncate(open);
    }
    return result;
}

std::optional<SourceSelection> PlaceSelectionInSource(const QString &editorText,
                                                      const DesignerSelectionSnapshot &snapshot)
{
    if (snapshot.SelText.isEmpty() && snapshot.SelHtml.trimmed().isEmpty() && snapshot.LastElementText.isEmpty())
        return std::nullopt;

    // Positions below count from 1, as the search heuristic is defined; the result is 0-based.
    const QString flat = CompactHtml(editorText);
    const qsizetype n = editorText.size();
    qsizetype start = 1;
    if (snapshot.ElementCount > 5) {
        const double p = RoundHalfEven(double(snapshot.SelSourceIndex) / double(snapshot.ElementCount) * 100.0) - 4.0;
        start = qsizetype(RoundHalfEven(double(n) / 100.0 * p));
    }

    QString key;
    QString shortKey;
    QString inner;
    qsizetype selLength = 0;
    if (!snapshot.LastElementText.trimmed().isEmpty()) {
        key = CompactHtml(snapshot.LastElementText);
        shortKey = key.left(qMin<qsizetype>(snapshot.LastElementText.size(), 25)).trimmed();
        selLength = snapshot.LastElementText.size();
    } else {
        const QString parentHtml =
            snapshot.SelHtml.size() > snapshot.SelParentHtml.size() ? snapshot.SelHtml : snapshot.SelParentHtml;
        inner = StripTrailingTags(StripLeadingTags(CompactHtml(snapshot.SelHtml)));
        key = CompactHtml(parentHtml);
        selLength = key.size();
        if (selLength > 50)
            key = key.left(60);
        shortKey = snapshot.SelText.left(10);
    }

    start = qMax<qsizetype>(start, 1);
    const qsizetype body = FindFrom1(QStringLiteral("<body"), flat, 1, editorText);
    start = qMax(start, body);

    qsizetype pos = FindFrom1(key, flat, start, editorText);
    if (pos <= 0) {
        start = body;
        pos = FindFrom1(key, flat, body, editorText);
    }
    if (pos > 0)
        start = pos;
    else
        selLength = inner.size();

    qsizetype place = start;
    bool placed = false;
    if (!inner.isEmpty() && inner != key) {
        const qsizetype q = FindFrom1(inner, editorText, start, editorText);
        if (q > 0) {
            place = q;
            placed = true;
        }
    }
    if (!placed && !shortKey.isEmpty()) {
        const qsizetype q = FindFrom1(shortKey, editorText, start, editorText);
        if (q > 0)
            place = q;
    }

    // The selection starts before character `place`; it is kept inside the text.
    SourceSelection selection;
    selection.start = qBound<qsizetype>(0, place - 1, n);
    selection.length = qBound<qsizetype>(0, selLength, n - selection.start);
    return selection;
}

} // namespace korvel
