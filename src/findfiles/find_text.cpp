#include "findfiles/find_text.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace vesk::findfiles {

namespace {

constexpr std::size_t kNpos = std::string_view::npos;
// How much of a long line the result list shows around a match.
constexpr std::size_t kExcerptBefore = 60;
constexpr std::size_t kExcerptAfter = 160;
constexpr std::string_view kEllipsis = "\xE2\x80\xA6";

constexpr std::array<unsigned char, 256> MakeFoldTable() {
    std::array<unsigned char, 256> table{};
    for (int c = 0; c < 256; ++c)
        table[c] = static_cast<unsigned char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return table;
}
constexpr std::array<unsigned char, 256> kFold = MakeFoldTable();

unsigned char Byte(std::string_view text, std::size_t i) {
    return static_cast<unsigned char>(text[i]);
}

bool IsContinuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

bool HasAsciiLetter(std::string_view text) {
    return std::any_of(text.begin(), text.end(),
                       [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); });
}

// The start of the character at or after pos.
std::size_t CharStartForward(std::string_view text, std::size_t pos) {
    while (pos < text.size() && IsContinuation(Byte(text, pos))) ++pos;
    return pos;
}

// The start of the character that pos falls in (pos itself at a character start).
std::size_t CharStartBackward(std::string_view text, std::size_t pos, std::size_t floor) {
    while (pos > floor && pos < text.size() && IsContinuation(Byte(text, pos))) --pos;
    return pos;
}

// Takes the file's own bytes for the next segment of the text: they must read back as the
// segment. Copies them to out and moves pos behind them.
bool TakeOwnBytes(std::string_view fileBytes, std::size_t& pos, std::string_view segment,
                  TextEncoding encoding, std::string& out) {
    if (segment.empty())
        return true;
    EncodeResult encoded = EncodeText(segment, encoding);
    // CP932's doubled codes take two bytes either way, so the length is the file's.
    if (!encoded.ok || pos + encoded.bytes.size() > fileBytes.size())
        return false;
    const std::string_view own = fileBytes.substr(pos, encoded.bytes.size());
    if (own != encoded.bytes) {
        std::optional<std::string> back = DecodeAs(own, encoding);
        if (!back || *back != segment)
            return false;
    }
    out.append(own);
    pos += own.size();
    return true;
}

}  // namespace

TextFinder::TextFinder(std::string_view what, bool matchCase)
    : what_(what), folded_(!matchCase && HasAsciiLetter(what)) {
    if (!folded_)
        return;
    for (char& c : what_) c = static_cast<char>(kFold[static_cast<unsigned char>(c)]);
    const std::size_t m = what_.size();
    std::fill(std::begin(skip_), std::end(skip_), m);
    for (std::size_t i = 0; i + 1 < m; ++i) skip_[static_cast<unsigned char>(what_[i])] = m - 1 - i;
}

std::size_t TextFinder::Find(std::string_view text, std::size_t from) const {
    const std::size_t m = what_.size();
    const std::size_t n = text.size();
    if (m == 0 || from > n || n - from < m)
        return kNpos;
    if (!folded_) {
        while (n - from >= m) {
            const void* hit = memmem(text.data() + from, n - from, what_.data(), m);
            if (!hit)
                return kNpos;
            const auto pos = static_cast<std::size_t>(static_cast<const char*>(hit) - text.data());
            if (!IsContinuation(Byte(text, pos)))
                return pos;
            from = pos + 1;
        }
        return kNpos;
    }
    // Horspool over folded bytes.
    const auto* s = reinterpret_cast<const unsigned char*>(text.data());
    const auto* w = reinterpret_cast<const unsigned char*>(what_.data());
    const unsigned char lastOfWhat = w[m - 1];
    for (std::size_t pos = from; pos + m <= n;) {
        const unsigned char last = kFold[s[pos + m - 1]];
        if (last == lastOfWhat) {
            std::size_t k = 0;
            while (k + 1 < m && kFold[s[pos + k]] == w[k]) ++k;
            if (k + 1 == m && !IsContinuation(s[pos]))
                return pos;
        }
        pos += skip_[last];
    }
    return kNpos;
}

std::vector<std::size_t> TextFinder::FindAll(std::string_view text) const {
    std::vector<std::size_t> offsets;
    for (std::size_t pos = Find(text, 0); pos != kNpos; pos = Find(text, pos + what_.size()))
        offsets.push_back(pos);
    return offsets;
}

