#pragma once
// The recent-file list: ten paths, most recent first, kept in section
// "Recent File List" as "File1" to "File10".

#include <QString>
#include <QStringList>

class ISettingsStore;

class CRecentFileList {
  public:
    static constexpr int kSize = 10;

    void Add(const QString& path);  // moves it to the front; the eleventh falls off
    void Remove(int index);
    const QStringList& Paths() const { return paths_; }
    void Load(ISettingsStore& store);
    void Save(ISettingsStore& store) const;
    // Menu text of entry index: "&1 path" (10 shows as "1&0").
    static QString MenuText(int index, const QString& path);

  private:
    QStringList paths_;
};
