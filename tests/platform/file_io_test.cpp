#include "platform/file_io.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <csignal>
#include <string>

#include "support/scratch_volume.h"
#include "support/test_env.h"

namespace vesk {
namespace {

using test::MakeTempDir;
using test::ReadTestFile;
using test::WriteTestFile;

std::string Binary(std::size_t size) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 131 + i / 7) & 0xFF);
    return bytes;
}

QStringList Entries(const QString& dir) {
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

mode_t ModeOf(const QString& path) {
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return 0;
    return st.st_mode & 07777;
}

// Files larger than the limit cannot be written, even by root: a stand-in for a full disk.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t limit) {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lower = saved_;
        lower.rlim_cur = limit;
        ok_ = ::setrlimit(RLIMIT_FSIZE, &lower) == 0;
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, oldHandler_);
    }
    bool ok() const { return ok_; }

  private:
    rlimit saved_{};
    void (*oldHandler_)(int) = nullptr;
    bool ok_ = false;
};

TEST(ReadWholeFile, ReadsEveryByte) {
    const QString dir = MakeTempDir();
    const std::string bytes = Binary(3 * 1024 * 1024 + 17);
    FileReadResult read = ReadWholeFile(WriteTestFile(dir + "/big.bin", bytes));
    ASSERT_TRUE(read.ok) << read.error.toStdString();
    EXPECT_EQ(read.bytes, bytes);
    EXPECT_TRUE(read.error.isEmpty());

    read = ReadWholeFile(WriteTestFile(dir + "/empty.txt", ""));
    ASSERT_TRUE(read.ok);
    EXPECT_EQ(read.bytes, "");
}

TEST(ReadWholeFile, ReadsFilesThatReportNoSize) {
    // /proc files have size 0 yet hold text.
    FileReadResult read = ReadWholeFile("/proc/self/status");
    ASSERT_TRUE(read.ok) << read.error.toStdString();
    EXPECT_NE(read.bytes.find("Name:"), std::string::npos);
}

TEST(ReadWholeFile, FailsWithTheSystemsReason) {
    const QString dir = MakeTempDir();
    FileReadResult read = ReadWholeFile(dir + "/missing.html");
    EXPECT_FALSE(read.ok);
    EXPECT_FALSE(read.error.isEmpty());
    EXPECT_TRUE(read.bytes.empty());

    read = ReadWholeFile(dir);
    EXPECT_FALSE(read.ok);
    EXPECT_FALSE(read.error.isEmpty());
}

TEST(WriteFileAtomically, ReplacesTheContentsAndLeavesNoTemporaryFile) {
    const QString dir = MakeTempDir();
    const QString path = dir + "/page.html";
    WriteTestFile(path, "old contents that are longer than the new ones");

    FileWriteResult written = WriteFileAtomically(path, "new");
    ASSERT_TRUE(written.ok) << written.error.toStdString();
    EXPECT_EQ(ReadTestFile(path), "new");

    const std::string bytes = Binary(100000);
    ASSERT_TRUE(WriteFileAtomically(path, bytes).ok);
    EXPECT_EQ(ReadTestFile(path), bytes);
    EXPECT_EQ(Entries(dir), QStringList{"page.html"});
}

TEST(WriteFileAtomically, EmptyTextGivesAnEmptyFile) {
    const QString dir = MakeTempDir();
    const QString fresh = dir + "/new.html";
    ASSERT_TRUE(WriteFileAtomically(fresh, "").ok);
    EXPECT_TRUE(QFileInfo::exists(fresh));
    EXPECT_EQ(QFileInfo(fresh).size(), 0);

    const QString old = WriteTestFile(dir + "/old.html", "something");
    ASSERT_TRUE(WriteFileAtomically(old, "").ok);
    EXPECT_EQ(QFileInfo(old).size(), 0);
}

TEST(WriteFileAtomically, KeepsPermissionsOfTheOldFile) {
    const QString dir = MakeTempDir();
    const QString path = WriteTestFile(dir + "/script.cgi", "#!/bin/sh\n");
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0754), 0);
    ASSERT_TRUE(WriteFileAtomically(path, "#!/bin/sh\necho\n").ok);
    EXPECT_EQ(ModeOf(path), 0754u);

    // A new file gets the usual permissions, not those of a private temporary file.
    const mode_t mask = ::umask(022);
    ::umask(mask);
    const QString fresh = dir + "/fresh.html";
    ASSERT_TRUE(WriteFileAtomically(fresh, "x").ok);
    EXPECT_EQ(ModeOf(fresh), 0666u & ~mask);
}

TEST(WriteFileAtomically, WritesThroughASymbolicLink) {
    const QString dir = MakeTempDir();
    const QString target = WriteTestFile(dir + "/real.html", "old");
    const QString link = dir + "/link.html";
    ASSERT_TRUE(QFile::link(target, link));
    ASSERT_TRUE(WriteFileAtomically(link, "new").ok);
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(ReadTestFile(target), "new");
}

TEST(WriteFileAtomically, FailedWriteKeepsTheOldFile) {
    const QString dir = MakeTempDir();
    const QString path = dir + "/page.html";
    const std::string old = Binary(1000);
    WriteTestFile(path, old);

    FileWriteResult written;
    {
        FileSizeLimit limit(4096);
        ASSERT_TRUE(limit.ok());
        written = WriteFileAtomically(path, Binary(200000));
    }
    EXPECT_FALSE(written.ok);
    EXPECT_FALSE(written.error.isEmpty());
    EXPECT_EQ(ReadTestFile(path), old);
    EXPECT_EQ(Entries(dir), QStringList{"page.html"});
}

