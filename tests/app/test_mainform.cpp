#include "app/captions.h"
#include "app/documentfile.h"
#include "app/filecommands.h"
#include "app/mainform.h"
#include "app/settingsfile.h"
#include "editor/synmemo.h"
#include "scriptedprompter.h"
#include "testfiles.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

using namespace korvel;
using test::ScriptedPrompter;
using test::readAll;
using test::writeAll;

namespace {

// Answers the language chooser with the given entry.
std::function<int(QDialog &)> chooseLanguage(int index)
{
    return [index](QDialog &d) {
        d.findChild<QComboBox *>(QStringLiteral("ComboBox1"))->setCurrentIndex(index);
        return int(QDialog::Accepted);
    };
}

class MainFormTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dataDir = qEnvironmentVariable("KORVEL_DATA_DIR");
        QFile::remove(settingsFilePath(dataDir));
    }

    void TearDown() override
    {
        if (form) {
            form->editor()->setModified(false);
            form->editor()->clearAll();
            form->close();
        }
    }

    // Starts the window as a user would see it; with no settings file the chooser is
    // answered with the given language.
    void start(int language = 1, const QString &engineVersion = QStringLiteral("102.0.5005.177"))
    {
        if (!QFile::exists(settingsFilePath(dataDir)))
            prompter.answerDialog(chooseLanguage(language));
        form = std::make_unique<TMainForm>(prompter);
        form->setEngineVersionText(engineVersion);
        form->show();
    }

    QStringList settingsLines() { return settingsLinesFromFile(readAll(settingsFilePath(dataDir))); }

    QString dataDir;
    QTemporaryDir work;
    ScriptedPrompter prompter;
    std::unique_ptr<TMainForm> form;
};

} // namespace

TEST_F(MainFormTest, firstStartAsksForTheLanguageAndClosingStoresItScrambled)
{
    start(1);
    EXPECT_EQ(prompter.dialogsShown(), QStringList{QStringLiteral("TFormSelLang")});
    EXPECT_EQ(form->UiLanguage, 1);
    EXPECT_EQ(form->findChild<QMenu *>(QStringLiteral("FileMenu"))->title(), QStringLiteral("&File"));
    EXPECT_TRUE(form->statusPanel(3)->text().isEmpty());
    EXPECT_EQ(form->statusPanel(0)->text(), QStringLiteral("Row   1   Col:   1"));

    EXPECT_TRUE(form->close());
    const QByteArray bytes = readAll(settingsFilePath(dataDir));
    EXPECT_TRUE(LooksScrambled(bytes));
    const QStringList lines = settingsLines();
    ASSERT_EQ(lines.size(), 16);
    EXPECT_EQ(lines.mid(0, 15), QStringList(15, QStringLiteral(" ")));
    EXPECT_EQ(lines.at(15), QStringLiteral("1"));
    EXPECT_EQ(QFile::permissions(settingsFilePath(dataDir)) & (QFile::ReadOther | QFile::ReadGroup), 0);
    form.reset();
}

TEST_F(MainFormTest, plainSettingsAreUsedAndTheNextWriteScramblesThem)
{
    writeAll(settingsFilePath(dataDir),
             "Courier New\r\n16\r\nfalse\r\nme\r\nsecret\r\nftp.example.org\r\nUserLogin\r\nUTF-8\r\n"
             "/usr/bin/firefox\r\n255\r\n65280\r\n16711680\r\nx\r\ny\r\nz\r\n0\r\n");
    start();
    EXPECT_TRUE(prompter.dialogsShown().isEmpty());
    EXPECT_EQ(form->UiLanguage, 0);
    EXPECT_EQ(form->editor()->fontSize(), 16);
    EXPECT_FALSE(form->editor()->lineNumbersVisible());
    EXPECT_EQ(form->editor()->keywordColor(), 255);
    EXPECT_EQ(form->settings().FtpLoginMode, QStringLiteral("UserLogin"));
    EXPECT_EQ(form->settings().DefaultCharset, QStringLiteral("UTF-8"));
    EXPECT_EQ(form->findChild<QMenu *>(QStringLiteral("FileMenu"))->title(), QStringLiteral("&Datei"));

    form->action(QStringLiteral("Englisch1"))->trigger();
    EXPECT_TRUE(form->close());
    EXPECT_TRUE(LooksScrambled(readAll(settingsFilePath(dataDir))));
    const QStringList lines = settingsLines();
    EXPECT_EQ(lines.at(4), QStringLiteral("secret"));
    EXPECT_EQ(lines.at(14), QStringLiteral("z"));
    EXPECT_EQ(lines.at(15), QStringLiteral("1"));
    form.reset();
}

