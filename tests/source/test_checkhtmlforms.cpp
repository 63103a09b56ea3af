// Check HTML on a page's UTF-8 bytes against Check HTML on its UTF-16 text: the same page, the
// same report, the same message, whichever form the page comes in.
#include "source/checkhtml.h"

#include "benchdocument.h"
#include "cataloguefixture.h"
#include "teststrings.h"
#include "textio/textdecode.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <ostream>
#include <random>

using namespace korvel;

namespace {

QByteArray Repeated(const char *utf8, int times)
{
    return QByteArray(utf8).repeated(times);
}

// Both forms of the check on the same UTF-8 bytes; the bytes form's text, when asked for.
void ExpectSameInBothForms(const QByteArray &utf8, const std::string &name, QByteArray *checked = nullptr)
{
    const CatalogueLine line = test::GermanLines();
    const CheckHtmlResult text = CheckHtml(decodeUtf8KeepingMark(utf8), line);
    CheckHtmlBytesResult bytes = CheckHtmlUtf8(QByteArray(utf8), line);
    ASSERT_TRUE(bytes.text == text.text.toUtf8()) << name;
    EXPECT_EQ(bytes.CheckReport, text.CheckReport) << name;
    EXPECT_EQ(bytes.message, text.message) << name;
    if (checked)
        *checked = std::move(bytes.text);
}

struct FormCase {
    const char *name;
    QByteArray utf8;
};

void PrintTo(const FormCase &c, std::ostream *os)
{
    *os << c.name;
}

class BothForms : public testing::TestWithParam<FormCase> {};

} // namespace

TEST_P(BothForms, giveTheSamePageReportAndMessage)
{
    ExpectSameInBothForms(GetParam().utf8, GetParam().name);
}

INSTANTIATE_TEST_SUITE_P(
    CheckHtmlUtf8, BothForms,
    testing::Values(
        FormCase{"empty", QByteArray()},
        FormCase{"a page without skeleton", "<p class=a id=b>Grüße</p>"},
        FormCase{"a leading byte order mark before a missing skeleton", "\xEF\xBB\xBF<p a=1>x</p>"},
        FormCase{"a leading byte order mark before a document type", "\xEF\xBB\xBF<!DOCTYPE html \"ä\"><p>x"},
        FormCase{"a byte order mark before a complete page",
                 "\xEF\xBB\xBF<html><head></head><body><div a=ö></body></html>"},
        FormCase{"a value of 320 umlauts", "<body><p a=" + Repeated("ä", 320) + " b=c>x</p>"},
        FormCase{"a value of 299 umlauts and a blank", "<body><p a=" + Repeated("ä", 299) + " b=c>x</p>"},
        FormCase{"a value of 300 umlauts and a blank", "<body><p a=" + Repeated("ä", 300) + " b=c>x</p>"},
        FormCase{"a value of 149 four-byte characters and a blank",
                 "<body><p a=" + Repeated("\xF0\x9F\x98\x80", 149) + " b=c>x</p>"},
        FormCase{"a value of 150 four-byte characters and a blank",
                 "<body><p a=" + Repeated("\xF0\x9F\x98\x80", 150) + " b=c>x</p>"},
        FormCase{"four-byte characters that reach over the end of the reach",
                 "<body><p a=x" + Repeated("\xF0\x9F\x98\x80", 149) + " b=c a=" + Repeated("\xE2\x82\xAC", 298)
                     + "\xF0\x9F\x98\x80> c=d>"},
        FormCase{"four-byte characters in names, values and text",
                 "<body><div title=\xF0\x9F\x98\x80 \xF0\x9F\x98\x80=1><span a=\"\xF0\x9F\x98\x80\">\xF0\x90\x8D\x88"
                 "</span></span  ></td></body>"},
        FormCase{"lone CR and LF inside tags", "<body>\r<div\ra=b\nc=d>\n<p\r\n a=1\r\n>x</p>\r</div></body>"},
        FormCase{"line breaks in the head section", "<html><head><meta\r\nname=a>\r\n</head><body><p\r\nb=c>"},
        FormCase{"upper-case tags among umlauts", "<BODY><DIV ÄÖ=1><TABLE><TR><TD>ü</TD></TR></TABLE></DIV></DIV>"},
        FormCase{"redundant closing tags between non-ASCII text",
                 "<body>ä</div>ö</span>€</tr>\xF0\x9F\x98\x80</td> <div>x<div>y</body>"},
        FormCase{"clutter among non-ASCII text",
                 "<body><o:p>ä</o:p><tr>&nbsp;</tr>ö<tr >&NBSP;</TR ><p   a=\"ü\"  >\xF0\x9F\x98\x80</p >"},
        FormCase{"raw text and comments holding tags",
                 "<body><script>ä<div a=b></script><!-- \xF0\x9F\x98\x80<div> --><style>ö<span></style>"},
        FormCase{"unclosed quotes", "<body><p a=\"ä>x<div b='ö>\xF0\x9F\x98\x80</div>"},
        FormCase{"unclosed tags sharing a greater-than sign", "<body><div<div a=ä>x</body>"}),
    [](const testing::TestParamInfo<FormCase> &info) { return "case" + std::to_string(info.index); });

