#include "tags/tag_attributes.h"

namespace vesk {

void AppendAttributeAlways(std::string& tag, std::string_view name, std::string_view value) {
    tag += ' ';
    tag += name;
    tag += "=\"";
    tag += value;
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
