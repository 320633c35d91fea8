#pragma once
// Handing files and addresses to the desktop (xdg-open), behind a seam for tests.

#include <QString>
#include <functional>

namespace vesk {

// Opens a local file with the desktop's application for it; false when it could not be handed over.
bool OpenWithDesktop(const QString& path);

namespace launcher_seam {
using Script = std::function<bool(const QString& path)>;
void SetScript(Script script);
void ClearScript();
}  // namespace launcher_seam

}  // namespace vesk
