// Relative references between a page and its files, with Windows-style and
// native paths.

#include "tags/relative_paths.h"

#include <gtest/gtest.h>

namespace {

using vesk::FileNamePart;
using vesk::RelativeFolderPrefix;
using vesk::RelativeReference;
using vesk::ResolveLink;

constexpr char kWin = '\\';

TEST(RelativeReferenceTest, WindowsPaths) {
    EXPECT_EQ(RelativeFolderPrefix("C:\\web\\a.gif", "C:\\web\\index.html", kWin), "./");
    EXPECT_EQ(RelativeReference("C:\\web\\a.gif", "C:\\web\\index.html", kWin), "./a.gif");
    EXPECT_EQ(RelativeReference("C:\\web\\img\\sub\\a.gif", "C:\\web\\index.html", kWin),
              "./img/sub/a.gif");
    EXPECT_EQ(RelativeReference("C:\\web\\img\\a.gif", "C:\\web\\doc\\index.html", kWin),
              "../img/a.gif");
    EXPECT_EQ(RelativeReference("C:\\web\\a.gif", "C:\\web\\doc\\x\\index.html", kWin),
              "../../a.gif");
}

TEST(RelativeReferenceTest, WindowsPathsWithoutCommonFolder) {
    // Another drive, or the same drive written in another case: the bare name.
    EXPECT_EQ(RelativeFolderPrefix("D:\\web\\a.gif", "C:\\web\\index.html", kWin), "");
    EXPECT_EQ(RelativeReference("D:\\web\\a.gif", "C:\\web\\index.html", kWin), "a.gif");
    EXPECT_EQ(RelativeFolderPrefix("C:\\web\\a.gif", "c:\\web\\index.html", kWin), "");
    EXPECT_EQ(RelativeReference("C:\\web\\a.gif", "c:\\web\\index.html", kWin), "a.gif");
    // Untitled document.
    EXPECT_EQ(RelativeFolderPrefix("C:\\web\\a.gif", "", kWin), "");
    EXPECT_EQ(RelativeFolderPrefix("", "C:\\web\\index.html", kWin), "");
    // Folder names compare with case.
    EXPECT_EQ(RelativeReference("C:\\Web\\a.gif", "C:\\web\\index.html", kWin), "../Web/a.gif");
}

TEST(RelativeReferenceTest, NativePaths) {
    EXPECT_EQ(RelativeReference("/home/u/web/a.gif", "/home/u/web/index.html"), "./a.gif");
    EXPECT_EQ(RelativeReference("/home/u/web/img/a.gif", "/home/u/web/index.html"), "./img/a.gif");
    EXPECT_EQ(RelativeReference("/home/u/web/img/sub/a.gif", "/home/u/web/index.html"),
              "./img/sub/a.gif");
    EXPECT_EQ(RelativeReference("/home/u/web/img/a.gif", "/home/u/web/doc/index.html"),
              "../img/a.gif");
    EXPECT_EQ(RelativeReference("/home/u/web/a.gif", "/home/u/web/doc/x/index.html"),
              "../../a.gif");
    // The root is shared by every absolute path, so a relative form always exists.
    EXPECT_EQ(RelativeReference("/srv/img/a.gif", "/home/u/index.html"), "../../srv/img/a.gif");
    EXPECT_EQ(RelativeReference("/a.gif", "/index.html"), "./a.gif");
    EXPECT_EQ(RelativeReference("/home/U/a.gif", "/home/u/index.html"), "../U/a.gif");
    EXPECT_EQ(RelativeFolderPrefix("/home/u/a.gif", ""), "");
    // Bare names have no folder to relate.
    EXPECT_EQ(RelativeFolderPrefix("a.gif", "/home/u/index.html"), "");
    EXPECT_EQ(RelativeReference("a.gif", "/home/u/index.html"), "a.gif");
}

TEST(RelativeReferenceTest, FileNamePart) {
    EXPECT_EQ(FileNamePart("C:\\", kWin), "C:\\");
    EXPECT_EQ(FileNamePart("a.gif", kWin), "a.gif");
    EXPECT_EQ(FileNamePart("C:\\web\\img\\a.gif", kWin), "a.gif");
    EXPECT_EQ(FileNamePart("C:\\web\\", kWin), "C:\\web\\");
    EXPECT_EQ(FileNamePart("\\a.gif", kWin), "\\a.gif");
    EXPECT_EQ(FileNamePart("", kWin), "");
    // The other separator is part of the name.
    EXPECT_EQ(FileNamePart("C:\\web/a.gif", kWin), "web/a.gif");

    EXPECT_EQ(FileNamePart("/home/u/a.gif"), "a.gif");
    EXPECT_EQ(FileNamePart("/a.gif"), "a.gif");
    EXPECT_EQ(FileNamePart("/"), "/");
    EXPECT_EQ(FileNamePart("/home/u/"), "/home/u/");
    EXPECT_EQ(FileNamePart("a.gif"), "a.gif");
    EXPECT_EQ(FileNamePart(""), "");
}

TEST(ResolveLinkTest, WindowsPaths) {
    EXPECT_EQ(ResolveLink("img/a.gif", "C:\\web\\index.html", kWin), "C:\\web\\img\\a.gif");
    EXPECT_EQ(ResolveLink("./a.gif", "C:\\web\\index.html", kWin), "C:\\web\\a.gif");
    EXPECT_EQ(ResolveLink("/a.gif", "C:\\web\\index.html", kWin), "C:\\web\\a.gif");
    EXPECT_EQ(ResolveLink("../b.html", "C:\\web\\doc\\index.html", kWin), "C:\\web\\b.html");
    EXPECT_EQ(ResolveLink("../../img/a.gif", "C:\\web\\doc\\x\\index.html", kWin),
              "C:\\web\\img\\a.gif");
    // A "../" in the middle counts like a leading one.
    EXPECT_EQ(ResolveLink("x/../y.html", "C:\\web\\doc\\index.html", kWin), "C:\\web\\x\\y.html");
    EXPECT_EQ(ResolveLink("../a.gif", "C:\\web\\index.html", kWin), "C:\\a.gif");
}

TEST(ResolveLinkTest, WindowsPathsWithoutResult) {
    EXPECT_EQ(ResolveLink("", "C:\\web\\index.html", kWin), "");
    EXPECT_EQ(ResolveLink("a.gif", "", kWin), "");
    // More "../" than levels below the drive.
    EXPECT_EQ(ResolveLink("../../a.gif", "C:\\web\\index.html", kWin), "");
    EXPECT_EQ(ResolveLink("../../../a.gif", "C:\\web\\index.html", kWin), "");
}

TEST(ResolveLinkTest, NativePaths) {
    EXPECT_EQ(ResolveLink("img/a.gif", "/home/u/web/index.html"), "/home/u/web/img/a.gif");
    EXPECT_EQ(ResolveLink("./a.gif", "/home/u/web/index.html"), "/home/u/web/a.gif");
    EXPECT_EQ(ResolveLink("/a.gif", "/home/u/web/index.html"), "/home/u/web/a.gif");
    EXPECT_EQ(ResolveLink("../b.html", "/home/u/web/doc/index.html"), "/home/u/web/b.html");
    EXPECT_EQ(ResolveLink("../../img/a.gif", "/home/u/web/doc/x/index.html"),
              "/home/u/web/img/a.gif");
    EXPECT_EQ(ResolveLink("x/../y.html", "/home/u/web/doc/index.html"), "/home/u/web/x/y.html");
    // Backslashes are ordinary characters in native names.
    EXPECT_EQ(ResolveLink("a\\b.gif", "/home/u/index.html"), "/home/u/a\\b.gif");
    // Up to the root is allowed, beyond it is not.
    EXPECT_EQ(ResolveLink("../../a.gif", "/home/u/index.html"), "/a.gif");
    EXPECT_EQ(ResolveLink("../../a.gif", "/home/index.html"), "");
    EXPECT_EQ(ResolveLink("../a.gif", "/index.html"), "");
    EXPECT_EQ(ResolveLink("", "/home/u/index.html"), "");
    EXPECT_EQ(ResolveLink("a.gif", ""), "");
    EXPECT_EQ(ResolveLink("a.gif", "index.html"), "");
}

TEST(ResolveLinkTest, RoundTripsRelativeReferences) {
    const char* const targets[] = {"/home/u/web/a.gif", "/home/u/web/img/sub/a.gif",
                                   "/home/u/b.html", "/srv/x.png"};
    for (const char* target : targets) {
        for (const char* base : {"/home/u/web/index.html", "/home/u/web/doc/x/index.html"}) {
            EXPECT_EQ(ResolveLink(RelativeReference(target, base), base), target)
                << target << " from " << base;
        }
    }
}

}  // namespace
