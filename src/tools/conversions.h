#pragma once
// Text conversions of HTML source: tag case, line breaks to BR, special
// characters to numeric references, and tag removal. Plain functions over
// UTF-8 bytes, each linear in the length of the text, shared by the editor
// commands, the tag writers and the command-line batch mode.

#include <string>
#include <string_view>

namespace vesk {

enum class TagCase { kUpper, kLower };

// Tag names and attribute names to the given case (ASCII letters only); attribute
// values, text between tags and "<!" declarations keep theirs. Tags inside comments
// are converted. The length never changes.
std::string ConvertTagCase(std::string_view text, TagCase tagCase);

// The conversion applied to every tag text the program generates: upper case when
// the SizeLower setting is 0, lower case otherwise.
std::string ApplyTagCaseSetting(std::string_view text, int sizeLower);

// Every "\r\n" becomes "<BR>\r\n" (or "<br>\r\n"), even after an existing BR tag.
std::string BreaksToBr(std::string_view text, TagCase tagCase);

// The escape switches, in the order of the dialog's list and of their bits in the
// stored setting "ChngEscapeOption".
enum EscapeOption : int {
    kEscapeAngleBrackets = 1 << 0,  // "<" to "&#060;", ">" to "&#062;"
    kEscapeQuote = 1 << 1,          // '"' to "&#034;"
    kEscapeAmpersand = 1 << 2,      // "&" to "&#038;"
};
constexpr int kEscapeOptionCount = 3;

// The characters chosen by `options` (a sum of EscapeOption bits) as numeric
// references. Ampersands already in the text are escaped, the references made
// here are not.
std::string EscapeText(std::string_view text, int options);

// Every tag deleted. Comment openers "<!--" and closers "-->" stay (the tags
// inside a comment go); a "<" with no ">" after it stays with everything behind it.
std::string RemoveTags(std::string_view text);

}  // namespace vesk
