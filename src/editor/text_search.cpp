#include "editor/text_search.h"

#include <algorithm>
#include <cstring>

namespace vesk {

namespace {

unsigned char Byte(std::string_view text, std::size_t i) {
    return static_cast<unsigned char>(text[i]);
}

unsigned char FoldAscii(unsigned char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}

bool IsAsciiLetter(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Bytes of multi-byte characters are no word characters, so Japanese text next
// to a word does not hide it from a whole-word search.
bool IsWordByte(unsigned char c) {
    return IsAsciiLetter(c) || (c >= '0' && c <= '9') || c == '_';
}

bool IsContinuationByte(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

// Whether what occurs at q (q + what.size() <= text.size()) as a match may: same bytes
// (ASCII letters folded unless case matters), starting on a character and, for
// whole words, with no word character on either side.
bool MatchAt(std::string_view text, std::string_view what, std::size_t q,
             const SearchOptions& options) {
    if (IsContinuationByte(Byte(text, q)))
        return false;
    if (options.matchCase) {
        if (std::memcmp(text.data() + q, what.data(), what.size()) != 0)
            return false;
    } else {
        for (std::size_t k = 0; k < what.size(); ++k) {
            if (FoldAscii(Byte(text, q + k)) != FoldAscii(Byte(what, k)))
                return false;
        }
    }
    if (options.wholeWord) {
        if (q > 0 && IsWordByte(Byte(text, q - 1)))
            return false;
        const std::size_t end = q + what.size();
        if (end < text.size() && IsWordByte(Byte(text, end)))
            return false;
    }
    return true;
}

// Next position >= q and <= last whose byte can begin a match (the first byte of
// what in either case when case does not matter), or npos.
std::size_t NextCandidate(std::string_view text, std::string_view what, std::size_t q,
                          std::size_t last, const SearchOptions& options) {
    const unsigned char first = Byte(what, 0);
    if (options.matchCase || !IsAsciiLetter(first)) {
        const void* hit = std::memchr(text.data() + q, first, last - q + 1);
        if (!hit)
            return std::string_view::npos;
        return static_cast<std::size_t>(static_cast<const char*>(hit) - text.data());
    }
    const unsigned char folded = FoldAscii(first);
    for (; q <= last; ++q) {
        if (FoldAscii(Byte(text, q)) == folded)
            return q;
    }
    return std::string_view::npos;
}

// First match starting in [from, to - what.size()], from and to already clamped.
int FindForwardClamped(std::string_view text, std::string_view what, std::size_t from,
                       std::size_t to, const SearchOptions& options) {
    if (what.empty() || to < from || to - from < what.size())
        return -1;
    const std::size_t last = to - what.size();
    for (std::size_t q = from; q <= last; ++q) {
        q = NextCandidate(text, what, q, last, options);
        if (q == std::string_view::npos)
            return -1;
        if (MatchAt(text, what, q, options))
            return static_cast<int>(q);
    }
    return -1;
}

void Clamp(std::string_view text, int& from, int& to) {
    const int length = static_cast<int>(text.size());
    from = std::clamp(from, 0, length);
    to = std::clamp(to, 0, length);
}

}  // namespace

int FindForward(std::string_view text, std::string_view what, int from, int to,
                const SearchOptions& options) {
    Clamp(text, from, to);
    return FindForwardClamped(text, what, static_cast<std::size_t>(from),
                              static_cast<std::size_t>(to), options);
}

// The upward search grows a window [p, pos) towards the start, n bytes at a time,
// and takes the match nearest pos from the first window that holds one. That is
// the match with the greatest start ending at or before pos, so the text is
// simply scanned backwards from pos - n.
int FindBackward(std::string_view text, std::string_view what, int pos,
                 const SearchOptions& options) {
    const int length = static_cast<int>(text.size());
    pos = std::clamp(pos, 0, length);
    const int n = static_cast<int>(what.size());
    if (n == 0 || pos < n)
        return -1;
    const unsigned char first = Byte(what, 0);
    const bool folded = !options.matchCase && IsAsciiLetter(first);
    const unsigned char foldedFirst = FoldAscii(first);
    for (int q = pos - n; q >= 0; --q) {
        const unsigned char c = Byte(text, static_cast<std::size_t>(q));
        if (folded ? FoldAscii(c) != foldedFirst : c != first)
            continue;
        if (MatchAt(text, what, static_cast<std::size_t>(q), options))
            return q;
    }
    return -1;
}

// Every match is looked for in the original text, starting behind the previous
// match, so text brought in by a replacement is never searched again.
ReplaceResult ReplaceInRange(std::string_view text, std::string_view what,
                             std::string_view replacement, int from, int to,
                             const SearchOptions& options) {
    Clamp(text, from, to);
    ReplaceResult result;
    result.newEnd = to;
    if (what.empty() || to < from) {
        result.text.assign(text);
        return result;
    }
    const std::size_t end = static_cast<std::size_t>(to);
    std::size_t copied = 0;  // text before this offset is in result.text already
    std::size_t q = static_cast<std::size_t>(from);
    bool reserved = false;
    for (;;) {
        const int match = FindForwardClamped(text, what, q, end, options);
        if (match < 0)
            break;
        if (!reserved) {
            // One allocation for the usual case; a longer replacement may grow it more.
            result.text.reserve(text.size() + (replacement.size() > what.size()
                                                   ? (replacement.size() - what.size()) * 16
                                                   : 0));
            reserved = true;
        }
        const auto m = static_cast<std::size_t>(match);
        result.text.append(text.data() + copied, m - copied);
        result.text.append(replacement);
        copied = m + what.size();
        q = copied;
        ++result.count;
    }
    result.text.append(text.data() + copied, text.size() - copied);
    result.newEnd =
        to + result.count * (static_cast<int>(replacement.size()) - static_cast<int>(what.size()));
    return result;
}

}  // namespace vesk
