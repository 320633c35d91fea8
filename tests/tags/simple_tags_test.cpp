// The simple tag commands on a real view.

#include "tags/simple_tags.h"

#include <gtest/gtest.h>

#include "core/app_settings.h"
#include "editor/text_control.h"
#include "editor/veskhtml_doc.h"
#include "editor/veskhtml_view.h"
#include "tools/conversion_commands.h"

namespace {

class SimpleTagsTest : public ::testing::Test {
  protected:
    SimpleTagsTest() : view(settings, &doc) {
        InstallTagCaseConversion();
        InstallSimpleTagCommands(view);
    }
    void Lower(bool lower) {
        settings.general.sizeLower = lower ? 1 : 0;
        view.RefreshSettings();
    }
    // Runs a command on "x[abc]y" with the given selection inside "abc" (or none).
    std::string Run(int id, bool select) {
        view.SetText("xabcy");
        view.Control().SetSel(select ? 1 : 4, 4);
        view.RefreshCaretContextAsClick();
        EXPECT_TRUE(view.ExecuteCommand(id));
        return view.Control().WholeText();
    }
    std::pair<int, int> Selection() {
        int s = 0, e = 0;
        view.Control().GetSel(s, e);
        return {s, e};
    }

    CAppSettings settings;
    CVeskHtmlDoc doc;
    CVeskHtmlView view;
};

TEST_F(SimpleTagsTest, EveryCommandKeepsTheSelectionAndPlacesTheCaret) {
    for (const SimpleTagCommand& c : SimpleTagCommands()) {
        SCOPED_TRACE(c.id);
        const std::string open(c.open), close(c.close);
        const bool insert = c.operation == SimpleTagCommand::kInsert;
        // With "abc" selected: kept, and the caret behind all that was added.
        std::string text = Run(c.id, true);
        if (insert) {
            EXPECT_EQ(text, "xabc" + open + "y");
        } else {
            EXPECT_EQ(text, "x" + open + "abc" + close + "y");
        }
        const int behind = static_cast<int>(text.size()) - 1;
        EXPECT_EQ(Selection(), std::make_pair(behind, behind));
        // With no selection: a wrap leaves the caret between its two texts.
        text = Run(c.id, false);
        const int caret = 4 + static_cast<int>(open.size());
        EXPECT_EQ(Selection(), std::make_pair(caret, caret));
        EXPECT_EQ(text, "xabc" + open + (insert ? "" : close) + "y");
        // One undo step takes it all back.
        view.OnEditUndo();
        EXPECT_EQ(view.Control().WholeText(), "xabcy");
    }
}

TEST_F(SimpleTagsTest, LowerCaseChangesNamesOnly) {
    Lower(true);
    EXPECT_EQ(Run(32796, false), "xabc<b></b>y");
    EXPECT_EQ(Run(32883, true), "x<p align=\"center\">abc</p>y");
    EXPECT_EQ(Run(32872, true), "x<!-- abc -->y");  // comments are left alone
    EXPECT_EQ(Run(32805, true), "x&#060;abc&#062;y");
    Lower(false);
    EXPECT_EQ(Run(32883, true), "x<P ALIGN=\"center\">abc</P>y");  // the value stays as it is
}

TEST_F(SimpleTagsTest, OmittedParagraphEndInsertsTheOpeningOnly) {
    settings.general.omitTagP = 1;
    view.RefreshSettings();
    EXPECT_EQ(Run(32777, true), "xabc<P>y");
    EXPECT_EQ(Run(32884, false), "xabc<P ALIGN=\"right\">y");
}

TEST_F(SimpleTagsTest, PreLeavesTheCaretOnTheEmptyLine) {
    EXPECT_EQ(Run(32779, false), "xabc<PRE>\r\n\r\n</PRE>y");
    EXPECT_EQ(Selection(), std::make_pair(11, 11));
    EXPECT_EQ(view.Control().CurrentLine(), 1);
}

TEST_F(SimpleTagsTest, InsertedTagsAreColouredAndTypingGoesOnPlain) {
    Run(32796, false);  // "xabc<B></B>y", caret between the tags
    EXPECT_EQ(view.Control().StyleAt(4), 1);
    EXPECT_EQ(view.Control().StyleAt(10), 1);
    EXPECT_EQ(view.Control().StyleAt(11), 0);
}

// That every other menu command reaches the view is checked with the whole
// application.
TEST_F(SimpleTagsTest, MenusAreWellFormedAndHoldEverySimpleCommand) {
    int commands = 0;
    for (const TagMenu& menu : TagMenus()) {
        int depth = 0;
        for (const TagMenuItem& item : menu.items) {
            if (item.id == TagMenuItem::kSubmenu)
                ++depth;
            if (item.id == TagMenuItem::kEndSubmenu)
                --depth;
            if (item.id > 0 && FindSimpleTagCommand(item.id))
                ++commands;
            EXPECT_GE(depth, 0);
        }
        EXPECT_EQ(depth, 0) << menu.title;
    }
    // Every simple command stands in a menu (the list item twice).
    EXPECT_EQ(commands, static_cast<int>(SimpleTagCommands().size()) + 1);
}

}  // namespace
