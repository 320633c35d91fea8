// What the form dialogs do while open: their start states and labels, the
// FORM and button dialogs' switching fields, which dialogs Enter confirms,
// and the list editing of the SELECT batch dialog.

#include "tags/form_dialogs.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>

#include "support/seams.h"
#include "support/test_env.h"
#include "tags/radio_group.h"
#include "tags/select_batch_dialog.h"

namespace {

using namespace vesk;

QStringList Items(const QComboBox& combo) {
    QStringList items;
    for (int i = 0; i < combo.count(); ++i) items << combo.itemText(i);
    return items;
}

void Open(QDialog& dialog) {
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
}

void Enter(QWidget* widget) {
    widget->setFocus();
    QTest::keyClick(widget, Qt::Key_Return);
}

bool Confirmed(const QDialog& dialog) {
    return !dialog.isVisible() && dialog.result() == QDialog::Accepted;
}

class FormDialogTest : public ::testing::Test {
  protected:
    void SetUp() override { test::ClearSettings(); }
    void TearDown() override { test::InstallNonBlockingSeams(); }
};

TEST_F(FormDialogTest, FormSwitchesActionLabelAndTargetWithTheActionKind) {
    CFormDlg dialog(FormData{});
    EXPECT_EQ(dialog.ActionKindGroup()->Index(), 0);
    EXPECT_EQ(dialog.MethodGroup()->Index(), 0);
    EXPECT_EQ(dialog.EnctypeGroup()->Index(), 0);
    EXPECT_EQ(dialog.ActionLabel()->text(), "CGIスクリプトの&URL");
    EXPECT_TRUE(dialog.TargetCombo()->isEnabled());
    EXPECT_EQ(Items(*dialog.TargetCombo()), (QStringList{"_blank", "_parent", "_self", "_top"}));
    EXPECT_EQ(dialog.TargetCombo()->currentText(), "");

    dialog.ActionKindGroup()->Button(1)->click();
    EXPECT_EQ(dialog.ActionLabel()->text(), "メールアドレス(&A)");
    EXPECT_FALSE(dialog.TargetCombo()->isEnabled());
    EXPECT_FALSE(dialog.TargetLabel()->isEnabled());
    dialog.ActionKindGroup()->Button(0)->click();
    EXPECT_EQ(dialog.ActionLabel()->text(), "CGIスクリプトの&URL");
    EXPECT_TRUE(dialog.TargetCombo()->isEnabled());
    EXPECT_TRUE(dialog.TargetLabel()->isEnabled());

    // A prefilled mail form opens in its mail state, with all its fields.
    const FormData mail{"me@example.jp", 1, 1, 2, "_top"};
    CFormDlg prefilled(mail);
    EXPECT_EQ(prefilled.ActionLabel()->text(), "メールアドレス(&A)");
    EXPECT_FALSE(prefilled.TargetCombo()->isEnabled());
    EXPECT_TRUE(prefilled.Data() == mail);
}

TEST_F(FormDialogTest, ButtonDialogShowsNameOnlyForFileAndScriptButtons) {
    CButtonDlg dialog(ButtonData{});
    EXPECT_EQ(dialog.TypeGroup()->Index(), 0);
    EXPECT_TRUE(dialog.NameEdit()->isHidden());
    EXPECT_TRUE(dialog.NameLabel()->isHidden());
    EXPECT_EQ(dialog.ValueLabel()->text(), "ボタンの文字 VALUE=");

    const struct {
        int type;
        bool named;
        const char* valueLabel;
    } cases[] = {{2, true, "入力欄の初期表示 VALUE="},
                 {1, false, "ボタンの文字 VALUE="},
                 {3, true, "ボタンの文字 VALUE="},
                 {0, false, "ボタンの文字 VALUE="}};
    for (const auto& c : cases) {
        dialog.TypeGroup()->Button(c.type)->click();
        EXPECT_EQ(dialog.NameEdit()->isHidden(), !c.named) << c.type;
        EXPECT_EQ(dialog.NameLabel()->isHidden(), !c.named) << c.type;
        EXPECT_EQ(dialog.ValueLabel()->text(), QString::fromUtf8(c.valueLabel)) << c.type;
    }

    // A prefilled file button opens with its name shown.
    const ButtonData file{"up", "a.txt", 2};
    CButtonDlg prefilled(file);
    EXPECT_FALSE(prefilled.NameEdit()->isHidden());
    EXPECT_TRUE(prefilled.Data() == file);
}

TEST_F(FormDialogTest, DialogsStartOnTheirFirstChoiceAndGiveBackTheirFields) {
    EXPECT_EQ(CTextInputDlg(TextInputData{}).Data().inputType, 0);
    EXPECT_EQ(CCheckFieldDlg(CheckFieldData{}).Data().inputType, 0);
    EXPECT_EQ(CTextAreaDlg(TextAreaData{}).Data().wrap, -1);

    // Edit tag prefills every field; confirming unchanged gives the same record.
    const TextInputData text{"n", "12", "6", "v", 1};
    EXPECT_TRUE(CTextInputDlg(text).Data() == text);
    const CheckFieldData check{1, "n", "Label", "v", 1};
    EXPECT_TRUE(CCheckFieldDlg(check).Data() == check);
    const HiddenData hidden{"n", "v"};
    EXPECT_TRUE(CHiddenDlg(hidden).Data() == hidden);
    const SelectData select{1, "c"};
    EXPECT_TRUE(CSelectDlg(select).Data() == select);
    const OptionData option{1, "One", "1"};
    EXPECT_TRUE(COptionDlg(option).Data() == option);
    SelectBatchData batch{1, "c", "l", "v", {{1, "A", "a"}, {0, "B", "b"}, {1, "C", "c"}}};
    EXPECT_TRUE(CSelectBatchDlg(batch).Data() == batch);

    // The initial text shows LF breaks and keeps CR LF in the record.
    const TextAreaData area{"40", "msg", "5", "a\r\n\r\nb\r\n", 2};
    CTextAreaDlg areaDialog(area);
    EXPECT_EQ(areaDialog.TextEdit()->toPlainText(), "a\n\nb\n");
    EXPECT_TRUE(areaDialog.Data() == area);

    EXPECT_EQ(CSelectDlg(select).InsertButton()->text(), "OK");
}

TEST_F(FormDialogTest, CheckFieldAndBatchConfirmOnlyByTheInsertButton) {
    {
        CCheckFieldDlg dialog(CheckFieldData{});
        Open(dialog);
        EXPECT_EQ(dialog.focusWidget(), dialog.NameEdit());
        dialog.NameEdit()->setText("a");
        Enter(dialog.NameEdit());
        Enter(dialog.LabelEdit());
        EXPECT_TRUE(dialog.isVisible());
        QTest::mouseClick(dialog.InsertButton(), Qt::LeftButton);
        EXPECT_TRUE(Confirmed(dialog));
        EXPECT_EQ(dialog.Data().name, "a");
    }
    {
        CSelectBatchDlg dialog(SelectBatchData{});
        Open(dialog);
        Enter(dialog.NameEdit());
        Enter(dialog.ItemValueEdit());
        EXPECT_TRUE(dialog.isVisible());
        Enter(dialog.InsertButton());
        EXPECT_TRUE(Confirmed(dialog));
    }
}

TEST_F(FormDialogTest, OtherFormDialogsConfirmOnEnter) {
    CTextInputDlg input(TextInputData{});
    Open(input);
    Enter(input.SizeEdit());
    EXPECT_TRUE(Confirmed(input));

    // Enter in the initial text starts a new line.
    CTextAreaDlg area(TextAreaData{});
    Open(area);
    area.TextEdit()->setFocus();
    QTest::keyClicks(area.TextEdit(), "a");
    QTest::keyClick(area.TextEdit(), Qt::Key_Return);
    QTest::keyClicks(area.TextEdit(), "b");
    EXPECT_TRUE(area.isVisible());
    EXPECT_EQ(area.Data().text, "a\r\nb");
    Enter(area.NameEdit());
    EXPECT_TRUE(Confirmed(area));
}

// The batch list.

class SelectBatchTest : public FormDialogTest {
  protected:
    std::vector<std::string> Labels() const {
        std::vector<std::string> labels;
        for (const SelectBatchItem& item : dialog.Data().items) labels.push_back(item.label);
        return labels;
    }
    std::vector<int> Checks() const {
        std::vector<int> checks;
        for (const SelectBatchItem& item : dialog.Data().items) checks.push_back(item.checked);
        return checks;
    }
    void Add(const QString& label, const QString& value) {
        dialog.ItemLabelEdit()->setText(label);
        dialog.ItemValueEdit()->setText(value);
        QTest::mouseClick(dialog.AddButton(), Qt::LeftButton);
    }
    void Check(int row, bool on = true) {
        dialog.List()
            ->item(row, CSelectBatchDlg::kCheckColumn)
            ->setCheckState(on ? Qt::Checked : Qt::Unchecked);
    }
    void Select(int row) { dialog.List()->selectRow(row); }
    // Whether the selection-dependent buttons are enabled, all alike.
    bool SelectionButtons() const {
        const bool on = dialog.DeleteButton()->isEnabled();
        EXPECT_EQ(dialog.EditButton()->isEnabled(), on);
        EXPECT_EQ(dialog.InsertEntryButton()->isEnabled(), on);
        EXPECT_EQ(dialog.UpButton()->isEnabled(), on);
        EXPECT_EQ(dialog.DownButton()->isEnabled(), on);
        return on;
    }

