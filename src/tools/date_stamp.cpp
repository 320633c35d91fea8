// Date texts of the date stamp.

#include "tools/date_stamp.h"

#include <string>

namespace vesk {

namespace {

constexpr std::array<const char*, 12> kMonthNames = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};
constexpr std::array<const char*, 12> kMonthAbbreviations = {
    "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
constexpr std::array<const char*, 7> kWeekdayNames = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                      "Thursday", "Friday", "Saturday"};
constexpr std::array<const char*, 7> kWeekdayCharacters = {"日", "月", "火", "水",
                                                           "木", "金", "土"};

// The first bit of each style group and how many values it holds.
struct BitGroup {
    int first;
    int values;
};
constexpr BitGroup kYearGroup{4, 5};
constexpr BitGroup kSecondGroup{10, 4};
constexpr BitGroup kThirdGroup{15, 2};
constexpr BitGroup kFourthGroup{18, 2};
constexpr BitGroup kSeparatorGroup{22, 4};
constexpr BitGroup kRendererGroup{28, 3};

std::uint32_t GroupBit(BitGroup group, int value) {
    // A value outside the group would land in its neighbour's bits.
    if (value < 0 || value >= group.values)
        return 0;
    return std::uint32_t{1} << (group.first + value);
}

// Lowest set bit of the group, or -1 when none is set.
int GroupValue(std::uint32_t code, BitGroup group) {
    for (int value = 0; value < group.values; ++value) {
        if (code & (std::uint32_t{1} << (group.first + value)))
            return value;
    }
    return -1;
}

template <std::size_t N>
std::string NameAt(const std::array<const char*, N>& names, int index) {
    return index >= 0 && index < static_cast<int>(N) ? names[index] : "";
}

std::string TwoDigits(int value) {
    std::string text = std::to_string(value);
    return value >= 0 && value < 10 ? "0" + text : text;
}

std::string LastTwoCharacters(int value) {
    const std::string text = std::to_string(value);
    return text.size() > 2 ? text.substr(text.size() - 2) : text;
}

std::string EraYear(const DateParts& date) {
    return std::to_string(date.year - 1988);
}

std::string RenderJapanese(const BuiltInDateStyle& style, const DateParts& date) {
    static constexpr std::array<const char*, 4> kYearSeparators = {"年", "/", "-", ""};
    static constexpr std::array<const char*, 4> kMonthSeparators = {"月", "/", "-", ""};
    const int kind = style.separator;
    const DatePartsOn& on = style.on;
    std::string text;
    if (on.year) {
        switch (style.yearStyle) {
            case 1:
                text += LastTwoCharacters(date.year);
                break;
            case 2:
                text += "H" + EraYear(date);
                break;
            case 3:
                text += "平成" + EraYear(date);
                break;
            case 4:
                text += EraYear(date);
                break;
            default:
                text += std::to_string(date.year);
        }
        if (on.month || kind == 0)
            text += NameAt(kYearSeparators, kind);
    }
    if (on.month) {
        text += style.second == 1 ? TwoDigits(date.month) : std::to_string(date.month);
        if (on.day || kind == 0)
            text += NameAt(kMonthSeparators, kind);
    }
    if (on.day) {
        text += style.third == 1 ? TwoDigits(date.day) : std::to_string(date.day);
        if (kind == 0)
            text += "日";
    }
    if (on.weekday) {
        const std::string weekday = NameAt(kWeekdayCharacters, date.weekday);
        text += style.fourth == 1 ? "(" + weekday + ")" : weekday + "曜日";
    }
    return text;
}

std::string EnglishYear(const BuiltInDateStyle& style, const DateParts& date) {
    return style.yearStyle == 1 ? LastTwoCharacters(date.year) : std::to_string(date.year);
}

std::string EnglishMonth(const BuiltInDateStyle& style, const DateParts& date) {
    switch (style.second) {
        case 1:
            return TwoDigits(date.month);
        case 2:
            return NameAt(kMonthNames, date.month - 1);
        case 3:
            return NameAt(kMonthAbbreviations, date.month - 1);
        default:
            return std::to_string(date.month);
    }
}

std::string EnglishDay(const BuiltInDateStyle& style, const DateParts& date) {
    return style.third == 1 ? TwoDigits(date.day) : std::to_string(date.day);
}

// Weekday, month day, year: "Sunday, December 6, 2026".
std::string RenderEnglishA(const BuiltInDateStyle& style, const DateParts& date) {
    const DatePartsOn& on = style.on;
    std::string text;
    if (on.weekday) {
        text += NameAt(kWeekdayNames, date.weekday);
        if (on.month || on.day)
            text += ", ";
    }
    if (on.month) {
        text += EnglishMonth(style, date);
        if (on.day)
            text += " ";
        else if (on.year)
            text += ", ";
    }
    if (on.day) {
        text += EnglishDay(style, date);
        if (on.year)
            text += ", " + EnglishYear(style, date);
    } else if (on.year) {
        text += EnglishYear(style, date);
    }
    return text;
}

// Weekday, day month year: "Sunday, 6 December, 2026" or "Sunday, 06-Dec-2026".
std::string RenderEnglishB(const BuiltInDateStyle& style, const DateParts& date) {
    const DatePartsOn& on = style.on;
    const bool hyphens = style.separator == 2;
    std::string text;
    if (on.weekday) {
        text += NameAt(kWeekdayNames, date.weekday);
        if (on.day)
            text += ", ";
    }
    if (on.day) {
        text += EnglishDay(style, date);
        if (on.month) {
            text += hyphens ? "-" : " ";
        } else {
            if (on.year)
                text += EnglishYear(style, date);
            return text;
        }
    }
    if (on.month) {
        text += EnglishMonth(style, date);
        if (on.year)
            text += (hyphens ? "-" : ", ") + EnglishYear(style, date);
    } else if (on.year) {
        text += EnglishYear(style, date);
    }
    return text;
}

}  // namespace

