#include "editor/save_rules.h"

namespace vesk {

std::string AppendExtensionByFilter(std::string_view path, int filterIndex) {
    std::string result(path);
    if (result.find('.') != std::string::npos)
        return result;
    if (filterIndex == 1 || filterIndex == 3) {
        result += ".html";
    } else if (filterIndex == 2) {
        result += ".txt";
    }
    return result;
}

std::string FolderOfPath(std::string_view path, char separator) {
    std::size_t pos = path.rfind(separator);
    return pos == std::string_view::npos ? std::string() : std::string(path.substr(0, pos));
}

std::string NamePartOfPath(std::string_view path, char separator) {
    std::size_t pos = path.rfind(separator);
    return std::string(pos == std::string_view::npos ? path : path.substr(pos + 1));
}

}  // namespace vesk
