#pragma once
// The page-level tags: the two page skeletons, the document type line, BODY,
// META, FRAMESET and FRAME. Each dialog's fields as a plain record, and the
// text a record makes. Lists hold the chosen index, -1 for none; check boxes
// 0 or 1.

#include <cstddef>
#include <string>
#include <string_view>

#include "tags/tag_attributes.h"

namespace vesk {

// The character-code lists: 0 Shift JIS, 1 JIS, 2 EUC, 3 UTF-8, 4 blank.
enum PageCharset : int {
    kCharsetShiftJis = 0,
    kCharsetJis = 1,
    kCharsetEuc = 2,
    kCharsetUtf8 = 3,
    kCharsetNone = 4,
};

// The search-restriction lists: all, index, noindex, nofollow, none, blank.
enum PageRobots : int {
    kRobotsAll = 0,
    kRobotsIndex = 1,
    kRobotsNoindex = 2,
    kRobotsNofollow = 3,
    kRobotsNone = 4,
    kRobotsBlank = 5,
};

struct PageSkeletonData {
    std::string title;
    std::string replyTo;
    std::string keywords;
    std::string build;
    std::string copyright;
    std::string background;
    std::string author;
    std::string textColor;
    std::string bgColor;
    std::string linkColor;
    std::string vlinkColor;
    std::string alinkColor;
    std::string description;
    int robots = -1;
    int charset = -1;
    bool html5 = false;  // an HTML5 page: short document type, meta charset, viewport
};

struct FrameSkeletonData {
    std::string author;
    std::string copyright;
    std::string build;
    std::string keywords;
    std::string replyTo;
    std::string title;
    std::string description;
    int colsPercent = 0;
    int rowsPercent = 0;
    std::string border;
    std::string cols;  // one size a line, "\r\n" between them
    std::string rows;
    int robots = -1;
    int charset = -1;
};

struct DoctypeData {
    std::string version;
};

struct BodyData {
    std::string textColor;
    std::string linkColor;
    std::string vlinkColor;
    std::string alinkColor;
    std::string bgColor;
    std::string background;
};

// The kinds of META information, in the order of the dialog's buttons.
enum MetaKind : int {
    kMetaAuthor = 0,
    kMetaReplyTo = 1,
    kMetaCopyright = 2,
    kMetaBuild = 3,
    kMetaKeywords = 4,
    kMetaDescription = 5,
    kMetaRobots = 6,
    kMetaContentType = 7,
    kMetaRefresh = 8,
};
constexpr int kMetaKindCount = 9;
// Kinds whose value is typed into the text field (the refresh one included).
bool IsMetaTextKind(int kind);

struct MetaData {
    int kind = -1;
    std::string text;
    int robots = -1;
    int charset = -1;
    std::string seconds;
};

struct FramesetData {
    int colsPercent = 0;
    std::string border;
    std::string cols;  // one size a line, "\r\n" between them
    std::string rows;
    int rowsPercent = 0;
};

struct FrameData {
    int borderColorOn = 0;
    int frameBorderNo = 0;
    int noResize = 0;
    int scrollingNo = 0;
    std::string borderColor;
    std::string marginHeight;
    std::string marginWidth;
    std::string name;
    std::string src;
};

// "text/html;charset=SHIFT_JIS" and the like; empty for the blank entry or none.
std::string CharsetContent(int charset);
// "all", "index"...; empty for the blank entry or none.
std::string_view RobotsContent(int robots);

// Division sizes (COLS, ROWS).
// Only digits, "*", "%" and line breaks.
bool IsDivisionText(std::string_view text);
// The text without its "%" signs: with the percent box checked each size gets
// its sign back when it is written.
std::string RemovePercentSigns(std::string_view text);
// One size a line to the attribute value: trailing white space dropped, line
// breaks to ","; with percent every size not ending in "*" ends in "%".
std::string DivisionSizes(std::string_view lines, bool percent);

// A skeleton as inserted: its text and where the caret goes in it.
struct SkeletonText {
    std::string text;
    std::size_t caret = 0;  // offset of the empty line inside BODY or FRAMESET
};
// afterSelection: the skeleton follows selected text and starts with a line break.
SkeletonText PageSkeletonText(const PageSkeletonData& data, bool afterSelection);
SkeletonText FrameSkeletonText(const FrameSkeletonData& data, bool afterSelection);

// "\r\n<!DOCTYPE HTML PUBLIC ...>" with the version; never case converted.
std::string DoctypeText(const DoctypeData& data);

// BODY and FRAMESET stand on lines of their own around the selection.
TagTexts BodyTexts(const BodyData& data);
TagTexts FramesetTexts(const FramesetData& data);
// The whole tag, ">" included; empty when no kind is chosen.
std::string MetaTag(const MetaData& data);
std::string FrameOpening(const FrameData& data);

}  // namespace vesk
