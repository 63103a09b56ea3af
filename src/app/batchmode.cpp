#include "app/batchmode.h"

#include "app/catalogue.h"
#include "app/documentfile.h"
#include "app/filecodec.h"
#include "source/sourcebatch.h"

#include <QFileInfo>
#include <QTextStream>

namespace korvel {

int runBatch(const QStringList &arguments, int uiLanguage, QTextStream &out, QTextStream &err)
{
    const QStringList words = SourceCommandWords();
    if (arguments.size() < 2 || !words.contains(arguments.first())) {
        err << "usage: korvel --run COMMAND FILE...\n"
            << "commands: " << words.join(QStringLiteral(", ")) << '\n';
        err.flush();
        return 2;
    }
    const QString command = arguments.first();
    const CatalogueLine line = [uiLanguage](int n) { return MessageCatalogue::line(n, uiLanguage); };
    int exitCode = 0;
    for (const QString &path : arguments.mid(1)) {
        const LoadedFile file = loadDocumentFile(path);
        if (!file.ok) {
            err << MessageCatalogue::line(22, uiLanguage) << ' ' << path << '\n';
            exitCode = 1;
            continue;
        }
        if (!QFileInfo(path).isWritable()) {
            err << MessageCatalogue::line(24, uiLanguage) << ' ' << path << '\n';
            exitCode = 1;
            continue;
        }
        if (!makeBackupCopy(path)) {
            err << MessageCatalogue::line(23, uiLanguage) << ' ' << path << '\n';
            exitCode = 1;
            continue;
        }
        const auto result = RunSourceCommand(command, file.lines.join(QStringLiteral("\r\n")), line);
        if (!result)
            return 2;
        // The commands see lines joined by CR LF; the file keeps its own line breaks.
        const QStringList lines = splitAtLineBreaks(result->text);
        if (file.format.encoding == TextEncoding::Ansi && !ansiCanHold(lines.join(QLatin1Char('\n')))) {
            err << path << ": the result holds characters Windows-1252 cannot store; the file is left as it was\n";
            exitCode = 1;
            continue;
        }
        if (!saveDocumentFile(path, lines, file.format)) {
            err << MessageCatalogue::line(24, uiLanguage) << ' ' << path << '\n';
            exitCode = 1;
            continue;
        }
        if (!result->report.isEmpty())
            out << path << ": " << result->report << '\n';
    }
    out.flush();
    err.flush();
    return exitCode;
}

} // namespace korvel
