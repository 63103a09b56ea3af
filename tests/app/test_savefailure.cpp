// Saves that fail half way: the old file stays whole and the user is told.
#include "app/filecommands.h"
#include "app/mainform.h"
#include "app/settingsfile.h"
#include "editor/synmemo.h"
#include "englishwindow.h"
#include "scriptedprompter.h"
#include "testfiles.h"

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <memory>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace korvel;
using test::ScriptedPrompter;
using test::readAll;
using test::writeAll;

namespace {

class SaveFailureTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        form = test::showEnglishWindow(prompter);
        page = work.filePath(QStringLiteral("page.html"));
        writeAll(page, oldBytes);
        ASSERT_TRUE(form->fileCommands().OpenDocumentFile(page));
        prompter.clear();
    }

    void TearDown() override
    {
        test::closeWithoutQuestion(*form);
    }

    // Adds text beyond what a small limit lets through, then saves.
    void editAndSave()
    {
        form->editor()->setSelStart(0);
        form->editor()->replaceSelection(QString(4000, QLatin1Char('x')));
        form->action(QStringLiteral("FileSaveItem"))->trigger();
    }

    bool toldAndStillModified() const
    {
        return prompter.lastText() == QStringLiteral("Cannot save file:") + page && form->editor()->modified();
    }

    QStringList filesInFolder() const { return QDir(work.path()).entryList(QDir::Files | QDir::Hidden); }

    const QByteArray oldBytes = QByteArray("<html><body><p>old and whole</p></body></html>\r\n");
    QTemporaryDir work;
    ScriptedPrompter prompter;
    std::unique_ptr<TMainForm> form;
    QString page;
};

} // namespace

// The file system refuses the bytes past a size limit, as a full disk or a quota would.
TEST_F(SaveFailureTest, aFileSizeLimitHalfWayKeepsTheOldFileAndSays)
{
    const QStringList before = filesInFolder();
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // The child alone runs under the limit; it answers with its exit code.
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{1024, 1024};
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0)
            _exit(3);
        editAndSave();
        _exit(toldAndStillModified() ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the save was not reported as failed";
    EXPECT_EQ(readAll(page), oldBytes);
    EXPECT_EQ(filesInFolder(), before);  // no half-written temporary file is left behind
}

TEST_F(SaveFailureTest, aFolderThatCannotBeWrittenKeepsTheOldFileAndSays)
{
    QFile::setPermissions(work.path(), QFile::ReadOwner | QFile::ExeOwner);
    const bool ignored = QFile(work.filePath(QStringLiteral("probe"))).open(QIODevice::WriteOnly);
    if (ignored) {
        QFile::setPermissions(work.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        GTEST_SKIP() << "running with rights that ignore folder permissions";
    }
    editAndSave();
    QFile::setPermissions(work.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_TRUE(toldAndStillModified()) << qPrintable(prompter.lastText());
    EXPECT_EQ(readAll(page), oldBytes);
}

// A file deleted while it is open loses nothing: Save writes the whole text anew.
TEST_F(SaveFailureTest, aFileDeletedWhileOpenIsWrittenAnewWithTheWholeText)
{
    ASSERT_TRUE(QFile::remove(page));
    editAndSave();
    EXPECT_EQ(readAll(page), QByteArray(4000, 'x') + oldBytes);
    EXPECT_FALSE(form->editor()->modified());
    EXPECT_TRUE(prompter.messages().isEmpty()) << qPrintable(prompter.lastText());
}
