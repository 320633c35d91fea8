// Test entry point: headless Qt, settings and UsersData in a temporary folder.

#include <gtest/gtest.h>

#include <QApplication>
#include <QSettings>
#include <QStandardPaths>

#include "platform/ini_settings_format.h"
#include "support/seams.h"
#include "support/test_env.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    const QString root = vesk::test::TempRoot();
    qputenv("VESKHTML_DATA_DIR", (root + "/UsersData").toUtf8());
    qputenv("XDG_CONFIG_HOME", (root + "/config").toUtf8());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, root + "/config");
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, root + "/config");
    QSettings::setPath(vesk::SafeIniFormat(), QSettings::UserScope, root + "/config");

    QApplication app(argc, argv);
    QApplication::setOrganizationName("Brindlework");
    QApplication::setApplicationName("VeskHtml");
    vesk::test::InstallNonBlockingSeams();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
