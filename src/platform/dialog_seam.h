#pragma once
// Modal dialogs of the program run through here, so tests can fill in and
// confirm a dialog instead of a user.

#include <functional>

class QDialog;

namespace vesk {

// Runs the dialog modally (or through the script) and returns its result code.
int RunDialog(QDialog& dialog);

namespace dialog_seam {
using Script = std::function<int(QDialog&)>;
void SetScript(Script script);
void ClearScript();
}  // namespace dialog_seam

}  // namespace vesk
