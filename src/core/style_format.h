#pragma once
// Character formats of the four colouring styles and of the preview font, as stored.

#include <QString>
#include <cstdint>

// Effect bits of a style.
enum : std::uint32_t {
    kEffectBold = 0x1,
    kEffectItalic = 0x2,
    kEffectUnderline = 0x4,
    kEffectStrikeout = 0x8,
};

struct StyleFormat {
    static constexpr std::uint32_t kMask =
        0xF800000F;  // bold|italic|underline|strikeout|size|colour|face|offset|charset
    std::uint32_t mask = kMask;
    std::uint32_t effects = 0;
    int height = 220;  // twips
    int offset = 0;
    std::uint32_t textColor = 0;  // 0x00BBGGRR
    int charSet = 128;
    int pitchAndFamily = 0;
    QString faceName;  // at most 31 characters

    bool operator==(const StyleFormat&) const = default;
};

// The colouring styles, in stored order.
enum StyleIndex { kStyleTag = 0, kStyleParam = 1, kStyleText = 2, kStyleCom = 3, kStyleCount = 4 };

struct PreviewFont {
    int height = -16;
    int width = 0;
    int weight = 400;
    int italic = 0;
    int charSet = 128;
    QString faceName;

    bool operator==(const PreviewFont&) const = default;
};

// Face names are kept to 31 characters.
QString CutFaceName(const QString& name);
