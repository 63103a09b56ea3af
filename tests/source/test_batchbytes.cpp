// The batch program's commands on a file's UTF-8 bytes give, byte for byte, the UTF-8 of what the
// editor's commands give on the decoded text, with the same counts.
#include "source/hyphenation.h"
#include "source/textmatch.h"
#include "source/transformations.h"
#include "textio/textdecode.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>

#include <gtest/gtest.h>

#include <string>

using namespace korvel;

namespace {

QByteArray Bytes(const char *utf8)
{
    return QByteArray(utf8);
}

// Every bytes form against its QString form on `bytes`; `where` names the input in a failure.
void ExpectBothFormsAgree(const QByteArray &bytes, const std::string &where)
{
    SCOPED_TRACE(where);
    const QString text = decodeUtf8KeepingMark(bytes);
    ASSERT_EQ(text.toUtf8(), bytes) << "not well-formed UTF-8";

    QString savedHead;
    EXPECT_EQ(RemoveLineFeedsUtf8(bytes), RemoveLineFeeds(text, savedHead).toUtf8()) << "remove line breaks";
    savedHead.clear();
    EXPECT_EQ(InsertLineFeedsUtf8(bytes), InsertLineFeeds(text, savedHead).toUtf8()) << "insert line breaks";

    const HyphenationBytesResult fromBytes = RemoveHyphenationUtf8(bytes);
    const HyphenationResult fromText = RemoveHyphenation(text);
    EXPECT_EQ(fromBytes.text, fromText.text.toUtf8()) << "remove hyphenation";
    EXPECT_EQ(fromBytes.count, fromText.count) << "hyphens removed";

    EXPECT_EQ(ReplaceUmlautsUtf8(bytes), ReplaceUmlauts(text).toUtf8()) << "entities";

    const std::optional<QByteArray> stringFromBytes = MakeStringVariableUtf8(bytes);
    const std::optional<QString> stringFromText = MakeStringVariable(text);
    ASSERT_EQ(stringFromBytes.has_value(), stringFromText.has_value()) << "javascript string";
    if (stringFromText) {
        EXPECT_EQ(*stringFromBytes, stringFromText->toUtf8()) << "javascript string";
    }
}

// The text of a corpus page whatever its encoding, as UTF-8.
QByteArray Utf8OfPage(const QByteArray &file)
{
    if (file.startsWith("\xFF\xFE"))
        return QStringDecoder(QStringDecoder::Utf16LE)(file.sliced(2)).operator QString().toUtf8();
    if (file.startsWith("\xFE\xFF"))
        return QStringDecoder(QStringDecoder::Utf16BE)(file.sliced(2)).operator QString().toUtf8();
    return decodeUtf8OrAnsi(file).toUtf8();
}

QByteArray WithCrLf(const QByteArray &bytes)
{
    QByteArray out;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r'))
            out.append('\r');
        out.append(bytes[i]);
    }
    return out;
}

} // namespace

TEST(BatchBytes, agreeWithTheEditorFormsAtTheEdgesOfCharacters)
{
    const char *const fixtures[] = {
        "",
        "   \r\n\t ",
        // Umlauts and four-byte characters next to hyphens, inside and outside tags.
        "<body>Gr\xC3\xBC\xC3\x9F-e \xF0\x9F\x98\x80-a \xC3\xA4-\xC3\xB6 x-\xC3\xA4 y-\xF0\x9F\x98\x80z</body>",
        "<body><a title=\"\xC3\x84-b\">\xE2\x82\xAC-ab</a> Know-how up-to-\xC3\xA4 the-art e-of-\xF0\x9F\x98\x80</body>",
        "\xF0\x9F\x98\x80-to-a\xC3\xA4-b \xE2\x82\xAC-of-",
        // "www." 15 UTF-16 units ahead of the hyphen, with a three-byte character (one unit)
        // or a four-byte one (two units) between.
        "<body>www.\xE2\x82\xAC" "aaaaaaaaaa-b</body>",
        "<body>www.\xF0\x9F\x98\x80" "aaaaaaaaaa-b</body>",
        "<body>www.\xF0\x9F\x98\x80" "aaaaaaaaa-b</body>",
        "<body>\xF0\x9F\x98\x80" "a-b-of-", "x\xF0\x9F\x98\x80-t\xC3\xA4-to-",
        // Every letter and sign of the entity table, beside look-alike bytes.
        "\xE2\x82\xAC\xC2\xA9\xC2\xAE\xC3\x84\xC3\x9C\xC3\x96\xC3\xA4\xC3\xBC\xC3\xB6\xC3\x9F"
        "\xC3\x83\xC3\x85\xC2\xA8\xC4\x84\xE2\x82\xAB\xF0\x9F\x98\x80\xC3\xA4\xEF\xBF\xBD\xF4\x8F\xBF\xBF",
        // Quotes and ">" in a javascript string, blank lines and lone CR and LF.
        "var s = 'a\">b';\r\n\r\n  \t\r\n\"\xC3\xBC\" > '\xF0\x9F\x98\x80'\rx\ny\r\r\n\n\xC2\xA0\r\n",
        "a\rb\nc\r\n\r\r\n\n  d  \r\n  e",
        // A head section with non-ASCII text, its line breaks and blanks.
        "<HTML><HEAD>\r\n<title>Gr\xC3\xBC\xC3\x9F" "e  \xF0\x9F\x98\x80</title>\r\n</HeAd>\r\n<body>a    b\r\nc>d</body>",
        "<head>\xC3\xA4</head><head>x</head>\r\n>\r\n",
        "</head><head>\r\n\xC3\xA4",
        "<he\r\nad>\xC3\xBC<head>\r\n</head>",
        // A leading U+FEFF, which the file's own mark would have been.
        "\xEF\xBB\xBF<head>\r\n\xEF\xBB\xBF</head>\r\n<body>\xEF\xBB\xBF-x \xC3\xA4-y</body>",
        "\xEF\xBB\xBF",
        "\xEF\xBB\xBF\r\n\xEF\xBB\xBF",
    };
    for (const char *fixture : fixtures)
        ExpectBothFormsAgree(Bytes(fixture), fixture);
}

