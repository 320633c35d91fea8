// Encodings through glibc iconv; UTF-8, Windows-1252 and line breaks by hand.

#include "platform/encoding.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>

#include "platform/encoding_score.h"

namespace vesk {

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";
constexpr std::size_t kDeclarationWindow = 4096;

// iconv names. ISO-2022-JP is read with the -3 decoder, which also knows the
// half-width katakana set (ESC ( I) and JIS X 0213; it reads ESC $ B text exactly
// as the plain decoder does.
constexpr const char* kCp932 = "CP932";
constexpr const char* kEucJp = "EUC-JP";
constexpr const char* kIso2022JpRead = "ISO-2022-JP-3";
constexpr const char* kIso2022JpWrite = "ISO-2022-JP";
constexpr const char* kUtf8 = "UTF-8";

char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Length of the UTF-8 sequence a lead byte starts (1 for stray bytes), clipped to what is left.
std::size_t Utf8Length(std::string_view text, std::size_t pos) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    std::size_t len = 1;
    if (lead >= 0xF0 && lead <= 0xF4) {
        len = 4;
    } else if (lead >= 0xE0) {
        len = lead <= 0xEF ? 3 : 1;
    } else if (lead >= 0xC2) {
        len = 2;
    }
    return std::min(len, text.size() - pos);
}

// Code point at pos of valid UTF-8 (used only on text already checked or produced by iconv).
char32_t CodePointAt(std::string_view text, std::size_t pos, std::size_t len) {
    const auto* s = reinterpret_cast<const unsigned char*>(text.data() + pos);
    switch (len) {
        case 1:
            return s[0];
        case 2:
            return ((s[0] & 0x1Fu) << 6) | (s[1] & 0x3Fu);
        case 3:
            return ((s[0] & 0x0Fu) << 12) | ((s[1] & 0x3Fu) << 6) | (s[2] & 0x3Fu);
        default:
            return ((s[0] & 0x07u) << 18) | ((s[1] & 0x3Fu) << 12) | ((s[2] & 0x3Fu) << 6) |
                   (s[3] & 0x3Fu);
    }
}

bool IsContinuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

