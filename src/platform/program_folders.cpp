// The program's folder and the UsersData folder beside it.

#include "platform/program_folders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace vesk {

QString ProgramFolder() {
    return QCoreApplication::applicationDirPath();
}

QString UsersDataFolder() {
    const QString overridden = qEnvironmentVariable("VESKHTML_DATA_DIR");
    if (!overridden.isEmpty()) {
        return overridden;
    }
    const QString programFolder = ProgramFolder();
    const QString beside = programFolder + QStringLiteral("/UsersData");
    // An installed program usually sits in a folder only root can write; its
    // lists then go to the user's own data folder. A UsersData that already
    // exists beside the program and can be written is used either way.
    const QFileInfo besideInfo(beside);
    if (QFileInfo(programFolder).isWritable() || (besideInfo.isDir() && besideInfo.isWritable())) {
        return beside;
    }
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/UsersData");
}

QString UsersDataFile(const QString& name) {
    return UsersDataFolder() + QLatin1Char('/') + name;
}

bool EnsureUsersDataFolder() {
    return QDir().mkpath(UsersDataFolder());
}

}  // namespace vesk
