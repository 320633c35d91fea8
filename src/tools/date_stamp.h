#pragma once
// Date texts of the date stamp: the date parts, the built-in styles with their
// packed codes and three renderers, user-defined formats, the candidate lists
// and the coupling of the shown parts. Pure functions; the date comes in.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vesk {

// A calendar date. weekday: 0 Sunday ... 6 Saturday. Values out of range
// render as empty names, never as a read outside the tables.
struct DateParts {
    int year = 2000;
    int month = 1;
    int day = 1;
    int weekday = 6;
};

// Which parts a built-in style shows (the check boxes 年, 月, 日, 曜日).
struct DatePartsOn {
    bool year = true;
    bool month = true;
    bool day = true;
    bool weekday = true;

    // Bits 0 to 3: year, month, day, weekday.
    std::uint32_t Bits() const;
    static DatePartsOn FromBits(std::uint32_t bits);
    bool operator==(const DatePartsOn&) const = default;
};

enum class DatePart { Year, Month, Day, Weekday };

// After the user switched one part, the others follow so that the shown parts
// leave no gap. state already holds the switched part's new value.
DatePartsOn CoupleDateParts(DatePartsOn state, DatePart switched);

// The value of one format token ("y1" ... "w2"); empty for an unknown token.
std::string DateToken(std::string_view token, const DateParts& date);
// The eleven token names in the order of the format builder.
extern const std::array<const char*, 11> kDateTokens;

enum class DateRenderer { Japanese, EnglishA, EnglishB };

// A built-in style. For the Japanese renderer: year style 0-4, month style
// 0-1, day style 0-1, weekday style 0-1, separator 0 (年月日), 1 "/", 2 "-",
// 3 none. For the English ones: year style 0-1, month form (second) 1 m2,
// 2 m3, 3 m4, day style 0-1, no fourth value (-1), separator 2 "-", else a blank.
struct BuiltInDateStyle {
    DateRenderer renderer = DateRenderer::Japanese;
    DatePartsOn on;
    int yearStyle = 0;
    int second = 0;
    int third = 0;
    int fourth = 0;
    int separator = 0;
    bool operator==(const BuiltInDateStyle&) const = default;
};

// The 32-bit code of a style: one bit per group (parts shown in bits 0-3).
std::uint32_t EncodeDateStyle(const BuiltInDateStyle& style);
// Reads a code back. A group with no bit takes its lowest value (the English
// fourth group: none), one with several bits its lowest set bit, so any stored
// number renders something.
BuiltInDateStyle DecodeDateStyle(std::uint32_t code);

std::string RenderBuiltIn(std::uint32_t code, const DateParts& date);
std::string RenderBuiltIn(const BuiltInDateStyle& style, const DateParts& date);

// A user-defined format: literal0 "token1" literal1 ... "token4" literal4.
std::string RenderUserFormat(std::string_view format, const DateParts& date);
// Composes a format text; an empty token gives two adjacent quotes.
std::string ComposeUserFormat(const std::array<std::string, 5>& literals,
                              const std::array<std::string, 4>& tokens);

// The codes of the candidate list for the shown parts: 32 Japanese or 10 English lines.
std::vector<std::uint32_t> CandidateDateCodes(bool english, DatePartsOn on);

}  // namespace vesk