TEST_F(MainFormTest, languageSwitchChangesCaptionsHintsAndMessagesAtOnce)
{
    start(0);
    const auto hint = [&](const char *name) { return form->action(QString::fromLatin1(name))->toolTip(); };
    EXPECT_EQ(hint("SaveButton"), QStringLiteral("Aktuelle Datei speichern"));
    form->action(QStringLiteral("Englisch1"))->trigger();
    EXPECT_EQ(hint("SaveButton"), QStringLiteral("Save file"));
    EXPECT_EQ(withoutMnemonic(form->action(QStringLiteral("FileSaveAsItem"))->text()), QStringLiteral("Save as..."));
    EXPECT_EQ(form->pageControl()->tabText(0), QStringLiteral("Source"));
    EXPECT_EQ(form->pageControl()->tabText(1), QStringLiteral("Browser/Designer"));
    EXPECT_EQ(withoutMnemonic(form->action(QStringLiteral("Div1"))->text()), QStringLiteral("Div"));
    form->fileCommands().OpenDocumentFile(work.filePath(QStringLiteral("missing.html")));
    EXPECT_EQ(prompter.lastText(), QStringLiteral("Cannot open file:") + work.filePath(QStringLiteral("missing.html")));
    form->action(QStringLiteral("Deutsch1"))->trigger();
    EXPECT_EQ(hint("SaveButton"), QStringLiteral("Aktuelle Datei speichern"));
    // Qt's own standard buttons follow.
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Abbrechen"));
    form->action(QStringLiteral("Englisch1"))->trigger();
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Cancel"));
    form->action(QStringLiteral("Deutsch1"))->trigger();
    EXPECT_EQ(form->line(18), QStringLiteral("Suchbegriff nicht gefunden."));
}

TEST_F(MainFormTest, engineVersionIsItsWholeLeadingNumber)
{
    EXPECT_EQ(engineMajorVersionOf(QStringLiteral("102.0.5005.177")), 102);
    EXPECT_EQ(engineMajorVersionOf(QStringLiteral("10.1")), 10);
    EXPECT_EQ(engineMajorVersionOf(QString()), 0);
    start(1, QStringLiteral("4.0"));
    EXPECT_FALSE(form->DesignModeAvailable);
    EXPECT_EQ(prompter.lastText(), QStringLiteral(
        "No supported IE version found. Design mode not available. See system requirements! IE version:4"));
}

TEST(MainWindowSize, followsTheScreen)
{
    EXPECT_EQ(mainWindowSize(QSize(1280, 1024)), QSize(1000, 700));
    EXPECT_EQ(mainWindowSize(QSize(1024, 600)), QSize(1000, 543));
    EXPECT_EQ(mainWindowSize(QSize(800, 600)), QSize(786, 543));
}

TEST_F(MainFormTest, commandLineOpensAnExistingFileAndNamesAMissingOne)
{
    prompter.answerDialog(chooseLanguage(1));
    form = std::make_unique<TMainForm>(prompter);
    form->setCommandLine({work.filePath(QStringLiteral("nothing-here.html"))});
    form->show();
    EXPECT_TRUE(form->document().FileName.isEmpty());
    EXPECT_EQ(prompter.lastText(), QStringLiteral("Cannot open file:") + work.filePath(QStringLiteral("nothing-here.html"))
                                       + QStringLiteral("\nThere is no such file."));
    form.reset();
    prompter.clear();

    const QString page = work.filePath(QStringLiteral("start.js"));
    writeAll(page, "var a = 1;");
    prompter.answerDialog(chooseLanguage(1));
    form = std::make_unique<TMainForm>(prompter);
    form->setCommandLine({page, QStringLiteral("ignored")});
    form->show();
    EXPECT_EQ(form->document().FileName, page);
    EXPECT_EQ(form->editor()->highlighter(), Highlighter::JavaScript);
    EXPECT_EQ(form->editor()->text(), QStringLiteral("var a = 1;"));
    EXPECT_TRUE(prompter.unexpected().isEmpty());
}

