#pragma once
// Reading and writing whole files. Writes go to a temporary file in the same
// folder that is renamed over the old file, so a failed write never loses it.

#include <QString>
#include <string>
#include <string_view>

namespace vesk {

struct FileReadResult {
    bool ok = false;
    std::string bytes;
    QString error;  // the system's reason when !ok
};

FileReadResult ReadWholeFile(const QString& path);

struct FileWriteResult {
    bool ok = false;
    QString error;  // the system's reason when !ok (no permission, disk full...)
};

// Writes bytes safely: on any failure (disk full, no permission, I/O error) the old file keeps
// every byte and nothing new is left behind. Keeps the file's permission bits, owner and group,
// hard links and symbolic links (the link's target is written). The error names the folder or
// file that refused, or gives the system's reason.
FileWriteResult WriteFileAtomically(const QString& path, std::string_view bytes);

// Copies a file's bytes into a new file that must not exist yet, with the source's permission
// bits. A copy that fails at any point is removed.
FileWriteResult CopyFileContents(const QString& from, const QString& to);

}  // namespace vesk
