#include "tagedit/edit_tag_read.h"

#include <algorithm>
#include <initializer_list>

#include "tags/tag_attributes.h"

namespace vesk {

namespace {

const std::string_view kFullWidthPercent = "\xEF\xBC\x85";  // "％"

bool EndsWith(std::string_view text, std::string_view tail) {
    return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

// One attribute taken out of the tag. False on broken syntax; found tells
// whether it was there with a value.
struct Taken {
    bool ok = true;
    bool found = false;
    std::string value;
};
Taken Take(CTagScanner& tag, std::string_view name, bool equalsAllowed = false) {
    const AttributeValue attribute = tag.TakeAttribute(name, equalsAllowed);
    Taken taken;
    taken.ok = attribute.status != -2;
    taken.found = attribute.status == 0;
    // The dialog shows what was typed, not the reference it was written as.
    taken.value = TypedValueText(attribute.value);
    return taken;
}

// Reads a plain text attribute into field (left alone when absent).
bool TakeText(CTagScanner& tag, std::string_view name, std::string& field) {
    Taken taken = Take(tag, name);
    if (taken.found)
        field = std::move(taken.value);
    return taken.ok;
}

// Index of value among words, compared exactly or in lower case; -1 when none.
int IndexOf(std::string_view value, std::initializer_list<std::string_view> words, bool anyCase) {
    const std::string compared = anyCase ? LowerAscii(value) : std::string(value);
    int index = 0;
    for (std::string_view word : words) {
        if (compared == word)
            return index;
        ++index;
    }
    return -1;
}

// A keyword attribute: its index + offset into field when it is one of the
// words; false (syntax error) for a broken value or another word.
bool TakeChoice(CTagScanner& tag, std::string_view name,
                std::initializer_list<std::string_view> words, bool anyCase, int offset,
                int& field) {
    const Taken taken = Take(tag, name);
    if (!taken.ok)
        return false;
    if (!taken.found)
        return true;
    const int index = IndexOf(taken.value, words, anyCase);
    if (index < 0)
        return false;
    field = index + offset;
    return true;
}

// ALIGN of tables and cells: all lower or all upper case.
bool TakeTableAlign(CTagScanner& tag, std::string_view name,
                    std::initializer_list<std::string_view> words, int& field) {
    const Taken taken = Take(tag, name);
    if (!taken.ok)
        return false;
    if (!taken.found)
        return true;
    int index = 0;
    for (std::string_view word : words) {
        ++index;
        std::string upper(word);
        std::transform(upper.begin(), upper.end(), upper.begin(),
                       [](char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; });
        if (taken.value == word || taken.value == upper) {
            field = index;
            return true;
        }
    }
    return false;
}

// A size in pixels or, ending in "%" or "％", in percent.
bool TakeSize(CTagScanner& tag, std::string_view name, std::string& size, int& percent) {
    Taken taken = Take(tag, name);
    if (!taken.found)
        return taken.ok;
    std::string value = std::move(taken.value);
    if (EndsWith(value, "%")) {
        value.pop_back();
        percent = 1;
    } else if (EndsWith(value, kFullWidthPercent)) {
        value.resize(value.size() - kFullWidthPercent.size());
        percent = 1;
    } else {
        percent = 0;
    }
    size = std::move(value);
    return true;
}

// The background of a table, row or cell. A tag holding both kinds keeps
// its image in the leftover: the dialog shows one of them.
bool TakeBackground(CTagScanner& tag, int& mode, std::string& background, std::string& colour) {
    const bool hasColour = GetAttributeValue(tag.text, "BGCOLOR").status != -1;
    if (!hasColour) {
        Taken image = Take(tag, "BACKGROUND");
        if (!image.ok)
            return false;
        if (image.found) {
            mode = kBackgroundImage;
            background = std::move(image.value);
        }
        return true;
    }
    Taken taken = Take(tag, "BGCOLOR");
    if (!taken.ok)
        return false;
    mode = kBackgroundColour;
    colour = std::move(taken.value);
    return true;
}

ReadStatus Status(bool ok) {
    return ok ? ReadStatus::kOk : ReadStatus::kSyntaxError;
}

const std::initializer_list<std::string_view> kAligns = {"left", "center", "right"};
const std::initializer_list<std::string_view> kVAligns = {"top", "middle", "bottom"};

// The text of a comma list as one item a line; percent when every item ends
// in "%" or "*", and then without its "%" signs.
void ReadDivision(const std::string& value, std::string& lines, int& percent) {
    bool allRelative = true;
    std::size_t begin = 0;
    while (true) {
        const std::size_t comma = value.find(',', begin);
        const std::string_view item = std::string_view(value).substr(
            begin, comma == std::string::npos ? std::string::npos : comma - begin);
        if (!(EndsWith(item, "%") || EndsWith(item, "*")))
            allRelative = false;
        if (comma == std::string::npos)
            break;
        begin = comma + 1;
    }
    percent = allRelative ? 1 : 0;
    lines.clear();
    for (char c : value) {
        if (allRelative && c == '%')
            continue;
        if (c == ',')
            lines += "\r\n";
        else
            lines += c;
    }
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Where the "</Hn>" of a heading of the given level starts, searched from
// begin in any case; npos when the next heading tag, start or end, is
// something else, or there is none.
std::size_t HeadingEndAfter(std::string_view document, std::size_t begin, char level) {
    const std::string lower = LowerAscii(document.substr(begin));
    for (std::size_t at = lower.find("<"); at != std::string::npos; at = lower.find('<', at + 1)) {
        const bool closing = lower.compare(at, 3, "</h") == 0;
        const std::size_t digitAt = at + (closing ? 3 : 2);
        if (!closing && lower.compare(at, 2, "<h") != 0)
            continue;
        if (digitAt >= lower.size() || lower[digitAt] < '1' || lower[digitAt] > '6')
            continue;
        const char after = digitAt + 1 < lower.size() ? lower[digitAt + 1] : '\0';
        if (closing && after == '>')
            return lower[digitAt] == level ? begin + at : std::string::npos;
        if (!closing && (after == '>' || IsBlank(after)))
            return std::string::npos;
    }
    return std::string::npos;
}

}  // namespace

std::string LeftoverOf(const CTagScanner& tag, int nameLength) {
    std::string text = StripLineBreaks(tag.text);
    text.erase(
        0, std::min<std::size_t>(static_cast<std::size_t>(std::max(nameLength, 0)), text.size()));
    return text;
}

ReadStatus ReadRuleTag(CTagScanner& tag, RuleData& data) {
    const bool ok = TakeSize(tag, "WIDTH", data.width, data.widthPercent) &&
                    TakeText(tag, "SIZE", data.size) &&
                    TakeChoice(tag, "ALIGN", kAligns, true, 1, data.align);
    if (ok)
        data.noShade = tag.TakeFlagAttribute("NOSHADE") ? 1 : 0;
    return Status(ok);
}

ReadStatus ReadAlignTag(CTagScanner& tag, AlignData& data) {
    return Status(TakeChoice(tag, "ALIGN", kAligns, false, 1, data.align));
}

ReadStatus ReadBodyTag(CTagScanner& tag, BodyData& data) {
    return Status(
        TakeText(tag, "TEXT", data.textColor) && TakeText(tag, "ALINK", data.alinkColor) &&
        TakeText(tag, "VLINK", data.vlinkColor) && TakeText(tag, "LINK", data.linkColor) &&
        TakeText(tag, "BGCOLOR", data.bgColor) && TakeText(tag, "BACKGROUND", data.background));
}

ReadStatus ReadFontTag(CTagScanner& tag, FontData& data) {
    Taken colour = Take(tag, "COLOR");
    if (!colour.ok)
        return ReadStatus::kSyntaxError;
    if (colour.found) {
        data.color = colour.value;
        data.colorMode = 1;
    }
    const Taken size = Take(tag, "SIZE");
    if (!size.ok)
        return ReadStatus::kSyntaxError;
    if (!size.found)
        return ReadStatus::kOk;
    const std::string& value = size.value;
    char digit = 0;
    if (value.size() == 1) {
        digit = value[0];
        data.sizeMode = 3;
    } else if (value.size() == 2 && (value[0] == '+' || value[0] == '-')) {
        digit = value[1];
        data.sizeMode = value[0] == '+' ? 1 : 2;
    } else {
        return ReadStatus::kSyntaxError;
    }
    if (digit < '1' || digit > '7')
        return ReadStatus::kSyntaxError;
    data.sizeIndex = digit - '1';
    return ReadStatus::kOk;
}

ReadStatus ReadTableTag(CTagScanner& tag, TableData& data) {
    return Status(TakeText(tag, "BORDER", data.border) &&
                  TakeTableAlign(tag, "ALIGN", kAligns, data.align) &&
                  TakeSize(tag, "WIDTH", data.width, data.widthPercent) &&
                  TakeSize(tag, "HEIGHT", data.height, data.heightPercent) &&
                  TakeText(tag, "HSPACE", data.hspace) && TakeText(tag, "VSPACE", data.vspace) &&
                  TakeText(tag, "CELLSPACING", data.cellSpacing) &&
                  TakeText(tag, "CELLPADDING", data.cellPadding) &&
                  TakeBackground(tag, data.bgMode, data.background, data.bgColor));
}

ReadStatus ReadRowTag(CTagScanner& tag, RowData& data) {
    return Status(TakeTableAlign(tag, "ALIGN", kAligns, data.align) &&
                  TakeTableAlign(tag, "VALIGN", kVAligns, data.valign) &&
                  TakeBackground(tag, data.bgMode, data.background, data.bgColor));
}

ReadStatus ReadCellTag(CTagScanner& tag, CellData& data) {
    const bool ok = TakeTableAlign(tag, "ALIGN", kAligns, data.align) &&
                    TakeTableAlign(tag, "VALIGN", kVAligns, data.valign) &&
                    TakeText(tag, "ROWSPAN", data.rowSpan) &&
                    TakeText(tag, "COLSPAN", data.colSpan) && TakeText(tag, "WIDTH", data.width) &&
                    TakeText(tag, "HEIGHT", data.height) &&
                    TakeBackground(tag, data.bgMode, data.background, data.bgColor);
    if (ok)
        data.noWrap = tag.TakeFlagAttribute("NOWRAP") ? 1 : 0;
    return Status(ok);
}

ReadStatus ReadFramesetTag(CTagScanner& tag, FramesetData& data) {
    std::string cols, rows;
    const bool ok = TakeText(tag, "COLS", cols) && TakeText(tag, "ROWS", rows) &&
                    TakeText(tag, "BORDER", data.border);
    if (!ok)
        return ReadStatus::kSyntaxError;
    if (!cols.empty())
        ReadDivision(cols, data.cols, data.colsPercent);
    if (!rows.empty())
        ReadDivision(rows, data.rows, data.rowsPercent);
    return ReadStatus::kOk;
}

ReadStatus ReadFrameTag(CTagScanner& tag, FrameData& data) {
    if (!TakeText(tag, "SRC", data.src) || !TakeText(tag, "NAME", data.name))
        return ReadStatus::kSyntaxError;
    // Only the values the dialog can write back are taken; others stay in
    // the leftover rather than being lost.
    const AttributeValue border = GetAttributeValue(tag.text, "FRAMEBORDER");
    if (border.status == -2)
        return ReadStatus::kSyntaxError;
    if (border.status == 0 && IndexOf(border.value, {"no", "0"}, true) >= 0) {
        tag.TakeAttribute("FRAMEBORDER");
        data.frameBorderNo = 1;
    }
    Taken colour = Take(tag, "BORDERCOLOR");
    if (!colour.ok)
        return ReadStatus::kSyntaxError;
    if (colour.found) {
        data.borderColorOn = 1;
        data.borderColor = colour.value;
    }
    if (!TakeText(tag, "MARGINWIDTH", data.marginWidth) ||
        !TakeText(tag, "MARGINHEIGHT", data.marginHeight))
        return ReadStatus::kSyntaxError;
    const AttributeValue scrolling = GetAttributeValue(tag.text, "SCROLLING");
    if (scrolling.status == -2)
        return ReadStatus::kSyntaxError;
    if (scrolling.status == 0 && LowerAscii(scrolling.value) == "no") {
        tag.TakeAttribute("SCROLLING");
        data.scrollingNo = 1;
    }
    data.noResize = tag.TakeFlagAttribute("NORESIZE") ? 1 : 0;
    return ReadStatus::kOk;
}

ReadStatus ReadMetaTag(CTagScanner& tag, MetaData& data) {
    const Taken content = Take(tag, "CONTENT", true);
    const Taken name = Take(tag, "NAME");
    const Taken equiv = Take(tag, "HTTP-EQUIV");
    if (!content.ok || !name.ok || !equiv.ok)
        return ReadStatus::kSyntaxError;
    if (name.found) {
        const int kind = IndexOf(name.value,
                                 {"author", "reply-to", "copyright", "build", "keywords",
                                  "description", "robots", "keyword"},
                                 true);
        if (kind < 0)
            return ReadStatus::kSyntaxError;
        if (kind == kMetaRobots) {
            data.kind = kMetaRobots;
            const int robots =
                IndexOf(content.value, {"all", "index", "noindex", "nofollow", "none"}, true);
            data.robots = robots < 0 ? kRobotsBlank : robots;
            return ReadStatus::kOk;
        }
        data.kind = kind == 7 ? kMetaKeywords : kind;
        data.text = content.value;
        return ReadStatus::kOk;
    }
    if (!equiv.found)
        return ReadStatus::kSyntaxError;
    const std::string kind = LowerAscii(equiv.value);
    if (kind == "content-type") {
        std::string compact;
        for (char c : LowerAscii(content.value)) {
            if (c != ' ')
                compact += c;
        }
        const int charset = IndexOf(compact,
                                    {"text/html;charset=shift_jis", "text/html;charset=iso-2022-jp",
                                     "text/html;charset=euc-jp", "text/html;charset=utf-8"},
                                    false);
        data.kind = kMetaContentType;
        data.charset = charset < 0 ? kCharsetNone : charset;
        return ReadStatus::kOk;
    }
    if (kind == "refresh") {
        const std::string& value = content.value;
        const std::size_t url = LowerAscii(value).find("url=");
        const std::size_t separator = value.find(';');
        if (url == std::string::npos || separator == std::string::npos || separator > url)
            return ReadStatus::kSyntaxError;
        data.kind = kMetaRefresh;
        data.seconds = value.substr(0, separator);
        data.text = value.substr(url + 4);
        return ReadStatus::kOk;
    }
    // The page skeleton writes its keywords this way.
    if (kind == "keyword" || kind == "keywords") {
        data.kind = kMetaKeywords;
        data.text = content.value;
        return ReadStatus::kOk;
    }
    return ReadStatus::kSyntaxError;
}

ReadStatus ReadSelectTag(CTagScanner& tag, SelectData& data) {
    if (!TakeText(tag, "NAME", data.name))
        return ReadStatus::kSyntaxError;
    data.multiple = tag.TakeFlagAttribute("MULTIPLE") ? 1 : 0;
    return ReadStatus::kOk;
}

ReadStatus ReadFormTag(CTagScanner& tag, FormData& data) {
    Taken action = Take(tag, "ACTION");
    if (!action.ok)
        return ReadStatus::kSyntaxError;
    if (action.found) {
        std::string value = action.value;
        value.erase(0, value.find_first_not_of(' ') == std::string::npos
                           ? value.size()
                           : value.find_first_not_of(' '));
        if (LowerAscii(value).rfind("mailto:", 0) == 0) {
            data.actionKind = 1;
            data.action = value.substr(7);
        } else {
            data.actionKind = 0;
            data.action = value;
        }
    }
    return Status(
        TakeChoice(tag, "METHOD", {"post", "get"}, true, 0, data.method) &&
        TakeChoice(tag, "ENCTYPE",
                   {"application/x-www-form-urlencoded", "text/plain", "multipart/form-data"}, true,
                   0, data.enctype) &&
        TakeText(tag, "TARGET", data.target));
}

ReadStatus ReadOlTag(CTagScanner& tag, ListData& data) {
    return Status(TakeChoice(tag, "TYPE", {"A", "a", "I", "i", "1"}, false, 0, data.type));
}

ReadStatus ReadUlTag(CTagScanner& tag, ListData& data) {
    return Status(TakeChoice(tag, "TYPE", {"disc", "circle", "square"}, true, 0, data.type));
}

ReadStatus ReadLabelAfter(std::string_view document, const CTagScanner& tag, std::string& label,
                          TagContent& content) {
    const std::size_t begin = std::min(static_cast<std::size_t>(tag.end) + 1, document.size());
    std::size_t next = document.find('<', begin);
    if (next == std::string_view::npos)
        next = document.size();
    std::size_t last = next;
    while (last > begin && IsBlank(document[last - 1])) --last;
    label = std::string(document.substr(begin, last - begin));
    if (label.find("\r\n") != std::string::npos)
        return ReadStatus::kSyntaxError;
    content.text = label;
    content.rangeEnd = static_cast<int>(last);
    return ReadStatus::kOk;
}

ReadStatus ReadOptionTag(CTagScanner& tag, std::string_view document, OptionData& data,
                         TagContent& content) {
    if (ReadLabelAfter(document, tag, data.label, content) != ReadStatus::kOk ||
        !TakeText(tag, "VALUE", data.value))
        return ReadStatus::kSyntaxError;
    data.selected = tag.TakeFlagAttribute("SELECTED") ? 1 : 0;
    return ReadStatus::kOk;
}

ReadStatus ReadTextAreaTag(CTagScanner& tag, std::string_view document, TextAreaData& data,
                           TagContent& content) {
    const std::size_t begin = std::min(static_cast<std::size_t>(tag.end) + 1, document.size());
    const std::size_t close = LowerAscii(document.substr(begin)).find("</textarea>");
    if (close == std::string::npos)
        return ReadStatus::kSyntaxError;
    std::string text(document.substr(begin, close));
    if (text.rfind("\r\n", 0) == 0)
        text.erase(0, 2);
    data.text = text;
    content.text = text;
    content.rangeEnd = static_cast<int>(begin + close);
    return Status(TakeText(tag, "ROWS", data.rows) && TakeText(tag, "COLS", data.cols) &&
                  TakeChoice(tag, "WRAP", {"off", "soft", "hard"}, true, 0, data.wrap) &&
                  TakeText(tag, "NAME", data.name));
}

ReadStatus ReadHeadingTag(CTagScanner& tag, std::string_view document, HeadingData& data,
                          TagContent& content) {
    if (tag.text.size() < 3)
        return ReadStatus::kSyntaxError;
    const char digit = tag.text[2];
    if (digit < '1' || digit > '6')
        return ReadStatus::kSyntaxError;
    data.level = digit - '1';
    const std::size_t begin = std::min(static_cast<std::size_t>(tag.end) + 1, document.size());
    const std::size_t close = HeadingEndAfter(document, begin, digit);
    // A heading left open is edited as its start tag alone: "</HTML>" or the
    // end of another heading is no end of this one.
    if (close != std::string_view::npos) {
        content.text = std::string(document.substr(begin, close - begin));
        content.rangeEnd = static_cast<int>(close + 5);
    }
    return Status(TakeChoice(tag, "ALIGN", kAligns, true, 1, data.align));
}

ReadStatus ReadInputTag(CTagScanner& tag, std::string_view document, InputRead& read) {
    const Taken type = Take(tag, "TYPE");
    if (!type.ok)
        return ReadStatus::kSyntaxError;
    if (!type.found)
        return ReadStatus::kNothing;
    const std::string kind = LowerAscii(type.value);
    if (kind == "text" || kind == "password") {
        read.kind = InputRead::kText;
        read.text.inputType = kind == "text" ? 0 : 1;
        return Status(TakeText(tag, "NAME", read.text.name) &&
                      TakeText(tag, "VALUE", read.text.value) &&
                      TakeText(tag, "SIZE", read.text.size) &&
                      TakeText(tag, "MAXLENGTH", read.text.maxLength));
    }
    if (kind == "radio" || kind == "checkbox") {
        read.kind = InputRead::kCheck;
        read.check.inputType = kind == "radio" ? 0 : 1;
        if (!TakeText(tag, "NAME", read.check.name) || !TakeText(tag, "VALUE", read.check.value))
            return ReadStatus::kSyntaxError;
        read.check.checked = tag.TakeFlagAttribute("CHECKED") ? 1 : 0;
        return ReadLabelAfter(document, tag, read.check.label, read.content);
    }
    const int button = IndexOf(kind, {"submit", "reset", "file", "button"}, false);
    if (button >= 0) {
        read.kind = InputRead::kButton;
        read.button.buttonType = button;
        return Status(TakeText(tag, "NAME", read.button.name) &&
                      TakeText(tag, "VALUE", read.button.value));
    }
    if (kind == "hidden") {
        read.kind = InputRead::kHidden;
        return Status(TakeText(tag, "NAME", read.hidden.name) &&
                      TakeText(tag, "VALUE", read.hidden.value));
    }
    return ReadStatus::kSyntaxError;
}

void SplitHrefForEdit(std::string_view href, std::string& file, std::string& anchor) {
    const std::size_t hash = href.rfind('#');
    const std::size_t dot = href.rfind('.');
    if (hash == std::string_view::npos || dot == std::string_view::npos || dot > hash) {
        if (!href.empty() && href[0] == '#') {
            file.clear();
            anchor = std::string(href.substr(1));
        } else {
            file = std::string(href);
            anchor.clear();
        }
        return;
    }
    file = std::string(href.substr(0, hash));
    anchor = std::string(href.substr(hash + 1));
}

ReadStatus ReadATag(CTagScanner& tag, AnchorTagRead& read) {
    const Taken href = Take(tag, "HREF");
    if (!href.ok)
        return ReadStatus::kSyntaxError;
    if (href.found) {
        const std::size_t mailto = href.value.find("mailto:");
        if (mailto != std::string::npos) {
            read.kind = AnchorTagRead::kMail;
            read.mail.address = href.value.substr(mailto + 7);
            return Status(TakeText(tag, "TITLE", read.mail.title));
        }
        read.kind = AnchorTagRead::kLink;
        SplitHrefForEdit(href.value, read.link.href, read.link.anchor);
        return Status(TakeText(tag, "TARGET", read.link.target) &&
                      TakeText(tag, "TITLE", read.link.title));
    }
    const Taken name = Take(tag, "NAME");
    if (!name.ok)
        return ReadStatus::kSyntaxError;
    if (!name.found)
        return ReadStatus::kNothing;
    read.kind = AnchorTagRead::kAnchor;
    read.anchor.name = name.value;
    return ReadStatus::kOk;
}

ReadStatus ReadImgTag(CTagScanner& tag, ImageTagRead& read) {
    const AttributeValue map = GetAttributeValue(tag.text, "USEMAP");
    if (map.status == -2)
        return ReadStatus::kSyntaxError;
    if (map.status == 0) {
        if (map.value.empty() || map.value[0] != '#')
            return ReadStatus::kSyntaxError;
        read.usesMap = true;
        read.mapName = map.value.substr(1);
        return ReadStatus::kOk;
    }
    ImageData& image = read.image;
    return Status(TakeText(tag, "SRC", image.src) && TakeText(tag, "WIDTH", image.width) &&
                  TakeText(tag, "HEIGHT", image.height) && TakeText(tag, "BORDER", image.border) &&
                  TakeText(tag, "ALT", image.alt) && TakeText(tag, "ALIGN", image.align) &&
                  TakeText(tag, "HSPACE", image.hspace) && TakeText(tag, "VSPACE", image.vspace));
}

ReadStatus ReadLiTag(CTagScanner& tag, std::string_view textBefore, ListItemRead& read) {
    const Taken type = Take(tag, "TYPE");
    if (!type.ok)
        return ReadStatus::kSyntaxError;
    if (type.found) {
        const int numbered = IndexOf(type.value, {"A", "a", "I", "i", "1"}, false);
        if (numbered >= 0) {
            read.kind = ListKind::kNumbered;
            read.data.type = numbered;
            return ReadStatus::kOk;
        }
        const int bulleted = IndexOf(type.value, {"disc", "circle", "square"}, true);
        if (bulleted < 0)
            return ReadStatus::kNothing;
        read.kind = ListKind::kBulleted;
        read.data.type = bulleted;
        return ReadStatus::kOk;
    }
    const TagKind list = ListKindOfItem(textBefore);
    if (list == kKindOrderedListItem) {
        read.kind = ListKind::kNumbered;
        return ReadStatus::kOk;
    }
    if (list == kKindUnorderedListItem) {
        read.kind = ListKind::kBulleted;
        return ReadStatus::kOk;
    }
    return ReadStatus::kNothing;
}

}  // namespace vesk
