#include "tags/text_tags.h"

#include "tagedit/tag_scanner.h"

namespace vesk {

namespace {

const char* const kNumberedTypes[] = {"A", "a", "I", "i", "1"};
const char* const kBulletedTypes[] = {"disc", "circle", "square"};

// " TYPE=\"…\"" of a list or item; nothing for an index out of the group.
std::string ListTypeAttribute(ListKind kind, int type) {
    std::string text;
    if (kind == ListKind::kNumbered) {
        if (type >= 0 && type < static_cast<int>(std::size(kNumberedTypes)))
            AppendAttributeAlways(text, "TYPE", kNumberedTypes[type]);
    } else if (type >= 0 && type < static_cast<int>(std::size(kBulletedTypes))) {
        AppendAttributeAlways(text, "TYPE", kBulletedTypes[type]);
    }
    return text;
}

}  // namespace

std::string AlignAttribute(int align) {
    switch (align) {
        case 1:
            return " ALIGN=\"left\"";
        case 2:
            return " ALIGN=\"center\"";
        case 3:
            return " ALIGN=\"right\"";
        default:
            return std::string();
    }
}

TagTexts HeadingTexts(const HeadingData& data) {
    const int level = data.level >= 0 && data.level <= 5 ? data.level + 1 : 1;
    const std::string digit(1, static_cast<char>('0' + level));
    TagTexts texts;
    texts.opening = "<H" + digit + AlignAttribute(data.align);
    texts.closing = "</H" + digit + ">";
    return texts;
}

std::string RuleOpening(const RuleData& data) {
    std::string tag = "<HR" + AlignAttribute(data.align);
    if (!data.width.empty())
        AppendAttributeAlways(tag, "WIDTH", data.width + (data.widthPercent == 1 ? "%" : ""));
    AppendAttribute(tag, "SIZE", data.size);
    AppendFlag(tag, "NOSHADE", data.noShade == 1);
    return tag;
}

TagTexts LinkTexts(const LinkData& data) {
    std::string href = data.href;
    if (!data.anchor.empty())
        href += "#" + data.anchor;
    TagTexts texts;
    texts.opening = "<A";
    AppendAttributeAlways(texts.opening, "HREF", href);
    AppendAttribute(texts.opening, "TARGET", data.target);
    AppendAttribute(texts.opening, "TITLE", data.title);
    texts.closing = "</A>";
    return texts;
}

TagTexts MailLinkTexts(const MailLinkData& data) {
    TagTexts texts;
    texts.opening = "<A";
    AppendAttributeAlways(texts.opening, "HREF", "mailto:" + data.address);
    AppendAttribute(texts.opening, "TITLE", data.title);
    texts.closing = "</A>";
    return texts;
}

TagTexts AnchorTexts(const AnchorData& data) {
    TagTexts texts;
    texts.opening = "<A";
    AppendAttributeAlways(texts.opening, "NAME", data.name);
    texts.closing = "</A>";
    return texts;
}

TagTexts ListTexts(ListKind kind, const ListData& data) {
    const char* name = kind == ListKind::kNumbered ? "OL" : "UL";
    TagTexts texts;
    texts.opening = std::string("<") + name + ListTypeAttribute(kind, data.type);
    texts.closing = std::string("</") + name + ">";
    return texts;
}

std::string ListItemOpening(ListKind kind, const ListData& data) {
    return "<LI" + ListTypeAttribute(kind, data.type);
}

TagTexts FontTexts(const FontData& data) {
    TagTexts texts;
    texts.opening = "<FONT";
    const std::string n = std::to_string(data.sizeIndex + 1);
    switch (data.sizeMode) {
        case 1:
            AppendAttributeAlways(texts.opening, "SIZE", "+" + n);
            break;
        case 2:
            AppendAttributeAlways(texts.opening, "SIZE", "-" + n);
            break;
        case 3:
            AppendAttributeAlways(texts.opening, "SIZE", n);
            break;
        default:
            break;
    }
    if (data.colorMode == 1)
        AppendAttributeAlways(texts.opening, "COLOR", data.color);
    texts.closing = "</FONT>";
    return texts;
}

std::string ImageOpening(const ImageData& data) {
    std::string tag = "<IMG";
    AppendAttributeAlways(tag, "SRC", data.src);
    AppendAttribute(tag, "WIDTH", data.width);
    AppendAttribute(tag, "HEIGHT", data.height);
    AppendAttribute(tag, "BORDER", data.border);
    AppendAttribute(tag, "ALIGN", data.align);
    AppendAttribute(tag, "HSPACE", data.hspace);
    AppendAttribute(tag, "VSPACE", data.vspace);
    AppendAttribute(tag, "ALT", data.alt);
    return tag;
}

std::string AlignOpening(const AlignData& data) {
    return (data.element == 1 ? "<DIV" : "<P") + AlignAttribute(data.align);
}

PageColours FindPageColours(std::string_view page) {
    PageColours colours;
    std::size_t start = page.find("<BODY");
    if (start == std::string_view::npos)
        start = page.find("<body");
    if (start == std::string_view::npos)
        return colours;
    const std::size_t close = page.find('>', start);
    const std::string_view tag = page.substr(
        start, close == std::string_view::npos ? std::string_view::npos : close - start + 1);
    const AttributeValue background = GetAttributeValue(tag, "BGCOLOR");
    if (background.status == 0)
        colours.background = ColourOfText(background.value, kWhite);
    const AttributeValue text = GetAttributeValue(tag, "TEXT");
    if (text.status == 0)
        colours.text = ColourOfText(text.value, kBlack);
    return colours;
}

}  // namespace vesk
