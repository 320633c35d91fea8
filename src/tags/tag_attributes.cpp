#include "tags/tag_attributes.h"

namespace vesk {

namespace {
constexpr std::string_view kQuoteReference = "&quot;";
}  // namespace

std::string QuotedValueText(std::string_view typed) {
    std::string text;
    text.reserve(typed.size());
    for (char c : typed) {
        if (c == '"')
            text += kQuoteReference;
        else
            text += c;
    }
    return text;
}

std::string TypedValueText(std::string_view written) {
    std::string text;
    text.reserve(written.size());
    for (std::size_t i = 0; i < written.size();) {
        if (written.substr(i, kQuoteReference.size()) == kQuoteReference) {
            text += '"';
            i += kQuoteReference.size();
        } else {
            text += written[i++];
        }
    }
    return text;
}

void AppendAttributeAlways(std::string& tag, std::string_view name, std::string_view value) {
    tag += ' ';
    tag += name;
    tag += "=\"";
    tag += QuotedValueText(value);
    tag += '"';
}

void AppendAttribute(std::string& tag, std::string_view name, std::string_view value) {
    if (!value.empty())
        AppendAttributeAlways(tag, name, value);
}

void AppendFlag(std::string& tag, std::string_view name, bool on) {
    if (on) {
        tag += ' ';
        tag += name;
    }
}

}  // namespace vesk