std::vector<LineMatch> MatchesByLine(std::string_view text, const std::vector<std::size_t>& offsets,
                                     std::size_t length, LineBreakStyle breaks, std::size_t limit) {
    std::vector<LineMatch> matches;
    matches.reserve(std::min(offsets.size(), limit));
    const bool loneCr = breaks == LineBreakStyle::Cr || breaks == LineBreakStyle::Mixed;
    const char* data = text.data();
    const std::size_t n = text.size();
    int line = 1;
    std::size_t lineStart = 0;
    std::size_t counted = 0;  // breaks before this are counted
    for (std::size_t offset : offsets) {
        if (matches.size() >= limit)
            break;
        if (loneCr) {
            for (std::size_t i = counted; i < offset; ++i) {
                const char c = data[i];
                if (c == '\n' || (c == '\r' && (i + 1 >= n || data[i + 1] != '\n'))) {
                    ++line;
                    lineStart = i + 1;
                }
            }
        } else {
            const char* p = data + counted;
            const char* stop = data + offset;
            while (p < stop) {
                const void* hit = std::memchr(p, '\n', static_cast<std::size_t>(stop - p));
                if (!hit)
                    break;
                p = static_cast<const char*>(hit) + 1;
                ++line;
                lineStart = static_cast<std::size_t>(p - data);
            }
        }
        counted = offset;

        LineMatch match;
        match.line = line;
        match.column = offset - lineStart;
        match.length = length;
        // The line's end, looked for no further than the excerpt reaches.
        const std::size_t matchEnd = std::min(n, offset + length);
        const std::size_t reach = std::min(n, matchEnd + kExcerptAfter + 1);
        std::size_t lineEnd = reach;
        for (std::size_t i = offset; i < reach; ++i) {
            if (data[i] == '\n' || data[i] == '\r') {
                lineEnd = i;
                break;
            }
        }
        std::size_t from = lineStart;
        while (from < offset && (data[from] == ' ' || data[from] == '\t')) ++from;
        const bool cutBefore = offset - from > kExcerptBefore;
        if (cutBefore)
            from = CharStartForward(text, offset - kExcerptBefore);
        const bool cutAfter = lineEnd > matchEnd && lineEnd - matchEnd > kExcerptAfter;
        const std::size_t to =
            cutAfter ? CharStartBackward(text, matchEnd + kExcerptAfter, matchEnd) : lineEnd;
        if (cutBefore)
            match.excerpt = kEllipsis;
        match.markStart = match.excerpt.size() + (offset - from);
        match.markLength = std::min(length, std::max(to, offset) - offset);
        match.excerpt.append(text.substr(from, to - from));
        if (cutAfter)
            match.excerpt.append(kEllipsis);
        matches.push_back(std::move(match));
    }
    return matches;
}

SpanEdit ReplacementSpan(std::string_view text, const std::vector<std::size_t>& offsets,
                         std::size_t length, std::string_view replacement) {
    SpanEdit edit;
    if (offsets.empty())
        return edit;
    edit.start = offsets.front();
    edit.end = offsets.back() + length;
    std::size_t pos = edit.start;
    for (std::size_t offset : offsets) {
        edit.text.append(text.substr(pos, offset - pos));
        edit.text.append(replacement);
        pos = offset + length;
    }
    return edit;
}

ReplacePlan PlanReplace(std::string_view fileBytes, const DecodedText& decoded,
                        const std::vector<std::size_t>& offsets, std::size_t length,
                        std::string_view replacement) {
    ReplacePlan plan;
    if (offsets.empty())
        return plan;
    plan.count = static_cast<int>(offsets.size());
    if (decoded.guessed) {
        plan.outcome = ReplaceOutcome::NotDecodedCleanly;
        return plan;
    }
    const TextEncoding encoding = decoded.encoding;
    EncodeResult replacementBytes = EncodeText(replacement, encoding);
    if (!replacementBytes.ok) {
        plan.outcome = ReplaceOutcome::CannotHold;
        plan.failChar = replacementBytes.failChar;
        return plan;
    }
    const std::string_view text = decoded.utf8;
    plan.outcome = ReplaceOutcome::WouldChangeOtherBytes;

    if (encoding == TextEncoding::Iso2022Jp) {
        // Stateful: the text is encoded again as a whole. That keeps the other characters'
        // codes only when the file is what encoding its text gives; the escape sequences
        // next to a replacement may then differ, nothing else.
        if (decoded.otherCodesOnEncoding)
            return plan;
        const SpanEdit edit = ReplacementSpan(text, offsets, length, replacement);
        std::string newText;
        newText.reserve(text.size() + edit.text.size());
        newText.append(text.substr(0, edit.start)).append(edit.text).append(text.substr(edit.end));
        EncodeResult encoded = EncodeText(newText, encoding);
        if (!encoded.ok) {
            plan.outcome = ReplaceOutcome::CannotHold;
            plan.failChar = encoded.failChar;
            return plan;
        }
        plan.bytes = std::move(encoded.bytes);
        plan.outcome = ReplaceOutcome::Replaced;
        return plan;
    }

    std::string out;
    out.reserve(fileBytes.size() + offsets.size() * replacementBytes.bytes.size());
    std::size_t bytePos = 0;
    if (encoding == TextEncoding::Utf8) {
        // The text is the file's bytes behind the BOM.
        bytePos = decoded.bom ? 3 : 0;
        if (fileBytes.size() != bytePos + text.size())
            return plan;
        out.append(fileBytes.substr(0, bytePos));
        std::size_t pos = 0;
        for (std::size_t offset : offsets) {
            out.append(fileBytes.substr(bytePos + pos, offset - pos));
            out.append(replacementBytes.bytes);
            pos = offset + length;
        }
        out.append(fileBytes.substr(bytePos + pos));
    } else {
        // Stateless double-byte and single-byte encodings: the file's own bytes between the
        // matches, each checked to read as its piece of the text.
        std::string skipped;
        std::size_t pos = 0;
        for (std::size_t offset : offsets) {
            if (!TakeOwnBytes(fileBytes, bytePos, text.substr(pos, offset - pos), encoding, out))
                return plan;
            skipped.clear();
            if (!TakeOwnBytes(fileBytes, bytePos, text.substr(offset, length), encoding, skipped))
                return plan;
            out.append(replacementBytes.bytes);
            pos = offset + length;
        }
        if (!TakeOwnBytes(fileBytes, bytePos, text.substr(pos), encoding, out) ||
            bytePos != fileBytes.size()) {
            return plan;
        }
    }
    plan.bytes = std::move(out);
    plan.outcome = ReplaceOutcome::Replaced;
    return plan;
}

}  // namespace vesk::findfiles
