// The conversion commands on a real view: text, caret, undo and redo, the
// escape dialog and its stored switches.

#include "tools/conversion_commands.h"

#include <gtest/gtest.h>

#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "core/app_settings.h"
#include "core/command_ids.h"
#include "editor/text_control.h"
#include "editor/veskhtml_doc.h"
#include "editor/veskhtml_view.h"
#include "platform/dialog_seam.h"
#include "platform/settings_store.h"
#include "support/seams.h"
#include "support/test_env.h"
#include "tools/escape_dialog.h"

namespace {

using Selection = std::pair<int, int>;

class ConversionCommandsTest : public ::testing::Test {
  protected:
    ConversionCommandsTest() : view(settings, &doc) {
        vesk::test::ClearSettings();
        InstallConversionCommands(view, settings);
    }
    ~ConversionCommandsTest() override { vesk::test::InstallNonBlockingSeams(); }

    void Load(const std::string& text, int start, int end) {
        view.SetText(text);
        view.Control().SetSel(start, end);
        view.RefreshCaretContextAsClick();
    }
    std::string Text() { return view.Control().WholeText(); }
    Selection Sel() {
        int s = 0, e = 0;
        view.Control().GetSel(s, e);
        return {s, e};
    }
    bool Enabled(int id) {
        CommandState state;
        EXPECT_TRUE(view.UpdateCommand(id, state));
        return state.enabled;
    }
    // Runs a command and checks that one undo step gives back the text exactly
    // and one redo the converted text; returns the converted text. The selection
    // and the undo kind the command left are kept in selAfter and kindAfter.
    std::string RunUndoRedo(int id) {
        const std::string before = Text();
        const int steps = view.Journal().UndoCount();
        EXPECT_TRUE(view.ExecuteCommand(id));
        const std::string after = Text();
        selAfter = Sel();
        kindAfter = view.Journal().UndoList().front().kind;
        EXPECT_EQ(view.Journal().UndoCount(), steps + 1);
        view.OnEditUndo();
        EXPECT_EQ(Text(), before);
        view.OnEditRedo();
        EXPECT_EQ(Text(), after);
        return after;
    }
    // Checks the switches of the escape dialog as given and confirms (or cancels) it;
    // the switches it was opened with are kept in `shown`.
    void ScriptEscapeDialog(std::vector<int> flags, bool confirm) {
        vesk::dialog_seam::SetScript([this, flags, confirm](QDialog& dialog) {
            auto* list = dialog.findChild<QListWidget*>("escapeOptions");
            EXPECT_NE(list, nullptr);
            if (!list)
                return int(QDialog::Rejected);
            shown.clear();
            for (int i = 0; i < list->count(); ++i) {
                shown.push_back(list->item(i)->checkState() == Qt::Checked ? 1 : 0);
                list->item(i)->setCheckState(flags.at(i) ? Qt::Checked : Qt::Unchecked);
            }
            ++dialogsRun;
            return int(confirm ? QDialog::Accepted : QDialog::Rejected);
        });
    }
    int StoredEscapeOption() {
        return AppStore().GetProfileInt("EditorSettings", "ChngEscapeOption", -1);
    }