TEST(WriteFileAtomically, FailsWhereNoFileCanBe) {
    const QString dir = MakeTempDir();
    // Inside a folder that does not exist.
    FileWriteResult written = WriteFileAtomically(dir + "/no/such/folder/a.html", "x");
    EXPECT_FALSE(written.ok);
    EXPECT_FALSE(written.error.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(dir + "/no"));

    // Below a regular file.
    const QString file = WriteTestFile(dir + "/plain.txt", "keep");
    written = WriteFileAtomically(file + "/a.html", "x");
    EXPECT_FALSE(written.ok);
    EXPECT_FALSE(written.error.isEmpty());
    EXPECT_EQ(ReadTestFile(file), "keep");

    // Over a folder.
    const QString folder = dir + "/sub";
    QDir().mkpath(folder + "/inner");
    written = WriteFileAtomically(folder, "x");
    EXPECT_FALSE(written.ok);
    EXPECT_FALSE(written.error.isEmpty());
    EXPECT_TRUE(QFileInfo(folder + "/inner").isDir());
}

struct stat StatOf(const QString& path) {
    struct stat st {};
    ::stat(QFile::encodeName(path).constData(), &st);
    return st;
}

TEST(WriteFileAtomically, FullDiskCancelsTheSaveAtAnySize) {
    // 24 KB left for pages of 12 KB (fits the free space but not with the filesystem's own
    // blocks), 39.6 KB and 200 KB: every one must fail whole, never leave a cut file.
    test::ScratchVolume volume(512 * 1024);
    VESK_REQUIRE_VOLUME(volume);
    const QString path = volume.Path() + "/page.html";
    const std::string old = Binary(5000);
    WriteTestFile(path, old);
    ASSERT_TRUE(volume.FillLeaving(8 * 1024));
    for (std::size_t size : {11880u, 39600u, 200000u}) {
        SCOPED_TRACE(size);
        const FileWriteResult written = WriteFileAtomically(path, Binary(size));
        EXPECT_FALSE(written.ok);
        EXPECT_EQ(written.error, qt_error_string(ENOSPC));
        EXPECT_EQ(ReadTestFile(path), old);
        EXPECT_EQ(Entries(volume.Path()), (QStringList{"filler.bin", "page.html"}));
    }
}

TEST(WriteFileAtomically, FolderThatTakesNoNewFileGetsTheFileWrittenInPlace) {
    // The folder belongs to someone else; the file is ours to write.
    const QString dir = MakeTempDir();
    const QString path = WriteTestFile(dir + "/page.html", "old text");
    const QString other = dir + "/new.html";
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(QFile::encodeName(path).constData(), test::ActingAsOtherUser::Uid(),
                          test::ActingAsOtherUser::Gid()),
                  0);
    }
    ASSERT_EQ(::chmod(QFile::encodeName(dir).constData(), 0555), 0);
    FileWriteResult inPlace, fresh;
    {
        test::ActingAsOtherUser user;
        if (::geteuid() == 0)
            GTEST_SKIP() << "cannot act as another user";
        inPlace = WriteFileAtomically(path, "the new and longer text");
        fresh = WriteFileAtomically(other, "x");
    }
    ::chmod(QFile::encodeName(dir).constData(), 0755);
    ASSERT_TRUE(inPlace.ok) << inPlace.error.toStdString();
    EXPECT_EQ(ReadTestFile(path), "the new and longer text");
    EXPECT_EQ(Entries(dir), QStringList{"page.html"});
    // A new file cannot be made: the message names the folder that refused.
    EXPECT_FALSE(fresh.ok);
    EXPECT_TRUE(fresh.error.contains(dir)) << fresh.error.toStdString();
    EXPECT_TRUE(fresh.error.contains(qt_error_string(EACCES))) << fresh.error.toStdString();
}

TEST(WriteFileAtomically, HardLinkedFileStaysOneFile) {
    test::ScratchVolume volume(512 * 1024);
    VESK_REQUIRE_VOLUME(volume);
    const QString path = WriteTestFile(volume.Path() + "/page.html", "old");
    const QString second = volume.Path() + "/copy.html";
    ASSERT_EQ(::link(QFile::encodeName(path).constData(), QFile::encodeName(second).constData()),
              0);
    const ino_t inode = StatOf(path).st_ino;

    ASSERT_TRUE(WriteFileAtomically(path, "new text").ok);
    EXPECT_EQ(ReadTestFile(second), "new text");
    EXPECT_EQ(StatOf(path).st_ino, inode);
    EXPECT_EQ(StatOf(path).st_nlink, 2u);

    // Written in place on a full disk: the old bytes come back whole, on both names.
    ASSERT_TRUE(volume.FillLeaving(4 * 1024));
    const FileWriteResult written = WriteFileAtomically(path, Binary(100000));
    EXPECT_FALSE(written.ok);
    EXPECT_EQ(written.error, qt_error_string(ENOSPC));
    EXPECT_EQ(ReadTestFile(second), "new text");
}

TEST(WriteFileAtomically, KeepsOwnerAndGroup) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root can give a file to another user";
    const QString dir = MakeTempDir();
    const QString path = WriteTestFile(dir + "/page.html", "old");
    ASSERT_EQ(::chown(QFile::encodeName(path).constData(), test::ActingAsOtherUser::Uid(),
                      test::ActingAsOtherUser::Gid()),
              0);
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0640), 0);
    ASSERT_TRUE(WriteFileAtomically(path, "new").ok);
    EXPECT_EQ(ReadTestFile(path), "new");
    EXPECT_EQ(StatOf(path).st_uid, test::ActingAsOtherUser::Uid());
    EXPECT_EQ(StatOf(path).st_gid, test::ActingAsOtherUser::Gid());
    EXPECT_EQ(ModeOf(path), 0640u);
}

}  // namespace
}  // namespace vesk