// One linear pass; rejects overlong forms, surrogates and values above U+10FFFF.
bool IsValidUtf8(std::string_view text, bool* pureAscii) {
    const auto* s = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t n = text.size();
    std::size_t i = 0;
    bool ascii = true;
    while (i < n) {
        // Skip ASCII eight bytes at a time; markup is mostly ASCII.
        while (i + 8 <= n) {
            std::uint64_t chunk;
            std::memcpy(&chunk, s + i, 8);
            if (chunk & 0x8080808080808080ull)
                break;
            i += 8;
        }
        if (i >= n)
            break;
        const unsigned char c = s[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        ascii = false;
        if (c >= 0xC2 && c <= 0xDF) {
            if (i + 1 >= n || !IsContinuation(s[i + 1]))
                return false;
            i += 2;
        } else if (c >= 0xE0 && c <= 0xEF) {
            if (i + 2 >= n)
                return false;
            const unsigned char c1 = s[i + 1];
            const unsigned char lo = c == 0xE0 ? 0xA0 : 0x80;
            const unsigned char hi = c == 0xED ? 0x9F : 0xBF;
            if (c1 < lo || c1 > hi || !IsContinuation(s[i + 2]))
                return false;
            i += 3;
        } else if (c >= 0xF0 && c <= 0xF4) {
            if (i + 3 >= n)
                return false;
            const unsigned char c1 = s[i + 1];
            const unsigned char lo = c == 0xF0 ? 0x90 : 0x80;
            const unsigned char hi = c == 0xF4 ? 0x8F : 0xBF;
            if (c1 < lo || c1 > hi || !IsContinuation(s[i + 2]) || !IsContinuation(s[i + 3])) {
                return false;
            }
            i += 4;
        } else {
            return false;
        }
    }
    if (pureAscii)
        *pureAscii = ascii;
    return true;
}

class Converter {
  public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (valid())
            iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // Converts input and appends to out (growing it as needed). Returns the number of input
    // bytes consumed: input.size() on success, else the offset of the first byte that is
    // invalid or cannot be converted (out then holds everything before it). The state is not
    // reset, so a caller may continue after handling the offending bytes itself.
    std::size_t Append(std::string_view input, std::string& out, std::size_t* produced) {
        char* in = const_cast<char*>(input.data());
        std::size_t inLeft = input.size();
        while (inLeft > 0) {
            if (out.size() - *produced < 16)
                Grow(out, *produced);
            char* op = out.data() + *produced;
            std::size_t outLeft = out.size() - *produced;
            const std::size_t r = iconv(cd_, &in, &inLeft, &op, &outLeft);
            *produced = static_cast<std::size_t>(op - out.data());
            if (r == static_cast<std::size_t>(-1)) {
                if (errno == E2BIG) {
                    Grow(out, *produced);
                    continue;
                }
                break;  // EILSEQ or EINVAL (cut short at the end)
            }
        }
        return input.size() - inLeft;
    }

    // Writes the sequence that returns to the initial state (ESC ( B for ISO-2022-JP).
    void Reset(std::string& out, std::size_t* produced) {
        for (;;) {
            if (out.size() - *produced < 16)
                Grow(out, *produced);
            char* op = out.data() + *produced;
            std::size_t outLeft = out.size() - *produced;
            const std::size_t r = iconv(cd_, nullptr, nullptr, &op, &outLeft);
            *produced = static_cast<std::size_t>(op - out.data());
            if (r != static_cast<std::size_t>(-1) || errno != E2BIG)
                return;
            Grow(out, *produced);
        }
    }

  private:
    static void Grow(std::string& out, std::size_t produced) {
        out.resize(std::max<std::size_t>(out.size() * 2, produced + 64));
    }

    iconv_t cd_;
};

struct Conversion {
    std::string out;
    std::size_t consumed = 0;  // == input size when everything converted
};

// A whole conversion in one pass; sizeHint is the expected output size.
Conversion Convert(const char* to, const char* from, std::string_view input, std::size_t sizeHint) {
    Conversion result;
    Converter cd(to, from);
    if (!cd.valid())
        return result;
    result.out.resize(sizeHint + 64);
    std::size_t produced = 0;
    result.consumed = cd.Append(input, result.out, &produced);
    if (result.consumed == input.size())
        cd.Reset(result.out, &produced);
    result.out.resize(produced);
    if (result.out.capacity() > produced + produced / 4 + 4096)
        result.out.shrink_to_fit();
    return result;
}

const char* IconvName(TextEncoding encoding, bool reading) {
    switch (encoding) {
        case TextEncoding::ShiftJis:
            return kCp932;
        case TextEncoding::EucJp:
            return kEucJp;
        case TextEncoding::Iso2022Jp:
            return reading ? kIso2022JpRead : kIso2022JpWrite;
        default:
            return nullptr;
    }
}

std::optional<std::string> DecodeWithIconv(std::string_view bytes, TextEncoding encoding) {
    // Double-byte characters grow by half; half-width katakana would triple, which Grow handles.
    Conversion c = Convert(kUtf8, IconvName(encoding, true), bytes, bytes.size() * 3 / 2);
    if (c.consumed != bytes.size())
        return std::nullopt;
    return std::move(c.out);
}

// What Windows-1252 puts at 0x80..0x9F; the five codes it leaves undefined read as
// the C1 control of the same number, as browsers do, so every byte reads as something.
constexpr char16_t kWindows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void AppendUtf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (code >> 6)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xE0 | (code >> 12)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
}

std::string DecodeWindows1252(std::string_view bytes) {
    const std::size_t high = static_cast<std::size_t>(std::count_if(
        bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; }));
    std::string out;
    out.reserve(bytes.size() + 2 * high);
    for (char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        AppendUtf8(out, c >= 0x80 && c < 0xA0 ? kWindows1252High[c - 0x80] : c);
    }
    return out;
}

// The byte for a code point, or -1 when Windows-1252 has none.
int Windows1252Byte(char32_t code) {
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF))
        return static_cast<int>(code);
    for (int i = 0; i < 32; ++i) {
        if (kWindows1252High[i] == code)
            return 0x80 + i;
    }
    return -1;
}

