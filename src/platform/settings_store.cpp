#include "platform/settings_store.h"

#include <QSettings>
#include <QVariant>

#include "platform/ini_settings_format.h"

namespace {

// Sections are QSettings groups in the native INI file, written by the program's own writer
// (see ini_settings_format.h); an entry is "section/entry". Every QSettings
// object of the same location in this process shares one cache, so values
// written here are seen at once by any other QSettings("Brindlework", "VeskHtml").
class QtSettingsStore final : public ISettingsStore {
  public:
    QtSettingsStore()
        : settings_(vesk::SafeIniFormat(), QSettings::UserScope, "Brindlework", "VeskHtml") {}

    int GetProfileInt(const QString& section, const QString& entry, int defaultValue) override {
        const QVariant value = settings_.value(Key(section, entry));
        if (!value.isValid())
            return defaultValue;
        bool ok = false;
        const int number = value.toInt(&ok);
        return ok ? number : defaultValue;
    }

    QString GetProfileString(const QString& section, const QString& entry,
                             const QString& defaultValue) override {
        const QVariant value = settings_.value(Key(section, entry));
        if (!value.isValid() || !value.canConvert<QString>())
            return defaultValue;
        return value.toString();
    }

    void WriteProfileInt(const QString& section, const QString& entry, int value) override {
        settings_.setValue(Key(section, entry), value);
    }

    void WriteProfileString(const QString& section, const QString& entry,
                            const QString& value) override {
        settings_.setValue(Key(section, entry), value);
    }

    void DeleteSection(const QString& section) override { settings_.remove(section); }

    bool HasEntry(const QString& section, const QString& entry) override {
        return settings_.contains(Key(section, entry));
    }

    void Flush() override { settings_.sync(); }

    QString FlushError() const override {
        if (settings_.status() == QSettings::NoError)
            return {};
        return QStringLiteral("設定ファイル [ %1 ] を保存できませんでした。").arg(settings_.fileName());
    }

  private:
    static QString Key(const QString& section, const QString& entry) {
        return section + QLatin1Char('/') + entry;
    }

    QSettings settings_;
};

}  // namespace

std::unique_ptr<ISettingsStore> MakeQtSettingsStore() {
    return std::make_unique<QtSettingsStore>();
}

ISettingsStore& AppStore() {
    static const std::unique_ptr<ISettingsStore> store = MakeQtSettingsStore();
    return *store;
}
