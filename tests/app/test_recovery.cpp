// Unsaved edits kept in a recovery file: the file's layout, the writer that follows the editor,
// the offer at start-up, and an editor process killed while it holds edits.
#include "app/catalogue.h"
#include "app/filecommands.h"
#include "app/mainform.h"
#include "app/recovery.h"
#include "app/recoverykeeper.h"
#include "app/settingsfile.h"
#include "editor/synmemo.h"
#include "scriptedprompter.h"
#include "testfiles.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace korvel;
using test::ScriptedPrompter;
using test::readAll;
using test::writeAll;

namespace {

// Runs the event loop until the condition holds or the time is up.
bool waitFor(const std::function<bool()> &condition, int milliseconds = 10000)
{
    const QDeadlineTimer deadline(milliseconds);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

QStringList recoveryFilesIn(const QString &folder)
{
    return QDir(folder).entryList({QStringLiteral("recovery-*.txt")}, QDir::Files);
}

// Points the editor's data folder at `folder` while it lives.
class DataFolder final {
public:
    explicit DataFolder(const QString &folder) : m_old(qgetenv("KORVEL_DATA_DIR"))
    {
        qputenv("KORVEL_DATA_DIR", folder.toLocal8Bit());
    }
    ~DataFolder() { qputenv("KORVEL_DATA_DIR", m_old); }

private:
    QByteArray m_old;
};

// A main window as the program shows it, with the language chosen on its first start.
std::unique_ptr<TMainForm> shownForm(ScriptedPrompter &prompter)
{
    QFile::remove(settingsFilePath(qEnvironmentVariable("KORVEL_DATA_DIR")));
    prompter.answerDialog([](QDialog &d) {
        d.findChild<QComboBox *>(QStringLiteral("ComboBox1"))->setCurrentIndex(1);
        return int(QDialog::Accepted);
    });
    auto form = std::make_unique<TMainForm>(prompter);
    form->setEngineVersionText(QStringLiteral("102.0.5005.177"));
    form->show();
    return form;
}

void closeDiscarding(TMainForm &form)
{
    form.editor()->setModified(false);
    form.editor()->clearAll();
    form.close();
}

TEST(RecoveryFile, recordsComeBackWholeAndCutOffFilesAreRefused)
{
    const RecoveryRecord records[] = {
        {QString(), {TextEncoding::Utf16LE, LineBreakStyle::CrLf}, {QString()}},
        {QStringLiteral("/home/ä/page 100%.html"), {TextEncoding::Ansi, LineBreakStyle::Lf},
         {QStringLiteral("<p>Grüße €</p>"), QString(), QStringLiteral("end of recovery"), QString()}},
        {QStringLiteral("/tmp/odd\nname.htm"), {TextEncoding::Utf8NoMark, LineBreakStyle::LineSeparator},
         {QStringLiteral("Korvel recovery 1"), QStringLiteral("\t 3")}},
    };
    for (const RecoveryRecord &record : records) {
        const QByteArray bytes = recoveryFileBytes(record);
        const std::optional<RecoveryRecord> back = parseRecoveryFile(bytes);
        ASSERT_TRUE(back.has_value()) << bytes.constData();
        EXPECT_EQ(*back, record);
        // A file cut off anywhere is no recovery file: it must not be taken for fewer lines.
        for (qsizetype n = 0; n < bytes.size(); ++n)
            ASSERT_FALSE(parseRecoveryFile(bytes.left(n)).has_value()) << n;
    }
    EXPECT_FALSE(parseRecoveryFile("Korvel recovery 1\n9 0\n\n1\nx\nend of recovery\n").has_value());
    EXPECT_FALSE(parseRecoveryFile("<html></html>\n").has_value());
}

TEST(RecoveryFile, onlyFilesOfEditorsNoLongerRunningAreOrphans)
{
    QTemporaryDir data;
    const RecoveryRecord record{QStringLiteral("/a.html"), {}, {QStringLiteral("x")}};
    auto store = std::make_unique<RecoveryStore>();
    ASSERT_TRUE(store->write(data.path(), record));
    ASSERT_EQ(recoveryFilesIn(data.path()).size(), 1);
    const QFileDevice::Permissions others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther
        | QFile::WriteOther | QFile::ExeOther;
    EXPECT_FALSE(QFile::permissions(store->path()) & others) << "the edits are readable by their owner only";
    EXPECT_TRUE(orphanedRecoveryFiles(data.path()).isEmpty()) << "this editor still runs";

    // A file without a lock, as an editor leaves it when killed before its lock was written
    // or after the lock went stale.
    const QString left = data.filePath(QStringLiteral("recovery-999999.txt"));
    writeAll(left, recoveryFileBytes(record));
    EXPECT_EQ(orphanedRecoveryFiles(data.path()), QStringList{left});

    store.reset();
    EXPECT_EQ(recoveryFilesIn(data.path()), QStringList{QStringLiteral("recovery-999999.txt")})
        << "a clean end removes the editor's own file";
}

class RecoveryKeeperTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        form = shownForm(prompter);
        keeper = form->findChild<RecoveryKeeper *>();
        ASSERT_NE(keeper, nullptr);
        keeper->setIdleInterval(50);
        page = work.filePath(QStringLiteral("page.html"));
        writeAll(page, "<html>\r\n<body></body>\r\n</html>\r\n");
        ASSERT_TRUE(form->fileCommands().OpenDocumentFile(page));
        prompter.clear();
    }
    void TearDown() override { closeDiscarding(*form); }

