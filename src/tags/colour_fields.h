#pragma once
// Colour texts of the tag dialogs: "#RRGGBB" codes and the 16 HTML colour
// names, the 16 custom colours of the colour chooser kept in the settings, and
// the chooser itself. The text rules are plain functions over byte strings.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "platform/settings_store.h"

class QWidget;

namespace vesk {

struct RgbColour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend bool operator==(const RgbColour&, const RgbColour&) = default;
};

inline constexpr RgbColour kBlack{0, 0, 0};
inline constexpr RgbColour kWhite{0xFF, 0xFF, 0xFF};

struct NamedColour {
    std::string_view name;
    RgbColour colour;
};

// The 16 names in the order of the colour fields' lists.
std::span<const NamedColour> ColourNames();

// "#" and six hexadecimal digits (either case), exactly 7 characters.
std::optional<RgbColour> ParseColorCode(std::string_view text);
// One of the 16 names, matched exactly (lower case only).
std::optional<RgbColour> ColorFromName(std::string_view text);
// A code, else a name.
std::optional<RgbColour> ParseColourText(std::string_view text);
inline bool IsValidColourText(std::string_view text) {
    return ParseColourText(text).has_value();
}
// The colour a text stands for, or fallback when it stands for none.
RgbColour ColourOfText(std::string_view text, RgbColour fallback);
// "#RRGGBB" with upper-case digits.
std::string FormatColorCode(RgbColour colour);

// Stored colour values are 0x00BBGGRR.
int ToColorRef(RgbColour colour);
RgbColour FromColorRef(int value);

// The 16 custom colours of the colour chooser. Each dialog with colour fields
// loads them when it is created, shares them among its fields and writes them
// back when it is confirmed.
class CustomColours {
  public:
    static constexpr int kCount = 16;
    static constexpr char kSection[] = "CustumColors";  // spelled so in the stored settings
    static constexpr int kDefault = 0xFFFFFF;

    CustomColours() { values_.fill(kDefault); }
    static CustomColours Load(ISettingsStore& store = AppStore());
    void Store(ISettingsStore& store = AppStore()) const;

    // 0x00BBGGRR values.
    int operator[](int index) const { return values_[index]; }
    void Set(int index, int colorRef) { values_[index] = colorRef; }

  private:
    std::array<int, kCount> values_;
};

// The colour chooser, preset to initial and holding the dialog's custom
// colours. Custom colours edited in it are kept in custom, whether the chooser
// is confirmed or not. The chosen colour, or nothing on Cancel.
std::optional<RgbColour> ChooseColour(QWidget* parent, RgbColour initial, CustomColours& custom);

}  // namespace vesk
