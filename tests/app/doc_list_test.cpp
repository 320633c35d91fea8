// Lines of the document list bar.

#include "app/doc_list.h"

#include <gtest/gtest.h>

namespace {

TEST(FormatDocumentLine, ItemsSettingChoosesGroupAndTitle) {
    EXPECT_EQ(FormatDocumentLine("C:\\web\\index.htm", "Top", "site", 3),
              "C: /web /index.htm  [ site ]  -Top-");
    EXPECT_EQ(FormatDocumentLine("/home/u/a.html", "Top", "site", 1), "/home/u/a.html -Top-");
    EXPECT_EQ(FormatDocumentLine("/home/u/a.html", "Top", "site", 0), "/home/u/a.html");
    // A document in no group still shows the brackets.
    EXPECT_EQ(FormatDocumentLine("/a.html", "Top", "", 2), "/a.html  [  ] ");
    // An empty title adds nothing.
    EXPECT_EQ(FormatDocumentLine("無題のﾌｧｲﾙ", "", "", 1), "無題のﾌｧｲﾙ");
}

TEST(PageTitleOf, FirstTitleInAnyCase) {
    EXPECT_EQ(PageTitleOf("<html><Title>Top page</TITLE><title>x</title>"), "Top page");
    EXPECT_EQ(PageTitleOf("<TITLE></TITLE>"), "");
    EXPECT_EQ(PageTitleOf("<p>no title</p>"), "");
    EXPECT_EQ(PageTitleOf("<TITLE>open only"), "");
    // A closing tag before the opening one is not the title's end.
    EXPECT_EQ(PageTitleOf("</title><title>T</title>"), "T");
    EXPECT_EQ(PageTitleOf("x</title><title>"), "");
}

}  // namespace
