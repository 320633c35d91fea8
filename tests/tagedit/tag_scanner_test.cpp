// The tag scanner: the tag at the caret, its kind, and attribute reading and cutting.

#include "tagedit/tag_scanner.h"

#include <gtest/gtest.h>

#include <QTest>
#include <functional>
#include <string>
#include <utility>

#include "core/app_settings.h"
#include "editor/text_control.h"
#include "editor/veskhtml_doc.h"
#include "editor/veskhtml_view.h"
#include "tagedit/tag_at_caret.h"

using namespace vesk;

namespace {

const std::string kFw = "\xE3\x80\x80";  // the full-width blank

TagKind KindOf(std::string_view tag) {
    return FindTagAtCaret(tag, 1).kind;
}

std::string Take(std::string tag, std::string_view name, bool equalsAllowed = false) {
    CTagScanner scanner(std::move(tag), 0, 0, kKindUnknownTag);
    scanner.TakeAttribute(name, equalsAllowed);
    return scanner.text;
}

TEST(FindTagAtCaretTest, CaretBeforeInsideAndBehindATag) {
    const std::string doc = "ab<HR>cd";
    EXPECT_EQ(FindTagAtCaret(doc, 2).kind, kKindNoTag);  // before "<"
    const TagAtCaret afterOpen = FindTagAtCaret(doc, 3);
    EXPECT_EQ(afterOpen.kind, kKindHr);
    EXPECT_EQ(afterOpen.text, "<HR>");
    EXPECT_EQ(afterOpen.start, 2);
    EXPECT_EQ(afterOpen.end, 5);
    EXPECT_EQ(FindTagAtCaret(doc, 5).kind, kKindHr);     // on the ">"
    EXPECT_EQ(FindTagAtCaret(doc, 6).kind, kKindNoTag);  // behind the ">"
    EXPECT_TRUE(FindTagAtCaret(doc, 6).text.empty());
}

TEST(FindTagAtCaretTest, TextEdgesAndOutOfRangeCarets) {
    EXPECT_EQ(FindTagAtCaret("", 0).kind, kKindNoTag);
    EXPECT_EQ(FindTagAtCaret("<HR>", 0).kind, kKindNoTag);
    EXPECT_EQ(FindTagAtCaret("<HR>", 4).kind, kKindNoTag);
    EXPECT_EQ(FindTagAtCaret("<HR>", 99).kind, kKindNoTag);
    EXPECT_EQ(FindTagAtCaret("<HR>", -5).kind, kKindNoTag);
    EXPECT_EQ(FindTagAtCaret("x<HR", 3).kind, kKindNoTag);  // never closed
}

TEST(FindTagAtCaretTest, UnclosedTagBeforeTheNextTagIsNoTag) {
    const std::string doc = "<TD WIDTH=5 <B>x";
    EXPECT_EQ(FindTagAtCaret(doc, 4).kind, kKindNoTag);
    const TagAtCaret bold = FindTagAtCaret(doc, 13);
    EXPECT_EQ(bold.text, "<B>");
    EXPECT_EQ(bold.start, 12);
}

TEST(FindTagAtCaretTest, OffsetsCountUtf8Bytes) {
    const std::string doc = "日本<A HREF=\"é.html\">語</A>";
    const TagAtCaret tag = FindTagAtCaret(doc, 8);
    EXPECT_EQ(tag.start, 6);
    EXPECT_EQ(tag.end, 6 + 17);  // "é" is two bytes
    EXPECT_EQ(tag.text, "<A HREF=\"é.html\">");
    EXPECT_EQ(tag.kind, kKindA);
}

TEST(FindTagAtCaretTest, Comments) {
    const std::string doc = "x<!-- note -->y";
    const TagAtCaret inComment = FindTagAtCaret(doc, 7);
    EXPECT_EQ(inComment.kind, kKindUnknownTag);
    EXPECT_EQ(inComment.text, "<!-- note -->");
    // A ">" inside a comment ends the "tag" for the scanner.
    EXPECT_EQ(FindTagAtCaret("<!-- a > b -->", 10).kind, kKindNoTag);
    // A tag written inside a comment is still a tag.
    EXPECT_EQ(FindTagAtCaret("<!-- <HR> -->", 7).kind, kKindHr);
}

TEST(ClassifyTagTest, EveryRowInUpperAndLowerCase) {
    const std::pair<const char*, TagKind> rows[] = {
        {"HR", 1},     {"DIV", 2},     {"BODY", 3},    {"FONT", 4},      {"TABLE", 5},
        {"TR", 6},     {"TD", 7},      {"TH", 8},      {"FRAMESET", 9},  {"FRAME", 10},
        {"META", 11},  {"SELECT", 12}, {"OPTION", 13}, {"TEXTAREA", 14}, {"FORM", 15},
        {"INPUT", 16}, {"A", 17},      {"IMG", 18},    {"H1", 19},       {"H2", 20},
        {"H3", 21},    {"H4", 22},     {"H5", 23},     {"H6", 24},       {"OL", 25},
        {"UL", 26},    {"LI", 27},     {"P", 28},      {"AREA", 29},     {"MAP", 30},
    };
    for (const auto& [name, kind] : rows) {
        const std::string upper = std::string("<") + name;
        std::string lower = upper;
        for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        EXPECT_EQ(ClassifyTag(upper + ">"), kind) << name;
        EXPECT_EQ(ClassifyTag(lower + " x=1>"), kind) << name;
        EXPECT_EQ(TagPrefix(kind), upper) << name;
    }
}

TEST(ClassifyTagTest, NameMustBeOneCaseAndEndAtASeparator) {
    EXPECT_EQ(KindOf("<td nowrap>"), kKindTd);
    EXPECT_EQ(KindOf("<Td>"), kKindUnknownTag);
    EXPECT_EQ(KindOf("<Table>"), kKindUnknownTag);
    EXPECT_EQ(KindOf("<TDX>"), kKindUnknownTag);
    EXPECT_EQ(KindOf("<SPAN>"), kKindUnknownTag);
    EXPECT_EQ(KindOf("</TD>"), kKindUnknownTag);
    EXPECT_EQ(KindOf("<A\r\nHREF=\"x\">"), kKindA);
    EXPECT_EQ(KindOf("<H3\tALIGN=left>"), kKindH3);
    EXPECT_EQ(KindOf("<AREA>"), kKindArea);
    EXPECT_EQ(KindOf("<FRAMESET ROWS=\"*\">"), kKindFrameset);
    EXPECT_EQ(KindOf("<PRE>"), kKindUnknownTag);
    EXPECT_EQ(KindOf("<TD" + kFw + "WIDTH=5>"), kKindUnknownTag);
    EXPECT_EQ(KindOf("<>"), kKindUnknownTag);
}

TEST(FindAttributeNameTest, WholeNamesInAnyCase) {
    const std::string tag = "<TD VALIGN=\"top\" ALIGN=\"left\">";
    EXPECT_EQ(FindAttributeName(tag, "ALIGN"), 17);
    EXPECT_EQ(FindAttributeName("<TD VALIGN=\"top\">", "ALIGN"), -1);
    EXPECT_EQ(FindAttributeName("<td Align = left>", "ALIGN"), 4);
    EXPECT_EQ(FindAttributeName("<TD\r\nALIGN=left>", "ALIGN"), 5);
    EXPECT_EQ(FindAttributeName("<TD ALIGNMENT=1>", "ALIGN"), -1);
    // A name directly before ">" has no value and is not found.
    EXPECT_EQ(FindAttributeName("<TD ALIGN>", "ALIGN"), -1);
    EXPECT_EQ(FindAttributeName("<TD ALIGN=x>", ""), -1);
}

TEST(FindAttributeNameTest, FullWidthBlankSeparates) {
    const std::string tag = "<TD" + kFw + "ALIGN" + kFw + "=" + kFw + "\"left\">";
    EXPECT_EQ(FindAttributeName(tag, "ALIGN"), 6);
    const AttributeValue align = GetAttributeValue(tag, "ALIGN");
    EXPECT_EQ(align.status, 0);
    EXPECT_EQ(align.value, "left");
    EXPECT_EQ(GetAttributeValue("<IMG WIDTH=50" + kFw + "HEIGHT=20>", "WIDTH").value, "50");
}

TEST(FindAttributeNameTest, NamesInsideQuotedValuesBelongToTheValue) {
    const std::string tag = "<A TITLE=\"see HREF=x\" HREF=\"page.html\">";
    EXPECT_EQ(FindAttributeName(tag, "HREF"), 22);
    EXPECT_EQ(GetAttributeValue(tag, "HREF").value, "page.html");
    EXPECT_EQ(GetAttributeValue("<IMG ALT=\"WIDTH=5 HEIGHT=6\">", "WIDTH").status, -1);
    // Behind a closing quote the name stands outside.
    EXPECT_EQ(GetAttributeValue("<A TITLE=\"t\"HREF=\"a\">", "HREF").value, "a");
}

TEST(GetAttributeValueTest, QuotedValues) {
    const std::string tag = "<TD WIDTH = \"50%\">";
    const AttributeValue width = GetAttributeValue(tag, "WIDTH");
    EXPECT_EQ(width.status, 0);
    EXPECT_EQ(width.value, "50%");
    EXPECT_EQ(width.namePos, 4);
    EXPECT_EQ(width.valueStart, 13);
    EXPECT_EQ(width.valueEnd, 15);
    EXPECT_EQ(width.endPos, 16);

    const AttributeValue empty = GetAttributeValue("<IMG ALT=\"\">", "ALT");
    EXPECT_EQ(empty.status, 0);
    EXPECT_EQ(empty.value, "");
    EXPECT_EQ(empty.valueStart, empty.valueEnd + 1);
}

TEST(GetAttributeValueTest, UnquotedValues) {
    const std::string tag = "<IMG WIDTH=50 HEIGHT=20>";
    const AttributeValue width = GetAttributeValue(tag, "WIDTH");
    EXPECT_EQ(width.value, "50");
    EXPECT_EQ(width.endPos, 12);
    const AttributeValue height = GetAttributeValue(tag, "HEIGHT");
    EXPECT_EQ(height.value, "20");
    EXPECT_EQ(height.endPos, 22);  // before the closing ">"
    EXPECT_EQ(GetAttributeValue("<P ALIGN='left'>", "ALIGN").value, "'left'");
    EXPECT_EQ(GetAttributeValue("<P ALIGN=   left>", "ALIGN").value, "left");
    // A line break ends the value, or it would swallow the next attribute.
    const std::string lines = "<IMG SRC=a.gif\r\nWIDTH=5>";
    EXPECT_EQ(GetAttributeValue(lines, "SRC").value, "a.gif");
    EXPECT_EQ(GetAttributeValue(lines, "WIDTH").value, "5");
    const AttributeValue none = GetAttributeValue("<TD WIDTH=>", "WIDTH");
    EXPECT_EQ(none.status, 0);
    EXPECT_EQ(none.value, "");
}

TEST(GetAttributeValueTest, EqualsInsideQuotesOnlyWhenAllowed) {
    const std::string link = "<A HREF=\"a.cgi?x=1\">";
    EXPECT_EQ(GetAttributeValue(link, "HREF").status, -2);
    const std::string meta = "<META HTTP-EQUIV=\"refresh\" CONTENT=\"5; url=next.html\">";
    const AttributeValue content = GetAttributeValue(meta, "CONTENT", true);
    EXPECT_EQ(content.status, 0);
    EXPECT_EQ(content.value, "5; url=next.html");
    EXPECT_EQ(GetAttributeValue(meta, "HTTP-EQUIV").value, "refresh");
}

TEST(GetAttributeValueTest, MissingAndBrokenAttributes) {
    EXPECT_EQ(GetAttributeValue("<TD ALIGN=left>", "WIDTH").status, -1);
    EXPECT_EQ(GetAttributeValue("<TD WIDTH 5>", "WIDTH").status, -2);           // no "="
    EXPECT_EQ(GetAttributeValue("<TD WIDTH 5 HEIGHT=3>", "WIDTH").status, -2);  // junk before "="
    EXPECT_EQ(GetAttributeValue("<TD WIDTH=x\"5\">", "WIDTH").status, -2);      // junk before quote
    EXPECT_EQ(GetAttributeValue("<IMG ALT=\"abc>", "ALT").status, -2);          // unclosed quote
    const AttributeValue broken = GetAttributeValue("<TD WIDTH 5>", "WIDTH");
    EXPECT_EQ(broken.value, "");
}

TEST(TagScannerTest, TakingAttributesLeavesTheUnknownOnes) {
    CTagScanner scanner(TagAtCaret{"<TD  WIDTH=\"5\" CLASS=\"x\" NOWRAP>", 10, 42, kKindTd});
    EXPECT_EQ(scanner.start, 10);
    EXPECT_EQ(scanner.TakeAttribute("WIDTH").value, "5");
    EXPECT_TRUE(scanner.TakeFlagAttribute("NOWRAP"));
    EXPECT_EQ(scanner.text, "<TD CLASS=\"x\">");
    EXPECT_EQ(scanner.TakeAttribute("HEIGHT").status, -1);
    EXPECT_EQ(scanner.text, "<TD CLASS=\"x\">");

    EXPECT_EQ(Take("<TD CLASS=\"x\" WIDTH=5>", "WIDTH"), "<TD CLASS=\"x\">");
    EXPECT_EQ(Take("<A NAME=\"a\" HREF=\"q?x=1\">", "HREF"), "<A NAME=\"a\" HREF=\"q?x=1\">");
    EXPECT_EQ(Take("<META CONTENT=\"a=b\" NAME=x>", "CONTENT", true), "<META NAME=x>");
}

TEST(TagScannerTest, RemoveFromTagBlankRules) {
    CTagScanner runs("<P X  A  B    C     D>", 0, 0, kKindP);
    runs.RemoveFromTag(3, 3);
    // Runs of 3, 2, 4 and 5 blanks keep 2, 1, 2 and 3.
    EXPECT_EQ(runs.text, "<P  A B  C   D>");

    CTagScanner tail("<HR SIZE=2 >", 0, 0, kKindHr);
    tail.RemoveFromTag(4, 9);
    EXPECT_EQ(tail.text, "<HR>");

    // Blanks inside a quoted value are part of that value.
    EXPECT_EQ(Take("<IMG ALT=\"a  b\"  WIDTH=5>", "WIDTH"), "<IMG ALT=\"a  b\">");

    CTagScanner outOfRange("<HR>", 0, 0, kKindHr);
    outOfRange.RemoveFromTag(2, 99);
    EXPECT_EQ(outOfRange.text, "<H");
    outOfRange.RemoveFromTag(-3, -1);
    EXPECT_EQ(outOfRange.text, "<H");
}

TEST(TagScannerTest, FlagsInUpperOrLowerCaseAsWholeWords) {
    CTagScanner lower("<td nowrap>", 0, 0, kKindTd);
    EXPECT_TRUE(lower.TakeFlagAttribute("NOWRAP"));
    EXPECT_EQ(lower.text, "<td>");

    CTagScanner mixed("<TD NoWrap>", 0, 0, kKindTd);
    EXPECT_FALSE(mixed.TakeFlagAttribute("NOWRAP"));
    EXPECT_EQ(mixed.text, "<TD NoWrap>");

    CTagScanner lineStart("<TD\r\nNOWRAP>", 0, 0, kKindTd);
    EXPECT_TRUE(lineStart.TakeFlagAttribute("NOWRAP"));

    // A flag's word inside another attribute's value, or in a longer word, is not the flag.
    CTagScanner inValue("<OPTION class=\"selected\" VALUE=1>", 0, 0, kKindOption);
    EXPECT_FALSE(inValue.TakeFlagAttribute("SELECTED"));
    EXPECT_EQ(inValue.text, "<OPTION class=\"selected\" VALUE=1>");
    CTagScanner both("<TD CLASS=\"NOWRAP\" NOWRAP>", 0, 0, kKindTd);
    EXPECT_TRUE(both.TakeFlagAttribute("NOWRAP"));
    EXPECT_EQ(both.text, "<TD CLASS=\"NOWRAP\">");
    CTagScanner longer("<SELECT MULTIPLEX>", 0, 0, kKindSelect);
    EXPECT_FALSE(longer.TakeFlagAttribute("MULTIPLE"));
}

TEST(StripLineBreaksTest, LineBreaksAndTabsGoWordsStayApart) {
    EXPECT_EQ(StripLineBreaks("<TD \r\n\tCLASS=\"x\"\r\n>"), "<TD CLASS=\"x\">");
    EXPECT_EQ(StripLineBreaks("<TD\r\nCLASS=x\r\nID=y>"), "<TD CLASS=x ID=y>");
    EXPECT_EQ(StripLineBreaks("A=\"x\"\r\nB=\"y\""), "A=\"x\"B=\"y\"");
    EXPECT_EQ(StripLineBreaks("ALT=\"one\r\ntwo\""), "ALT=\"one two\"");
    EXPECT_EQ(StripLineBreaks("\r\n\t"), "");
    CTagScanner scanner("<TD\r\n  CLASS=x\t>", 0, 0, kKindTd);
    scanner.StripLineBreaks();
    EXPECT_EQ(scanner.text, "<TD  CLASS=x>");
}

TEST(ListKindOfItemTest, NearestListStartDecides) {
    EXPECT_EQ(ListKindOfItem("<UL><LI>a</UL><OL>"), kKindOrderedListItem);
    EXPECT_EQ(ListKindOfItem("<ol><li>a</ol><ul type=disc>"), kKindUnorderedListItem);
    EXPECT_EQ(ListKindOfItem("<Ol>x</OL>"), kKindOrderedListItem);  // closing tags do not count
    EXPECT_EQ(ListKindOfItem("<P>text"), kKindLi);
    EXPECT_EQ(ListKindOfItem(""), kKindLi);
}

TEST(FindEnclosingMapNameTest, LastMapBeforeTheCaret) {
    const std::string doc = "<MAP NAME=\"one\"></MAP><map name=two><AREA SHAPE=rect></map><AREA>";
    std::string name;
    EXPECT_EQ(FindEnclosingMapName(doc, 40, name), 0);
    EXPECT_EQ(name, "two");
    EXPECT_EQ(FindEnclosingMapName(doc, 10, name), -1);  // the MAP tag is not closed before it
    name.clear();
    EXPECT_EQ(FindEnclosingMapName(doc, 17, name), 0);
    EXPECT_EQ(name, "one");
    // The caret at the very end of the text.
    EXPECT_EQ(FindEnclosingMapName(doc, static_cast<int>(doc.size()), name), 0);
    EXPECT_EQ(name, "two");
}

TEST(FindEnclosingMapNameTest, MissingMapOrName) {
    std::string name = "keep";
    EXPECT_EQ(FindEnclosingMapName("<AREA SHAPE=rect>", 3, name), -1);
    EXPECT_EQ(FindEnclosingMapName("<MAP><AREA>", 7, name), -2);
    EXPECT_EQ(FindEnclosingMapName("<MAP NAME=\"a=b\"><AREA>", 18, name), -2);
    EXPECT_EQ(FindEnclosingMapName("", 0, name), -1);
    EXPECT_EQ(name, "keep");
}

class TagAtCaretViewTest : public ::testing::Test {
  protected:
    TagAtCaretViewTest() : view(settings, &doc) {}

