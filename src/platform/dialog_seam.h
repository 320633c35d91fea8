#pragma once
// Modal dialogs of the program run through here, so tests can fill in and
// confirm a dialog instead of a user.

#include <functional>

#include "platform/script_seam.h"

class QDialog;

namespace vesk {

// Runs the dialog modally (or through the script) and returns its result code.
int RunDialog(QDialog& dialog);

namespace dialog_seam {
using Seam = ScriptSeam<int(QDialog&)>;
using Script = Seam::Script;
inline void SetScript(Script script) {
    Seam::Set(std::move(script));
}
inline void ClearScript() {
    Seam::Clear();
}
}  // namespace dialog_seam

}  // namespace vesk
