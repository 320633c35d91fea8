#include "editor/closing_tags.h"

#include <algorithm>
#include <cstddef>
#include <map>

namespace vesk {

namespace {

constexpr std::size_t npos = std::string_view::npos;

char Upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string UpperName(std::string_view name) {
    std::string out(name);
    std::transform(out.begin(), out.end(), out.begin(), Upper);
    return out;
}

bool IsNameStart(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool IsNameChar(char c) {
    return IsNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == ':';
}

// One tag read from its "<" to its ">".
struct Tag {
    std::string_view name;    // empty for comments, declarations and broken tags
    bool end = false;         // "</name>"
    bool selfClosed = false;  // "<name/>"
};

Tag ReadTag(std::string_view tag) {
    Tag result;
    if (tag.size() < 3 || tag.front() != '<' || tag.back() != '>')
        return result;
    std::size_t i = 1;
    if (tag[i] == '/') {
        result.end = true;
        ++i;
    }
    const std::size_t start = i;
    if (i >= tag.size() || !IsNameStart(tag[i]))
        return result;
    while (i < tag.size() && IsNameChar(tag[i])) ++i;
    if (tag[i] != '>' && tag[i] != ' ' && tag[i] != '\t' && tag[i] != '\r' && tag[i] != '\n' &&
        tag[i] != '/')
        return result;
    result.name = tag.substr(start, i - start);
    result.selfClosed = tag.size() >= 2 && tag[tag.size() - 2] == '/';
    return result;
}

// Where the tag ending at the ">" at close starts: the "<" before it outside quoted values,
// so that a ">" inside a value does not end the tag; npos when the ">" ends no tag.
std::size_t TagStartBefore(std::string_view text, std::size_t close) {
    bool quoted = false;
    for (std::size_t i = close; i > 0;) {
        --i;
        const char c = text[i];
        if (c == '"') {
            quoted = !quoted;
        } else if (!quoted && c == '<') {
            return i;
        } else if (!quoted && c == '>') {
            return npos;
        }
    }
    return npos;
}

}  // namespace

bool IsVoidElement(std::string_view name) {
    static constexpr std::string_view kVoid[] = {"BR",    "IMG",  "HR",     "INPUT", "META",
                                                 "LINK",  "AREA", "BASE",   "COL",   "PARAM",
                                                 "EMBED", "WBR",  "SOURCE", "TRACK"};
    const std::string upper = UpperName(name);
    return std::find(std::begin(kVoid), std::end(kVoid), upper) != std::end(kVoid);
}

std::string EndTagFor(std::string_view before, std::string_view after) {
    if (before.empty() || before.back() != '>')
        return {};
    const std::size_t close = before.size() - 1;
    const std::size_t open = TagStartBefore(before, close);
    if (open == npos)
        return {};
    const Tag tag = ReadTag(before.substr(open));
    if (tag.name.empty() || tag.end || tag.selfClosed || IsVoidElement(tag.name))
        return {};
    const std::string end = "</" + std::string(tag.name) + ">";
    // Retyping the ">" of a tag that is closed already.
    if (after.size() >= end.size() && UpperName(after.substr(0, end.size())) == UpperName(end))
        return {};
    return end;
}

std::string UnclosedElementName(std::string_view before) {
    // Walk the tags backwards, counting end tags still waiting for their start tag.
    std::map<std::string, int> waiting;
    std::size_t close = before.size();
    while (close > 0) {
        close = before.find_last_of('>', close - 1);
        if (close == npos)
            break;
        const std::size_t open = TagStartBefore(before, close);
        if (open == npos)
            continue;
        const Tag tag = ReadTag(before.substr(open, close - open + 1));
        close = open;
        if (tag.name.empty() || tag.selfClosed || IsVoidElement(tag.name))
            continue;
        int& count = waiting[UpperName(tag.name)];
        if (tag.end) {
            ++count;
        } else if (count > 0) {
            --count;
        } else {
            return std::string(tag.name);
        }
    }
    return {};
}

}  // namespace vesk
