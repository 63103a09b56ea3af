// A file changed by another program while it is open: a save asks before it overwrites the
// change, and the window offers to reload it when it becomes active again.
#include "app/catalogue.h"
#include "app/diskwatch.h"
#include "app/filecommands.h"
#include "app/mainform.h"
#include "app/settingsfile.h"
#include "editor/synmemo.h"
#include "englishwindow.h"
#include "scriptedprompter.h"
#include "testfiles.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateTime>
#include <QDialog>
#include <QEvent>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

using namespace korvel;
using test::ScriptedPrompter;
using test::readAll;
using test::writeAll;

namespace {

const QByteArray kOpened("<html>\r\n<body>as opened</body>\r\n</html>\r\n");
const QByteArray kOutside("<html>\r\n<body>written by another program</body>\r\n</html>\r\n");

void setModificationTime(const QString &path, const QDateTime &time)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(time, QFileDevice::FileModificationTime));
}

class DiskWatchTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        form = test::showEnglishWindow(prompter);
        page = work.filePath(QStringLiteral("page.html"));
        writeAll(page, kOpened);
        // The file is an hour old, so a later write always moves its time.
        setModificationTime(page, QDateTime::currentDateTime().addSecs(-3600));
        ASSERT_TRUE(form->fileCommands().OpenDocumentFile(page));
        prompter.clear();
    }

    void TearDown() override
    {
        test::closeWithoutQuestion(*form);
    }

    void edit(const QString &text)
    {
        form->editor()->setSelStart(0);
        form->editor()->replaceSelection(text);
    }
    void save() { form->action(QStringLiteral("FileSaveItem"))->trigger(); }
    void activate()
    {
        QEvent event(QEvent::WindowActivate);
        QCoreApplication::sendEvent(form.get(), &event);
    }
    QString saveQuestion() const { return form->catalogue().changedOnDiskSaveQuestion(page); }
    QString reloadQuestion(bool unsaved) const { return form->catalogue().changedOnDiskReloadQuestion(page, unsaved); }

    QTemporaryDir work;
    QString page;
    ScriptedPrompter prompter;
    std::unique_ptr<TMainForm> form;
};

TEST_F(DiskWatchTest, aSaveOverAnOutsideChangeAsksAndNoKeepsTheOtherVersion)
{
    struct Case { Answer answer; bool overwritten; };
    for (const Case c : {Case{Answer::No, false}, Case{Answer::Yes, true}}) {
        writeAll(page, kOutside);
        edit(QStringLiteral("<!-- mine -->"));
        prompter.clear();
        prompter.answer(c.answer);
        save();
        ASSERT_EQ(prompter.texts(), QStringList{saveQuestion()});
        if (c.overwritten) {
            EXPECT_TRUE(readAll(page).startsWith("<!-- mine -->")) << readAll(page).constData();
            EXPECT_FALSE(form->editor()->modified());
        } else {
            EXPECT_EQ(readAll(page), kOutside);
            EXPECT_TRUE(form->editor()->modified()) << "the edits must stay marked unsaved";
        }
    }
    // After our own save the file is ours again: the next save does not ask.
    prompter.clear();
    edit(QStringLiteral("x"));
    save();
    EXPECT_TRUE(prompter.texts().isEmpty()) << qPrintable(prompter.texts().join(u'|'));
    EXPECT_TRUE(readAll(page).startsWith("x<!-- mine -->"));
}

TEST_F(DiskWatchTest, theContentDecidesWhenOnlyTheTimeMoved)
{
    // Touched without a change: no question.
    setModificationTime(page, QDateTime::currentDateTime());
    edit(QStringLiteral("a"));
    save();
    EXPECT_TRUE(prompter.texts().isEmpty()) << qPrintable(prompter.texts().join(u'|'));
    EXPECT_TRUE(readAll(page).startsWith("a<html>"));

    // Same size, other bytes, a new time: a change.
    QByteArray sameSize = readAll(page);
    sameSize[1] = 'Z';
    writeAll(page, sameSize);
    setModificationTime(page, QDateTime::currentDateTime().addSecs(5));
    edit(QStringLiteral("b"));
    prompter.answer(Answer::No);
    save();
    EXPECT_EQ(prompter.texts(), QStringList{saveQuestion()});
    EXPECT_EQ(readAll(page), sameSize);
}

TEST_F(DiskWatchTest, aFileRemovedMeanwhileIsWrittenAgainWithoutAQuestion)
{
    ASSERT_TRUE(QFile::remove(page));
    activate();
    edit(QStringLiteral("c"));
    save();
    EXPECT_TRUE(prompter.texts().isEmpty()) << qPrintable(prompter.texts().join(u'|'));
    EXPECT_TRUE(readAll(page).startsWith("c<html>"));
}

TEST_F(DiskWatchTest, activationOffersToReloadAndYesShowsTheOtherVersion)
{
    activate();
    EXPECT_TRUE(prompter.texts().isEmpty()) << "nothing changed, nothing to ask";

    writeAll(page, kOutside);
    prompter.answer(Answer::Yes);
    activate();
    EXPECT_EQ(prompter.texts(), QStringList{reloadQuestion(false)});
    EXPECT_EQ(form->editor()->text(), QString::fromLatin1(kOutside));
    EXPECT_FALSE(form->editor()->modified());

    // The reloaded file is the new base: saving it asks nothing.
    prompter.clear();
    edit(QStringLiteral("d"));
    save();
    EXPECT_TRUE(prompter.texts().isEmpty()) << qPrintable(prompter.texts().join(u'|'));
}

TEST_F(DiskWatchTest, aDeclinedReloadIsNotAskedAgainButTheSaveStillAsks)
{
    edit(QStringLiteral("unsaved "));
    writeAll(page, kOutside);
    prompter.answer(Answer::No);
    activate();
    EXPECT_EQ(prompter.texts(), QStringList{reloadQuestion(true)});
    EXPECT_TRUE(form->editor()->text().startsWith(u"unsaved "));

    activate();
    EXPECT_EQ(prompter.texts().size(), 1) << "the same change is asked about once";

    prompter.answer(Answer::No);
    save();
    EXPECT_EQ(prompter.lastText(), saveQuestion());
    EXPECT_EQ(readAll(page), kOutside);

    // A further change is a new one and is asked about again.
    writeAll(page, kOutside + "<!-- more -->");
    prompter.answer(Answer::No);
    activate();
    EXPECT_EQ(prompter.lastText(), reloadQuestion(true));
}

TEST(DiskWatchTexts, questionsNameTheFileInBothLanguages)
{
    MessageCatalogue catalogue;
    for (int language : {0, 1}) {
        catalogue.setLanguage(language);
        EXPECT_TRUE(catalogue.changedOnDiskSaveQuestion(QStringLiteral("/w/a.html")).startsWith(u"/w/a.html "));
        const QString plain = catalogue.changedOnDiskReloadQuestion(QStringLiteral("/w/a.html"), false);
        const QString unsaved = catalogue.changedOnDiskReloadQuestion(QStringLiteral("/w/a.html"), true);
        EXPECT_TRUE(unsaved.startsWith(plain + u' ')) << qPrintable(unsaved);
        EXPECT_GT(unsaved.size(), plain.size() + 10);
    }
    catalogue.setLanguage(0);
    EXPECT_TRUE(catalogue.changedOnDiskSaveQuestion(QStringLiteral("x")).contains(u"überschreiben"));
    catalogue.setLanguage(1);
    EXPECT_TRUE(catalogue.changedOnDiskSaveQuestion(QStringLiteral("x")).contains(u"Overwrite"));
}

} // namespace
