#include "app/batchmode.h"
#include "app/catalogue.h"
#include "app/documentfile.h"
#include "app/editorbytes.h"
#include "app/filecodec.h"
#include "source/sourcebatch.h"
#include "source/transformations.h"
#include "testfiles.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace korvel;
using test::readAll;
using test::writeAll;

namespace {

struct BatchRun {
    int code = -1;
    QString out, err;
};

BatchRun runBatchOn(const QStringList &arguments)
{
    BatchRun run;
    QTextStream out(&run.out), err(&run.err);
    run.code = runBatch(arguments, 1, out, err);
    return run;
}

} // namespace

TEST(BatchMode, rewritesEachFileInItsOwnFormatAndReports)
{
    QTemporaryDir dir;
    const QString utf16 = dir.filePath(QStringLiteral("a.html"));
    const QString unix = dir.filePath(QStringLiteral("b.htm"));
    const QString text = QStringLiteral("<p>Trenn-ung und Bin-destrich:\r\nGrüße</p>");
    writeAll(utf16, encodeDocument(splitLines(text), {TextEncoding::Utf16LE, LineBreakStyle::CrLf}));
    writeAll(unix, encodeDocument(splitLines(text), {TextEncoding::Ansi, LineBreakStyle::Lf}));
    const QByteArray before = readAll(unix);

    const BatchRun run = runBatchOn({QStringLiteral("remove-hyphenation"), utf16, unix});
    EXPECT_EQ(run.code, 0) << qPrintable(run.err);
    EXPECT_TRUE(run.err.isEmpty());
    EXPECT_EQ(run.out, utf16 + QStringLiteral(": 2 x hyphenation deleted.\n") + unix
                           + QStringLiteral(": 2 x hyphenation deleted.\n"));

    const DecodedDocument a = decodeDocument(readAll(utf16));
    EXPECT_EQ(a.format.encoding, TextEncoding::Utf16LE);
    EXPECT_EQ(a.lines.join(QStringLiteral("\r\n")), QStringLiteral("<p>Trennung und Bindestrich:\r\nGrüße</p>"));
    const DecodedDocument b = decodeDocument(readAll(unix));
    EXPECT_EQ(b.format.encoding, TextEncoding::Ansi);
    EXPECT_EQ(readAll(dir.filePath(QStringLiteral("b.BAK"))), before);
}

TEST(BatchMode, checkHtmlPrintsItsReportAndKeepsLineBreaks)
{
    QTemporaryDir dir;
    const QString page = dir.filePath(QStringLiteral("page.html"));
    writeAll(page, "<html>\n<head><title>t</title></head>\n<body>\n<div><p>open\n</body>\n</html>\n");
    const BatchRun run = runBatchOn({QStringLiteral("check-html"), page});
    EXPECT_EQ(run.code, 0) << qPrintable(run.err);
    EXPECT_TRUE(run.out.startsWith(page + QStringLiteral(": ")));
    EXPECT_FALSE(readAll(page).contains("\r"));  // an LF file stays LF
}

TEST(BatchMode, badFilesAreReportedAndLeftAsTheyWere)
{
    QTemporaryDir dir;
    const QString odd = dir.filePath(QStringLiteral("odd.html"));
    writeAll(odd, QByteArray("\xFF\xFE\x41", 3));
    const QString good = dir.filePath(QStringLiteral("good.html"));
    writeAll(good, "Gr\xFC\xDF" "e");  // the entities command changes it

    const BatchRun run = runBatchOn({QStringLiteral("entities"), dir.filePath(QStringLiteral("missing.html")), odd, good});
    EXPECT_EQ(run.code, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("Cannot open file: ") + odd));
    EXPECT_TRUE(run.err.contains(QStringLiteral("missing.html")));
    EXPECT_EQ(readAll(odd), QByteArray("\xFF\xFE\x41", 3));
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("good.BAK"))));

    if (geteuid() != 0) {
        QFile::setPermissions(good, QFile::ReadOwner);
        const BatchRun locked = runBatchOn({QStringLiteral("entities"), good});
        EXPECT_EQ(locked.code, 1);
        EXPECT_TRUE(locked.err.contains(QStringLiteral("Cannot save file:")));
    }
}

