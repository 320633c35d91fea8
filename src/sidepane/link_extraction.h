#pragma once
// The links of a page, found the way the link browser lists them: HREF values
// of tags beginning with "<A" (A, AREA...), SRC values of IMG and EMBED, and
// the NAME values of A tags. Positions are byte offsets into the text.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vesk {

struct LinkEntry {
    int start = 0;  // first byte of the value
    int end = 0;    // last byte of the value (of the file part for "page.htm#top")
    std::string text;

    bool operator==(const LinkEntry&) const = default;
};

// The six lists, in the order they are searched for the link at the caret.
enum LinkListId {
    kInternalLinks = 0,  // HREF to a file ("page.htm", the file part of "page.htm#top")
    kExternalLinks,      // HREF containing "://"
    kMailLinks,          // HREF containing "mailto:", without its first 7 characters
    kInlineLinks,        // SRC of IMG and EMBED
    kAnchorLinks,        // HREF "#name", without the "#"
    kAnchorNames,        // NAME of A tags
    kLinkListCount
};

struct LinkLists {
    std::array<std::vector<LinkEntry>, kLinkListCount> lists;

    std::vector<LinkEntry>& operator[](LinkListId id) { return lists[id]; }
    const std::vector<LinkEntry>& operator[](LinkListId id) const { return lists[id]; }
    std::array<std::size_t, kLinkListCount> Counts() const;
    bool Empty() const;
};

LinkLists ExtractLinks(std::string_view text);

}  // namespace vesk
