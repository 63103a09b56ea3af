#include "source/search.h"
#include "source/snippets.h"

#include "teststrings.h"

#include <gtest/gtest.h>

using namespace korvel;

namespace {


} // namespace

TEST(FindFromDialog, takesOverTheDialogsOptionsAndFindsTheWholeWord)
{
    SearchState state;
    const auto match = FindFromDialog(state, S("concat cat"), S("cat"), false, true, {});
    ASSERT_TRUE(match.has_value());
    EXPECT_EQ(*match, (FoundRange{7, 3}));
    EXPECT_EQ(state.LastFindText, S("cat"));
    EXPECT_TRUE(state.LastWholeWord);
    EXPECT_FALSE(state.LastMatchCase);
    EXPECT_EQ(state.NextFindStart, 10);
}

TEST(FindFromDialog, continuesBehindTheSelection)
{
    SearchState state;
    const QString text = S("ab ab ab");
    EXPECT_EQ(FindFromDialog(state, text, S("ab"), false, false, {0, 0}), (FoundRange{0, 2}));
    EXPECT_EQ(FindFromDialog(state, text, S("ab"), false, false, {0, 2}), (FoundRange{3, 2}));
    EXPECT_EQ(FindFromDialog(state, text, S("ab"), false, false, {3, 2}), (FoundRange{6, 2}));
    EXPECT_FALSE(FindFromDialog(state, text, S("ab"), false, false, {6, 2}).has_value());
    // A caret without a selection searches from the top.
    EXPECT_EQ(FindFromDialog(state, text, S("ab"), false, false, {5, 0}), (FoundRange{0, 2}));
}

TEST(FindFromDialog, keepsTheSearchTextEvenWhenNothingIsFound)
{
    SearchState state;
    EXPECT_FALSE(FindFromDialog(state, S("ärger"), S("ÄRGER"), false, false, {}).has_value());
    EXPECT_EQ(state.LastFindText, S("ÄRGER"));
}

TEST(FindNextMatch, walksThroughTheTextAndStartsOverAfterAMiss)
{
    SearchState state;
    const QString text = S("ab ab ab x");
    ASSERT_EQ(FindFromDialog(state, text, S("ab"), false, false, {}), (FoundRange{0, 2}));

    FindNextResult r = FindNextMatch(state, text);
    EXPECT_EQ(r.outcome, FindNextOutcome::Found);
    EXPECT_EQ(r.match, (FoundRange{3, 2}));
    r = FindNextMatch(state, text);
    EXPECT_EQ(r.match, (FoundRange{6, 2}));
    r = FindNextMatch(state, text);
    EXPECT_EQ(r.outcome, FindNextOutcome::NotFound);
    EXPECT_EQ(state.NextFindStart, 0);
    r = FindNextMatch(state, text);
    EXPECT_EQ(r.outcome, FindNextOutcome::Found);
    EXPECT_EQ(r.match, (FoundRange{0, 2}));
}

TEST(FindNextMatch, goesStraightToTheTopWhenTheContinuationLiesBeyondTheText)
{
    SearchState state;
    const QString text = S("ab ab ab");
    ASSERT_TRUE(FindFromDialog(state, text, S("ab"), false, false, {3, 2}).has_value()); // finds 6
    const FindNextResult r = FindNextMatch(state, text);
    EXPECT_EQ(r.outcome, FindNextOutcome::Found);
    EXPECT_EQ(r.match, (FoundRange{0, 2}));
}

TEST(FindNextMatch, doesNothingWithoutASearchTextOrAText)
{
    SearchState state;
    EXPECT_EQ(FindNextMatch(state, S("abc")).outcome, FindNextOutcome::Nothing);
    state.LastFindText = S("  ");
    EXPECT_EQ(FindNextMatch(state, S("a  b")).outcome, FindNextOutcome::Nothing);
    state.LastFindText = S("a");
    EXPECT_EQ(FindNextMatch(state, QString()).outcome, FindNextOutcome::Nothing);
}