TEST(BatchMode, wrongCommandLineShowsUsage)
{
    EXPECT_EQ(runBatchOn({QStringLiteral("frobnicate"), QStringLiteral("x.html")}).code, 2);
    const BatchRun run = runBatchOn({QStringLiteral("check-html")});
    EXPECT_EQ(run.code, 2);
    EXPECT_TRUE(run.err.contains(QStringLiteral("usage: korvel --run COMMAND FILE...")));
}

// A file that looks binary is refused and a file the command leaves as it was is not written:
// neither is rewritten nor gets a ".BAK" copy, and the run ends with 1 when any file was refused.
// A page of mixed line breaks that the command leaves as it was stays so too, although saving
// its text would write other bytes.
TEST(BatchMode, binaryFilesAreRefusedAndUnchangedFilesAreNotTouched)
{
    QTemporaryDir dir;
    QByteArray program("\x7F" "ELF\x02\x01\x01\0\0\0\0\0\0\0\0\0<body a=b>x=1\n", 31);
    for (int b = 0; b < 256; ++b)
        program.append(char(b));
    const QString binary = dir.filePath(QStringLiteral("tool"));
    writeAll(binary, program);
    const QString marked = dir.filePath(QStringLiteral("marked.html"));
    const QByteArray markedBytes("\xEF\xBB\xBF<p>x-y \xFF</p>");
    writeAll(marked, markedBytes);
    const QString plain = dir.filePath(QStringLiteral("plain.html"));
    const QByteArray plainBytes("<p>nothing to do</p>\n<p>here</p>\n");
    writeAll(plain, plainBytes);
    const QString mixed = dir.filePath(QStringLiteral("mixed.html"));
    const QByteArray mixedBytes("<html>\n<head>\r\n<title>t</title>\r\n</head>\n<body><p>x</p></body>\r\n</html>\n");
    writeAll(mixed, mixedBytes);
    const QDateTime old = QDateTime::currentDateTimeUtc().addDays(-3);
    {
        QFile f(plain);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.setFileTime(old, QFileDevice::FileModificationTime));
    }

    struct Case { const char *command; QStringList files; int code; };
    const Case cases[] = {
        {"check-html", {binary}, 1},
        {"entities", {plain}, 0},
        {"remove-hyphenation", {plain, binary}, 1},
        {"remove-hyphenation", {marked}, 1},
        {"check-html", {mixed}, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.command);
        const BatchRun run = runBatchOn(QStringList{QString::fromLatin1(c.command)} + c.files);
        EXPECT_EQ(run.code, c.code) << qPrintable(run.err);
        EXPECT_EQ(run.err.contains(binary + QStringLiteral(": looks like a binary file")), c.files.contains(binary));
        EXPECT_EQ(run.err.contains(marked + QStringLiteral(": holds bytes that are not valid")), c.files.contains(marked));
        EXPECT_EQ(readAll(binary), program);
        EXPECT_EQ(readAll(marked), markedBytes);
        EXPECT_EQ(readAll(plain), plainBytes);
        EXPECT_EQ(readAll(mixed), mixedBytes);
        EXPECT_EQ(QFileInfo(plain).lastModified().toUTC(), old);
        EXPECT_TRUE(QDir(dir.path()).entryList({QStringLiteral("*.BAK")}, QDir::Files).isEmpty());
    }
}

// The batch refuses what the editor would ask about: a page declaring UTF-8 that the file's
// Windows-1252 bytes would contradict.
TEST(BatchMode, aResultThatWouldContradictTheDeclaredCharsetIsRefused)
{
    QTemporaryDir dir;
    const QString page = dir.filePath(QStringLiteral("p.html"));
    // Windows-1252 bytes (not valid UTF-8) under a UTF-8 declaration; the hyphen goes.
    const QByteArray bytes("<meta charset=utf-8><body>Gr\xFC\xDF-e</body>");
    writeAll(page, bytes);
    const BatchRun run = runBatchOn({QStringLiteral("remove-hyphenation"), page});
    EXPECT_EQ(run.code, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("declares the character set utf-8"))) << qPrintable(run.err);
    EXPECT_EQ(readAll(page), bytes);
}

