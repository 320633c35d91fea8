#pragma once
// The form tags: FORM, the INPUT variants, TEXTAREA, SELECT, OPTION and a
// whole SELECT with its OPTIONs. Each dialog's fields as a plain record, and
// the tag text a record makes. Radio groups hold the index of the checked
// button, -1 for none; check boxes 0 or 1. Records compare field by field.

#include <string>
#include <string_view>
#include <vector>

#include "tags/tag_attributes.h"

namespace vesk {

struct FormData {
    std::string action;
    int actionKind = -1;  // 0 CGI program, 1 mail address
    int method = -1;      // 0 POST, 1 GET
    int enctype = -1;     // 0 form encoding, 1 plain text, 2 MIME
    std::string target;

    bool operator==(const FormData&) const = default;
};

struct TextInputData {
    std::string name;
    std::string maxLength;
    std::string size;
    std::string value;
    int inputType = -1;  // 0 text, 1 password

    bool operator==(const TextInputData&) const = default;
};

struct CheckFieldData {
    int checked = 0;
    std::string name;
    std::string label;  // the text behind the tag
    std::string value;
    int inputType = -1;  // 0 radio, 1 checkbox

    bool operator==(const CheckFieldData&) const = default;
};

struct ButtonData {
    std::string name;
    std::string value;
    int buttonType = -1;  // 0 submit, 1 reset, 2 file, 3 button

    bool operator==(const ButtonData&) const = default;
};

struct HiddenData {
    std::string name;
    std::string value;

    bool operator==(const HiddenData&) const = default;
};

struct TextAreaData {
    std::string cols;
    std::string name;
    std::string rows;
    std::string text;  // the initial content, CR LF line breaks
    int wrap = -1;     // 0 off, 1 soft, 2 hard

    bool operator==(const TextAreaData&) const = default;
};

struct SelectData {
    int multiple = 0;
    std::string name;

    bool operator==(const SelectData&) const = default;
};

struct OptionData {
    int selected = 0;
    std::string label;  // the text behind the tag
    std::string value;

    bool operator==(const OptionData&) const = default;
};

// One entry of the batch list.
struct SelectBatchItem {
    int checked = 0;
    std::string label;
    std::string value;

    bool operator==(const SelectBatchItem&) const = default;
};

struct SelectBatchData {
    int multiple = 0;
    std::string name;
    // The two edit fields of the entry being added or edited.
    std::string itemLabel;
    std::string itemValue;
    std::vector<SelectBatchItem> items;  // in list order

    bool operator==(const SelectBatchData&) const = default;
};

TagTexts FormTexts(const FormData& data);
std::string TextInputOpening(const TextInputData& data);
// The start tag only; the label follows it unconverted.
std::string CheckFieldOpening(const CheckFieldData& data);
std::string ButtonOpening(const ButtonData& data);
std::string HiddenOpening(const HiddenData& data);
// The start tag and "</TEXTAREA>"; TextAreaContent goes between them.
TagTexts TextAreaTexts(const TextAreaData& data);
// "\r\n" and the initial text: the start tag stands on a line of its own.
std::string TextAreaContent(const TextAreaData& data);
TagTexts SelectTexts(const SelectData& data);
// The start tag only; the label follows it unconverted.
std::string OptionOpening(const OptionData& data);

// Inserted text made of tag texts, which take the tag case, and texts typed by
// the user (labels, initial texts), which are written as they are.
struct TextPiece {
    std::string text;
    bool tag = true;
};
using TextPieces = std::vector<TextPiece>;

// The pieces joined, each tag piece in the case SizeLower asks for.
std::string JoinTextPieces(const TextPieces& pieces, int sizeLower);

// A SELECT with one OPTION line per entry and the closing tag on a line of its
// own. afterSelection: the SELECT starts on a new line behind selected text.
TextPieces SelectBatchPieces(const SelectBatchData& data, bool afterSelection);

// White space (blank, tab, line breaks) removed from both ends.
std::string TrimBlanks(std::string_view text);

}  // namespace vesk
