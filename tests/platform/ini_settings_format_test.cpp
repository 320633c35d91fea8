#include "platform/ini_settings_format.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QSettings>

#include "support/scratch_volume.h"
#include "support/test_env.h"

namespace vesk {
namespace {

// Values the settings hold (numbers, paths, font names, recent texts) and the characters that
// need escaping in keys and values.
QSettings::SettingsMap Tricky() {
    QSettings::SettingsMap map;
    map["Settings/TabSize"] = 8;
    map["Settings/Negative"] = -12;
    map["Settings/Empty"] = QString();
    map["Settings/Path"] = QStringLiteral("/home/ユーザー/web site/index.html");
    map["Recent Value/IMG SRC"] = QStringLiteral("a, b; c=d \"quoted\" back\\slash");
    map["Font/lfFaceName"] = QStringLiteral(" ＭＳ Ｐゴシック ");
    map["Font/Lines"] = QStringLiteral("one\r\ntwo\tthree");
    map["Font/Control"] = QStringLiteral(
        "\x01"
        "A\x7F"
        "f0");
    map["Font/At"] = QStringLiteral("@Variant(not one)");
    map["General/Key"] = QStringLiteral("in a section called General");
    map["Top"] = QStringLiteral("no section");
    map["Deep/a/b"] = QStringLiteral("nested");
    map["日本語の節/キー%"] = QStringLiteral("漢字");
    return map;
}

TEST(IniSettingsFormat, QtReadsWhatWeWriteAndWeReadWhatQtWrites) {
    const QSettings::SettingsMap map = Tricky();
    const QString dir = test::MakeTempDir();

    const QString ours =
        test::WriteTestFile(dir + "/ours.conf", SerializeIniSettings(map).toStdString());
    QSettings qtReads(ours, QSettings::IniFormat);
    for (auto it = map.cbegin(); it != map.cend(); ++it)
        EXPECT_EQ(qtReads.value(it.key()).toString(), it.value().toString())
            << it.key().toStdString();
    EXPECT_EQ(qtReads.allKeys().size(), map.size());

    {
        QSettings qtWrites(dir + "/qt.conf", QSettings::IniFormat);
        for (auto it = map.cbegin(); it != map.cend(); ++it)
            qtWrites.setValue(it.key(), it.value());
    }
    QSettings::SettingsMap back;
    ASSERT_TRUE(
        ParseIniSettings(QByteArray::fromStdString(test::ReadTestFile(dir + "/qt.conf")), &back));
    ASSERT_EQ(back.size(), map.size());
    for (auto it = map.cbegin(); it != map.cend(); ++it)
        EXPECT_EQ(back.value(it.key()).toString(), it.value().toString()) << it.key().toStdString();
}

TEST(IniSettingsFormat, FullDiskKeepsTheOldSettingsFile) {
    test::ScratchVolume volume(256 * 1024);
    VESK_REQUIRE_VOLUME(volume);
    const QString path = volume.Path() + "/VeskHtml.conf";
    {
        QSettings settings(path, SafeIniFormat());
        settings.setValue("Settings/TabSize", 4);
    }
    const std::string old = test::ReadTestFile(path);
    ASSERT_FALSE(old.empty());
    ASSERT_TRUE(volume.FillLeaving(4 * 1024));

    QSettings settings(path, SafeIniFormat());
    for (int i = 0; i < 300; ++i)
        settings.setValue(QStringLiteral("Recent Value/Entry%1").arg(i), QString(20, 'v'));
    settings.sync();
    EXPECT_EQ(settings.status(), QSettings::AccessError);
    EXPECT_EQ(test::ReadTestFile(path), old);
}

}  // namespace
}  // namespace vesk
