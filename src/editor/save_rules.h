#pragma once
// Rules of the save dialogs over plain path strings.

#include <string>
#include <string_view>

namespace vesk {

// Appends an extension by the filter index the user left selected when the
// full path holds no "." anywhere: 1 or 3 appends ".html", 2 ".txt", others nothing.
std::string AppendExtensionByFilter(std::string_view path, int filterIndex);

// The folder of a path: everything before the last separator ("" when none).
std::string FolderOfPath(std::string_view path, char separator = '/');

// The name part of a path: everything after the last separator.
std::string NamePartOfPath(std::string_view path, char separator = '/');

}  // namespace vesk
