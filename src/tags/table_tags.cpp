#include "tags/table_tags.h"

#include "tags/text_tags.h"

namespace vesk {

namespace {

// A size in pixels, or in percent when its box is checked.
void AppendSize(std::string& tag, std::string_view name, const std::string& value, int percent) {
    if (!value.empty())
        AppendAttributeAlways(tag, name, percent == 1 ? value + "%" : value);
}

// The chosen background is written even when its field is empty.
void AppendBackground(std::string& tag, int mode, const std::string& background,
                      const std::string& colour) {
    if (mode == kBackgroundImage)
        AppendAttributeAlways(tag, "BACKGROUND", background);
    else if (mode == kBackgroundColour)
        AppendAttributeAlways(tag, "BGCOLOR", colour);
}

std::string VAlignAttribute(int valign) {
    switch (valign) {
        case 1:
            return " VALIGN=\"top\"";
        case 2:
            return " VALIGN=\"middle\"";
        case 3:
            return " VALIGN=\"bottom\"";
        default:
            return std::string();
    }
}

}  // namespace

TagTexts TableTexts(const TableData& data) {
    TagTexts texts;
    std::string& tag = texts.opening;
    tag = "<TABLE";
    AppendSize(tag, "WIDTH", data.width, data.widthPercent);
    AppendSize(tag, "HEIGHT", data.height, data.heightPercent);
    AppendAttribute(tag, "BORDER", data.border);
    tag += AlignAttribute(data.align);
    AppendAttribute(tag, "CELLSPACING", data.cellSpacing);
    AppendAttribute(tag, "CELLPADDING", data.cellPadding);
    AppendBackground(tag, data.bgMode, data.background, data.bgColor);
    AppendAttribute(tag, "HSPACE", data.hspace);
    AppendAttribute(tag, "VSPACE", data.vspace);
    texts.closing = "</TABLE>";
    return texts;
}

TagTexts RowTexts(const RowData& data) {
    TagTexts texts;
    texts.opening = "<TR" + AlignAttribute(data.align) + VAlignAttribute(data.valign);
    AppendBackground(texts.opening, data.bgMode, data.background, data.bgColor);
    texts.closing = "</TR>";
    return texts;
}

TagTexts CellTexts(CellKind kind, const CellData& data) {
    const std::string name = kind == CellKind::kHeader ? "TH" : "TD";
    TagTexts texts;
    std::string& tag = texts.opening;
    tag = "<" + name + AlignAttribute(data.align) + VAlignAttribute(data.valign);
    AppendBackground(tag, data.bgMode, data.background, data.bgColor);
    AppendAttribute(tag, "ROWSPAN", data.rowSpan);
    AppendAttribute(tag, "COLSPAN", data.colSpan);
    AppendAttribute(tag, "WIDTH", data.width);
    AppendAttribute(tag, "HEIGHT", data.height);
    AppendFlag(tag, "NOWRAP", data.noWrap == 1);
    texts.closing = "</" + name + ">";
    return texts;
}

}  // namespace vesk
