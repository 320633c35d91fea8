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

// Writes bytes atomically; creates nothing and changes nothing on failure.
FileWriteResult WriteFileAtomically(const QString& path, std::string_view bytes);

}  // namespace vesk