TEST(BatchMode, helpListsTheCommandsAndTheExitCodes)
{
    QProcess process;
    process.start(QStringLiteral(KORVEL_PROGRAM), {QStringLiteral("--help")});
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 0);
    const QString help = QString::fromUtf8(process.readAllStandardOutput());
    for (const QString &word : {QStringLiteral("check-html"), QStringLiteral("entities"),
                                QStringLiteral("remove-line-breaks"), QStringLiteral("exit codes:"),
                                QStringLiteral("  1  at least one file was refused")})
        EXPECT_TRUE(help.contains(word)) << qPrintable(word) << '\n' << qPrintable(help);
}

// The program itself runs the batch with no display at all.
TEST(BatchMode, theProgramNeedsNoDisplay)
{
    QTemporaryDir dir;
    const QString page = dir.filePath(QStringLiteral("p.html"));
    writeAll(page, "Fu\xDF-ball<br>\r\n");
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(KORVEL_PROGRAM), {QStringLiteral("--run"), QStringLiteral("remove-hyphenation"), page});
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    EXPECT_TRUE(process.readAllStandardOutput().contains("1 x"));
    EXPECT_EQ(readAll(page), QByteArray("Fu\xDF" "ball<br>\r\n"));
}

// A batch run loads Qt Core and nothing of the window: the widget, GUI and web-engine libraries
// would cost more start-up time than the command on a large page.
TEST(BatchMode, aBatchRunLoadsNoLibraryOfTheWindow)
{
    QTemporaryDir dir;
    const QString page = dir.filePath(QStringLiteral("p.html"));
    writeAll(page, "<p>text</p>\r\n");
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    // The dynamic loader names each library it opens on standard error.
    env.insert(QStringLiteral("LD_DEBUG"), QStringLiteral("files"));
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(KORVEL_PROGRAM), {QStringLiteral("--run"), QStringLiteral("entities"), page});
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 0);
    const QByteArray loaded = process.readAllStandardError();
    ASSERT_TRUE(loaded.contains("libQt6Core.so")) << "the loader said nothing: " << loaded.left(2000).toStdString();
    for (const char *library : {"libQt6Gui.so", "libQt6Widgets.so", "libQt6WebEngineCore.so", "libqscintilla2"})
        EXPECT_FALSE(loaded.contains(library)) << library;
}

namespace {

// Runs the program as a terminal user would on a machine without any display.
void runWithoutDisplay(QProcess &process, const QStringList &arguments)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QString::fromLatin1(name));
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(KORVEL_PROGRAM), arguments);
}

} // namespace

TEST(BatchMode, helpAndVersionAnswerWithoutADisplay)
{
    const struct {
        const char *option;
        const char *expected;
    } cases[] = {{"--help", "Usage: korvel [FILE]"}, {"-h", "--run COMMAND FILE"}, {"--version", "korvel 1."}, {"-v", "korvel "}};
    for (const auto &c : cases) {
        QProcess process;
        runWithoutDisplay(process, {QString::fromLatin1(c.option)});
        ASSERT_TRUE(process.waitForFinished(30000)) << c.option;
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit) << c.option;
        EXPECT_EQ(process.exitCode(), 0) << c.option << process.readAllStandardError().toStdString();
        EXPECT_TRUE(process.readAllStandardOutput().contains(c.expected)) << c.option;
    }
}

TEST(BatchMode, everyRunCommandWorksWithoutADisplay)
{
    QTemporaryDir dir;
    for (const QString &word : SourceCommandWords()) {
        const QString page = dir.filePath(word + QStringLiteral(".html"));
        writeAll(page, "<HTML><BODY><P>Fu\xDF-\r\nball &auml; <b>x</BODY></HTML>\r\n");
        QProcess process;
        runWithoutDisplay(process, {QStringLiteral("--run"), word, page});
        ASSERT_TRUE(process.waitForFinished(30000)) << qPrintable(word);
        const QByteArray err = process.readAllStandardError();
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit) << qPrintable(word) << err.toStdString();
        EXPECT_EQ(process.exitCode(), 0) << qPrintable(word) << err.toStdString();
        EXPECT_FALSE(err.contains("could not connect to display")) << qPrintable(word);
    }
}

