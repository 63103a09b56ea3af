// A settings file cut short (a crash while another tool wrote it, a full disk, a copy broken
// off): the window starts with what is there, defaults for the rest, and the next write keeps
// every value that was whole.
#include "app/mainform.h"
#include "app/mainstate.h"
#include "app/settingsfile.h"
#include "editor/synmemo.h"
#include "scriptedprompter.h"
#include "testfiles.h"

#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <gtest/gtest.h>

#include <memory>

using namespace korvel;
using test::ScriptedPrompter;
using test::readAll;
using test::writeAll;

namespace {

const QStringList kLines = {
    QStringLiteral("DejaVu Sans Mono"), QStringLiteral("14"), QStringLiteral("false"), QStringLiteral("jürgen"),
    QStringLiteral("geheim€"), QStringLiteral("ftp.example.org"), QStringLiteral("UserLogin"), QStringLiteral("UTF-8"),
    QStringLiteral("/opt/brösel/browser"), QStringLiteral("255"), QStringLiteral("65280"), QStringLiteral("16711680"),
    QStringLiteral(" "), QStringLiteral(" "), QStringLiteral(" "), QStringLiteral("1"),
};

// The byte offset in the plain file at which line `index` begins.
qsizetype lineStart(int index)
{
    qsizetype at = 0;
    for (int i = 0; i < index; ++i)
        at += kLines.at(i).toUtf8().size() + 2;
    return at;
}

} // namespace

TEST(TruncatedSettings, everyCutKeepsTheWholeValuesAndStartsWithDefaultsForTheRest)
{
    const QString dataDir = qEnvironmentVariable("KORVEL_DATA_DIR");
    const QString path = settingsFilePath(dataDir);
    const QByteArray full = settingsFileBytes(kLines);
    for (qsizetype cut = 0; cut <= full.size(); ++cut) {
        SCOPED_TRACE(cut);
        writeAll(path, full.left(cut));
        int whole = 0;  // the lines the cut leaves complete, with their CR LF
        while (whole < kLines.size() && lineStart(whole + 1) <= cut)
            ++whole;

        ScriptedPrompter prompter;
        prompter.answerDialog([](QDialog &d) {  // the language chooser, when line 15 is not whole
            d.findChild<QComboBox *>(QStringLiteral("ComboBox1"))->setCurrentIndex(1);
            return int(QDialog::Accepted);
        });
        auto form = std::make_unique<TMainForm>(prompter);
        form->setEngineVersionText(QStringLiteral("102.0.5005.177"));
        form->show();
        ASSERT_TRUE(QFile::exists(path));
        const MainSettings &s = form->settings();
        // A whole line gives its value; a line the cut did not reach gives the default. (A line
        // cut in its middle gives what is left of it, as a line without its CR LF does.)
        const auto reached = [&](int line) { return cut > lineStart(line); };
        if (whole > 1) {
            EXPECT_EQ(form->editor()->fontSize(), 14);
        }
        if (whole > 2 || !reached(2)) {
            EXPECT_EQ(form->editor()->lineNumbersVisible(), whole <= 2);
        }
        if (whole > 3 || !reached(3)) {
            EXPECT_EQ(s.FtpUser, whole > 3 ? kLines.at(3) : QString()) << qPrintable(s.FtpUser);
        }
        if (whole > 4) {
            EXPECT_EQ(s.FtpPassword, kLines.at(4));
        }
        if (!reached(6)) {
            EXPECT_EQ(s.FtpLoginMode, QStringLiteral("Anonymous"));
        }
        if (!reached(7)) {
            EXPECT_EQ(s.DefaultCharset, QStringLiteral("ISO-8859-1"));
        }
        if (whole > 8) {
            EXPECT_EQ(s.ExternalBrowser, kLines.at(8));
        }
        EXPECT_EQ(form->UiLanguage, 1);

        EXPECT_TRUE(form->close());
        form.reset();
        const QStringList after = settingsLinesFromFile(readAll(path));
        ASSERT_GE(after.size(), 16);
        EXPECT_EQ(after.mid(0, whole), kLines.mid(0, whole));
        EXPECT_EQ(after.at(15), QStringLiteral("1"));
        EXPECT_TRUE(prompter.unexpected().isEmpty()) << qPrintable(prompter.unexpected().join(u'\n'));
    }
    QFile::remove(path);
}
