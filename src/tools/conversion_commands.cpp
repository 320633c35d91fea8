#include "tools/conversion_commands.h"

#include <string>

#include "core/command_ids.h"
#include "editor/text_control.h"
#include "editor/undo_journal.h"
#include "editor/veskhtml_view.h"
#include "platform/dialog_seam.h"
#include "tools/escape_dialog.h"

namespace {

// Puts the view back to the line it showed before a conversion.
void ScrollBack(CTextControl& control, int firstVisible) {
    control.LineScroll(firstVisible - control.FirstVisibleLine());
}

int Length(const std::string& text) {
    return static_cast<int>(text.size());
}

}  // namespace

void RunTagCaseConversion(CVeskHtmlView& view, vesk::TagCase tagCase) {
    CTextControl& control = view.Control();
    if (control.TextLength() == 0)
        return;
    CTextControl::FreezePainting freeze(control);
    const int firstVisible = control.FirstVisibleLine();
    int selStart = 0, selEnd = 0;
    control.GetSel(selStart, selEnd);
    int start = selStart, end = selEnd;
    if (start == end) {
        start = 0;
        end = control.TextLength();
    }
    // The range is selected before the report, so that the undo step covers it.
    control.SetSel(start, end);
    view.Journal().AddStep(0, kUndoNoChange, false);

    const std::string converted = vesk::ConvertTagCase(control.SelectedText(), tagCase);
    control.ReplaceSel(converted);
    view.RecolourPasted(start, Length(converted));
    control.SetSel(selStart, selEnd);
    ScrollBack(control, firstVisible);
    view.Journal().AddStep(0, tagCase == vesk::TagCase::kUpper ? kUndoUpper : kUndoLower, false);
    emit view.StatusChanged();
}

void RunBreaksToBr(CVeskHtmlView& view) {
    CTextControl& control = view.Control();
    if (control.TextLength() == 0)
        return;
    CTextControl::FreezePainting freeze(control);
    const int firstVisible = control.FirstVisibleLine();
    int start = 0, end = 0;
    control.GetSel(start, end);
    const bool whole = start == end;
    if (whole) {
        start = 0;
        end = control.TextLength();
        control.SetSel(start, end);
    }
    view.Journal().AddStep(0, kUndoNoChange, false);

    const vesk::TagCase tagCase =
        view.Snapshot().sizeLower == 0 ? vesk::TagCase::kUpper : vesk::TagCase::kLower;
    const std::string converted = vesk::BreaksToBr(control.SelectedText(), tagCase);
    control.ReplaceSel(converted);
    if (whole) {
        view.ColourRange(control.WholeTextView(), 0, -1);
    } else {
        view.RecolourPasted(start, Length(converted));
    }
    control.SetSel(start, start);
    ScrollBack(control, firstVisible);
    view.Journal().AddStep(0, kUndoPaste, false);
    emit view.StatusChanged();
}

void RunEscapeConversion(CVeskHtmlView& view) {
    CTextControl& control = view.Control();
    int start = 0, end = 0;
    control.GetSel(start, end);
    if (start == end)
        return;

    CEscapeDialog dialog(&view);
    dialog.SetOptions(UnpackOptionBits(ReadEscapeOptions(), vesk::kEscapeOptionCount));
    if (vesk::RunDialog(dialog) != QDialog::Accepted)
        return;

    CTextControl::FreezePainting freeze(control);
    const int options = dialog.OptionBits();
    const int firstVisible = control.FirstVisibleLine();
    view.Journal().AddStep(0, kUndoNoChange, false);

    const std::string converted = vesk::EscapeText(control.SelectedText(), options);
    control.ReplaceSel(converted);
    view.RecolourPasted(start, Length(converted));
    control.SetSel(start, start + Length(converted));
    ScrollBack(control, firstVisible);
    WriteEscapeOptions(options);
    view.Journal().AddStep(0, kUndoPaste, false);
    emit view.StatusChanged();
}

void RunRemoveTags(CVeskHtmlView& view) {
    CTextControl& control = view.Control();
    int start = 0, end = 0;
    control.GetSel(start, end);
    if (start == end)
        return;
    CTextControl::FreezePainting freeze(control);
    const int firstVisible = control.FirstVisibleLine();
    view.Journal().AddStep(0, kUndoNoChange, false);

    const std::string converted = vesk::RemoveTags(control.SelectedText());
    control.ReplaceSel(converted);
    view.RecolourPasted(start, Length(converted));
    control.SetSel(start, start);
    ScrollBack(control, firstVisible);
    view.Journal().AddStep(0, kUndoPaste, false);
    emit view.StatusChanged();
}

void InstallConversionCommands(CVeskHtmlView& view, CAppSettings& /*settings*/) {
    // The tag case of inserted BR tags follows the view's own copy of the
    // settings, as every other tag insertion of the view does.
    CTextControl& control = view.Control();
    auto hasText = [&control](CommandState& state) { state.enabled = control.TextLength() > 0; };
    auto hasSelection = [&control](CommandState& state) {
        int start = 0, end = 0;
        control.GetSel(start, end);
        state.enabled = start != end;
    };
    view.AddCommand(
        cmd::kTagLower, [&view] { RunTagCaseConversion(view, vesk::TagCase::kLower); }, hasText);
    view.AddCommand(
        cmd::kTagUpper, [&view] { RunTagCaseConversion(view, vesk::TagCase::kUpper); }, hasText);
    view.AddCommand(
        cmd::kBreaksToBr, [&view] { RunBreaksToBr(view); }, hasText);
    view.AddCommand(
        cmd::kEscapeConversion, [&view] { RunEscapeConversion(view); }, hasSelection);
    view.AddCommand(
        cmd::kRemoveTags, [&view] { RunRemoveTags(view); }, hasSelection);
}

void InstallTagCaseConversion() {
    CVeskHtmlView::tagCaseConversion = [](std::string_view text, int sizeLower) {
        return vesk::ApplyTagCaseSetting(text, sizeLower);
    };
}
