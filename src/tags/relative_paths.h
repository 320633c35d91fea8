#pragma once
// Relative references between a page and the files it uses, in URL form
// ("./img/a.gif", "../b.html"). Plain text operations that never touch the
// file system; the path separator is a parameter ('/' on this system, '\\'
// for Windows-style paths).

#include <string>
#include <string_view>

namespace vesk {

// The folder part of a relative reference from the folder of basePath (the
// document) to the folder of targetPath, ending in "/"; empty when no relative
// form exists (an empty path, nothing in common).
std::string RelativeFolderPrefix(std::string_view targetPath, std::string_view basePath,
                                 char separator = '/');

// The part after the last separator (the whole path when the separator is the
// last character, or, for '\\' paths, stands at position 0 or 1, in the drive).
std::string FileNamePart(std::string_view path, char separator = '/');

// RelativeFolderPrefix followed by FileNamePart of the target.
std::string RelativeReference(std::string_view targetPath, std::string_view basePath,
                              char separator = '/');

// The path of a relative reference taken against the folder of documentPath;
// empty for an empty reference, an untitled document (empty path), or more
// "../" than the folder has levels.
std::string ResolveLink(std::string_view reference, std::string_view documentPath,
                        char separator = '/');

}  // namespace vesk
