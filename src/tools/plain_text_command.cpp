#include "tools/plain_text_command.h"

#include <string>

#include "core/command_ids.h"
#include "editor/text_control.h"
#include "editor/undo_journal.h"
#include "editor/veskhtml_view.h"
#include "platform/dialog_seam.h"
#include "tools/plain_text.h"
#include "tools/plain_text_dialog.h"

namespace {

void ConvertViewToPlainText(CVeskHtmlView& view) {
    CPlainTextDialog dialog(&view);
    if (vesk::RunDialog(dialog) != QDialog::Accepted)
        return;
    const int options = dialog.Options();

    CTextControl& control = view.Control();
    CTextControl::FreezePainting freeze(control);
    const int firstVisible = control.FirstVisibleLine();
    int start = 0;
    int end = 0;
    control.GetSel(start, end);
    if (start == end) {
        start = 0;
        end = control.TextLength();
        control.SetSel(start, end);
    }
    view.Journal().AddStep(0, kUndoNoChange, false);
    const std::string converted =
        vesk::ConvertToPlainText(control.WholeTextView().substr(start, end - start), options);
    control.ReplaceSel(converted);
    // Only the replaced range is recoloured; for the whole document it starts at 0.
    view.RecolourPasted(start, static_cast<int>(converted.size()));
    control.SetSel(start, start);
    control.LineScroll(firstVisible - control.FirstVisibleLine());
    view.Journal().AddStep(0, kUndoPaste, false);
    CPlainTextDialog::StoreOptions(options);
    emit view.StatusChanged();
}

}  // namespace

void InstallPlainTextCommand(CVeskHtmlView& view, CAppSettings& /*settings*/) {
    view.AddCommand(
        cmd::kToPlainText, [&view] { ConvertViewToPlainText(view); },
        [&view](CommandState& state) { state.enabled = view.Control().TextLength() > 0; });
}
