#include "tagedit/tag_scanner.h"

#include <algorithm>
#include <cstddef>
#include <iterator>

namespace vesk {
namespace {

constexpr std::size_t npos = std::string_view::npos;

// Recognised tag names, in row order (row = kind).
constexpr std::string_view kPrefixes[] = {
    "<HR",       "<DIV",   "<BODY", "<FONT",   "<TABLE",  "<TR",       "<TD",   "<TH",
    "<FRAMESET", "<FRAME", "<META", "<SELECT", "<OPTION", "<TEXTAREA", "<FORM", "<INPUT",
    "<A",        "<IMG",   "<H1",   "<H2",     "<H3",     "<H4",       "<H5",   "<H6",
    "<OL",       "<UL",    "<LI",   "<P",      "<AREA",   "<MAP",
};
static_assert(std::size(kPrefixes) == kLastTagKind);

// The full-width blank "　" in UTF-8.
constexpr std::string_view kFullWidthBlank = "\xE3\x80\x80";

char UpperAscii(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

char LowerChar(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsAsciiWhite(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

bool FullWidthBlankAt(std::string_view text, std::size_t i) {
    return text.substr(std::min(i, text.size())).starts_with(kFullWidthBlank);
}

// Whether the three bytes ending just before i are the full-width blank.
bool FullWidthBlankBefore(std::string_view text, std::size_t i) {
    return i >= kFullWidthBlank.size() && i <= text.size() &&
           text.substr(i - kFullWidthBlank.size(), kFullWidthBlank.size()) == kFullWidthBlank;
}

// First offset at or after i that is not white space (ASCII or full-width blank).
std::size_t SkipWhite(std::string_view text, std::size_t i) {
    while (i < text.size()) {
        if (IsAsciiWhite(text[i]))
            ++i;
        else if (FullWidthBlankAt(text, i))
            i += kFullWidthBlank.size();
        else
            break;
    }
    return i;
}

bool EqualsIgnoreCaseAt(std::string_view text, std::size_t pos, std::string_view word) {
    if (pos > text.size() || text.size() - pos < word.size())
        return false;
    for (std::size_t i = 0; i < word.size(); ++i) {
        if (UpperAscii(text[pos + i]) != UpperAscii(word[i]))
            return false;
    }
    return true;
}

// Last occurrence of word (any case) that lies wholly inside text; scans back
// from the end only as far as it must.
std::size_t RFindIgnoreCase(std::string_view text, std::string_view word) {
    if (word.empty() || word.size() > text.size())
        return npos;
    for (std::size_t p = text.size() - word.size() + 1; p-- > 0;) {
        if (EqualsIgnoreCaseAt(text, p, word))
            return p;
    }
    return npos;
}

// A character that may end a recognised tag name.
bool IsTagNameEnd(char c) {
    return c == ' ' || c == '\r' || c == '\n' || c == '\t' || c == '>';
}

// A character that separates words in a tag (attribute names, unquoted values).
bool IsSeparatorBefore(std::string_view text, std::size_t p) {
    if (p == 0)
        return false;
    const char c = text[p - 1];
    return c == ' ' || c == '"' || c == '\r' || c == '\n' || c == '\t' ||
           FullWidthBlankBefore(text, p);
}

// First offset of an occurrence of word (exact case) that stands as a word
// outside double-quoted values; npos when none.
std::size_t FindFlagWord(std::string_view text, std::string_view word) {
    bool quoted = false;
    for (std::size_t p = 0; p + word.size() <= text.size(); ++p) {
        if (p > 0 && text[p - 1] == '"')
            quoted = !quoted;
        if (quoted || text.compare(p, word.size(), word) != 0 || !IsSeparatorBefore(text, p))
            continue;
        const std::size_t after = p + word.size();
        if (after >= text.size())
            continue;
        const char c = text[after];
        if (IsAsciiWhite(c) || c == '>' || c == '/' || FullWidthBlankAt(text, after))
            return p;
    }
    return npos;
}

// Characters next to which a removed line break needs no blank to keep words apart.
bool IsWordBoundary(char c) {
    return IsAsciiWhite(c) || c == '"' || c == '=' || c == '<' || c == '>';
}

AttributeValue SyntaxError(int namePos) {
    AttributeValue result;
    result.namePos = namePos;
    result.status = -2;
    return result;
}

}  // namespace

std::string LowerAscii(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) c = LowerChar(c);
    return lower;
}

std::string_view TagPrefix(TagKind kind) {
    if (kind < 1 || kind > kLastTagKind)
        return {};
    return kPrefixes[kind - 1];
}

TagKind ClassifyTag(std::string_view tagText) {
    for (TagKind kind = 1; kind <= kLastTagKind; ++kind) {
        const std::string_view prefix = kPrefixes[kind - 1];
        if (tagText.size() <= prefix.size() || !IsTagNameEnd(tagText[prefix.size()]))
            continue;
        const std::string_view head = tagText.substr(0, prefix.size());
        if (head == prefix || std::equal(head.begin(), head.end(), prefix.begin(),
                                         [](char h, char p) { return h == LowerChar(p); }))
            return kind;
    }
    return kKindUnknownTag;
}

namespace {

template <class Text>
TagAtCaret FindTagAt(const Text& text, int caret) {
    const std::size_t c =
        static_cast<std::size_t>(std::clamp(caret, 0, static_cast<int>(text.size())));
    TagAtCaret tag;
    tag.start = tag.end = static_cast<int>(c);
    // Only the nearest bracket on either side decides, so both searches stop there.
    if (c == 0)
        return tag;
    const std::size_t open = text.find_last_of("<>", c - 1);
    if (open == npos || text[open] != '<')
        return tag;
    const std::size_t close = text.find_first_of("<>", c);
    if (close == npos || text[close] != '>')
        return tag;
    tag.text = std::string(text.substr(open, close - open + 1));
    tag.start = static_cast<int>(open);
    tag.end = static_cast<int>(close);
    tag.kind = ClassifyTag(tag.text);
    return tag;
}

}  // namespace

TagAtCaret FindTagAtCaret(std::string_view text, int caret) {
    return FindTagAt(text, caret);
}

TagAtCaret FindTagAtCaret(const SplitText& text, int caret) {
    return FindTagAt(text, caret);
}

int FindAttributeName(std::string_view tagText, std::string_view name) {
    if (name.empty())
        return -1;
    bool quoted = false;
    for (std::size_t p = 0; p + name.size() <= tagText.size(); ++p) {
        // A name inside a quoted value belongs to that value.
        if (p > 0 && tagText[p - 1] == '"')
            quoted = !quoted;
        if (quoted || !EqualsIgnoreCaseAt(tagText, p, name) || !IsSeparatorBefore(tagText, p))
            continue;
        const std::size_t after = p + name.size();
        if (after < tagText.size() &&
            (tagText[after] == ' ' || tagText[after] == '=' || FullWidthBlankAt(tagText, after)))
            return static_cast<int>(p);
    }
    return -1;
}

AttributeValue GetAttributeValue(std::string_view tagText, std::string_view name,
                                 bool valueMayContainEquals) {
    AttributeValue result;
    const int found = FindAttributeName(tagText, name);
    if (found < 0)
        return result;
    const std::size_t p = static_cast<std::size_t>(found);
    const std::size_t length = tagText.size();

    const std::size_t equals = tagText.find('=', p + name.size());
    if (equals == npos || SkipWhite(tagText, p + name.size()) != equals)
        return SyntaxError(found);

    std::size_t g = equals + 1;
    std::size_t nextEquals = tagText.find('=', g);
    if (nextEquals == npos)
        nextEquals = length - 1;
    const std::size_t q1 = tagText.find('"', g);
    const std::size_t q2 = q1 == npos ? npos : tagText.find('"', q1 + 1);

    result.namePos = found;
    if (q1 == npos || q1 >= nextEquals) {
        // Unquoted: up to the next white space, else up to the final ">". Line
        // breaks end the value too, or a value at a line end would swallow the
        // attribute on the next line.
        g = SkipWhite(tagText, g);
        std::size_t stop = g;
        while (stop < length && !IsAsciiWhite(tagText[stop]) && !FullWidthBlankAt(tagText, stop))
            ++stop;
        if (stop == length && tagText.ends_with('>'))
            stop = std::max(g, length - 1);
        // The value is g .. stop - 1 (empty when stop == g).
        result.value = std::string(tagText.substr(g, stop - g));
        result.valueStart = static_cast<int>(g);
        result.valueEnd = static_cast<int>(stop) - 1;
        result.endPos = std::max(result.valueEnd, static_cast<int>(equals));
        result.status = 0;
        return result;
    }

    if (q2 == npos || (!valueMayContainEquals && nextEquals < q2) || SkipWhite(tagText, g) != q1)
        return SyntaxError(found);
    result.value = std::string(tagText.substr(q1 + 1, q2 - q1 - 1));
    result.valueStart = static_cast<int>(q1 + 1);
    result.valueEnd = static_cast<int>(q2) - 1;
    result.endPos = static_cast<int>(q2);
    result.status = 0;
    return result;
}

std::string StripLineBreaks(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const char c = text[i];
        if (c != '\r' && c != '\n' && c != '\t') {
            out += c;
            ++i;
            continue;
        }
        std::size_t j = i;
        while (j < text.size() && (text[j] == '\r' || text[j] == '\n' || text[j] == '\t')) ++j;
        const bool wordBefore =
            !out.empty() && !IsWordBoundary(out.back()) && !out.ends_with(kFullWidthBlank);
        const bool wordAfter =
            j < text.size() && !IsWordBoundary(text[j]) && !FullWidthBlankAt(text, j);
        if (wordBefore && wordAfter)
            out += ' ';
        i = j;
    }
    return out;
}

TagKind ListKindOfItem(std::string_view textBefore) {
    const std::size_t ol = RFindIgnoreCase(textBefore, "<ol");
    const std::size_t ul = RFindIgnoreCase(textBefore, "<ul");
    if (ol == npos && ul == npos)
        return kKindLi;
    if (ul == npos || (ol != npos && ol > ul))
        return kKindOrderedListItem;
    return kKindUnorderedListItem;
}

int FindEnclosingMapName(std::string_view text, int caret, std::string& name) {
    if (caret < 0)
        return -1;
    // Up to and including the character at the caret (there is none at the end).
    const std::string_view head =
        text.substr(0, std::min(text.size(), static_cast<std::size_t>(caret) + 1));
    const std::size_t map = RFindIgnoreCase(head, "<MAP");
    if (map == npos)
        return -1;
    const std::size_t close = head.find('>', map + 4);
    if (close == npos)
        return -1;
    const AttributeValue value =
        GetAttributeValue(text.substr(map, close - map + 1), "NAME", false);
    if (value.status != 0)
        return -2;
    name = value.value;
    return 0;
}

AttributeValue CTagScanner::TakeAttribute(std::string_view name, bool valueMayContainEquals) {
    AttributeValue value = GetAttributeValue(text, name, valueMayContainEquals);
    if (value.status == 0)
        RemoveFromTag(value.namePos, value.endPos);
    return value;
}

bool CTagScanner::TakeFlagAttribute(std::string_view name) {
    if (name.empty())
        return false;
    std::size_t p = FindFlagWord(text, name);
    if (p == npos)
        p = FindFlagWord(text, LowerAscii(name));
    if (p == npos)
        return false;
    RemoveFromTag(static_cast<int>(p), static_cast<int>(p + name.size()) - 1);
    return true;
}

void CTagScanner::RemoveFromTag(int first, int last) {
    const int size = static_cast<int>(text.size());
    first = std::max(first, 0);
    last = std::min(last, size - 1);
    if (first <= last)
        text.erase(static_cast<std::size_t>(first), static_cast<std::size_t>(last - first + 1));

    // A run of n blanks keeps (n + 1) / 2 of them; quoted values stay as written.
    std::string tidy;
    tidy.reserve(text.size());
    bool quoted = false;
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] == '"')
            quoted = !quoted;
        if (quoted || text[i] != ' ') {
            tidy += text[i++];
            continue;
        }
        std::size_t run = i;
        while (run < text.size() && text[run] == ' ') ++run;
        tidy.append((run - i + 1) / 2, ' ');
        i = run;
    }
    text = std::move(tidy);

    if (text.size() >= 2 && text[text.size() - 2] == ' ')
        text.erase(text.size() - 2, 1);
}

void CTagScanner::StripLineBreaks() {
    text = vesk::StripLineBreaks(text);
}

}  // namespace vesk
