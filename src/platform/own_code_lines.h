#pragma once
// The lines of a Shift-JIS file that use other codes than encoding their text gives.
//
// CP932 has two codes for some characters (the NEC row 13 and the IBM extensions
// repeat each other and some JIS symbols); decoding forgets which one the file had.
// Kept by line, an edited file is written back with the file's own codes on every
// line whose text did not change.

#include <string>
#include <string_view>
#include <unordered_map>

namespace vesk {

class OwnCodeLines {
  public:
    // fileBytes: the file as read; text: its decoding (UTF-8, the file's own breaks);
    // encoded: text encoded again. Only lines where encoded differs are kept.
    static OwnCodeLines Collect(std::string_view fileBytes, std::string_view text,
                                std::string_view encoded);

    bool empty() const { return bytesByText_.empty(); }

    // encoded: the bytes encoding text gave. Every line of text that reads as a kept
    // line gets that line's bytes from the file.
    std::string Restore(std::string_view text, std::string encoded) const;

  private:
    std::unordered_map<std::string, std::string> bytesByText_;
};

}  // namespace vesk
