#include "platform/encoding_score.h"

#include <cstddef>

namespace vesk {

namespace {

unsigned char At(std::string_view bytes, std::size_t i) {
    return i < bytes.size() ? static_cast<unsigned char>(bytes[i]) : 0;
}

bool IsAsciiLetter(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool IsAsciiLower(unsigned char c) {
    return c >= 'a' && c <= 'z';
}

// Half-width katakana letters (ｦ..ﾟ) come in words; one alone between ASCII bytes is
// almost always a Western symbol or an accented letter read wrongly. The half-width
// punctuation (｡｢｣､･) is what the lead bytes of EUC-JP kana turn into.
constexpr bool IsHalfWidthLetter(unsigned char code) {
    return code >= 0xA6 && code <= 0xDF;
}

long HalfWidthScore(unsigned char code, bool letterBefore, bool letterAfter) {
    if (!IsHalfWidthLetter(code))
        return -1;
    return letterBefore || letterAfter ? 1 : -2;
}

long ShiftJisPairScore(unsigned char lead, unsigned char trail) {
    if (lead == 0x82)
        return trail >= 0x9F ? 3 : 1;  // hiragana; full-width digits and letters
    if (lead == 0x83)
        return trail <= 0x96 ? 3 : 0;  // katakana; Greek
    if (lead == 0x81)
        return 2;  // 、。「」ー and other punctuation
    if (lead >= 0x88 && lead <= 0x98)
        return 2;  // first-level kanji
    if ((lead >= 0x99 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xEA))
        return 1;  // second-level kanji
    if (lead >= 0xF0 && lead <= 0xF9)
        return -4;  // user-defined area
    if (lead == 0x87 || (lead == 0xFA && trail < 0x5C))
        return 2;  // NEC and IBM symbols: circled digits, Roman numerals, №, ∵
    if (lead == 0xED || lead == 0xEE || lead >= 0xFA)
        return 1;  // NEC-selected and IBM extension kanji
    if (lead == 0x84)
        return 0;  // Cyrillic, box drawing
    return -2;     // rows the standard leaves empty
}

long ShiftJisScore(std::string_view bytes) {
    long score = 0;
    bool prevHalfWidthLetter = false;
    for (std::size_t i = 0; i < bytes.size();) {
        const unsigned char c = At(bytes, i);
        if (c < 0x80) {
            prevHalfWidthLetter = false;
            ++i;
        } else if (c >= 0xA1 && c <= 0xDF) {
            score += HalfWidthScore(c, prevHalfWidthLetter, IsHalfWidthLetter(At(bytes, i + 1)));
            prevHalfWidthLetter = IsHalfWidthLetter(c);
            ++i;
        } else {
            score += ShiftJisPairScore(c, At(bytes, i + 1));
            prevHalfWidthLetter = false;
            i += 2;
        }
    }
    return score;
}

long EucJpPairScore(unsigned char lead) {
    if (lead == 0xA4 || lead == 0xA5)
        return 3;  // hiragana, katakana
    if (lead == 0xA1)
        return 2;  // punctuation
    if (lead == 0xA3)
        return 1;  // full-width digits and letters
    if (lead >= 0xB0 && lead <= 0xCF)
        return 2;  // first-level kanji
    if (lead >= 0xD0 && lead <= 0xF4)
        return 1;  // second-level kanji
    if (lead >= 0xF5)
        return -4;  // user-defined area
    if (lead == 0xA2 || (lead >= 0xA6 && lead <= 0xA8) || lead == 0xAD)
        return 0;  // symbols, Greek, Cyrillic, box drawing, NEC row 13
    return -2;
}

long EucJpScore(std::string_view bytes) {
    long score = 0;
    bool prevHalfWidthLetter = false;
    for (std::size_t i = 0; i < bytes.size();) {
        const unsigned char c = At(bytes, i);
        if (c < 0x80) {
            prevHalfWidthLetter = false;
            ++i;
        } else if (c == 0x8E) {  // half-width katakana: SS2 and the code
            const unsigned char code = At(bytes, i + 1);
            const bool after = At(bytes, i + 2) == 0x8E && IsHalfWidthLetter(At(bytes, i + 3));
            score += HalfWidthScore(code, prevHalfWidthLetter, after);
            prevHalfWidthLetter = IsHalfWidthLetter(code);
            i += 2;
        } else if (c == 0x8F) {  // JIS X 0212, three bytes: rare on real pages
            score -= 2;
            prevHalfWidthLetter = false;
            i += 3;
        } else {
            score += EucJpPairScore(c);
            prevHalfWidthLetter = false;
            i += 2;
        }
    }
    return score;
}

bool IsUndefinedInWindows1252(unsigned char c) {
    return c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D;
}

bool IsLatinLetter(unsigned char c) {
    return c >= 0xC0 && c != 0xD7 && c != 0xF7;
}

// é, ü, ç sit inside words of plain letters: a capital (É) beside any letter, a small
// one beside a small letter. A small accented letter before a capital (the "úJ" of
// Shift-JIS double-byte codes read as Western) is not a word.
bool InWord(unsigned char c, unsigned char before, unsigned char after) {
    if (c < 0xDF)
        return IsAsciiLetter(before) || IsAsciiLetter(after);
    return IsAsciiLower(before) || IsAsciiLower(after);
}

long Windows1252Score(std::string_view bytes) {
    long score = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const unsigned char c = At(bytes, i);
        if (c < 0x80)
            continue;
        const unsigned char before = i > 0 ? At(bytes, i - 1) : ' ';
        const unsigned char after = i + 1 < bytes.size() ? At(bytes, i + 1) : ' ';
        if (IsUndefinedInWindows1252(c)) {
            score -= 5;
        } else if (IsLatinLetter(c)) {
            score += InWord(c, before, after) ? 3 : -1;
        } else {
            // ©, °, ½, curly quotes and dashes sit beside plain text.
            score += before < 0x80 || after < 0x80 ? 1 : -1;
        }
    }
    return score;
}

}  // namespace

long PlausibilityScore(std::string_view bytes, TextEncoding encoding) {
    switch (encoding) {
        case TextEncoding::ShiftJis:
            return ShiftJisScore(bytes);
        case TextEncoding::EucJp:
            return EucJpScore(bytes);
        case TextEncoding::Windows1252:
            return Windows1252Score(bytes);
        case TextEncoding::Utf8:
        case TextEncoding::Iso2022Jp:
            break;
    }
    return 0;
}

}  // namespace vesk
