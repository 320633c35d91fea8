// The colour code at the caret, and the copy and swap commands on a real view.

#include "tools/colour_code.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>

#include "core/app_settings.h"
#include "editor/text_control.h"
#include "editor/veskhtml_doc.h"
#include "editor/veskhtml_view.h"
#include "platform/dialog_seam.h"
#include "support/seams.h"
#include "tagedit/tag_at_caret.h"
#include "tools/colour_code_commands.h"

namespace {

using namespace vesk;

// The code found with the caret at the "@" of text (removed).
std::string CodeAt(std::string text) {
    const std::size_t at = text.find('@');
    text.erase(at, 1);
    return FindColourAtCaret(text, static_cast<int>(at)).code;
}

TEST(ColourAtCaretTest, CodesUpToRightBehindThemAndNamesInsideValues) {
    EXPECT_EQ(CodeAt("<FONT COLOR=\"#FF0000@\">"), "#FF0000");
    EXPECT_EQ(CodeAt("<FONT COLOR=\"#@ff00cc\">"), "#ff00cc");
    EXPECT_EQ(CodeAt("<BODY BGCOLOR=#00ff00@>"), "#00ff00");
    // Seven characters between the "#" and the caret: too far.
    EXPECT_EQ(CodeAt("<FONT COLOR=\"#FF0000\"@>"), "");
    EXPECT_EQ(CodeAt("<FONT COLOR=\"#FF00G0@\">"), "");
    EXPECT_EQ(CodeAt("<A HREF=\"#to@p\">"), "");
    EXPECT_EQ(CodeAt("#FF0@"), "");  // cut short at the end of the text

    EXPECT_EQ(CodeAt("<FONT COLOR=\"na@vy\">"), "navy");
    EXPECT_EQ(CodeAt("<FONT COLOR=navy@ SIZE=2>"), "navy");
    EXPECT_EQ(CodeAt("<FONT COLOR= te@al>"), "teal");
    EXPECT_EQ(CodeAt("<FONT COLOR=\"Na@vy\">"), "");
    EXPECT_EQ(CodeAt("<IMG SRC=\"red.g@if\">"), "");
    EXPECT_EQ(CodeAt("plain red@ text"), "");

    const ColourAtCaretResult found = FindColourAtCaret("<B COLOR=\"lime\">", 12);
    EXPECT_EQ(found.first, 10);
    EXPECT_EQ(found.last, 13);
    EXPECT_EQ(found.colour, (RgbColour{0, 0xFF, 0}));
}

class ColourCommandTest : public ::testing::Test {
  protected:
    ColourCommandTest() : view(settings, &doc) {
        CVeskHtmlView::caretRecordsRefresher = [](CVeskHtmlView& v) {
            RefreshTagAtCaret(v);
            RefreshColourAtCaret(v);
        };
        InstallColourCodeCommands(view);
        settings.colourCopied = false;
        dialog_seam::SetScript([this](QDialog& dialog) {
            shown.push_back(dialog.windowTitle());
            // The panel is painted in the copied colour.
            const QImage picture = dialog.grab().toImage();
            painted = picture.pixelColor(picture.width() / 2, picture.height() / 2 - 4);
            return static_cast<int>(QDialog::Accepted);
        });
    }
    ~ColourCommandTest() override {
        CVeskHtmlView::caretRecordsRefresher = nullptr;
        test::InstallNonBlockingSeams();
    }
    void Caret(std::string text) {
        const std::size_t at = text.find('@');
        text.erase(at, 1);
        view.SetText(text);
        view.Control().SetSel(static_cast<int>(at), static_cast<int>(at));
        view.RefreshCaretContextAsClick();
    }
    bool Enabled(int id) {
        CommandState state;
        view.UpdateCommand(id, state);
        return state.enabled;
    }

    CAppSettings settings;
    CVeskHtmlDoc doc;
    CVeskHtmlView view;
    std::vector<QString> shown;
    QColor painted;
};

TEST_F(ColourCommandTest, CopyPutsTheCodeOnTheClipboardAndSwapPastesItOverAnother) {
    Caret("<A HREF=\"#x\"><FONT COLOR=\"#FF0000@\">a</FONT><FONT COLOR=\"navy\">b</FONT>");
    EXPECT_TRUE(Enabled(32968));
    EXPECT_FALSE(Enabled(32969));  // nothing copied yet
    EXPECT_TRUE(view.ExecuteCommand(32968));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "#FF0000");
    EXPECT_EQ(shown, std::vector<QString>{"カラーコードのコピー"});
    EXPECT_EQ(painted, QColor(255, 0, 0));
    EXPECT_TRUE(settings.colourCopied);

    const std::string text = view.Control().WholeText();
    const int navy = static_cast<int>(text.find("navy")) + 2;
    view.Control().SetSel(navy, navy);
    view.RefreshCaretContextAsClick();
    ASSERT_TRUE(Enabled(32969));
    view.ExecuteCommand(32969);
    EXPECT_EQ(view.Control().WholeText(),
              "<A HREF=\"#x\"><FONT COLOR=\"#FF0000\">a</FONT><FONT COLOR=\"#FF0000\">b</FONT>");
    view.OnEditUndo();
    EXPECT_EQ(view.Control().WholeText(), text);

    // An ordinary copy ends what the colour copy put on the clipboard.
    view.OnEditCopy();
    view.RefreshCaretContextAsClick();
    EXPECT_FALSE(Enabled(32969));
}

TEST_F(ColourCommandTest, BothNeedACodeInsideATagAndTheDialogFollowsItsSetting) {
    settings.colourCopied = true;
    for (const char* page :
         {"red #FF0000@ text", "<IMG SRC=\"a.gif@\">", "<FONT COLOR=\"#FF0000\"@>"}) {
        Caret(page);
        EXPECT_FALSE(Enabled(32968)) << page;
        EXPECT_FALSE(Enabled(32969)) << page;
    }
    settings.general.colorCopyDlgShowHide = 0;
    view.RefreshSettings();
    Caret("<BODY TEXT=\"wh@ite\">");
    view.ExecuteCommand(32968);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "white");
    EXPECT_TRUE(shown.empty());
}

TEST(ColourCopyDialogTest, TextIsWhiteOnDarkColoursOnly) {
    EXPECT_TRUE(CColourCopyDlg::WhiteText({127, 128, 128}));
    EXPECT_FALSE(CColourCopyDlg::WhiteText({128, 128, 128}));
}

}  // namespace
