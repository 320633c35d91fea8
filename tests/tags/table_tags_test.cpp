// TABLE, TR, TD and TH: their tags through the commands, the background
// choice, and the checks and remembered colours at confirmation.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <algorithm>
#include <functional>

#include "core/app_settings.h"
#include "editor/text_control.h"
#include "editor/veskhtml_doc.h"
#include "editor/veskhtml_view.h"
#include "platform/dialog_seam.h"
#include "support/seams.h"
#include "support/tag_command_test.h"
#include "support/test_env.h"
#include "tags/radio_group.h"
#include "tags/recent_values.h"
#include "tags/table_dialogs.h"
#include "tools/conversion_commands.h"

namespace {

using namespace vesk;

using test::Answer;

class TableCommandTest : public test::TagCommandTest {
  protected:
    TableCommandTest() { InstallTableTagCommands(view); }
};

TEST_F(TableCommandTest, TableAttributesComeInTheirOrder) {
    Answer<CTableDlg>([](CTableDlg& d) {
        d.WidthEdit()->setText("80");
        d.WidthPercentBox()->setChecked(true);
        d.BorderEdit()->setText("1");
        d.AlignGroup()->SetIndex(2);
    });
    EXPECT_EQ(Run(32846), "x<TABLE WIDTH=\"80%\" BORDER=\"1\" ALIGN=\"center\"></TABLE>y");
    EXPECT_EQ(Caret(), Find("</TABLE>"));

    Answer<CTableDlg>([](CTableDlg& d) {
        d.VspaceEdit()->setText("6");
        d.HspaceEdit()->setText("5");
        d.Background()->Group()->SetIndex(kBackgroundColour);
        d.Background()->ColourField()->SetText("silver");
        d.CellPaddingEdit()->setText("2");
        d.CellSpacingEdit()->setText("3");
        d.HeightEdit()->setText("50");
        d.HeightPercentBox()->setChecked(true);
        d.WidthEdit()->setText("300");
    });
    EXPECT_EQ(Run(32846, "t"),
              "x<TABLE WIDTH=\"300\" HEIGHT=\"50%\" CELLSPACING=\"3\" CELLPADDING=\"2\" "
              "BGCOLOR=\"silver\" HSPACE=\"5\" VSPACE=\"6\">t</TABLE>y");
    EXPECT_EQ(Caret(), Find("y"));

    // The chosen background is written even when empty.
    Answer<CTableDlg>([](CTableDlg& d) { d.Background()->Group()->SetIndex(kBackgroundImage); });
    EXPECT_EQ(Run(32846), "x<TABLE BACKGROUND=\"\"></TABLE>y");
    Answer<CTableDlg>([](CTableDlg& d) { d.Background()->Group()->SetIndex(kBackgroundColour); });
    settings.general.sizeLower = 1;
    view.RefreshSettings();
    EXPECT_EQ(Run(32846), "x<table bgcolor=\"\"></table>y");
}

TEST_F(TableCommandTest, RowsAndCellsWrapWithTheirPositions) {
    Answer<CRowDlg>([](CRowDlg& d) { d.AlignGroup()->SetIndex(3); });
    EXPECT_EQ(Run(32850, "abc"), "x<TR ALIGN=\"right\">abc</TR>y");
    EXPECT_EQ(Caret(), Find("y"));

    Answer<CCellDlg>([](CCellDlg& d) {
        d.RowSpanCombo()->setEditText("2");
        d.NoWrapBox()->setChecked(true);
        d.VAlignGroup()->SetIndex(1);
    });
    EXPECT_EQ(Run(32852), "x<TD VALIGN=\"top\" ROWSPAN=\"2\" NOWRAP></TD>y");
    EXPECT_EQ(Caret(), Find("</TD>"));

    Answer<CCellDlg>([](CCellDlg& d) {
        EXPECT_EQ(d.windowTitle(), "表の見出しセル <TH>");
        d.HeightEdit()->setText("20");
        d.WidthEdit()->setText("10");
        d.ColSpanCombo()->setEditText("3");
        d.Background()->Group()->SetIndex(kBackgroundImage);
        d.Background()->ImageEdit()->setText("bg.gif");
        d.AlignGroup()->SetIndex(2);
        d.VAlignGroup()->SetIndex(3);
    });
    settings.general.sizeLower = 1;
    view.RefreshSettings();
    EXPECT_EQ(Run(32848),
              "x<th align=\"center\" valign=\"bottom\" background=\"bg.gif\" colspan=\"3\" "
              "width=\"10\" height=\"20\"></th>y");
}

class TableDialogTest : public ::testing::Test {
  protected:
    void SetUp() override { test::ClearSettings(); }
    void TearDown() override {
        test::InstallNonBlockingSeams();
        SetReferenceFileChooser({});
    }
    static void Open(QDialog& dialog) {
        dialog.show();
        dialog.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    }
    static void Enter(QWidget* field) {
        field->setFocus();
        QTest::keyClick(field, Qt::Key_Return);
    }
};

TEST_F(TableDialogTest, BackgroundChoiceShowsOneSetAndEmptiesTheOtherOnSwitch) {
    CTableDlg dialog(TableData{}, QString());
    Open(dialog);
    CBackgroundChoice& choice = *dialog.Background();
    EXPECT_EQ(choice.Mode(), kBackgroundNone);
    EXPECT_FALSE(choice.Button()->isVisible());
    EXPECT_FALSE(choice.ColourField()->isVisible());

    choice.Group()->Button(kBackgroundColour)->click();
    EXPECT_TRUE(choice.ColourField()->isVisible());
    EXPECT_FALSE(choice.ImageEdit()->isVisible());
    EXPECT_EQ(choice.Label()->text(), "背景色 BGCOLOR=");
    EXPECT_EQ(choice.Button()->text(), "色...");
    choice.ColourField()->SetText("#00ff00");
    EXPECT_EQ(choice.ColourField()->CurrentColour(), (RgbColour{0, 0xFF, 0}));
    choice.ColourField()->SetText("greenish");
    EXPECT_EQ(choice.ColourField()->CurrentColour(), kWhite);
    choice.ColourField()->SetText("teal");

    // None hides without emptying; back to colour keeps the text.
    choice.Group()->Button(kBackgroundNone)->click();
    EXPECT_FALSE(choice.ColourField()->isVisible());
    choice.Group()->Button(kBackgroundColour)->click();
    EXPECT_EQ(choice.Colour(), "teal");

    // Colour to image, even by way of none, empties the colour.
    choice.Group()->Button(kBackgroundNone)->click();
    choice.Group()->Button(kBackgroundImage)->click();
    EXPECT_EQ(choice.Colour(), "");
    EXPECT_EQ(choice.Label()->text(), "背景画像 BACKGROUND=");
    EXPECT_EQ(choice.Button()->text(), "ﾌｧｲﾙ...");
    choice.ImageEdit()->setText("bg.png");
    choice.Group()->Button(kBackgroundColour)->click();
    EXPECT_EQ(choice.Background(), "");
    EXPECT_EQ(choice.ColourField()->CurrentColour(), kWhite);
}

TEST_F(TableDialogTest, SharedButtonBrowsesForAnImageOrChoosesAColour) {
    SetReferenceFileChooser([](QWidget*, const ReferenceFileRequest& request) {
        EXPECT_EQ(request.title, "画像ファイルの選択");
        EXPECT_EQ(request.kind, ReferenceFileRequest::Kind::kImage);
        EXPECT_EQ(request.basePath, "/site/index.html");
        return std::optional<ReferenceFileChoice>(ReferenceFileChoice{"./img/bg.gif", "/x"});
    });
    RowData data;
    data.bgMode = kBackgroundImage;
    CRowDlg dialog(data, "/site/index.html");
    dialog.Background()->Button()->click();
    EXPECT_EQ(dialog.Data().background, "./img/bg.gif");

    // A prefilled colour paints the sample; the chooser starts from it.
    CellData cell;
    cell.bgMode = kBackgroundColour;
    cell.bgColor = "#102030";
    CCellDlg colour(CellKind::kData, cell, QString());
    EXPECT_EQ(colour.Background()->ColourField()->CurrentColour(), (RgbColour{0x10, 0x20, 0x30}));
    cell.bgColor = "bad";
    CCellDlg invalid(CellKind::kData, cell, QString());
    EXPECT_EQ(invalid.Background()->ColourField()->CurrentColour(), kWhite);
}

TEST_F(TableDialogTest, ChecksRunOnEnterButOnlyTheInsertButtonConfirms) {
    test::ScriptedSeams seams;
    CCellDlg dialog(CellKind::kData, CellData{}, QString());
    Open(dialog);
    dialog.WidthEdit()->setText("50%");
    Enter(dialog.WidthEdit());
    ASSERT_EQ(seams.Messages().size(), 1u);
    EXPECT_EQ(seams.Messages()[0].text, QString::fromUtf8(tag_texts::kNumericDataMessage));
    EXPECT_TRUE(dialog.isVisible());
    QTest::mouseClick(dialog.InsertButton(), Qt::LeftButton);
    EXPECT_EQ(seams.Messages().size(), 2u);
    EXPECT_TRUE(dialog.isVisible());

    // Valid fields: Enter still does not confirm.
    dialog.WidthEdit()->setText("50");
    dialog.RowSpanCombo()->setEditText("x");
    QTest::mouseClick(dialog.InsertButton(), Qt::LeftButton);
    EXPECT_EQ(seams.Messages().size(), 3u);
    dialog.RowSpanCombo()->setEditText("2");
    Enter(dialog.WidthEdit());
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(seams.Messages().size(), 3u);
    QTest::mouseClick(dialog.InsertButton(), Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST_F(TableDialogTest, ColourIsCheckedOnlyWhenChosenAndRememberedEvenWhenEmpty) {
    test::ScriptedSeams seams;
    RecentValueList(recent_keys::kTableBgcolor).Remember("red");
    {
        CTableDlg dialog(TableData{}, QString());
        Open(dialog);
        EXPECT_EQ(dialog.Background()->ColourField()->Combo()->itemText(0), "red");
        dialog.Background()->Group()->Button(kBackgroundColour)->click();
        dialog.Background()->ColourField()->SetText("Red");
        QTest::mouseClick(dialog.InsertButton(), Qt::LeftButton);
        ASSERT_EQ(seams.Messages().size(), 1u);
        EXPECT_EQ(seams.Messages()[0].text, QString::fromUtf8(tag_texts::kColourDataMessage));
        // Not chosen: not checked, but still remembered.
        dialog.Background()->Group()->Button(kBackgroundNone)->click();
        QTest::mouseClick(dialog.InsertButton(), Qt::LeftButton);
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    }
    EXPECT_EQ(RecentValueList(recent_keys::kTableBgcolor).Entries(),
              (std::vector<std::string>{"Red", "red"}));
    EXPECT_TRUE(AppStore().HasEntry("CustumColors", "COLOR_0"));
    {
        CTableDlg dialog(TableData{}, QString());
        Open(dialog);
        QTest::mouseClick(dialog.InsertButton(), Qt::LeftButton);
    }
    EXPECT_EQ(RecentValueList(recent_keys::kTableBgcolor).Entries(),
              (std::vector<std::string>{"", "Red"}));
}

TEST_F(TableDialogTest, TabMovesThroughTheFieldsInTheOrderShown) {
    TableData data;
    data.bgMode = kBackgroundColour;
    CTableDlg dialog(data, QString());
    Open(dialog);
    EXPECT_EQ(dialog.focusWidget(), dialog.BorderEdit());
    std::vector<QWidget*> visited;
    for (int i = 0; i < 30; ++i) {
        visited.push_back(QApplication::focusWidget());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    CBackgroundChoice& choice = *dialog.Background();
    const std::vector<QWidget*> expected = {
        dialog.BorderEdit(),       dialog.CellPaddingEdit(),
        dialog.CellSpacingEdit(),  dialog.WidthEdit(),
        dialog.WidthPercentBox(),  dialog.HeightEdit(),
        dialog.HeightPercentBox(), dialog.HspaceEdit(),
        dialog.VspaceEdit(),       choice.ColourField()->Combo(),
        choice.Button(),           dialog.InsertButton(),
        dialog.CancelButton()};
    auto at = visited.begin();
    for (size_t i = 0; i < expected.size(); ++i) {
        at = std::find(at, visited.end(), expected[i]);
        ASSERT_NE(at, visited.end()) << "stop " << i << " missed or out of order";
    }
}

}  // namespace
