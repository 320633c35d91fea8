#pragma once
// The colour code commands: copy the colour code at the caret, and put the
// copied code over another one.

#include <QDialog>

#include "tags/colour_fields.h"

class CVeskHtmlView;

namespace vesk {

namespace colour_code_texts {
inline constexpr char kDialogCaption[] = "カラーコードのコピー";
inline constexpr char kCopied[] = "カラーコードをクリップボードにコピーしました";
inline constexpr char kOkTip[] = "[ Enter ] キーを押すとこのダイアログを閉じることができます";
}  // namespace colour_code_texts

// Fills the view's colour record from the caret (kind 0 when a code is found).
void RefreshColourAtCaret(CVeskHtmlView& view);

// "カラーコードのコピー": the code drawn on its own colour.
class CColourCopyDlg : public QDialog {
    Q_OBJECT
  public:
    CColourCopyDlg(const QString& code, RgbColour colour, QWidget* parent = nullptr);
    // White on dark colours, black on light ones.
    static bool WhiteText(RgbColour colour);
};

// Commands 32968 (copy) and 32969 (swap) with their update handlers.
void InstallColourCodeCommands(CVeskHtmlView& view);

}  // namespace vesk
