#include "tags/relative_paths.h"

#include <algorithm>
#include <cstddef>
#include <vector>

namespace vesk {

namespace {

constexpr std::size_t npos = std::string_view::npos;

// The folder pieces of a path: the texts in front of each separator. The file
// name (after the last separator) is no piece; "/home/u/a.html" gives "", "home", "u".
std::vector<std::string_view> FolderPieces(std::string_view path, char separator) {
    std::vector<std::string_view> pieces;
    std::size_t from = 0;
    for (std::size_t p = path.find(separator); p != npos; p = path.find(separator, from)) {
        pieces.push_back(path.substr(from, p - from));
        from = p + 1;
    }
    return pieces;
}

std::size_t CountOf(std::string_view text, std::string_view what) {
    std::size_t count = 0;
    for (std::size_t p = text.find(what); p != npos; p = text.find(what, p + what.size())) ++count;
    return count;
}

std::string ReplaceAll(std::string_view text, std::string_view what, std::string_view with) {
    std::string out;
    out.reserve(text.size());
    std::size_t from = 0;
    for (std::size_t p = text.find(what); p != npos; p = text.find(what, from)) {
        out.append(text.substr(from, p - from));
        out.append(with);
        from = p + what.size();
    }
    out.append(text.substr(from));
    return out;
}

void ReplaceChar(std::string& text, char from, char to) {
    std::replace(text.begin(), text.end(), from, to);
}

}  // namespace

std::string RelativeFolderPrefix(std::string_view targetPath, std::string_view basePath,
                                 char separator) {
    if (basePath.empty() || targetPath.empty())
        return {};
    const std::vector<std::string_view> base = FolderPieces(basePath, separator);
    const std::vector<std::string_view> target = FolderPieces(targetPath, separator);
    const std::size_t n = base.size();
    const std::size_t d = target.size();

    // Compared with case: "Web" and "web" are different folders.
    std::size_t k = 0;
    while (k < std::min(n, d) && base[k] == target[k]) ++k;
    // Nothing in common (another drive, or a bare file name): no relative form.
    if (n == 0 || d == 0 || k == 0)
        return {};

    std::string prefix;
    if (n > k) {
        for (std::size_t i = k; i < n; ++i) prefix += "../";
    } else {
        prefix = "./";
    }
    for (std::size_t i = k; i < d; ++i) {
        prefix.append(target[i]);
        prefix += '/';
    }
    return prefix;
}

std::string FileNamePart(std::string_view path, char separator) {
    if (path.empty())
        return {};
    const std::size_t p = path.rfind(separator);
    // A Windows path keeps its first two characters (the drive, "C:") even in
    // front of a separator; a "/" path has its root at 0, so a file directly
    // under the root still has a name of its own.
    const std::size_t firstCut = separator == '\\' ? 2 : 0;
    if (p == npos || p < firstCut || p + 1 >= path.size())
        return std::string(path);
    return std::string(path.substr(p + 1));
}

std::string RelativeReference(std::string_view targetPath, std::string_view basePath,
                              char separator) {
    return RelativeFolderPrefix(targetPath, basePath, separator) +
           FileNamePart(targetPath, separator);
}

std::string ResolveLink(std::string_view reference, std::string_view documentPath, char separator) {
    if (reference.empty())
        return {};
    const std::size_t lastSeparator = documentPath.rfind(separator);
    // An untitled document has no folder to resolve against.
    if (lastSeparator == npos)
        return {};
    const std::string_view folder = documentPath.substr(0, lastSeparator + 1);
    const std::size_t m = CountOf(folder, std::string_view(&separator, 1));
    const std::size_t e = CountOf(reference, "../");

    std::string result;
    if (e == 0) {
        std::string_view rest = reference;
        if (rest.starts_with('/'))
            rest.remove_prefix(1);
        else if (rest.starts_with("./"))
            rest.remove_prefix(2);
        result = std::string(folder);
        result.append(rest);
    } else {
        // Up e levels: the folder up to and including its (m - e)th separator.
        // More "../" than levels would climb out of the root: no path.
        if (e >= m)
            return {};
        std::size_t keep = 0;
        for (std::size_t seen = 0; seen < m - e; ++keep) {
            if (folder[keep] == separator)
                ++seen;
        }
        result = std::string(folder.substr(0, keep));
        result += ReplaceAll(reference, "../", "");
    }
    ReplaceChar(result, '/', separator);
    return result;
}

}  // namespace vesk