    CSelectBatchDlg dialog{SelectBatchData{}};
};

TEST_F(SelectBatchTest, AddNeedsAValueTrimsBothTextsAndClearsTheSelection) {
    EXPECT_TRUE(dialog.AddButton()->isEnabled());
    EXPECT_FALSE(SelectionButtons());
    Add("Red", "");
    EXPECT_TRUE(dialog.Data().items.empty());
    EXPECT_EQ(dialog.ItemLabelEdit()->text(), "Red");  // nothing happened

    Add("  Red\t", " r ");
    EXPECT_TRUE(dialog.Data().items == (std::vector<SelectBatchItem>{{0, "Red", "r"}}));
    EXPECT_TRUE(dialog.ItemLabelEdit()->text().isEmpty());
    EXPECT_TRUE(dialog.ItemValueEdit()->text().isEmpty());
    EXPECT_FALSE(SelectionButtons());

    Select(0);
    EXPECT_TRUE(SelectionButtons());
    Add("", "g");
    EXPECT_EQ(Labels(), (std::vector<std::string>{"Red", ""}));
    EXPECT_EQ(dialog.SelectedRow(), -1);
    EXPECT_FALSE(SelectionButtons());
}

TEST_F(SelectBatchTest, InsertGoesAboveTheSelectedEntryAndDeleteRemovesIt) {
    Add("A", "a");
    Add("C", "c");
    Select(1);
    dialog.ItemLabelEdit()->setText("B");
    dialog.ItemValueEdit()->setText("b");
    QTest::mouseClick(dialog.InsertEntryButton(), Qt::LeftButton);
    EXPECT_EQ(Labels(), (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_EQ(dialog.SelectedRow(), -1);
    EXPECT_FALSE(SelectionButtons());

    // Insert with no value does nothing.
    Select(0);
    QTest::mouseClick(dialog.InsertEntryButton(), Qt::LeftButton);
    EXPECT_EQ(Labels().size(), 3u);

    Select(0);
    QTest::mouseClick(dialog.DeleteButton(), Qt::LeftButton);
    EXPECT_EQ(Labels(), (std::vector<std::string>{"B", "C"}));
    EXPECT_EQ(dialog.SelectedRow(), -1);
    EXPECT_FALSE(SelectionButtons());
}

TEST_F(SelectBatchTest, EditTakesTheEntryIntoTheFieldsAndBack) {
    Add("A", "a");
    Add("B", "b");
    Check(1);
    Select(1);
    QTest::mouseClick(dialog.EditButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.ItemLabelEdit()->text(), "B");
    EXPECT_EQ(dialog.ItemValueEdit()->text(), "b");
    EXPECT_EQ(dialog.EditButton()->text(), "OK");
    EXPECT_EQ(dialog.EditButton()->toolTip(), "編集したテキストに更新します");
    EXPECT_TRUE(dialog.EditButton()->isEnabled());
    EXPECT_FALSE(dialog.List()->isEnabled());
    for (QPushButton* other : {dialog.AddButton(), dialog.InsertEntryButton(),
                               dialog.DeleteButton(), dialog.UpButton(), dialog.DownButton()})
        EXPECT_FALSE(other->isEnabled()) << other->text().toStdString();

    // "OK" with an empty value waits.
    dialog.ItemValueEdit()->clear();
    QTest::mouseClick(dialog.EditButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.EditButton()->text(), "OK");
    EXPECT_TRUE(dialog.Editing());

    dialog.ItemLabelEdit()->setText("Beta");
    dialog.ItemValueEdit()->setText("beta");
    QTest::mouseClick(dialog.EditButton(), Qt::LeftButton);
    EXPECT_FALSE(dialog.Editing());
    EXPECT_EQ(dialog.EditButton()->text(), "<< 編集");
    EXPECT_EQ(dialog.EditButton()->toolTip(), "選択した項目を編集します");
    EXPECT_TRUE(dialog.List()->isEnabled());
    EXPECT_TRUE(dialog.AddButton()->isEnabled());
    EXPECT_TRUE(dialog.ItemLabelEdit()->text().isEmpty());
    EXPECT_TRUE(dialog.ItemValueEdit()->text().isEmpty());
    // The check mark stays.
    EXPECT_TRUE(dialog.Data().items ==
                (std::vector<SelectBatchItem>{{0, "A", "a"}, {1, "Beta", "beta"}}));
}

TEST_F(SelectBatchTest, MovesKeepCheckAndSelectionAndStopAtTheEnds) {
    Add("A", "a");
    Add("B", "b");
    Add("C", "c");
    Check(2);
    Select(2);
    QTest::mouseClick(dialog.UpButton(), Qt::LeftButton);
    EXPECT_EQ(Labels(), (std::vector<std::string>{"A", "C", "B"}));
    EXPECT_EQ(Checks(), (std::vector<int>{0, 1, 0}));
    EXPECT_EQ(dialog.SelectedRow(), 1);
    QTest::mouseClick(dialog.UpButton(), Qt::LeftButton);
    QTest::mouseClick(dialog.UpButton(), Qt::LeftButton);  // already at the top
    EXPECT_EQ(Labels(), (std::vector<std::string>{"C", "A", "B"}));
    EXPECT_EQ(dialog.SelectedRow(), 0);

    Select(1);
    QTest::mouseClick(dialog.DownButton(), Qt::LeftButton);
    QTest::mouseClick(dialog.DownButton(), Qt::LeftButton);  // already at the bottom
    EXPECT_EQ(Labels(), (std::vector<std::string>{"C", "B", "A"}));
    EXPECT_EQ(Checks(), (std::vector<int>{1, 0, 0}));
    EXPECT_EQ(dialog.SelectedRow(), 2);
    EXPECT_EQ(dialog.Data().items[2].value, "a");
}

TEST_F(SelectBatchTest, WithoutMultipleOneEntryAtMostIsChecked) {
    Add("A", "a");
    Add("B", "b");
    Add("C", "c");
    Check(0);
    Check(2);
    EXPECT_EQ(Checks(), (std::vector<int>{0, 0, 1}));
    Check(2, false);
    EXPECT_EQ(Checks(), (std::vector<int>{0, 0, 0}));

    dialog.MultipleBox()->setChecked(true);
    Check(1);
    Check(2);
    EXPECT_EQ(Checks(), (std::vector<int>{0, 1, 1}));
    // Switching MULTIPLE off leaves one check, and the rule holds again.
    dialog.MultipleBox()->setChecked(false);
    EXPECT_EQ(Checks(), (std::vector<int>{0, 1, 0}));
    Check(0);
    EXPECT_EQ(Checks(), (std::vector<int>{1, 0, 0}));

    // A prefilled list follows the same rule.
    SelectBatchData data;
    data.items = {{1, "A", "a"}, {1, "B", "b"}};
    EXPECT_EQ(CSelectBatchDlg(data).Data().items[1].checked, 0);
    data.multiple = 1;
    EXPECT_EQ(CSelectBatchDlg(data).Data().items[1].checked, 1);
}

TEST_F(SelectBatchTest, ListShowsThreeColumnsSharingTheWidth) {
    Open(dialog);
    QTableWidget* list = dialog.List();
    ASSERT_EQ(list->columnCount(), 3);
    const int rest = list->viewport()->width() - CSelectBatchDlg::kCheckColumnWidth;
    EXPECT_EQ(list->columnWidth(0), CSelectBatchDlg::kCheckColumnWidth);
    EXPECT_EQ(list->columnWidth(1), rest * 11 / 20);
    EXPECT_EQ(list->columnWidth(2), rest * 9 / 20);
    dialog.resize(dialog.width() + 100, dialog.height());
    QTest::qWait(10);
    EXPECT_EQ(list->columnWidth(1),
              (list->viewport()->width() - CSelectBatchDlg::kCheckColumnWidth) * 11 / 20);
}

}  // namespace
