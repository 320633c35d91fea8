#include "sidepane/file_operations.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "platform/launcher.h"

namespace vesk {

namespace {

bool Exists(const QString& path) {
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

// The path with every link resolved; for a path not made yet, that of its folder.
QString Canonical(const QString& path) {
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    if (!canonical.isEmpty())
        return canonical;
    const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
    if (folder.isEmpty())
        return QDir::cleanPath(info.absoluteFilePath());
    return folder == "/" ? folder + info.fileName() : folder + '/' + info.fileName();
}

bool IsInside(const QString& inner, const QString& outer) {
    return inner.startsWith(outer.endsWith('/') ? outer : outer + '/');
}

bool CopyFolder(const QString& source, const QString& destination);

bool CopyEntry(const QFileInfo& entry, const QString& destination) {
    // A link is copied as a link, so a link to a folder above cannot loop.
    if (entry.isSymLink())
        return QFile::link(entry.symLinkTarget(), destination);
    if (entry.isDir())
        return CopyFolder(entry.filePath(), destination);
    return QFile::copy(entry.filePath(), destination);
}

bool CopyFolder(const QString& source, const QString& destination) {
    if (!QDir().mkdir(destination))
        return false;
    const QFileInfoList entries = QDir(source).entryInfoList(QDir::AllEntries | QDir::Hidden |
                                                             QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo& entry : entries) {
        if (!CopyEntry(entry, destination + '/' + entry.fileName()))
            return false;
    }
    return true;
}

// Removes a partial copy this program has just made.
void RemoveOwnCopy(const QString& path) {
    const QFileInfo info(path);
    if (info.isDir() && !info.isSymLink())
        QDir(path).removeRecursively();
    else
        QFile::remove(path);
}

// The checks every copy and move passes; kDone when the way is clear.
FileOpResult Prepare(const QString& source, const QString& destination,
                     const ConfirmReplace& confirm) {
    if (!Exists(source) || destination.isEmpty())
        return FileOpResult::kFailed;
    const QString from = Canonical(source);
    const QString to = Canonical(destination);
    if (from == to || IsInside(to, from) || IsInside(from, to))
        return FileOpResult::kFailed;
    if (!Exists(destination))
        return FileOpResult::kDone;
    if (!confirm || !confirm(destination))
        return FileOpResult::kAborted;
    // What is replaced can still be fetched back from the trash.
    if (!MoveToTrash(destination) || Exists(destination))
        return FileOpResult::kFailed;
    return FileOpResult::kDone;
}

}  // namespace

FileOpResult CopyPath(const QString& source, const QString& destination,
                      const ConfirmReplace& confirm) {
    const FileOpResult ready = Prepare(source, destination, confirm);
    if (ready != FileOpResult::kDone)
        return ready;
    if (!CopyEntry(QFileInfo(source), destination)) {
        if (Exists(destination))
            RemoveOwnCopy(destination);
        return FileOpResult::kFailed;
    }
    return FileOpResult::kDone;
}

FileOpResult MovePath(const QString& source, const QString& destination,
                      const ConfirmReplace& confirm) {
    const FileOpResult ready = Prepare(source, destination, confirm);
    if (ready != FileOpResult::kDone)
        return ready;
    if (QDir().rename(source, destination))
        return FileOpResult::kDone;
    // Another file system: copy, and remove the source only once the copy is whole.
    const QFileInfo info(source);
    if (!CopyEntry(info, destination)) {
        if (Exists(destination))
            RemoveOwnCopy(destination);
        return FileOpResult::kFailed;
    }
    const bool removed = info.isDir() && !info.isSymLink() ? QDir(source).removeRecursively()
                                                           : QFile::remove(source);
    return removed ? FileOpResult::kDone : FileOpResult::kFailed;
}

bool RenamePath(const QString& path, const QString& newName) {
    if (newName.isEmpty() || newName.contains('/') || newName == "." || newName == "..")
        return false;
    const QFileInfo info(path);
    if (!Exists(path))
        return false;
    const QString target = info.dir().filePath(newName);
    if (Exists(target))
        return false;
    return QDir().rename(path, target);
}

bool CreateFolder(const QString& path) {
    return !path.isEmpty() && !Exists(path) && QDir().mkdir(path);
}

}  // namespace vesk
