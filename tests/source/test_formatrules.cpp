#include "source/formatrules.h"

#include "teststrings.h"

#include <gtest/gtest.h>

#include <ostream>

using namespace korvel;

namespace {


struct TextCase {
    const char *input;
    const char *expected;
};

} // namespace

TEST(FirstTag, takesTheTextFromTheFirstLessThanToTheFirstGreaterThanBehindIt)
{
    const TextCase cases[] = {
        {"", ""},
        {"plain", ""},
        {"<unclosed", ""},
        {"<b>bold</b>", "<b>"},
        {"text <UL TYPE=\"disc\">", "<UL TYPE=\"disc\">"},
        {"<ul\r\ntype=\"disc\">", "<ul\r\ntype=\"disc\">"},
        {"x>y", "x>"},                 // no "<": from the first character
        {"a > b\r\n<ul>\r\n<li>x</li>", "<ul>"}, // a ">" in front of the first "<" does not count
    };
    for (const TextCase &c : cases)
        EXPECT_EQ(FirstTag(S(c.input)), S(c.expected)) << c.input;
}

TEST(ColorToHtml, writesTwoUpperCaseHexDigitsForEachPartAndClampsOutOfRangeValues)
{
    EXPECT_EQ(ColorToHtml(255, 0, 0), S("#FF0000"));
    EXPECT_EQ(ColorToHtml(0, 128, 255), S("#0080FF"));
    EXPECT_EQ(ColorToHtml(10, 11, 171), S("#0A0BAB"));
    EXPECT_EQ(ColorToHtml(300, -5, 255), S("#FF00FF"));
}

