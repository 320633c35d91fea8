// Whole-file reads and atomic writes (QSaveFile: a temporary file beside the target, renamed
// over it on commit).

#include "platform/file_io.h"

#include <QFile>
#include <QSaveFile>

namespace vesk {

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
    // QSaveFile keeps the old file's permissions and writes through a symbolic link to its
    // target; it never falls back to writing the file in place.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        result.error = file.errorString();
        return result;
    }
    std::size_t written = 0;
    while (written < bytes.size()) {
        const qint64 n =
            file.write(bytes.data() + written, static_cast<qint64>(bytes.size() - written));
        if (n <= 0) {
            result.error = file.errorString();
            file.cancelWriting();
            return result;
        }
        written += static_cast<std::size_t>(n);
    }
    if (!file.commit()) {
        result.error = file.errorString();
        return result;
    }
    result.ok = true;
    return result;
}

}  // namespace vesk
