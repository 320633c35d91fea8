#pragma once
// Tag text as the writers build it: attributes in their fixed order, each
// preceded by one blank, values between double quotes as typed (a double
// quote typed into a field is written as "&quot;", so it cannot end the value).

#include <string>
#include <string_view>

namespace vesk {

// A typed value as it stands between the quotes: every '"' as "&quot;".
std::string QuotedValueText(std::string_view typed);
// The reverse, for a dialog reopened on a tag: every "&quot;" as '"'. Other
// references stay as written, so a value read and written again keeps its bytes.
std::string TypedValueText(std::string_view written);

// " NAME=\"value\"", left out when the value is empty.
void AppendAttribute(std::string& tag, std::string_view name, std::string_view value);
// The same, written also for an empty value.
void AppendAttributeAlways(std::string& tag, std::string_view name, std::string_view value);
// " NAME" when on (NOSHADE, NOWRAP...).
void AppendFlag(std::string& tag, std::string_view name, bool on);

struct TagTexts {
    std::string opening;  // "<TAG" and the generated attributes, without ">"
    std::string closing;  // "</TAG>" of a wrapping writer
    // Put behind the start tag and before the closing text when inserting
    // ("\r\n" for BODY and FRAMESET, which stand on lines of their own).
    std::string around;
};

}  // namespace vesk
