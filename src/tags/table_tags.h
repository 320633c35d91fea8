#pragma once
// TABLE, TR, TD and TH: the fields of their dialogs and the tags they make.
// Radio groups hold the checked index, -1 for none.

#include <string>

#include "tags/tag_attributes.h"

namespace vesk {

// The background choice the four dialogs share.
enum BackgroundMode : int { kBackgroundNone = 0, kBackgroundImage = 1, kBackgroundColour = 2 };

struct TableData {
    int bgMode = -1;
    int align = -1;  // 0 none, 1 left, 2 center, 3 right
    std::string background;
    std::string border;
    std::string cellPadding;
    std::string cellSpacing;
    std::string height;
    int heightPercent = 0;
    std::string hspace;
    std::string vspace;
    std::string width;
    int widthPercent = 0;
    std::string bgColor;
};

struct RowData {
    int align = -1;
    int bgMode = -1;
    int valign = -1;  // 0 none, 1 top, 2 middle, 3 bottom
    std::string background;
    std::string bgColor;
};

enum class CellKind { kData, kHeader };
struct CellData {
    std::string colSpan;
    int noWrap = 0;
    std::string rowSpan;
    int align = -1;
    int valign = -1;
    int bgMode = -1;
    std::string background;
    std::string height;
    std::string width;
    std::string bgColor;
};

TagTexts TableTexts(const TableData& data);
TagTexts RowTexts(const RowData& data);
TagTexts CellTexts(CellKind kind, const CellData& data);

}  // namespace vesk