TEST(FindNextMatch, usesTheFindDialogsOptions)
{
    SearchState state;
    const QString text = S("Cat concat cat CAT");
    ASSERT_EQ(FindFromDialog(state, text, S("cat"), true, true, {}), (FoundRange{11, 3}));
    const FindNextResult r = FindNextMatch(state, text);
    EXPECT_EQ(r.outcome, FindNextOutcome::NotFound); // "CAT" differs in case, "Cat" lies before
    EXPECT_EQ(FindNextMatch(state, text).match, (FoundRange{11, 3}));
}

TEST(FindInReplaceDialog, searchesWithoutWholeWordAndLeavesTheSearchStateAlone)
{
    const QString text = S("concat Cat");
    EXPECT_EQ(FindInReplaceDialog(text, S("cat"), true, {}), (FoundRange{3, 3}));
    EXPECT_EQ(FindInReplaceDialog(text, S("cat"), false, {3, 3}), (FoundRange{7, 3}));
    EXPECT_FALSE(FindInReplaceDialog(text, S("cat"), true, {3, 3}).has_value());
}

struct ReplaceCase {
    const char *name;
    const char *text;
    const char *find;
    const char *replacement;
    bool matchCase;
    const char *expected;
};

void PrintTo(const ReplaceCase &c, std::ostream *os)
{
    *os << c.name;
}

class ReplaceAllTest : public ::testing::TestWithParam<ReplaceCase> {};

TEST_P(ReplaceAllTest, replacesEveryOccurrenceInOnePass)
{
    const ReplaceCase &c = GetParam();
    EXPECT_EQ(ReplaceAll(S(c.text), S(c.find), S(c.replacement), c.matchCase), S(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReplaceAllTest,
    ::testing::Values(
        ReplaceCase{"umlauts match without match case", "Viel ärger, mehr Ärger", "ÄRGER", "Freude", false,
                    "Viel Freude, mehr Freude"},
        ReplaceCase{"match case is exact", "Cat cat CAT", "cat", "dog", true, "Cat dog CAT"},
        ReplaceCase{"replaced text is not searched again", "aaa", "aa", "a", false, "aa"},
        ReplaceCase{"replacement holding the search text", "a-a", "a", "aa", true, "aa-aa"},
        ReplaceCase{"deleting", "x<o:p>y<O:P>", "<o:p>", "", false, "xy"},
        ReplaceCase{"empty search text", "abc", "", "x", false, "abc"},
        ReplaceCase{"nothing found", "abc", "d", "x", false, "abc"}));

TEST(GoToLineIndex, clampsTheNumberToTheLinesAndRefusesOtherInput)
{
    const std::pair<const char *, int> valid[] = {{"3", 2}, {"1", 0}, {"0", 0}, {"-5", 0}, {"10", 9}, {"9999", 9}};
    for (const auto &[answer, line] : valid)
        EXPECT_EQ(GoToLineIndex(S(answer), 10), line) << answer;
    for (const char *answer : {"abc", "", "3.5", "12abc", "99999999999999"})
        EXPECT_FALSE(GoToLineIndex(S(answer), 10).has_value()) << answer;
}

TEST(Snippets, writeTheFixedPieces)
{
    EXPECT_EQ(CommentSnippet(QString()), S("<!--  -->"));
    EXPECT_EQ(CommentSnippet(S("<p>x</p>")), S("<!-- <p>x</p> -->"));
    EXPECT_EQ(DoctypeDeclaration(), S("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">"));
    EXPECT_EQ(DoctypeDeclaration().size(), 63);
    EXPECT_EQ(WithDoctype(S("<html>\r\n")), DoctypeDeclaration() + S("<html>\r\n"));
    EXPECT_EQ(ScriptSnippet(), S("<script type=\"text/javascript\">\r\n\r\n</script>"));
    EXPECT_EQ(ScriptSnippet().size(), 44);
}
