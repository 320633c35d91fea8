// The toolbar page: editing the button layouts and the bar check boxes.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>

#include "settings_sheet/settings_toolbar_page.h"
#include "settings_test_support.h"

namespace {

using Layout = ButtonLayout;

TEST(ToolbarPageModel, AddRemoveAndSeparators) {
    ToolbarPageModel model(DefaultButtonLayouts());
    ButtonLayouts start = DefaultButtonLayouts();
    start[kToolbarChar] = {4, -1, 0};
    model.SetLayouts(start);
    EXPECT_EQ(model.Hidden(kToolbarChar), (std::vector<int>{1, 2, 3}));

    // Hidden row 1 is entry 2; it goes before the separator.
    EXPECT_EQ(model.Add(kToolbarChar, 1, 1), 1);
    EXPECT_EQ(model.Used(kToolbarChar), (Layout{4, 2, -1, 0}));
    EXPECT_EQ(model.Hidden(kToolbarChar), (std::vector<int>{1, 3}));
    // The end line may be the target.
    EXPECT_EQ(model.Add(kToolbarChar, 0, 4), 4);
    EXPECT_EQ(model.Used(kToolbarChar), (Layout{4, 2, -1, 0, 1}));

    // A removed button goes back in entry order; a separator just disappears.
    EXPECT_EQ(model.Remove(kToolbarChar, 0), 0);
    EXPECT_EQ(model.Hidden(kToolbarChar), (std::vector<int>{3, 4}));
    EXPECT_EQ(model.Remove(kToolbarChar, 1), 1);
    EXPECT_EQ(model.Used(kToolbarChar), (Layout{2, 0, 1}));
    EXPECT_EQ(model.Hidden(kToolbarChar), (std::vector<int>{3, 4}));

    EXPECT_EQ(model.InsertSeparator(kToolbarChar, 3), 3);
    EXPECT_EQ(model.Used(kToolbarChar), (Layout{2, 0, 1, -1}));
    // Other bars are untouched.
    EXPECT_EQ(model.Used(kToolbarText), DefaultButtonLayout(kToolbarText));
}

TEST(ToolbarPageModel, RowsOutsideTheListDoNothing) {
    ToolbarPageModel model(DefaultButtonLayouts());
    const Layout before = model.Used(kToolbarFrame);  // 0, -1, 1, 2, 3
    const int end = static_cast<int>(before.size());
    EXPECT_EQ(model.MoveLeft(kToolbarFrame, 0), -1);
    EXPECT_EQ(model.MoveRight(kToolbarFrame, end - 1), -1);
    EXPECT_EQ(model.MoveLeft(kToolbarFrame, end), -1);  // the end line stays last
    EXPECT_EQ(model.MoveRight(kToolbarFrame, end), -1);
    EXPECT_EQ(model.Remove(kToolbarFrame, end), -1);
    EXPECT_EQ(model.Add(kToolbarFrame, 0, 0), -1);  // nothing is hidden
    EXPECT_EQ(model.Used(kToolbarFrame), before);

    EXPECT_EQ(model.MoveRight(kToolbarFrame, 0), 1);
    EXPECT_EQ(model.MoveLeft(kToolbarFrame, 4), 3);
    EXPECT_EQ(model.Used(kToolbarFrame), (Layout{-1, 0, 1, 3, 2}));
}

TEST(ToolbarPageModel, UnknownEntryEndsTheLayout) {
    ButtonLayouts layouts = DefaultButtonLayouts();
    layouts[kToolbarTools] = {3, -1, 4, 0};  // the tools bar has entries 0 to 3
    layouts[kToolbarWindow] = {-2, 1};
    ToolbarPageModel model(layouts);
    EXPECT_EQ(model.Used(kToolbarTools), (Layout{3, -1}));
    EXPECT_EQ(model.Hidden(kToolbarTools), (std::vector<int>{0, 1, 2}));
    EXPECT_TRUE(model.Used(kToolbarWindow).empty());
}

class ToolbarPageTest : public ::testing::Test {
  protected:
    void SetUp() override {
        bars = BarVisibility::AllShown();
        bars.toolbars[kToolbarHtmlTools] = false;
        bars.documentList = false;
        bars.statusBar = false;
    }
    QStringList Texts(QListWidget* list) {
        QStringList texts;
        for (int i = 0; i < list->count(); ++i) texts << list->item(i)->text();
        return texts;
    }
    BarVisibility bars;
};

TEST_F(ToolbarPageTest, BarListAndVisibility) {
    CPrpIniToolbutton page(DefaultButtonLayouts(), bars);
    QListWidget* list = page.BarList();
    ASSERT_EQ(list->count(), 9);
    EXPECT_EQ(list->item(1)->text(), QStringLiteral(" [HTMLツール] ツールバー"));
    EXPECT_EQ(list->item(8)->text(), QStringLiteral(" ドキュメントリスト"));
    EXPECT_EQ(list->item(1)->checkState(), Qt::Unchecked);
    EXPECT_EQ(list->item(8)->checkState(), Qt::Unchecked);
    EXPECT_FALSE(page.StatusBarBox()->isChecked());
    EXPECT_EQ(page.Bars(), bars);

    list->item(4)->setCheckState(Qt::Unchecked);  // the characters bar
    EXPECT_FALSE(page.Bars().toolbars[kToolbarChar]);
    EXPECT_FALSE(page.Changed());
}

TEST_F(ToolbarPageTest, ListsShowTheSelectedBar) {
    ButtonLayouts layouts = DefaultButtonLayouts();
    layouts[kToolbarHtmlTools] = {3, -1, 0};
    CPrpIniToolbutton page(layouts, bars);
    EXPECT_EQ(page.BarList()->currentRow(), 0);
    EXPECT_EQ(page.UsedList()->count(), int(DefaultButtonLayout(kToolbarMain).size()) + 1);

    page.BarList()->setCurrentRow(1);
    const QStringList used = Texts(page.UsedList());
    ASSERT_EQ(used.size(), 4);
    EXPECT_EQ(used[0], QStringLiteral(" ﾀｸﾞの消去"));
    EXPECT_EQ(used[1], QString());
    EXPECT_EQ(used[2], QStringLiteral(" 現在の日付を挿入"));
    EXPECT_TRUE(used[3].startsWith(":::"));
    EXPECT_EQ(page.UsedList()->item(3)->foreground().color(), QColor(0xCC, 0xCC, 0xCC));
    EXPECT_EQ(Texts(page.HiddenList()), (QStringList{QStringLiteral(" 改行を<BR>に変換"),
                                                     QStringLiteral(" ｴｽｹｰﾌﾟｼｰｹﾝｽ変換")}));

    // The end line can be an insertion point but is never removed or moved.
    page.UsedList()->setCurrentRow(3);
    EXPECT_FALSE(page.RemoveButton()->isEnabled());
    EXPECT_FALSE(page.LeftButton()->isEnabled());
    EXPECT_FALSE(page.RightButton()->isEnabled());
    EXPECT_TRUE(page.SeparatorButton()->isEnabled());
    page.HiddenList()->setCurrentRow(1);
    EXPECT_TRUE(page.AddButton()->isEnabled());
    page.AddButton()->click();
    EXPECT_EQ(page.Layouts()[kToolbarHtmlTools], (Layout{3, -1, 0, 2}));
    EXPECT_EQ(page.UsedList()->currentRow(), 3);
    EXPECT_TRUE(page.Changed());
}

TEST_F(ToolbarPageTest, DefaultsAndResetAsk) {
    ButtonLayouts layouts = DefaultButtonLayouts();
    layouts[kToolbarMain] = {2};
    CPrpIniToolbutton page(layouts, bars);
    vesk::test::ScriptedSeams seams;
    seams.answers = {vesk::MsgAnswer::Cancel, vesk::MsgAnswer::Ok, vesk::MsgAnswer::Ok};

    page.DefaultsButton()->click();  // cancelled
    EXPECT_EQ(page.Layouts(), layouts);
    EXPECT_FALSE(page.Changed());

    page.DefaultsButton()->click();
    EXPECT_EQ(page.Layouts(), DefaultButtonLayouts());
    EXPECT_EQ(page.Bars(), BarVisibility::AllShown());
    EXPECT_TRUE(page.Changed());
    EXPECT_EQ(page.UsedList()->count(), int(DefaultButtonLayout(kToolbarMain).size()) + 1);

    page.ResetButton()->click();
    EXPECT_EQ(page.Layouts(), layouts);
    EXPECT_EQ(page.Bars(), bars);
    EXPECT_FALSE(page.Changed());

    ASSERT_EQ(seams.Messages().size(), 3u);
    const vesk::MessageRecord& ask = seams.Messages()[1];
    EXPECT_EQ(ask.text, QStringLiteral("ツールバーとボタンの設定をデフォルトの設定に戻しますか?"));
    EXPECT_EQ(ask.caption, QStringLiteral("VeskHtml"));
    EXPECT_EQ(ask.icon, vesk::MsgIcon::Question);
    EXPECT_EQ(ask.buttons, vesk::MsgButtons::OkCancel);
    EXPECT_EQ(seams.Messages()[2].text,
              QStringLiteral("ツールバーとボタンの設定を変更前の設定に戻しますか?"));
}

}  // namespace
