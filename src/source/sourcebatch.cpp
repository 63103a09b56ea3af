#include "source/sourcebatch.h"

#include "source/checkhtml.h"
#include "source/hyphenation.h"
#include "source/textmatch.h"
#include "source/transformhelpers.h"
#include "source/transformations.h"
#include "textio/textdecode.h"

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

std::optional<SourceCommandResult> RunSourceCommand(const QString &command, QString text,
                                                    const CatalogueLine &line)
{
    if (command == QLatin1String("check-html")) {
        CheckHtmlResult checked = CheckHtml(std::move(text), line);
        return SourceCommandResult{std::move(checked.text), std::move(checked.message)};
    }
    if (command == QLatin1String("remove-line-breaks")) {
        // What RemoveLineFeeds does, with the text given up as soon as it is joined: the saved
        // head goes back into the joined text without a third whole text beside the two.
        QString SavedHead = ExtractHead(text);
        QString joined = RemoveLineBreaks(text);
        text = QString();
        if (IsBlank(SavedHead))
            return SourceCommandResult{std::move(joined), QString()};
        return SourceCommandResult{RestoreHead(joined, SavedHead), QString()};
    }
    if (command == QLatin1String("insert-line-breaks")) {
        QString SavedHead;
        return SourceCommandResult{InsertLineFeeds(text, SavedHead), QString()};
    }
    if (command == QLatin1String("remove-hyphenation")) {
        HyphenationResult removed = RemoveHyphenation(text);
        return SourceCommandResult{std::move(removed.text), HyphenationReport(removed.count, line)};
    }
    if (command == QLatin1String("entities"))
        return SourceCommandResult{ReplaceUmlauts(text), QString()};
    if (command == QLatin1String("javascript-string"))
        return SourceCommandResult{MakeStringVariable(text).value_or(text), QString()};
    return std::nullopt;
}

std::optional<SourceCommandBytesResult> RunSourceCommandUtf8(const QString &command, QByteArray text,
                                                             const CatalogueLine &line)
{
    QString decoded = decodeUtf8KeepingMark(text);
    text = QByteArray();
    std::optional<SourceCommandResult> result = RunSourceCommand(command, std::move(decoded), line);
    if (!result)
        return std::nullopt;
    return SourceCommandBytesResult{result->text.toUtf8(), std::move(result->report)};
}

} // namespace korvel
