#include "tags/page_tags.h"

#include <algorithm>
#include <iterator>

namespace vesk {

namespace {

const char* const kCharsetNames[] = {"SHIFT_JIS", "ISO-2022-JP", "EUC-JP", "UTF-8"};
const char* const kRobotsValues[] = {"all", "index", "noindex", "nofollow", "none"};

// The NAME of the META kinds 0 to 5.
const char* const kMetaNames[] = {"author", "reply-to", "copyright",
                                  "build",  "keywords", "description"};

constexpr std::string_view kBodyTail = "\r\n</BODY>\r\n\r\n</HTML>";
constexpr std::string_view kFramesetTail = "\r\n</FRAMESET>\r\n\r\n</HTML>";

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// "\r\n  <META NAME=\"name\" CONTENT=\"value\">", left out for an empty value.
void AppendMetaLine(std::string& text, std::string_view name, std::string_view value) {
    if (value.empty())
        return;
    text += "\r\n  <META NAME=\"";
    text += name;
    text += "\" CONTENT=\"";
    text += QuotedValueText(value);
    text += "\">";
}

// The META lines of the dialogs' fields, in their order, up to the keywords.
template <typename Data>
void AppendNamedMetaLines(std::string& text, const Data& data) {
    AppendMetaLine(text, "author", data.author);
    AppendMetaLine(text, "copyright", data.copyright);
    AppendMetaLine(text, "reply-to", data.replyTo);
    AppendMetaLine(text, "build", data.build);
    AppendMetaLine(text, "description", data.description);
    AppendMetaLine(text, "robots", RobotsContent(data.robots));
}

// What both skeletons share: the document type, HTML, and HEAD up to the
// keywords line.
template <typename Data>
std::string SkeletonHead(const Data& data, bool afterSelection) {
    std::string text;
    if (afterSelection)
        text += "\r\n";
    text += "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">";
    text += "\r\n\r\n<HTML>\r\n\r\n<HEAD>";
    if (!data.title.empty()) {
        text += "\r\n  <TITLE> ";
        text += data.title;
        text += " </TITLE>";
    }
    const std::string charset = CharsetContent(data.charset);
    if (!charset.empty()) {
        text += "\r\n  <META HTTP-EQUIV=\"content-type\" CONTENT=\"";
        text += charset;
        text += "\">";
    }
    AppendNamedMetaLines(text, data);
    if (!data.keywords.empty()) {
        text += "\r\n  <META HTTP-EQUIV=\"keyword\" CONTENT=\"";
        text += QuotedValueText(data.keywords);
        text += "\">";
    }
    return text;
}

std::string BodyAttributes(const std::string& text, const std::string& link,
                           const std::string& vlink, const std::string& alink,
                           const std::string& bgcolor, const std::string& background) {
    std::string attributes;
    AppendAttribute(attributes, "TEXT", text);
    AppendAttribute(attributes, "LINK", link);
    AppendAttribute(attributes, "VLINK", vlink);
    AppendAttribute(attributes, "ALINK", alink);
    AppendAttribute(attributes, "BGCOLOR", bgcolor);
    AppendAttribute(attributes, "BACKGROUND", background);
    return attributes;
}

// A size field counts as given when it holds more than white space.
bool HasSizes(std::string_view lines) {
    return std::any_of(lines.begin(), lines.end(), [](char c) { return !IsBlank(c); });
}

std::string FramesetAttributes(std::string_view border, std::string_view cols, bool colsPercent,
                               std::string_view rows, bool rowsPercent) {
    std::string attributes;
    AppendAttribute(attributes, "BORDER", border);
    if (HasSizes(cols))
        AppendAttributeAlways(attributes, "COLS", DivisionSizes(cols, colsPercent));
    if (HasSizes(rows))
        AppendAttributeAlways(attributes, "ROWS", DivisionSizes(rows, rowsPercent));
    return attributes;
}

SkeletonText Finish(std::string text, std::string_view tail) {
    // The text ends in the start tag and its line break: the caret goes to
    // the start of the empty line in front of the end tag.
    SkeletonText skeleton;
    skeleton.caret = text.size();
    skeleton.text = std::move(text);
    skeleton.text += tail;
    return skeleton;
}

}  // namespace

bool IsMetaTextKind(int kind) {
    return (kind >= kMetaAuthor && kind <= kMetaDescription) || kind == kMetaRefresh;
}

std::string CharsetContent(int charset) {
    if (charset < 0 || charset >= static_cast<int>(std::size(kCharsetNames)))
        return std::string();
    return std::string("text/html;charset=") + kCharsetNames[charset];
}

std::string_view RobotsContent(int robots) {
    if (robots < 0 || robots >= static_cast<int>(std::size(kRobotsValues)))
        return std::string_view();
    return kRobotsValues[robots];
}

bool IsDivisionText(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) {
        return (c >= '0' && c <= '9') || c == '*' || c == '%' || c == '\r' || c == '\n';
    });
}

std::string RemovePercentSigns(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    for (char c : text) {
        if (c != '%')
            result += c;
    }
    return result;
}