namespace {

// Files of every form the batch meets, small enough that pieces of a few bytes cut their
// characters, their CR LF breaks and their marks at every place.
const QByteArray kPieceFiles[] = {
    QByteArray("<p>Gr\xC3\xBC\xC3\x9F" "e \xE2\x82\xAC \xF0\x9D\x84\x9E</p>\n<p>\xC3\xA4</p>\n"),  // UTF-8, LF
    QByteArray("\xEF\xBB\xBF<p>\xE2\x82\xAC</p>\r\n<p>x</p>\r\n"),                               // marked, CR LF
    QByteArray("\xEF\xBB\xBF\xEF\xBB\xBF" "a\xEF\xBB\xBF" "b\r"),                                // marks as characters
    QByteArray("<p>one</p>\r<p>two</p>\r\r"),                                                    // CR only
    QByteArray("<html>\n<head>\r\n<title>t</title>\r\n</head>\r</html>\n"),                      // mixed
    QByteArray("line\xE2\x80\xA8" "line\xE2\x80\xA8\xC3\xBC"),                                    // U+2028 only
    QByteArray("<meta charset=utf-8><p>plain</p>\r\n"),                                          // ASCII declaring UTF-8
    QByteArray("<p>plain</p>\r\n\r\n"),                                                          // ASCII
    QByteArray("Gr\xFC\xDF" "e\r\n\xC3\xBC"),                                                    // Windows-1252
    QByteArray("abc\r\n\xE2\x82"),                                                               // ends inside a character
    QByteArray("ab\xC3"),
    QByteArray("\xEF\xBB\xBF<p>x \xFF</p>"),                                                     // marked, not UTF-8
    QByteArray("\xED\xA0\x80 \xC0\xAF"),                                                         // surrogate, overlong
    QByteArray("\xFF\xFE<\0p\0>\0\r\0\n\0", 12),                                                 // UTF-16
    QByteArray("x\0y\nz", 5),                                                                    // binary
    QByteArray("\r"),
    QByteArray(),
};

} // namespace

// Read again in pieces of any size, a file holds the text it was read as, and no other: not one
// that differs in its last byte only, nor one a byte longer or shorter.
TEST(BatchMode, aFileHoldsTheTextItWasReadAsAndNoOther)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("p.html"));
    int compared = 0;
    for (const QByteArray &bytes : kPieceFiles) {
        const EditorBytes read = decodeDocumentForEditor(bytes);
        // A file that mixes line breaks is compared with the text it was read as, not re-read.
        if (!read.ok || !read.keepsEveryByte || read.utf8.isEmpty() || !read.lineBreaks.empty())
            continue;
        // The last character that is not a line break is changed, or left out: a lone CR where
        // the text had CR LF would be written as the same bytes, so it holds as well.
        qsizetype at = read.utf8.size() - 1;
        while (at >= 0 && (read.utf8[at] == '\r' || read.utf8[at] == '\n'))
            --at;
        if (at < 0)
            continue;
        ++compared;
        writeAll(path, bytes);
        QByteArray lastChanged = read.utf8;
        lastChanged[at] = lastChanged[at] == 'x' ? 'y' : 'x';
        const QByteArray shorter = QByteArray(read.utf8).remove(at, 1);
        for (const qsizetype chunk : {1, 2, 3, 5, 1 << 20}) {
            SCOPED_TRACE(bytes.toHex(' ').toStdString() + " in pieces of " + std::to_string(chunk));
            EXPECT_TRUE(fileHoldsEditorBytes(path, read.utf8, read.format, chunk));
            EXPECT_FALSE(fileHoldsEditorBytes(path, lastChanged, read.format, chunk));
            EXPECT_FALSE(fileHoldsEditorBytes(path, read.utf8 + 'x', read.format, chunk));
            EXPECT_FALSE(fileHoldsEditorBytes(path, shorter, read.format, chunk));
        }
    }
    EXPECT_GE(compared, 8);
    EXPECT_FALSE(fileHoldsEditorBytes(dir.filePath(QStringLiteral("missing.html")), QByteArray(), {}, 4));
}

