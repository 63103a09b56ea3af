#include "app/documentfile.h"
#include "app/filecodec.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace korvel;

namespace {

QByteArray utf16(const QString &text, bool bigEndian)
{
    QByteArray out = bigEndian ? QByteArray("\xFE\xFF", 2) : QByteArray("\xFF\xFE", 2);
    for (QChar c : text) {
        const char hi = char(c.unicode() >> 8), lo = char(c.unicode() & 0xFF);
        out.append(bigEndian ? hi : lo);
        out.append(bigEndian ? lo : hi);
    }
    return out;
}

QByteArray writeAndReread(const QByteArray &bytes, FileFormat *format = nullptr)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("page.html"));
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    f.close();
    const LoadedFile loaded = loadDocumentFile(path);
    EXPECT_TRUE(loaded.ok);
    if (format)
        *format = loaded.format;
    EXPECT_TRUE(saveDocumentFile(path, loaded.lines, loaded.format));
    QFile g(path);
    EXPECT_TRUE(g.open(QIODevice::ReadOnly));
    return g.readAll();
}

} // namespace

// Every encoding with every line-break style, with and without a final line break, comes
// back byte for byte.
TEST(DocumentRoundTrip, savingUnchangedWritesTheSameBytes)
{
    const QString body = QStringLiteral("<p>Grüße – “quoted” €</p>");
    const QList<QPair<QString, LineBreakStyle>> breaks = {
        {QStringLiteral("\r\n"), LineBreakStyle::CrLf}, {QStringLiteral("\n"), LineBreakStyle::Lf},
        {QStringLiteral("\r"), LineBreakStyle::Cr}, {QString(QChar(0x2028)), LineBreakStyle::LineSeparator}};
    for (const auto &[sep, style] : breaks) {
        for (bool finalBreak : {false, true}) {
            const QString text = QStringLiteral("<html>") + sep + body + sep + QStringLiteral("</html>")
                + (finalBreak ? sep : QString());
            const QList<QPair<QByteArray, TextEncoding>> files = {
                {utf16(text, false), TextEncoding::Utf16LE},
                {utf16(text, true), TextEncoding::Utf16BE},
                {QByteArray("\xEF\xBB\xBF") + text.toUtf8(), TextEncoding::Utf8},
                {text.toUtf8(), TextEncoding::Utf8NoMark},
                {encodeAnsi(text), TextEncoding::Ansi},
            };
            for (const auto &[bytes, encoding] : files) {
                if (encoding == TextEncoding::Ansi && style == LineBreakStyle::LineSeparator)
                    continue;  // Windows-1252 has no U+2028
                SCOPED_TRACE(qPrintable(QStringLiteral("encoding %1 style %2 final %3")
                                            .arg(int(encoding)).arg(int(style)).arg(finalBreak)));
                FileFormat format;
                EXPECT_EQ(writeAndReread(bytes, &format), bytes);
                EXPECT_EQ(format.encoding, encoding);
                EXPECT_EQ(format.lineBreak, style);
            }
        }
    }
}

TEST(DocumentRoundTrip, emptyFileStaysEmptyAndCountsAsAnsi)
{
    FileFormat format;
    EXPECT_EQ(writeAndReread(QByteArray(), &format), QByteArray());
    EXPECT_EQ(format.encoding, TextEncoding::Ansi);
    EXPECT_EQ(format.lineBreak, LineBreakStyle::CrLf);
}

TEST(DocumentRoundTrip, everyAnsiByteSurvives)
{
    QByteArray all;
    for (int b = 1; b < 256; ++b) {
        if (b != '\r' && b != '\n')
            all.append(char(b));
    }
    all.append("\xE4\xF6 only Windows-1252, not UTF-8");
    FileFormat format;
    EXPECT_EQ(writeAndReread(all, &format), all);
    EXPECT_EQ(format.encoding, TextEncoding::Ansi);
}

