// Links of a page: anchor split, link kinds, the link at the caret and anchor names.

#include "sidepane/links.h"

#include <gtest/gtest.h>

#include <string>

#include "core/app_settings.h"
#include "editor/text_control.h"
#include "editor/veskhtml_doc.h"
#include "editor/veskhtml_view.h"
#include "sidepane/link_at_caret.h"
#include "tagedit/tag_at_caret.h"

namespace {

using vesk::AnchorNames;
using vesk::LinkAtCaret;
using vesk::LinkKind;
using vesk::SplitAnchor;

void ExpectSplit(std::string_view value, int form, std::string_view file, std::string_view anchor) {
    const vesk::AnchorSplit split = SplitAnchor(value);
    EXPECT_EQ(split.form, form) << value;
    EXPECT_EQ(split.file, file) << value;
    EXPECT_EQ(split.anchor, anchor) << value;
}

TEST(SplitAnchorTest, Forms) {
    ExpectSplit("page.htm", 0, "page.htm", "");
    ExpectSplit("page.htm#top", 1, "page.htm", "top");
    ExpectSplit("#top", 2, "", "top");
    ExpectSplit("#a.b", 2, "", "a.b");
    ExpectSplit("page.htm#", 1, "page.htm", "");
    // Only a "#" behind the last "." starts an anchor.
    ExpectSplit("img.old/page#x", 1, "img.old/page", "x");
    ExpectSplit("page#x.y", 0, "page#x.y", "");
    ExpectSplit("a.b#c.d", 0, "a.b#c.d", "");
    ExpectSplit("page#x", 0, "page#x", "");
    // The last "#" splits.
    ExpectSplit("dir.x/a#b#c", 1, "dir.x/a#b", "c");
    ExpectSplit("", 0, "", "");
}

TEST(LinkKindTest, UrlsPagesImagesAndOthers) {
    EXPECT_EQ(LinkKind("http://example.com/a.gif"), 2);
    EXPECT_EQ(LinkKind("https://example.com/"), 2);
    EXPECT_EQ(LinkKind("ftp://example.com/a.htm"), 2);
    // "://" further in is a query, not a scheme.
    EXPECT_EQ(LinkKind("a.cgi?u=http://x/b.gif"), 1);
    EXPECT_EQ(LinkKind("go.cgi?u=http://x"), -1);

    EXPECT_EQ(LinkKind("index.html"), 0);
    EXPECT_EQ(LinkKind("../INDEX.HTM"), 0);
    EXPECT_EQ(LinkKind("a.shtml"), 0);
    EXPECT_EQ(LinkKind("htm"), 0);

    EXPECT_EQ(LinkKind("img/a.gif"), 1);
    EXPECT_EQ(LinkKind("a.JPG"), 1);
    EXPECT_EQ(LinkKind("a.jpeg"), 1);
    EXPECT_EQ(LinkKind("a.png"), 1);

    // Only the last four characters count.
    EXPECT_EQ(LinkKind("a.html#top"), -1);
    EXPECT_EQ(LinkKind("a.gif.txt"), -1);
    EXPECT_EQ(LinkKind("a.bmp"), -1);
    EXPECT_EQ(LinkKind("mailto:a@b.jp"), -1);
    EXPECT_EQ(LinkKind(""), -1);
}

// LinkAtCaret on a tag placed at offset 100 of a document, caret given
// relative to the start of needle in the tag.
vesk::LinkAtCaretResult LinkNear(std::string_view tag, std::string_view needle, int delta) {
    constexpr int kTagStart = 100;
    const std::size_t at = tag.find(needle);
    EXPECT_NE(at, std::string_view::npos) << needle;
    return LinkAtCaret(tag, kTagStart, kTagStart + static_cast<int>(at) + delta);
}

TEST(LinkAtCaretTest, CaretMustBeStrictlyInsideTheValue) {
    const std::string tag = "<IMG SRC=\"img/a.gif\" ALT=\"x\">";
    const int first = 100 + static_cast<int>(tag.find("img/a.gif"));
    const int last = first + 8;

    EXPECT_EQ(LinkNear(tag, "img/a.gif", -1).kind, -2);  // in front of the quote
    EXPECT_EQ(LinkNear(tag, "img/a.gif", 0).kind, -2);   // in front of the first byte
    EXPECT_EQ(LinkNear(tag, "img/a.gif", 9).kind, -2);   // behind the last byte
    for (int delta : {1, 4, 8}) {
        const vesk::LinkAtCaretResult link = LinkNear(tag, "img/a.gif", delta);
        EXPECT_EQ(link.kind, 1) << delta;
        EXPECT_EQ(link.value, "img/a.gif");
        EXPECT_EQ(link.start, first);
        EXPECT_EQ(link.end, last);
    }
    EXPECT_TRUE(LinkNear(tag, "img/a.gif", 0).value.empty());
}

TEST(LinkAtCaretTest, UnquotedValues) {
    const std::string a = "<A HREF=b.html TARGET=_top>";
    const vesk::LinkAtCaretResult link = LinkNear(a, "b.html", 3);
    EXPECT_EQ(link.kind, 0);
    EXPECT_EQ(link.value, "b.html");
    EXPECT_EQ(link.end - link.start, 5);
    EXPECT_EQ(LinkNear(a, "b.html", 6).kind, -2);

    // The value runs up to the final ">".
    const std::string body = "<body background=bg.jpg>";
    EXPECT_EQ(LinkNear(body, "bg.jpg", 5).kind, 1);
    EXPECT_EQ(LinkNear(body, "bg.jpg", 5).value, "bg.jpg");
    EXPECT_EQ(LinkNear(body, ">", 0).kind, -2);
}

TEST(LinkAtCaretTest, SrcComesBeforeHrefAndBackground) {
    const std::string tag = "<EMBED HREF=\"x.html\" SRC=\"s.mid\">";
    EXPECT_EQ(LinkNear(tag, "x.html", 2).kind, -2);
    const vesk::LinkAtCaretResult src = LinkNear(tag, "s.mid", 2);
    EXPECT_EQ(src.value, "s.mid");
    EXPECT_EQ(src.kind, -1);

    const std::string td = "<TD BACKGROUND=\"t.gif\" HREF=\"h.htm\">";
    EXPECT_EQ(LinkNear(td, "h.htm", 2).value, "h.htm");
    EXPECT_EQ(LinkNear(td, "t.gif", 2).kind, -2);

    EXPECT_EQ(LinkNear("<P ALIGN=\"center\">", "center", 2).kind, -2);
}

TEST(LinkAtCaretTest, MultiByteValueOffsets) {
    const std::string tag = "<a title=\"日本\" href=\"資料/表.htm\">";
    const vesk::LinkAtCaretResult link = LinkNear(tag, "資料", 3);
    EXPECT_EQ(link.value, "資料/表.htm");
    EXPECT_EQ(link.kind, 0);
    EXPECT_EQ(link.start, 100 + static_cast<int>(tag.find("資料")));
    EXPECT_EQ(link.end - link.start + 1, static_cast<int>(std::string("資料/表.htm").size()));
}

TEST(AnchorNamesTest, NamesOfATagsInOrder) {
    const std::string text =
        "<html><a name=\"top\">t</a><p name=\"no\">"
        "<A HREF=\"#x\" NAME=Mid>m</A>\r\n<a href=\"x.html\">x</a>"
        "<area shape=rect name=\"zone\"><b>b</b><a\r\nname=\"end\">";
    const std::vector<std::string> expected = {"top", "Mid", "zone", "end"};
    EXPECT_EQ(AnchorNames(text), expected);
}

TEST(AnchorNamesTest, BrokenAndUnfinishedTags) {
    EXPECT_TRUE(AnchorNames("").empty());
    EXPECT_TRUE(AnchorNames("<a").empty());
    EXPECT_TRUE(AnchorNames("text <a name=\"x\"").empty());
    // A NAME that cannot be read is left out; the next tag is still read.
    const std::vector<std::string> expected = {"ok"};
    EXPECT_EQ(AnchorNames("<a name=\"a=b\"><a name=\"ok\">"), expected);
    EXPECT_EQ(AnchorNames("<a><<a name=ok>"), expected);
}

class LinkAtCaretViewTest : public ::testing::Test {
  protected:
    LinkAtCaretViewTest() : view(settings, &doc) { view.SetText(kText); }

