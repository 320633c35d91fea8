#pragma once
// Handing files and addresses to the desktop (xdg-open), behind a seam for tests.

#include <QString>
#include <functional>

#include "platform/script_seam.h"

namespace vesk {

// Opens a local file with the desktop's application for it; false when it could not be handed over.
bool OpenWithDesktop(const QString& path);

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

}  // namespace vesk
