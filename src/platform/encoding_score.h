#pragma once
// How plausible a reading of a file's bytes is, for telling Shift-JIS, EUC-JP and
// Windows-1252 apart when several of them decode the same bytes.
//
// Japanese readings earn points for kana, punctuation and common kanji and lose
// them for what mojibake is made of: stray half-width katakana among Latin letters,
// half-width punctuation, user-defined codes. The Western reading earns points for
// accented letters beside Latin letters and for symbols beside plain text, and loses
// them for runs of high bytes and for the codes Windows-1252 leaves undefined.

#include <string_view>

#include "platform/encoding.h"

namespace vesk {

// The score of reading bytes as the given encoding (Shift-JIS, EUC-JP or
// Windows-1252; 0 for the others). The bytes must decode in that encoding. ASCII
// counts nothing, so scores of one file in different encodings compare directly.
long PlausibilityScore(std::string_view bytes, TextEncoding encoding);

}  // namespace vesk
