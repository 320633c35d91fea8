#pragma once
// Handing files and addresses to the desktop (xdg-open), starting programs
// and the file manager, each behind a seam for tests.

#include <QString>
#include <functional>

#include "platform/script_seam.h"

namespace vesk {

// Opens a local file with the desktop's application for it; false when it could not be handed over.
bool OpenWithDesktop(const QString& path);

// Opens an address ("http://...") as written with the desktop's handler for it.
bool OpenUrl(const QString& url);

// Starts a program with one argument, detached and never through a shell; false
// when it could not be started.
bool StartProgram(const QString& program, const QString& argument);

// Whether a program path can be started at all: empty is not; a path with a
// separator must be an executable file; a bare name is looked up on PATH.
bool IsRunnableProgram(const QString& program);

// Shows a folder in the desktop's file manager.
bool OpenFolderInFileManager(const QString& folder);

// Files and addresses handed to the desktop (OpenWithDesktop and OpenUrl).
namespace launcher_seam {
using Seam = ScriptSeam<bool(const QString& path)>;
using Script = Seam::Script;
inline void SetScript(Script script) {
    Seam::Set(std::move(script));
}
inline void ClearScript() {
    Seam::Clear();
}
}  // namespace launcher_seam

namespace program_seam {
using Seam = ScriptSeam<bool(const QString& program, const QString& argument)>;
using Script = Seam::Script;
inline void SetScript(Script script) {
    Seam::Set(std::move(script));
}
inline void ClearScript() {
    Seam::Clear();
}
}  // namespace program_seam

// Each seam needs a signature of its own; this request keeps the file manager apart from the
// launcher above.
struct FileManagerRequest {
    QString folder;
};

namespace file_manager_seam {
using Seam = ScriptSeam<bool(const FileManagerRequest& request)>;
using Script = Seam::Script;
inline void SetScript(Script script) {
    Seam::Set(std::move(script));
}
inline void ClearScript() {
    Seam::Clear();
}
}  // namespace file_manager_seam

}  // namespace vesk
