#include "core/style_format.h"

namespace {
// The stored face-name field holds 31 characters and a terminator.
constexpr int kMaxFaceNameChars = 31;
}  // namespace

QString CutFaceName(const QString& name) {
    // Count code points, so that a character outside the BMP counts once and is
    // never split into half a surrogate pair.
    int chars = 0;
    qsizetype pos = 0;
    while (pos < name.size()) {
        if (chars == kMaxFaceNameChars)
            return name.left(pos);
        const bool pair = name.at(pos).isHighSurrogate() && pos + 1 < name.size() &&
                          name.at(pos + 1).isLowSurrogate();
        pos += pair ? 2 : 1;
        ++chars;
    }
    return name;
}