EncodeResult Failure(std::string_view utf8, std::size_t offset) {
    EncodeResult result;
    result.failOffset = offset;
    if (offset < utf8.size())
        result.failChar = std::string(utf8.substr(offset, Utf8Length(utf8, offset)));
    return result;
}

EncodeResult EncodeWindows1252(std::string_view utf8) {
    EncodeResult result;
    result.bytes.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const std::size_t len = Utf8Length(utf8, i);
        const bool stray = len == 1 && static_cast<unsigned char>(utf8[i]) >= 0x80;
        const int byte = stray ? -1 : Windows1252Byte(CodePointAt(utf8, i, len));
        if (byte < 0)
            return Failure(utf8, i);
        result.bytes.push_back(static_cast<char>(byte));
        i += len;
    }
    result.ok = true;
    return result;
}

bool IsHalfWidthKatakana(std::string_view utf8, std::size_t pos) {
    if (pos + 3 > utf8.size())
        return false;
    const auto* s = reinterpret_cast<const unsigned char*>(utf8.data() + pos);
    // U+FF61..U+FF9F
    return s[0] == 0xEF && ((s[1] == 0xBD && s[2] >= 0xA1 && s[2] <= 0xBF) ||
                            (s[1] == 0xBE && s[2] >= 0x80 && s[2] <= 0x9F));
}

std::size_t NextHalfWidthKatakana(std::string_view utf8, std::size_t from) {
    while (from < utf8.size()) {
        const void* lead = std::memchr(utf8.data() + from, 0xEF, utf8.size() - from);
        if (!lead)
            break;
        from = static_cast<std::size_t>(static_cast<const char*>(lead) - utf8.data());
        if (IsHalfWidthKatakana(utf8, from))
            return from;
        ++from;
    }
    return std::string_view::npos;
}

void AppendBytes(std::string& out, std::size_t* produced, std::string_view bytes) {
    if (out.size() - *produced < bytes.size())
        out.resize(*produced + bytes.size() + out.size() / 2);
    std::memcpy(out.data() + *produced, bytes.data(), bytes.size());
    *produced += bytes.size();
}

// The plain ISO-2022-JP encoder refuses half-width katakana; they are written as runs in
// the JIS X 0201 katakana set (ESC ( I), which ISO-2022-JP readers commonly accept. The runs
// are cut out beforehand: an iconv error costs a re-conversion of the whole buffer.
Conversion EncodeIso2022Jp(std::string_view utf8) {
    Conversion result;
    Converter cd(kIso2022JpWrite, kUtf8);
    if (!cd.valid())
        return result;
    result.out.resize(utf8.size() + utf8.size() / 4 + 64);
    std::size_t produced = 0;
    std::size_t pos = 0;
    for (;;) {
        const std::size_t kana = NextHalfWidthKatakana(utf8, pos);
        const std::size_t end = kana == std::string_view::npos ? utf8.size() : kana;
        const std::size_t done = cd.Append(utf8.substr(pos, end - pos), result.out, &produced);
        if (done != end - pos) {
            result.consumed = pos + done;
            result.out.resize(produced);
            return result;
        }
        pos = end;
        if (kana == std::string_view::npos)
            break;
        cd.Reset(result.out, &produced);
        AppendBytes(result.out, &produced, "\x1B(I");
        while (IsHalfWidthKatakana(utf8, pos)) {
            const char code = static_cast<char>(CodePointAt(utf8, pos, 3) - 0xFF61 + 0x21);
            AppendBytes(result.out, &produced, std::string_view(&code, 1));
            pos += 3;
        }
        AppendBytes(result.out, &produced, "\x1B(B");
    }
    result.consumed = pos;
    cd.Reset(result.out, &produced);
    result.out.resize(produced);
    return result;
}

Conversion EncodeRaw(std::string_view utf8, TextEncoding encoding) {
    if (encoding == TextEncoding::Iso2022Jp)
        return EncodeIso2022Jp(utf8);
    // Every character of two or more UTF-8 bytes takes at most two bytes here.
    return Convert(IconvName(encoding, false), kUtf8, utf8, utf8.size());
}

