// Toolbar button sets and the stored button layouts.

#include "core/toolbar_layouts.h"

#include <gtest/gtest.h>

#include <QSettings>
#include <QString>
#include <set>
#include <string>

#include "platform/settings_store.h"
#include "support/test_env.h"

namespace {

constexpr ToolbarId kAllBars[] = {kToolbarMain,  kToolbarText,  kToolbarChar,   kToolbarPage,
                                  kToolbarFrame, kToolbarTools, kToolbarWindow, kToolbarHtmlTools};

const char* const kSection = "ToolButonSetting";

// --- Button sets ----------------------------------------------------------------

TEST(ToolbarButtonSetTest, SetsHaveTheirSizesAndBitmaps) {
    const size_t sizes[] = {14, 12, 5, 22, 4, 4, 4, 4};
    const int bitmaps[] = {128, 135, 187, 190, 192, 194, 109, 204};
    for (ToolbarId bar : kAllBars) {
        SCOPED_TRACE(bar);
        EXPECT_EQ(ToolbarButtonSet(bar).size(), sizes[bar]);
        EXPECT_EQ(ToolbarResourceId(bar), bitmaps[bar]);
    }
}

TEST(ToolbarButtonSetTest, NamesBeginWithOneBlankAndCommandsAreDistinct) {
    std::set<int> commands;
    for (ToolbarId bar : kAllBars) {
        for (const ToolbarButtonEntry& entry : ToolbarButtonSet(bar)) {
            const std::string name = entry.name;
            SCOPED_TRACE(name);
            ASSERT_GE(name.size(), 2u);
            EXPECT_EQ(name[0], ' ');
            EXPECT_NE(name[1], ' ');
            EXPECT_TRUE(commands.insert(entry.commandId).second) << entry.commandId;
        }
    }
}

TEST(ToolbarButtonSetTest, NamesUseHalfWidthKatakana) {
    auto entry = [](ToolbarId bar, size_t index) { return ToolbarButtonSet(bar)[index]; };
    EXPECT_EQ(entry(kToolbarMain, 7).commandId, 57634);
    EXPECT_STREQ(entry(kToolbarMain, 7).name, " ｺﾋﾟｰ");
    EXPECT_EQ(entry(kToolbarWindow, 1).commandId, 32784);
    EXPECT_STREQ(entry(kToolbarWindow, 1).name, " VeskViewを表示");

    // No full-width katakana anywhere: every katakana of the names is half-width.
    for (ToolbarId bar : kAllBars) {
        for (const ToolbarButtonEntry& e : ToolbarButtonSet(bar)) {
            for (QChar c : QString::fromUtf8(e.name)) {
                EXPECT_FALSE(c.unicode() >= 0x30A1 && c.unicode() <= 0x30FC) << e.name;
            }
        }
    }
}

TEST(ToolbarButtonSetTest, DefaultLayoutsUseEveryButtonOnce) {
    for (ToolbarId bar : kAllBars) {
        SCOPED_TRACE(bar);
        std::set<int> used;
        for (int entry : DefaultButtonLayout(bar)) {
            if (entry == -1)
                continue;
            EXPECT_TRUE(used.insert(entry).second) << entry;
        }
        EXPECT_EQ(used.size(), ToolbarButtonSet(bar).size());
        EXPECT_EQ(*used.rbegin(), static_cast<int>(ToolbarButtonSet(bar).size()) - 1);
    }
}

// --- Stored layouts -------------------------------------------------------------

class ButtonLayoutStoreTest : public ::testing::Test {
  protected:
    void SetUp() override { vesk::test::ClearSettings(); }
    ISettingsStore& store = AppStore();
};

TEST_F(ButtonLayoutStoreTest, FirstStartGivesTheDefaults) {
    EXPECT_EQ(LoadButtonLayouts(store), DefaultButtonLayouts());
    EXPECT_FALSE(store.HasEntry(kSection, "ButtonSettings"));
}

TEST_F(ButtonLayoutStoreTest, SavedLayoutsLoadBack) {
    ButtonLayouts layouts = DefaultButtonLayouts();
    layouts[kToolbarMain] = {13, 12, -1, -1, 0};
    layouts[kToolbarPage] = {21};
    layouts[kToolbarHtmlTools] = {3, 2, 1, 0};
    SaveButtonLayouts(store, layouts);

    EXPECT_EQ(store.GetProfileInt(kSection, "ButtonSettings", 0), 1);
    EXPECT_EQ(store.GetProfileInt(kSection, "n_MainButton", 0), 5);
    EXPECT_EQ(store.GetProfileInt(kSection, "MainButton#2", 0), -1);
    EXPECT_EQ(store.GetProfileInt(kSection, "HTMLToolButton#0", 0), 3);
    EXPECT_EQ(LoadButtonLayouts(*MakeQtSettingsStore()), layouts);
}

TEST_F(ButtonLayoutStoreTest, AnEmptyLayoutStaysEmpty) {
    ButtonLayouts layouts = DefaultButtonLayouts();
    layouts[kToolbarText].clear();
    SaveButtonLayouts(store, layouts);
    EXPECT_EQ(store.GetProfileInt(kSection, "n_TextButton", -1), 0);

    const ButtonLayouts loaded = LoadButtonLayouts(store);
    EXPECT_TRUE(loaded[kToolbarText].empty());
    EXPECT_EQ(loaded[kToolbarMain], DefaultButtonLayout(kToolbarMain));
}

TEST_F(ButtonLayoutStoreTest, WithoutButtonSettingsEveryBarTakesItsDefault) {
    ButtonLayouts layouts;  // all empty
    SaveButtonLayouts(store, layouts);
    QSettings("Brindlework", "VeskHtml").remove("ToolButonSetting/ButtonSettings");
    EXPECT_EQ(LoadButtonLayouts(store), DefaultButtonLayouts());

    store.WriteProfileInt(kSection, "ButtonSettings", 2);
    EXPECT_EQ(LoadButtonLayouts(store), DefaultButtonLayouts());
}

TEST_F(ButtonLayoutStoreTest, ACountOfMinusOneGivesThatBarItsDefault) {
    ButtonLayouts layouts;  // all empty
    SaveButtonLayouts(store, layouts);
    store.WriteProfileInt(kSection, "n_FrameButton", -1);

    ButtonLayouts expected;
    expected[kToolbarFrame] = DefaultButtonLayout(kToolbarFrame);
    EXPECT_EQ(LoadButtonLayouts(store), expected);

    // A missing count means the same.
    QSettings("Brindlework", "VeskHtml").remove("ToolButonSetting/n_WindowButton");
    expected[kToolbarWindow] = DefaultButtonLayout(kToolbarWindow);
    EXPECT_EQ(LoadButtonLayouts(store), expected);
}

TEST_F(ButtonLayoutStoreTest, SavingDropsEntriesOfAnEarlierLongerLayout) {
    ButtonLayouts layouts = DefaultButtonLayouts();
    SaveButtonLayouts(store, layouts);
    store.WriteProfileInt(kSection, "Unrelated", 5);
    ASSERT_TRUE(store.HasEntry(kSection, "PageButton#26"));

    layouts[kToolbarPage] = {0};
    SaveButtonLayouts(store, layouts);
    EXPECT_FALSE(store.HasEntry(kSection, "PageButton#1"));
    EXPECT_FALSE(store.HasEntry(kSection, "PageButton#26"));
    EXPECT_FALSE(store.HasEntry(kSection, "Unrelated"));
    EXPECT_EQ(LoadButtonLayouts(store)[kToolbarPage], ButtonLayout{0});
}

TEST_F(ButtonLayoutStoreTest, DamagedEntriesEndTheLayout) {
    ButtonLayouts layouts;
    layouts[kToolbarTools] = {0, 1, 2, 3};
    layouts[kToolbarChar] = {0, -1, 1};
    SaveButtonLayouts(store, layouts);

    // An index past the bar's button set.
    store.WriteProfileInt(kSection, "ToolButton#2", 4);
    // A count larger than the entries stored.
    store.WriteProfileInt(kSection, "n_CharButton", 1000000);

    const ButtonLayouts loaded = LoadButtonLayouts(store);
    EXPECT_EQ(loaded[kToolbarTools], (ButtonLayout{0, 1}));
    EXPECT_EQ(loaded[kToolbarChar], (ButtonLayout{0, -1, 1}));
}

}  // namespace
