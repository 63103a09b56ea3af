#include "source/sourcebatch.h"

#include "source/checkhtml.h"
#include "source/hyphenation.h"
#include "source/textmatch.h"
#include "source/transformhelpers.h"
#include "source/transformations.h"

namespace korvel {

QStringList SourceCommandWords()
{
    return {QStringLiteral("remove-line-breaks"), QStringLiteral("insert-line-breaks"),
            QStringLiteral("remove-hyphenation"), QStringLiteral("entities"),
            QStringLiteral("javascript-string"), QStringLiteral("check-html")};
}

QString HyphenationReport(int count, const CatalogueLine &line)
{
    return QString::number(count) + line(34);
}

std::optional<SourceCommandBytesResult> RunSourceCommandUtf8(const QString &command, QByteArray text,
                                                             const CatalogueLine &line)
{
    if (command == QLatin1String("check-html")) {
        CheckHtmlBytesResult checked = CheckHtmlUtf8(std::move(text), line);
        return SourceCommandBytesResult{std::move(checked.text), std::move(checked.message)};
    }
    if (command == QLatin1String("remove-line-breaks"))
        return SourceCommandBytesResult{RemoveLineFeedsUtf8(std::move(text)), QString()};
    if (command == QLatin1String("insert-line-breaks"))
        return SourceCommandBytesResult{InsertLineFeedsUtf8(text), QString()};
    if (command == QLatin1String("remove-hyphenation")) {
        HyphenationBytesResult removed = RemoveHyphenationUtf8(text);
        return SourceCommandBytesResult{std::move(removed.text), HyphenationReport(removed.count, line)};
    }
    if (command == QLatin1String("entities"))
        return SourceCommandBytesResult{ReplaceUmlautsUtf8(text), QString()};
    if (command == QLatin1String("javascript-string")) {
        std::optional<QByteArray> js = MakeStringVariableUtf8(text);
        return SourceCommandBytesResult{js ? std::move(*js) : std::move(text), QString()};
    }
    return std::nullopt;
}

} // namespace korvel
