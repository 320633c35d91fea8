#pragma once
// The settings store: named sections holding int and string values, read with
// defaults and written without checks. The real store is QSettings
// ("Brindlework", "VeskHtml"); tests may use a store of their own.

#include <QString>
#include <memory>

class ISettingsStore {
  public:
    virtual ~ISettingsStore() = default;
    virtual int GetProfileInt(const QString& section, const QString& entry, int defaultValue) = 0;
    virtual QString GetProfileString(const QString& section, const QString& entry,
                                     const QString& defaultValue) = 0;
    virtual void WriteProfileInt(const QString& section, const QString& entry, int value) = 0;
    virtual void WriteProfileString(const QString& section, const QString& entry,
                                    const QString& value) = 0;
    // Removes a section with every value in it.
    virtual void DeleteSection(const QString& section) = 0;
    virtual bool HasEntry(const QString& section, const QString& entry) = 0;
    virtual void Flush() = 0;
    // Why the last flush did not reach the disk; empty when it did.
    virtual QString FlushError() const { return {}; }
};

// The store on QSettings("Brindlework", "VeskHtml"): the native INI file, written safely.
std::unique_ptr<ISettingsStore> MakeQtSettingsStore();

// The application's store, created on first use. Tests redirect QSettings
// (QSettings::setPath) before touching it.
ISettingsStore& AppStore();
