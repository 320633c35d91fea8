#pragma once
// Copying, moving, renaming and creating files and folders for the file
// browser. Nothing is ever deleted for good: what a copy or move replaces, and
// what the user deletes, goes to the desktop's trash.

#include <QString>
#include <functional>

namespace vesk {

enum class FileOpResult { kDone, kAborted, kFailed };

// Asked before anything at the destination is replaced; false keeps it.
using ConfirmReplace = std::function<bool(const QString& destination)>;

// Copies a file or a whole folder. Refused: a missing source, a destination
// that is the source itself, lies inside it, or holds it.
// A replaced destination goes to the trash only once the copy is whole. On failure, error
// (when given) gets the reason where one is known.
FileOpResult CopyPath(const QString& source, const QString& destination,
                      const ConfirmReplace& confirm, QString* error = nullptr);
// Moves a file or a whole folder, with the same refusals.
FileOpResult MovePath(const QString& source, const QString& destination,
                      const ConfirmReplace& confirm, QString* error = nullptr);

// Gives a file or folder a new name in its own folder; false when the name is
// empty, holds a "/", is "." or "..", or is taken.
bool RenamePath(const QString& path, const QString& newName);

// Creates one folder; false when it exists already or cannot be made.
bool CreateFolder(const QString& path);

}  // namespace vesk
