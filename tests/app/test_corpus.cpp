// Real pages written by others (tests/app/corpus, see its README), each opened through the
// editor window and saved again, and checked with Check HTML in the window and in batch mode.
#include "app/catalogue.h"
#include "app/documentfile.h"
#include "app/filecodec.h"
#include "app/filecommands.h"
#include "app/mainform.h"
#include "app/settingsfile.h"
#include "editor/synmemo.h"
#include "scriptedprompter.h"
#include "source/sourcecommands.h"
#include "testfiles.h"

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

using namespace korvel;
using test::ScriptedPrompter;
using test::readAll;

namespace {

// What Check HTML does to a page.
enum class Checked {
    Unchanged,  // nothing: the page comes back as it was
    TagLayout,  // only white space inside tags: line breaks joined, a blank before ">" dropped
    Repaired,   // unquoted attribute values quoted and the html/head skeleton completed
};

struct CorpusPage {
    const char *file;
    Checked checked = Checked::Unchanged;
};

std::ostream &operator<<(std::ostream &os, const CorpusPage &page) { return os << page.file; }

// No page of the corpus gets a report: none has an unclosed or a redundant div, span, table,
// tr or td (the README says how the trimmed pages were cut to keep them whole).
const CorpusPage kCorpus[] = {
    {"base-passwd-users-and-groups.html", Checked::TagLayout},
    {"expat-reference-trimmed.html", Checked::TagLayout},
    {"gcloud-help-frameset.html", Checked::Repaired},
    {"json-c-readme.html"},
    {"json-c-readme.utf16le.html"},
    {"libffi-simple-example.html"},
    {"libffi-simple-example.crlf.html"},
    {"libtasn1-index.html"},
    {"libtasn1-index.utf16be.html"},
    {"libxslt-intro.xhtml.html"},
    {"libxslt-python.html"},
    {"libxslt-tutorial-latin1.html"},
    {"node-synopsis.html"},
    {"python-policy-trimmed.html"},
    {"python-policy-trimmed.cp1252.html"},
    {"rustdoc-keyword-false.html", Checked::TagLayout},
    {"shared-mime-info-x497.html", Checked::TagLayout},
    {"shared-mime-info-x497.cr.html", Checked::TagLayout},
    {"valgrind-faq.html"},
    {"valgrind-faq.bom.html"},
    {"zlib-how.html"},
    {"zlib-how.mixed.html"},
};

// The text with the white space inside tags (outside quoted values) taken out, so that two
// texts that differ only in the layout of their tags compare equal.
QString withoutTagLayout(const QString &text)
{
    QString out;
    out.reserve(text.size());
    bool inTag = false;
    QChar quote;
    for (QChar c : text) {
        if (inTag && quote.isNull() && (c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'))
            continue;
        out.append(c);
        if (!inTag)
            inTag = c == u'<';
        else if (!quote.isNull())
            quote = c == quote ? QChar() : quote;
        else if (c == u'"' || c == u'\'')
            quote = c;
        else if (c == u'>')
            inTag = false;
    }
    return out;
}

// The page as the repairs should leave it: each unquoted attribute value in quotes, and the
// html and head start tags in front with the html end tag behind; a frameset page gets no body.
QString repairedFrameset(const QString &text)
{
    QString quoted = text;
    quoted.replace(QRegularExpression(QStringLiteral("=([^\"\\s>]+)")), QStringLiteral("=\"\\1\""));
    return QStringLiteral("<html>\r\n<head>") + quoted + QStringLiteral("</html>");
}

QString corpusPath(const char *file)
{
    return QStringLiteral(KORVEL_CORPUS_DIR "/") + QString::fromLatin1(file);
}

class CorpusTest : public ::testing::TestWithParam<CorpusPage> {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(work.isValid());
        original = readAll(corpusPath(GetParam().file));
        ASSERT_FALSE(original.isEmpty()) << GetParam().file;
        copy = work.filePath(QString::fromLatin1(GetParam().file));
        ASSERT_TRUE(QFile::copy(corpusPath(GetParam().file), copy));
        const QString dataDir = qEnvironmentVariable("KORVEL_DATA_DIR");
        if (!QFile::exists(settingsFilePath(dataDir)))
            prompter.answerDialog([](QDialog &d) {
                d.findChild<QComboBox *>(QStringLiteral("ComboBox1"))->setCurrentIndex(1);
                return int(QDialog::Accepted);
            });
        form = std::make_unique<TMainForm>(prompter);
        form->setEngineVersionText(QStringLiteral("102.0.5005.177"));
        commands = new SourceCommands(*form);  // a child of the window, as the program makes it
        form->show();
        prompter.clear();
    }

    void TearDown() override
    {
        EXPECT_TRUE(prompter.unexpected().isEmpty()) << qPrintable(prompter.unexpected().join(u'\n'));
        form->editor()->setModified(false);
        form->editor()->clearAll();
        form->close();
    }

    void open() { ASSERT_TRUE(form->fileCommands().OpenDocumentFile(copy)); }
    void save() { form->action(QStringLiteral("FileSaveItem"))->trigger(); }

    QTemporaryDir work;
    QByteArray original;
    QString copy;
    ScriptedPrompter prompter;
    std::unique_ptr<TMainForm> form;
    SourceCommands *commands = nullptr;
};

TEST_P(CorpusTest, openedAndSavedUnchangedGivesTheSameBytesAndABackupCopy)
{
    open();
    EXPECT_TRUE(prompter.messages().isEmpty()) << qPrintable(prompter.lastText());
    EXPECT_FALSE(form->editor()->modified());
    EXPECT_EQ(readAll(backupFileName(copy)), original);
    save();
    EXPECT_TRUE(prompter.messages().isEmpty()) << qPrintable(prompter.lastText());
    EXPECT_TRUE(readAll(copy) == original);

    // A second open finds the backup there and leaves it as it was.
    QFile::remove(copy);
    ASSERT_TRUE(QFile::copy(corpusPath(GetParam().file), copy));
    test::writeAll(backupFileName(copy), "an older backup");
    open();
    EXPECT_EQ(readAll(backupFileName(copy)), QByteArray("an older backup"));
}

TEST_P(CorpusTest, aCharacterTypedAtTheEndAndDeletedAgainSavesTheSameBytes)
{
    open();
    SynMemo *editor = form->editor();
    editor->SendScintilla(QsciScintillaBase::SCI_DOCUMENTEND);
    QTest::keyClick(editor, Qt::Key_X);
    EXPECT_TRUE(editor->modified());
    QTest::keyClick(editor, Qt::Key_Backspace);
    save();
    EXPECT_TRUE(prompter.messages().isEmpty()) << qPrintable(prompter.lastText());
    EXPECT_TRUE(readAll(copy) == original);
    EXPECT_FALSE(editor->modified());
}

TEST_P(CorpusTest, checkHtmlInTheWindowReportsNothingAndChangesOnlyWhatTheTableSays)
{
    open();
    const QString before = form->editor()->text();
    form->action(QStringLiteral("Paragraph1"))->trigger();
    ASSERT_EQ(prompter.messages().size(), 1);
    EXPECT_TRUE(commands->CheckReport.isEmpty()) << qPrintable(commands->CheckReport);
    EXPECT_EQ(prompter.lastText(), MessageCatalogue::line(32, 1) + QStringLiteral("\r\n"));
    const QString after = form->editor()->text();
    switch (GetParam().checked) {
    case Checked::Unchanged:
        EXPECT_TRUE(after == before);
        break;
    case Checked::TagLayout:
        EXPECT_FALSE(after == before);
        EXPECT_TRUE(withoutTagLayout(after) == withoutTagLayout(before));
        break;
    case Checked::Repaired:
        EXPECT_EQ(after, repairedFrameset(before));
        EXPECT_FALSE(after.contains(QStringLiteral("body"), Qt::CaseInsensitive));
        break;
    }
    prompter.clear();
    save();
    EXPECT_TRUE(prompter.messages().isEmpty()) << qPrintable(prompter.lastText());
    if (GetParam().checked == Checked::Unchanged)
        EXPECT_TRUE(readAll(copy) == original);
    else  // written back in the page's own encoding and line breaks
        EXPECT_EQ(decodeDocument(readAll(copy)).format, decodeDocument(original).format);
}

INSTANTIATE_TEST_SUITE_P(RealPages, CorpusTest, ::testing::ValuesIn(kCorpus),
                         [](const ::testing::TestParamInfo<CorpusPage> &info) {
                             std::string name;
                             for (const char *c = info.param.file; *c; ++c)
                                 name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
                             return name;
                         });

// The program itself, as a script would run it, on copies of every page of the corpus: the
// pages Check HTML leaves alone are not written, and none gets a report it should not.
TEST(CorpusBatch, checkHtmlInBatchModeLeavesTheValidPagesAsTheyWere)
{
    QTemporaryDir work;
    QStringList arguments = {QStringLiteral("--run"), QStringLiteral("check-html")};
    for (const CorpusPage &page : kCorpus) {
        const QString copy = work.filePath(QString::fromLatin1(page.file));
        ASSERT_TRUE(QFile::copy(corpusPath(page.file), copy));
        arguments << copy;
    }
    QProcess process;
    process.setProcessChannelMode(QProcess::SeparateChannels);
    process.start(QStringLiteral(KORVEL_PROGRAM), arguments);
    ASSERT_TRUE(process.waitForFinished(120000));
    const QString out = QString::fromUtf8(process.readAllStandardOutput());
    EXPECT_EQ(process.exitCode(), 0) << qPrintable(QString::fromUtf8(process.readAllStandardError()));
    for (const CorpusPage &page : kCorpus) {
        const QString copy = work.filePath(QString::fromLatin1(page.file));
        const bool unchanged = page.checked == Checked::Unchanged;
        EXPECT_EQ(readAll(copy) == readAll(corpusPath(page.file)), unchanged) << page.file;
        EXPECT_EQ(QFile::exists(backupFileName(copy)), !unchanged) << page.file;
        const qsizetype at = out.indexOf(copy + QStringLiteral(": "));
        ASSERT_GE(at, 0) << page.file;
        const QString said = out.mid(at + copy.size() + 2).section(work.path(), 0, 0);
        EXPECT_EQ(said, MessageCatalogue::line(32, 1) + QStringLiteral("\r\n\n")) << page.file;
    }
}

} // namespace

namespace {

class MixedLineBreaksTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        form = std::make_unique<TMainForm>(prompter);
        form->setEngineVersionText(QStringLiteral("102.0.5005.177"));
        form->show();
        prompter.clear();
    }
    void TearDown() override
    {
        form->editor()->setModified(false);
        form->editor()->clearAll();
        form->close();
    }
    // Opens the bytes as a file, lets `edit` work in the editor, saves and gives the file back.
    QByteArray openEditAndSave(const QByteArray &bytes, const std::function<void(SynMemo &)> &edit)
    {
        const QString page = work.filePath(QStringLiteral("mixed.html"));
        test::writeAll(page, bytes);
        EXPECT_TRUE(form->fileCommands().OpenDocumentFile(page));
        edit(*form->editor());
        form->action(QStringLiteral("FileSaveItem"))->trigger();
        EXPECT_TRUE(prompter.messages().isEmpty()) << qPrintable(prompter.lastText());
        return readAll(page);
    }

