#pragma once
// The rules of the file browser that need no window: which files a filter
// shows and in what order, where a navigation starts, which commands a
// selection allows, and the paths that paste and new folder work on.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vesk {

// Kinds of the selected item.
enum FileItemKind {
    kItemNone = -1,  // nothing selected, or the path cannot be found
    kItemPage = 0,
    kItemPicture = 1,
    kItemOtherFile = 4,
    kItemRoot = 5,
    kItemFolder = 6,
    kItemSystemFolder = 8,
};

// Filters of the browser, by index.
enum FileFilter {
    kFilterPages = 0,
    kFilterPictures = 1,
    kFilterPagesAndPictures = 2,
    kFilterAll = 3
};

// Whether a file name passes the filter (hidden dot-files never do).
bool PassesFilter(std::string_view name, int filter);

// The files (not folders) of a folder that the filter shows, in tree order:
// sorted by name, ignoring ASCII case.
std::vector<std::string> FilesForFilter(std::vector<std::string> names, int filter);

// The folders of a folder in tree order, from the names as listed: each folder
// goes above the ones listed before it, so the order is reversed. "recycled" in
// any case and hidden dot-folders are left out.
std::vector<std::string> FoldersInTreeOrder(const std::vector<std::string>& listed);

// folder + "/" + name, without doubling the separator of "/".
std::string JoinPath(std::string_view folder, std::string_view name);
// The folder of a path: "/a/b.htm" -> "/a", "/a" -> "/".
std::string FolderOfPath(std::string_view path);
// The part after the last "/".
std::string NameOfPath(std::string_view path);

// Where a navigation starts: the root whose path holds the target path and is
// the longest such (a desktop folder inside the home folder wins over it), and
// the components below it. nullopt when no root holds the path.
struct NavigationStart {
    int root = 0;
    std::vector<std::string> components;
};
std::optional<NavigationStart> FindNavigationStart(const std::vector<std::string>& rootPaths,
                                                   std::string_view path);

// The filter that lets a file of the given link kind (0 page, 1 picture, -1
// other) show: 0 with a picture and 1 with a page widen to 2; any filter but 3
// widens to 3 for another kind.
int WidenFilter(int filter, int linkKind);

// Command ids of the context menu.
namespace file_cmd {
inline constexpr int kOpenInEditor = 32812;
inline constexpr int kOpenWithApplication = 32769;
inline constexpr int kOpenWithFavourite = 32770;
inline constexpr int kInsertImage = 32902;
inline constexpr int kInsertLink = 32903;
inline constexpr int kGetRelativePath = 32813;
inline constexpr int kRefresh = 32785;
inline constexpr int kShowCurrentDocument = 32822;
inline constexpr int kCopy = 32787;
inline constexpr int kCut = 32791;
inline constexpr int kPaste = 32790;
inline constexpr int kDelete = 32788;
inline constexpr int kRename = 32899;
inline constexpr int kNewFolder = 32900;
}  // namespace file_cmd

// Whether a context command is enabled for the selected kind.
bool FileCommandEnabled(int id, int kind, bool operationPending, bool anyDocumentOpen);

// Destination of a paste: inside the selected folder (or root), else beside
// the selected file.
std::string PasteDestination(std::string_view selectedPath, int kind, std::string_view source);
// The path of a new folder: in the selected folder (or root), else beside the selected file.
std::string NewFolderPath(std::string_view selectedPath, int kind, std::string_view folderName);

// The text the relative-path dialog offers with the picture's size.
std::string ImageReferenceText(std::string_view relativePath, int width, int height);

}  // namespace vesk