    const CaretRecord& RefreshAt(std::string_view needle, int delta) {
        const std::size_t at = std::string_view(kText).find(needle);
        EXPECT_NE(at, std::string_view::npos) << needle;
        const int caret = static_cast<int>(at) + delta;
        view.Control().SetSel(caret, caret);
        RefreshTagAtCaret(view);
        RefreshLinkAtCaret(view);
        return view.linkAtCaret_;
    }
    static int OffsetOf(std::string_view needle) {
        return static_cast<int>(std::string_view(kText).find(needle));
    }

    static constexpr const char* kText =
        "<p>日本語\r\n</p><IMG SRC=\"img/写真.gif\" ALT=\"alt\">\r\n<a href=\"b.html\">b</a>";
    CAppSettings settings;
    CVeskHtmlDoc doc;
    CVeskHtmlView view;
};

TEST_F(LinkAtCaretViewTest, RecordsTheLinkAsDocumentOffsets) {
    const CaretRecord& image = RefreshAt("写真", 0);
    EXPECT_EQ(image.text, "img/写真.gif");
    EXPECT_EQ(image.kind, 1);
    EXPECT_EQ(image.start, OffsetOf("img/写真"));
    EXPECT_EQ(image.end, OffsetOf(".gif\"") + 3);

    const CaretRecord& page = RefreshAt("b.html", 2);
    EXPECT_EQ(page.text, "b.html");
    EXPECT_EQ(page.kind, 0);
    EXPECT_EQ(page.start, OffsetOf("b.html"));
}

TEST_F(LinkAtCaretViewTest, NoLinkClearsTheRecord) {
    ASSERT_EQ(RefreshAt("b.html", 2).kind, 0);
    // Outside any tag.
    const CaretRecord& text = RefreshAt("語", 0);
    EXPECT_EQ(text.kind, -2);
    EXPECT_TRUE(text.text.empty());
    // In a tag, but not in its link.
    ASSERT_EQ(RefreshAt("写真", 0).kind, 1);
    EXPECT_EQ(RefreshAt("alt", 1).kind, -2);
    EXPECT_TRUE(view.linkAtCaret_.text.empty());
    // In a tag without links.
    EXPECT_EQ(RefreshAt("p>日本", 1).kind, -2);
}

}  // namespace
