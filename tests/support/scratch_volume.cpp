#include "support/scratch_volume.h"

#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <cerrno>
#include <cstring>
#include <string>

#include "support/test_env.h"

namespace vesk::test {

namespace {
constexpr uid_t kNobody = 65534;
constexpr gid_t kNogroup = 65534;

std::string Native(const QString& path) {
    return QFile::encodeName(path).toStdString();
}
}  // namespace

ScratchVolume::ScratchVolume(std::size_t bytes) : path_(MakeTempDir()) {
    const std::string options = "size=" + std::to_string(bytes) + ",mode=0777";
    if (::mount("tmpfs", Native(path_).c_str(), "tmpfs", 0, options.c_str()) != 0) {
        problem_ = QString::fromLocal8Bit(std::strerror(errno));
        return;
    }
    mounted_ = true;
}

ScratchVolume::~ScratchVolume() {
    if (mounted_)
        ::umount2(Native(path_).c_str(), MNT_DETACH);
}

std::size_t ScratchVolume::FreeBytes() const {
    struct statvfs st {};
    if (::statvfs(Native(path_).c_str(), &st) != 0)
        return 0;
    return static_cast<std::size_t>(st.f_bavail) * st.f_frsize;
}

bool ScratchVolume::FillLeaving(std::size_t left) {
    const std::size_t free = FreeBytes();
    if (free <= left)
        return true;
    const std::string filler = Native(path_ + "/filler.bin");
    const int fd = ::open(filler.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (fd < 0)
        return false;
    const std::string block(free - left, 'x');
    const bool ok = ::write(fd, block.data(), block.size()) == static_cast<ssize_t>(block.size());
    ::close(fd);
    return ok;
}

bool ScratchVolume::MakeReadOnly() {
    return mounted_ &&
           ::mount("tmpfs", Native(path_).c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr) == 0;
}

ActingAsOtherUser::ActingAsOtherUser() {
    if (::geteuid() != 0)
        return;
    // The other user must be able to reach the test's folders.
    ::chmod(Native(TempRoot()).c_str(), 0711);
    // Group first: once the user is not root, the group cannot be changed.
    ok_ = ::setegid(kNogroup) == 0 && ::seteuid(kNobody) == 0;
}

ActingAsOtherUser::~ActingAsOtherUser() {
    if (!ok_)
        return;
    if (::seteuid(0) != 0 || ::setegid(0) != 0)
        std::abort();  // the rest of the run must not go on as the wrong user
}

uid_t ActingAsOtherUser::Uid() {
    return kNobody;
}
gid_t ActingAsOtherUser::Gid() {
    return kNogroup;
}

}  // namespace vesk::test
