#include "app/doc_list.h"

#include <algorithm>
#include <cctype>

std::string FormatDocumentLine(std::string_view shownPath, std::string_view pageTitle,
                               std::string_view groupName, int items) {
    std::string line;
    for (char c : shownPath) {
        if (c == '\\')
            line += " /";
        else
            line += c;
    }
    if (items & kDocListShowGroup) {
        line += "  [ ";
        line += groupName;
        line += " ] ";
    }
    if ((items & kDocListShowTitle) && !pageTitle.empty()) {
        line += " -";
        line += pageTitle;
        line += "-";
    }
    return line;
}

namespace {
size_t FindNoCase(std::string_view text, std::string_view what, size_t from) {
    if (from > text.size())
        return std::string_view::npos;
    auto it =
        std::search(text.begin() + from, text.end(), what.begin(), what.end(), [](char a, char b) {
            return std::toupper(static_cast<unsigned char>(a)) ==
                   std::toupper(static_cast<unsigned char>(b));
        });
    return it == text.end() ? std::string_view::npos : static_cast<size_t>(it - text.begin());
}
}  // namespace

std::string PageTitleOf(std::string_view text) {
    const size_t open = FindNoCase(text, "<TITLE>", 0);
    if (open == std::string_view::npos)
        return {};
    const size_t start = open + 7;
    // A closing tag standing before the opening one does not count: the
    // title would have a negative length.
    const size_t close = FindNoCase(text, "</TITLE>", start);
    if (close == std::string_view::npos)
        return {};
    return std::string(text.substr(start, close - start));
}