    CAppSettings settings;
    CVeskHtmlDoc doc;
    CVeskHtmlView view;
    std::vector<int> shown;
    int dialogsRun = 0;
    Selection selAfter;
    int kindAfter = kUndoSentinel;
};

TEST_F(ConversionCommandsTest, TagCaseOfTheWholeTextKeepsTheCaret) {
    const std::string text = "<TD WIDTH=\"Auto\" ALIGN=Left NOWRAP>表</TD>\r\n<!-- <B>x</B> -->";
    Load(text, 5, 5);
    EXPECT_EQ(RunUndoRedo(cmd::kTagLower),
              "<td width=\"Auto\" align=Left nowrap>表</td>\r\n<!-- <b>x</b> -->");
    EXPECT_EQ(kindAfter, kUndoLower);
    EXPECT_EQ(selAfter, Selection(5, 5));
}

TEST_F(ConversionCommandsTest, TagCaseOfASelectionOnly) {
    const std::string text = "<b>a</b><i>b</i><u>c</u>";
    Load(text, 8, 16);  // "<i>b</i>"
    EXPECT_EQ(RunUndoRedo(cmd::kTagUpper), "<b>a</b><I>b</I><u>c</u>");
    EXPECT_EQ(kindAfter, kUndoUpper);
    EXPECT_EQ(selAfter, Selection(8, 16));
    // Text without tags: nothing changes.
    Load("plain text", 0, 0);
    ASSERT_TRUE(view.ExecuteCommand(cmd::kTagUpper));
    EXPECT_EQ(Text(), "plain text");
}

TEST_F(ConversionCommandsTest, BreaksToBrFollowsTheTagCaseSetting) {
    Load("a\r\nb\r\nc", 3, 8);  // "b\r\nc"
    EXPECT_EQ(RunUndoRedo(cmd::kBreaksToBr), "a\r\nb<BR>\r\nc");
    EXPECT_EQ(kindAfter, kUndoPaste);
    EXPECT_EQ(selAfter, Selection(3, 3));

    // No selection: the whole text, the caret at its start.
    settings.general.sizeLower = 1;
    view.RefreshSettings();
    Load("a\r\nb\r\nc", 4, 4);
    ASSERT_TRUE(view.ExecuteCommand(cmd::kBreaksToBr));
    EXPECT_EQ(Text(), "a<br>\r\nb<br>\r\nc");
    EXPECT_EQ(Sel(), Selection(0, 0));
    // The new tags are coloured as tags.
    EXPECT_EQ(view.Control().StyleAt(1), CTextControl::kTag);
    EXPECT_EQ(view.Control().StyleAt(4), CTextControl::kTag);
    EXPECT_EQ(view.Control().StyleAt(7), CTextControl::kText);
}

TEST_F(ConversionCommandsTest, BreaksToBrWithoutBreaksIsStillOneStep) {
    Load("no breaks here", 0, 5);
    EXPECT_EQ(RunUndoRedo(cmd::kBreaksToBr), "no breaks here");
}

TEST_F(ConversionCommandsTest, EscapeConversionSelectsTheResultAndStoresTheSwitches) {
    Load("x a&<b> y", 2, 7);  // "a&<b>"
    ScriptEscapeDialog({1, 1, 1}, true);
    EXPECT_EQ(RunUndoRedo(cmd::kEscapeConversion), "x a&#038;&#060;b&#062; y");
    EXPECT_EQ(kindAfter, kUndoPaste);
    EXPECT_EQ(selAfter, Selection(2, 22));
    EXPECT_EQ(StoredEscapeOption(), 7);
    EXPECT_EQ(shown, std::vector<int>({0, 0, 0}));  // first use: nothing on

    // The dialog opens with the stored switches.
    Load("\"<q>\" & x", 0, 9);
    ScriptEscapeDialog({0, 1, 0}, true);
    ASSERT_TRUE(view.ExecuteCommand(cmd::kEscapeConversion));
    EXPECT_EQ(shown, std::vector<int>({1, 1, 1}));
    EXPECT_EQ(Text(), "&#034;<q>&#034; & x");
    EXPECT_EQ(Sel(), Selection(0, 19));
    EXPECT_EQ(StoredEscapeOption(), 2);
    // The tag the switches left alone is still coloured as one.
    EXPECT_EQ(view.Control().StyleAt(6), CTextControl::kTag);
}

TEST_F(ConversionCommandsTest, CancelledEscapeChangesNothing) {
    AppStore().WriteProfileInt("EditorSettings", "ChngEscapeOption", 5);
    Load("a<b>c", 0, 5);
    const int steps = view.Journal().UndoCount();
    ScriptEscapeDialog({1, 1, 1}, false);
    ASSERT_TRUE(view.ExecuteCommand(cmd::kEscapeConversion));
    EXPECT_EQ(dialogsRun, 1);
    EXPECT_EQ(shown, std::vector<int>({1, 0, 1}));
    EXPECT_EQ(Text(), "a<b>c");
    EXPECT_EQ(view.Journal().UndoCount(), steps);
    EXPECT_EQ(StoredEscapeOption(), 5);
}

TEST_F(ConversionCommandsTest, RemoveTagsPutsTheCaretAtTheStart) {
    const std::string text = "x<b>日本</b><!-- <i>c</i> -->y";
    const int end = static_cast<int>(text.size()) - 1;
    Load(text, 1, end);
    EXPECT_EQ(RunUndoRedo(cmd::kRemoveTags), "x日本<!-- c -->y");
    EXPECT_EQ(kindAfter, kUndoPaste);
    EXPECT_EQ(selAfter, Selection(1, 1));
    // An unclosed "<" stays with what follows it.
    Load("a<b>c<d", 0, 7);
    ASSERT_TRUE(view.ExecuteCommand(cmd::kRemoveTags));
    EXPECT_EQ(Text(), "ac<d");
}

TEST_F(ConversionCommandsTest, UpdateHandlersFollowTextAndSelection) {
    const int wholeText[] = {cmd::kTagLower, cmd::kTagUpper, cmd::kBreaksToBr};
    const int selectionOnly[] = {cmd::kEscapeConversion, cmd::kRemoveTags};
    Load("", 0, 0);
    for (int id : wholeText) EXPECT_FALSE(Enabled(id)) << id;
    for (int id : selectionOnly) EXPECT_FALSE(Enabled(id)) << id;
    Load("<b>x</b>", 2, 2);
    for (int id : wholeText) EXPECT_TRUE(Enabled(id)) << id;
    for (int id : selectionOnly) EXPECT_FALSE(Enabled(id)) << id;
    Load("<b>x</b>", 0, 3);
    for (int id : wholeText) EXPECT_TRUE(Enabled(id)) << id;
    for (int id : selectionOnly) EXPECT_TRUE(Enabled(id)) << id;
}

TEST_F(ConversionCommandsTest, TheViewDoesNotJump) {
    std::string text;
    for (int i = 0; i < 300; ++i) text += "<P>line " + std::to_string(i) + "</P>\r\n";
    view.resize(600, 300);
    view.show();
    for (int id : {cmd::kTagLower, cmd::kBreaksToBr}) {
        SCOPED_TRACE(id);
        Load(text, 0, 0);
        view.Control().LineScroll(120);
        const int first = view.Control().FirstVisibleLine();
        ASSERT_GT(first, 100);
        ASSERT_TRUE(view.ExecuteCommand(id));
        EXPECT_EQ(view.Control().FirstVisibleLine(), first);
    }
}

TEST_F(ConversionCommandsTest, InsertedTagsFollowSizeLower) {
    InstallTagCaseConversion();
    Load("ab", 1, 1);
    view.InsertAtCaret("<BR CLEAR=\"All\">");
    EXPECT_EQ(Text(), "a<BR CLEAR=\"All\">b");
    settings.general.sizeLower = 1;
    view.RefreshSettings();
    Load("ab", 1, 1);
    view.InsertAtCaret("<BR CLEAR=\"All\">");
    EXPECT_EQ(Text(), "a<br clear=\"All\">b");
}

TEST(EscapeDialogTest, TextsAndTheThreeItemRule) {
    CEscapeDialog dialog;
    EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("エスケープシーケンス変換"));
    ASSERT_EQ(dialog.optionList->count(), 3);
    EXPECT_EQ(dialog.optionList->item(0)->text(),
              QString::fromUtf8(" < > を &#060; &#062; に変換"));
    EXPECT_EQ(dialog.optionList->item(1)->text(), QString::fromUtf8(" \"　を &#034; に変換"));
    EXPECT_EQ(dialog.optionList->item(2)->text(), QString::fromUtf8(" & を &#038; に変換"));
    EXPECT_EQ(dialog.runButton->text(), QString::fromUtf8("実行"));
    EXPECT_EQ(dialog.cancelButton->text(), QString::fromUtf8("ｷｬﾝｾﾙ"));

    dialog.SetOptions({1, 0, 1});
    EXPECT_EQ(dialog.OptionBits(), 5);
    dialog.optionList->item(1)->setCheckState(Qt::Checked);
    EXPECT_EQ(dialog.OptionBits(), 7);
    // Space turns the switch that has the focus frame.
    QTest::keyClick(dialog.optionList, Qt::Key_Space);
    EXPECT_EQ(dialog.OptionBits(), 6);
    // A list that does not hold exactly its three items gives back what it was given.
    dialog.optionList->addItem("extra");
    EXPECT_EQ(dialog.Options(), std::vector<int>({1, 0, 1}));
}

}  // namespace