// The end of an unquoted value is looked for within 300 characters of the editor's text, where
// a character beyond U+FFFF takes two: in UTF-8 the reach ends at the same character.
TEST(CheckHtmlUtf8, closesAValueWithinTheSameReachAsTheEditorsText)
{
    struct Reach {
        QByteArray value;
        bool closed;
    };
    const Reach cases[] = {
        {Repeated("ä", 299), true},
        {Repeated("ä", 300), false},
        {Repeated("\xE2\x82\xAC", 299), true},
        {Repeated("\xF0\x9F\x98\x80", 149) + "a", true},
        {Repeated("\xF0\x9F\x98\x80", 149) + "ä", true},
        {Repeated("\xF0\x9F\x98\x80", 150), false},
        {"a" + Repeated("\xF0\x9F\x98\x80", 149), true},
        {"ab" + Repeated("\xF0\x9F\x98\x80", 149), false},
    };
    for (const Reach &c : cases) {
        const QByteArray page = "<html><head></head><body><p a=" + c.value + " b>x</p></body></html>";
        QByteArray checked;
        ExpectSameInBothForms(page, c.value.toStdString(), &checked);
        const QByteArray quoted = "a=\"" + c.value + (c.closed ? "\" b" : " b");
        EXPECT_TRUE(checked.contains(quoted)) << c.value.toStdString() << "\n" << checked.toStdString();
    }
}

// Texts made at random of pieces every step reacts to, among characters of one to four bytes.
TEST(CheckHtmlUtf8, givesTheSameResultAsTheEditorsTextOnMixedPieces)
{
    const char *const pieces[] = {"<html>", "<head>", "</head>", "<body>", "</body>", "<!DOCTYPE x ä>", "<div a=",
                                  "<DIV>", "</div>", "</DIV >", "<span>", "</span>", "<table>", "</table>", "<tr>",
                                  "<tr >", "</tr>", "<td ", "</td>", "&nbsp;", "<o:p>", "<<o:p>", "<script>",
                                  "</script>", "<!--", "-->", "=", "\"", "'", " ", "  ", "\r\n", "\r", "\n", ">", "<",
                                  "x", "ä", "\xE2\x82\xAC", "\xF0\x9F\x98\x80", "\xEF\xBB\xBF"};
    std::mt19937 random(5);
    std::uniform_int_distribution<int> pick(0, int(std::size(pieces)) - 1);
    std::uniform_int_distribution<int> count(1, 40);
    std::uniform_int_distribution<int> longValue(0, 20);
    for (int round = 0; round < 20000; ++round) {
        QByteArray utf8;
        for (int n = count(random); n > 0; --n) {
            utf8 += pieces[pick(random)];
            // Now and then a value near the reach of the search for its end.
            if (longValue(random) == 0)
                utf8 += Repeated(pieces[37 + round % 3], 95 + round % 60);
        }
        ExpectSameInBothForms(utf8, utf8.toStdString());
        if (testing::Test::HasFatalFailure())
            return;
    }
}

// Real pages in their many encodings, each as the UTF-8 of the text it decodes to.
TEST(CheckHtmlUtf8, givesTheSameResultAsTheEditorsTextOnRealPages)
{
    const QDir corpus(QStringLiteral(KORVEL_CORPUS_DIR));
    const QStringList pages = corpus.entryList({QStringLiteral("*.html")}, QDir::Files);
    ASSERT_GE(pages.size(), 10);
    for (const QString &page : pages) {
        QFile file(corpus.filePath(page));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << page.toStdString();
        const QByteArray bytes = file.readAll();
        const QByteArray utf8 = isExactUtf8(bytes.constData(), bytes.size()) ? bytes : decodeUtf8OrAnsi(bytes).toUtf8();
        ExpectSameInBothForms(utf8, page.toStdString());
    }
}

// The generated pages the check is timed on: every kind of repair, many thousand times over.
TEST(CheckHtmlUtf8, givesTheSameResultAsTheEditorsTextOnLargeGeneratedPages)
{
    ExpectSameInBothForms(bench::DocumentOfMegabytes(bench::DocumentKind::Dense, 1).toUtf8(), "dense 1 MB");
    ExpectSameInBothForms(bench::DocumentOfMegabytes(bench::DocumentKind::Page, 8).toUtf8(), "page 8 MB");
    ExpectSameInBothForms(bench::DocumentOfMegabytes(bench::DocumentKind::Page, 47).toUtf8(), "page 47 MB");
}
