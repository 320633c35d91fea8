// Sizes of docked bars and the accelerator texts of menu items.

#include <gtest/gtest.h>

#include "framework/menu_decoration.h"
#include "framework/sizing_bar_state.h"
#include "platform/settings_store.h"
#include "support/test_env.h"

namespace {

TEST(MenuDecoration, AcceleratorTextComesFromTheKeysNotFromTheLabel) {
    EXPECT_EQ(DecoratedMenuText("検索 (&F)...\tCtrl + F", {QKeySequence("Ctrl+F")}),
              "検索 (&F)...\tCtrl+F");
    // Several accelerators, modifiers in the order Alt, Ctrl, Shift.
    EXPECT_EQ(AcceleratorText({QKeySequence("Ctrl+X"), QKeySequence("Shift+Del")}),
              "Ctrl+X, Shift+Del");
    EXPECT_EQ(AcceleratorText({QKeySequence("Ctrl+Alt+Shift+K")}), "Alt+Ctrl+Shift+K");
    EXPECT_EQ(AcceleratorText({QKeySequence("F4")}), "F4");
    // Without accelerators the label loses what stood after its tab.
    EXPECT_EQ(DecoratedMenuText("閉じる (&C)\tCtrl + W", {}), "閉じる (&C)");
}

class SizingBarStateTest : public ::testing::Test {
  protected:
    SizingBarStateTest() { vesk::test::ClearSettings(); }
    ISettingsStore& store = AppStore();
    const SizingBarSizes current{{300, 40}, {200, 500}, {250, 300}};
};

TEST_F(SizingBarStateTest, SavedSizesComeBack) {
    const SizingBarSizes saved{{640, 60}, {180, 700}, {320, 240}};
    SaveSizingBarSizes(store, "FlameState", 119, saved);
    EXPECT_EQ(store.GetProfileInt("FlameState-SCBar-119", "sizeVertCX", 0), 180);
    EXPECT_EQ(LoadSizingBarSizes(store, "FlameState", 119, current, QSize(120, 30)), saved);
    // Another bar keeps its own section.
    EXPECT_EQ(LoadSizingBarSizes(store, "FlameState", 124, current, QSize(120, 30)), current);
}

TEST_F(SizingBarStateTest, ValuesBelowTheMinimumKeepTheCurrentSize) {
    SaveSizingBarSizes(store, "FlameState", 119, {{50, 20}, {60, 700}, {119, 29}});
    const SizingBarSizes loaded =
        LoadSizingBarSizes(store, "FlameState", 119, current, QSize(120, 30));
    EXPECT_EQ(loaded.horz, QSize(300, 40));
    EXPECT_EQ(loaded.vert, QSize(200, 700));  // width too narrow, height fine
    EXPECT_EQ(loaded.floating, QSize(250, 300));
}

}  // namespace
