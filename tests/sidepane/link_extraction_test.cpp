// Links of a page as the link browser and the link checker list them.

#include "sidepane/link_extraction.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>

#include "sidepane/link_checker.h"
#include "sidepane/link_groups.h"
#include "support/test_env.h"

using namespace vesk;

namespace {

std::vector<std::string> Texts(const std::vector<LinkEntry>& entries) {
    std::vector<std::string> texts;
    for (const LinkEntry& entry : entries) texts.push_back(entry.text);
    return texts;
}

using Texts_ = std::vector<std::string>;

TEST(ExtractLinks, SortsHrefsIntoTheirLists) {
    const std::string page =
        "<a href=\"http://x.jp/a.htm\">x</a>"
        "<A HREF=\"page.htm\">p</A>"
        "<a href=\"page.htm#top\">t</a>"
        "<a href=\"#intro\">i</a>"
        "<a name=\"intro\">n</a>"
        "<a href=\"mailto:me@x.jp\">m</a>"
        "<a href=\"news.cgi?to=mailto:you@x.jp\">q</a>";
    const LinkLists links = ExtractLinks(page);
    EXPECT_EQ(Texts(links[kExternalLinks]), Texts_{"http://x.jp/a.htm"});
    EXPECT_EQ(Texts(links[kInternalLinks]), (Texts_{"page.htm", "page.htm"}));
    EXPECT_EQ(Texts(links[kAnchorLinks]), Texts_{"intro"});
    EXPECT_EQ(Texts(links[kAnchorNames]), Texts_{"intro"});
    // "mailto:" anywhere makes a mail link, and the first 7 bytes always go.
    EXPECT_EQ(Texts(links[kMailLinks]), (Texts_{"me@x.jp", "i?to=mailto:you@x.jp"}));
}

TEST(ExtractLinks, SplitsAnchorsByTheLastDotAndHash) {
    const LinkLists links = ExtractLinks(
        "<a href=\"img.old/page#x\">1</a><a href=\"page#x.y\">2</a><a href=\"#\">3</a>");
    EXPECT_EQ(Texts(links[kInternalLinks]), (Texts_{"img.old/page", "page#x.y"}));
    EXPECT_EQ(Texts(links[kAnchorLinks]), Texts_{""});
}

TEST(ExtractLinks, PositionsPointIntoTheText) {
    const std::string page =
        "<p>\r\n<a href=\"dir/a.html#s\">a</a><IMG SRC=b.gif><a\r\nhref=\"#k\">";
    const LinkLists links = ExtractLinks(page);
    ASSERT_EQ(links[kInternalLinks].size(), 1u);
    const LinkEntry& file = links[kInternalLinks][0];
    // The file part ends where "dir/a.html" ends, not at the anchor.
    EXPECT_EQ(page.substr(file.start, file.end - file.start + 1), "dir/a.html");
    const LinkEntry& image = links[kInlineLinks].at(0);
    EXPECT_EQ(page.substr(image.start, image.end - image.start + 1), "b.gif");
    const LinkEntry& anchor = links[kAnchorLinks].at(0);
    EXPECT_EQ(page.substr(anchor.start, anchor.end - anchor.start + 1), "#k");
}

TEST(ExtractLinks, AreaImgAndEmbedTags) {
    const LinkLists links = ExtractLinks(
        "<map name=m><area shape=rect coords=\"0,0,1,1\" href=\"area.html\"></map>"
        "<img src=\"a.png\"><embed src=\"movie.swf\" width=10><IMG ALT=x>");
    EXPECT_EQ(Texts(links[kInternalLinks]), Texts_{"area.html"});
    EXPECT_EQ(Texts(links[kInlineLinks]), (Texts_{"a.png", "movie.swf"}));
}

TEST(ExtractLinks, StrayBracketsAndUnclosedTags) {
    // A tag holding another "<" is not listed; the search goes on behind its ">".
    LinkLists links = ExtractLinks("<a href=\"x.htm\" <b>y</b><a href=\"z.htm\">");
    EXPECT_EQ(Texts(links[kInternalLinks]), Texts_{"z.htm"});
    // Without a ">" nothing more of that kind is found, but other kinds still are.
    links = ExtractLinks("<img src=a.gif><a href=\"x.htm\"<img src=b.gif");
    EXPECT_TRUE(links[kInternalLinks].empty());
    EXPECT_EQ(Texts(links[kInlineLinks]), Texts_{"a.gif"});
    EXPECT_TRUE(ExtractLinks("").Empty());
    EXPECT_TRUE(ExtractLinks("<a").Empty());
}

// ---- Groups, codes and selection kinds ---------------------------------------------------

PathExists Existing(std::set<std::string> paths) {
    return [paths](const std::string& path) { return paths.count(path) > 0; };
}

TEST(LinkGroups, OrderCodesAndSorting) {
    const LinkLists links = ExtractLinks(
        "<a href=\"mailto:a@b.jp\">m</a><a href=\"http://x.jp/\">e</a>"
        "<a href=\"b.html\">b</a><a href=\"A.html\">a</a><a href=\"gone.html\">g</a>"
        "<a href=\"#top\">t</a><a href=\"#TOP\">T</a><a name=\"top\">"
        "<img src=\"img/here.gif\"><img src=\"img/lost.gif\"><img src=\"http://x.jp/p.gif\">");
    const auto groups =
        BuildLinkGroups(links, "/site/index.html",
                        Existing({"/site/b.html", "/site/A.html", "/site/img/here.gif"}));
    ASSERT_EQ(groups.size(), 5u);
    EXPECT_EQ(groups[0].list, kInlineLinks);
    EXPECT_EQ(groups[1].list, kAnchorLinks);
    EXPECT_EQ(groups[2].list, kInternalLinks);
    EXPECT_EQ(groups[3].list, kExternalLinks);
    EXPECT_EQ(groups[4].list, kMailLinks);

    auto listed = [&links](const LinkTreeGroup& group) {
        std::vector<std::pair<std::string, int>> items;
        for (const LinkTreeItem& item : group.items)
            items.emplace_back(links[group.list][item.index].text, item.code);
        return items;
    };
    using Items = std::vector<std::pair<std::string, int>>;
    // A picture on another site cannot be checked and is not marked missing.
    EXPECT_EQ(listed(groups[0]), (Items{{"http://x.jp/p.gif", kCodeInline},
                                        {"img/here.gif", kCodeInline},
                                        {"img/lost.gif", kCodeInlineMissing}}));
    // Anchors match their names exactly, case included; equal but for case, capitals go first.
    EXPECT_EQ(listed(groups[1]), (Items{{"TOP", kCodeAnchorMissing}, {"top", kCodeAnchor}}));
    EXPECT_EQ(listed(groups[2]), (Items{{"A.html", kCodeInternal},
                                        {"b.html", kCodeInternal},
                                        {"gone.html", kCodeInternalMissing}}));
    EXPECT_EQ(listed(groups[3]), (Items{{"http://x.jp/", kCodeExternal}}));
    EXPECT_EQ(listed(groups[4]), (Items{{"a@b.jp", kCodeMail}}));

    // An untitled document has no folder to find files in.
    const auto untitled = BuildLinkGroups(links, "", [](const std::string&) { return true; });
    EXPECT_EQ(untitled[2].items[0].code, kCodeInternalMissing);
}

TEST(LinkGroups, SelectionKinds) {
    const PathExists exists = Existing({"/s/a.HTML", "/s/p.PNG", "/s/d.txt"});
    EXPECT_EQ(SelectLink(kCodeInternal, "a.HTML", "/s/i.html", exists).kind, 0);
    EXPECT_EQ(SelectLink(kCodeInternal, "a.HTML", "/s/i.html", exists).path, "/s/a.HTML");
    EXPECT_EQ(SelectLink(kCodeInline, "p.PNG", "/s/i.html", exists).kind, 1);
    EXPECT_EQ(SelectLink(kCodeInternal, "d.txt", "/s/i.html", exists).kind, 4);
    EXPECT_EQ(SelectLink(kCodeExternal, "http://x/", "/s/i.html", exists).kind, 2);
    EXPECT_EQ(SelectLink(kCodeAnchor, "top", "/s/i.html", exists).kind, 3);
    // Deleted since the tree was built.
    EXPECT_EQ(SelectLink(kCodeInternal, "gone.html", "/s/i.html", exists).kind, 6);
    for (int code : {kCodeInlineMissing, kCodeInternalMissing, kCodeAnchorMissing})
        EXPECT_EQ(SelectLink(code, "x", "/s/i.html", exists).kind, 7);
    const LinkSelection mail = SelectLink(kCodeMail, "a@b.jp", "/s/i.html", exists);
    EXPECT_EQ(mail.kind, 2);
    EXPECT_EQ(mail.path, "mailto:a@b.jp");
}

TEST(LinkGroups, FileKindByExtension) {
    EXPECT_EQ(FileKindByExtension("/a/b.SHTML"), 0);
    EXPECT_EQ(FileKindByExtension("/a/b.jpeg"), 1);
    EXPECT_EQ(FileKindByExtension("/a/b.BMP"), 1);
    EXPECT_EQ(FileKindByExtension("/a/b.jpe"), 4);
    EXPECT_EQ(FileKindByExtension("/a.htm/readme"), 4);
}

// ---- The checker ----------------------------------------------------------------------

struct CheckRun {
    int status;
    std::string out;
    std::string err;
};

CheckRun Check(const std::vector<std::string>& files) {
    std::ostringstream out, err;
    const int status = RunLinkCheck(files, out, err);
    return {status, out.str(), err.str()};
}

TEST(LinkChecker, PrintsEveryLinkInTreeOrderWithExitStatus) {
    const QString folder = vesk::test::MakeTempDir();
    vesk::test::WriteTestFile(folder + "/img/画像.gif", "GIF89a");
    vesk::test::WriteTestFile(folder + "/sub/b.html", "<a href=\"../index.html\">up</a>");
    const std::string page = (folder + "/index.html").toStdString();
    // Shift-JIS bytes and LF breaks: the text is read as the editor opens it.
    vesk::test::WriteTestFile(folder + "/index.html",
                              "<a href=\"sub/b.html#x\">\x83\x54\x83\x75</a>\n"
                              "<img src=\"img/\x89\xe6\x91\x9c.gif\"><img src=\"img/z.gif\">\n"
                              "<a href=\"#none\">n</a><a href=\"mailto:m@x.jp\">m</a>\n");
    const CheckRun run = Check({page});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, page + "\tinline\tmissing\timg/z.gif\n" + page +
                           "\tinline\tok\timg/画像.gif\n" + page + "\tanchor\tmissing\tnone\n" +
                           page + "\tinternal\tok\tsub/b.html\n" + page + "\tmail\tok\tm@x.jp\n");

    const std::string clean = (folder + "/sub/b.html").toStdString();
    EXPECT_EQ(Check({clean}).status, 0);
    // An unreadable file wins over missing links, and the others are still checked.
    const CheckRun mixed = Check({page, (folder + "/nothing.html").toStdString(), clean});
    EXPECT_EQ(mixed.status, 2);
    EXPECT_NE(mixed.err.find("nothing.html"), std::string::npos);
    EXPECT_NE(mixed.out.find(clean + "\tinternal\tok\t../index.html\n"), std::string::npos);
}

}  // namespace