std::string DivisionSizes(std::string_view lines, bool percent) {
    while (!lines.empty() && IsBlank(lines.back())) lines.remove_suffix(1);

    // Every line break, whichever form it came in, separates two sizes.
    std::string joined;
    joined.reserve(lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i] == '\r') {
            if (i + 1 < lines.size() && lines[i + 1] == '\n')
                ++i;
            joined += ',';
        } else if (lines[i] == '\n') {
            joined += ',';
        } else {
            joined += lines[i];
        }
    }
    if (!percent)
        return joined;

    std::string result;
    result.reserve(joined.size() * 2 + 1);
    std::size_t begin = 0;
    while (true) {
        const std::size_t comma = joined.find(',', begin);
        const std::size_t end = comma == std::string::npos ? joined.size() : comma;
        const std::string_view item(joined.data() + begin, end - begin);
        result += item;
        if (item.empty() || item.back() != '*')
            result += '%';
        if (comma == std::string::npos)
            break;
        result += ',';
        begin = comma + 1;
    }
    return result;
}

namespace {

// The HTML5 page: the character set as a meta charset (UTF-8 unless another is chosen)
// and the viewport that phones need, then the same META lines and BODY.
std::string Html5Head(const PageSkeletonData& data, bool afterSelection) {
    std::string text;
    if (afterSelection)
        text += "\r\n";
    text += "<!DOCTYPE html>\r\n\r\n<HTML LANG=\"ja\">\r\n\r\n<HEAD>";
    const bool named =
        data.charset >= 0 && data.charset < static_cast<int>(std::size(kCharsetNames));
    text += "\r\n  <META CHARSET=\"";
    text += named ? kCharsetNames[data.charset] : "UTF-8";
    text += "\">";
    text += "\r\n  <META NAME=\"viewport\" CONTENT=\"width=device-width, initial-scale=1\">";
    if (!data.title.empty()) {
        text += "\r\n  <TITLE>";
        text += data.title;
        text += "</TITLE>";
    }
    AppendNamedMetaLines(text, data);
    AppendMetaLine(text, "keywords", data.keywords);
    return text;
}

}  // namespace

SkeletonText PageSkeletonText(const PageSkeletonData& data, bool afterSelection) {
    std::string text =
        data.html5 ? Html5Head(data, afterSelection) : SkeletonHead(data, afterSelection);
    // The tag case turns "content" into the case of the other attribute names.
    text += "\r\n  <META NAME=\"generator\" content=\"VeskHtml V2.7.6\">";
    text += "\r\n</HEAD>\r\n\r\n<BODY";
    text += BodyAttributes(data.textColor, data.linkColor, data.vlinkColor, data.alinkColor,
                           data.bgColor, data.background);
    text += ">\r\n";
    return Finish(std::move(text), kBodyTail);
}

SkeletonText FrameSkeletonText(const FrameSkeletonData& data, bool afterSelection) {
    std::string text = SkeletonHead(data, afterSelection);
    text += "\r\n  <META NAME=\"generator\" CONTENT=\"VeskHtml V2.7.6\">";
    text += "\r\n</HEAD>\r\n\r\n<FRAMESET";
    text += FramesetAttributes(data.border, data.cols, data.colsPercent != 0, data.rows,
                               data.rowsPercent != 0);
    text += ">\r\n";
    return Finish(std::move(text), kFramesetTail);
}

std::string DoctypeText(const DoctypeData& data) {
    return "\r\n<!DOCTYPE HTML PUBLIC \"-//W3C//DTD " + data.version + "//EN\">";
}

TagTexts BodyTexts(const BodyData& data) {
    TagTexts texts;
    texts.opening = "<BODY" + BodyAttributes(data.textColor, data.linkColor, data.vlinkColor,
                                             data.alinkColor, data.bgColor, data.background);
    texts.closing = "</BODY>";
    texts.around = "\r\n";
    return texts;
}

TagTexts FramesetTexts(const FramesetData& data) {
    TagTexts texts;
    texts.opening = "<FRAMESET" + FramesetAttributes(data.border, data.cols, data.colsPercent != 0,
                                                     data.rows, data.rowsPercent != 0);
    texts.closing = "</FRAMESET>";
    texts.around = "\r\n";
    return texts;
}

std::string MetaTag(const MetaData& data) {
    if (data.kind >= kMetaAuthor && data.kind <= kMetaDescription)
        return std::string("<META NAME=\"") + kMetaNames[data.kind] + "\" CONTENT=\"" +
               QuotedValueText(data.text) + "\">";
    switch (data.kind) {
        case kMetaRobots:
            return "<META NAME=\"robots\" CONTENT=\"" + std::string(RobotsContent(data.robots)) +
                   "\">";
        case kMetaContentType:
            return "<META HTTP-EQUIV=\"content-type\" CONTENT=\"" + CharsetContent(data.charset) +
                   "\">";
        case kMetaRefresh:
            return "<META HTTP-EQUIV=\"refresh\" CONTENT=\"" + QuotedValueText(data.seconds) +
                   ";URL=" + QuotedValueText(data.text) + "\">";
        default:
            return std::string();
    }
}

std::string FrameOpening(const FrameData& data) {
    std::string tag = "<FRAME";
    AppendAttribute(tag, "SRC", data.src);
    AppendAttribute(tag, "NAME", data.name);
    if (data.frameBorderNo != 0)
        tag += " FRAMEBORDER=\"no\"";
    if (data.borderColorOn != 0)
        AppendAttribute(tag, "BORDERCOLOR", data.borderColor);
    AppendAttribute(tag, "MARGINWIDTH", data.marginWidth);
    AppendAttribute(tag, "MARGINHEIGHT", data.marginHeight);
    if (data.scrollingNo != 0)
        tag += " SCROLLING=\"no\"";
    AppendFlag(tag, "NORESIZE", data.noResize != 0);
    return tag;
}

}  // namespace vesk
