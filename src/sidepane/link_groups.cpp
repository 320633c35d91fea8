#include "sidepane/link_groups.h"

#include <QFileInfo>
#include <QString>
#include <algorithm>
#include <unordered_set>

#include "tags/relative_paths.h"

namespace vesk {

namespace {

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

int CodeOf(LinkListId list, const LinkEntry& entry, std::string_view documentPath,
           const std::unordered_set<std::string>& names, const PathExists& exists) {
    switch (list) {
        case kInlineLinks:
        case kInternalLinks: {
            const bool inline_ = list == kInlineLinks;
            // A picture on another site is shown as it is; only local files are checked.
            bool found = IsAbsoluteReference(entry.text);
            if (!found) {
                const std::string path = ResolveLink(entry.text, documentPath);
                found = !path.empty() && exists(path);
            }
            if (inline_)
                return found ? kCodeInline : kCodeInlineMissing;
            return found ? kCodeInternal : kCodeInternalMissing;
        }
        case kExternalLinks:
            return kCodeExternal;
        case kMailLinks:
            return kCodeMail;
        case kAnchorLinks:
            return names.count(entry.text) ? kCodeAnchor : kCodeAnchorMissing;
        default:
            return 0;
    }
}

}  // namespace

bool PathExistsOnDisk(const std::string& path) {
    return !path.empty() && QFileInfo::exists(QString::fromStdString(path));
}

bool LinkTextLess(std::string_view a, std::string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const char x = LowerAscii(a[i]);
        const char y = LowerAscii(b[i]);
        if (x != y)
            return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
    }
    if (a.size() != b.size())
        return a.size() < b.size();
    return a < b;
}

bool IsAbsoluteReference(std::string_view reference) {
    return reference.find("://") != std::string_view::npos;
}

std::vector<LinkTreeGroup> BuildLinkGroups(const LinkLists& lists, std::string_view documentPath,
                                           const PathExists& exists) {
    std::unordered_set<std::string> names;
    for (const LinkEntry& name : lists[kAnchorNames]) names.insert(name.text);

    std::vector<LinkTreeGroup> groups;
    for (LinkListId list : kLinkGroupOrder) {
        const std::vector<LinkEntry>& entries = lists[list];
        if (entries.empty())
            continue;
        LinkTreeGroup group;
        group.list = list;
        for (int i = 0; i < static_cast<int>(entries.size()); ++i)
            group.items.push_back({i, CodeOf(list, entries[i], documentPath, names, exists)});
        std::stable_sort(group.items.begin(), group.items.end(),
                         [&entries](const LinkTreeItem& a, const LinkTreeItem& b) {
                             return LinkTextLess(entries[a.index].text, entries[b.index].text);
                         });
        groups.push_back(std::move(group));
    }
    return groups;
}

int FileKindByExtension(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    const std::size_t dot = path.rfind('.');
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash))
        return 4;
    std::string extension(path.substr(dot + 1));
    for (char& c : extension) c = LowerAscii(c);
    if (extension.find("htm") != std::string::npos)
        return 0;
    for (const char* picture : {"jpg", "jpeg", "gif", "bmp", "png"}) {
        if (extension == picture)
            return 1;
    }
    return 4;
}

LinkSelection SelectLink(int code, const std::string& text, std::string_view documentPath,
                         const PathExists& exists) {
    LinkSelection selection;
    if (IsMissingCode(code)) {
        selection.kind = 7;
        selection.path = code == kCodeAnchorMissing ? text : ResolveLink(text, documentPath);
        return selection;
    }
    if (code == kCodeExternal || (code == kCodeInline && IsAbsoluteReference(text))) {
        selection.kind = 2;
        selection.path = text;
        return selection;
    }
    if (code == kCodeMail) {
        // Handed to the desktop as an address, which opens the mail program.
        selection.kind = 2;
        selection.path = "mailto:" + text;
        return selection;
    }
    if (code == kCodeAnchor) {
        selection.kind = 3;
        selection.path = text;
        return selection;
    }
    selection.path = ResolveLink(text, documentPath);
    if (selection.path.empty() || !exists(selection.path)) {
        selection.kind = 6;
        return selection;
    }
    selection.kind = FileKindByExtension(selection.path);
    return selection;
}

}  // namespace vesk
