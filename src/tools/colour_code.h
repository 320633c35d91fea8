#pragma once
// The colour code the caret stands in or right behind: a "#RRGGBB" code, or
// one of the 16 colour names as an attribute value.

#include <string>
#include <string_view>

#include "tags/colour_fields.h"

namespace vesk {

struct ColourAtCaretResult {
    std::string code;  // as written; empty when there is none
    RgbColour colour;
    int first = 0;  // offsets of its first and last byte
    int last = 0;
};

ColourAtCaretResult FindColourAtCaret(std::string_view text, int caret);

}  // namespace vesk
