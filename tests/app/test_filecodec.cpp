#include "app/declaredcharset.h"
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

// The whole-text path of the batch commands gives what the line list gives, for every encoding,
// every line-break style, mixed breaks and a text without a break.
TEST(DocumentText, decodesAndEncodesAsTheLineListDoes)
{
    const QString texts[] = {
        QStringLiteral("<p>Gr\u00fc\u00dfe</p>\r\n<p>x</p>\r\n"), QStringLiteral("a\nb\n\nc"), QStringLiteral("a\rb\r"),
        QStringLiteral("a\r\nb\nc\rd\n\r"), QStringLiteral("a\u2028b\u2028"), QStringLiteral("no break \u20ac"),
        QString(),
    };
    const TextEncoding encodings[] = {TextEncoding::Utf16LE, TextEncoding::Utf16BE, TextEncoding::Utf8,
                                      TextEncoding::Utf8NoMark, TextEncoding::Ansi};
    for (const QString &text : texts) {
        for (TextEncoding encoding : encodings) {
            const QByteArray bytes = encodeDocument(splitLines(text), {encoding, lineBreakStyleOf(text)});
            SCOPED_TRACE(bytes.toHex().toStdString());
            const DecodedDocument lines = decodeDocument(bytes);
            const DecodedText whole = decodeDocumentText(bytes);
            ASSERT_TRUE(whole.ok);
            EXPECT_EQ(whole.text, lines.lines.join(QStringLiteral("\r\n")));
            EXPECT_EQ(whole.format, lines.format);
            EXPECT_EQ(whole.looksBinary, lines.looksBinary);
            EXPECT_EQ(whole.keepsEveryByte, lines.keepsEveryByte);
            for (const QString &result : {whole.text, whole.text + QStringLiteral("\nend\r"), QStringLiteral("x\r\ny")})
                EXPECT_EQ(encodeDocumentText(result, whole.format), encodeDocument(splitAtLineBreaks(result), whole.format));
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

// A Windows-1252 text whose bytes would be taken for another encoding on loading is saved as
// UTF-8 with mark instead, so it loads back as written; any other keeps its own format.
TEST(DocumentRoundTrip, ansiTextThatWouldLoadAsOtherTextIsSavedAsUtf8)
{
    struct Case { QString text; bool switched; };
    const Case cases[] = {
        {QStringLiteral("\u00FF\u00FE"), true},                 // FF FE: a UTF-16 mark, odd length
        {QStringLiteral("\u00FE\u00FF<p>ab</p>"), true},         // FE FF: big-endian UTF-16
        {QStringLiteral("\u00EF\u00BB\u00BF<p>x</p>"), true},   // EF BB BF: the UTF-8 mark
        {QStringLiteral("<p>\u00C3\u00A4</p>"), true},          // C3 A4 is UTF-8 for one letter
        {QStringLiteral("<p>Gr\u00FC\u00DFe \u00FF\u00FE</p>"), false},
        {QStringLiteral("<p>plain</p>"), false},
    };
    for (const Case &c : cases) {
        const QStringList lines = {c.text, QStringLiteral("second")};
        const FileFormat ansi{TextEncoding::Ansi, LineBreakStyle::Lf};
        const FileFormat chosen = formatThatLoadsBack(lines, ansi);
        EXPECT_EQ(chosen.encoding, c.switched ? TextEncoding::Utf8 : TextEncoding::Ansi) << qPrintable(c.text);
        EXPECT_EQ(chosen.lineBreak, LineBreakStyle::Lf);
        const DecodedDocument back = decodeDocument(encodeDocument(lines, chosen));
        ASSERT_TRUE(back.ok) << qPrintable(c.text);
        EXPECT_EQ(back.lines, lines) << qPrintable(c.text);
    }
    const FileFormat utf16{TextEncoding::Utf16BE, LineBreakStyle::Cr};
    EXPECT_EQ(formatThatLoadsBack({QStringLiteral("\u00FF\u00FE")}, utf16), utf16);
}

// NUL is a character like any other: it survives a load and a save in every encoding, and a
// NUL near the start of a file without a UTF-16 mark makes the file look binary.
TEST(DocumentRoundTrip, nulBytesSurviveInEveryEncoding)
{
    const QString text = QStringLiteral("<p>a</p>") + QChar(u'\0') + QStringLiteral("<p>b</p>\r\n\u00e4") + QChar(u'\0');
    const QList<QPair<QByteArray, bool>> files = {
        {utf16(text, false), false},
        {utf16(text, true), false},
        {QByteArray("\xEF\xBB\xBF") + text.toUtf8(), true},
        {text.toUtf8(), true},
        {encodeAnsi(text), true},
    };
    for (const auto &[bytes, binary] : files) {
        SCOPED_TRACE(bytes.toHex().toStdString());
        EXPECT_EQ(writeAndReread(bytes), bytes);
        const DecodedDocument doc = decodeDocument(bytes);
        EXPECT_EQ(doc.lines.join(QStringLiteral("\r\n")), text);
        EXPECT_EQ(doc.looksBinary, binary);
    }
    // Only the first 8 KB are searched.
    EXPECT_FALSE(decodeDocument(QByteArray(8192, 'x') + QByteArray(1, '\0')).looksBinary);
    EXPECT_TRUE(decodeDocument(QByteArray(8191, 'x') + QByteArray(1, '\0')).looksBinary);
}

// Bytes that the editor can only hold as replacement characters are told, so that the file is
// not changed behind the user's back; everything else comes back byte for byte.
TEST(DocumentDecoding, tellsWhenBytesCannotComeBackUnchanged)
{
    struct Case { QByteArray bytes; bool kept; };
    const Case cases[] = {
        {QByteArray("\xEF\xBB\xBFok \xC3\xA4"), true},
        {QByteArray("\xEF\xBB\xBF" "bad \xFF here"), false},
        {QByteArray("\xEF\xBB\xBF" "cut \xE2\x82"), false},
        {QByteArray("\xFF\xFE" "a\0\x3D\xD8\x00\xDE", 8), true},  // a surrogate pair
        {QByteArray("\xFF\xFE" "a\0\x3D\xD8" "b\0", 8), false},  // a high surrogate alone
        {QByteArray("\xFE\xFF\xDC\x00", 4), false},                 // a low surrogate alone
        {QByteArray("\xFF\xFE\x41\xFF", 4), true},                   // a unit that is no surrogate
        {QByteArray("\x81\x8D\x8F\x90\x9D\xFF"), true},             // Windows-1252 keeps every byte
    };
    for (const Case &c : cases) {
        const DecodedDocument doc = decodeDocument(c.bytes);
        EXPECT_EQ(doc.keepsEveryByte, c.kept) << c.bytes.toHex().toStdString();
        if (c.kept) {
            EXPECT_EQ(writeAndReread(c.bytes), c.bytes) << c.bytes.toHex().toStdString();
        }
    }
}

// A page of plain ASCII takes the charset its declaration names; bytes beyond ASCII decide by
// themselves as before.
TEST(DocumentDecoding, plainAsciiTakesTheDeclaredCharset)
{
    struct Case { const char *bytes; TextEncoding encoding; };
    const Case cases[] = {
        {"<html><head><meta charset=utf-8></head><body>x</body></html>", TextEncoding::Utf8NoMark},
        {"<HEAD><META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=UTF-8\"></HEAD>", TextEncoding::Utf8NoMark},
        {"<?xml version=\"1.0\" encoding='utf-8'?>\n<html xmlns=\"http://www.w3.org/1999/xhtml\"/>", TextEncoding::Utf8NoMark},
        {"<meta http-equiv=\"content-type\" content=\"text/html; charset=ISO-8859-1\">", TextEncoding::Ansi},
        {"<p>no declaration</p>", TextEncoding::Ansi},
        {"<meta name=\"description\" content=\"set charset=utf-8 here\"><p>x</p>", TextEncoding::Ansi},
        // A declaration in the body is not the page's.
        {"<body><pre>&lt;meta charset=utf-8&gt; <meta charset=utf-8></pre></body>", TextEncoding::Ansi},
        // Windows-1252 bytes under a UTF-8 declaration stay Windows-1252: the bytes say so.
        {"<meta charset=utf-8>Gr\xFC\xDF" "e", TextEncoding::Ansi},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(decodeDocument(QByteArray(c.bytes)).format.encoding, c.encoding) << c.bytes;
    }
}

// Writing non-ASCII text contradicts the declaration only for files without a mark, and only
// when the encodings differ.
TEST(DeclaredCharset, conflictsOnlyWhereBrowsersWouldMisreadTheBytes)
{
    const QString utf8Page = QStringLiteral("<meta charset=\"utf-8\"><body>\u2013 \u00a9</body>");
    const QString latinPage = QStringLiteral("<meta http-equiv=content-type content='text/html;charset=iso-8859-1'><body>\u00a9");
    const QString asciiPage = QStringLiteral("<meta charset=utf-8><body>plain</body>");
    const QString otherPage = QStringLiteral("<meta charset=iso-8859-2><body>\u00a9");
    struct Case { QString text; TextEncoding encoding; CharsetKind kind; TextEncoding matching; };
    const Case cases[] = {
        {utf8Page, TextEncoding::Ansi, CharsetKind::Utf8, TextEncoding::Utf8NoMark},
        {utf8Page, TextEncoding::Utf8NoMark, CharsetKind::None, TextEncoding::Ansi},
        {utf8Page, TextEncoding::Utf16LE, CharsetKind::None, TextEncoding::Ansi},
        {latinPage, TextEncoding::Utf8NoMark, CharsetKind::Windows1252, TextEncoding::Ansi},
        {latinPage, TextEncoding::Utf8, CharsetKind::None, TextEncoding::Ansi},
        {latinPage, TextEncoding::Ansi, CharsetKind::None, TextEncoding::Ansi},
        {asciiPage, TextEncoding::Ansi, CharsetKind::None, TextEncoding::Ansi},
        {otherPage, TextEncoding::Ansi, CharsetKind::None, TextEncoding::Ansi},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(qPrintable(c.text + QStringLiteral(" as ") + QString::number(int(c.encoding))));
        const CharsetConflict conflict = charsetConflict(c.text, c.encoding);
        EXPECT_EQ(conflict.kind, c.kind);
        if (c.kind != CharsetKind::None) {
            EXPECT_EQ(conflict.matching, c.matching);
        }
    }
    EXPECT_EQ(charsetConflict(utf8Page, TextEncoding::Ansi).label, QStringLiteral("utf-8"));
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
        {"a\nb\nc\r\nd", LineBreakStyle::Lf, 4}, {"a\rb\rc\n\r\n", LineBreakStyle::Cr, 5},
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

// A file that mixes CR LF, LF and CR keeps each line's own break, in every encoding.
TEST(LineBreaks, mixedBreaksComeBackAsTheyWere)
{
    const QString text = QStringLiteral("<p>a</p>\r\n<p>b</p>\n<p>c</p>\r<p>d</p>\r\n\n");
    for (TextEncoding encoding : {TextEncoding::Utf16LE, TextEncoding::Utf8, TextEncoding::Ansi}) {
        const QByteArray bytes = encodeDocument({text}, {encoding, LineBreakStyle::CrLf});
        const DecodedDocument doc = decodeDocument(bytes);
        EXPECT_EQ(doc.format.lineBreak, LineBreakStyle::CrLf);
        EXPECT_EQ(doc.lineBreaks, (std::vector<LineBreakStyle>{LineBreakStyle::CrLf, LineBreakStyle::Lf, LineBreakStyle::Cr,
                                                               LineBreakStyle::CrLf, LineBreakStyle::Lf}));
        EXPECT_EQ(encodeDocument(doc.lines, doc.format, doc.lineBreaks), bytes);
        // Without the list every break is the prevailing one.
        EXPECT_EQ(encodeDocument(doc.lines, doc.format),
                  encodeDocument({QStringLiteral("<p>a</p>\r\n<p>b</p>\r\n<p>c</p>\r\n<p>d</p>\r\n\r\n")},
                                 {encoding, LineBreakStyle::CrLf}));
    }
    EXPECT_TRUE(decodeDocument("a\r\nb\r\n").lineBreaks.empty());
}