// The same JIS character under the JIS and the Microsoft mapping: CP932 writes the former
// as the latter's bytes, so reading back gives the other code point. Not a loss.
bool SameJisCharacter(char32_t a, char32_t b) {
    static constexpr char32_t kPairs[][2] = {
        {0x301C, 0xFF5E},  // wave dash / full-width tilde
        {0x2016, 0x2225},  // double vertical line / parallel to
        {0x2212, 0xFF0D},  // minus sign / full-width hyphen-minus
        {0x00A2, 0xFFE0},  // cent
        {0x00A3, 0xFFE1},  // pound
        {0x00AC, 0xFFE2},  // not sign
        {0x2014, 0x2015},  // em dash / horizontal bar
    };
    for (const auto& pair : kPairs) {
        if ((a == pair[0] && b == pair[1]) || (a == pair[1] && b == pair[0]))
            return true;
    }
    return false;
}

// Offset in original of the first character that reading back changed, or npos. readBack may
// be cut short (a failed read-back); the character where it stops is then the culprit.
std::size_t FirstChangedCharacter(std::string_view original, std::string_view readBack) {
    std::size_t i = 0;  // both positions are character starts, in step
    std::size_t j = 0;
    for (;;) {
        const std::size_t span = std::min(original.size() - i, readBack.size() - j);
        const auto first = original.begin() + static_cast<std::ptrdiff_t>(i);
        const std::size_t same = static_cast<std::size_t>(
            std::mismatch(first, first + static_cast<std::ptrdiff_t>(span),
                          readBack.begin() + static_cast<std::ptrdiff_t>(j))
                .first -
            first);
        if (i + same == original.size()) {
            if (j + same == readBack.size())
                return std::string_view::npos;
            // Reading back gave more than was written: blame the last character.
            if (original.empty())
                return 0;
            std::size_t k = original.size() - 1;
            while (k > 0 && IsContinuation(static_cast<unsigned char>(original[k]))) --k;
            return k;
        }
        // Back up to the start of the character that differs.
        std::size_t k = i + same;
        while (k > i && IsContinuation(static_cast<unsigned char>(original[k]))) --k;
        j += k - i;
        i = k;
        if (j >= readBack.size())
            return i;
        const std::size_t lenA = Utf8Length(original, i);
        const std::size_t lenB = Utf8Length(readBack, j);
        if (!SameJisCharacter(CodePointAt(original, i, lenA), CodePointAt(readBack, j, lenB))) {
            return i;
        }
        i += lenA;
        j += lenB;
    }
}

bool RoundTrips(std::string_view bytes, std::string_view utf8, TextEncoding encoding) {
    Conversion back = EncodeRaw(utf8, encoding);
    return back.consumed == utf8.size() && back.out == bytes;
}

// CP932 has a second code for some characters only in the NEC row 13 (lead 0x87) and the
// IBM extensions (0xED, 0xEE, 0xFA-0xFC); without those leads, encoding the text again
// gives the file's bytes, and there is no need to try.
bool MayHaveDoubledCodes(std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size();) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (c < 0x80 || (c >= 0xA1 && c <= 0xDF)) {
            ++i;
            continue;
        }
        if (c == 0x87 || c == 0xED || c == 0xEE || c >= 0xFA)
            return true;
        i += 2;
    }
    return false;
}

// The byte structure of EUC-JP: checked before decoding, which would first set aside an
// output buffer the size of the text.
bool FitsEucJp(std::string_view bytes) {
    auto inSet = [&bytes](std::size_t i) {
        return i < bytes.size() && static_cast<unsigned char>(bytes[i]) >= 0xA1 &&
               static_cast<unsigned char>(bytes[i]) <= 0xFE;
    };
    for (std::size_t i = 0; i < bytes.size();) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (c < 0x80) {
            ++i;
        } else if (c == 0x8E) {
            if (!inSet(i + 1) || static_cast<unsigned char>(bytes[i + 1]) > 0xDF)
                return false;
            i += 2;
        } else if (c == 0x8F) {
            if (!inSet(i + 1) || !inSet(i + 2))
                return false;
            i += 3;
        } else if (inSet(i) && inSet(i + 1)) {
            i += 2;
        } else {
            return false;
        }
    }
    return true;
}

