#pragma once
// End tags the editor writes for the user: behind a start tag just closed with ">",
// and the name of the open element after a typed "</".

#include <string>
#include <string_view>

namespace vesk {

// Elements that never take an end tag.
bool IsVoidElement(std::string_view name);

// before: the text up to and including a ">" just typed; after: the text behind the
// caret. The end tag to insert behind the caret ("</B>" for "<B>", in the name's own
// case), or empty when the ">" does not close a start tag of an element with an end tag,
// or that end tag already follows.
std::string EndTagFor(std::string_view before, std::string_view after);

// before: the text before a "</" just typed. The name of the nearest start tag that is
// not closed yet (as written), or empty.
std::string UnclosedElementName(std::string_view before);

}  // namespace vesk
