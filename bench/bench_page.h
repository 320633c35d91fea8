#pragma once
// The benchmark page: a realistic Japanese page (tables, links, images,
// comments) repeated to a given size (10 MB unless said).

#include <QString>
#include <string>

#include "platform/encoding.h"

namespace bench {

// The page's text as the editor holds it (UTF-8 with CR LF breaks), about this many MB.
const std::string& PageText(int megabytes = 10);
// The page written to a temporary file in the given encoding and line breaks.
QString PageFile(vesk::TextEncoding encoding, bool lfBreaks, int megabytes = 10);
// Peak resident memory of the process in megabytes.
double PeakMegabytes();
// Starts the peak again from the memory in use now (Linux), so that a measurement is not
// hidden under the peak of earlier work; returns the memory in use now, in megabytes.
double RestartPeak();

}  // namespace bench
