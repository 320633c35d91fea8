#include "sidepane/file_operations.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include "platform/file_io.h"
#include "platform/trash.h"

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

bool CopyFolder(const QString& source, const QString& destination, QString* error);

bool CopyEntry(const QFileInfo& entry, const QString& destination, QString* error) {
    // A link is copied as a link, so a link to a folder above cannot loop.
    if (entry.isSymLink())
        return QFile::link(entry.symLinkTarget(), destination);
    if (entry.isDir())
        return CopyFolder(entry.filePath(), destination, error);
    const FileWriteResult copied = CopyFileContents(entry.filePath(), destination);
    if (!copied.ok && error)
        *error = copied.error;
    return copied.ok;
}

bool CopyFolder(const QString& source, const QString& destination, QString* error) {
    if (!QDir().mkdir(destination))
        return false;
    const QFileInfoList entries = QDir(source).entryInfoList(QDir::AllEntries | QDir::Hidden |
                                                             QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo& entry : entries) {
        if (!CopyEntry(entry, destination + '/' + entry.fileName(), error))
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

// A free name beside a path, for a copy that is not whole yet.
QString LandingBeside(const QString& path) {
    const QFileInfo info(path);
    for (;;) {
        const QString landing = info.dir().filePath(QStringLiteral(".%1.%2~").arg(
            info.fileName().left(200),
            QString::number(QRandomGenerator::global()->generate() & 0xFFFFFF, 36)));
        if (!Exists(landing))
            return landing;
    }
}

// Copies or moves a file or folder. What the destination held goes to the trash only once the
// new copy is whole beside it, so a copy that fails half-way (a full disk) loses nothing.
FileOpResult Transfer(const QString& source, const QString& destination,
                      const ConfirmReplace& confirm, bool move, QString* error) {
    if (!Exists(source) || destination.isEmpty())
        return FileOpResult::kFailed;
    const QString from = Canonical(source);
    const QString to = Canonical(destination);
    if (from == to || IsInside(to, from) || IsInside(from, to))
        return FileOpResult::kFailed;
    const bool replace = Exists(destination);
    if (replace && (!confirm || !confirm(destination)))
        return FileOpResult::kAborted;

    const QString landing = replace ? LandingBeside(destination) : destination;
    const QFileInfo info(source);
    const bool renamed = move && QDir().rename(source, landing);
    if (!renamed && !CopyEntry(info, landing, error)) {
        if (Exists(landing))
            RemoveOwnCopy(landing);
        return FileOpResult::kFailed;
    }
    auto giveUp = [&] {
        if (renamed)
            QDir().rename(landing, source);
        else
            RemoveOwnCopy(landing);
        return FileOpResult::kFailed;
    };
    if (replace) {
        // What is replaced can still be fetched back from the trash.
        const TrashResult trashed = MoveToTrash(destination);
        if (!trashed.ok || Exists(destination)) {
            if (error)
                *error = trashed.error;
            return giveUp();
        }
        if (!QDir().rename(landing, destination))
            return giveUp();
    }
    if (move && !renamed) {
        // Another file system: the source goes only now that its copy is whole.
        const bool removed = info.isDir() && !info.isSymLink() ? QDir(source).removeRecursively()
                                                               : QFile::remove(source);
        if (!removed)
            return FileOpResult::kFailed;
    }
    return FileOpResult::kDone;
}

}  // namespace

FileOpResult CopyPath(const QString& source, const QString& destination,
                      const ConfirmReplace& confirm, QString* error) {
    return Transfer(source, destination, confirm, false, error);
}

FileOpResult MovePath(const QString& source, const QString& destination,
                      const ConfirmReplace& confirm, QString* error) {
    return Transfer(source, destination, confirm, true, error);
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
