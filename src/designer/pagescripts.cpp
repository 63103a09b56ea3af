#include "designer/pagescripts.h"

#include <QLatin1StringView>

namespace korvel {

namespace {

char16_t Lower(QChar c)
{
    const char16_t u = c.unicode();
    return u >= u'A' && u <= u'Z' ? char16_t(u + 32) : u;
}

bool IsAsciiLetter(char16_t c)
{
    return c >= u'a' && c <= u'z';
}

bool IsBlank(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\f';
}

bool StartsWithWord(QStringView source, qsizetype at, QLatin1StringView word)
{
    if (at + word.size() > source.size())
        return false;
    qsizetype k = 0;
    while (k < word.size() && Lower(source[at + k]) == char16_t(word[k].unicode()))
        ++k;
    return k == word.size();
}

// At `at`, case-insensitively, one of the words that bring in a script or another document:
// a script element, a script address ("javascript:", "vbscript:", the colon perhaps written
// as a reference), a frame, an object or a transform. "script" inside other words
// ("description", "manuscript") does not count.
bool StartsRisky(QStringView source, qsizetype at)
{
    static const QLatin1StringView kWords[] = {
        QLatin1StringView("<script"), QLatin1StringView("<iframe"), QLatin1StringView("<frame"),
        QLatin1StringView("<object"), QLatin1StringView("<embed"),  QLatin1StringView("<portal"),
        QLatin1StringView("xml-stylesheet"),
    };
    for (const QLatin1StringView word : kWords) {
        if (StartsWithWord(source, at, word))
            return true;
    }
    if (!StartsWithWord(source, at, QLatin1StringView("script")))
        return false;
    qsizetype k = at + 6;
    while (k < source.size() && IsBlank(source[k].unicode()))
        ++k;
    return k < source.size() && (source[k] == u':' || source[k] == u'&');
}

// At `at` (just after a blank, a quote or a slash), an event handler attribute: "on", letters,
// blanks, "=".
bool StartsHandler(QStringView source, qsizetype at)
{
    if (at + 3 > source.size() || Lower(source[at]) != u'o' || Lower(source[at + 1]) != u'n')
        return false;
    qsizetype k = at + 2;
    const qsizetype letters = k;
    while (k < source.size() && IsAsciiLetter(Lower(source[k])))
        ++k;
    if (k == letters)
        return false;
    while (k < source.size() && IsBlank(source[k].unicode()))
        ++k;
    return k < source.size() && source[k] == u'=';
}

} // namespace

bool SourceMayRunScripts(QStringView source)
{
    for (qsizetype i = 0; i < source.size(); ++i) {
        const char16_t c = Lower(source[i]);
        if ((c == u's' || c == u'<' || c == u'x') && StartsRisky(source, i))
            return true;
        if (c == u'o' && i > 0) {
            const char16_t before = source[i - 1].unicode();
            if ((IsBlank(before) || before == u'"' || before == u'\'' || before == u'/') && StartsHandler(source, i))
                return true;
        }
    }
    return false;
}

} // namespace korvel
