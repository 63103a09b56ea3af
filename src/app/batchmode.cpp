#include "app/batchmode.h"

#include "app/catalogue.h"
#include "app/declaredcharset.h"
#include "app/documentfile.h"
#include "app/editorbytes.h"
#include "app/filecodec.h"
#include "source/sourcebatch.h"

#include <QFile>
#include <QFileInfo>
#include <QTextStream>

namespace korvel {

namespace {

enum class Outcome { Done, Unchanged, Refused };

// Whether the command gave back the text the file holds. The text itself went into the
// command, which reuses its memory, so a large page is never held twice: texts of different
// lengths differ, and a result of the same length is compared with the file read again piece
// by piece. A file that mixes line breaks, whose bytes its text does not give back, is compared
// with the text it was read as. Only the texts themselves are compared, so no change is ever
// taken for none.
bool holdsText(const QString &path, const QByteArray &result, const QByteArray &readAs, qsizetype sizeBefore,
               const FileFormat &format)
{
    if (result.size() != sizeBefore)
        return false;
    return readAs.isNull() ? fileHoldsEditorBytes(path, result, format) : result == readAs;
}

// Why the result cannot be written in the file's encoding; empty when it can.
QString refusalToWrite(const QByteArray &result, const FileFormat &format)
{
    CharsetConflict conflict;
    if (format.encoding == TextEncoding::Ansi) {
        // A Windows-1252 file: rare beside UTF-8, and the only one that needs its characters.
        const QString text = editorText(result);
        if (!ansiCanHold(text))
            return QStringLiteral("the result holds characters Windows-1252 cannot store; the file is left as it was");
        conflict = charsetConflict(text, format.encoding);
    } else {
        conflict = charsetConflictOfUtf8(result, format.encoding);
    }
    if (conflict.kind == CharsetKind::None)
        return {};
    return QStringLiteral("the page declares the character set ") + conflict.label
        + QStringLiteral(", which the result written in the file's encoding would contradict; the file is left as it was");
}

// Writes the result over the file, with its ".BAK" copy made first unless one is there.
bool writeWithBackup(const QString &path, const QByteArray &result, const FileFormat &format, const CatalogueLine &line,
                     QTextStream &err)
{
    const BackupMade backup = makeBackupBeforeReplacing(path);
    if (backup == BackupMade::Failed) {
        err << line(23) << ' ' << path << '\n';
        return false;
    }
    if (!saveEditorBytes(path, result, format)) {
        // The file stays as it was; a backup name given to it here goes again.
        if (backup == BackupMade::Linked)
            QFile::remove(backupFileName(path));
        err << line(24) << ' ' << path << '\n';
        return false;
    }
    return true;
}

// Runs the command on one file. Problems go to `err`; the file is written, with its ".BAK"
// copy made first, only when the command changed its text.
Outcome runOnFile(const QString &command, const QString &path, int uiLanguage, QTextStream &out, QTextStream &err)
{
    const CatalogueLine line = [uiLanguage](int n) { return MessageCatalogue::line(n, uiLanguage); };
    // The file is held as one text from reading to writing, in the editor's form: a UTF-8 file
    // is never decoded, only its line breaks made CR LF where they are not, and the command's
    // result is written piece by piece straight into the file.
    EditorBytes doc = loadDocumentBytes(path);
    if (!doc.ok) {
        err << line(22) << ' ' << path << '\n';
        return Outcome::Refused;
    }
    if (doc.looksBinary) {
        err << path << ": looks like a binary file (a NUL byte near its start); it is left as it was\n";
        return Outcome::Refused;
    }
    if (!doc.keepsEveryByte) {
        err << path << ": holds bytes that are not valid in its encoding; it is left as it was\n";
        return Outcome::Refused;
    }
    const qsizetype sizeBefore = doc.utf8.size();
    // Shared, not copied, until the command writes to its text.
    const QByteArray readAs = doc.lineBreaks.empty() ? QByteArray() : doc.utf8;
    const auto result = RunSourceCommandUtf8(command, std::move(doc.utf8), line);
    if (!result)
        return Outcome::Refused;
    if (!result->report.isEmpty())
        out << path << ": " << result->report << '\n';
    if (holdsText(path, result->text, readAs, sizeBefore, doc.format))
        return Outcome::Unchanged;
    // The commands see lines joined by CR LF; the file keeps its own line breaks.
    if (const QString refusal = refusalToWrite(result->text, doc.format); !refusal.isEmpty()) {
        err << path << ": " << refusal << '\n';
        return Outcome::Refused;
    }
    if (!QFileInfo(path).isWritable()) {
        err << line(24) << ' ' << path << '\n';
        return Outcome::Refused;
    }
    return writeWithBackup(path, result->text, doc.format, line, err) ? Outcome::Done : Outcome::Refused;
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
