#include "platform/launcher.h"

#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace vesk {

bool OpenWithDesktop(const QString& path) {
    if (launcher_seam::Seam::Get())
        return launcher_seam::Seam::Get()(path);
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

bool OpenUrl(const QString& url) {
    if (launcher_seam::Seam::Get())
        return launcher_seam::Seam::Get()(url);
    const QUrl address(url);
    return address.isValid() && QDesktopServices::openUrl(address);
}

bool StartProgram(const QString& program, const QString& argument) {
    if (program_seam::Seam::Get())
        return program_seam::Seam::Get()(program, argument);
    if (program.isEmpty())
        return false;
    const QStringList arguments = argument.isEmpty() ? QStringList() : QStringList{argument};
    return QProcess::startDetached(program, arguments);
}

bool IsRunnableProgram(const QString& program) {
    if (program.isEmpty())
        return false;
    if (program.contains(QLatin1Char('/'))) {
        const QFileInfo file(program);
        return file.isFile() && file.isExecutable();
    }
    return !QStandardPaths::findExecutable(program).isEmpty();
}

bool OpenFolderInFileManager(const QString& folder) {
    if (file_manager_seam::Seam::Get())
        return file_manager_seam::Seam::Get()(FileManagerRequest{folder});
    // The desktop's handler for a folder is its file manager.
    return QFileInfo(folder).isDir() && QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
}

}  // namespace vesk