TEST_F(MainFormTest, openEditSaveAsTextAndReload)
{
    start(1);
    const QString page = work.filePath(QStringLiteral("index.html"));
    writeAll(page, QStringLiteral("<p>Grüße</p>\n<p>zwei</p>\n").toUtf8());
    prompter.answerOpenFile(page);
    form->action(QStringLiteral("FileOpenItem"))->trigger();
    EXPECT_EQ(form->document().FileName, page);
    EXPECT_EQ(form->statusPanel(3)->text(), page);
    EXPECT_EQ(readAll(work.filePath(QStringLiteral("index.BAK"))), readAll(page));
    EXPECT_EQ(form->document().format.encoding, TextEncoding::Utf8NoMark);
    EXPECT_FALSE(form->editor()->modified());

    form->editor()->setSelStart(0);
    form->editor()->replaceSelection(QStringLiteral("<h1>€</h1>"));
    EXPECT_TRUE(form->editor()->modified());

    const QString notes = work.filePath(QStringLiteral("notes.txt"));
    prompter.answerSaveFile(notes);
    form->action(QStringLiteral("FileSaveAsItem"))->trigger();
    EXPECT_EQ(readAll(notes), QByteArray("<h1>\x80</h1><p>Gr\xFC\xDF" "e</p>\r\n<p>zwei</p>\r\n\r\n"));
    EXPECT_EQ(form->document().FileName, notes);
    EXPECT_EQ(form->document().format.encoding, TextEncoding::Ansi);
    EXPECT_FALSE(form->editor()->modified());
    EXPECT_TRUE(prompter.unexpected().isEmpty()) << qPrintable(prompter.unexpected().join(u'\n'));

    // The backup made by the first open is never replaced.
    writeAll(page, "changed");
    form->fileCommands().OpenDocumentFile(page);
    EXPECT_EQ(readAll(work.filePath(QStringLiteral("index.BAK"))),
              QStringLiteral("<p>Grüße</p>\n<p>zwei</p>\n").toUtf8());
}

TEST_F(MainFormTest, newDocumentBeforeAnyFileIsSavedAsUtf16)
{
    start(1);
    prompter.answer(Answer::Yes);
    form->action(QStringLiteral("FileNewItem"))->trigger();
    EXPECT_EQ(prompter.lastText(), QStringLiteral("New HTML doc?"));
    EXPECT_EQ(form->document().FileName, QStringLiteral("Untitled"));
    EXPECT_TRUE(form->editor()->text().startsWith(QStringLiteral("<!DOCTYPE HTML PUBLIC")));
    EXPECT_TRUE(form->editor()->text().contains(QStringLiteral("charset=ISO-8859-1\">")));

    const QString page = work.filePath(QStringLiteral("page.htm"));
    prompter.answerSaveFile(page);
    form->action(QStringLiteral("FileSaveItem"))->trigger();
    const QByteArray bytes = readAll(page);
    EXPECT_TRUE(bytes.startsWith(QByteArray("\xFF\xFE<\0!\0", 6)));
    EXPECT_TRUE(bytes.endsWith(QByteArray("<\0/\0h\0t\0m\0l\0>\0", 14)));
    EXPECT_EQ(form->document().FileName, page);
}

TEST_F(MainFormTest, unsavedTextIsNeverDroppedWithoutAnAnswer)
{
    start(1);
    form->editor()->setText(QStringLiteral("<p>mine</p>"));
    form->editor()->setModified(true);

    // New asks first; Cancel keeps the text.
    prompter.answer(Answer::Cancel);
    form->action(QStringLiteral("FileNewItem"))->trigger();
    EXPECT_EQ(prompter.lastText(), QStringLiteral("Save changes to:untitled.html"));
    EXPECT_EQ(form->editor()->text(), QStringLiteral("<p>mine</p>"));

    // A dropped file after Cancel is not opened.
    const QString dropped = work.filePath(QStringLiteral("dropped.html"));
    writeAll(dropped, "<p>dropped</p>");
    prompter.answer(Answer::Cancel);
    form->FilesDropped({dropped});
    EXPECT_EQ(form->editor()->text(), QStringLiteral("<p>mine</p>"));

    // Yes, then cancelling the save dialog, counts as Cancel: closing stops.
    prompter.answer(Answer::Yes);
    prompter.answerSaveFile(QString());
    EXPECT_FALSE(form->close());
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->editor()->text(), QStringLiteral("<p>mine</p>"));

    // The close query wrote the language even though the window stayed.
    EXPECT_EQ(settingsLines().value(15), QStringLiteral("1"));

    // No closes.
    prompter.answer(Answer::No);
    EXPECT_TRUE(form->close());
    form.reset();
}

