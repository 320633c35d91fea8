#pragma once
// Reading a start tag back into the fields of the dialog that writes it.
// Every attribute a dialog knows is cut out of the scanner's working text, so
// what remains is the leftover the rewritten tag keeps. A value the dialog
// cannot show stops the edit (kSyntaxError); some tags lead nowhere (kNothing).

#include <string>
#include <string_view>

#include "tagedit/tag_scanner.h"
#include "tags/form_tags.h"
#include "tags/page_tags.h"
#include "tags/table_tags.h"
#include "tags/text_tags.h"

namespace vesk {

enum class ReadStatus { kOk, kSyntaxError, kNothing };

// The element content that some dialogs edit along with the tag.
struct TagContent {
    std::string text;
    int rangeEnd = -1;  // where the replaced range ends (exclusive), -1: the tag itself
};

ReadStatus ReadRuleTag(CTagScanner& tag, RuleData& data);
ReadStatus ReadAlignTag(CTagScanner& tag, AlignData& data);  // DIV and P
ReadStatus ReadBodyTag(CTagScanner& tag, BodyData& data);
ReadStatus ReadFontTag(CTagScanner& tag, FontData& data);
ReadStatus ReadTableTag(CTagScanner& tag, TableData& data);
ReadStatus ReadRowTag(CTagScanner& tag, RowData& data);
ReadStatus ReadCellTag(CTagScanner& tag, CellData& data);  // TD and TH
ReadStatus ReadFramesetTag(CTagScanner& tag, FramesetData& data);
ReadStatus ReadFrameTag(CTagScanner& tag, FrameData& data);
ReadStatus ReadMetaTag(CTagScanner& tag, MetaData& data);
ReadStatus ReadSelectTag(CTagScanner& tag, SelectData& data);
ReadStatus ReadFormTag(CTagScanner& tag, FormData& data);
ReadStatus ReadOlTag(CTagScanner& tag, ListData& data);
ReadStatus ReadUlTag(CTagScanner& tag, ListData& data);

// The label that follows an OPTION or a check field, and the range that
// covers it: up to its last character, so the line break after it stays.
ReadStatus ReadLabelAfter(std::string_view document, const CTagScanner& tag, std::string& label,
                          TagContent& content);
ReadStatus ReadOptionTag(CTagScanner& tag, std::string_view document, OptionData& data,
                         TagContent& content);
// The content up to "</TEXTAREA>" (which stays); its leading line break is not shown.
ReadStatus ReadTextAreaTag(CTagScanner& tag, std::string_view document, TextAreaData& data,
                           TagContent& content);
// The content up to "</Hn>" of the same level, which the range includes. A
// heading whose next heading tag is not that end is read as its start tag alone.
ReadStatus ReadHeadingTag(CTagScanner& tag, std::string_view document, HeadingData& data,
                          TagContent& content);

// INPUT: which dialog its TYPE leads to, with that dialog's fields.
struct InputRead {
    enum Kind { kNone, kText, kCheck, kButton, kHidden } kind = kNone;
    TextInputData text;
    CheckFieldData check;
    ButtonData button;
    HiddenData hidden;
    TagContent content;  // the check field's label
};
ReadStatus ReadInputTag(CTagScanner& tag, std::string_view document, InputRead& read);

// A: a link, a mail link or an anchor.
struct AnchorTagRead {
    enum Kind { kNone, kLink, kMail, kAnchor } kind = kNone;
    LinkData link;
    MailLinkData mail;
    AnchorData anchor;
};
ReadStatus ReadATag(CTagScanner& tag, AnchorTagRead& read);
// HREF into file and anchor: split at the last "#" when it follows the last ".".
void SplitHrefForEdit(std::string_view href, std::string& file, std::string& anchor);

// IMG: the image dialog, or the map editor when it uses a map.
struct ImageTagRead {
    bool usesMap = false;
    std::string mapName;
    ImageData image;
};
ReadStatus ReadImgTag(CTagScanner& tag, ImageTagRead& read);

// LI: the item dialog of its list. textBefore is the page before the tag.
struct ListItemRead {
    ListKind kind = ListKind::kNumbered;
    ListData data;
};
ReadStatus ReadLiTag(CTagScanner& tag, std::string_view textBefore, ListItemRead& read);

// The leftover of the working text: line breaks removed, then the "<" and
// tag name (nameLength characters) cut off the front.
std::string LeftoverOf(const CTagScanner& tag, int nameLength);

}  // namespace vesk
