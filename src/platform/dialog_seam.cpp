#include "platform/dialog_seam.h"

#include <QDialog>

namespace vesk {

int RunDialog(QDialog& dialog) {
    if (dialog_seam::Seam::Get())
        return dialog_seam::Seam::Get()(dialog);
    return dialog.exec();
}

}  // namespace vesk