TEST_F(MainFormTest, droppingTwoFilesOpensTheFirst)
{
    start(1);
    const QString a = work.filePath(QStringLiteral("a.css"));
    const QString b = work.filePath(QStringLiteral("b.html"));
    writeAll(a, "p { color: red }");
    writeAll(b, "<p>b</p>");
    form->FilesDropped({a, b});
    EXPECT_EQ(form->document().FileName, a);
    EXPECT_EQ(form->editor()->highlighter(), Highlighter::Css);
    EXPECT_TRUE(prompter.messages().isEmpty());
}

TEST_F(MainFormTest, saveFailureKeepsTheTextModifiedAndSays)
{
    start(1);
    const QString folder = work.filePath(QStringLiteral("gone"));
    QDir().mkpath(folder);
    const QString page = folder + QStringLiteral("/page.html");
    writeAll(page, "<p>x</p>");
    form->fileCommands().OpenDocumentFile(page);
    form->editor()->replaceSelection(QStringLiteral("y"));
    QDir(folder).removeRecursively();
    form->action(QStringLiteral("FileSaveItem"))->trigger();
    EXPECT_EQ(prompter.lastText(), QStringLiteral("Cannot save file:") + page);
    EXPECT_TRUE(form->editor()->modified());
}

TEST_F(MainFormTest, ansiSaveOffersUtf8WhenCharactersWouldBeLost)
{
    start(1);
    const QString page = work.filePath(QStringLiteral("old.html"));
    writeAll(page, "<p>alt</p>");
    form->fileCommands().OpenDocumentFile(page);
    form->editor()->setSelStart(0);
    form->editor()->replaceSelection(QStringLiteral("日本"));

    prompter.answer(Answer::Cancel);
    form->action(QStringLiteral("FileSaveItem"))->trigger();
    EXPECT_EQ(readAll(page), QByteArray("<p>alt</p>"));
    EXPECT_TRUE(form->editor()->modified());

    prompter.answer(Answer::Yes);
    form->action(QStringLiteral("FileSaveItem"))->trigger();
    EXPECT_EQ(readAll(page), QByteArray("\xEF\xBB\xBF") + QStringLiteral("日本<p>alt</p>").toUtf8());
    EXPECT_EQ(form->document().format.encoding, TextEncoding::Utf8);
    EXPECT_FALSE(form->editor()->modified());
}

// "ÿþ" typed at the start of a Windows-1252 page would make its bytes begin like a UTF-16 mark,
// and the saved file could not be opened again: it is saved as UTF-8 with mark.
TEST_F(MainFormTest, ansiSaveThatWouldReadAsAnotherEncodingIsWrittenAsUtf8)
{
    start(1);
    const QString page = work.filePath(QStringLiteral("old.html"));
    writeAll(page, "<p>Gr\xFC\xDF" "e</p>");
    form->fileCommands().OpenDocumentFile(page);
    ASSERT_EQ(form->document().format.encoding, TextEncoding::Ansi);
    form->editor()->setSelStart(0);
    form->editor()->replaceSelection(QStringLiteral("\u00FF\u00FE"));
    const QStringList typed = form->editor()->lines();
    form->action(QStringLiteral("FileSaveItem"))->trigger();
    EXPECT_EQ(readAll(page), QByteArray("\xEF\xBB\xBF") + QStringLiteral("\u00FF\u00FE<p>Grüße</p>").toUtf8());
    EXPECT_EQ(form->document().format.encoding, TextEncoding::Utf8);
    ASSERT_TRUE(form->fileCommands().OpenDocumentFile(page));
    EXPECT_EQ(form->editor()->lines(), typed);
}

