// Whole-file reads and safe writes.
//
// A write goes to a temporary file beside the target that is renamed over it once every byte
// is on disk. Every system call is checked: a full disk, a quota or an I/O error at any point
// (a write, the sync, the close) cancels the save and leaves the old file as it was. Where a
// rename would change what the file is (another owner we cannot give it back to, several hard
// links, a folder that takes no new files, a file mounted on its own), the bytes are written
// into the file itself instead, with the old bytes held in memory and written back if that fails.

#include "platform/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QRandomGenerator>
#include <cerrno>

namespace vesk {

namespace {

constexpr int kMaxLinkHops = 40;
// Room left for the prefix and suffix of a temporary name within a file name's 255 bytes.
constexpr std::size_t kTempNameStem = 200;

QByteArray Native(const QString& path) {
    return QFile::encodeName(path);
}

QString FromNative(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

QString Reason(int error) {
    return qt_error_string(error);
}

QString FolderRefused(const std::string& folder, int error) {
    return QStringLiteral("フォルダ [ %1 ] に書き込めません: %2")
        .arg(FromNative(folder), Reason(error));
}

QString FileRefused(const std::string& file, int error) {
    return QStringLiteral("ファイル [ %1 ] に書き込めません: %2")
        .arg(FromNative(file), Reason(error));
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? std::string("/") : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The file a path finally names: symbolic links are followed, so a save writes the link's
// target and the link stays a link. A dangling link names the file it would point to.
bool ResolveLinks(std::string path, std::string* resolved, int* error) {
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
            *resolved = path;
            return true;
        }
        std::string target(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 256) + 1, '\0');
        const ssize_t n = ::readlink(path.c_str(), target.data(), target.size());
        if (n < 0) {
            *error = errno;
            return false;
        }
        target.resize(static_cast<std::size_t>(n));
        if (target.empty() || target[0] != '/')
            target = FolderOf(path) + "/" + target;
        path = target;
    }
    *error = ELOOP;
    return false;
}

bool WriteAllAt(int fd, std::string_view bytes, off_t offset, int* error) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::pwrite(fd, bytes.data() + done, bytes.size() - done,
                                   offset + static_cast<off_t>(done));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            *error = errno;
            return false;
        }
        if (n == 0) {
            *error = EIO;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// Files that cannot be synced (some special files) are not an error; a failed flush is.
bool Sync(int fd, int* error) {
    if (::fsync(fd) == 0 || errno == EINVAL || errno == EROFS)
        return true;
    *error = errno;
    return false;
}

bool Close(int fd, int* error) {
    if (::close(fd) == 0 || errno == EINTR)
        return true;
    *error = errno;
    return false;
}

void SyncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// Creates a new, empty temporary file beside the target. The mode asked for is filtered by the
// umask, as for any new file.
int CreateTemporary(const std::string& folder, const std::string& name, std::string* tempPath) {
    const std::string stem = name.substr(0, kTempNameStem);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QByteArray suffix =
            QByteArray::number(QRandomGenerator::global()->generate() & 0xFFFFFF, 36);
        *tempPath = folder + "/." + stem + "." + suffix.toStdString() + "~";
        const int fd = ::open(tempPath->c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    errno = EEXIST;
    return -1;
}

// Writes into the file itself. The old bytes are read first, space for a longer text is
// reserved before anything is touched, and on any failure the old bytes are written back.
FileWriteResult WriteInPlace(const std::string& target, std::string_view bytes) {
    FileWriteResult result;
    const FileReadResult old = ReadWholeFile(FromNative(target));
    if (!old.ok) {
        result.error =
            QStringLiteral("ファイル [ %1 ] を読めません: %2").arg(FromNative(target), old.error);
        return result;
    }
    const int fd = ::open(target.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) {
        result.error = FileRefused(target, errno);
        return result;
    }
    int error = 0;
    if (bytes.size() > old.bytes.size()) {
        const int reserved = ::posix_fallocate(fd, 0, static_cast<off_t>(bytes.size()));
        if (reserved != 0 && reserved != EOPNOTSUPP && reserved != EINVAL && reserved != ENOSYS) {
            ::close(fd);
            result.error = Reason(reserved);
            return result;
        }
    }
    bool ok = WriteAllAt(fd, bytes, 0, &error) &&
              ::ftruncate(fd, static_cast<off_t>(bytes.size())) == 0 && Sync(fd, &error);
    if (!ok) {
        if (error == 0)
            error = errno;
        int ignored = 0;
        const bool restored = WriteAllAt(fd, old.bytes, 0, &ignored) &&
                              ::ftruncate(fd, static_cast<off_t>(old.bytes.size())) == 0 &&
                              Sync(fd, &ignored);
        ::close(fd);
        result.error = Reason(error);
        if (!restored)
            result.error += QStringLiteral("\r\n元の内容を書き戻せませんでした。");
        return result;
    }
    if (!Close(fd, &error)) {
        result.error = Reason(error);
        return result;
    }
    result.ok = true;
    return result;
}

}  // namespace

FileReadResult ReadWholeFile(const QString& path) {
    FileReadResult result;
    QFile file(path);
    // Qt refuses to open a folder, with its own reason.
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = file.errorString();
        return result;
    }
    // The size is only a hint: files in /proc report 0, and a file may grow while read.
    const qint64 size = file.size();
    std::size_t got = 0;
    if (size > 0) {
        result.bytes.resize(static_cast<std::size_t>(size));
        while (got < result.bytes.size()) {
            const qint64 n = file.read(result.bytes.data() + got,
                                       static_cast<qint64>(result.bytes.size() - got));
            if (n <= 0)
                break;
            got += static_cast<std::size_t>(n);
        }
        result.bytes.resize(got);
    }
    char chunk[65536];
    for (;;) {
        const qint64 n = file.read(chunk, sizeof chunk);
        if (n < 0) {
            result.bytes.clear();
            result.error = file.errorString();
            return result;
        }
        if (n == 0)
            break;
        result.bytes.append(chunk, static_cast<std::size_t>(n));
    }
    result.ok = true;
    return result;
}

