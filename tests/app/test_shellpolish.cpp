// The desktop manners of the main window: its caption, the Alt letters and shortcut column of
// its menus, the language marks and the message for a start file that cannot be opened.
#include "app/captions.h"
#include "app/filecommands.h"
#include "app/mainform.h"
#include "app/recentfiles.h"
#include "app/settingsfile.h"
#include "editor/synmemo.h"
#include "scriptedprompter.h"
#include "testfiles.h"

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QWindow>
#include <gtest/gtest.h>

#include <memory>

using namespace korvel;
using namespace Qt::StringLiterals;
using test::ScriptedPrompter;
using test::writeAll;

namespace {

class ShellPolishTest : public ::testing::Test {
protected:
    void SetUp() override { QFile::remove(settingsFilePath(qEnvironmentVariable("KORVEL_DATA_DIR"))); }

    void TearDown() override
    {
        if (form) {
            form->editor()->setModified(false);
            form->editor()->clearAll();
            form->close();
        }
    }

    void start(int language, const QStringList &arguments = {})
    {
        prompter.answerDialog([language](QDialog &d) {
            d.findChild<QComboBox *>(u"ComboBox1"_s)->setCurrentIndex(language);
            return int(QDialog::Accepted);
        });
        form = std::make_unique<TMainForm>(prompter);
        form->setEngineVersionText(u"102.0.5005.177"_s);
        form->setCommandLine(arguments);
        form->show();
    }

    // The caption as the window system receives it, with the mark resolved.
    QString shownTitle() const { return form->windowHandle() ? form->windowHandle()->title() : QString(); }

    QTemporaryDir work;
    ScriptedPrompter prompter;
    std::unique_ptr<TMainForm> form;
};

// The letter after the mnemonic marker, upper case; a null char when there is none.
QChar mnemonicOf(const QString &caption)
{
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption.at(i) != u'&')
            continue;
        if (caption.at(i + 1) == u'&') {
            ++i;
            continue;
        }
        return caption.at(i + 1).toUpper();
    }
    return {};
}

} // namespace

TEST_F(ShellPolishTest, titleFollowsTheFileNameAndTheModifiedFlag)
{
    const QString page = work.filePath(u"page.html"_s);
    writeAll(page, "<p>x</p>\r\n");
    start(1);
    EXPECT_EQ(form->windowTitle(), u"Korvel[*]"_s);
    EXPECT_EQ(shownTitle(), u"Korvel"_s);

    form->fileCommands().OpenDocumentFile(page);
    EXPECT_EQ(form->windowTitle(), u"page.html[*] \u2014 Korvel"_s);
    EXPECT_FALSE(form->isWindowModified());
    EXPECT_EQ(shownTitle(), u"page.html \u2014 Korvel"_s);

    form->editor()->replaceSelection(u"typed"_s);
    EXPECT_TRUE(form->isWindowModified());
    EXPECT_EQ(shownTitle(), u"page.html* \u2014 Korvel"_s);

    form->editor()->setModified(false);
    EXPECT_FALSE(form->isWindowModified());
    form->editor()->setModified(true);  // marked modified without an edit, as File New does
    EXPECT_TRUE(form->isWindowModified());
}

TEST_F(ShellPolishTest, aCaptionACommandSetsStaysUntilTheNextFileName)
{
    const QString page = work.filePath(u"page.html"_s);
    writeAll(page, "<p>x</p>\r\n");
    start(1);
    form->setWindowTitle(u"Korvel [My page]"_s);
    form->editor()->replaceSelection(u"typed"_s);
    EXPECT_EQ(shownTitle(), u"Korvel [My page]"_s);
    form->editor()->setModified(false);
    form->fileCommands().OpenDocumentFile(page);
    EXPECT_EQ(shownTitle(), u"page.html \u2014 Korvel"_s);
}

TEST_F(ShellPolishTest, everyMenuItemHasItsOwnAltLetterAndCaptionsShortcutsMoveToTheColumn)
{
    start(0);
    for (int language : {0, 1}) {
        form->action(language == 1 ? u"Englisch1"_s : u"Deutsch1"_s)->trigger();
        QList<QList<QAction *>> menus{form->menuBar()->actions()};
        for (QMenu *menu : form->findChildren<QMenu *>()) {
            if (!menu->objectName().isEmpty())
                menus << menu->actions();
        }
        for (const QList<QAction *> &actions : menus) {
            QString letters;
            for (QAction *a : actions) {
                if (a->isSeparator())
                    continue;
                const QChar letter = mnemonicOf(a->text());
                if (letter.isNull())
                    continue;
                EXPECT_FALSE(letters.contains(letter)) << language << ' ' << qPrintable(a->text());
                letters += letter;
            }
            // An item goes without a letter only when every letter of it is another item's.
            for (QAction *a : actions) {
                if (a->isSeparator() || !mnemonicOf(a->text()).isNull())
                    continue;
                for (const QChar c : withoutMnemonic(a->text()))
                    EXPECT_TRUE(!c.isLetterOrNumber() || letters.contains(c.toUpper())) << qPrintable(a->text());
            }
        }
        // Alt+X stays Exit's.
        for (QAction *top : form->menuBar()->actions())
            EXPECT_NE(mnemonicOf(top->text()), u'X') << qPrintable(top->text());
    }

    const struct {
        const char *name;
        const char *german;
        const char *english;
        const char *keys;
    } items[] = {
        {"EditUndoItem", "Rückgängig", "Undo", "Ctrl+Z"},
        {"Selectall1", "Alles auswählen", "Select all", "Ctrl+A"},
        {"EditPasteItem", "Einfügen", "Paste", "Ctrl+V"},
        {"Find1", "Suchen...", "Find...", "Ctrl+F"},
        {"FileSaveAsItem", "Speichern unter...", "Save as...", ""},
        {"Div1", "Div", "Div", ""},
    };
    for (int language : {0, 1}) {
        form->action(language == 1 ? u"Englisch1"_s : u"Deutsch1"_s)->trigger();
        for (const auto &item : items) {
            QAction *a = form->action(QString::fromLatin1(item.name));
            EXPECT_EQ(withoutMnemonic(a->text()), QString::fromUtf8(language == 1 ? item.english : item.german)) << item.name;
            EXPECT_EQ(a->shortcut(), QKeySequence(QString::fromLatin1(item.keys))) << item.name;
        }
    }
    // The top menus: the catalogue's File, the fixed HTML.
    EXPECT_EQ(form->findChild<QMenu *>(u"FileMenu"_s)->title(), u"&File"_s);
    EXPECT_EQ(form->findChild<QMenu *>(u"AG1"_s)->title(), u"&HTML"_s);
}

