// File groups: list operations, the bytes of the list file, damaged files,
// and loading and saving in UsersData.

#include "groups/file_group.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QFileInfo>
#include <string>

#include "platform/program_folders.h"
#include "support/test_env.h"

namespace {

std::string Bytes(std::initializer_list<int> values) {
    std::string out;
    for (int v : values) {
        out.push_back(static_cast<char>(v));
    }
    return out;
}

// Points UsersData at a folder of its own (not yet created) for one test.
class ScopedUsersData {
  public:
    ScopedUsersData() : old_(qgetenv("VESKHTML_DATA_DIR")) {
        folder_ = vesk::test::MakeTempDir() + "/nested/UsersData";
        qputenv("VESKHTML_DATA_DIR", folder_.toUtf8());
    }
    ~ScopedUsersData() { qputenv("VESKHTML_DATA_DIR", old_); }
    const QString& Folder() const { return folder_; }

  private:
    QByteArray old_;
    QString folder_;
};

CFileGroup SampleList() {
    CFileGroup list;
    list.AddFiles(list.AddGroup("site"), {"/home/u/web/index.html", "/home/u/web/日本語.htm"});
    list.AddGroup("empty");
    list.AddFiles(list.AddGroup("long"), {std::string(300, 'p'), "", "/tmp/b"});
    return list;
}

TEST(FileGroupTest, OperationsKeepOrderAndSkipDuplicates) {
    CFileGroup list;
    EXPECT_EQ(list.AddGroup("a"), 0);
    EXPECT_EQ(list.AddGroup("b"), 1);
    EXPECT_EQ(list.AddGroup("c"), 2);

    EXPECT_EQ(list.AddFiles(1, {"/x/1.htm", "/x/2.htm"}), 2);
    // Already present, repeated in the same call, and differing only in case.
    EXPECT_EQ(list.AddFiles(1, {"/x/2.htm", "/x/3.htm", "/x/3.htm", "/X/1.htm"}), 2);
    EXPECT_EQ(list.At(1).files,
              (std::vector<std::string>{"/x/1.htm", "/x/2.htm", "/x/3.htm", "/X/1.htm"}));
    // The same file may sit in two groups.
    EXPECT_EQ(list.AddFiles(2, {"/x/1.htm"}), 1);

    list.RenameGroup(0, "A");
    list.DeleteGroup(2);
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.At(0).name, "A");
    EXPECT_EQ(list.FindGroup("b"), 1);
    EXPECT_EQ(list.FindGroup("c"), -1);
    EXPECT_EQ(list.FindGroup("a"), -1);  // names compare case-sensitively

    list.BlankFile(1, 0);
    list.BlankFile(1, 2);
    EXPECT_EQ(list.At(1).files.size(), 4u);  // blanking alone removes nothing
    list.RemoveBlankFiles(1);
    EXPECT_EQ(list.At(1).files, (std::vector<std::string>{"/x/2.htm", "/X/1.htm"}));

    // Indexes that do not exist change nothing.
    const std::string before = list.Serialize();
    list.DeleteGroup(-1);
    list.BlankFile(1, 9);
    EXPECT_EQ(list.AddFiles(2, {"/y"}), 0);
    EXPECT_EQ(list.Serialize(), before);
}

TEST(FileGroupTest, SerializesTheDocumentedExample) {
    CFileGroup list;
    list.AddFiles(list.AddGroup("web"), {"C:\\a.htm", "C:\\b.htm"});
    const std::string expected = Bytes({0x01, 0x00, 0x00, 0x00, 0x03}) + "web" +
                                 Bytes({0x02, 0x00, 0x08}) + "C:\\a.htm" + Bytes({0x08}) +
                                 "C:\\b.htm";
    EXPECT_EQ(list.Serialize(), expected);
}

TEST(FileGroupTest, LongPathsAndLargeCountsUseTheWideForms) {
    CFileGroup list;
    const int group = list.AddGroup("g");
    const std::string longPath = "/" + std::string(299, 'd');
    list.AddFiles(group, {longPath});
    EXPECT_EQ(list.Serialize(),
              Bytes({0x01, 0x00, 0x00, 0x00, 0x01, 'g', 0x01, 0x00, 0xFF, 0x2C, 0x01}) + longPath);

    // 65535 paths no longer fit the 16-bit count.
    std::vector<std::string> paths;
    for (int i = 0; i < 65534; ++i) {
        paths.push_back("/" + std::to_string(i));
    }
    paths.push_back("/last");
    CFileGroup many;
    many.AddFiles(many.AddGroup("m"), paths);
    const std::string bytes = many.Serialize();
    EXPECT_EQ(bytes.substr(6, 6), Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}));
    CFileGroup back;
    ASSERT_TRUE(back.Deserialize(bytes));
    ASSERT_EQ(back.At(0).files.size(), 65535u);
    EXPECT_EQ(back.At(0).files.back(), "/last");
    EXPECT_EQ(back.At(0).files[1234], "/1234");
}