    void edit(const QString &text)
    {
        form->editor()->setSelStart(0);
        form->editor()->replaceSelection(text);
    }
    QString dataFolder() const { return form->dataFolder(); }

    QTemporaryDir work;
    QString page;
    ScriptedPrompter prompter;
    std::unique_ptr<TMainForm> form;
    RecoveryKeeper *keeper = nullptr;
};

TEST_F(RecoveryKeeperTest, editsAreKeptAfterAPauseAndDroppedBySaving)
{
    EXPECT_TRUE(recoveryFilesIn(dataFolder()).isEmpty());
    edit(QStringLiteral("<!-- one -->"));
    ASSERT_TRUE(waitFor([&] { return !keeper->recoveryFile().isEmpty(); }));
    const std::optional<RecoveryRecord> kept = parseRecoveryFile(readAll(keeper->recoveryFile()));
    ASSERT_TRUE(kept.has_value());
    EXPECT_EQ(kept->fileName, page);
    EXPECT_EQ(kept->lines, form->editor()->lines());
    EXPECT_EQ(kept->format, form->document().format);

    // Each edit restarts the wait; the file then holds the latest text.
    edit(QStringLiteral("<!-- two -->"));
    ASSERT_TRUE(waitFor([&] {
        const auto r = parseRecoveryFile(readAll(keeper->recoveryFile()));
        return r && r->lines.first().startsWith(u"<!-- two --><!-- one -->");
    }));

    form->action(QStringLiteral("FileSaveItem"))->trigger();
    EXPECT_TRUE(keeper->recoveryFile().isEmpty());
    EXPECT_TRUE(recoveryFilesIn(dataFolder()).isEmpty()) << "a clean save leaves no recovery file";
}

TEST_F(RecoveryKeeperTest, aCleanCloseLeavesNoRecoveryFile)
{
    edit(QStringLiteral("x"));
    keeper->keepNow();
    ASSERT_EQ(recoveryFilesIn(dataFolder()).size(), 1);
    const QString folder = dataFolder();
    prompter.answer(Answer::No);  // do not save the changes
    EXPECT_TRUE(form->close());
    form.reset();
    EXPECT_TRUE(recoveryFilesIn(folder).isEmpty());
    form = shownForm(prompter);  // for TearDown
}

class RecoveryOfferTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        left = data.filePath(QStringLiteral("recovery-999998.txt"));
        writeAll(left, recoveryFileBytes(record));
    }

    QTemporaryDir data;
    QString left;
    const RecoveryRecord record{QStringLiteral("/nowhere/page.html"), {TextEncoding::Ansi, LineBreakStyle::Lf},
                                {QStringLiteral("<html>"), QStringLiteral("<p>kept</p>"), QStringLiteral("</html>")}};
    ScriptedPrompter prompter;
};