// Decodes only when writing the text back gives the very same bytes, so an opened and
// saved file never changes.
std::optional<std::string> DecodeExactly(std::string_view bytes, TextEncoding encoding) {
    std::optional<std::string> text = DecodeAs(bytes, encoding);
    if (text && !RoundTrips(bytes, *text, encoding))
        return std::nullopt;
    return text;
}

bool HasIso2022JpEscapes(std::string_view bytes) {
    bool escape = false;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (c >= 0x80)
            return false;
        if (c != 0x1B || i + 2 >= bytes.size())
            continue;
        const char a = bytes[i + 1];
        const char b = bytes[i + 2];
        // A designation of a Japanese set: ESC $ @, ESC $ B, ESC $ ( x, ESC ( I, ESC ( J.
        if ((a == '$' && (b == '@' || b == 'B' || b == '(')) ||
            (a == '(' && (b == 'I' || b == 'J'))) {
            escape = true;
        }
    }
    return escape;
}

std::size_t FindNoCase(std::string_view haystack, std::string_view needle, std::size_t from) {
    if (needle.empty() || haystack.size() < needle.size())
        return std::string_view::npos;
    for (std::size_t i = from; i + needle.size() <= haystack.size(); ++i) {
        std::size_t k = 0;
        while (k < needle.size() && AsciiLower(haystack[i + k]) == needle[k]) ++k;
        if (k == needle.size())
            return i;
    }
    return std::string_view::npos;
}

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f';
}

bool IsLabelChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '_' || c == '.' || c == ':' || c == '+';
}

// Where the value of "charset=" stands inside one META tag; length 0 when nowhere.
CharsetSpan CharsetInTag(std::string_view tag) {
    for (std::size_t at = FindNoCase(tag, "charset", 0); at != std::string_view::npos;
         at = FindNoCase(tag, "charset", at + 1)) {
        std::size_t i = at + 7;
        while (i < tag.size() && IsSpace(tag[i])) ++i;
        if (i >= tag.size() || tag[i] != '=')
            continue;
        ++i;
        while (i < tag.size() && IsSpace(tag[i])) ++i;
        if (i < tag.size() && (tag[i] == '"' || tag[i] == '\''))
            ++i;
        std::size_t end = i;
        while (end < tag.size() && IsLabelChar(tag[end])) ++end;
        if (end > i)
            return {i, end - i};
    }
    return {};
}

}  // namespace

std::string_view EncodingName(TextEncoding encoding) {
    switch (encoding) {
        case TextEncoding::Utf8:
            return "UTF-8";
        case TextEncoding::ShiftJis:
            return "Shift-JIS";
        case TextEncoding::EucJp:
            return "EUC-JP";
        case TextEncoding::Iso2022Jp:
            return "ISO-2022-JP";
        case TextEncoding::Windows1252:
            return "Windows-1252";
    }
    return "UTF-8";
}

std::string_view LineBreakName(LineBreakStyle style) {
    switch (style) {
        case LineBreakStyle::Lf:
            return "LF";
        case LineBreakStyle::Cr:
            return "CR";
        case LineBreakStyle::Mixed:
            return "混在";
        case LineBreakStyle::None:
        case LineBreakStyle::CrLf:
            break;
    }
    return "CRLF";
}

std::string_view CharsetLabel(TextEncoding encoding) {
    switch (encoding) {
        case TextEncoding::Utf8:
            return "utf-8";
        case TextEncoding::ShiftJis:
            return "shift_jis";
        case TextEncoding::EucJp:
            return "euc-jp";
        case TextEncoding::Iso2022Jp:
            return "iso-2022-jp";
        case TextEncoding::Windows1252:
            return "windows-1252";
    }
    return "utf-8";
}

