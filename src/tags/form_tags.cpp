#include "tags/form_tags.h"

#include "tools/conversions.h"

namespace vesk {

namespace {

// The keyword of a radio-group index; nullptr for none or an index outside the list.
template <std::size_t N>
const char* Keyword(const char* const (&keywords)[N], int index) {
    return index >= 0 && index < static_cast<int>(N) ? keywords[index] : nullptr;
}

const char* const kMethods[] = {"POST", "GET"};
const char* const kEnctypes[] = {"application/x-www-form-urlencoded", "text/plain",
                                 "multipart/form-data"};
const char* const kTextTypes[] = {"text", "password"};
const char* const kCheckTypes[] = {"radio", "checkbox"};
const char* const kButtonTypes[] = {"submit", "reset", "file", "button"};
const char* const kWraps[] = {"off", "soft", "hard"};

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

}  // namespace

TagTexts FormTexts(const FormData& data) {
    TagTexts texts;
    texts.opening = "<FORM";
    if (data.actionKind == 0)
        AppendAttributeAlways(texts.opening, "ACTION", data.action);
    else if (data.actionKind == 1)
        AppendAttributeAlways(texts.opening, "ACTION", "mailto:" + data.action);
    if (const char* method = Keyword(kMethods, data.method))
        AppendAttributeAlways(texts.opening, "METHOD", method);
    if (const char* enctype = Keyword(kEnctypes, data.enctype))
        AppendAttributeAlways(texts.opening, "ENCTYPE", enctype);
    // A mail form has no page to show the result in.
    if (data.actionKind == 0)
        AppendAttribute(texts.opening, "TARGET", data.target);
    texts.closing = "</FORM>";
    return texts;
}

std::string TextInputOpening(const TextInputData& data) {
    std::string tag = "<INPUT";
    if (const char* type = Keyword(kTextTypes, data.inputType))
        AppendAttributeAlways(tag, "TYPE", type);
    AppendAttribute(tag, "NAME", data.name);
    AppendAttribute(tag, "VALUE", data.value);
    AppendAttribute(tag, "SIZE", data.size);
    AppendAttribute(tag, "MAXLENGTH", data.maxLength);
    return tag;
}

std::string CheckFieldOpening(const CheckFieldData& data) {
    std::string tag = "<INPUT";
    if (const char* type = Keyword(kCheckTypes, data.inputType))
        AppendAttributeAlways(tag, "TYPE", type);
    AppendAttribute(tag, "NAME", data.name);
    AppendAttribute(tag, "VALUE", data.value);
    AppendFlag(tag, "CHECKED", data.checked == 1);
    return tag;
}

std::string ButtonOpening(const ButtonData& data) {
    std::string tag = "<INPUT";
    const char* type = Keyword(kButtonTypes, data.buttonType);
    if (!type)
        return tag;
    AppendAttributeAlways(tag, "TYPE", type);
    // The dialog offers a name only to file and script buttons.
    if (data.buttonType >= 2)
        AppendAttributeAlways(tag, "NAME", data.name);
    AppendAttributeAlways(tag, "VALUE", data.value);
    return tag;
}

std::string HiddenOpening(const HiddenData& data) {
    std::string tag = "<INPUT";
    AppendAttributeAlways(tag, "TYPE", "hidden");
    AppendAttribute(tag, "NAME", data.name);
    AppendAttribute(tag, "VALUE", data.value);
    return tag;
}

TagTexts TextAreaTexts(const TextAreaData& data) {
    TagTexts texts;
    texts.opening = "<TEXTAREA";
    AppendAttribute(texts.opening, "ROWS", data.rows);
    AppendAttribute(texts.opening, "COLS", data.cols);
    if (const char* wrap = Keyword(kWraps, data.wrap))
        AppendAttributeAlways(texts.opening, "WRAP", wrap);
    AppendAttribute(texts.opening, "NAME", data.name);
    texts.closing = "</TEXTAREA>";
    return texts;
}

std::string TextAreaContent(const TextAreaData& data) {
    return "\r\n" + data.text;
}

TagTexts SelectTexts(const SelectData& data) {
    TagTexts texts;
    texts.opening = "<SELECT";
    AppendAttribute(texts.opening, "NAME", data.name);
    AppendFlag(texts.opening, "MULTIPLE", data.multiple == 1);
    texts.closing = "</SELECT>";
    return texts;
}

std::string OptionOpening(const OptionData& data) {
    std::string tag = "<OPTION";
    AppendAttributeAlways(tag, "VALUE", data.value);
    AppendFlag(tag, "SELECTED", data.selected == 1);
    return tag;
}

std::string JoinTextPieces(const TextPieces& pieces, int sizeLower) {
    std::string text;
    for (const TextPiece& piece : pieces)
        text += piece.tag ? ApplyTagCaseSetting(piece.text, sizeLower) : piece.text;
    return text;
}

TextPieces SelectBatchPieces(const SelectBatchData& data, bool afterSelection) {
    std::string select = afterSelection ? "\r\n<SELECT" : "<SELECT";
    AppendAttribute(select, "NAME", data.name);
    AppendFlag(select, "MULTIPLE", data.multiple == 1);
    select += ">";

    TextPieces pieces;
    pieces.push_back({std::move(select), true});
    for (const SelectBatchItem& item : data.items) {
        std::string option = "\r\n  <OPTION";
        AppendAttributeAlways(option, "VALUE", item.value);
        AppendFlag(option, "SELECTED", item.checked == 1);
        option += ">";
        pieces.push_back({std::move(option), true});
        if (!item.label.empty())
            pieces.push_back({item.label, false});
    }
    pieces.push_back({"\r\n</SELECT>", true});
    return pieces;
}

std::string TrimBlanks(std::string_view text) {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && IsBlank(text[first])) ++first;
    while (last > first && IsBlank(text[last - 1])) --last;
    return std::string(text.substr(first, last - first));
}

}  // namespace vesk
