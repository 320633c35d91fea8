// Moving files to the freedesktop trash. Qt's own QFile::moveToTrash is not used: when the
// home has no ~/.local/share it makes "files" and "info" in the current folder and reports
// success.

#include "platform/trash.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>
#include <cerrno>
#include <string>
#include <vector>

namespace vesk {

namespace {

QString FromNative(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

std::string ParentOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == 0 || slash == std::string::npos ? std::string("/") : path.substr(0, slash);
}

// The device of a path, or of its nearest existing parent (the home trash may not exist yet).
bool DeviceOf(std::string path, dev_t* device) {
    for (;;) {
        struct stat st {};
        if (::stat(path.c_str(), &st) == 0) {
            *device = st.st_dev;
            return true;
        }
        if (path == "/")
            return false;
        path = ParentOf(path);
    }
}

// The mount point of the volume that holds a folder: the last parent on the same device.
std::string TopFolderOf(std::string folder, dev_t device) {
    while (folder != "/") {
        const std::string parent = ParentOf(folder);
        struct stat st {};
        if (::stat(parent.c_str(), &st) != 0 || st.st_dev != device)
            break;
        folder = parent;
    }
    return folder;
}

bool IsOwnFolder(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::geteuid();
}

// Makes a folder and its missing parents, private to the user as trash folders are.
bool MakeFolders(const std::string& path, int* error) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode))
            return true;
        *error = ENOTDIR;
        return false;
    }
    if (path != "/" && !MakeFolders(ParentOf(path), error))
        return false;
    if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) {
        *error = errno;
        return false;
    }
    return true;
}

struct TrashFolder {
    std::string folder;
    // The volume's top folder for a volume's own trash (paths are stored relative to it);
    // empty for the home trash (paths are stored whole).
    std::string top;
};

bool Prepare(const TrashFolder& trash, int* error) {
    return MakeFolders(trash.folder + "/files", error) &&
           MakeFolders(trash.folder + "/info", error);
}

// Empty when there is no home to keep a trash in.
std::string HomeTrashFolder() {
    QString data = qEnvironmentVariable("XDG_DATA_HOME");
    if (data.isEmpty() || !QDir::isAbsolutePath(data)) {
        const QString home = QDir::homePath();
        if (!QFileInfo(home).isDir())
            return {};
        data = home + QStringLiteral("/.local/share");
    }
    return QFile::encodeName(QDir::cleanPath(data + QStringLiteral("/Trash"))).toStdString();
}

// The trash folders that may take a file: the home trash for the home's volume, else the
// volume's own trash folders.
std::vector<TrashFolder> Candidates(const std::string& folder, dev_t device) {
    const std::string home = HomeTrashFolder();
    dev_t homeDevice = 0;
    if (!home.empty() && DeviceOf(home, &homeDevice) && homeDevice == device)
        return {{home, {}}};
    std::vector<TrashFolder> list;
    const std::string top = TopFolderOf(folder, device);
    const std::string base = top == "/" ? std::string() : top;
    const std::string uid = std::to_string(::geteuid());
    // A shared ".Trash" counts only as the administrator made it: a real folder, sticky.
    const std::string shared = base + "/.Trash";
    struct stat st {};
    if (::lstat(shared.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && (st.st_mode & S_ISVTX))
        list.push_back({shared + "/" + uid, top});
    list.push_back({base + "/.Trash-" + uid, top});
    return list;
}

std::string SplitExtension(const std::string& name, std::string* extension) {
    const std::size_t dot = name.rfind('.');
    if (dot == std::string::npos || dot == 0) {
        extension->clear();
        return name;
    }
    *extension = name.substr(dot);
    return name.substr(0, dot);
}

// Claims a name in the trash by creating its info file exclusively, then moves the file.
bool MoveInto(const TrashFolder& trash, const std::string& path, int* error) {
    if (!trash.top.empty() && !IsOwnFolder(trash.folder) &&
        ::access(trash.folder.c_str(), F_OK) == 0) {
        *error = EACCES;  // someone else's folder under our name: never use it
        return false;
    }
    if (!Prepare(trash, error))
        return false;
    std::string stored = path;
    if (!trash.top.empty() && trash.top != "/" &&
        path.compare(0, trash.top.size() + 1, trash.top + "/") == 0)
        stored = path.substr(trash.top.size() + 1);
    const QByteArray encoded = QUrl::toPercentEncoding(FromNative(stored), "/");
    const QByteArray info = "[Trash Info]\nPath=" + encoded + "\nDeletionDate=" +
                            QDateTime::currentDateTime().toString(Qt::ISODate).left(19).toLatin1() +
                            "\n";

    const std::size_t slash = path.rfind('/');
    const std::string name = path.substr(slash + 1);
    std::string extension;
    const std::string stem = SplitExtension(name, &extension);
    for (int n = 1; n < 10000; ++n) {
        const std::string candidate = n == 1 ? name : stem + "." + std::to_string(n) + extension;
        const std::string infoPath = trash.folder + "/info/" + candidate + ".trashinfo";
        const std::string filesPath = trash.folder + "/files/" + candidate;
        const int fd = ::open(infoPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0) {
            if (errno == EEXIST)
                continue;
            *error = errno;
            return false;
        }
        struct stat st {};
        if (::lstat(filesPath.c_str(), &st) == 0) {
            ::close(fd);
            ::unlink(infoPath.c_str());
            continue;
        }
        const bool written = ::write(fd, info.constData(), static_cast<std::size_t>(info.size())) ==
                             static_cast<ssize_t>(info.size());
        const int writeError = errno;
        if (::close(fd) != 0 || !written) {
            *error = written ? errno : writeError;
            ::unlink(infoPath.c_str());
            return false;
        }
        if (::rename(path.c_str(), filesPath.c_str()) != 0) {
            *error = errno;
            ::unlink(infoPath.c_str());
            return false;
        }
        return true;
    }
    *error = EEXIST;
    return false;
}

}  // namespace

TrashResult MoveToTrash(const QString& path) {
    TrashResult result;
    if (trash_seam::Seam::Get()) {
        result.ok = trash_seam::Seam::Get()(TrashRequest{path});
        return result;
    }
    const QFileInfo file(path);
    // The entry itself is trashed, a symbolic link as a link; its folder is made canonical so
    // the volume's top folder is found.
    const QString folder = file.absoluteDir().canonicalPath();
    if (folder.isEmpty() || file.fileName().isEmpty()) {
        result.error = qt_error_string(ENOENT);
        return result;
    }
    const std::string whole =
        QFile::encodeName(QDir(folder).filePath(file.fileName())).toStdString();
    struct stat st {};
    if (::lstat(whole.c_str(), &st) != 0) {
        result.error = qt_error_string(errno);
        return result;
    }
    int error = EXDEV;
    for (const TrashFolder& trash : Candidates(ParentOf(whole), st.st_dev)) {
        if (MoveInto(trash, whole, &error)) {
            result.ok = true;
            return result;
        }
    }
    result.error = QStringLiteral("ゴミ箱に移せませんでした: %1").arg(qt_error_string(error));
    return result;
}

}  // namespace vesk