const std::array<const char*, 11> kDateTokens = {"y1", "y2", "y3", "m1", "m2", "m3",
                                                 "m4", "d1", "d2", "w1", "w2"};

std::uint32_t DatePartsOn::Bits() const {
    return (year ? 1u : 0u) | (month ? 2u : 0u) | (day ? 4u : 0u) | (weekday ? 8u : 0u);
}

DatePartsOn DatePartsOn::FromBits(std::uint32_t bits) {
    return DatePartsOn{(bits & 1u) != 0, (bits & 2u) != 0, (bits & 4u) != 0, (bits & 8u) != 0};
}

DatePartsOn CoupleDateParts(DatePartsOn s, DatePart switched) {
    switch (switched) {
        case DatePart::Year:
            if (s.year) {
                if (s.weekday)
                    s.day = s.month = true;
                if (s.day)
                    s.month = true;
            }
            break;
        case DatePart::Month:
            if (s.month) {
                if (s.weekday)
                    s.day = true;
            } else if (s.year) {
                s.day = s.weekday = false;
            }
            break;
        case DatePart::Day:
            if (s.day && s.year)
                s.month = true;
            else if (!s.day && s.month)
                s.weekday = false;
            break;
        case DatePart::Weekday:
            if (s.weekday) {
                if (s.year)
                    s.month = s.day = true;
                if (s.month)
                    s.day = true;
            }
            break;
    }
    return s;
}

std::string DateToken(std::string_view token, const DateParts& date) {
    if (token == "y1")
        return std::to_string(date.year);
    if (token == "y2")
        return LastTwoCharacters(date.year);
    if (token == "y3")
        return EraYear(date);
    if (token == "m1")
        return std::to_string(date.month);
    if (token == "m2")
        return TwoDigits(date.month);
    if (token == "m3")
        return NameAt(kMonthNames, date.month - 1);
    if (token == "m4")
        return NameAt(kMonthAbbreviations, date.month - 1);
    if (token == "d1")
        return std::to_string(date.day);
    if (token == "d2")
        return TwoDigits(date.day);
    if (token == "w1")
        return NameAt(kWeekdayCharacters, date.weekday);
    if (token == "w2")
        return NameAt(kWeekdayNames, date.weekday);
    return {};
}

std::uint32_t EncodeDateStyle(const BuiltInDateStyle& style) {
    return style.on.Bits() | GroupBit(kYearGroup, style.yearStyle) |
           GroupBit(kSecondGroup, style.second) | GroupBit(kThirdGroup, style.third) |
           GroupBit(kFourthGroup, style.fourth) | GroupBit(kSeparatorGroup, style.separator) |
           GroupBit(kRendererGroup, static_cast<int>(style.renderer));
}

BuiltInDateStyle DecodeDateStyle(std::uint32_t code) {
    BuiltInDateStyle style;
    const int renderer = GroupValue(code, kRendererGroup);
    style.renderer = renderer < 0 ? DateRenderer::Japanese : static_cast<DateRenderer>(renderer);
    style.on = DatePartsOn::FromBits(code);
    auto valueOr = [code](BitGroup group, int fallback) {
        const int value = GroupValue(code, group);
        return value < 0 ? fallback : value;
    };
    style.yearStyle = valueOr(kYearGroup, 0);
    style.second = valueOr(kSecondGroup, 0);
    style.third = valueOr(kThirdGroup, 0);
    style.fourth = valueOr(kFourthGroup, style.renderer == DateRenderer::Japanese ? 0 : -1);
    style.separator = valueOr(kSeparatorGroup, 0);
    return style;
}