TEST_F(RecoveryOfferTest, yesPutsTheEditsBackAsUnsavedWork)
{
    DataFolder folder(data.path());
    prompter.answer(Answer::Yes);
    auto form = shownForm(prompter);
    const MessageCatalogue &texts = form->catalogue();
    EXPECT_EQ(prompter.lastText(), texts.recoveryQuestion(record.fileName));
    EXPECT_EQ(form->editor()->lines(), record.lines);
    EXPECT_EQ(form->document().FileName, record.fileName);
    EXPECT_EQ(form->document().format, record.format);
    EXPECT_TRUE(form->editor()->modified());
    EXPECT_FALSE(QFile::exists(left));
    // The recovered edits are this editor's own now, kept until they are saved.
    const QStringList own = recoveryFilesIn(data.path());
    ASSERT_EQ(own.size(), 1);
    EXPECT_EQ(parseRecoveryFile(readAll(data.filePath(own.first()))), record);
    closeDiscarding(*form);
}

TEST_F(RecoveryOfferTest, noDiscardsTheEditsAndABrokenFileIsRemovedUnasked)
{
    writeAll(data.filePath(QStringLiteral("recovery-999997.txt")), "Korvel recovery 1\n0 0\n");
    DataFolder folder(data.path());
    prompter.answer(Answer::No);
    auto form = shownForm(prompter);
    EXPECT_EQ(prompter.lastText(), form->catalogue().recoveryQuestion(record.fileName));
    EXPECT_EQ(prompter.messages().size(), 1) << "only the readable file is asked about";
    EXPECT_TRUE(form->editor()->text().isEmpty());
    EXPECT_TRUE(recoveryFilesIn(data.path()).isEmpty());
    closeDiscarding(*form);
}

// The child half of the process test below: an editor with an unsaved edit that runs until it
// is killed. Run only by that test.
TEST(RecoveryChild, DISABLED_holdsAnEditUntilKilled)
{
    const QString data = qEnvironmentVariable("KORVEL_RECOVERY_CHILD_DATA");
    const QString page = qEnvironmentVariable("KORVEL_RECOVERY_CHILD_PAGE");
    ASSERT_FALSE(data.isEmpty() || page.isEmpty());
    DataFolder folder(data);
    ScriptedPrompter prompter;
    auto form = shownForm(prompter);
    form->findChild<RecoveryKeeper *>()->setIdleInterval(100);
    ASSERT_TRUE(form->fileCommands().OpenDocumentFile(page));
    form->editor()->setSelStart(0);
    form->editor()->replaceSelection(QStringLiteral("<!-- typed before the crash -->"));
    QEventLoop loop;
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);  // the parent kills it long before
    loop.exec();
    FAIL() << "not killed";
}

TEST(RecoveryProcess, editsOfAKilledEditorAreOfferedAtTheNextStart)
{
    QTemporaryDir data, work;
    const QString page = work.filePath(QStringLiteral("page.html"));
    writeAll(page, "<html>\n<body>saved</body>\n</html>\n");

    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("KORVEL_RECOVERY_CHILD_DATA"), data.path());
    env.insert(QStringLiteral("KORVEL_RECOVERY_CHILD_PAGE"), page);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_also_run_disabled_tests"),
                 QStringLiteral("--gtest_filter=RecoveryChild.DISABLED_holdsAnEditUntilKilled")});
    ASSERT_TRUE(child.waitForStarted());
    const bool kept = waitFor([&] { return !recoveryFilesIn(data.path()).isEmpty(); }, 30000);
    child.kill();
    ASSERT_TRUE(child.waitForFinished());
    ASSERT_TRUE(kept) << "the child wrote no recovery file";
    EXPECT_EQ(child.exitStatus(), QProcess::CrashExit);
    ASSERT_EQ(recoveryFilesIn(data.path()).size(), 1) << "a killed editor cannot remove its file";

    DataFolder folder(data.path());
    ScriptedPrompter prompter;
    prompter.answer(Answer::Yes);
    auto form = shownForm(prompter);
    EXPECT_EQ(prompter.lastText(), form->catalogue().recoveryQuestion(page));
    EXPECT_EQ(form->editor()->lines(),
              (QStringList{QStringLiteral("<!-- typed before the crash --><html>"), QStringLiteral("<body>saved</body>"),
                           QStringLiteral("</html>"), QString()}));
    EXPECT_EQ(form->document().format.lineBreak, LineBreakStyle::Lf);
    EXPECT_EQ(readAll(page), "<html>\n<body>saved</body>\n</html>\n") << "the file itself is untouched";
    closeDiscarding(*form);
}

} // namespace
