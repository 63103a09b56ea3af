// The clutter removal's one pass against its three steps run one after another, each on the
// text the step before leaves, on texts where the steps' changes meet.
#include "source/checkhtmlsteps.h"
#include "source/markupmap.h"
#include "source/textmatch.h"

#include "teststrings.h"

#include <gtest/gtest.h>

#include <random>

using namespace korvel;

namespace {

// Deletes the stretches [start, end) that `deleted` picks among the tags of `s`, in one copy.
template <typename Pick>
QString WithoutStretches(const QString &s, Pick deleted)
{
    QString out;
    qsizetype done = 0;
    for (const TagSpan &tag : FindTags(s)) {
        qsizetype from = 0;
        qsizetype to = 0;
        if (tag.start < done || !deleted(tag, from, to))
            continue;
        out += QStringView(s).mid(done, from - done);
        done = to;
    }
    out += QStringView(s).mid(done);
    return out;
}

QString StepByStep(const QString &text)
{
    // A blank before the ">" that ends a tag.
    const QString first = WithoutStretches(text, [&](const TagSpan &tag, qsizetype &from, qsizetype &to) {
        from = qsizetype(tag.end) - 2;
        to = from + 1;
        return tag.closed && tag.end - 2 >= tag.nameEnd && text[from] == QLatin1Char(' ');
    });
    // Every "<o:p>" tag.
    const QString second = WithoutStretches(first, [&](const TagSpan &tag, qsizetype &from, qsizetype &to) {
        from = tag.start;
        to = tag.end;
        return !tag.closing && tag.closed && tag.end - tag.start == 5 && TagNameIs(first, tag, u"o:p");
    });
    // Every "<tr>" with "&nbsp;</tr>" behind it.
    return WithoutStretches(second, [&](const TagSpan &tag, qsizetype &from, qsizetype &to) {
        from = tag.start;
        to = from + 15;
        return !tag.closing && tag.closed && tag.end - tag.start == 4 && TagNameIs(second, tag, u"tr")
            && MatchesAsciiNoCaseAt(second, tag.end, u"&nbsp;</tr>");
    });
}

// `rounds` texts of up to `longest` pieces at random.
template <size_t N>
void ExpectOnePassAsThreeSteps(const char *const (&pieces)[N], int rounds, int longest, unsigned seed)
{
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> pick(0, int(N) - 1);
    std::uniform_int_distribution<int> count(1, longest);
    for (int round = 0; round < rounds; ++round) {
        QByteArray utf8;
        for (int n = count(random); n > 0; --n)
            utf8 += pieces[pick(random)];
        const QString text = QString::fromUtf8(utf8);
        const QString expected = StepByStep(text);
        ASSERT_EQ(RemoveClutter(text), expected) << utf8.toStdString();
        RemoveClutterIn(utf8);
        ASSERT_EQ(utf8, expected.toUtf8()) << text.toStdString();
    }
}

} // namespace

TEST(RemoveClutter, inOnePassGivesWhatItsThreeStepsGiveOneAfterAnother)
{
    const char *const pieces[] = {"<o:p>", "<O:P >", "<o:p  >", "<o:p/>", "<tr>", "<TR >", "<tr  >", "&nbsp;", "&NB",
                                  "sp;", "</tr>", "</TR >", "/tr>", "tr>", "<", "</", "<!", "<!--", "-->", "<?", ">", " ",
                                  " >", "x", "ä", "\xF0\x9F\x98\x80", "\"", "'", "a=\"b >\"", "<p ", "<script>",
                                  "</script>", "<!x>", "<td a=1 >", "\r\n"};
    ExpectOnePassAsThreeSteps(pieces, 40000, 24, 11);
    // Few pieces, so that deleted paragraph marks often join what stands around them.
    const char *const joining[] = {"<", "</", "<o:p>", "<O:P >", "<tr>", "<tr >", "tr>", "&nbsp;", "</tr>", "</TR >",
                                   "/tr>", "!--", "-->", "x ", ">"};
    ExpectOnePassAsThreeSteps(joining, 200000, 10, 12);
}

// Texts where a deleted "<o:p>" leaves a tag the original text does not have.
TEST(RemoveClutter, findsTheEmptyRowsOfTheTextTheParagraphMarksLeave)
{
    const struct {
        const char *text;
        const char *expected;
    } cases[] = {
        {"<<o:p>tr>&nbsp;</tr>x", "x"},
        {"<tr>&nb<o:p>sp;<<o:p>/tr>x", "x"},
        {"<<o:p>!-- <tr>&nbsp;</tr> -->", "<!-- <tr>&nbsp;</tr> -->"},
        {"</<o:p>x <tr>&nbsp;</tr> y", "</x <tr>&nbsp;</tr> y"},
        {"<tr>&nbsp;</tr><<o:p>tr>&nbsp;</tr><tr >&nbsp;</tr >", ""},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(StepByStep(S(c.text)), S(c.expected)) << c.text;
        EXPECT_EQ(RemoveClutter(S(c.text)), S(c.expected)) << c.text;
    }
}
