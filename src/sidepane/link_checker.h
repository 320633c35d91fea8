#pragma once
// The site link checker: the links of pages as the link browser lists them,
// with whether each target exists, for use without a window.

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "sidepane/link_groups.h"

namespace vesk {

struct CheckedLink {
    LinkListId list = kInlineLinks;
    bool missing = false;
    std::string text;
};

// The links of a page in the link browser's order (groups top to bottom,
// sorted by text within each). documentPath is the page's own path.
std::vector<CheckedLink> CheckLinks(std::string_view text, std::string_view documentPath,
                                    const PathExists& exists = PathExistsOnDisk);

// "inline", "anchor", "internal", "external" or "mail".
const char* LinkGroupName(LinkListId list);

// The pages to check for the arguments: a file as it is, a folder as every .html and
// .htm file under it, in sorted path order.
std::vector<std::string> PagesToCheck(const std::vector<std::string>& arguments);

// Checks each file in order (folders as PagesToCheck gives them) and prints one line per
// link, FILE<TAB>GROUP<TAB>ok|missing<TAB>LINK. Returns 2 when a file could not be
// read (told on err), else 1 when any link is missing, else 0.
int RunLinkCheck(const std::vector<std::string>& files, std::ostream& out, std::ostream& err);

}  // namespace vesk
