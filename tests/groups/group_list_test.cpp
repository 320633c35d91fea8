// Group names, page titles, shown paths, and sorting open documents into groups.

#include "groups/group_list.h"

#include <gtest/gtest.h>

using namespace vesk::groups;

TEST(GroupNameTest, NamesMustBeNonEmptyAndUniqueByteForByte) {
    CFileGroup list;
    list.AddGroup("Site");
    list.AddGroup("サイト");
    EXPECT_EQ(CheckGroupName(list, ""), NameProblem::Empty);
    EXPECT_EQ(CheckGroupName(list, "Site"), NameProblem::Taken);
    EXPECT_EQ(CheckGroupName(list, "サイト"), NameProblem::Taken);
    // Case and trailing blanks make a different name.
    EXPECT_EQ(CheckGroupName(list, "site"), NameProblem::None);
    EXPECT_EQ(CheckGroupName(list, "Site "), NameProblem::None);
    EXPECT_EQ(CheckGroupName(list, " "), NameProblem::None);
}

TEST(PageTitleTest, TitleIsFoundInAnyCaseWithinTheFirst500Bytes) {
    EXPECT_EQ(TitleFromHead("<html><TITLE>Top</TITLE>"), "Top");
    EXPECT_EQ(TitleFromHead("<head><title>a b</Title></head>"), "a b");
    EXPECT_EQ(TitleFromHead("<TiTlE></tItLe>"), "");
    EXPECT_EQ(TitleFromHead("<title>no end"), "");
    EXPECT_EQ(TitleFromHead("</title><title>"), "");
    EXPECT_EQ(TitleFromHead("<titl"), "");
    EXPECT_EQ(TitleFromHead(""), "");

    // The closing tag must end inside the window.
    const std::string pad(480, ' ');
    EXPECT_EQ(TitleFromHead(pad + "<title>x</title>"), "x");  // ends at byte 496
    EXPECT_EQ(TitleFromHead(pad + "<title>abcdefgh</title>"), "");
    EXPECT_EQ(TitleFromHead(std::string(500, ' ') + "<title>x</title>"), "");
}

TEST(PageTitleTest, TitlesAreDecodedToUtf8) {
    EXPECT_EQ(TitleFromHead("<title>日本語</title>"), "日本語");
    // Shift-JIS without a declaration, and EUC-JP as the page declares it.
    EXPECT_EQ(TitleFromHead("<title>\x93\xfa\x96\x7b\x8c\xea</title>"), "日本語");
    EXPECT_EQ(TitleFromHead("<meta http-equiv=\"Content-Type\" content=\"text/html; "
                            "charset=EUC-JP\"><title>\xc6\xfc\xcb\xdc</title>"),
              "日本");
}

namespace {

struct CloseFixture {
    // a1, a2, b1 belong to groups A and B; x to none; a3 belongs to A too.
    std::vector<OpenDocumentInfo> documents{{"/a1", true},  {"/x", true},  {"/b1", false},
                                            {"/a2", false}, {"/a3", true}, {"", true}};
    std::vector<OpenGroupDocuments> groups = CollectOpenGroups(documents, [](const std::string& p) {
        if (p.rfind("/a", 0) == 0)
            return std::string("A");
        if (p.rfind("/b", 0) == 0)
            return std::string("B");
        return std::string();
    });
};

}  // namespace

TEST(CloseGroupsTest, DocumentsAreCollectedPerGroupInTheOrderMet) {
    CloseFixture f;
    ASSERT_EQ(f.groups.size(), 2u);
    EXPECT_EQ(f.groups[0].name, "A");
    EXPECT_EQ(f.groups[0].documents, (std::vector<int>{0, 3, 4}));
    EXPECT_EQ(f.groups[0].openedByGroup, 2);
    EXPECT_EQ(f.groups[0].openedAlone, 1);
    EXPECT_EQ(f.groups[1].name, "B");
    EXPECT_EQ(f.groups[1].documents, (std::vector<int>{2}));
    EXPECT_EQ(f.groups[1].openedByGroup, 0);
}
