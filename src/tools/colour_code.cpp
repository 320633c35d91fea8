#include "tools/colour_code.h"

#include <algorithm>

namespace vesk {

namespace {

bool IsBreak(char c) {
    return c == '\r' || c == '\n' || c == '\t' || c == ' ';
}

}  // namespace

ColourAtCaretResult FindColourAtCaret(std::string_view text, int caret) {
    ColourAtCaretResult result;
    const std::size_t at = static_cast<std::size_t>(std::clamp(caret, 0, int(text.size())));
    const std::string_view before = text.substr(0, at);

    // A code: at most six characters between its "#" and the caret, so a
    // caret right behind the code still finds it.
    const std::size_t hash = before.rfind('#');
    if (hash != std::string_view::npos && at - hash - 1 <= 6) {
        if (hash + 7 <= text.size()) {
            const std::string_view candidate = text.substr(hash, 7);
            if (const auto colour = ParseColorCode(candidate)) {
                result.code = std::string(candidate);
                result.colour = *colour;
                result.first = static_cast<int>(hash);
                result.last = static_cast<int>(hash + 6);
            }
        }
        return result;
    }

    // A name: the attribute value the caret stands in.
    const std::size_t equals = before.rfind('=');
    const std::size_t quote = before.rfind('"');
    std::size_t first = 0;
    std::size_t end = 0;  // exclusive
    if (quote != std::string_view::npos && (equals == std::string_view::npos || quote > equals)) {
        first = quote + 1;
        end = text.find('"', at);
        if (end == std::string_view::npos)
            return result;
    } else if (equals != std::string_view::npos) {
        first = equals + 1;
        while (first < at && IsBreak(text[first])) ++first;
        end = at;
        while (end < text.size() && !IsBreak(text[end]) && text[end] != '>') ++end;
    } else {
        return result;
    }
    if (end <= first)
        return result;
    const std::string_view value = text.substr(first, end - first);
    if (const auto colour = ColorFromName(value)) {
        result.code = std::string(value);
        result.colour = *colour;
        result.first = static_cast<int>(first);
        result.last = static_cast<int>(end - 1);
    }
    return result;
}

}  // namespace vesk
