#pragma once
// Finding a text in the text of one file, and rewriting that file's bytes with the matches
// replaced: plain functions over byte strings, shared by the find-in-files worker, its
// replace step and the benchmark.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/encoding.h"

namespace vesk::findfiles {

// Finds one text again and again; built once per search.
class TextFinder {
  public:
    // matchCase off: ASCII letters match either case (other letters never change case).
    TextFinder(std::string_view what, bool matchCase);

    // Offset of the first match at or after from, or npos. A match starts on a character,
    // never inside a multi-byte one. An empty text never matches.
    std::size_t Find(std::string_view text, std::size_t from) const;
    // Every match, left to right, none overlapping the one before.
    std::vector<std::size_t> FindAll(std::string_view text) const;
    std::size_t Length() const { return what_.size(); }

  private:
    std::string what_;  // folded when case does not matter
    bool folded_ = false;
    std::size_t skip_[256] = {};
};

// One match as the result list shows it.
struct LineMatch {
    int line = 0;               // 1-based
    std::size_t column = 0;     // bytes from the start of the line to the match
    std::size_t length = 0;     // bytes of the match
    std::string excerpt;        // the line without leading blanks, cut around the match when long
    std::size_t markStart = 0;  // the match inside excerpt
    std::size_t markLength = 0;
};

// The lines of the matches (offsets in ascending order, each length bytes long). Lines end at
// CR LF, LF or a lone CR; with breaks given as CrLf, Lf or None only LF is looked for.
// At most limit matches are described.
std::vector<LineMatch> MatchesByLine(std::string_view text, const std::vector<std::size_t>& offsets,
                                     std::size_t length, LineBreakStyle breaks,
                                     std::size_t limit = static_cast<std::size_t>(-1));

// The smallest edit that replaces every match: [start, end) of text becomes replacement text.
struct SpanEdit {
    std::size_t start = 0;
    std::size_t end = 0;
    std::string text;
};
SpanEdit ReplacementSpan(std::string_view text, const std::vector<std::size_t>& offsets,
                         std::size_t length, std::string_view replacement);

enum class ReplaceOutcome {
    Replaced,
    NoMatch,
    NotDecodedCleanly,      // the encoding was only guessed
    CannotHold,             // the file's encoding has no code for a character of the replacement
    WouldChangeOtherBytes,  // writing the file again would not keep the rest of it as it is
};

struct ReplacePlan {
    ReplaceOutcome outcome = ReplaceOutcome::NoMatch;
    int count = 0;
    std::string bytes;     // the new file, when Replaced
    std::string failChar;  // the character the encoding cannot hold, for CannotHold
};

// The file's bytes with every match of its decoded text replaced, in the file's own encoding,
// BOM and line breaks: everything but the matches stays byte for byte as it was. decoded is
// DecodeFileBytes(fileBytes); offsets are the matches in decoded.utf8.
ReplacePlan PlanReplace(std::string_view fileBytes, const DecodedText& decoded,
                        const std::vector<std::size_t>& offsets, std::size_t length,
                        std::string_view replacement);

}  // namespace vesk::findfiles
