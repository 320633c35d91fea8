#include "tags/colour_fields.h"

#include <QColor>
#include <QColorDialog>
#include <algorithm>

#include "platform/dialog_seam.h"

namespace vesk {

namespace {

// HTML 4.0 values.
constexpr NamedColour kNames[] = {
    {"black", {0x00, 0x00, 0x00}},   {"gray", {0x80, 0x80, 0x80}},   {"silver", {0xC0, 0xC0, 0xC0}},
    {"white", {0xFF, 0xFF, 0xFF}},   {"maroon", {0x80, 0x00, 0x00}}, {"red", {0xFF, 0x00, 0x00}},
    {"olive", {0x80, 0x80, 0x00}},   {"yellow", {0xFF, 0xFF, 0x00}}, {"green", {0x00, 0x80, 0x00}},
    {"lime", {0x00, 0xFF, 0x00}},    {"teal", {0x00, 0x80, 0x80}},   {"aqua", {0x00, 0xFF, 0xFF}},
    {"navy", {0x00, 0x00, 0x80}},    {"blue", {0x00, 0x00, 0xFF}},   {"purple", {0x80, 0x00, 0x80}},
    {"fuchsia", {0xFF, 0x00, 0xFF}},
};

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

QString ColourEntry(int index) {
    return QStringLiteral("COLOR_%1").arg(index);
}

QColor ToQColor(int colorRef) {
    const RgbColour c = FromColorRef(colorRef);
    return QColor(c.red, c.green, c.blue);
}

int FromQColor(const QColor& colour) {
    return ToColorRef({static_cast<std::uint8_t>(colour.red()),
                       static_cast<std::uint8_t>(colour.green()),
                       static_cast<std::uint8_t>(colour.blue())});
}

}  // namespace

std::span<const NamedColour> ColourNames() {
    return kNames;
}

std::optional<RgbColour> ParseColorCode(std::string_view text) {
    if (text.size() != 7 || text[0] != '#')
        return std::nullopt;
    int channels[3];
    for (int i = 0; i < 3; ++i) {
        const int high = HexDigit(text[1 + 2 * i]);
        const int low = HexDigit(text[2 + 2 * i]);
        if (high < 0 || low < 0)
            return std::nullopt;
        channels[i] = high * 16 + low;
    }
    return RgbColour{static_cast<std::uint8_t>(channels[0]), static_cast<std::uint8_t>(channels[1]),
                     static_cast<std::uint8_t>(channels[2])};
}

std::optional<RgbColour> ColorFromName(std::string_view text) {
    for (const NamedColour& named : kNames) {
        if (named.name == text)
            return named.colour;
    }
    return std::nullopt;
}

std::optional<RgbColour> ParseColourText(std::string_view text) {
    if (auto code = ParseColorCode(text))
        return code;
    return ColorFromName(text);
}

RgbColour ColourOfText(std::string_view text, RgbColour fallback) {
    return ParseColourText(text).value_or(fallback);
}

std::string FormatColorCode(RgbColour colour) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string code = "#";
    for (const std::uint8_t channel : {colour.red, colour.green, colour.blue}) {
        code += kDigits[channel >> 4];
        code += kDigits[channel & 0x0F];
    }
    return code;
}

int ToColorRef(RgbColour colour) {
    return colour.red | (colour.green << 8) | (colour.blue << 16);
}

RgbColour FromColorRef(int value) {
    return {static_cast<std::uint8_t>(value & 0xFF), static_cast<std::uint8_t>((value >> 8) & 0xFF),
            static_cast<std::uint8_t>((value >> 16) & 0xFF)};
}

CustomColours CustomColours::Load(ISettingsStore& store) {
    CustomColours colours;
    for (int i = 0; i < kCount; ++i)
        colours.values_[i] = store.GetProfileInt(kSection, ColourEntry(i), kDefault);
    return colours;
}

void CustomColours::Store(ISettingsStore& store) const {
    for (int i = 0; i < kCount; ++i) store.WriteProfileInt(kSection, ColourEntry(i), values_[i]);
}

std::optional<RgbColour> ChooseColour(QWidget* parent, RgbColour initial, CustomColours& custom) {
    // Qt keeps one set of custom colours for the whole program: it is loaded
    // with this dialog's set before, and read back after.
    const int slotCount = std::min(QColorDialog::customCount(), CustomColours::kCount);
    for (int i = 0; i < slotCount; ++i) QColorDialog::setCustomColor(i, ToQColor(custom[i]));

    QColorDialog chooser(parent);
    // Qt's own dialog always shows the custom colours; a desktop's native one may not.
    chooser.setOption(QColorDialog::DontUseNativeDialog);
    chooser.setCurrentColor(QColor(initial.red, initial.green, initial.blue));
    const int result = RunDialog(chooser);

    for (int i = 0; i < slotCount; ++i) custom.Set(i, FromQColor(QColorDialog::customColor(i)));
    if (result != QDialog::Accepted)
        return std::nullopt;
    const QColor chosen = chooser.currentColor();
    return RgbColour{static_cast<std::uint8_t>(chosen.red()),
                     static_cast<std::uint8_t>(chosen.green()),
                     static_cast<std::uint8_t>(chosen.blue())};
}

}  // namespace vesk