TEST(FileGroupTest, EveryTruncationIsDamagedAndLeavesTheListEmpty) {
    const std::string bytes = SampleList().Serialize();
    for (std::size_t n = 0; n < bytes.size(); ++n) {
        CFileGroup list = SampleList();
        EXPECT_FALSE(list.Deserialize(std::string_view(bytes).substr(0, n))) << n;
        EXPECT_EQ(list.Count(), 0) << n;
    }
}

TEST(FileGroupTest, AbsurdCountsAndTrailingBytesAreDamaged) {
    const std::string damaged[] = {
        // Four billion groups in ten bytes.
        Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}),
        // One group claiming four billion paths.
        Bytes({0x01, 0x00, 0x00, 0x00, 0x01, 'g', 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00}),
        // A complete list followed by a stray byte.
        CFileGroup().Serialize() + "x",
        SampleList().Serialize() + std::string(1, '\0'),
    };
    for (const std::string& bytes : damaged) {
        SCOPED_TRACE(testing::PrintToString(bytes.substr(0, 16)));
        CFileGroup list = SampleList();
        EXPECT_FALSE(list.Deserialize(bytes));
        EXPECT_EQ(list.Count(), 0);
    }
}

TEST(FileGroupTest, SaveCreatesUsersDataAndLoadReadsItBack) {
    ScopedUsersData data;
    ASSERT_FALSE(QFileInfo::exists(data.Folder()));
    const CFileGroup list = SampleList();
    QString error;
    ASSERT_TRUE(list.Save("filelst.vkd", &error)) << error.toStdString();
    EXPECT_EQ(vesk::test::ReadTestFile(data.Folder() + "/filelst.vkd"), list.Serialize());

    CFileGroup back;
    back.AddGroup("stale");
    EXPECT_EQ(back.Load("filelst.vkd"), CFileGroup::LoadStatus::Loaded);
    EXPECT_EQ(back.Serialize(), list.Serialize());

    // Saving again replaces the file rather than appending to it.
    CFileGroup smaller;
    smaller.AddGroup("only");
    ASSERT_TRUE(smaller.Save("filelst.vkd"));
    EXPECT_EQ(vesk::test::ReadTestFile(data.Folder() + "/filelst.vkd"), smaller.Serialize());
}

TEST(FileGroupTest, LoadReportsMissingAndDamagedFilesWithAnEmptyList) {
    ScopedUsersData data;
    CFileGroup list = SampleList();
    EXPECT_EQ(list.Load("filelst.vkd"), CFileGroup::LoadStatus::Missing);
    EXPECT_EQ(list.Count(), 0);
    EXPECT_FALSE(QFileInfo::exists(data.Folder()));  // loading creates nothing

    const std::string bytes = SampleList().Serialize();
    vesk::test::WriteTestFile(data.Folder() + "/filelst.vkd", bytes.substr(0, bytes.size() - 1));
    list = SampleList();
    EXPECT_EQ(list.Load("filelst.vkd"), CFileGroup::LoadStatus::Damaged);
    EXPECT_EQ(list.Count(), 0);
}

TEST(FileGroupTest, FindGroupOfFileNamesTheFirstGroupHoldingExactlyThePath) {
    ScopedUsersData data;
    EXPECT_EQ(FindGroupOfFile("/w/a.htm"), "");  // no list file at all

    CFileGroup list;
    list.AddFiles(list.AddGroup("other"), {"/w/b.htm"});
    list.AddFiles(list.AddGroup("first"), {"/w/c.htm", "/w/a.htm"});
    list.AddFiles(list.AddGroup("second"), {"/w/a.htm"});
    ASSERT_TRUE(list.Save("filelst.vkd"));

    EXPECT_EQ(FindGroupOfFile("/w/a.htm"), "first");
    EXPECT_EQ(FindGroupOfFile("/w/b.htm"), "other");
    EXPECT_EQ(FindGroupOfFile("/w/a.ht"), "");
    EXPECT_EQ(FindGroupOfFile("/W/a.htm"), "");
    // Other list files in UsersData are not consulted.
    CFileGroup previous;
    previous.AddFiles(previous.AddGroup("default"), {"/w/z.htm"});
    ASSERT_TRUE(previous.Save("orgflst.vkd"));
    EXPECT_EQ(FindGroupOfFile("/w/z.htm"), "");
}

TEST(ProgramFoldersTest, UsersDataFollowsTheOverrideElseSitsBesideTheProgram) {
    ScopedUsersData data;
    EXPECT_EQ(vesk::UsersDataFolder(), data.Folder());
    EXPECT_EQ(vesk::UsersDataFile("filelst.vkd"), data.Folder() + "/filelst.vkd");
    EXPECT_TRUE(vesk::EnsureUsersDataFolder());
    EXPECT_TRUE(QFileInfo(data.Folder()).isDir());

    // Without the override: beside the executable, whose build folder is writable.
    qunsetenv("VESKHTML_DATA_DIR");
    EXPECT_EQ(vesk::UsersDataFolder(), vesk::ProgramFolder() + "/UsersData");
}

}  // namespace
