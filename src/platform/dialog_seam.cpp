#include "platform/dialog_seam.h"

#include <QDialog>

namespace vesk {

namespace {
dialog_seam::Script& CurrentScript() {
    static dialog_seam::Script script;
    return script;
}
}  // namespace

namespace dialog_seam {
void SetScript(Script script) {
    CurrentScript() = std::move(script);
}
void ClearScript() {
    CurrentScript() = nullptr;
}
}  // namespace dialog_seam

int RunDialog(QDialog& dialog) {
    if (CurrentScript())
        return CurrentScript()(dialog);
    return dialog.exec();
}

}  // namespace vesk