CharsetSpan DeclaredCharsetSpan(std::string_view bytes) {
    const std::string_view head = bytes.substr(0, kDeclarationWindow);
    for (std::size_t at = FindNoCase(head, "<meta", 0); at != std::string_view::npos;
         at = FindNoCase(head, "<meta", at + 5)) {
        const std::size_t end = head.find('>', at);
        const CharsetSpan inTag = CharsetInTag(head.substr(
            at + 5, end == std::string_view::npos ? std::string_view::npos : end - at - 5));
        if (inTag.length > 0)
            return {at + 5 + inTag.offset, inTag.length};
    }
    return {};
}

std::string DeclaredCharset(std::string_view bytes) {
    const CharsetSpan span = DeclaredCharsetSpan(bytes);
    std::string label(bytes.substr(span.offset, span.length));
    std::transform(label.begin(), label.end(), label.begin(), AsciiLower);
    return label;
}

std::optional<TextEncoding> EncodingFromCharset(std::string_view label) {
    while (!label.empty() &&
           (IsSpace(label.front()) || label.front() == '"' || label.front() == '\'')) {
        label.remove_prefix(1);
    }
    while (!label.empty() &&
           (IsSpace(label.back()) || label.back() == '"' || label.back() == '\'')) {
        label.remove_suffix(1);
    }
    std::string lower(label);
    std::transform(lower.begin(), lower.end(), lower.begin(), AsciiLower);

    struct Entry {
        std::string_view label;
        TextEncoding encoding;
    };
    static constexpr Entry kLabels[] = {
        {"utf-8", TextEncoding::Utf8},
        {"utf8", TextEncoding::Utf8},
        {"unicode-1-1-utf-8", TextEncoding::Utf8},
        {"us-ascii", TextEncoding::Utf8},
        {"ascii", TextEncoding::Utf8},
        {"shift_jis", TextEncoding::ShiftJis},
        {"shift-jis", TextEncoding::ShiftJis},
        {"shiftjis", TextEncoding::ShiftJis},
        {"sjis", TextEncoding::ShiftJis},
        {"s-jis", TextEncoding::ShiftJis},
        {"x-sjis", TextEncoding::ShiftJis},
        {"ms_kanji", TextEncoding::ShiftJis},
        {"csshiftjis", TextEncoding::ShiftJis},
        {"windows-31j", TextEncoding::ShiftJis},
        {"cp932", TextEncoding::ShiftJis},
        {"ms932", TextEncoding::ShiftJis},
        {"x-ms-cp932", TextEncoding::ShiftJis},
        {"euc-jp", TextEncoding::EucJp},
        {"euc_jp", TextEncoding::EucJp},
        {"eucjp", TextEncoding::EucJp},
        {"x-euc-jp", TextEncoding::EucJp},
        {"cseucpkdfmtjapanese", TextEncoding::EucJp},
        {"ujis", TextEncoding::EucJp},
        {"iso-2022-jp", TextEncoding::Iso2022Jp},
        {"iso2022jp", TextEncoding::Iso2022Jp},
        {"csiso2022jp", TextEncoding::Iso2022Jp},
        {"jis", TextEncoding::Iso2022Jp},
        {"iso-8859-1", TextEncoding::Windows1252},
        {"iso8859-1", TextEncoding::Windows1252},
        {"iso_8859-1", TextEncoding::Windows1252},
        {"latin1", TextEncoding::Windows1252},
        {"latin-1", TextEncoding::Windows1252},
        {"l1", TextEncoding::Windows1252},
        {"cp819", TextEncoding::Windows1252},
        {"ibm819", TextEncoding::Windows1252},
        {"csisolatin1", TextEncoding::Windows1252},
        {"windows-1252", TextEncoding::Windows1252},
        {"cp1252", TextEncoding::Windows1252},
        {"x-cp1252", TextEncoding::Windows1252},
    };
    for (const Entry& entry : kLabels) {
        if (entry.label == lower)
            return entry.encoding;
    }
    return std::nullopt;
}

std::optional<std::string> DecodeAs(std::string_view bytes, TextEncoding encoding) {
    switch (encoding) {
        case TextEncoding::Utf8:
            if (!IsValidUtf8(bytes, nullptr))
                return std::nullopt;
            return std::string(bytes);
        case TextEncoding::Windows1252:
            return DecodeWindows1252(bytes);
        case TextEncoding::ShiftJis:
        case TextEncoding::EucJp:
        case TextEncoding::Iso2022Jp:
            return DecodeWithIconv(bytes, encoding);
    }
    return std::nullopt;
}