TEST(BatchBytes, countTheWindowsAroundAHyphenInUtf16UnitsAsTheEditorDoes)
{
    // Fifteen units back from the hyphen: a three-byte character is one unit, so "www." lies in
    // the window and the hyphen stays; a four-byte one is two, so the window misses the first
    // "w" and the hyphen goes. Counting bytes or characters would get one of the two wrong.
    EXPECT_EQ(RemoveHyphenationUtf8(Bytes("<body>www.\xE2\x82\xAC" "aaaaaaaaaa-b</b>")).count, 0);
    EXPECT_EQ(RemoveHyphenationUtf8(Bytes("<body>www.\xF0\x9F\x98\x80" "aaaaaaaaaa-b</b>")).count, 1);
    EXPECT_EQ(RemoveHyphenationUtf8(Bytes("<body>www.\xF0\x9F\x98\x80" "aaaaaaaaa-b</b>")).count, 0);
    EXPECT_EQ(ReplaceUmlautsUtf8(Bytes("\xC3\x83\xC3\x84\xE2\x82\xAC\xF0\x9F\x98\x80")),
              Bytes("\xC3\x83&Auml;&euro;\xF0\x9F\x98\x80"));
}

TEST(BatchBytes, findNeedlesAtTheByteWhereTheEditorFindsThemAsCharacters)
{
    // A four-byte character and an umlaut ahead: the byte index is not the character index.
    const QByteArray page = Bytes("\xF0\x9F\x98\x80\xC3\xA4<HeAd>\xC3\x84RGER <head>");
    EXPECT_EQ(IndexOfAsciiNoCase(page, QByteArrayView("<head")), 6);
    EXPECT_EQ(IndexOfAsciiNoCase(page, QByteArrayView("<head"), 7), 19);
    EXPECT_EQ(IndexOfAsciiNoCase(page, QByteArrayView("<body")), -1);
    // Needles beyond ASCII and the upper-case comparison answer as on the decoded text.
    EXPECT_EQ(TextMatcher(QStringLiteral("\u00e4rger"), CaseMode::UpperCase).indexIn(QByteArrayView(page)), 12);
    EXPECT_EQ(TextMatcher(QStringLiteral("\u00e4<h"), CaseMode::AsciiFold).indexIn(QByteArrayView(page)), 4);
    EXPECT_EQ(TextMatcher(QStringLiteral("\u00e4<h"), CaseMode::AsciiFold).indexIn(QByteArrayView(page), 5), -1);
}

TEST(BatchBytes, agreeWithTheEditorFormsOnRealPages)
{
    const QDir corpus(QStringLiteral(KORVEL_CORPUS_DIR));
    const QStringList pages = corpus.entryList({QStringLiteral("*.html")}, QDir::Files);
    ASSERT_GE(pages.size(), 10);
    for (const QString &page : pages) {
        QFile file(corpus.filePath(page));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray utf8 = Utf8OfPage(file.readAll());
        ExpectBothFormsAgree(utf8, page.toStdString());
        ExpectBothFormsAgree(WithCrLf(utf8), page.toStdString() + " with CR LF");
    }
}

TEST(BatchBytes, removeLineBreaksInTheTextsOwnMemoryAndLeaveASharedTextAlone)
{
    QByteArray page = Bytes("<html><head>\r\n<title>\xC3\xA4</title>\r\n</head>\r\n<body>a  \r\n  b</body>");
    const QByteArray original = page;
    const QByteArray expected = Bytes("<html><head>\r\n<title>\xC3\xA4</title>\r\n</head><body>a b</body>");

    // Shared with `original`: that text stays as it was.
    EXPECT_EQ(RemoveLineFeedsUtf8(page), expected);
    EXPECT_EQ(page, original);

    // Handed over: the result lies where the text lay, with no second page beside it.
    page.detach();
    const char *const memory = page.constData();
    const QByteArray joined = RemoveLineFeedsUtf8(std::move(page));
    EXPECT_EQ(joined, expected);
    EXPECT_EQ(joined.constData(), memory);
}