// Written in pieces of any size, a text becomes the bytes encodeEditorBytes makes of it whole,
// in every encoding and line break: breaks cut by a piece come out whole.
TEST(BatchMode, textsWrittenInPiecesAreTheBytesOfTheWholeText)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("out.html"));
    const QByteArray texts[] = {
        QByteArray("<p>Gr\xC3\xBC\xC3\x9F" "e \xE2\x82\xAC</p>\r\n<p>\xF0\x9D\x84\x9E</p>\r\nend\r\n"),
        QByteArray("a\rb\nc\r\n\r\rd\n\xE2\x80\xA8" "e\r"),  // the breaks a command may leave
        QByteArray(),
    };
    const TextEncoding encodings[] = {TextEncoding::Utf16LE, TextEncoding::Utf16BE, TextEncoding::Utf8,
                                      TextEncoding::Utf8NoMark, TextEncoding::Ansi};
    const LineBreakStyle breaks[] = {LineBreakStyle::CrLf, LineBreakStyle::Lf, LineBreakStyle::Cr, LineBreakStyle::LineSeparator};
    for (const QByteArray &text : texts) {
        for (const TextEncoding encoding : encodings) {
            for (const LineBreakStyle lineBreak : breaks) {
                const FileFormat format{encoding, lineBreak};
                for (const qsizetype chunk : {1, 2, 3, 4, 1 << 20}) {
                    SCOPED_TRACE(int(encoding) * 10 + int(lineBreak));
                    SCOPED_TRACE(chunk);
                    ASSERT_TRUE(saveEditorBytes(path, text, format, chunk));
                    EXPECT_EQ(readAll(path), encodeEditorBytes(text, format));
                    EXPECT_TRUE(fileHoldsEditorBytes(path, text, format, chunk));
                }
            }
        }
    }
}

// A result equal to the file is neither written nor backed up; one that differs from it only in
// its last character is written.
TEST(BatchMode, aResultDifferingOnlyInItsLastCharacterIsWritten)
{
    QTemporaryDir dir;
    const QString same = dir.filePath(QStringLiteral("same.html"));
    const QByteArray sameBytes("var s = 'Gr\xC3\xBC\xC3\x9F" "e';\n");
    writeAll(same, sameBytes);
    const BatchRun unchanged = runBatchOn({QStringLiteral("remove-hyphenation"), same});
    EXPECT_EQ(unchanged.code, 0) << qPrintable(unchanged.err);
    EXPECT_EQ(readAll(same), sameBytes);
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("same.BAK"))));

    // The same length again, with the last character changed, is told apart by content.
    const QString page = dir.filePath(QStringLiteral("page.html"));
    writeAll(page, "<p>Trenn-\nung</p>x");
    const EditorBytes read = decodeDocumentForEditor(readAll(page));
    ASSERT_TRUE(read.ok);
    QByteArray last = read.utf8;
    last.back() = 'y';
    EXPECT_FALSE(fileHoldsEditorBytes(page, last, read.format, 3));
    ASSERT_TRUE(saveEditorBytes(page, last, read.format, 3));
    EXPECT_EQ(readAll(page), QByteArray("<p>Trenn-\nung</p>y"));
}

// A file large enough to be read in two halves at once comes whole and in order, its line
// breaks made CR LF, a character cut by the halves' border included.
TEST(BatchMode, aLargeFileReadInTwoHalvesComesWholeAndInOrder)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("large.html"));
    QByteArray bytes, expected;
    for (int line = 0; bytes.size() < (qsizetype(9) << 20); ++line) {
        const QByteArray text = "<p>" + QByteArray::number(line) + " Gr\xC3\xBC\xC3\x9F" "e \xF0\x9D\x84\x9E</p>";
        bytes += text + '\n';
        expected += text + "\r\n";
    }
    writeAll(path, bytes);
    const EditorBytes read = loadDocumentBytes(path);
    ASSERT_TRUE(read.ok);
    EXPECT_TRUE(read.utf8 == expected);
    EXPECT_EQ(read.format, (FileFormat{TextEncoding::Utf8NoMark, LineBreakStyle::Lf}));
    EXPECT_FALSE(loadDocumentBytes(dir.filePath(QStringLiteral("missing.html"))).ok);
}

