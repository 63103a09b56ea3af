#include "generators/formtext.h"

#include "scriptedprompter.h"
#include "testfiles.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace korvel;
using test::ScriptedPrompter;
using test::readAll;
using test::writeAll;

namespace {

class FormTextTest : public ::testing::Test {
protected:
    void TearDown() override { window.close(); }

    QString hint(const char *name) const
    {
        return window.findChild<QAction *>(QLatin1String(name))->toolTip();
    }
    void click(const char *name) { window.findChild<QAction *>(QLatin1String(name))->trigger(); }

    QTemporaryDir work;
    ScriptedPrompter prompter;
    TFormText window{prompter};
};

} // namespace

TEST_F(FormTextTest, openAndSaveGiveBackTheSameFile)
{
    const QString path = work.filePath(QStringLiteral("notes.txt"));
    const QByteArray original = "Erste Zeile\nzweite Zeile mit Umlaut: \xc3\xa4\xc3\xb6\xc3\xbc\n\nletzte Zeile\n";
    writeAll(path, original);
    prompter.answerOpenFile(path);
    click("ToolButton2");
    EXPECT_EQ(window.FileName, path);
    EXPECT_EQ(window.Memo->toPlainText(),
              QStringLiteral("Erste Zeile\nzweite Zeile mit Umlaut: äöü\n\nletzte Zeile"));

    const QString copy = work.filePath(QStringLiteral("copy.txt"));
    prompter.answerSaveFile(copy);
    click("ToolButton3");
    // The save dialog proposes the file that was opened.
    ASSERT_EQ(prompter.fileRequests().size(), 2);
    EXPECT_EQ(prompter.fileRequests().last().name, QStringLiteral("notes.txt"));
    EXPECT_EQ(prompter.fileRequests().last().folder, work.path());
    EXPECT_EQ(window.FileName, copy);
    EXPECT_EQ(readAll(copy), original);
}

TEST_F(FormTextTest, windowsLineBreaksReadAsLines)
{
    const QString path = work.filePath(QStringLiteral("dos.txt"));
    writeAll(path, "a\r\nb\r\n");
    prompter.answerOpenFile(path);
    click("ToolButton2");
    EXPECT_EQ(window.Memo->toPlainText(), QStringLiteral("a\nb"));
}

TEST_F(FormTextTest, aFileThatCannotBeReadOrWrittenLeavesTheTextAsItWas)
{
    window.Memo->setPlainText(QStringLiteral("kept"));
    const QString missing = work.filePath(QStringLiteral("missing.txt"));
    prompter.answerOpenFile(missing);
    click("ToolButton2");
    EXPECT_EQ(window.FileName, missing);
    EXPECT_EQ(window.Memo->toPlainText(), QStringLiteral("kept"));

    const QString nowhere = work.filePath(QStringLiteral("no/such/folder/out.txt"));
    prompter.answerSaveFile(nowhere);
    click("ToolButton3");
    EXPECT_EQ(window.FileName, nowhere);
    EXPECT_FALSE(QFile::exists(nowhere));
    EXPECT_EQ(window.Memo->toPlainText(), QStringLiteral("kept"));
    EXPECT_TRUE(prompter.messages().isEmpty());
}

TEST_F(FormTextTest, cancelledDialogsChangeNothing)
{
    window.FileName = work.filePath(QStringLiteral("a.txt"));
    window.Memo->setPlainText(QStringLiteral("text"));
    click("ToolButton2");
    click("ToolButton3");
    EXPECT_EQ(window.FileName, work.filePath(QStringLiteral("a.txt")));
    EXPECT_EQ(window.Memo->toPlainText(), QStringLiteral("text"));
    EXPECT_FALSE(QFile::exists(window.FileName));
}

TEST_F(FormTextTest, showingStartsFromTheClipboardAndFlipsWordWrap)
{
    QApplication::clipboard()->clear();
    window.Memo->setPlainText(QStringLiteral("old"));
    window.FileName = QStringLiteral("/tmp/old.txt");
    EXPECT_TRUE(window.wordWrap());
    window.show();
    EXPECT_EQ(window.Memo->toPlainText(), QString());
    EXPECT_TRUE(window.FileName.isEmpty());
    EXPECT_FALSE(window.wordWrap());
    EXPECT_EQ(window.Memo->horizontalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
    window.close();

    QApplication::clipboard()->setText(QStringLiteral("from the clipboard"));
    window.show();
    EXPECT_EQ(window.Memo->toPlainText(), QStringLiteral("from the clipboard"));
    EXPECT_TRUE(window.wordWrap());
    EXPECT_EQ(window.Memo->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
}

TEST_F(FormTextTest, hintsFollowTheLanguageFlagWhenShown)
{
    EXPECT_EQ(hint("ToolButton2"), QStringLiteral("Datei öffnen"));
    EXPECT_EQ(hint("ToolButton12"), QStringLiteral("Gesamten Text in die Zwischenablage kopieren"));
    window.UiLanguage = 0;
    window.show();
    EXPECT_EQ(hint("ToolButton2"), QStringLiteral("Datei öffen"));
    EXPECT_EQ(hint("ToolButton3"), QStringLiteral("Speichern"));
    EXPECT_EQ(hint("ToolButton12"), QStringLiteral("Gesamten Text kopieren"));
    window.close();
    window.UiLanguage = 1;
    window.show();
    EXPECT_EQ(hint("ToolButton2"), QStringLiteral("Open file"));
    EXPECT_EQ(hint("ToolButton13"), QStringLiteral("WordWrap on/off"));
    EXPECT_EQ(hint("ToolButton11"), QStringLiteral("Exit"));
}

TEST_F(FormTextTest, editingButtonsWorkOnTheText)
{
    window.Memo->setPlainText(QStringLiteral("hello world"));
    click("ToolButton12");
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("hello world"));
    EXPECT_EQ(window.Memo->textCursor().selectedText(), QStringLiteral("hello world"));

    QTextCursor cursor = window.Memo->textCursor();
    cursor.setPosition(5);
    cursor.setPosition(11, QTextCursor::KeepAnchor);
    window.Memo->setTextCursor(cursor);
    click("ToolButton10");
    EXPECT_EQ(window.Memo->toPlainText(), QStringLiteral("hello"));
    click("ToolButton4");
    EXPECT_EQ(window.Memo->toPlainText(), QStringLiteral("hello world"));

    click("ToolButton14");
    click("ToolButton7");
    EXPECT_EQ(window.Memo->toPlainText(), QString());
    click("ToolButton5");
    EXPECT_EQ(window.Memo->toPlainText(), QStringLiteral("hello world"));
    click("ToolButton1");
    EXPECT_EQ(window.Memo->toPlainText(), QString());
}

TEST_F(FormTextTest, closingHidesTheWindowAndF1AsksForHelp)
{
    QList<int> asked;
    window.setHelpHandler([&](int context) { asked << context; });
    window.show();
    QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    QApplication::sendEvent(window.Memo, &f1);
    EXPECT_EQ(asked, QList<int>{70});
    click("ToolButton11");
    EXPECT_FALSE(window.isVisible());
}
