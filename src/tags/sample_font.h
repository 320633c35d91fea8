#pragma once
// The font of the sample texts in the tag dialogs (FONT, BODY, page skeleton).

#include <QFont>

struct PreviewFont;

namespace vesk {

// The stored face, weight and slant at pointSize points; a face the system
// lacks falls back to its Japanese sans-serif font.
QFont SampleFont(const PreviewFont& font, int pointSize);

}  // namespace vesk
