#include "sidepane/link_extraction.h"

#include "sidepane/links.h"
#include "tagedit/tag_scanner.h"

namespace vesk {

namespace {

constexpr std::size_t npos = std::string_view::npos;

std::string UpperAscii(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return upper;
}

bool ContainsNoCase(std::string_view text, std::string_view upperNeedle) {
    return UpperAscii(text).find(upperNeedle) != npos;
}

// Calls take(tagText, tagStart) for every tag of the text that begins with
// prefix (searched in the upper-case copy) and closes with the next ">" found
// from skip bytes behind its start. A tag holding another "<" is left out;
// a missing ">" ends the search.
template <typename Take>
void ForEachTag(std::string_view text, std::string_view upper, std::string_view prefix,
                std::size_t skip, Take take) {
    std::size_t from = 0;
    while (from < upper.size()) {
        const std::size_t open = upper.find(prefix, from);
        if (open == npos)
            return;
        const std::size_t close = open + skip < upper.size() ? upper.find('>', open + skip) : npos;
        if (close == npos)
            return;
        const std::string_view tag = text.substr(open, close - open + 1);
        if (tag.find('<', 1) == npos)
            take(tag, static_cast<int>(open));
        from = close + 1;
    }
}

LinkEntry Entry(int tagStart, const AttributeValue& value, std::string text) {
    return {tagStart + value.valueStart, tagStart + value.valueEnd, std::move(text)};
}

}  // namespace

std::array<std::size_t, kLinkListCount> LinkLists::Counts() const {
    std::array<std::size_t, kLinkListCount> counts{};
    for (int i = 0; i < kLinkListCount; ++i) counts[i] = lists[i].size();
    return counts;
}

bool LinkLists::Empty() const {
    for (const auto& list : lists) {
        if (!list.empty())
            return false;
    }
    return true;
}

LinkLists ExtractLinks(std::string_view text) {
    LinkLists links;
    const std::string upper = UpperAscii(text);

    ForEachTag(text, upper, "<A", 6, [&links](std::string_view tag, int tagStart) {
        const AttributeValue name = GetAttributeValue(tag, "NAME");
        if (name.status == 0)
            links[kAnchorNames].push_back(Entry(tagStart, name, name.value));
        // Query strings ("list.cgi?page=2") are links too.
        const AttributeValue href = GetAttributeValue(tag, "HREF", true);
        if (href.status != 0)
            return;
        const std::string& value = href.value;
        if (value.find("://") != npos) {
            links[kExternalLinks].push_back(Entry(tagStart, href, value));
        } else if (ContainsNoCase(value, "MAILTO:")) {
            // The scheme is taken to lead the value: the first 7 bytes go, wherever it stood.
            links[kMailLinks].push_back(
                Entry(tagStart, href, value.substr(value.size() < 7 ? value.size() : 7)));
        } else {
            AnchorSplit split = SplitAnchor(value);
            if (split.form == 2) {
                links[kAnchorLinks].push_back(Entry(tagStart, href, std::move(split.anchor)));
            } else if (split.form == 1) {
                LinkEntry entry = Entry(tagStart, href, std::move(split.file));
                entry.end = entry.start + static_cast<int>(entry.text.size()) - 1;
                links[kInternalLinks].push_back(std::move(entry));
            } else {
                links[kInternalLinks].push_back(Entry(tagStart, href, value));
            }
        }
    });

    auto takeSource = [&links](std::string_view tag, int tagStart) {
        const AttributeValue src = GetAttributeValue(tag, "SRC", true);
        if (src.status == 0)
            links[kInlineLinks].push_back(Entry(tagStart, src, src.value));
    };
    ForEachTag(text, upper, "<IMG", 7, takeSource);
    ForEachTag(text, upper, "<EMBED", 9, takeSource);
    return links;
}

}  // namespace vesk
