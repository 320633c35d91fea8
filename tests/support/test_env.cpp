#include "support/test_env.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <QUuid>
#include <string>

namespace vesk::test {

namespace {
QTemporaryDir& Root() {
    static QTemporaryDir dir;
    return dir;
}
}  // namespace

QString TempRoot() {
    return Root().path();
}

QString MakeTempDir() {
    QString path = TempRoot() + "/d" + QUuid::createUuid().toString(QUuid::Id128);
    QDir().mkpath(path);
    return path;
}

QString WriteTestFile(const QString& path, const std::string& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    }
    return path;
}

std::string ReadTestFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QByteArray data = file.readAll();
    return std::string(data.constData(), static_cast<size_t>(data.size()));
}

void ClearSettings() {
    QSettings settings("Brindlework", "VeskHtml");
    settings.clear();
    settings.sync();
}

}  // namespace vesk::test
