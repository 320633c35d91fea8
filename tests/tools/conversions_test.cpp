// The text conversions: tag case, line breaks to BR, escapes and tag removal.

#include "tools/conversions.h"

#include <gtest/gtest.h>

namespace {

using vesk::BreaksToBr;
using vesk::ConvertTagCase;
using vesk::EscapeText;
using vesk::RemoveTags;
using vesk::TagCase;

std::string Upper(std::string_view text) {
    return ConvertTagCase(text, TagCase::kUpper);
}
std::string Lower(std::string_view text) {
    return ConvertTagCase(text, TagCase::kLower);
}

TEST(ConvertTagCaseTest, NamesChangeValuesKeepTheirCase) {
    EXPECT_EQ(Lower(R"(<TD WIDTH="Auto" ALIGN=Left NOWRAP>Cell</TD>)"),
              R"(<td width="Auto" align=Left nowrap>Cell</td>)");
    EXPECT_EQ(Upper(R"(<a href="Index.html" target=_Top>Go Home</a>)"),
              R"(<A HREF="Index.html" TARGET=_Top>Go Home</A>)");
    // Blanks before an unquoted value, and line breaks between attributes.
    EXPECT_EQ(Lower("<FONT SIZE= Big\r\nCOLOR=Red>x</FONT>"),
              "<font size= Big\r\ncolor=Red>x</font>");
    // An "=" inside a quoted value does not end it.
    EXPECT_EQ(Lower(R"(<A HREF="Page.cgi?A=B" NAME="Top">)"),
              R"(<a href="Page.cgi?A=B" name="Top">)");
    // An unquoted value holding "=" is a value up to its blank.
    EXPECT_EQ(Lower("<A HREF=a.cgi?X=Y&Z=W TARGET=Top>"), "<a href=a.cgi?X=Y&Z=W target=Top>");
}

TEST(ConvertTagCaseTest, TextBetweenTagsAndReferencesStay) {
    EXPECT_EQ(Upper("No tags at all, &amp; nothing to do."),
              "No tags at all, &amp; nothing to do.");
    EXPECT_EQ(Lower("<P>Fish &Amp; Chips &#169; Me</P>"), "<p>Fish &Amp; Chips &#169; Me</p>");
    EXPECT_EQ(Upper("a<b>Bold</b>c<br>"), "a<B>Bold</B>c<BR>");
}

TEST(ConvertTagCaseTest, CommentsAndDeclarations) {
    // Tags inside a comment convert; the comment's own words do not.
    EXPECT_EQ(Upper("<!-- <b>x</b> -->"), "<!-- <B>x</B> -->");
    EXPECT_EQ(Upper("<!-- note --><p>y</p>"), "<!-- note --><P>y</P>");
    const std::string doctype = R"(<!DOCTYPE html PUBLIC "-//W3C//DTD HTML 4.01//EN">)";
    EXPECT_EQ(Upper(doctype), doctype);
    EXPECT_EQ(Lower(doctype + "\r\n<HTML>"), doctype + "\r\n<html>");
}

TEST(ConvertTagCaseTest, OddMarkupIsLeftAloneWithoutHarm) {
    // No ">" after the last "<".
    EXPECT_EQ(Upper("a <b"), "a <b");
    EXPECT_EQ(Upper("<i>x</i> <b"), "<I>x</I> <b");
    // A ">" in the text before a tag.
    EXPECT_EQ(Upper("a > b <i>c</i>"), "a > b <I>c</I>");
    EXPECT_EQ(Upper("x>>>><b>"), "x>>>><B>");
    // A value without its closing quote ends at the blank.
    EXPECT_EQ(Lower(R"(<A HREF="x TITLE=Y>)"), R"(<a href="x title=Y>)");
    // A quote that cannot close a value is taken for a stray one: the rest of
    // the tag stays, and the tags behind it convert as usual.
    EXPECT_EQ(Upper(R"(<a title="abc>text</a><b class="x">)"),
              R"(<A TITLE="abc>text</A><B CLASS="x">)");
    EXPECT_EQ(Upper(""), "");
    EXPECT_EQ(Upper("<>"), "<>");
    EXPECT_EQ(Upper("<!"), "<!");
}

TEST(ConvertTagCaseTest, AngleBracketsInQuotedValuesAreValueText) {
    const struct {
        const char* lower;
        const char* upper;
    } cases[] = {
        {R"(<a title="say &quot;hi&quot; <b>" href="x">t</a>)",
         R"(<A TITLE="say &quot;hi&quot; <b>" HREF="x">t</A>)"},
        {R"(<img alt="a>b" src="X.gif"><p>)", R"(<IMG ALT="a>b" SRC="X.gif"><P>)"},
        {R"(<img alt="<i>" src=x.gif>)", R"(<IMG ALT="<i>" SRC=x.gif>)"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Upper(c.lower), c.upper);
        EXPECT_EQ(Lower(c.upper), c.lower);
    }
}

TEST(ConvertTagCaseTest, JapaneseTextIsUntouched) {
    const std::string text = "<P ALIGN=\"center\">日本語のテキスト、ＡＢＣ</P>";
    EXPECT_EQ(Lower(text), "<p align=\"center\">日本語のテキスト、ＡＢＣ</p>");
    EXPECT_EQ(Upper("<img alt=写真 src=\"a.gif\">"), "<IMG ALT=写真 SRC=\"a.gif\">");
}

TEST(ConvertTagCaseTest, SettingChoosesTheCase) {
    const std::string text = "<P ALIGN=\"center\">";
    EXPECT_EQ(vesk::ApplyTagCaseSetting(text, 0), text);
    EXPECT_EQ(vesk::ApplyTagCaseSetting(text, 1), "<p align=\"center\">");
    EXPECT_EQ(vesk::ApplyTagCaseSetting("<br>", 0), "<BR>");
    EXPECT_EQ(vesk::ApplyTagCaseSetting("<BR>", 7), "<br>");  // any non-zero value
}

TEST(BreaksToBrTest, EveryCrLfGetsATag) {
    EXPECT_EQ(BreaksToBr("a\r\nb\r\n", TagCase::kUpper), "a<BR>\r\nb<BR>\r\n");
    EXPECT_EQ(BreaksToBr("\r\n\r\nx", TagCase::kLower), "<br>\r\n<br>\r\nx");
    // Even where a BR already stands.
    EXPECT_EQ(BreaksToBr("x<BR>\r\n", TagCase::kUpper), "x<BR><BR>\r\n");
    // Lone CR or LF are not line breaks here; a CR before a CR LF stays in front.
    EXPECT_EQ(BreaksToBr("a\nb\rc", TagCase::kUpper), "a\nb\rc");
    EXPECT_EQ(BreaksToBr("a\r\r\n", TagCase::kUpper), "a\r<BR>\r\n");
    EXPECT_EQ(BreaksToBr("日本\r\n語", TagCase::kUpper), "日本<BR>\r\n語");
    EXPECT_EQ(BreaksToBr("", TagCase::kUpper), "");
}

TEST(EscapeTextTest, SwitchesAndOrder) {
    using vesk::kEscapeAmpersand;
    using vesk::kEscapeAngleBrackets;
    using vesk::kEscapeQuote;
    const int all = kEscapeAngleBrackets | kEscapeQuote | kEscapeAmpersand;
    EXPECT_EQ(EscapeText("a&<b>", all), "a&#038;&#060;b&#062;");
    // References already in the text are escaped once; those made here never.
    EXPECT_EQ(EscapeText("&#060;\"", all), "&#038;#060;&#034;");
    EXPECT_EQ(EscapeText("say \"hi\" & <go>", kEscapeQuote), "say &#034;hi&#034; & <go>");
    EXPECT_EQ(EscapeText("say \"hi\" & <go>", kEscapeAngleBrackets), "say \"hi\" & &#060;go&#062;");
    EXPECT_EQ(EscapeText("&lt;", kEscapeAmpersand), "&#038;lt;");
    EXPECT_EQ(EscapeText("a&<b>\"", 0), "a&<b>\"");
    // Full-width look-alikes are other characters.
    EXPECT_EQ(EscapeText("＜日本＆語＞", all), "＜日本＆語＞");
}

TEST(RemoveTagsTest, TagsGoTextStays) {
    EXPECT_EQ(RemoveTags("a<b>c</b>d"), "acd");
    EXPECT_EQ(RemoveTags("<P ALIGN=\"center\">日本語</P>テキスト"), "日本語テキスト");
    EXPECT_EQ(RemoveTags("<a href=\"x\"><img src=\"y\"></a>"), "");
    EXPECT_EQ(RemoveTags("no tags"), "no tags");
}

TEST(RemoveTagsTest, CommentMarkersStay) {
    EXPECT_EQ(RemoveTags("x<!-- <b>y</b> -->z<i>w</i>"), "x<!-- y -->zw");
    EXPECT_EQ(RemoveTags("a-->b<i>c</i>"), "a-->bc");
}

TEST(RemoveTagsTest, StrayAndUnclosedBrackets) {
    // No ">" after the "<": it and everything behind it stay.
    EXPECT_EQ(RemoveTags("a<b"), "a<b");
    EXPECT_EQ(RemoveTags("a<b>c<d"), "ac<d");
    // A ">" in the text: the first attempt deletes nothing, the next takes the tag.
    EXPECT_EQ(RemoveTags("a > b <i>c</i>"), "a > b c");
    // A "<" in the text reaches to the next ">".
    EXPECT_EQ(RemoveTags("a < b <i>c"), "a c");
    // A "-->" formed by a deletion lies before the search position: not a closer.
    EXPECT_EQ(RemoveTags("a-<x>->b<y>c"), "a-->bc");
}

}  // namespace