FileWriteResult WriteFileAtomically(const QString& path, std::string_view bytes) {
    FileWriteResult result;
    std::string target;
    int error = 0;
    if (!ResolveLinks(Native(path).toStdString(), &target, &error)) {
        result.error = FileRefused(Native(path).toStdString(), error);
        return result;
    }
    const std::string folder = FolderOf(target);

    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (exists) {
        if (S_ISDIR(old.st_mode)) {
            result.error = FileRefused(target, EISDIR);
            return result;
        }
        // Devices and pipes are not pages; reading one back to keep its bytes may never end.
        if (!S_ISREG(old.st_mode)) {
            result.error =
                QStringLiteral("[ %1 ] は通常のファイルではありません。").arg(FromNative(target));
            return result;
        }
        // A file we may not write is not replaced behind its owner's back.
        if (::euidaccess(target.c_str(), W_OK) != 0) {
            result.error = FileRefused(target, errno);
            return result;
        }
        // A rename would part the hard links: the others would keep the old text.
        if (old.st_nlink > 1)
            return WriteInPlace(target, bytes);
    }

    std::string temp;
    const int fd = CreateTemporary(folder, NameOf(target), &temp);
    if (fd < 0) {
        const int refused = errno;
        // A folder that takes no new file may still let us write the file itself.
        if (exists && (refused == EACCES || refused == EPERM || refused == EROFS ||
                       refused == ENAMETOOLONG)) {
            return WriteInPlace(target, bytes);
        }
        result.error = FolderRefused(folder, refused);
        return result;
    }
    auto abandon = [&](int reason) {
        ::close(fd);
        ::unlink(temp.c_str());
        result.error = Reason(reason);
        return result;
    };

    if (exists) {
        // Keep owner and group where the system lets us; a file that would change owner is
        // written in place instead, so it stays its owner's.
        struct stat mine {};
        ::fstat(fd, &mine);
        if (mine.st_uid != old.st_uid || mine.st_gid != old.st_gid) {
            if (::fchown(fd, old.st_uid, old.st_gid) != 0) {
                ::fchown(fd, static_cast<uid_t>(-1), old.st_gid);
                ::fstat(fd, &mine);
                if (mine.st_uid != old.st_uid) {
                    ::close(fd);
                    ::unlink(temp.c_str());
                    return WriteInPlace(target, bytes);
                }
            }
        }
        // After the owner: changing the owner clears set-id bits.
        if (::fchmod(fd, old.st_mode & 07777) != 0)
            return abandon(errno);
    }

    if (!WriteAllAt(fd, bytes, 0, &error) || !Sync(fd, &error))
        return abandon(error);
    if (!Close(fd, &error)) {
        ::unlink(temp.c_str());
        result.error = Reason(error);
        return result;
    }
    if (::rename(temp.c_str(), target.c_str()) != 0) {
        const int refused = errno;
        ::unlink(temp.c_str());
        // A file mounted on its own cannot be replaced, only written.
        if (exists && (refused == EBUSY || refused == EXDEV))
            return WriteInPlace(target, bytes);
        result.error = FolderRefused(folder, refused);
        return result;
    }
    SyncFolder(folder);
    result.ok = true;
    return result;
}

FileWriteResult CopyFileContents(const QString& from, const QString& to) {
    FileWriteResult result;
    const int in = ::open(Native(from).constData(), O_RDONLY | O_CLOEXEC);
    if (in < 0) {
        result.error = Reason(errno);
        return result;
    }
    struct stat st {};
    if (::fstat(in, &st) != 0 || !S_ISREG(st.st_mode)) {
        result.error = Reason(S_ISREG(st.st_mode) ? errno : EINVAL);
        ::close(in);
        return result;
    }
    const std::string target = Native(to).toStdString();
    const int out = ::open(target.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (out < 0) {
        result.error = FolderRefused(FolderOf(target), errno);
        ::close(in);
        return result;
    }
    int error = 0;
    bool ok = true;
    off_t offset = 0;
    std::string chunk(1 << 16, '\0');
    while (ok) {
        const ssize_t n = ::read(in, chunk.data(), chunk.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            error = errno;
            ok = false;
            break;
        }
        if (n == 0)
            break;
        ok = WriteAllAt(out, std::string_view(chunk.data(), static_cast<std::size_t>(n)), offset,
                        &error);
        offset += n;
    }
    ::close(in);
    ok = ok && ::fchmod(out, st.st_mode & 07777) == 0 && Sync(out, &error);
    if (!ok && error == 0)
        error = errno;
    if (!Close(out, &error) || !ok) {
        ::unlink(target.c_str());
        result.error = Reason(error);
        return result;
    }
    result.ok = true;
    return result;
}

}  // namespace vesk
