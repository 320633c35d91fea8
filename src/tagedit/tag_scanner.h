#pragma once
// The tag scanner: which HTML start tag the caret stands in and of which kind
// it is, and the attributes of one tag. Plain text logic over UTF-8 bytes;
// every position is a byte offset (a character counts its UTF-8 bytes, the
// full-width blank "　" is E3 80 80). Letters change case only in ASCII.

#include <string>
#include <string_view>
#include <utility>

#include "editor/split_text.h"

namespace vesk {

// Kind of the tag at the caret: 1 to 30 is the row of the recognised tag name.
using TagKind = int;
enum : TagKind {
    kKindUnorderedListItem = -6,  // LI inside an unordered list
    kKindOrderedListItem = -5,    // LI inside an ordered list
    kKindNoTag = -2,              // the caret is not inside a tag
    kKindUnknownTag = -1,         // inside a tag whose name is not recognised
    kKindHr = 1,
    kKindDiv,
    kKindBody,
    kKindFont,
    kKindTable,
    kKindTr,
    kKindTd,
    kKindTh,
    kKindFrameset,
    kKindFrame,
    kKindMeta,
    kKindSelect,
    kKindOption,
    kKindTextarea,
    kKindForm,
    kKindInput,
    kKindA,
    kKindImg,
    kKindH1,
    kKindH2,
    kKindH3,
    kKindH4,
    kKindH5,
    kKindH6,
    kKindOl,
    kKindUl,
    kKindLi,
    kKindP,
    kKindArea,
    kKindMap,
};
constexpr TagKind kLastTagKind = kKindMap;

// The tag the caret stands in.
struct TagAtCaret {
    std::string text;  // from its "<" through its ">", as in the document
    int start = 0;     // offset of the "<" (the caret when kind is kKindNoTag)
    int end = 0;       // offset of the ">" (the caret when kind is kKindNoTag)
    TagKind kind = kKindNoTag;
};

// One attribute lookup.
struct AttributeValue {
    std::string value;    // without quotes, as written; empty unless status is 0
    int namePos = -1;     // offset of the name in the tag text
    int endPos = -1;      // last offset belonging to the attribute (closing quote or value end)
    int valueStart = -1;  // first offset of the value
    int valueEnd = -1;    // last offset of the value (valueStart - 1 when empty)
    int status = -1;      // 0 found with a value, -1 absent, -2 present with broken syntax
};

// The text with A to Z lowered; other bytes (UTF-8 included) stay.
std::string LowerAscii(std::string_view text);

// "<" and the upper-case tag name of a recognised kind ("<HR" for kKindHr); empty otherwise.
std::string_view TagPrefix(TagKind kind);

// Kind of a tag text beginning with "<": the first row whose name follows the "<",
// all in upper or all in lower case, followed by a blank, CR, LF, TAB or ">";
// kKindUnknownTag when none.
TagKind ClassifyTag(std::string_view tagText);

// The tag around caret (the selection start): the last "<" before the caret
// with no ">" after it, up to the first ">" at or after the caret with no "<"
// before it. A caret right behind "<" is inside, one right behind ">" outside.
TagAtCaret FindTagAtCaret(std::string_view text, int caret);
TagAtCaret FindTagAtCaret(const SplitText& text, int caret);

// Offset of attribute name (given in upper case, matched in any case) in a tag
// text: preceded by a blank, CR, LF, TAB, "　" or a closing double quote, and
// followed by a blank, "=" or "　". Names inside double-quoted values do not
// count. -1 when absent.
int FindAttributeName(std::string_view tagText, std::string_view name);

// The value of attribute name ("NAME=value" or "NAME="value""). Only double
// quotes quote; an "=" inside quotes is a syntax error unless
// valueMayContainEquals (META CONTENT only).
AttributeValue GetAttributeValue(std::string_view tagText, std::string_view name,
                                 bool valueMayContainEquals = false);

// The text without CR, LF and TAB. Where a removed run stood between two
// words, one blank stays, so attributes written on separate lines keep apart.
std::string StripLineBreaks(std::string_view text);

// For an LI: kKindOrderedListItem or kKindUnorderedListItem by the nearest
// "<ol" or "<ul" (any case) in the text before the item; kKindLi when neither.
TagKind ListKindOfItem(std::string_view textBefore);

// For an AREA: NAME of the last "<MAP" tag (any case) in the text up to and
// including the character at caret. 0 with name set; -1 no MAP tag; -2 the MAP
// tag has no readable NAME.
int FindEnclosingMapName(std::string_view text, int caret, std::string& name);

// The working copy of one tag while it is read for editing: every attribute
// read is cut out, so the text finally holds just the attributes no one read.
class CTagScanner {
  public:
    CTagScanner() = default;
    explicit CTagScanner(const TagAtCaret& tag)
        : text(tag.text), start(tag.start), end(tag.end), kind(tag.kind) {}
    CTagScanner(std::string tagText, int tagStart, int tagEnd, TagKind tagKind)
        : text(std::move(tagText)), start(tagStart), end(tagEnd), kind(tagKind) {}

    // GetAttributeValue on the working text; a found attribute is cut out.
    AttributeValue TakeAttribute(std::string_view name, bool valueMayContainEquals = false);
    // A value-less attribute (NOWRAP, SELECTED...): written all in upper or all
    // in lower case, standing as a word outside quoted values. Cut out when found.
    bool TakeFlagAttribute(std::string_view name);
    // Cuts offsets first..last out of the working text, then shrinks runs of
    // blanks outside quoted values (n blanks keep (n + 1) / 2) and drops a blank
    // in front of the final character.
    void RemoveFromTag(int first, int last);
    // StripLineBreaks on the working text.
    void StripLineBreaks();

    std::string text;  // the working copy
    int start = 0;     // document offsets of the tag's "<" and ">"
    int end = 0;
    TagKind kind = kKindNoTag;
};

}  // namespace vesk
