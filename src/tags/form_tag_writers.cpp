#include "tags/form_tag_writers.h"

#include <algorithm>

#include "editor/text_control.h"
#include "editor/veskhtml_view.h"
#include "platform/dialog_seam.h"
#include "tags/dialog_fields.h"
#include "tags/form_dialogs.h"
#include "tags/select_batch_dialog.h"

namespace vesk {

namespace {

TagTexts Opening(std::string opening) {
    TagTexts texts;
    texts.opening = std::move(opening);
    return texts;
}

// Shows the dialog; once it is confirmed data takes its fields.
template <typename Dialog, typename Data>
bool Confirm(Dialog& dialog, Data& data) {
    if (RunDialog(dialog) != QDialog::Accepted)
        return false;
    data = dialog.Data();
    return true;
}

bool HasSelection(CVeskHtmlView& view) {
    int start = 0, end = 0;
    view.Control().GetSel(start, end);
    return start != end;
}

// Edit mode of a writer with content: the start tag, and the content when
// Edit tag gave its range.
void RewriteWithContent(CVeskHtmlView& view, const CTagScanner& scanner, std::string opening,
                        std::string content, int contentEnd) {
    TagRewrite rewrite;
    rewrite.opening = std::move(opening);
    if (contentEnd >= 0) {
        rewrite.content = std::move(content);
        rewrite.first = scanner.start;
        rewrite.last = contentEnd;
    }
    RewriteTag(view, scanner, rewrite);
}

// A start tag followed by a text typed in the dialog.
void WriteLabelled(CVeskHtmlView& view, int mode, const CTagScanner& scanner, std::string opening,
                   const std::string& label, int contentEnd) {
    if (mode == kWriterEdit) {
        RewriteWithContent(view, scanner, std::move(opening), label, contentEnd);
        return;
    }
    InsertTextPieces(view, {{opening + ">", true}, {label, false}});
}

}  // namespace

void InsertTextPieces(CVeskHtmlView& view, const TextPieces& pieces, int caretBeforeEnd) {
    const std::string text = JoinTextPieces(pieces, view.Snapshot().sizeLower);
    const int length = static_cast<int>(text.size());
    view.InsertBehindSelection(text, length - std::clamp(caretBeforeEnd, 0, length));
}

bool WriteForm(CVeskHtmlView& view, FormData& data, int mode, const CTagScanner& scanner) {
    CFormDlg dialog(data, &view);
    return RunDataWriter(view, dialog, data, mode, scanner, WriterPattern::kWrapping, FormTexts);
}

bool WriteTextInput(CVeskHtmlView& view, TextInputData& data, int mode,
                    const CTagScanner& scanner) {
    CTextInputDlg dialog(data, &view);
    return RunDataWriter(view, dialog, data, mode, scanner, WriterPattern::kInserting,
                         [](const TextInputData& d) { return Opening(TextInputOpening(d)); });
}

bool WriteButton(CVeskHtmlView& view, ButtonData& data, int mode, const CTagScanner& scanner) {
    CButtonDlg dialog(data, &view);
    return RunDataWriter(view, dialog, data, mode, scanner, WriterPattern::kInserting,
                         [](const ButtonData& d) { return Opening(ButtonOpening(d)); });
}

bool WriteHidden(CVeskHtmlView& view, HiddenData& data, int mode, const CTagScanner& scanner) {
    CHiddenDlg dialog(data, &view);
    return RunDataWriter(view, dialog, data, mode, scanner, WriterPattern::kInserting,
                         [](const HiddenData& d) { return Opening(HiddenOpening(d)); });
}

bool WriteSelect(CVeskHtmlView& view, SelectData& data, int mode, const CTagScanner& scanner) {
    CSelectDlg dialog(data, &view);
    return RunDataWriter(view, dialog, data, mode, scanner, WriterPattern::kWrapping, SelectTexts);
}

bool WriteCheckField(CVeskHtmlView& view, CheckFieldData& data, int mode,
                     const CTagScanner& scanner, int contentEnd) {
    CCheckFieldDlg dialog(data, &view);
    if (!Confirm(dialog, data))
        return false;
    WriteLabelled(view, mode, scanner, CheckFieldOpening(data), data.label, contentEnd);
    return true;
}

bool WriteOption(CVeskHtmlView& view, OptionData& data, int mode, const CTagScanner& scanner,
                 int contentEnd) {
    COptionDlg dialog(data, &view);
    if (!Confirm(dialog, data))
        return false;
    WriteLabelled(view, mode, scanner, OptionOpening(data), data.label, contentEnd);
    return true;
}

bool WriteTextArea(CVeskHtmlView& view, TextAreaData& data, int mode, const CTagScanner& scanner,
                   int contentEnd) {
    CTextAreaDlg dialog(data, &view);
    if (!Confirm(dialog, data))
        return false;
    const TagTexts texts = TextAreaTexts(data);
    const std::string content = TextAreaContent(data);
    if (mode == kWriterEdit) {
        // The closing tag stays where it is.
        RewriteWithContent(view, scanner, texts.opening, content, contentEnd);
        return true;
    }
    // With nothing selected the caret stays inside, behind the initial text.
    const int caretBeforeEnd = HasSelection(view) ? 0 : static_cast<int>(texts.closing.size());
    InsertTextPieces(view, {{texts.opening + ">", true}, {content, false}, {texts.closing, true}},
                     caretBeforeEnd);
    return true;
}

bool InsertSelectBatch(CVeskHtmlView& view, SelectBatchData& data) {
    CSelectBatchDlg dialog(data, &view);
    if (!Confirm(dialog, data))
        return false;
    InsertTextPieces(view, SelectBatchPieces(data, HasSelection(view)));
    return true;
}

bool InsertSelectBatch(CVeskHtmlView& view) {
    SelectBatchData data;
    return InsertSelectBatch(view, data);
}

void InstallFormTagCommands(CVeskHtmlView& view) {
    // Each command starts from a new dialog.
    AddDialogCommand(view, 32855, [](CVeskHtmlView& v) {
        FormData d;
        WriteForm(v, d, kWriterInsert, CTagScanner());
    });
    AddDialogCommand(view, 32856, [](CVeskHtmlView& v) {
        TextInputData d;
        WriteTextInput(v, d, kWriterInsert, CTagScanner());
    });
    AddDialogCommand(view, 32857, [](CVeskHtmlView& v) {
        TextAreaData d;
        WriteTextArea(v, d, kWriterInsert, CTagScanner());
    });
    AddDialogCommand(view, 32862, [](CVeskHtmlView& v) { InsertSelectBatch(v); });
    AddDialogCommand(view, 32896, [](CVeskHtmlView& v) {
        SelectData d;
        WriteSelect(v, d, kWriterInsert, CTagScanner());
    });
    AddDialogCommand(view, 32863, [](CVeskHtmlView& v) {
        OptionData d;
        WriteOption(v, d, kWriterInsert, CTagScanner());
    });
    AddDialogCommand(view, 32858, [](CVeskHtmlView& v) {
        CheckFieldData d;
        WriteCheckField(v, d, kWriterInsert, CTagScanner());
    });
    AddDialogCommand(view, 32867, [](CVeskHtmlView& v) {
        ButtonData d;
        WriteButton(v, d, kWriterInsert, CTagScanner());
    });
    AddDialogCommand(view, 32860, [](CVeskHtmlView& v) {
        HiddenData d;
        WriteHidden(v, d, kWriterInsert, CTagScanner());
    });
}

}  // namespace vesk
