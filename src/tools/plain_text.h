#pragma once
// Conversion of HTML source to readable plain text: tags removed, and as
// chosen, line breaks where the markup implied them, tidied white space and
// character references turned back into characters. Works on UTF-8 bytes in
// time linear in the text (the command-line batch mode feeds it whole files).

#include <string>
#include <string_view>

namespace vesk {

// The switches, in the order of the dialog's list and of their bits in the
// stored setting "ToTextOption".
enum PlainTextOption : int {
    kPlainBrToBreak = 1 << 0,           // <BR> becomes a line break
    kPlainPToEmptyLine = 1 << 1,        // <P> becomes an empty line
    kPlainBreakAtBlockTags = 1 << 2,    // line break before tags that break in a browser
    kPlainDeleteBreaks = 1 << 3,        // the source's own line breaks go first
    kPlainTrimLineStarts = 1 << 4,      // blanks at line starts go
    kPlainCollapseEmptyLines = 1 << 5,  // runs of blank lines become one
    kPlainKeepCommentMarkers = 1 << 6,  // <!-- and --> stay
    kPlainConvertReferences = 1 << 7,   // &lt; and the like become characters
};
constexpr int kPlainTextOptionCount = 8;

// The text converted with the switches in `options` (a sum of PlainTextOption bits).
std::string ConvertToPlainText(std::string_view text, int options);

}  // namespace vesk