TEST(SourceWrapped, putsEachCommandsTextsAroundTheSelectionKeepingItsLineBreaks)
{
    const struct {
        SourceWrap wrap;
        const char *expected;
    } cases[] = {
        {SourceWrap::Bold, "<b>a\r\n<B>b</B></b>"},
        {SourceWrap::Italic, "<i>a\r\n<B>b</B></i>"},
        {SourceWrap::Underline, "<u>a\r\n<B>b</B></u>"},
        {SourceWrap::StrikeThrough, "<strike>a\r\n<B>b</B></strike>"},
        {SourceWrap::AlignLeft, "<p align=\"left\">a\r\n<B>b</B></p>"},
        {SourceWrap::AlignRight, "<p align=\"right\">a\r\n<B>b</B></p>"},
        {SourceWrap::AlignJustify, "<p align=\"justify\">a\r\n<B>b</B></p>"},
        {SourceWrap::AlignCenter, "<p align=\"center\">a\r\n<B>b</B></p>"},
        {SourceWrap::Superscript, "<sup>a\r\n<B>b</B></sup>"},
        {SourceWrap::Subscript, "<sub>a\r\n<B>b</B></sub>"},
        {SourceWrap::Indent, "<p style=\"text-align:left; margin-left:50px\">a\r\n<B>b</B></p>"},
        {SourceWrap::LineBreak, "a\r\n<B>b</B><br>"},
        {SourceWrap::HorizontalLine,
         "a\r\n<B>b</B><br><hr style=\"width:300px; color:gray; background-color:gray; height:2px; "
         "text-align:center; border:1px\">"},
        {SourceWrap::Division, "<div class=\"undefined\">a\r\n<B>b</B></div>"},
        {SourceWrap::Span, "<span class=\"undefined\">a\r\n<B>b</B></span>"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(SourceWrapped(c.wrap, S("a\r\n<B>b</B>")), S(c.expected)) << c.expected;
}

TEST(SourceWrapped, givesTheEmptyPairOrTheBareAppendixWithNothingSelected)
{
    EXPECT_EQ(SourceWrapped(SourceWrap::Bold, QString()), S("<b></b>"));
    EXPECT_EQ(SourceWrapped(SourceWrap::LineBreak, QString()), S("<br>"));
}

TEST(AlignWrapForTag, readsTagsZeroToTwoAndCentresEveryOtherTag)
{
    EXPECT_EQ(AlignWrapForTag(0), SourceWrap::AlignLeft);
    EXPECT_EQ(AlignWrapForTag(1), SourceWrap::AlignRight);
    EXPECT_EQ(AlignWrapForTag(2), SourceWrap::AlignJustify);
    EXPECT_EQ(AlignWrapForTag(3), SourceWrap::AlignCenter);
    EXPECT_EQ(AlignWrapForTag(7), SourceWrap::AlignCenter);
    EXPECT_EQ(AlignWrapForTag(-1), SourceWrap::AlignCenter);
}

TEST(CompactHtmlKeepingWords, turnsEveryBreakRunIntoOneBlankOutsideTheElementsThatKeepTheirText)
{
    const TextCase cases[] = {
        {"", ""},
        {"<p>one\r\ntwo</p>", "<p>one two</p>"},
        {"a \r\n\t b", "a b"},
        {"<td>\r\n\tx</td>", "<td> x</td>"},
        {"<pre>x\r\n  y</pre>\r\nz", "<pre>x\r\n  y</pre> z"},
        {"<PRE class=\"c\">x\r\n</PRE>", "<PRE class=\"c\">x\r\n</PRE>"},
        {"<script>//c\r\nf();</script>\r\n<p>", "<script>//c\r\nf();</script> <p>"},
        {"<textarea>a\r\nb", "<textarea>a\r\nb"},          // unclosed: kept to the end
        {"<prefix>a\r\nb</prefix>", "<prefix>a b</prefix>"}, // only the element named pre
        {"<pre>a<pre>b\r\n</pre>c\r\n</pre>\r\n", "<pre>a<pre>b\r\n</pre>c\r\n</pre> "},
    };
    for (const TextCase &c : cases)
        EXPECT_EQ(CompactHtmlKeepingWords(S(c.input)), S(c.expected)) << c.input;
}

TEST(OutdentSource, removesTheFirstIndentingTagAndItsOwnEndTag)
{
    const TextCase cases[] = {
        {"<p style=\"text-align:left; margin-left:50px\">x</p>", "x"},
        {"<P STYLE=\"margin-left:50px\">x</P>", "x"},
        {"a\r\n<p style=\"m\">one\r\ntwo</p>\r\nz", "a one two z"}, // words stay apart
        {"\t<p style=\"m\">x</p>\t\r\n", "x"},
        {"<blockquote style=\"margin: 0 0 0 40px;\">x</blockquote>", "x"},
        {"<BLOCKQUOTE>x</BLOCKQUOTE>", "x"},
        // The inner quote keeps its end tag, so "c" stays at the outer level.
        {"<blockquote>a<blockquote>b</blockquote>c</blockquote>", "a<blockquote>b</blockquote>c"},
        // A "<p style" wins over a quote in front of it.
        {"<blockquote>q</blockquote><p style=\"s\">p</p>", "<blockquote>q</blockquote>p"},
        // Not "<p style=": nothing is removed, but the text is compacted.
        {"<p style >x\r\ny</p>", "<p style >x y</p>"},
        {"<p style=\"s\"><pre>l1\r\nl2</pre></p>", "<pre>l1\r\nl2</pre>"},
        {"<blockquote>open", "open"},
    };
    for (const TextCase &c : cases) {
        const std::optional<QString> result = OutdentSource(S(c.input));
        ASSERT_TRUE(result.has_value()) << c.input;
        EXPECT_EQ(*result, S(c.expected)) << c.input;
    }
}

TEST(OutdentSource, leavesASelectionWithoutIndentationAlone)
{
    EXPECT_EQ(OutdentSource(QString()), std::nullopt);
    EXPECT_EQ(OutdentSource(S("<p>plain\r\ntext</p>")), std::nullopt);
    EXPECT_EQ(OutdentSource(S("<p class=\"x\" style=\"m\">x</p>")), std::nullopt);
}

TEST(FontSource, writesFaceSizeAndColourInThisOrderEachOnlyWhenChosen)
{
    const QString sel = S("a\r\nb");
    EXPECT_EQ(FontSource(sel, {S("Arial"), S("3"), ColorToHtml(255, 0, 0)}),
              S("<font face=\"Arial\" size=\"3\" color=\"#FF0000\">a\r\nb</font>"));
    EXPECT_EQ(FontSource(sel, {std::nullopt, std::nullopt, S("#00FF00")}),
              S("<font color=\"#00FF00\">a\r\nb</font>"));
    EXPECT_EQ(FontSource(sel, {std::nullopt, S("8"), std::nullopt}), S("<font size=\"8\">a\r\nb</font>"));
    EXPECT_EQ(FontSource(QString(), {S("Courier New"), std::nullopt, std::nullopt}),
              S("<font face=\"Courier New\"></font>"));
}

TEST(EngineFontSize, clampsWholeNumbersToTheEnginesRangeAndPassesOtherTextAsTyped)
{
    const TextCase cases[] = {
        {"1", "1"}, {"7", "7"}, {"8", "7"}, {"0", "1"}, {" 3 ", "3"},
        {"99999999999999999999", "7"}, {"+1", "+1"}, {"big", "big"}, {"", ""},
    };
    for (const TextCase &c : cases)
        EXPECT_EQ(EngineFontSize(S(c.input)), S(c.expected)) << c.input;
}

TEST(DesignerFontCalls, sendsNameSizeAndColourInThisOrderEachOnlyWhenChosen)
{
    const std::vector<EngineCall> all = DesignerFontCalls({S("Arial"), S("8"), S("#FF0000")});
    const std::vector<EngineCall> expected = {
        {S("fontName"), S("Arial")}, {S("fontSize"), S("7")}, {S("foreColor"), S("#FF0000")}};
    EXPECT_EQ(all, expected);

    const std::vector<EngineCall> colourOnly = DesignerFontCalls({std::nullopt, std::nullopt, S("#0000FF")});
    ASSERT_EQ(colourOnly.size(), 1u);
    EXPECT_EQ(colourOnly[0].command, S("foreColor"));
    EXPECT_TRUE(DesignerFontCalls({}).empty());
}

TEST(EscapeRangeText, keepsSelectedTextFromTurningIntoMarkup)
{
    const TextCase cases[] = {
        {"", ""},
        {"a < b & c", "a &lt; b &amp; c"},
        {"x>y", "x&gt;y"},
        {"&amp;", "&amp;amp;"}, // the page showed "&amp;" as text
        {"<script>alert(1)</script>", "&lt;script&gt;alert(1)&lt;/script&gt;"},
        {"line\r\nnext \"q\"", "line\r\nnext \"q\""},
    };
    for (const TextCase &c : cases)
        EXPECT_EQ(escapeRangeText(S(c.input)), S(c.expected)) << c.input;
}

TEST(DesignerFragments, putTheDivisionOnItsOwnLinesAndTheSpanAroundEscapedText)
{
    EXPECT_EQ(DesignerDivisionFragment(S("<b>x</b>\r\ny")),
              S("<div class=\"undefined\">\r\n<b>x</b> y\r\n</div>"));
    EXPECT_EQ(DesignerDivisionFragment(QString()), S("<div class=\"undefined\">\r\n\r\n</div>"));
    EXPECT_EQ(DesignerSpanFragment(S("a<b c")), S("<span class=\"undefined\">a&lt;b c</span>"));
    EXPECT_EQ(DesignerSpanFragment(QString()), S("<span class=\"undefined\"></span>"));
}

TEST(PlaceStyleBlock, putsTheBlockBeforeTheHeadEndTagAndKeepsThatTag)
{
    const QString page = S("<html><HEAD><title>t</title></HEAD>\r\n<body>sel</body></html>");
    const qsizetype selStart = page.indexOf(S("sel"));
    const std::optional<StyleInsertion> insertion = PlaceStyleBlock(page, selStart, 3, S("<style>p{}</style>"));
    ASSERT_TRUE(insertion.has_value());
    EXPECT_EQ(insertion->start, page.indexOf(S("</HEAD>")));
    EXPECT_EQ(insertion->length, 7);
    EXPECT_EQ(insertion->replacement, S("\r\n<style>p{}</style>\r\n</HEAD>"));

    QString applied = page;
    applied.replace(insertion->start, insertion->length, insertion->replacement);
    EXPECT_EQ(applied, S("<html><HEAD><title>t</title>\r\n<style>p{}</style>\r\n</HEAD>\r\n<body>sel</body></html>"));
}

TEST(PlaceStyleBlock, putsTheBlockBeforeTheSelectionOfAPageWithoutHeadEndTag)
{
    const QString page = S("<p>abc</p>");
    EXPECT_EQ(PlaceStyleBlock(page, 3, 3, S("S")), (StyleInsertion{3, 3, S("\r\nS\r\nabc")}));
    EXPECT_EQ(PlaceStyleBlock(page, 0, 0, S("S")), (StyleInsertion{0, 0, S("\r\nS\r\n")}));
}

TEST(PlaceStyleBlock, doesNothingForABlankResult)
{
    EXPECT_EQ(PlaceStyleBlock(S("<head></head>"), 0, 0, QString()), std::nullopt);
    EXPECT_EQ(PlaceStyleBlock(S("<head></head>"), 0, 0, S(" \r\n ")), std::nullopt);
}

TEST(LinkPresetFor, presetsTheKindFromWhatTheSelectionLooksLike)
{
    const struct {
        const char *sel;
        int protocol;
        bool address;
        int kindButton;
    } cases[] = {
        {"", 0, false, 0},
        {"@", 0, false, 0},          // one character: no test runs
        {"Home page", 0, false, 0},
        {"http://x.com", 1, true, 1},
        {"www.x.com", 1, true, 1},
        {"see http://x.com", 1, true, 1},
        {"#top", 3, true, 1},
        {"a@b.c", 2, true, 2},
        {"mailto:a@b.c", 2, true, 2},
        {"mailto", 2, true, 2},
        // An address keeps its kind whatever its fragment or query holds.
        {"http://x.com/a#top", 1, true, 1},
        {"http://x.com/?to=a@b.c", 1, true, 1},
        {" www.x.com/#top", 1, true, 1},
        // "#" inside other text is no anchor name.
        {"Chapter #2", 0, false, 0},
        {"mail a@b.c or www.x.de", 2, true, 2},
        {"#mail@x.de", 2, true, 2},
    };
    for (const auto &c : cases) {
        const LinkPreset preset = LinkPresetFor(S(c.sel));
        EXPECT_EQ(preset.description, S(c.sel)) << c.sel;
        EXPECT_EQ(preset.protocol, c.protocol) << c.sel;
        EXPECT_EQ(preset.address, c.address ? std::optional<QString>(S(c.sel)) : std::nullopt) << c.sel;
        EXPECT_EQ(preset.kindButton, c.kindButton) << c.sel;
    }
}