    QTemporaryDir work;
    ScriptedPrompter prompter;
    std::unique_ptr<TMainForm> form;
};

} // namespace

// A file whose lines end in CR LF, LF and CR keeps each line's own break; lines the user adds
// take the break most lines of the file have.
TEST_F(MixedLineBreaksTest, eachLineKeepsItsBreakAndNewLinesTakeThePrevailingOne)
{
    const QByteArray mixed("<p>a</p>\r\n<p>b</p>\n<p>c</p>\r<p>d</p>\r\n<p>e</p>\r\n");
    const auto typeAt = [](int line, int column, const QList<int> &keys) {
        return [=](SynMemo &editor) {
            editor.setCaretLineColumn(line, column);
            for (int key : keys)
                QTest::keyClick(&editor, Qt::Key(key));
        };
    };
    EXPECT_EQ(openEditAndSave(mixed, [](SynMemo &) {}), mixed);
    // A line added behind the LF line, and one in front of the CR line.
    EXPECT_EQ(openEditAndSave(mixed, typeAt(2, 9, {Qt::Key_Return, Qt::Key_X})),
              QByteArray("<p>a</p>\r\n<p>b</p>\nx\r\n<p>c</p>\r<p>d</p>\r\n<p>e</p>\r\n"));
    EXPECT_EQ(openEditAndSave(mixed, typeAt(3, 1, {Qt::Key_X, Qt::Key_Return})),
              QByteArray("<p>a</p>\r\n<p>b</p>\nx\r\n<p>c</p>\r<p>d</p>\r\n<p>e</p>\r\n"));
    // Mostly LF: the new line gets LF; an edit inside a line keeps that line's break, also
    // when the line is split: its second part holds the old end.
    const QByteArray lf("a\nb\r\nc\nd\n");
    EXPECT_EQ(openEditAndSave(lf, typeAt(2, 2, {Qt::Key_Y, Qt::Key_Return, Qt::Key_Z})), QByteArray("a\nby\r\nz\nc\nd\n"));
    EXPECT_EQ(openEditAndSave(lf, typeAt(2, 1, {Qt::Key_Y, Qt::Key_Return})), QByteArray("a\ny\nb\r\nc\nd\n"));
    EXPECT_EQ(openEditAndSave(lf, [&](SynMemo &editor) {
                  typeAt(2, 1, {Qt::Key_Y, Qt::Key_Return})(editor);
                  editor.undo();
              }),
              lf);
    // A whole-text rewrite gives every line the prevailing break.
    EXPECT_EQ(openEditAndSave(lf, [](SynMemo &editor) { editor.setText(editor.text() + QStringLiteral("e")); }),
              QByteArray("a\nb\nc\nd\ne"));
}
