#include "platform/launcher.h"

#include <QDesktopServices>
#include <QUrl>

namespace vesk {

bool OpenWithDesktop(const QString& path) {
    if (launcher_seam::Seam::Get())
        return launcher_seam::Seam::Get()(path);
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

}  // namespace vesk
