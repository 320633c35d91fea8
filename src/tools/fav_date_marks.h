#pragma once
// The favourite date formats: built-in style codes and user-defined format
// texts, kept in "favdmarks.vkd" in the UsersData folder.

#include <QString>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class CFavDateMarks {
  public:
    enum class LoadStatus { Loaded, Missing, Damaged };
    static const char kFileName[];

    const std::vector<std::uint32_t>& Codes() const { return codes_; }
    const std::vector<std::string>& Formats() const { return formats_; }

    // Add at the end unless already present; the index of the entry either way.
    int AddCode(std::uint32_t code);
    int AddFormat(const std::string& format);
    // Out-of-range indexes are ignored.
    void RemoveCode(int index);
    void RemoveFormat(int index);
    void Clear();

    // The file bytes: code count, codes (32 bits each), format count, formats.
    std::string Serialize() const;
    // A damaged file gives false and empty lists; repeated entries are read once.
    bool Deserialize(std::string_view bytes);

    // A missing file gives Missing, a damaged or unreadable one Damaged; both
    // leave the lists empty. Save creates UsersData when missing and replaces
    // the file atomically; false with the system's reason in *error.
    LoadStatus Load();
    bool Save(QString* error = nullptr) const;

  private:
    std::vector<std::uint32_t> codes_;
    std::vector<std::string> formats_;
};
