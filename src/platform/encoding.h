#pragma once
// Character encodings and line breaks of document files.
//
// The editor works on UTF-8 text with CR LF line breaks; files on disk may be
// UTF-8 (with or without BOM), Shift-JIS (CP932), EUC-JP, ISO-2022-JP or
// Windows-1252 (the Western superset of Latin-1), with
// CR LF, LF or CR breaks. These functions move text between the two forms
// without losing a byte.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vesk {

enum class TextEncoding { Utf8, ShiftJis, EucJp, Iso2022Jp, Windows1252 };

enum class LineBreakStyle {
    None,   // no line break at all
    CrLf,   // every break is CR LF
    Lf,     // every break is a lone LF
    Cr,     // every break is a lone CR
    Mixed,  // more than one kind
};

// Display name: "UTF-8", "Shift-JIS", "EUC-JP", "ISO-2022-JP", "Windows-1252".
std::string_view EncodingName(TextEncoding encoding);
// The label a page declares for the encoding: "utf-8", "shift_jis", "euc-jp",
// "iso-2022-jp", "windows-1252".
std::string_view CharsetLabel(TextEncoding encoding);
// Display name of a break style: "CRLF", "LF", "CR", "混在" (mixed); None shows "CRLF",
// because that is what Enter inserts.
std::string_view LineBreakName(LineBreakStyle style);

// The charset a page declares in its first 4096 bytes (META content-type
// "charset=..." or <meta charset="...">), lower-cased, or empty.
std::string DeclaredCharset(std::string_view bytes);
// Where that label stands in the bytes (offset, length); length 0 when there is none.
struct CharsetSpan {
    std::size_t offset = 0;
    std::size_t length = 0;
};
CharsetSpan DeclaredCharsetSpan(std::string_view bytes);
// Maps a charset label ("shift_jis", "x-sjis", "euc-jp", "iso-2022-jp", "utf-8"...)
// to an encoding; nullopt for labels we do not handle.
std::optional<TextEncoding> EncodingFromCharset(std::string_view label);

struct DecodedText {
    std::string utf8;                              // the text, as UTF-8
    TextEncoding encoding = TextEncoding::Utf8;    // what it was read as
    LineBreakStyle breaks = LineBreakStyle::None;  // the breaks of utf8
    bool bom = false;      // a UTF-8 byte-order mark was present (not in utf8)
    bool guessed = false;  // nothing read plausibly: opened byte for byte as Windows-1252
    // Encoding utf8 again gives other bytes than the file's: CP932 has two codes for
    // some characters (NEC and IBM extensions), ISO-2022-JP several ways to switch sets.
    bool otherCodesOnEncoding = false;
};

// Detects the encoding and the line breaks of a file's bytes and decodes them; opening a
// file and the batch detection both decide here:
//  1. a UTF-8 BOM: UTF-8, BOM remembered;
//  2. 7-bit bytes with ISO-2022-JP escape sequences: ISO-2022-JP;
//  3. valid UTF-8 that is not pure ASCII: UTF-8, whatever the page declares;
//  4. pure ASCII: the declared charset, else UTF-8;
//  5. otherwise the declared charset when the bytes decode in it;
//  6. else, of Shift-JIS, EUC-JP and Windows-1252, the reading whose text is the most
//     plausible (see encoding_score.h); guessed when even that one reads poorly.
DecodedText DecodeFileBytes(std::string_view bytes);

// Decodes bytes in the given encoding (no BOM handling); nullopt when they are
// not valid in it.
std::optional<std::string> DecodeAs(std::string_view bytes, TextEncoding encoding);

struct EncodeResult {
    bool ok = false;
    std::string bytes;
    // When !ok: byte offset in the UTF-8 input of the first character the
    // encoding cannot hold, and that character as UTF-8.
    std::size_t failOffset = 0;
    std::string failChar;
};

// Encodes UTF-8 text; writes the BOM first when bom is set and the encoding is UTF-8.
// Characters the encoding cannot hold are never dropped or replaced: the result fails.
EncodeResult EncodeText(std::string_view utf8, TextEncoding encoding, bool bom = false);

// Which line breaks a text uses.
LineBreakStyle DetectLineBreaks(std::string_view text);
// Text with lone LF or lone CR breaks (style Lf or Cr) turned into CR LF.
// Any other style returns the text unchanged.
std::string BreaksToCrLf(std::string_view text, LineBreakStyle style);
// CR LF pairs turned into the given style (Lf or Cr); other styles unchanged.
std::string BreaksFromCrLf(std::string_view text, LineBreakStyle style);

}  // namespace vesk
