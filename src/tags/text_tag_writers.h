#pragma once
// The writers of the heading, rule, link, list, font and image dialogs, and
// the menu commands that run them. A writer shows its dialog prefilled from
// data and, once it is confirmed, writes the tag in the given mode (insert at
// the caret, or rewrite the tag Edit tag chose) and leaves what was confirmed
// in data. False, and the document unchanged, when the dialog was cancelled.

#include <string_view>

#include "tagedit/tag_scanner.h"
#include "tags/text_tags.h"

class CVeskHtmlView;

namespace vesk {

// In edit mode with a content range, the heading's content and closing tag
// (through rangeEnd, exclusive) are rewritten too, so the closing tag
// follows a changed level.
bool WriteHeading(CVeskHtmlView& view, HeadingData& data, int mode, const CTagScanner& scanner,
                  int rangeEnd = -1, std::string_view content = {});
bool WriteRule(CVeskHtmlView& view, RuleData& data, int mode, const CTagScanner& scanner);
// Offers the anchor names of the document.
bool WriteLink(CVeskHtmlView& view, LinkData& data, int mode, const CTagScanner& scanner);
bool WriteMailLink(CVeskHtmlView& view, MailLinkData& data, int mode, const CTagScanner& scanner);
bool WriteAnchor(CVeskHtmlView& view, AnchorData& data, int mode, const CTagScanner& scanner);
bool WriteList(CVeskHtmlView& view, ListKind kind, ListData& data, int mode,
               const CTagScanner& scanner);
bool WriteListItem(CVeskHtmlView& view, ListKind kind, ListData& data, int mode,
                   const CTagScanner& scanner);
// Takes the page's background and text colours from its BODY tag.
bool WriteFont(CVeskHtmlView& view, FontData& data, int mode, const CTagScanner& scanner);
bool WriteImage(CVeskHtmlView& view, ImageData& data, int mode, const CTagScanner& scanner);
bool WriteAlign(CVeskHtmlView& view, AlignData& data, int mode, const CTagScanner& scanner);

// Gives the view the dialog commands of these tags.
void InstallTextTagCommands(CVeskHtmlView& view);

}  // namespace vesk
