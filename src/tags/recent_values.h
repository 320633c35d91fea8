#pragma once
// The recently used values of one dialog field (colour fields and the mail
// address), kept in the settings section "Recent Value" under "KEY [i]",
// entry 0 the newest.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/settings_store.h"

class QComboBox;

namespace vesk {

class RecentValueList {
  public:
    static constexpr char kSection[] = "Recent Value";

    // How many entries the field of a key keeps: 5 for the mail address
    // "A_MAILTO", 2 for every colour field.
    static int CountOf(std::string_view key);
    // "BODY_TEXT [0]" and the like.
    static QString ValueName(std::string_view key, int index);

    // Loads the entries of key, as many as CountOf(key), or count.
    explicit RecentValueList(std::string key, ISettingsStore& store = AppStore());
    RecentValueList(std::string key, int count, ISettingsStore& store = AppStore());

    const std::string& Key() const { return key_; }
    // All entries, newest first, empty ones included.
    const std::vector<std::string>& Entries() const { return entries_; }

    // The entries a list offers: the non-empty ones, newest first, that pass
    // offer (every one when offer is empty).
    using Filter = std::function<bool(std::string_view)>;
    std::vector<std::string> Offered(const Filter& offer = {}) const;
    // Puts the offered entries at the top of the combo box's list, before the
    // entries it already holds.
    void Fill(QComboBox& combo, const Filter& offer = {}) const;

    enum class EmptyValue { kIgnore, kRemember };
    // The update at confirmation: a value already in the list (exactly, case
    // sensitive) leaves the order as it is; another one becomes entry 0, the
    // others move down and the last is dropped. An empty value changes nothing
    // unless it is to be remembered like any other. Written back to the store.
    void Remember(std::string_view value, EmptyValue empty = EmptyValue::kIgnore);
    // The value becomes entry 0 whether or not the list already holds it (an
    // empty one too); written back to the store.
    void Push(std::string_view value);

  private:
    void PushFront(std::string_view value);
    void Save();

    std::string key_;
    std::vector<std::string> entries_;
    ISettingsStore& store_;
};

// The recent-value keys of the dialogs.
namespace recent_keys {
inline constexpr char kBodyText[] = "BODY_TEXT";
inline constexpr char kBodyLink[] = "BODY_LINK";
inline constexpr char kBodyVlink[] = "BODY_VLINK";
inline constexpr char kBodyAlink[] = "BODY_ALINK";
inline constexpr char kBodyBgcolor[] = "BODY_BGCOLOR";
inline constexpr char kFontColor[] = "FONT_COLOR";
inline constexpr char kFrameBordercolor[] = "FRAME_BORDERCOLOR";
inline constexpr char kTableBgcolor[] = "TABLE_BGCOLOR";
inline constexpr char kTrBgcolor[] = "TR_BGCOLOR";
inline constexpr char kThBgcolor[] = "TH_BGCOLOR";
inline constexpr char kTdBgcolor[] = "TD_BGCOLOR";
inline constexpr char kMailTo[] = "A_MAILTO";
}  // namespace recent_keys

}  // namespace vesk
