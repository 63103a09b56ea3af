// The editor's own form of a document (UTF-8, CR LF): what a file becomes on the way into the
// editor and what the editor's bytes become on the way out must be exactly what the text-based
// decoder and encoder make of them, for every encoding, line break and odd byte.
#include "app/catalogue.h"
#include "app/declaredcharset.h"
#include "app/editorbytes.h"
#include "app/filecodec.h"
#include "app/saveformat.h"
#include "scriptedprompter.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

using namespace korvel;

namespace {

// Bytes that each way of reading treats on its own: breaks, NUL, the marks, UTF-8 lead and
// continuation bytes, an encoded surrogate, an overlong form, U+2028 and plain letters.
const QList<QByteArray> kPieces = {
    "a", "<p>", "\r", "\n", "\r\n", QByteArray("\0", 1), "\xEF\xBB\xBF", "\xFF\xFE", "\xFE\xFF", "\xC3\xA4",
    "\xC3", "\xA4", "\xE2\x80\xA8", "\xED\xA0\x80", "\xC0\xAF", "\xF0\x9F\x98\x80", "\xE4", "\x80",
    "<meta charset=utf-8>",
};

QList<QByteArray> sampleFiles()
{
    QList<QByteArray> files = {
        {},
        "<html>\r\n<body>\r\n</body>\r\n</html>\r\n",
        "line\nline\n",
        "cr\rcr\r",
        "mixed\r\nlf\ncr\rend",
        "\xEF\xBB\xBF<p>Gr\xC3\xBC\xC3\x9F""e</p>\r\n",
        "\xEF\xBB\xBF\xEF\xBB\xBFtwo marks\n",
        "only\xE2\x80\xA8separators\xE2\x80\xA8",
        "separator\xE2\x80\xA8with\r\nbreaks",
        "<meta charset=utf-8>\r\nplain ascii",
        "ansi \xE4\xF6\xFC\r\n",
        QByteArray("nul\0in the middle\r\n", 20),
        QByteArray("\xFF\xFE<\0p\0>\0\r\0\n\0", 12),
        QByteArray("\xFE\xFF\0<\0p\0>\0\n", 10),
        QByteArray("\xFF\xFE" "odd", 5),
    };
    // Short runs of the pieces above, reproducibly shuffled.
    QRandomGenerator random(20261211);
    for (int i = 0; i < 4000; ++i) {
        QByteArray file;
        const int count = int(random.bounded(8));
        for (int j = 0; j < count; ++j)
            file += kPieces.at(int(random.bounded(int(kPieces.size()))));
        files << file;
    }
    return files;
}

QString shown(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex(' '));
}

} // namespace

TEST(EditorBytes, aFileDecodesToTheTextTheTextDecoderFinds)
{
    for (const QByteArray &file : sampleFiles()) {
        const DecodedText text = decodeDocumentText(file);
        const EditorBytes editor = decodeDocumentForEditor(file);
        ASSERT_EQ(editor.ok, text.ok) << qPrintable(shown(file));
        if (!text.ok)
            continue;
        ASSERT_EQ(editor.utf8, text.text.toUtf8()) << qPrintable(shown(file));
        ASSERT_EQ(editor.format, text.format) << qPrintable(shown(file));
        ASSERT_EQ(editor.looksBinary, text.looksBinary) << qPrintable(shown(file));
        ASSERT_EQ(editor.keepsEveryByte, text.keepsEveryByte) << qPrintable(shown(file));
    }
}

TEST(EditorBytes, theEditorsBytesEncodeAsTheTextDoesInEveryFormat)
{
    const QList<QString> texts = {
        QString(), QStringLiteral("<p>Grüße – €</p>\r\n"), QStringLiteral("a\r\nb\nc\rd\r\n\r\n"),
        QStringLiteral("\r"), QString(QChar(0)) + QStringLiteral("nul\r\n"), QStringLiteral("x😀y\u2028z\r\n"),
        QStringLiteral("\uFEFFmark inside"),
    };
    for (const QString &text : texts) {
        for (TextEncoding encoding : {TextEncoding::Utf16LE, TextEncoding::Utf16BE, TextEncoding::Utf8,
                                      TextEncoding::Utf8NoMark, TextEncoding::Ansi}) {
            for (LineBreakStyle lineBreak : {LineBreakStyle::CrLf, LineBreakStyle::Lf, LineBreakStyle::Cr,
                                             LineBreakStyle::LineSeparator}) {
                const FileFormat format{encoding, lineBreak};
                EXPECT_EQ(encodeEditorBytes(text.toUtf8(), format), encodeDocumentText(text, format))
                    << qPrintable(text) << int(encoding) << int(lineBreak);
            }
        }
    }
}

TEST(EditorBytes, lineBreaksAreRewrittenOnlyWhereTheyDiffer)
{
    EXPECT_EQ(utf8WithLineBreaks("a\r\nb\r\n", "\r\n"), QByteArray("a\r\nb\r\n"));
    EXPECT_EQ(utf8WithLineBreaks("a\r\nb\nc\rd\r", "\r\n"), QByteArray("a\r\nb\r\nc\r\nd\r\n"));
    EXPECT_EQ(utf8WithLineBreaks("a\r\n\r\nb", "\n"), QByteArray("a\n\nb"));
    EXPECT_EQ(utf8WithLineBreaks("\r\r\n\n", "\r"), QByteArray("\r\r\r"));
}

// The question before a save reads the head of the editor's bytes; it must be the one the
// whole text asks, also when the only non-ASCII character lies far behind the head.
TEST(EditorBytes, theCharsetQuestionOfTheBytesIsTheQuestionOfTheText)
{
    MessageCatalogue catalogue;
    const QString filler = QString(3 * charsetDeclarationReach(), QLatin1Char('x'));
    const QList<QString> texts = {
        QStringLiteral("<meta charset=utf-8>\r\n<body>ä</body>"),
        QStringLiteral("<meta charset=windows-1252>\r\n<body>ä</body>"),
        QStringLiteral("<meta charset=windows-1252>\r\n<body>") + filler + QStringLiteral("ä</body>"),
        QStringLiteral("<meta charset=utf-8>\r\n<body>") + filler + QStringLiteral("€</body>"),
        QStringLiteral("<meta charset=utf-8>\r\n<body>plain</body>"),
        QStringLiteral("<head>\r\n") + QString(charsetDeclarationReach() - 30, QLatin1Char(' '))
            + QStringLiteral("\r\n\r\n\r\n<meta charset=utf-8></head>ä"),
        QStringLiteral("äöü") + filler + QStringLiteral("<meta charset=utf-8>"),
    };
    for (const QString &text : texts) {
        for (TextEncoding encoding : {TextEncoding::Ansi, TextEncoding::Utf8NoMark, TextEncoding::Utf8}) {
            for (Answer answer : {Answer::Yes, Answer::No, Answer::Cancel}) {
                test::ScriptedPrompter byText, byBytes;
                byText.answer(answer);
                byBytes.answer(answer);
                FileFormat fromText{encoding, LineBreakStyle::CrLf}, fromBytes = fromText;
                const bool goesOn = settleDeclaredCharset(withLineFeeds(text), fromText, byText, catalogue);
                EXPECT_EQ(settleDeclaredCharsetOfUtf8(text.toUtf8(), fromBytes, byBytes, catalogue), goesOn);
                EXPECT_EQ(byBytes.texts(), byText.texts()) << qPrintable(text.left(60));
                EXPECT_EQ(fromBytes, fromText) << qPrintable(text.left(60));
            }
        }
    }
}
