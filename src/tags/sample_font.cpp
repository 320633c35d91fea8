#include "tags/sample_font.h"

#include <QStringList>
#include <algorithm>

#include "core/style_format.h"

namespace vesk {

QFont SampleFont(const PreviewFont& font, int pointSize) {
    QFont result;
    QStringList families;
    if (!font.faceName.isEmpty())
        families << font.faceName;
    families << QStringLiteral("Noto Sans CJK JP") << QStringLiteral("IPAPGothic")
             << QStringLiteral("sans-serif");
    result.setFamilies(families);
    result.setPointSize(pointSize > 0 ? pointSize : 12);
    result.setWeight(static_cast<QFont::Weight>(std::clamp(font.weight, 100, 900)));
    result.setItalic(font.italic != 0);
    return result;
}

}  // namespace vesk
