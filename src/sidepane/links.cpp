#include "sidepane/links.h"

#include <cstddef>
#include <cstring>

#include "tagedit/tag_scanner.h"

namespace vesk {

namespace {

constexpr std::size_t npos = std::string_view::npos;

bool IsAsciiAlpha(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool IsAsciiDigit(char c) {
    return c >= '0' && c <= '9';
}

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// "http://", "https://", "ftp://"...: a scheme name directly followed by "://".
bool StartsWithUrlScheme(std::string_view value) {
    if (value.empty() || !IsAsciiAlpha(value[0]))
        return false;
    std::size_t p = 1;
    while (p < value.size() && (IsAsciiAlpha(value[p]) || IsAsciiDigit(value[p]) ||
                                value[p] == '+' || value[p] == '-' || value[p] == '.'))
        ++p;
    return value.substr(p).starts_with("://");
}

}  // namespace

AnchorSplit SplitAnchor(std::string_view value) {
    AnchorSplit split;
    const std::size_t h = value.rfind('#');
    const std::size_t d = value.rfind('.');
    // Only a "#" behind the last "." starts an anchor: "page#x.y" is a file name.
    if (h == npos || d == npos || d >= h) {
        if (h == 0) {
            split.form = 2;
            split.anchor = std::string(value.substr(1));
        } else {
            split.form = 0;
            split.file = std::string(value);
        }
        return split;
    }
    split.form = 1;
    split.file = std::string(value.substr(0, h));
    split.anchor = std::string(value.substr(h + 1));
    return split;
}

int LinkKind(std::string_view value) {
    if (StartsWithUrlScheme(value))
        return 2;
    std::string tail(value.substr(value.size() > 4 ? value.size() - 4 : 0));
    for (char& c : tail) c = LowerAscii(c);
    if (tail.find("htm") != npos)
        return 0;
    for (const char* image : {"jpg", "jpeg", "gif", "png"}) {
        if (tail.find(image) != npos)
            return 1;
    }
    return -1;
}

LinkAtCaretResult LinkAtCaret(std::string_view tagText, int tagStart, int caret) {
    for (const char* name : {"SRC", "HREF", "BACKGROUND"}) {
        const AttributeValue attribute = GetAttributeValue(tagText, name);
        if (attribute.status == -1)
            continue;
        // The first attribute present decides, even when it cannot be read.
        LinkAtCaretResult result;
        if (attribute.status != 0)
            return result;
        const int start = tagStart + attribute.valueStart;
        const int end = tagStart + attribute.valueEnd;
        // Strictly inside: between two bytes of the value, not in front of its
        // first byte nor behind its last.
        if (caret <= start || caret > end)
            return result;
        result.value = attribute.value;
        result.start = start;
        result.end = end;
        result.kind = LinkKind(attribute.value);
        return result;
    }
    return {};
}

std::vector<std::string> AnchorNames(std::string_view text) {
    std::vector<std::string> names;
    std::size_t from = 0;
    while (from < text.size()) {
        const void* found = std::memchr(text.data() + from, '<', text.size() - from);
        if (found == nullptr)
            break;
        const std::size_t open = static_cast<const char*>(found) - text.data();
        // "<a" with at least one character behind it; any tag name beginning with "a" counts.
        if (open + 2 >= text.size())
            break;
        if (LowerAscii(text[open + 1]) != 'a') {
            from = open + 1;
            continue;
        }
        const std::size_t close = text.find('>', open + 2);
        // Without a ">" no later tag can close either.
        if (close == npos)
            break;
        // Values keep their case: anchor names are matched exactly.
        const AttributeValue name = GetAttributeValue(text.substr(open, close - open + 1), "NAME");
        if (name.status == 0)
            names.push_back(name.value);
        from = close + 1;
    }
    return names;
}

}  // namespace vesk
