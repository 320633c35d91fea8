#pragma once
// The writers of the form dialogs, and the menu commands that run them. A
// writer shows its dialog prefilled from data and, once it is confirmed,
// writes the tag in the given mode (insert at the caret, or rewrite the tag
// Edit tag chose) and leaves what was confirmed in data. False, and the
// document unchanged, when the dialog was cancelled.
//
// Labels and initial texts typed into a dialog are written as they are; only
// the tags around them follow the tag case.

#include "tagedit/tag_scanner.h"
#include "tags/form_tags.h"

class CVeskHtmlView;

namespace vesk {

bool WriteForm(CVeskHtmlView& view, FormData& data, int mode, const CTagScanner& scanner);
bool WriteTextInput(CVeskHtmlView& view, TextInputData& data, int mode, const CTagScanner& scanner);
bool WriteButton(CVeskHtmlView& view, ButtonData& data, int mode, const CTagScanner& scanner);
bool WriteHidden(CVeskHtmlView& view, HiddenData& data, int mode, const CTagScanner& scanner);
bool WriteSelect(CVeskHtmlView& view, SelectData& data, int mode, const CTagScanner& scanner);

// The writers of elements whose content the dialog holds (the label behind a
// check field or OPTION, the initial text of a TEXTAREA). In edit mode,
// contentEnd is the end (exclusive) of the range Edit tag replaces, from the
// tag's start over its content; the new content is written there. With -1
// only the start tag is rewritten.
bool WriteCheckField(CVeskHtmlView& view, CheckFieldData& data, int mode,
                     const CTagScanner& scanner, int contentEnd = -1);
bool WriteTextArea(CVeskHtmlView& view, TextAreaData& data, int mode, const CTagScanner& scanner,
                   int contentEnd = -1);
bool WriteOption(CVeskHtmlView& view, OptionData& data, int mode, const CTagScanner& scanner,
                 int contentEnd = -1);

// A whole SELECT with its OPTIONs from the batch dialog, inserted behind the
// selection. The second form starts the dialog from data and leaves in it
// what was confirmed.
bool InsertSelectBatch(CVeskHtmlView& view);
bool InsertSelectBatch(CVeskHtmlView& view, SelectBatchData& data);

// Inserts the pieces behind the selection, which is kept: tag pieces in the
// tag case, the others as they are. Recoloured, one undo step; the caret,
// with nothing selected, caretBeforeEnd bytes before the end of the new text.
void InsertTextPieces(CVeskHtmlView& view, const TextPieces& pieces, int caretBeforeEnd = 0);

// Gives the view the dialog commands of the form tags.
void InstallFormTagCommands(CVeskHtmlView& view);

}  // namespace vesk