// A file that looks binary opens only after a question; every byte, NUL included, survives an
// edit elsewhere and a save, and the file is not rewritten while it is unchanged.
TEST_F(MainFormTest, binaryLookingFileOpensOnlyAfterAQuestionAndKeepsEveryByte)
{
    start(1);
    const QString page = work.filePath(QStringLiteral("blob.html"));
    QByteArray bytes("<p>a</p>\0<p>b</p>\n", 18);
    for (int b = 0; b < 256; ++b) {
        if (b != '\r' && b != '\n')
            bytes.append(char(b));
    }
    writeAll(page, bytes);

    prompter.answer(Answer::No);
    EXPECT_FALSE(form->fileCommands().OpenDocumentFile(page));
    EXPECT_TRUE(prompter.lastText().startsWith(page + QStringLiteral(" looks like a binary file")));
    EXPECT_NE(form->document().FileName, page);
    EXPECT_TRUE(form->editor()->text().isEmpty());

    prompter.answer(Answer::Yes);
    ASSERT_TRUE(form->fileCommands().OpenDocumentFile(page));
    EXPECT_EQ(form->document().FileName, page);
    QFile::remove(page);  // an unchanged binary file is not written, not even by Save
    form->action(QStringLiteral("FileSaveItem"))->trigger();
    EXPECT_FALSE(QFile::exists(page));

    form->editor()->setSelStart(0);
    form->editor()->replaceSelection(QStringLiteral("<h1>x</h1>"));
    form->action(QStringLiteral("FileSaveItem"))->trigger();
    EXPECT_EQ(readAll(page), QByteArray("<h1>x</h1>") + bytes);
    EXPECT_TRUE(prompter.unexpected().isEmpty()) << qPrintable(prompter.unexpected().join(u'\n'));

    // Bytes that are not UTF-8 behind a UTF-8 mark would come back changed: asked too.
    const QString marked = work.filePath(QStringLiteral("marked.html"));
    writeAll(marked, "\xEF\xBB\xBF<p>\xFF</p>");
    prompter.answer(Answer::No);
    EXPECT_FALSE(form->fileCommands().OpenDocumentFile(marked));
    EXPECT_EQ(prompter.lastText(), marked + QStringLiteral(" holds bytes that are not valid UTF-8. They are shown as "
                                                           "replacement characters, and saving writes those in their "
                                                           "place. Open it anyway?"));
    EXPECT_EQ(form->document().FileName, page);
}

// A page of plain ASCII declaring UTF-8 is written as UTF-8 when it gains characters beyond
// ASCII; a page whose encoding contradicts its declaration is saved only after a question.
TEST_F(MainFormTest, savesFollowThePagesDeclaredCharsetOrAsk)
{
    start(1);
    const QString page = work.filePath(QStringLiteral("decl.html"));
    writeAll(page, "<html><head><meta charset=\"utf-8\"></head><body>x</body></html>");
    form->fileCommands().OpenDocumentFile(page);
    EXPECT_EQ(form->document().format.encoding, TextEncoding::Utf8NoMark);
    form->editor()->setSelStart(0);
    form->editor()->replaceSelection(QStringLiteral("\u2013\u00a9"));
    form->action(QStringLiteral("FileSaveItem"))->trigger();
    EXPECT_EQ(readAll(page), QStringLiteral("\u2013\u00a9<html><head><meta charset=\"utf-8\"></head><body>x</body></html>").toUtf8());
    EXPECT_TRUE(prompter.messages().isEmpty()) << qPrintable(prompter.lastText());

    // Windows-1252 bytes under a UTF-8 declaration: Cancel writes nothing, Yes writes UTF-8.
    const QByteArray oldBytes("<meta charset=utf-8><p>Gr\xFC\xDF" "e</p>");
    writeAll(page, oldBytes);
    form->fileCommands().OpenDocumentFile(page);
    EXPECT_EQ(form->document().format.encoding, TextEncoding::Ansi);
    form->editor()->setSelStart(0);
    form->editor()->replaceSelection(QStringLiteral("\u00a9"));
    prompter.answer(Answer::Cancel);
    form->action(QStringLiteral("FileSaveItem"))->trigger();
    EXPECT_EQ(prompter.lastText(), QStringLiteral("The page declares the character set utf-8, but it would be saved as "
                                                  "Windows-1252, so browsers would show some characters wrongly. "
                                                  "Save it as utf-8? (No saves it as Windows-1252.)"));
    EXPECT_EQ(readAll(page), oldBytes);
    EXPECT_TRUE(form->editor()->modified());
    prompter.answer(Answer::Yes);
    form->action(QStringLiteral("FileSaveItem"))->trigger();
    EXPECT_EQ(readAll(page), QStringLiteral("\u00a9<meta charset=utf-8><p>Grüße</p>").toUtf8());
    EXPECT_EQ(form->document().format.encoding, TextEncoding::Utf8NoMark);
    EXPECT_FALSE(form->editor()->modified());
}

