#include "textio/atomicfile.h"
#include "textio/textdecode.h"
#include "textio/textlines.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <random>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace korvel;

// The settings file, the text window, the updater's release file and document files without a
// mark all read bytes this way: only bytes that are exactly UTF-8 count as UTF-8.
TEST(DecodeUtf8OrAnsi, takesOnlyExactUtf8AndReadsEverythingElseAsWindows1252)
{
    struct Case { QByteArray bytes; QString text; };
    const Case cases[] = {
        {QByteArray("Gr\xC3\xBC\xC3\x9F" "e"), QStringLiteral("Grüße")},
        {QByteArray("\xEF\xBB\xBFmark"), QStringLiteral("mark")},          // the mark goes
        {QByteArray("Gr\xFC\xDF" "e"), QStringLiteral("Grüße")},             // Windows-1252
        {QByteArray("\xC0\xAF"), QStringLiteral("À¯")},                     // an overlong "/"
        {QByteArray("\xED\xA0\x80"), QStringLiteral("í\u00a0€")},           // an encoded surrogate
        {QByteArray("cut \xE2\x82"), QStringLiteral("cut â‚")},             // a cut-off sequence
        {QByteArray("a\0b", 3), QStringLiteral("a") + QChar(u'\0') + QStringLiteral("b")},
    };
    for (const Case &c : cases)
        EXPECT_EQ(decodeUtf8OrAnsi(c.bytes), c.text) << c.bytes.toHex().toStdString();
    EXPECT_EQ(decodeUtf8Exactly(QByteArray("\xEF\xBB\xBFx")), QString(QChar(0xFEFF)) + QStringLiteral("x"));
}

// The check that replaced a decode-and-encode round trip must accept exactly the byte strings
// that survive one: every boundary of the well-formed ranges, and random strings of bytes that
// lead, continue and stand alone.
TEST(IsExactUtf8, acceptsExactlyWhatSurvivesARoundTrip)
{
    const auto roundTrips = [](const QByteArray &bytes) {
        QStringDecoder decoder(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
        const QString text = decoder.decode(bytes);
        return !decoder.hasError() && text.toUtf8() == bytes;
    };
    const unsigned char edges[] = {0x00, 0x41, 0x7F, 0x80, 0x8F, 0x90, 0x9F, 0xA0, 0xBF, 0xC0, 0xC1, 0xC2,
                                   0xDF, 0xE0, 0xE1, 0xEC, 0xED, 0xEE, 0xEF, 0xF0, 0xF1, 0xF3, 0xF4, 0xF5, 0xFF};
    std::vector<QByteArray> samples;
    for (unsigned char a : edges) {
        for (unsigned char b : edges) {
            for (unsigned char c : {0x41, 0x80, 0xBF, 0xC0})
                samples.push_back(QByteArray() + char(a) + char(b) + char(c) + char(0x80));
        }
    }
    std::mt19937 random(11);
    std::uniform_int_distribution<int> pick(0, int(std::size(edges)) - 1), length(0, 24);
    for (int i = 0; i < 20000; ++i) {
        QByteArray bytes;
        for (int n = length(random); n > 0; --n)
            bytes.append(char(edges[pick(random)]));
        samples.push_back(bytes);
    }
    samples.push_back(QByteArray(40, 'x') + "\xC3\xBC" + QByteArray(17, 'y'));  // past the eight-byte steps
    for (const QByteArray &bytes : samples) {
        bool nonAscii = false;
        ASSERT_EQ(isExactUtf8(bytes.constData(), bytes.size(), &nonAscii), roundTrips(bytes)) << bytes.toHex().toStdString();
        ASSERT_EQ(nonAscii, std::any_of(bytes.begin(), bytes.end(), [](char b) { return b & 0x80; }));
    }
}

TEST(SplitAtLineBreaks, splitsAtEveryKindOfBreakAndKeepsAnEmptyLastLine)
{
    EXPECT_EQ(splitAtLineBreaks(QStringLiteral("a\r\nb\rc\nd\n")),
              (QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("d"), QString()}));
    EXPECT_EQ(splitAtLineBreaks(QStringLiteral("a\n\rb")), (QStringList{QStringLiteral("a"), QString(), QStringLiteral("b")}));
    const QString sep(QChar(0x2028));
    EXPECT_EQ(splitAtLineSeparators(QStringLiteral("a\r\n") + sep + QStringLiteral("b")),
              (QStringList{QStringLiteral("a\r\n"), QStringLiteral("b")}));
}

TEST(WriteFileAtomically, replacesTheWholeFileOrNothing)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("f.txt"));
    ASSERT_TRUE(writeFileAtomically(path, QByteArray("first, longer content")));
    ASSERT_TRUE(writeFileAtomically(path, QByteArray("second")));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("second"));
    // A folder that is not there cannot take the file.
    EXPECT_FALSE(writeFileAtomically(dir.filePath(QStringLiteral("gone/f.txt")), QByteArray("x")));
}

// Under a file size limit the buffered write fails only when it reaches the disk: the old file
// must stay, for a whole file and for one written piece by piece.
TEST(WriteFileAtomically, aWriteCutShortByTheFileSystemKeepsTheOldFile)
{
    QTemporaryDir dir;
    const QString whole = dir.filePath(QStringLiteral("whole.txt"));
    const QString pieces = dir.filePath(QStringLiteral("pieces.txt"));
    ASSERT_TRUE(writeFileAtomically(whole, QByteArray("old")));
    ASSERT_TRUE(writeFileAtomically(pieces, QByteArray("old")));
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{1024, 1024};
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0)
            _exit(3);
        const bool wholeWritten = writeFileAtomically(whole, QByteArray(4000, 'x'));
        QSaveFile file(pieces);
        bool piecesWritten = file.open(QIODevice::WriteOnly);
        for (int i = 0; i < 4 && piecesWritten; ++i)
            piecesWritten = file.write(QByteArray(1000, 'y')) == 1000;
        piecesWritten = piecesWritten && commitWholly(file);
        _exit(wholeWritten || piecesWritten ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "a cut-off write was reported as done";
    for (const QString &path : {whole, pieces}) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.readAll(), QByteArray("old")) << qPrintable(path);
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
}