// The backup keeps the bytes the file had, as a name of its own: later changes to the file do
// not reach it, also when the file was reached through a second name of its own or a symbolic
// link; a backup that is there already stays as it was.
TEST(BatchMode, theBackupKeepsTheOldBytesWhateverNamesTheFileHas)
{
    QTemporaryDir dir;
    const QByteArray before("<p>Trenn-ung</p>\n");
    const QByteArray after("<p>Trennung</p>\n");
    const auto path = [&dir](const char *name) { return dir.filePath(QString::fromLatin1(name)); };
    const auto run = [](const QString &file) {
        const BatchRun done = runBatchOn({QStringLiteral("remove-hyphenation"), file});
        EXPECT_EQ(done.code, 0) << qPrintable(done.err);
    };

    writeAll(path("one.html"), before);
    run(path("one.html"));
    EXPECT_EQ(readAll(path("one.html")), after);
    EXPECT_EQ(readAll(path("one.BAK")), before);
    writeAll(path("one.html"), "changed in place");  // the same file written over, not replaced
    EXPECT_EQ(readAll(path("one.BAK")), before);

    writeAll(path("two.html"), before);
    ASSERT_EQ(::link(QFile::encodeName(path("two.html")).constData(), QFile::encodeName(path("other.html")).constData()), 0);
    run(path("two.html"));
    EXPECT_EQ(readAll(path("two.BAK")), before);
    writeAll(path("other.html"), "changed through the second name");
    EXPECT_EQ(readAll(path("two.BAK")), before);

    writeAll(path("target.html"), before);
    ASSERT_TRUE(QFile::link(path("target.html"), path("link.html")));
    run(path("link.html"));
    EXPECT_EQ(readAll(path("target.html")), after);
    EXPECT_EQ(readAll(path("link.BAK")), before);
    writeAll(path("target.html"), "changed through the link");
    EXPECT_EQ(readAll(path("link.BAK")), before);

    writeAll(path("three.html"), before);
    writeAll(path("three.BAK"), "older copy");
    run(path("three.html"));
    EXPECT_EQ(readAll(path("three.html")), after);
    EXPECT_EQ(readAll(path("three.BAK")), QByteArray("older copy"));
}

// The file system refuses the bytes past a size limit half-way through a result written in
// pieces: the run says so, and the old file stays whole with no temporary file left beside it.
TEST(BatchMode, aWriteRefusedHalfWayKeepsTheOldFileWhole)
{
    QByteArray before;
    while (before.size() < (qsizetype(5) << 19))  // 2.5 MB: more pieces than the limit lets through
        before += "<p>Fu\xC3\x9F-ball</p>\n";
    // With a backup there already, and without one: the backup made for the write goes again.
    for (const bool backupThere : {true, false}) {
        SCOPED_TRACE(backupThere);
        QTemporaryDir dir;
        const QString page = dir.filePath(QStringLiteral("big.html"));
        writeAll(page, before);
        if (backupThere)
            writeAll(dir.filePath(QStringLiteral("big.BAK")), "older copy");
        const QStringList filesBefore = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{rlim_t(3) << 19, rlim_t(3) << 19};
            if (setrlimit(RLIMIT_FSIZE, &limit) != 0)
                _exit(3);
            const BatchRun run = runBatchOn({QStringLiteral("remove-hyphenation"), page});
            _exit(run.code == 1 && run.err.contains(QStringLiteral("Cannot save file: ") + page) ? 0 : 1);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 0) << "the failed write was not reported";
        EXPECT_EQ(readAll(page), before);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), filesBefore);
    }
}

// The batch joins lines as the menu command does, head section and all, although it puts the
// head back into the joined page where it lies.
TEST(BatchMode, removingLineBreaksGivesWhatTheMenuCommandGives)
{
    const CatalogueLine line = [](int n) { return MessageCatalogue::line(n, 1); };
    const QString pages[] = {
        QStringLiteral("<html><head>\r\n<title>t</title>\r\n</head>\r\n<body>a\r\n  b    c</body></html>\r\n"),
        QStringLiteral("<HTML><HEAD>\r\n</HEAD><body>x\r\ny</body>"),
        QStringLiteral("<p>no head\r\n</p>\r\n"),
        QStringLiteral("<head>   \r\n</head>text"),
        QString(),
    };
    for (const QString &page : pages) {
        QString savedHead;
        const QString menu = RemoveLineFeeds(page, savedHead);
        const auto batch = RunSourceCommandUtf8(QStringLiteral("remove-line-breaks"), page.toUtf8(), line);
        ASSERT_TRUE(batch.has_value());
        EXPECT_EQ(batch->text, menu.toUtf8()) << qPrintable(page);
        EXPECT_TRUE(batch->report.isEmpty());
    }
}