namespace {

DecodedText DecodeFileEncoding(std::string_view bytes) {
    DecodedText result;

    if (bytes.substr(0, kBom.size()) == kBom && IsValidUtf8(bytes.substr(kBom.size()), nullptr)) {
        result.utf8 = std::string(bytes.substr(kBom.size()));
        result.encoding = TextEncoding::Utf8;
        result.bom = true;
        return result;
    }
    // A BOM followed by bytes that are not UTF-8 is not believed; the BOM bytes then stay
    // part of the content, so the rules below still give the file back byte for byte.

    if (HasIso2022JpEscapes(bytes)) {
        if (auto text = DecodeAs(bytes, TextEncoding::Iso2022Jp)) {
            result.utf8 = std::move(*text);
            result.encoding = TextEncoding::Iso2022Jp;
            result.otherCodesOnEncoding = !RoundTrips(bytes, result.utf8, result.encoding);
            return result;
        }
    }

    bool ascii = false;
    if (IsValidUtf8(bytes, &ascii)) {
        result.utf8 = std::string(bytes);
        result.encoding = TextEncoding::Utf8;
        // Every handled charset reads ASCII as itself; only the encoding for saving changes.
        if (ascii) {
            std::optional<TextEncoding> declared = EncodingFromCharset(DeclaredCharset(bytes));
            if (declared == TextEncoding::Iso2022Jp) {
                // Escapes that designate no Japanese set (a lone ESC ( B) are read as such.
                if (auto text = DecodeAs(bytes, *declared)) {
                    result.utf8 = std::move(*text);
                    result.encoding = *declared;
                    result.otherCodesOnEncoding = !RoundTrips(bytes, result.utf8, *declared);
                }
            } else if (declared) {
                result.encoding = *declared;
            }
        }
        return result;
    }

    // Shift-JIS is taken whenever CP932 reads the bytes: where re-encoding would pick the
    // other of two codes for a character, the document keeps the file's codes. EUC-JP
    // must give its bytes back exactly.
    auto decode = [&bytes](TextEncoding encoding) -> std::optional<std::string> {
        if (encoding == TextEncoding::EucJp)
            return FitsEucJp(bytes) ? DecodeExactly(bytes, encoding) : std::nullopt;
        return DecodeAs(bytes, encoding);
    };
    auto take = [&result, &bytes](TextEncoding encoding, std::string text) {
        result.encoding = encoding;
        result.utf8 = std::move(text);
        if (encoding == TextEncoding::ShiftJis) {
            result.otherCodesOnEncoding =
                MayHaveDoubledCodes(bytes) && !RoundTrips(bytes, result.utf8, encoding);
        }
        return result;
    };

    // A declared charset that the bytes satisfy wins.
    std::optional<TextEncoding> declared = EncodingFromCharset(DeclaredCharset(bytes));
    if (declared && *declared != TextEncoding::Utf8 && *declared != TextEncoding::Iso2022Jp) {
        if (auto text = decode(*declared))
            return take(*declared, std::move(*text));
    }

    // Otherwise the reading that makes the most sense; on a tie the more common one.
    std::optional<std::string> best;
    TextEncoding bestEncoding = TextEncoding::Windows1252;
    long bestScore = 0;
    for (TextEncoding candidate : {TextEncoding::ShiftJis, TextEncoding::EucJp}) {
        std::optional<std::string> text = decode(candidate);
        if (!text)
            continue;
        const long score = PlausibilityScore(bytes, candidate);
        if (!best || score > bestScore) {
            best = std::move(text);
            bestEncoding = candidate;
            bestScore = score;
        }
    }
    const long western = PlausibilityScore(bytes, TextEncoding::Windows1252);
    if (best && bestScore >= western && bestScore > 0)
        return take(bestEncoding, std::move(*best));
    best.reset();

    result.utf8 = DecodeWindows1252(bytes);
    result.encoding = TextEncoding::Windows1252;
    result.guessed = western <= 0;
    return result;
}

}  // namespace