TEST_F(MainFormTest, theAllFilterOfTheFileDialogsListsNamesWithoutADot)
{
    start(1);
    form->editor()->setText(QStringLiteral("<p>x</p>"));
    form->editor()->setModified(false);
    prompter.answerOpenFile(QString());
    form->action(QStringLiteral("FileOpenItem"))->trigger();
    prompter.answerSaveFile(QString());
    form->action(QStringLiteral("FileSaveAsItem"))->trigger();
    ASSERT_EQ(prompter.fileRequests().size(), 2);
    for (const FileRequest &request : prompter.fileRequests()) {
        // The first entry of the list the dialog shows, "All (patterns)".
        const QString all = qtFileFilter(request.filter).section(QStringLiteral(";;"), 0, 0);
        ASSERT_TRUE(all.startsWith(QStringLiteral("All ("))) << all.toStdString();
        const QStringList patterns = all.mid(5).chopped(1).split(QLatin1Char(' '));
        EXPECT_TRUE(QDir::match(patterns, QStringLiteral("README"))) << all.toStdString();
        EXPECT_TRUE(QDir::match(patterns, QStringLiteral("index.html"))) << all.toStdString();
    }
}

TEST_F(MainFormTest, deleteAllBackupsCountsWhatWasDeleted)
{
    start(1);
    for (const char *name : {"a.bak", "b.BAK", "c.bak", "d.bak"})
        writeAll(work.filePath(QString::fromLatin1(name)), "x");
    writeAll(work.filePath(QStringLiteral("keep.html")), "x");
    const QString readOnly = work.filePath(QStringLiteral("d.bak"));
    QFile::setPermissions(readOnly, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    prompter.answerOpenFile(work.filePath(QStringLiteral("a.bak")));
    prompter.answer(Answer::All);
    form->action(QStringLiteral("Deletebackupfiles1"))->trigger();
    EXPECT_EQ(prompter.texts().first(), QStringLiteral("Delete backup file(s)?"));
    EXPECT_EQ(prompter.lastText(), QStringLiteral("3  files deleted."));
    EXPECT_EQ(QDir(work.path()).entryList(QDir::Files),
              (QStringList{QStringLiteral("d.bak"), QStringLiteral("keep.html")}));

    // Yes deletes the chosen file alone, and not one marked read-only.
    writeAll(work.filePath(QStringLiteral("e.bak")), "x");
    for (const QString &chosen : {readOnly, work.filePath(QStringLiteral("e.bak"))}) {
        prompter.answerOpenFile(chosen);
        prompter.answer(Answer::Yes);
        form->action(QStringLiteral("Deletebackupfiles1"))->trigger();
    }
    EXPECT_EQ(QDir(work.path()).entryList(QDir::Files),
              (QStringList{QStringLiteral("d.bak"), QStringLiteral("keep.html")}));
    QFile::setPermissions(readOnly, QFile::ReadOwner | QFile::WriteOwner);
}

TEST(Printing, aPageHoldsOnlyWholeLinesAndNoEmptySheetEndsTheJob)
{
    QTemporaryDir work;
    // A printer at 72 dots per inch with no margins, whose page is the given number of dots high.
    const auto printer = [&](qreal height) {
        auto p = std::make_unique<QPrinter>();
        p->setOutputFormat(QPrinter::PdfFormat);
        p->setOutputFileName(work.filePath(QStringLiteral("p.pdf")));
        p->setResolution(72);
        p->setFullPage(true);
        p->setPageMargins(QMarginsF(0, 0, 0, 0));
        p->setPageSize(QPageSize(QSizeF(300, height), QPageSize::Point, QString(), QPageSize::ExactMatch));
        return p;
    };
    int lineHeight = 0;
    {
        auto probe = printer(400);
        QPainter painter(probe.get());
        lineHeight = painter.fontMetrics().boundingRect(QStringLiteral("I")).height();
    }
    ASSERT_GT(lineHeight, 0);
    const int perPage = 10;
    // A page exactly ten lines high, and one with room for half a line more.
    for (const qreal height : {qreal(perPage * lineHeight), perPage * lineHeight + lineHeight / 2.0}) {
        auto full = printer(height);
        EXPECT_EQ(FileCommands::printLines(*full, QStringList(perPage, QStringLiteral("x"))), 1) << height;
        auto more = printer(height);
        EXPECT_EQ(FileCommands::printLines(*more, QStringList(perPage + 1, QStringLiteral("x"))), 2) << height;
        auto three = printer(height);
        EXPECT_EQ(FileCommands::printLines(*three, QStringList(2 * perPage + 1, QStringLiteral("x"))), 3) << height;
    }
}

TEST_F(MainFormTest, printingStartsANewPageWhenThePageIsFull)
{
    QPrinter probe;
    probe.setOutputFormat(QPrinter::PdfFormat);
    probe.setOutputFileName(work.filePath(QStringLiteral("probe.pdf")));
    QStringList lines;
    for (int i = 0; i < 200; ++i)
        lines << QStringLiteral("line %1").arg(i);
    const int pages = FileCommands::printLines(probe, lines);
    EXPECT_GT(pages, 1);

    // The same through the command: the PDF holds as many pages as the job started.
    start(1);
    form->editor()->setLines(lines);
    const QString pdf = work.filePath(QStringLiteral("out.pdf"));
    prompter.answerPrinter(true, pdf);
    form->action(QStringLiteral("FilePrintItem"))->trigger();
    EXPECT_EQ(readAll(pdf).count("/Type /Page\n") + readAll(pdf).count("/Type /Page\r"), pages);
}

TEST_F(MainFormTest, settingsDialogNeverStoresWhatWouldSpoilTheFile)
{
    start(1);
    prompter.answerDialog([](QDialog &d) {
        auto *size = d.findChild<QComboBox *>(QStringLiteral("Edit2"));
        size->lineEdit()->clear();
        size->lineEdit()->insert(QStringLiteral("big"));  // typed: refused
        EXPECT_TRUE(size->currentText().isEmpty());
        d.findChild<QLineEdit *>(QStringLiteral("EditServer"))->setText(QStringLiteral("ftp.example.org"));
        d.findChild<QLineEdit *>(QStringLiteral("MaskEditPass"))->setText(QStringLiteral("pass\r\nword"));
        return int(QDialog::Accepted);
    });
    form->action(QStringLiteral("Settings2"))->trigger();
    // Set from elsewhere than the keyboard: still not stored.
    prompter.answerDialog([](QDialog &d) {
        d.findChild<QComboBox *>(QStringLiteral("Edit2"))->setCurrentText(QStringLiteral("12pt"));
        return int(QDialog::Accepted);
    });
    form->action(QStringLiteral("Settings2"))->trigger();

    // The file is still there and read as a whole.
    const QStringList lines = settingsLines();
    ASSERT_EQ(lines.size(), 16);
    EXPECT_EQ(lines.at(1), QString());
    EXPECT_EQ(lines.at(4), QStringLiteral("password"));
    EXPECT_EQ(lines.at(5), QStringLiteral("ftp.example.org"));
    EXPECT_EQ(lines.at(15), QStringLiteral("1"));
    EXPECT_EQ(form->settings().FtpServer, QStringLiteral("ftp.example.org"));
    EXPECT_EQ(form->editor()->fontSize(), 10);
}

TEST_F(MainFormTest, settingsDialogWritesWhatItShows)
{
    start(1);
    prompter.answerDialog([](QDialog &d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Settings"));
        d.findChild<QComboBox *>(QStringLiteral("Edit2"))->setCurrentText(QStringLiteral("18"));
        d.findChild<QComboBox *>(QStringLiteral("ComboISO"))->setCurrentIndex(3);
        return int(QDialog::Accepted);
    });
    form->action(QStringLiteral("Settings2"))->trigger();
    const QStringList lines = settingsLines();
    ASSERT_EQ(lines.size(), 16);
    EXPECT_EQ(lines.at(1), QStringLiteral("18"));
    EXPECT_EQ(lines.at(7), QStringLiteral("ISO 8859-2"));
    EXPECT_EQ(lines.at(15), QStringLiteral("1"));  // the language chosen at the first start stays
    EXPECT_EQ(form->editor()->fontSize(), 18);
    EXPECT_EQ(form->settings().DefaultCharset, QStringLiteral("ISO 8859-2"));
    EXPECT_EQ(FileCommands::newDocumentTemplate(form->settings().DefaultCharset).split(QStringLiteral("\r\n")).at(3),
              QStringLiteral("<meta http-equiv=\"content-type\" content=\"text/html; charset=ISO 8859-2\">"));
}
