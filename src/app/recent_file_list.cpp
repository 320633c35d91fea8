#include "app/recent_file_list.h"

#include <QDir>

#include "platform/settings_store.h"

namespace {
const char kSection[] = "Recent File List";
}

void CRecentFileList::Add(const QString& path) {
    paths_.removeAll(path);
    paths_.prepend(path);
    while (paths_.size() > kSize) paths_.removeLast();
}

void CRecentFileList::Remove(int index) {
    if (index >= 0 && index < paths_.size())
        paths_.removeAt(index);
}

void CRecentFileList::Load(ISettingsStore& store) {
    paths_.clear();
    for (int i = 1; i <= kSize; ++i) {
        QString path = store.GetProfileString(kSection, QString("File%1").arg(i), QString());
        if (!path.isEmpty() && !paths_.contains(path))
            paths_ << path;
    }
}

void CRecentFileList::Save(ISettingsStore& store) const {
    store.DeleteSection(kSection);
    for (int i = 0; i < paths_.size(); ++i) {
        store.WriteProfileString(kSection, QString("File%1").arg(i + 1), paths_[i]);
    }
}

QString CRecentFileList::MenuText(int index, const QString& path) {
    QString number = index + 1 < 10 ? QString("&%1").arg(index + 1) : QString("1&0");
    QString shown = QDir::toNativeSeparators(path);
    shown.replace('&', "&&");
    return number + " " + shown;
}