TEST_F(ShellPolishTest, theLanguageMenuMarksTheActiveLanguage)
{
    start(0);
    QAction *english = form->action(u"Englisch1"_s);
    QAction *german = form->action(u"Deutsch1"_s);
    EXPECT_TRUE(german->isChecked());
    EXPECT_FALSE(english->isChecked());
    english->trigger();
    EXPECT_TRUE(english->isChecked());
    EXPECT_FALSE(german->isChecked());
    english->trigger();  // choosing it again keeps the mark
    EXPECT_TRUE(english->isChecked());
}

TEST_F(ShellPolishTest, aStartFileThatCannotBeOpenedIsNamedInAMessage)
{
    const struct {
        QString path;
        const char *reason;
    } cases[] = {
        {work.filePath(u"missing.html"_s), "There is no such file."},
        {work.path(), "This is a folder, not a file."},
    };
    for (const auto &c : cases) {
        prompter.clear();
        start(1, {c.path});
        EXPECT_EQ(prompter.lastText(), u"Cannot open file:"_s + c.path + u'\n' + QString::fromUtf8(c.reason));
        EXPECT_EQ(form->document().FileName, QString());
        form.reset();
    }
}

TEST(RecentFileList, newestFirstWithoutRepeatsAndAtMostTen)
{
    QStringList list;
    for (int i = 0; i < 12; ++i)
        list = withRecentFile(list, u"/d/%1.html"_s.arg(i));
    ASSERT_EQ(list.size(), 10);
    EXPECT_EQ(list.first(), u"/d/11.html"_s);
    EXPECT_EQ(list.last(), u"/d/2.html"_s);
    list = withRecentFile(list, u"/d/5.html"_s);
    EXPECT_EQ(list.first(), u"/d/5.html"_s);
    EXPECT_EQ(list.count(u"/d/5.html"_s), 1);
    EXPECT_EQ(list.size(), 10);
    // Names that are no file on this disk stay out.
    for (const QString &odd : {u""_s, u"Untitled"_s, u"https://example.org/a.html"_s, u"/d/two\nlines.html"_s})
        EXPECT_EQ(withRecentFile(list, odd), list) << qPrintable(odd);
    EXPECT_EQ(recentFilesFromBytes(recentFilesBytes(list)), list);
    EXPECT_EQ(recentFilesFromBytes("/a.html\n\n  \nrelative.html\n/a.html\n/b & c.html"),
              (QStringList{u"/a.html"_s, u"/b & c.html"_s}));
}

TEST_F(ShellPolishTest, recentFilesAreKeptInTheDataFolderAndAGoneOneIsDroppedWithAMessage)
{
    const QString first = work.filePath(u"first.html"_s);
    const QString second = work.filePath(u"second & more.html"_s);
    writeAll(first, "<p>1</p>\r\n");
    writeAll(second, "<p>2</p>\r\n");
    const QString listFile = recentFilesPath(qEnvironmentVariable("KORVEL_DATA_DIR"));
    QFile::remove(listFile);
    start(1);
    form->fileCommands().OpenDocumentFile(first);
    form->fileCommands().OpenDocumentFile(second);
    EXPECT_EQ(form->recentFiles().files(), (QStringList{second, first}));
    EXPECT_EQ(test::readAll(listFile), recentFilesBytes({second, first}));
    QMenu *menu = form->findChild<QMenu *>(u"RecentFilesMenu"_s);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(withoutMnemonic(menu->title()), u"Recent files"_s);
    EXPECT_TRUE(menu->actions().first()->text().startsWith(u"&1 "_s));
    EXPECT_TRUE(menu->actions().first()->text().endsWith(u"second && more.html"_s));
    form->editor()->setModified(false);
    form.reset();

    // The next start reads the list; the first file has gone meanwhile.
    QFile::remove(first);
    start(1);
    EXPECT_EQ(form->recentFiles().files(), (QStringList{second, first}));
    form->recentFiles().open(first);
    EXPECT_EQ(prompter.lastText(), u"Cannot open file:"_s + first + u"\nThere is no such file."_s);
    EXPECT_EQ(form->recentFiles().files(), QStringList{second});
    EXPECT_EQ(test::readAll(listFile), recentFilesBytes({second}));
    form->recentFiles().open(second);
    EXPECT_EQ(form->document().FileName, second);
}
