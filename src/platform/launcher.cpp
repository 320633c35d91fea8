#include "platform/launcher.h"

#include <QDesktopServices>
#include <QUrl>

namespace vesk {

namespace {
launcher_seam::Script& CurrentScript() {
    static launcher_seam::Script script;
    return script;
}
}  // namespace

namespace launcher_seam {
void SetScript(Script script) {
    CurrentScript() = std::move(script);
}
void ClearScript() {
    CurrentScript() = nullptr;
}
}  // namespace launcher_seam

bool OpenWithDesktop(const QString& path) {
    if (CurrentScript())
        return CurrentScript()(path);
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

}  // namespace vesk
