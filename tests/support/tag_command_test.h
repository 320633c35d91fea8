#pragma once
// Running tag commands on a real view in tests: the dialog a command opens is
// answered by a script, and the text, caret and selection are read back.

#include <gtest/gtest.h>

#include <QDialog>
#include <functional>
#include <string>
#include <string_view>

#include "core/app_settings.h"
#include "editor/text_control.h"
#include "editor/veskhtml_doc.h"
#include "editor/veskhtml_view.h"
#include "platform/dialog_seam.h"
#include "support/seams.h"
#include "support/test_env.h"
#include "tools/conversion_commands.h"

namespace vesk::test {

// The next dialog must be a Dialog: fill sets its fields as a user would,
// then it is confirmed (or cancelled).
template <typename Dialog>
void Answer(std::function<void(Dialog&)> fill, bool confirm = true) {
    dialog_seam::SetScript([fill, confirm](QDialog& dialog) {
        auto* typed = dynamic_cast<Dialog*>(&dialog);
        EXPECT_NE(typed, nullptr) << "another dialog opened";
        if (!typed)
            return static_cast<int>(QDialog::Rejected);
        fill(*typed);
        return static_cast<int>(confirm ? QDialog::Accepted : QDialog::Rejected);
    });
}

// A view with the tag case installed; the derived fixture installs its commands.
class TagCommandTest : public ::testing::Test {
  protected:
    TagCommandTest() : view(settings, &doc) {
        ClearSettings();
        InstallTagCaseConversion();
    }
    ~TagCommandTest() override { InstallNonBlockingSeams(); }

    void Lower(bool lower) {
        settings.general.sizeLower = lower ? 1 : 0;
        view.RefreshSettings();
    }
    // Runs a command on "x" + selected + "y" with selected selected.
    std::string Run(int id, std::string_view selected = "") {
        view.SetText("x" + std::string(selected) + "y");
        view.Control().SetSel(1, 1 + static_cast<int>(selected.size()));
        view.RefreshCaretContextAsClick();
        EXPECT_TRUE(view.ExecuteCommand(id));
        return view.Control().WholeText();
    }
    int Caret() {
        int s = 0, e = 0;
        view.Control().GetSel(s, e);
        EXPECT_EQ(s, e) << "nothing stays selected";
        return e;
    }
    int Find(std::string_view what) {
        return static_cast<int>(view.Control().WholeText().find(what));
    }

    CAppSettings settings;
    CVeskHtmlDoc doc;
    CVeskHtmlView view;
};

}  // namespace vesk::test
