#include "sidepane/file_tree_logic.h"

#include <algorithm>

#include "sidepane/link_groups.h"
#include "tagedit/tag_scanner.h"

namespace vesk {

namespace {

constexpr std::size_t npos = std::string_view::npos;

bool EndsWith(std::string_view text, std::string_view tail) {
    return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

// "*.*htm*": some "." with "htm" after it.
bool MatchesPagePattern(const std::string& lower) {
    const std::size_t dot = lower.find('.');
    return dot != npos && lower.find("htm", dot + 1) != npos;
}

bool MatchesPicturePattern(const std::string& lower) {
    for (const char* extension : {".jpg", ".jpeg", ".gif", ".png"}) {
        if (EndsWith(lower, extension))
            return true;
    }
    return false;
}

bool IsFolderKind(int kind) {
    return kind == kItemRoot || kind == kItemFolder;
}

}  // namespace

bool PassesFilter(std::string_view name, int filter) {
    if (name.empty() || name[0] == '.')
        return false;
    const std::string lower = LowerAscii(name);
    switch (filter) {
        case kFilterPages:
            return MatchesPagePattern(lower);
        case kFilterPictures:
            return MatchesPicturePattern(lower);
        case kFilterPagesAndPictures:
            return MatchesPagePattern(lower) || MatchesPicturePattern(lower);
        case kFilterAll:
            return true;
        default:
            return false;
    }
}

std::vector<std::string> FilesForFilter(std::vector<std::string> names, int filter) {
    // A name that fits two patterns ("a.htm.gif") is still listed once.
    std::erase_if(names, [filter](const std::string& name) { return !PassesFilter(name, filter); });
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return LinkTextLess(a, b); });
    names.erase(std::unique(names.begin(), names.end()), names.end());
    return names;
}

std::vector<std::string> FoldersInTreeOrder(const std::vector<std::string>& listed) {
    std::vector<std::string> folders;
    for (auto it = listed.rbegin(); it != listed.rend(); ++it) {
        if (it->empty() || (*it)[0] == '.' || LowerAscii(*it) == "recycled")
            continue;
        folders.push_back(*it);
    }
    return folders;
}

std::string JoinPath(std::string_view folder, std::string_view name) {
    std::string path(folder);
    if (path.empty() || path.back() != '/')
        path += '/';
    path += name;
    return path;
}

std::string FolderOfPath(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    if (slash == npos)
        return {};
    if (slash == 0)
        return "/";
    return std::string(path.substr(0, slash));
}

std::string NameOfPath(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    return std::string(slash == npos ? path : path.substr(slash + 1));
}

std::optional<NavigationStart> FindNavigationStart(const std::vector<std::string>& rootPaths,
                                                   std::string_view path) {
    std::optional<NavigationStart> start;
    std::size_t bestLength = 0;
    for (int i = 0; i < static_cast<int>(rootPaths.size()); ++i) {
        std::string_view root = rootPaths[i];
        // "/" is the root of everything; other roots must be followed by a separator or end.
        std::string_view stem = root;
        while (stem.size() > 1 && stem.back() == '/') stem.remove_suffix(1);
        bool holds = false;
        if (stem == "/") {
            holds = path.starts_with('/');
        } else if (!stem.empty() && path.starts_with(stem)) {
            holds = path.size() == stem.size() || path[stem.size()] == '/';
        }
        if (!holds || (start && stem.size() <= bestLength))
            continue;
        bestLength = stem.size();
        NavigationStart found;
        found.root = i;
        std::string_view rest = path.substr(stem == "/" ? 0 : stem.size());
        std::size_t from = 0;
        while (from <= rest.size()) {
            std::size_t slash = rest.find('/', from);
            if (slash == npos)
                slash = rest.size();
            if (slash > from)
                found.components.emplace_back(rest.substr(from, slash - from));
            from = slash + 1;
        }
        start = std::move(found);
    }
    return start;
}

int WidenFilter(int filter, int linkKind) {
    if ((filter == kFilterPages && linkKind == 1) || (filter == kFilterPictures && linkKind == 0))
        return kFilterPagesAndPictures;
    if (filter != kFilterAll && linkKind == -1)
        return kFilterAll;
    return filter;
}

bool FileCommandEnabled(int id, int kind, bool operationPending, bool anyDocumentOpen) {
    using namespace file_cmd;
    const bool file =
        kind != kItemRoot && kind != kItemFolder && kind != kItemSystemFolder && kind != kItemNone;
    const bool movable = kind != kItemRoot && kind != kItemSystemFolder && kind != kItemNone;
    switch (id) {
        case kOpenInEditor:
            return kind == kItemPage;
        case kOpenWithApplication:
        case kGetRelativePath:
            return file;
        case kOpenWithFavourite:
            return kind == kItemPage || kind == kItemPicture;
        case kInsertImage:
            return kind == kItemPicture && anyDocumentOpen;
        case kInsertLink:
            return file && anyDocumentOpen;
        case kRefresh:
        case kShowCurrentDocument:
            return true;
        case kCopy:
        case kCut:
        case kDelete:
        case kRename:
            return movable;
        case kPaste:
            return operationPending;
        case kNewFolder:
            return kind != kItemNone;
        default:
            return false;
    }
}

std::string PasteDestination(std::string_view selectedPath, int kind, std::string_view source) {
    const std::string folder =
        IsFolderKind(kind) ? std::string(selectedPath) : FolderOfPath(selectedPath);
    return JoinPath(folder, NameOfPath(source));
}

std::string NewFolderPath(std::string_view selectedPath, int kind, std::string_view folderName) {
    const std::string folder =
        IsFolderKind(kind) ? std::string(selectedPath) : FolderOfPath(selectedPath);
    return JoinPath(folder, folderName);
}

std::string ImageReferenceText(std::string_view relativePath, int width, int height) {
    return "SRC=\"" + std::string(relativePath) + "\" WIDTH=\"" + std::to_string(width) +
           "\" HEIGHT=\"" + std::to_string(height) + "\"";
}

}  // namespace vesk