DecodedText DecodeFileBytes(std::string_view bytes) {
    DecodedText result = DecodeFileEncoding(bytes);
    result.breaks = DetectLineBreaks(result.utf8);
    return result;
}

EncodeResult EncodeText(std::string_view utf8, TextEncoding encoding, bool bom) {
    EncodeResult result;
    switch (encoding) {
        case TextEncoding::Utf8:
            result.bytes.reserve(utf8.size() + (bom ? kBom.size() : 0));
            if (bom)
                result.bytes.append(kBom);
            result.bytes.append(utf8);
            result.ok = true;
            return result;
        case TextEncoding::Windows1252:
            return EncodeWindows1252(utf8);
        case TextEncoding::ShiftJis:
        case TextEncoding::EucJp:
        case TextEncoding::Iso2022Jp:
            break;
    }

    Conversion encoded = EncodeRaw(utf8, encoding);
    if (encoded.consumed != utf8.size())
        return Failure(utf8, encoded.consumed);

    // iconv quietly maps a few characters to look-alikes (U+00A5 to the byte 0x5C in CP932,
    // for one). Reading the bytes back shows every such change.
    Conversion back = Convert(kUtf8, IconvName(encoding, true), encoded.out, utf8.size());
    const std::size_t changed = FirstChangedCharacter(utf8, back.out);
    if (changed != std::string_view::npos)
        return Failure(utf8, changed);
    if (back.consumed != encoded.out.size())
        return Failure(utf8, std::min(back.out.size(), utf8.size()));

    result.ok = true;
    result.bytes = std::move(encoded.out);
    return result;
}

LineBreakStyle DetectLineBreaks(std::string_view text) {
    bool crlf = false;
    bool lf = false;
    bool cr = false;
    const std::size_t n = text.size();
    for (std::size_t i = 0; i < n; ++i) {
        const char c = text[i];
        if (c > '\r' || (c != '\r' && c != '\n'))
            continue;
        if (c == '\n') {
            lf = true;
        } else if (i + 1 < n && text[i + 1] == '\n') {
            crlf = true;
            ++i;
        } else {
            cr = true;
        }
        if (static_cast<int>(crlf) + static_cast<int>(lf) + static_cast<int>(cr) > 1) {
            return LineBreakStyle::Mixed;
        }
    }
    if (crlf)
        return LineBreakStyle::CrLf;
    if (lf)
        return LineBreakStyle::Lf;
    if (cr)
        return LineBreakStyle::Cr;
    return LineBreakStyle::None;
}

std::string BreaksToCrLf(std::string_view text, LineBreakStyle style) {
    if (style != LineBreakStyle::Lf && style != LineBreakStyle::Cr)
        return std::string(text);
    const char mark = style == LineBreakStyle::Lf ? '\n' : '\r';
    std::string out;
    out.reserve(text.size() + static_cast<std::size_t>(std::count(text.begin(), text.end(), mark)));
    std::size_t from = 0;
    for (std::size_t at = text.find(mark); at != std::string_view::npos;
         at = text.find(mark, at + 1)) {
        // Only lone breaks are doubled, so a stray CR LF is not turned into CR CR LF.
        const bool paired = style == LineBreakStyle::Lf
                                ? (at > 0 && text[at - 1] == '\r')
                                : (at + 1 < text.size() && text[at + 1] == '\n');
        if (paired)
            continue;
        out.append(text.substr(from, at - from));
        out.append("\r\n");
        from = at + 1;
    }
    out.append(text.substr(from));
    return out;
}

std::string BreaksFromCrLf(std::string_view text, LineBreakStyle style) {
    if (style != LineBreakStyle::Lf && style != LineBreakStyle::Cr)
        return std::string(text);
    const char mark = style == LineBreakStyle::Lf ? '\n' : '\r';
    std::string out;
    out.reserve(text.size());
    std::size_t from = 0;
    for (std::size_t at = text.find("\r\n"); at != std::string_view::npos;
         at = text.find("\r\n", at + 2)) {
        out.append(text.substr(from, at - from));
        out.push_back(mark);
        from = at + 2;
    }
    out.append(text.substr(from));
    return out;
}

}  // namespace vesk