TEST(DocumentDecoding, utf16OfOddLengthIsRefused)
{
    EXPECT_FALSE(decodeDocument(QByteArray("\xFF\xFE\x41", 3)).ok);
    EXPECT_FALSE(decodeDocument(QByteArray("\xFE\xFF\x00\x41\x42", 5)).ok);
}

TEST(DocumentDecoding, utf8WithoutMarkNeedsNonAsciiText)
{
    EXPECT_EQ(decodeDocument(QByteArray("plain ascii")).format.encoding, TextEncoding::Ansi);
    const DecodedDocument doc = decodeDocument(QStringLiteral("Größe").toUtf8());
    EXPECT_EQ(doc.format.encoding, TextEncoding::Utf8NoMark);
    EXPECT_EQ(doc.lines, QStringList{QStringLiteral("Größe")});
    // Latin-1 umlauts are not valid UTF-8: read as Windows-1252.
    EXPECT_EQ(decodeDocument(QByteArray("Gr\xF6\xDF" "e")).lines, QStringList{QStringLiteral("Größe")});
}

// A line separator inside a script string of a CR LF file is text, not a line break.
TEST(LineBreaks, lineSeparatorCountsOnlyWithoutCrAndLf)
{
    const QString text = QStringLiteral("var s = 'a") + QChar(0x2028) + QStringLiteral("b';\r\nx");
    LineBreakStyle style;
    const QStringList lines = splitLines(text, &style);
    EXPECT_EQ(style, LineBreakStyle::CrLf);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines.first().contains(QChar(0x2028)));

    const QByteArray bytes = QByteArray("\xEF\xBB\xBF") + text.toUtf8();
    EXPECT_EQ(writeAndReread(bytes), bytes);
}

TEST(LineBreaks, styleFollowsWhatWasSeen)
{
    struct Case { const char *text; LineBreakStyle style; int lines; };
    const Case cases[] = {
        {"a\r\nb\r\n", LineBreakStyle::CrLf, 3}, {"a\nb", LineBreakStyle::Lf, 2},
        {"a\rb", LineBreakStyle::Cr, 2},        {"a\r\nb\nc", LineBreakStyle::CrLf, 3},
        {"one line", LineBreakStyle::CrLf, 1},
    };
    for (const Case &c : cases) {
        LineBreakStyle style;
        EXPECT_EQ(splitLines(QString::fromLatin1(c.text), &style).size(), c.lines) << c.text;
        EXPECT_EQ(style, c.style) << c.text;
    }
}

TEST(Exports, everyLineEndsWithCrLfAndAnsiCountsReplacements)
{
    const QStringList lines = {QStringLiteral("ä€"), QStringLiteral("日本")};
    int replaced = -1;
    EXPECT_EQ(ansiTextExport(lines, &replaced), QByteArray("\xE4\x80\r\n??\r\n"));
    EXPECT_EQ(replaced, 2);
    EXPECT_EQ(utf8TextExport(lines), QStringLiteral("ä€\r\n日本\r\n").toUtf8());
}

TEST(Backup, nameReplacesTheExtension)
{
    EXPECT_EQ(backupFileName(QStringLiteral("/w/index.html")), QStringLiteral("/w/index.BAK"));
    EXPECT_EQ(backupFileName(QStringLiteral("/w/README")), QStringLiteral("/w/README.BAK"));
    EXPECT_EQ(backupFileName(QStringLiteral("/w/a.b.htm")), QStringLiteral("/w/a.b.BAK"));
}

TEST(SaveFailure, leavesTheOldFileWhole)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("keep.html"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("old content");
    f.close();
    // A folder that cannot be written makes the save fail before the file is touched.
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
    const bool saved = saveDocumentFile(path, {QStringLiteral("new")}, {TextEncoding::Ansi, LineBreakStyle::CrLf});
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (saved)
        GTEST_SKIP() << "running with rights that ignore folder permissions";
    QFile g(path);
    ASSERT_TRUE(g.open(QIODevice::ReadOnly));
    EXPECT_EQ(g.readAll(), QByteArray("old content"));
}
