#include "tools/plain_text.h"

#include <array>
#include <cstddef>
#include <vector>

#include "tools/conversions.h"

namespace vesk {

namespace {

constexpr std::size_t npos = std::string::npos;
constexpr std::string_view kLineBreak = "\r\n";
constexpr std::string_view kFullWidthBlank = "\xE3\x80\x80";

// Tags a browser shows on a line of their own; the upper-case spelling is searched first.
constexpr std::array<std::string_view, 22> kBlockTags = {
    "<BLOCKQUOTE", "</BLOCKQUOTE", "<CENTER", "</CENTER", "<LI",     "<DT",  "<DD", "<DIV",
    "</DIV",       "<HR",          "<H1",     "<H2",      "<H3",     "<H4",  "<H5", "<H6",
    "<TABLE",      "<TH",          "<TR",     "<TD",      "</TABLE", "<IMG",
};

struct Reference {
    std::string_view from;
    std::string_view to;
};

// Applied one after the other: "&amp;" comes last, so "&amp;lt;" ends as "&lt;".
constexpr std::array<Reference, 12> kReferences = {{
    {"&#034;", "\""},
    {"&quot;", "\""},
    {"&#060;", "<"},
    {"&lt;", "<"},
    {"&#062;", ">"},
    {"&gt;", ">"},
    {"&#169;", "(C)"},
    {"&copy;", "(C)"},
    {"&#174;", "(R)"},
    {"&reg;", "(R)"},
    {"&#038;", "&"},
    {"&amp;", "&"},
}};

// One left-to-right pass; replacements are not searched again.
void ReplaceAll(std::string& text, std::string_view from, std::string_view to) {
    std::size_t found = text.find(from);
    if (found == npos)
        return;
    std::string out;
    out.reserve(to.size() > from.size() ? text.size() + text.size() / 4 : text.size());
    std::size_t copied = 0;
    while (found != npos) {
        out.append(text, copied, found - copied);
        out.append(to);
        copied = found + from.size();
        found = text.find(from, copied);
    }
    out.append(text, copied, npos);
    text.swap(out);
}

char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool MatchesAt(std::string_view text, std::size_t pos, std::string_view word, bool lower) {
    if (text.size() - pos < word.size())
        return false;
    for (std::size_t i = 0; i < word.size(); ++i) {
        const char expected = lower ? AsciiLower(word[i]) : word[i];
        if (text[pos + i] != expected)
            return false;
    }
    return true;
}

// Every entry breaks before each upper-case occurrence; its lower-case
// spelling is only looked for behind the last upper-case one, as the search
// carries on from there. No entry is a prefix of another and a break holds no
// "<", so the entries cannot disturb each other and one scan serves them all.
void BreakAtBlockTags(std::string& text) {
    struct Hit {
        std::size_t pos;
        std::size_t entry;
        bool upper;
    };
    std::vector<Hit> hits;
    std::array<std::size_t, kBlockTags.size()> afterLastUpper{};  // 0: none seen
    for (std::size_t pos = text.find('<'); pos != npos; pos = text.find('<', pos + 1)) {
        for (std::size_t e = 0; e < kBlockTags.size(); ++e) {
            if (MatchesAt(text, pos, kBlockTags[e], false)) {
                hits.push_back({pos, e, true});
                afterLastUpper[e] = pos + 1;
                break;
            }
            if (MatchesAt(text, pos, kBlockTags[e], true)) {
                hits.push_back({pos, e, false});
                break;
            }
        }
    }
    if (hits.empty())
        return;
    std::string out;
    out.reserve(text.size() + hits.size() * kLineBreak.size());
    std::size_t copied = 0;
    for (const Hit& hit : hits) {
        if (!hit.upper && hit.pos < afterLastUpper[hit.entry])
            continue;
        out.append(text, copied, hit.pos - copied);
        out.append(kLineBreak);
        copied = hit.pos;
    }
    out.append(text, copied, npos);
    text.swap(out);
}

// Drops each "<!--" with the first "-->" after it, keeping the text between.
// An opener without a closer stays, and so does everything behind it.
void RemoveCommentMarkers(std::string& text) {
    std::string out;
    std::size_t copied = 0;
    for (;;) {
        const std::size_t open = text.find("<!--", copied);
        if (open == npos)
            break;
        const std::size_t close = text.find("-->", open + 4);
        if (close == npos)
            break;
        out.append(text, copied, open - copied);
        out.append(text, open + 4, close - (open + 4));
        copied = close + 3;
    }
    if (copied == 0)
        return;
    out.append(text, copied, npos);
    text.swap(out);
}

// Length of the blank (half-width blank, TAB or full-width blank) at pos, 0 when none.
std::size_t BlankAt(std::string_view text, std::size_t pos) {
    if (pos >= text.size())
        return 0;
    if (text[pos] == ' ' || text[pos] == '\t')
        return 1;
    if (text.compare(pos, kFullWidthBlank.size(), kFullWidthBlank) == 0)
        return kFullWidthBlank.size();
    return 0;
}

void TrimLineStarts(std::string& text) {
    std::string out;
    out.reserve(text.size());
    std::size_t lineStart = 0;
    for (;;) {
        std::size_t pos = lineStart;
        while (std::size_t blank = BlankAt(text, pos)) pos += blank;
        const std::size_t lineEnd = text.find(kLineBreak, pos);
        if (lineEnd == npos) {
            out.append(text, pos, npos);
            break;
        }
        out.append(text, pos, lineEnd + kLineBreak.size() - pos);
        lineStart = lineEnd + kLineBreak.size();
    }
    text.swap(out);
}

bool IsBlankLine(std::string_view line) {
    std::size_t pos = 0;
    while (std::size_t blank = BlankAt(line, pos)) pos += blank;
    return pos == line.size();
}

// A run of blank lines keeps its first line; the text's last line always stays.
void CollapseBlankLines(std::string& text) {
    const std::string_view all = text;
    std::string out;
    out.reserve(text.size());
    std::size_t lineStart = 0;
    bool afterBlank = false;
    for (;;) {
        const std::size_t lineEnd = all.find(kLineBreak, lineStart);
        if (lineEnd == npos) {
            out.append(all.substr(lineStart));
            break;
        }
        const bool blank = IsBlankLine(all.substr(lineStart, lineEnd - lineStart));
        if (!(blank && afterBlank))
            out.append(all.substr(lineStart, lineEnd + kLineBreak.size() - lineStart));
        afterBlank = blank;
        lineStart = lineEnd + kLineBreak.size();
    }
    text.swap(out);
}

}  // namespace

std::string ConvertToPlainText(std::string_view source, int options) {
    std::string text(source);
    if (text.empty())
        return text;
    if (options & kPlainDeleteBreaks)
        ReplaceAll(text, kLineBreak, "");
    if (options & kPlainBrToBreak) {
        // Only these three spellings.
        ReplaceAll(text, "<BR>", kLineBreak);
        ReplaceAll(text, "<br>", kLineBreak);
        ReplaceAll(text, "<Br>", kLineBreak);
    }
    if (options & kPlainPToEmptyLine) {
        // Only the bare tag: a P with attributes goes with the other tags.
        ReplaceAll(text, "<P>", "\r\n\r\n");
        ReplaceAll(text, "<p>", "\r\n\r\n");
    }
    if (options & kPlainBreakAtBlockTags)
        BreakAtBlockTags(text);
    if (!(options & kPlainKeepCommentMarkers))
        RemoveCommentMarkers(text);
    text = RemoveTags(text);
    if (options & kPlainTrimLineStarts)
        TrimLineStarts(text);
    if (options & kPlainCollapseEmptyLines)
        CollapseBlankLines(text);
    if (options & kPlainConvertReferences) {
        for (const Reference& reference : kReferences)
            ReplaceAll(text, reference.from, reference.to);
    }
    return text;
}

}  // namespace vesk
