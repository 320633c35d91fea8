#include "tags/recent_values.h"

#include <QComboBox>
#include <algorithm>

namespace vesk {

namespace {

QString ToQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

int RecentValueList::CountOf(std::string_view key) {
    return key == recent_keys::kMailTo ? 5 : 2;
}

QString RecentValueList::ValueName(std::string_view key, int index) {
    return ToQString(key) + QStringLiteral(" [%1]").arg(index);
}

RecentValueList::RecentValueList(std::string key, ISettingsStore& store)
    : RecentValueList(key, CountOf(key), store) {}

RecentValueList::RecentValueList(std::string key, int count, ISettingsStore& store)
    : key_(std::move(key)), store_(store) {
    entries_.reserve(std::max(count, 0));
    for (int i = 0; i < count; ++i)
        entries_.push_back(
            store_.GetProfileString(kSection, ValueName(key_, i), QString()).toStdString());
}

std::vector<std::string> RecentValueList::Offered(const Filter& offer) const {
    std::vector<std::string> offered;
    for (const std::string& entry : entries_) {
        if (!entry.empty() && (!offer || offer(entry)))
            offered.push_back(entry);
    }
    return offered;
}

void RecentValueList::Fill(QComboBox& combo, const Filter& offer) const {
    int row = 0;
    for (const std::string& entry : Offered(offer)) combo.insertItem(row++, ToQString(entry));
}

void RecentValueList::Remember(std::string_view value, EmptyValue empty) {
    if (value.empty() && empty == EmptyValue::kIgnore)
        return;
    if (std::find(entries_.begin(), entries_.end(), value) == entries_.end())
        PushFront(value);
    Save();
}

void RecentValueList::Push(std::string_view value) {
    PushFront(value);
    Save();
}

void RecentValueList::PushFront(std::string_view value) {
    if (entries_.empty())
        return;
    std::move_backward(entries_.begin(), entries_.end() - 1, entries_.end());
    entries_.front() = value;
}

void RecentValueList::Save() {
    for (int i = 0; i < static_cast<int>(entries_.size()); ++i)
        store_.WriteProfileString(kSection, ValueName(key_, i), ToQString(entries_[i]));
}

}  // namespace vesk
