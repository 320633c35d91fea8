#pragma once
// HTML colouring as text logic: which style each byte of a range takes, and
// which range to recolour around an edit. The scanner knows only "<", ">",
// "<!--", "-->", "=", the double quote and the blank.

#include <functional>
#include <string>
#include <string_view>

#include "editor/split_text.h"

namespace vesk {

// Style numbers written into a style buffer (one byte per text byte).
enum ColourStyle : char {
    kStyleTextByte = 0,
    kStyleTagByte = 1,
    kStyleParamByte = 2,
    kStyleComByte = 3
};

struct ColourSwitches {
    bool tag = true;  // colour tags
    bool com = true;  // colour comments
    bool val = true;  // colour attribute values (only together with tag)
    bool Any() const { return tag || com || val; }
};

// Fills styles (resized to text.size()) with the style of every byte of text:
// text style first, then comments, tags and the values inside tags as the scan finds them.
// progress, when given, is called with the scan position p (bytes into text) as the scan advances.
void ComputeColourStyles(std::string_view text, const ColourSwitches& switches, std::string& styles,
                         const std::function<void(std::size_t p)>& progress = {});

// A range [from, to) of the whole text to recolour; empty() when nothing is to be coloured.
struct ColourSpan {
    int from = 0;
    int to = 0;
    bool none = false;  // nothing to colour
};

// The range to recolour after an edit at the caret: selection (s, e) of the whole text,
// commentOpener the view's stored comment-opener position (-1 when none).
ColourSpan RecolourAroundCaretSpan(std::string_view text, int s, int e, int commentOpener);
ColourSpan RecolourAroundCaretSpan(const SplitText& text, int s, int e, int commentOpener);

// The range to recolour around a changed span [start, start + length); length -1 is the whole text.
ColourSpan RecolourPastedSpan(std::string_view text, int start, int length, int commentOpener);
ColourSpan RecolourPastedSpan(const SplitText& text, int start, int length, int commentOpener);

// Offset of "<!--" in the up to 8 characters around an empty selection at s
// (4 before, 4 from s), or in the selected text; -1 when absent.
int CommentOpenerNear(std::string_view text, int selStart, int selEnd);

// 1 when the caret is in or next to a tag in the sense that typing there must recolour, else 0.
int InsideTagFlag(std::string_view text, int selStart, int selEnd);

}  // namespace vesk
