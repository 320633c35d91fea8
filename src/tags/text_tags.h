#pragma once
// The text-level tags with dialogs: headings, rules, links, mail links,
// anchors, lists and their items, fonts, images and the DIV/P alignment.
// Each dialog's fields as a plain record, and the tag text a record makes.
// Radio groups hold the index of the checked button, -1 for none.

#include <string>
#include <string_view>
#include <vector>

#include "tags/colour_fields.h"
#include "tags/tag_attributes.h"

namespace vesk {

struct HeadingData {
    int level = -1;  // 0..5 for H1..H6
    int align = -1;  // 0 none, 1 left, 2 center, 3 right
};

struct RuleData {
    int noShade = 0;
    int widthPercent = 0;
    std::string size;
    std::string width;
    int align = -1;  // as for headings
};

struct LinkData {
    std::string anchor;
    std::string target;
    std::string title;
    std::string href;
    // The anchor names of the document, offered in the anchor list.
    std::vector<std::string> anchorNames;
};

struct MailLinkData {
    std::string title;
    std::string address;
};

struct AnchorData {
    std::string name;
};

// Numbered and bulleted lists and their items.
enum class ListKind { kNumbered, kBulleted };
struct ListData {
    int type = -1;  // numbered: A a I i 1; bulleted: disc circle square
};

struct FontData {
    int sizeIndex = -1;  // 0..6 for "1".."7"
    int sizeMode = -1;   // 0 none, 1 plus, 2 minus, 3 absolute
    int colorMode = -1;  // 0 no colour, 1 colour given
    std::string color;
    // The page's colours: the preview's background and the colour of an empty field.
    RgbColour pageBackground = kWhite;
    RgbColour pageText = kBlack;
};

struct ImageData {
    std::string alt;
    std::string align;
    std::string height;
    std::string src;
    std::string width;
    std::string hspace;
    std::string vspace;
    std::string border;
};

// The alignment of DIV and P, edited through Edit tag.
struct AlignData {
    int element = 0;  // 1 DIV, 0 P
    int align = -1;   // 0 none, 1 left, 2 center, 3 right
};

// " ALIGN=\"left\"" and the like for 1..3; nothing otherwise.
std::string AlignAttribute(int align);

TagTexts HeadingTexts(const HeadingData& data);
std::string RuleOpening(const RuleData& data);
TagTexts LinkTexts(const LinkData& data);
TagTexts MailLinkTexts(const MailLinkData& data);
TagTexts AnchorTexts(const AnchorData& data);
TagTexts ListTexts(ListKind kind, const ListData& data);
std::string ListItemOpening(ListKind kind, const ListData& data);
TagTexts FontTexts(const FontData& data);
std::string ImageOpening(const ImageData& data);
// "<DIV" or "<P" and the alignment.
std::string AlignOpening(const AlignData& data);

// The BGCOLOR and TEXT colours of the first "<BODY" (else "<body") tag of a
// page: white and black when absent or invalid.
struct PageColours {
    RgbColour background = kWhite;
    RgbColour text = kBlack;
};
PageColours FindPageColours(std::string_view page);

}  // namespace vesk
