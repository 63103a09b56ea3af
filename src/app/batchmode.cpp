#include "app/batchmode.h"

#include "app/catalogue.h"
#include "app/declaredcharset.h"
#include "app/documentfile.h"
#include "app/filecodec.h"
#include "source/sourcebatch.h"

#include <QFileInfo>
#include <QTextStream>

namespace korvel {

namespace {

enum class Outcome { Done, Unchanged, Refused };

// Whether the command gave back the text the file holds. The text itself went into the
// command, which reuses its memory, so a large page is never held twice: texts of different
// lengths differ, and a result of the same length is compared with the file read again piece
// by piece. Only the texts themselves are compared, so no change is ever taken for none.
bool holdsText(const QString &path, const QString &result, qsizetype sizeBefore, const FileFormat &format)
{
    return result.size() == sizeBefore && documentHoldsText(path, result, format);
}

// Runs the command on one file. Problems go to `err`; the file is written, with its ".BAK"
// copy made first, only when the command changed its text.
Outcome runOnFile(const QString &command, const QString &path, int uiLanguage, QTextStream &out, QTextStream &err)
{
    const CatalogueLine line = [uiLanguage](int n) { return MessageCatalogue::line(n, uiLanguage); };
    // The file is held as one text from reading to writing: a large page is decoded once, never
    // split into lines nor held beside its bytes, and encoded piece by piece from the command's
    // result straight into the file.
    DecodedText file = loadDocumentText(path);
    if (!file.ok) {
        err << MessageCatalogue::line(22, uiLanguage) << ' ' << path << '\n';
        return Outcome::Refused;
    }
    if (file.looksBinary) {
        err << path << ": looks like a binary file (a NUL byte near its start); it is left as it was\n";
        return Outcome::Refused;
    }
    if (!file.keepsEveryByte) {
        err << path << ": holds bytes that are not valid in its encoding; it is left as it was\n";
        return Outcome::Refused;
    }
    const qsizetype sizeBefore = file.text.size();
    const auto result = RunSourceCommand(command, std::move(file.text), line);
    if (!result)
        return Outcome::Refused;
    if (!result->report.isEmpty())
        out << path << ": " << result->report << '\n';
    if (holdsText(path, result->text, sizeBefore, file.format))
        return Outcome::Unchanged;
    // The commands see lines joined by CR LF; the file keeps its own line breaks.
    if (file.format.encoding == TextEncoding::Ansi && !ansiCanHold(result->text)) {
        err << path << ": the result holds characters Windows-1252 cannot store; the file is left as it was\n";
        return Outcome::Refused;
    }
    if (const CharsetConflict conflict = charsetConflict(result->text, file.format.encoding); conflict.kind != CharsetKind::None) {
        err << path << ": the page declares the character set " << conflict.label
            << ", which the result written in the file's encoding would contradict; the file is left as it was\n";
        return Outcome::Refused;
    }
    if (!QFileInfo(path).isWritable()) {
        err << MessageCatalogue::line(24, uiLanguage) << ' ' << path << '\n';
        return Outcome::Refused;
    }
    if (!makeBackupCopy(path)) {
        err << MessageCatalogue::line(23, uiLanguage) << ' ' << path << '\n';
        return Outcome::Refused;
    }
    if (!saveDocumentText(path, result->text, file.format)) {
        err << MessageCatalogue::line(24, uiLanguage) << ' ' << path << '\n';
        return Outcome::Refused;
    }
    return Outcome::Done;
}

} // namespace

void showCommandLineHelp(QTextStream &out)
{
    out << "Usage: korvel [FILE]\n"
        << "       korvel --run COMMAND FILE...\n\n"
        << "Korvel is an HTML editor with a source view and a designer view.\n\n"
        << "  FILE                 open this file at start\n"
        << "  --run COMMAND FILE   apply a source command to files, without a window\n"
        << "  -h, --help           show this help and exit\n"
        << "  -v, --version        show the version and exit\n\n"
        << "With --run, COMMAND is applied to each FILE without opening a window. Each file is read in its\n"
        << "own encoding and line breaks and written back in them; a file the command does not change is\n"
        << "not written, and a file is given a .BAK copy before it is first written.\n"
        << "A file that looks binary (a NUL byte in its first 8 KB) is refused.\n\n"
        << "commands: " << SourceCommandWords().join(QStringLiteral(", ")) << "\n\n"
        << "exit codes:\n"
        << "  0  every file was done (written, or left as it was because nothing changed)\n"
        << "  1  at least one file was refused or could not be read or written; it was left as it was\n"
        << "  2  wrong command line\n";
    out.flush();
}

int runBatch(const QStringList &arguments, int uiLanguage, QTextStream &out, QTextStream &err)
{
    if (arguments.value(0) == QStringLiteral("--help")) {
        showCommandLineHelp(out);
        return 0;
    }
    const QStringList words = SourceCommandWords();
    if (arguments.size() < 2 || !words.contains(arguments.first())) {
        err << "usage: korvel --run COMMAND FILE...\n"
            << "commands: " << words.join(QStringLiteral(", ")) << '\n'
            << "korvel --help tells more\n";
        err.flush();
        return 2;
    }
    int exitCode = 0;
    for (const QString &path : arguments.mid(1)) {
        if (runOnFile(arguments.first(), path, uiLanguage, out, err) == Outcome::Refused)
            exitCode = 1;
    }
    out.flush();
    err.flush();
    return exitCode;
}

} // namespace korvel