std::string RenderBuiltIn(const BuiltInDateStyle& style, const DateParts& date) {
    switch (style.renderer) {
        case DateRenderer::EnglishA:
            return RenderEnglishA(style, date);
        case DateRenderer::EnglishB:
            return RenderEnglishB(style, date);
        case DateRenderer::Japanese:
            break;
    }
    return RenderJapanese(style, date);
}

std::string RenderBuiltIn(std::uint32_t code, const DateParts& date) {
    return RenderBuiltIn(DecodeDateStyle(code), date);
}

std::string RenderUserFormat(std::string_view format, const DateParts& date) {
    std::string text;
    std::size_t pos = 0;
    // Segments alternate literal, token, literal...; the ninth (literal4) is the
    // whole rest, quotes included.
    for (int segment = 0; segment < 9; ++segment) {
        const bool literal = segment % 2 == 0;
        const std::size_t quote = segment < 8 ? format.find('"', pos) : std::string_view::npos;
        if (quote == std::string_view::npos) {
            // An unclosed token is incomplete and gives nothing.
            if (literal)
                text += format.substr(pos);
            break;
        }
        const std::string_view piece = format.substr(pos, quote - pos);
        text += literal ? std::string(piece) : DateToken(piece, date);
        pos = quote + 1;
    }
    return text;
}

std::string ComposeUserFormat(const std::array<std::string, 5>& literals,
                              const std::array<std::string, 4>& tokens) {
    std::string format = literals[0];
    for (std::size_t i = 0; i < tokens.size(); ++i)
        format += "\"" + tokens[i] + "\"" + literals[i + 1];
    return format;
}

std::vector<std::uint32_t> CandidateDateCodes(bool english, DatePartsOn on) {
    std::vector<std::uint32_t> codes;
    if (english) {
        struct Line {
            DateRenderer renderer;
            int year, month, day;
            bool hyphens;
        };
        constexpr DateRenderer A = DateRenderer::EnglishA;
        constexpr DateRenderer B = DateRenderer::EnglishB;
        static constexpr std::array<Line, 10> kLines = {{{A, 0, 2, 0, false},
                                                         {A, 0, 3, 0, false},
                                                         {A, 1, 3, 0, false},
                                                         {B, 0, 2, 0, false},
                                                         {B, 0, 3, 0, false},
                                                         {B, 1, 3, 0, false},
                                                         {B, 0, 3, 1, true},
                                                         {B, 1, 3, 1, true},
                                                         {B, 0, 1, 1, true},
                                                         {B, 1, 1, 1, true}}};
        for (const Line& line : kLines) {
            codes.push_back(EncodeDateStyle(BuiltInDateStyle{
                line.renderer, on, line.year, line.month, line.day, -1, line.hyphens ? 2 : 0}));
        }
        return codes;
    }
    // (year, month, day, weekday) styles.
    using Styles = std::array<int, 4>;
    auto add = [&](const Styles& s, int separator) {
        codes.push_back(EncodeDateStyle(
            BuiltInDateStyle{DateRenderer::Japanese, on, s[0], s[1], s[2], s[3], separator}));
    };
    static constexpr std::array<Styles, 6> kWithCharacters = {
        {{0, 0, 0, 0}, {2, 0, 0, 0}, {3, 0, 0, 0}, {0, 0, 0, 1}, {2, 0, 0, 1}, {3, 0, 0, 1}}};
    static constexpr std::array<Styles, 12> kWithSeparators = {{{0, 0, 0, 0},
                                                                {2, 0, 0, 0},
                                                                {0, 0, 0, 1},
                                                                {2, 0, 0, 1},
                                                                {0, 1, 1, 0},
                                                                {2, 1, 1, 0},
                                                                {0, 1, 1, 1},
                                                                {2, 1, 1, 1},
                                                                {1, 1, 1, 0},
                                                                {1, 1, 1, 1},
                                                                {1, 0, 0, 0},
                                                                {1, 0, 0, 1}}};
    static constexpr std::array<Styles, 2> kRunTogether = {{{0, 1, 1, 1}, {1, 1, 1, 1}}};
    for (const Styles& s : kWithCharacters) add(s, 0);
    for (int separator : {1, 2}) {
        for (const Styles& s : kWithSeparators) add(s, separator);
    }
    for (const Styles& s : kRunTogether) add(s, 3);
    return codes;
}

}  // namespace vesk
