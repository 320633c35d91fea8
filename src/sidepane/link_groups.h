#pragma once
// How the link browser arranges the links of a page: five groups in a fixed
// order, each sorted by text, every link with a code that says whether its
// target exists; and what a selected link stands for.

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "sidepane/link_extraction.h"

namespace vesk {

// Codes of link items (the missing ones are 6, 7 and 8).
enum LinkCode {
    kCodeInline = 1,
    kCodeInternal = 2,
    kCodeExternal = 3,
    kCodeMail = 4,
    kCodeAnchor = 5,
    kCodeInlineMissing = 6,
    kCodeInternalMissing = 7,
    kCodeAnchorMissing = 8,
};

inline bool IsMissingCode(int code) {
    return code >= kCodeInlineMissing && code <= kCodeAnchorMissing;
}

// The groups as the tree shows them, top to bottom.
inline constexpr std::array<LinkListId, 5> kLinkGroupOrder = {
    kInlineLinks, kAnchorLinks, kInternalLinks, kExternalLinks, kMailLinks};

struct LinkTreeItem {
    int index = 0;  // in its list
    int code = 0;
};

struct LinkTreeGroup {
    LinkListId list = kInlineLinks;
    std::vector<LinkTreeItem> items;  // sorted by the links' texts
};

using PathExists = std::function<bool(const std::string& path)>;

// Whether a file or folder is at the path.
bool PathExistsOnDisk(const std::string& path);

// Order of links within a group: by text, ignoring ASCII case, then byte for byte.
bool LinkTextLess(std::string_view a, std::string_view b);

// Whether a reference names a place on another site ("http://..."); such
// references cannot be checked on disk.
bool IsAbsoluteReference(std::string_view reference);

// The non-empty groups with their coded, sorted items. Inline and internal
// links are resolved against the document's folder: an untitled document
// (empty path) has every one of them missing.
std::vector<LinkTreeGroup> BuildLinkGroups(const LinkLists& lists, std::string_view documentPath,
                                           const PathExists& exists = PathExistsOnDisk);

// Kind of a file by the extension of its path: 0 a page ("htm" in the
// lower-cased extension), 1 a picture (jpg, jpeg, gif, bmp, png), 4 any other.
int FileKindByExtension(std::string_view path);

// What a selected link stands for.
struct LinkSelection {
    // -1 nothing, 0 existing page, 1 existing picture, 2 address, 3 existing
    // anchor, 4 other existing file, 5 root or group, 6 file not found,
    // 7 marked missing when the tree was built.
    int kind = -1;
    std::string path;  // file path, address or anchor name
};

LinkSelection SelectLink(int code, const std::string& text, std::string_view documentPath,
                         const PathExists& exists = PathExistsOnDisk);

}  // namespace vesk
