#include "platform/trash.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include "support/scratch_volume.h"
#include "support/seams.h"
#include "support/test_env.h"

namespace vesk {
namespace {

using test::MakeTempDir;
using test::ReadTestFile;
using test::WriteTestFile;

QStringList Entries(const QString& dir) {
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

// The real trash, a home of its own without ~/.local/share, and a working folder of its own
// that must stay empty.
class TrashTest : public ::testing::Test {
  protected:
    void SetUp() override {
        trash_seam::ClearScript();
        savedHome_ = qgetenv("HOME");
        savedData_ = qgetenv("XDG_DATA_HOME");
        savedWorking_ = QDir::currentPath();
        home_ = MakeTempDir();
        working_ = MakeTempDir();
        qputenv("HOME", home_.toUtf8());
        qunsetenv("XDG_DATA_HOME");
        QDir::setCurrent(working_);
    }
    void TearDown() override {
        QDir::setCurrent(savedWorking_);
        qputenv("HOME", savedHome_);
        if (savedData_.isEmpty())
            qunsetenv("XDG_DATA_HOME");
        else
            qputenv("XDG_DATA_HOME", savedData_);
        test::InstallNonBlockingSeams();
    }
    QString home_, working_;

  private:
    QByteArray savedHome_, savedData_;
    QString savedWorking_;
};

TEST_F(TrashTest, HomeTrashIsMadeWhereMissing) {
    const QString site = MakeTempDir();
    const QString page = WriteTestFile(site + "/ページ 1.html", "<p>");
    WriteTestFile(site + "/again/ページ 1.html", "<p>again");

    const TrashResult first = MoveToTrash(page);
    ASSERT_TRUE(first.ok) << first.error.toStdString();
    const TrashResult second = MoveToTrash(site + "/again/ページ 1.html");
    ASSERT_TRUE(second.ok) << second.error.toStdString();

    EXPECT_FALSE(QFileInfo::exists(page));
    EXPECT_TRUE(Entries(working_).isEmpty()) << Entries(working_).join(' ').toStdString();
    const QString trash = home_ + "/.local/share/Trash";
    EXPECT_EQ(Entries(trash + "/files"), (QStringList{"ページ 1.2.html", "ページ 1.html"}));
    EXPECT_EQ(ReadTestFile(trash + "/files/ページ 1.html"), "<p>");
    const std::string info = ReadTestFile(trash + "/info/ページ 1.html.trashinfo");
    EXPECT_EQ(info.rfind("[Trash Info]\nPath=", 0), 0u) << info;
    EXPECT_NE(info.find(QUrl::toPercentEncoding(page, "/").toStdString()), std::string::npos);
    EXPECT_NE(info.find("\nDeletionDate=20"), std::string::npos);
}

TEST_F(TrashTest, AnotherVolumeUsesItsOwnTrashOrNone) {
    test::ScratchVolume volume(256 * 1024);
    VESK_REQUIRE_VOLUME(volume);
    const QString page = WriteTestFile(volume.Path() + "/site/a.html", "<p>");
    const TrashResult moved = MoveToTrash(page);
    ASSERT_TRUE(moved.ok) << moved.error.toStdString();
    const QString trash = volume.Path() + "/.Trash-" + QString::number(::geteuid());
    EXPECT_EQ(ReadTestFile(trash + "/files/a.html"), "<p>");
    // Stored relative to the volume's top, so the trash still works mounted elsewhere.
    EXPECT_EQ(
        ReadTestFile(trash + "/info/a.html.trashinfo").rfind("[Trash Info]\nPath=site/a.html\n", 0),
        0u);
    EXPECT_FALSE(QFileInfo::exists(home_ + "/.local"));

    // A volume that takes nothing: the file stays, and the user is told why.
    const QString kept = WriteTestFile(volume.Path() + "/b.html", "<p>b");
    ASSERT_TRUE(volume.MakeReadOnly());
    const TrashResult refused = MoveToTrash(kept);
    EXPECT_FALSE(refused.ok);
    EXPECT_FALSE(refused.error.isEmpty());
    EXPECT_EQ(ReadTestFile(kept), "<p>b");
    EXPECT_TRUE(Entries(working_).isEmpty());
}

}  // namespace
}  // namespace vesk
