// The desktop manners of the main window: its caption, the Alt letters and shortcut column of
// its menus, the language marks and the message for a start file that cannot be opened.
#include "app/captions.h"
#include "app/filecommands.h"
#include "app/mainform.h"
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
