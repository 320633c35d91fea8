#pragma once
// Searching the text the way the find and replace dialogs need it.

#include <string>
#include <string_view>

namespace vesk {

struct SearchOptions {
    bool matchCase = false;  // off: ASCII letters match either case
    bool wholeWord = false;  // the match is neither preceded nor followed by a word character
};

// First match of what in text[from, to) (to clamped to the text), or -1.
// An empty "what" never matches.
int FindForward(std::string_view text, std::string_view what, int from, int to,
                const SearchOptions& options);

// The match nearest before pos that ends at or before pos, or -1: the find
// dialog's upward search (searching windows [p, pos) with p moving back by the
// length of "what", so the last window starts at 0).
int FindBackward(std::string_view text, std::string_view what, int pos,
                 const SearchOptions& options);

struct ReplaceResult {
    std::string text;  // the whole text after the replacements
    int count = 0;     // how many were replaced
    int newEnd = 0;    // the range end after the replacements
};

// Replaces every match in text[from, to) once, never searching replacement text again.
ReplaceResult ReplaceInRange(std::string_view text, std::string_view what,
                             std::string_view replacement, int from, int to,
                             const SearchOptions& options);

}  // namespace vesk
