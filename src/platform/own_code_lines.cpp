#include "platform/own_code_lines.h"

#include <cstddef>

namespace vesk {

namespace {

// Cuts text into lines at CR and LF. In Shift-JIS these bytes are never part of a
// double-byte character, so a text and its encoding have the same lines in the same
// order, with the same breaks between them.
class Lines {
  public:
    explicit Lines(std::string_view text) : text_(text) {}
    bool Next(std::string_view* line) {
        if (pos_ > text_.size())
            return false;
        const std::size_t end = text_.find_first_of("\r\n", pos_);
        const std::size_t stop = end == std::string_view::npos ? text_.size() : end;
        *line = text_.substr(pos_, stop - pos_);
        pos_ = stop + 1;
        return true;
    }

  private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

}  // namespace

OwnCodeLines OwnCodeLines::Collect(std::string_view fileBytes, std::string_view text,
                                   std::string_view encoded) {
    OwnCodeLines kept;
    Lines fileLines(fileBytes);
    Lines textLines(text);
    Lines encodedLines(encoded);
    std::string_view file;
    std::string_view line;
    std::string_view again;
    while (fileLines.Next(&file) && textLines.Next(&line) && encodedLines.Next(&again)) {
        if (file != again && file.size() == again.size())
            kept.bytesByText_.emplace(std::string(line), std::string(file));
    }
    return kept;
}

std::string OwnCodeLines::Restore(std::string_view text, std::string encoded) const {
    if (bytesByText_.empty())
        return encoded;
    Lines textLines(text);
    Lines encodedLines(encoded);
    std::string_view line;
    std::string_view bytes;
    while (textLines.Next(&line) && encodedLines.Next(&bytes)) {
        auto found = bytesByText_.find(std::string(line));
        if (found == bytesByText_.end() || found->second.size() != bytes.size())
            continue;
        // Same length, same place: overwrite in place.
        const auto offset = static_cast<std::size_t>(bytes.data() - encoded.data());
        encoded.replace(offset, bytes.size(), found->second);
    }
    return encoded;
}

}  // namespace vesk
