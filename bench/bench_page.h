#pragma once
// The benchmark page: a realistic Japanese page (tables, links, images,
// comments) repeated to about 10 MB.

#include <QString>
#include <string>

#include "platform/encoding.h"

namespace bench {

// The page's text as the editor holds it: UTF-8 with CR LF breaks.
const std::string& PageText();
// The page written to a temporary file in the given encoding and line breaks.
QString PageFile(vesk::TextEncoding encoding, bool lfBreaks);
// Peak resident memory of the process in megabytes.
double PeakMegabytes();

}  // namespace bench
