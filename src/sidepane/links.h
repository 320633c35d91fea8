#pragma once
// Links of a page: the link at the caret, anchors, and the split of a link
// into its file and anchor parts.

#include <string>
#include <string_view>
#include <vector>

namespace vesk {

struct AnchorSplit {
    int form = 0;  // 0: the whole value is a file, 1: file and anchor, 2: anchor only
    std::string file;
    std::string anchor;
};

// "a.html#top" -> form 1, "a.html", "top"; "#top" -> form 2; "a.html" -> form 0.
AnchorSplit SplitAnchor(std::string_view value);

// Kind of a link value: 2 an absolute URL (a scheme such as http, https or ftp
// followed by "://"), 0 a page ("htm" in its last 4 characters, any case),
// 1 an image (jpg, jpeg, gif, png), -1 any other file.
int LinkKind(std::string_view value);

struct LinkAtCaretResult {
    std::string value;  // the link text
    int start = 0;      // the value's span in the text (byte offsets of its
    int end = 0;        // first and last byte)
    int kind = -2;      // -2: no link at the caret
};

// The link of the tag at the caret: its SRC, else HREF, else BACKGROUND value,
// when the caret lies strictly inside the value (from behind its first byte
// through in front of its last). tagStart is the offset of the tag in the
// document, so that the result's positions are document offsets.
LinkAtCaretResult LinkAtCaret(std::string_view tagText, int tagStart, int caret);

// The NAME values of the page's A tags, in order.
std::vector<std::string> AnchorNames(std::string_view text);

}  // namespace vesk