    const CaretRecord& At(int start, int end) {
        view.Control().SetSel(start, end);
        RefreshTagAtCaret(view);
        return view.tagAtCaret_;
    }

    CAppSettings settings;
    CVeskHtmlDoc doc;
    CVeskHtmlView view;
};

TEST_F(TagAtCaretViewTest, RecordFollowsTheSelectionStart) {
    view.SetText("<P>日本<TD\r\nWIDTH=5>cd");
    const CaretRecord& inside = At(12, 12);
    EXPECT_EQ(inside.kind, kKindTd);
    EXPECT_EQ(inside.text, "<TD\r\nWIDTH=5>");
    EXPECT_EQ(inside.start, 9);
    EXPECT_EQ(inside.end, 21);

    EXPECT_EQ(At(5, 5).kind, kKindNoTag);
    EXPECT_TRUE(view.tagAtCaret_.text.empty());
    EXPECT_EQ(At(1, 1).kind, kKindP);
    // A selection counts from its start, whichever way it was made.
    EXPECT_EQ(At(10, 23).kind, kKindTd);
    EXPECT_EQ(At(23, 10).kind, kKindTd);
    EXPECT_EQ(At(4, 12).kind, kKindNoTag);
}

TEST_F(TagAtCaretViewTest, RefreshedAtKeyReleaseWhenInstalled) {
    auto previous = std::exchange(CVeskHtmlView::caretRecordsRefresher, RefreshTagAtCaret);
    view.show();
    view.Control().setFocus();
    view.SetText("ab <HR> cd");
    view.Control().SetSel(8, 8);
    QTest::keyClick(&view.Control(), Qt::Key_Left);
    EXPECT_EQ(view.tagAtCaret_.kind, kKindNoTag);  // caret 7, behind ">"
    QTest::keyClick(&view.Control(), Qt::Key_Left);
    EXPECT_EQ(view.tagAtCaret_.kind, kKindHr);  // caret 6, on ">"
    EXPECT_EQ(view.tagAtCaret_.start, 3);
    CVeskHtmlView::caretRecordsRefresher = std::move(previous);
}

}  // namespace
