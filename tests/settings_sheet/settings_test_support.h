#pragma once
// Answers every modal dialog with a function while alive.

#include <QDialog>
#include <functional>

#include "platform/dialog_seam.h"
#include "support/seams.h"

class DialogScript {
  public:
    explicit DialogScript(std::function<int(QDialog&)> answer) {
        vesk::dialog_seam::SetScript(std::move(answer));
    }
    ~DialogScript() { vesk::test::InstallNonBlockingSeams(); }
};
