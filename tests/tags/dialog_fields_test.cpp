// Colour texts, custom colours, recent values, field checks, the confirmation
// by the insert button, and the writer patterns on a real view.

#include "tags/dialog_fields.h"

#include <gtest/gtest.h>

#include <QColorDialog>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include "core/app_settings.h"
#include "editor/text_control.h"
#include "editor/undo_journal.h"
#include "editor/veskhtml_doc.h"
#include "editor/veskhtml_view.h"
#include "support/seams.h"
#include "support/test_env.h"
#include "tags/colour_fields.h"
#include "tags/recent_values.h"
#include "tools/conversion_commands.h"

namespace {

using namespace vesk;

const QString kColourMessage = QString::fromUtf8(tag_texts::kColourDataMessage);
const QString kNumberMessage = QString::fromUtf8(tag_texts::kNumericDataMessage);

std::string Stored(const char* key, int index) {
    return AppStore()
        .GetProfileString(RecentValueList::kSection, RecentValueList::ValueName(key, index),
                          "<none>")
        .toStdString();
}

std::vector<std::string> StoredList(const char* key) {
    return RecentValueList(key).Entries();
}

QStringList Items(const QComboBox& combo) {
    QStringList items;
    for (int i = 0; i < combo.count(); ++i) items << combo.itemText(i);
    return items;
}

// Colour texts.

TEST(ColourTextTest, CodesAreHashAndSixHexDigitsInEitherCase) {
    EXPECT_EQ(ParseColorCode("#ff00cc"), (RgbColour{0xFF, 0x00, 0xCC}));
    EXPECT_EQ(ParseColorCode("#FF00CC"), ParseColorCode("#ff00cc"));
    EXPECT_EQ(ParseColorCode("#aB09eF"), (RgbColour{0xAB, 0x09, 0xEF}));
    for (const char* bad :
         {"#FF00C", "ff00cc", "#FF00CC0", "#GG0000", " #FF00CC", "#FF 0CC", "", "#", "red"}) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(ParseColorCode(bad));
    }
}

TEST(ColourTextTest, NamesAreTheSixteenHtmlNamesInLowerCaseOnly) {
    ASSERT_EQ(ColourNames().size(), 16u);
    EXPECT_EQ(ColourNames().front().name, "black");
    EXPECT_EQ(ColourNames().back().name, "fuchsia");
    EXPECT_EQ(ColorFromName("red"), ParseColorCode("#FF0000"));
    EXPECT_EQ(ColorFromName("teal"), ParseColorCode("#008080"));
    EXPECT_EQ(ColorFromName("silver"), ParseColorCode("#C0C0C0"));
    EXPECT_EQ(ColorFromName("fuchsia"), ParseColorCode("#FF00FF"));
    for (const char* bad : {"Red", "RED", "grey", "red ", "", "#FF0000"}) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(ColorFromName(bad));
    }
    // A text is valid when it is either.
    EXPECT_TRUE(IsValidColourText("red"));
    EXPECT_TRUE(IsValidColourText("#ff00cc"));
    EXPECT_FALSE(IsValidColourText("Red"));
    EXPECT_EQ(ColourOfText("navy", kWhite), (RgbColour{0, 0, 0x80}));
    EXPECT_EQ(ColourOfText("Navy", kWhite), kWhite);
}

TEST(ColourTextTest, ChooserCodesUseUpperCaseDigitsAndStoredValuesAreBgr) {
    EXPECT_EQ(FormatColorCode({0xFF, 0, 0}), "#FF0000");
    EXPECT_EQ(FormatColorCode({0x12, 0xab, 0x0f}), "#12AB0F");
    EXPECT_EQ(ToColorRef({0xFF, 0, 0}), 0x0000FF);
    EXPECT_EQ(FromColorRef(0xFF0000), (RgbColour{0, 0, 0xFF}));
    EXPECT_EQ(FromColorRef(ToColorRef({1, 2, 3})), (RgbColour{1, 2, 3}));
}

TEST(FieldCheckTest, ColourAndNumberRefusalsShowTheirMessages) {
    test::ScriptedSeams seams;
    for (const char* good : {"", "#ff00cc", "red"}) EXPECT_TRUE(CheckColourText(good)) << good;
    EXPECT_TRUE(seams.Messages().empty());

    EXPECT_FALSE(CheckColourText("Red"));
    ASSERT_EQ(seams.Messages().size(), 1u);
    EXPECT_EQ(seams.Messages()[0].text, kColourMessage);
    EXPECT_EQ(seams.Messages()[0].caption, "VeskHtml");
    EXPECT_EQ(seams.Messages()[0].icon, MsgIcon::Exclamation);

    EXPECT_TRUE(IsDigitsOnly(""));
    EXPECT_TRUE(IsDigitsOnly("0120"));
    for (const char* bad : {"50%", "-1", " 1", "1.5", "１２", "2a"})
        EXPECT_FALSE(IsDigitsOnly(bad)) << bad;
    EXPECT_TRUE(CheckNumberText("80"));
    EXPECT_EQ(seams.Messages().size(), 1u);
    EXPECT_FALSE(CheckNumberText("50%"));
    ASSERT_EQ(seams.Messages().size(), 2u);
    EXPECT_EQ(seams.Messages()[1].text, kNumberMessage);
    EXPECT_EQ(seams.Messages()[1].caption, "VeskHtml");
    EXPECT_EQ(seams.Messages()[1].icon, MsgIcon::Exclamation);

    // A digits-only control refuses the rest as it is typed.
    QLineEdit border;
    AcceptDigitsOnly(border);
    QTest::keyClicks(&border, "1a0%-2");
    EXPECT_EQ(border.text(), "102");
}

// Custom colours and the chooser.

class ColourChooserTest : public ::testing::Test {
  protected:
    void SetUp() override { test::ClearSettings(); }
    void TearDown() override { test::InstallNonBlockingSeams(); }
};

TEST_F(ColourChooserTest, CustomColoursDefaultToWhiteAndAreStoredUnderTheirNames) {
    CustomColours colours = CustomColours::Load();
    for (int i = 0; i < CustomColours::kCount; ++i) EXPECT_EQ(colours[i], 0xFFFFFF);
    colours.Set(15, 0x123456);
    colours.Store();
    EXPECT_EQ(AppStore().GetProfileInt("CustumColors", "COLOR_15", -1), 0x123456);
    EXPECT_EQ(AppStore().GetProfileInt("CustumColors", "COLOR_0", -1), 0xFFFFFF);
    AppStore().WriteProfileInt("CustumColors", "COLOR_4", 0x0000FF);
    const CustomColours again = CustomColours::Load();
    EXPECT_EQ(again[15], 0x123456);
    EXPECT_EQ(again[4], 0x0000FF);
}

TEST_F(ColourChooserTest, ChooserStartsFromTheColourAndKeepsEditedCustomColours) {
    CustomColours custom;
    custom.Set(5, ToColorRef({0x10, 0x20, 0x30}));
    QColor presetSeen, customSeen;
    dialog_seam::SetScript([&](QDialog& dialog) {
        auto* chooser = qobject_cast<QColorDialog*>(&dialog);
        if (!chooser)
            return 0;
        presetSeen = chooser->currentColor();
        customSeen = QColorDialog::customColor(5);
        chooser->setCurrentColor(QColor(255, 0, 0));
        QColorDialog::setCustomColor(2, QColor(1, 2, 3));
        return static_cast<int>(QDialog::Accepted);
    });
    const auto chosen = ChooseColour(nullptr, {0, 0x80, 0x80}, custom);
    EXPECT_EQ(presetSeen, QColor(0, 0x80, 0x80));
    EXPECT_EQ(customSeen, QColor(0x10, 0x20, 0x30));
    ASSERT_TRUE(chosen);
    EXPECT_EQ(FormatColorCode(*chosen), "#FF0000");
    EXPECT_EQ(custom[2], ToColorRef({1, 2, 3}));

    // Cancelled: no colour, but the custom colours edited meanwhile stay.
    dialog_seam::SetScript([](QDialog&) {
        QColorDialog::setCustomColor(7, QColor(9, 8, 7));
        return static_cast<int>(QDialog::Rejected);
    });
    EXPECT_FALSE(ChooseColour(nullptr, kBlack, custom));
    EXPECT_EQ(custom[7], ToColorRef({9, 8, 7}));
}

TEST_F(ColourChooserTest, ColourFieldListsTextAndCurrentColour) {
    AppStore().WriteProfileString("Recent Value", "BODY_LINK [0]", "#123456");
    AppStore().WriteProfileString("Recent Value", "BODY_LINK [1]", "");
    CustomColours custom;
    ColourFieldOptions options;
    options.defaultColour = {0, 0, 0xFF};
    options.sampleBox = true;
    CColourField field(custom, "BODY_LINK", options);

    QStringList expected{"#123456", ""};
    for (const NamedColour& named : ColourNames())
        expected << QString::fromUtf8(named.name.data(), named.name.size());
    EXPECT_EQ(Items(*field.Combo()), expected);
    EXPECT_EQ(field.Text(), "");
    EXPECT_EQ(field.Button()->text(), "色 ...");

    QSignalSpy changed(&field, &CColourField::ColourChanged);
    QTest::keyClicks(field.Combo()->lineEdit(), "#00ff00");
    EXPECT_EQ(field.CurrentColour(), (RgbColour{0, 0xFF, 0}));
    EXPECT_FALSE(changed.isEmpty());
    EXPECT_EQ(field.SampleBox()->palette().color(QPalette::Window), QColor(0, 0xFF, 0));
    field.Combo()->setCurrentIndex(field.Combo()->findText("maroon"));
    EXPECT_EQ(field.Text(), "maroon");
    EXPECT_EQ(field.CurrentColour(), (RgbColour{0x80, 0, 0}));
    field.SetText("Red");  // no name: the field's default colour
    EXPECT_EQ(field.CurrentColour(), options.defaultColour);
    field.SetInvalidColour(kBlack);
    field.SetText("Re");
    EXPECT_EQ(field.CurrentColour(), kBlack);
    field.SetText("");
    EXPECT_EQ(field.CurrentColour(), options.defaultColour);

    // The control refuses an eighth character.
    QTest::keyClicks(field.Combo()->lineEdit(), "#1234567");
    EXPECT_EQ(field.Text(), "#123456");
}

TEST_F(ColourChooserTest, ColourButtonWritesTheChosenCodeAndCancelChangesNothing) {
    CustomColours custom;
    CColourField field(custom, "FONT_COLOR", {});
    field.SetText("teal");
    QColor preset;
    dialog_seam::SetScript([&](QDialog& dialog) {
        auto& chooser = static_cast<QColorDialog&>(dialog);
        preset = chooser.currentColor();
        chooser.setCurrentColor(QColor(0x12, 0xAB, 0xEF));
        return static_cast<int>(QDialog::Accepted);
    });
    QTest::mouseClick(field.Button(), Qt::LeftButton);
    EXPECT_EQ(preset, QColor(0, 0x80, 0x80));
    EXPECT_EQ(field.Text(), "#12ABEF");
    EXPECT_EQ(field.CurrentColour(), (RgbColour{0x12, 0xAB, 0xEF}));

    dialog_seam::SetScript([](QDialog& dialog) {
        static_cast<QColorDialog&>(dialog).setCurrentColor(Qt::white);
        return static_cast<int>(QDialog::Rejected);
    });
    EXPECT_FALSE(field.ChooseColour());
    EXPECT_EQ(field.Text(), "#12ABEF");
    EXPECT_EQ(field.CurrentColour(), (RgbColour{0x12, 0xAB, 0xEF}));
}

// Recent values, on the program's own store.

class RecentValuesTest : public ::testing::Test {
  protected:
    void SetUp() override { test::ClearSettings(); }
};

TEST_F(RecentValuesTest, NewValuesGoFirstKnownOnesKeepTheirPlace) {
    RecentValueList list("BODY_TEXT");
    ASSERT_EQ(list.Entries(), (std::vector<std::string>{"", ""}));
    list.Remember("#111111");
    EXPECT_EQ(Stored("BODY_TEXT", 0), "#111111");
    EXPECT_EQ(Stored("BODY_TEXT", 1), "");
    list.Remember("#111111");  // the same twice: unchanged
    EXPECT_EQ(StoredList("BODY_TEXT"), (std::vector<std::string>{"#111111", ""}));
    list.Remember("#222222");
    EXPECT_EQ(StoredList("BODY_TEXT"), (std::vector<std::string>{"#222222", "#111111"}));
    list.Remember("#111111");  // entry 1 does not move up
    EXPECT_EQ(StoredList("BODY_TEXT"), (std::vector<std::string>{"#222222", "#111111"}));
    list.Remember("#333333");  // the oldest is dropped
    EXPECT_EQ(StoredList("BODY_TEXT"), (std::vector<std::string>{"#333333", "#222222"}));
    list.Remember("");  // nothing to remember
    EXPECT_EQ(StoredList("BODY_TEXT"), (std::vector<std::string>{"#333333", "#222222"}));
    list.Remember("#AbCdEf");
    list.Remember("#abcdef");  // the comparison minds the case
    EXPECT_EQ(StoredList("BODY_TEXT"), (std::vector<std::string>{"#abcdef", "#AbCdEf"}));
    // Other keys are lists of their own.
    EXPECT_EQ(StoredList("BODY_LINK"), (std::vector<std::string>{"", ""}));
}

TEST_F(RecentValuesTest, MailAddressesKeepFiveAndOnlyAddressesAreOffered) {
    EXPECT_EQ(RecentValueList::CountOf("A_MAILTO"), 5);
    EXPECT_EQ(RecentValueList::CountOf("TD_BGCOLOR"), 2);
    RecentValueList list("A_MAILTO");
    for (const char* address : {"a@x", "b@x", "nomail", "c@x", "d@x", "e@x"})
        list.Remember(address);
    EXPECT_EQ(StoredList("A_MAILTO"),
              (std::vector<std::string>{"e@x", "d@x", "c@x", "nomail", "b@x"}));
    EXPECT_EQ(Stored("A_MAILTO", 4), "b@x");
    EXPECT_EQ(Stored("A_MAILTO", 5), "<none>");

    QComboBox combo;
    combo.addItem("fixed");
    RecentValueList(std::string("A_MAILTO")).Fill(combo, [](std::string_view v) {
        return v.find('@') != std::string_view::npos;
    });
    EXPECT_EQ(Items(combo), (QStringList{"e@x", "d@x", "c@x", "b@x", "fixed"}));
}

TEST_F(RecentValuesTest, TableAndFrameVariantsTakeEmptyValues) {
    RecentValueList table("TABLE_BGCOLOR");
    table.Remember("", RecentValueList::EmptyValue::kRemember);  // the empty entries hold it
    table.Remember("silver", RecentValueList::EmptyValue::kRemember);
    EXPECT_EQ(StoredList("TABLE_BGCOLOR"), (std::vector<std::string>{"silver", ""}));
    table.Remember("navy", RecentValueList::EmptyValue::kRemember);
    table.Remember("", RecentValueList::EmptyValue::kRemember);
    EXPECT_EQ(StoredList("TABLE_BGCOLOR"), (std::vector<std::string>{"", "navy"}));
    table.Remember("", RecentValueList::EmptyValue::kRemember);  // already in the list
    table.Remember("red", RecentValueList::EmptyValue::kRemember);
    EXPECT_EQ(StoredList("TABLE_BGCOLOR"), (std::vector<std::string>{"red", ""}));
    // An empty entry is never offered.
    EXPECT_EQ(table.Offered(), (std::vector<std::string>{"red"}));

    RecentValueList frame("FRAME_BORDERCOLOR");
    frame.Push("red");
    frame.Push("red");  // no membership test
    EXPECT_EQ(StoredList("FRAME_BORDERCOLOR"), (std::vector<std::string>{"red", "red"}));
    frame.Push("");
    EXPECT_EQ(StoredList("FRAME_BORDERCOLOR"), (std::vector<std::string>{"", "red"}));
}

// The confirmation of a dialog.

class SampleDialog : public CTagDialog {
  public:
    explicit SampleDialog(ConfirmRule rule) : CTagDialog("sample", rule) {
        width = new QLineEdit(this);
        ContentLayout()->addWidget(width);
        colour = AddColourField("BODY_TEXT");
        ContentLayout()->addWidget(colour);
    }
    QLineEdit* width;
    CColourField* colour;

  protected:
    bool CheckFields() override {
        return CTagDialog::CheckFields() && CheckNumberText(width->text().toStdString(), this);
    }
};

class ConfirmationTest : public ::testing::Test {
  protected:
    void SetUp() override { test::ClearSettings(); }
    void Open(SampleDialog& dialog) {
        dialog.show();
        dialog.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    }
    static void Enter(QWidget* widget) {
        widget->setFocus();
        QTest::keyClick(widget, Qt::Key_Return);
    }
    bool Confirmed(const SampleDialog& dialog) {
        return !dialog.isVisible() && dialog.result() == QDialog::Accepted;
    }
    test::ScriptedSeams seams;
};

TEST_F(ConfirmationTest, EnterInAFieldDoesNotInsertTheButtonDoes) {
    SampleDialog dialog(CTagDialog::ConfirmRule::kInsertButton);
    EXPECT_EQ(dialog.InsertButton()->text(), "挿入");
    EXPECT_EQ(dialog.CancelButton()->text(), "ｷｬﾝｾﾙ");
    Open(dialog);
    dialog.colour->SetText("red");
    Enter(dialog.colour->Combo()->lineEdit());
    Enter(dialog.width);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.colour->Text(), "red");
    EXPECT_EQ(Stored("BODY_TEXT", 0), "<none>");
    EXPECT_FALSE(AppStore().HasEntry("CustumColors", "COLOR_0"));

    QTest::mouseClick(dialog.InsertButton(), Qt::LeftButton);
    EXPECT_TRUE(Confirmed(dialog));
    EXPECT_EQ(Stored("BODY_TEXT", 0), "red");
    EXPECT_EQ(AppStore().GetProfileInt("CustumColors", "COLOR_15", -1), 0xFFFFFF);
    EXPECT_TRUE(seams.Messages().empty());
}

TEST_F(ConfirmationTest, InvalidValuesKeepTheDialogOpenWithItsContents) {
    SampleDialog dialog(CTagDialog::ConfirmRule::kInsertButton);
    Open(dialog);
    dialog.colour->SetText("Red");
    Enter(dialog.colour->Combo()->lineEdit());
    EXPECT_TRUE(seams.Messages().empty());  // Enter in a field checks nothing here

    QTest::mouseClick(dialog.InsertButton(), Qt::LeftButton);
    ASSERT_EQ(seams.Messages().size(), 1u);
    EXPECT_EQ(seams.Messages()[0].text, kColourMessage);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.colour->Text(), "Red");
    EXPECT_EQ(Stored("BODY_TEXT", 0), "<none>");

    dialog.colour->SetText("red");
    dialog.width->setText("50%");
    QTest::mouseClick(dialog.InsertButton(), Qt::LeftButton);
    ASSERT_EQ(seams.Messages().size(), 2u);
    EXPECT_EQ(seams.Messages()[1].text, kNumberMessage);
    EXPECT_TRUE(dialog.isVisible());

    dialog.width->setText("50");
    Enter(dialog.InsertButton());  // Enter on the button itself confirms
    EXPECT_TRUE(Confirmed(dialog));
    EXPECT_EQ(Stored("BODY_TEXT", 0), "red");
}

TEST_F(ConfirmationTest, CheckingDialogsReportOnEnterButStillWaitForTheButton) {
    SampleDialog dialog(CTagDialog::ConfirmRule::kCheckThenInsertButton);
    Open(dialog);
    dialog.width->setText("50%");
    Enter(dialog.width);
    ASSERT_EQ(seams.Messages().size(), 1u);
    EXPECT_EQ(seams.Messages()[0].text, kNumberMessage);
    dialog.width->setText("50");
    Enter(dialog.width);
    EXPECT_EQ(seams.Messages().size(), 1u);
    EXPECT_TRUE(dialog.isVisible());
    QTest::mouseClick(dialog.InsertButton(), Qt::LeftButton);
    EXPECT_TRUE(Confirmed(dialog));
}

TEST_F(ConfirmationTest, OtherDialogsConfirmOnEnter) {
    SampleDialog dialog(CTagDialog::ConfirmRule::kEnter);
    Open(dialog);
    dialog.colour->SetText("#ff00cc");
    Enter(dialog.width);
    EXPECT_TRUE(Confirmed(dialog));
    EXPECT_EQ(Stored("BODY_TEXT", 0), "#ff00cc");
}

TEST_F(ConfirmationTest, CancelDiscardsCustomColoursEditedInTheChooser) {
    SampleDialog dialog(CTagDialog::ConfirmRule::kInsertButton);
    Open(dialog);
    dialog_seam::SetScript([](QDialog& d) {
        QColorDialog::setCustomColor(0, QColor(1, 2, 3));
        static_cast<QColorDialog&>(d).setCurrentColor(QColor(255, 0, 0));
        return static_cast<int>(QDialog::Accepted);
    });
    QTest::mouseClick(dialog.colour->Button(), Qt::LeftButton);
    test::InstallNonBlockingSeams();
    EXPECT_EQ(dialog.colour->Text(), "#FF0000");
    EXPECT_EQ(dialog.Custom()[0], ToColorRef({1, 2, 3}));
    QTest::mouseClick(dialog.CancelButton(), Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_FALSE(AppStore().HasEntry("CustumColors", "COLOR_0"));
    EXPECT_EQ(Stored("BODY_TEXT", 0), "<none>");
}

// Writers on a real view.

class WriterTest : public ::testing::Test {
  protected:
    WriterTest() : view(settings, &doc) { InstallTagCaseConversion(); }
    void Lower(bool lower) {
        settings.general.sizeLower = lower ? 1 : 0;
        view.RefreshSettings();
    }
    void Start(std::string_view text, int selStart, int selEnd) {
        view.SetText(text);
        view.Control().SetSel(selStart, selEnd);
        view.RefreshCaretContextAsClick();
    }
    // What Edit tag does before the writer: the old tag selected and
    // remembered by the undo history, the caret behind its name.
    CTagScanner SelectTag(std::string_view text, int start, int nameLength, std::string leftover) {
        view.SetText(text);
        const int end = static_cast<int>(text.find('>', start));
        view.Control().SetSel(start, end + 1);
        view.Journal().RememberState(true);
        view.Control().SetSel(start + nameLength + 1, start + nameLength + 1);
        return CTagScanner(std::move(leftover), start, end, kKindTd);
    }
    std::string Text() { return view.Control().WholeText(); }
    std::pair<int, int> Selection() {
        int s = 0, e = 0;
        view.Control().GetSel(s, e);
        return {s, e};
    }
    static std::pair<int, int> Caret(int at) { return {at, at}; }

    CAppSettings settings;
    CVeskHtmlDoc doc;
    CVeskHtmlView view;
};

TEST_F(WriterTest, AttributesAreLeftOutWhenEmptyUnlessAlwaysWritten) {
    std::string tag = "<IMG";
    AppendAttributeAlways(tag, "SRC", "");
    AppendAttribute(tag, "WIDTH", "");
    AppendAttribute(tag, "ALT", "logo");
    AppendFlag(tag, "NOSHADE", false);
    AppendFlag(tag, "NOWRAP", true);
    EXPECT_EQ(tag, "<IMG SRC=\"\" ALT=\"logo\" NOWRAP");
}

TEST_F(WriterTest, WrappingWriterPutsTheCaretBetweenOrBehindTheTags) {
    const TagTexts font{"<FONT COLOR=\"red\"", "</FONT>", ""};
    Start("xabcy", 1, 4);
    const int steps = view.Journal().UndoCount();
    WriteTag(view, kWriterInsert, CTagScanner(), WriterPattern::kWrapping, font);
    EXPECT_EQ(Text(), "x<FONT COLOR=\"red\">abc</FONT>y");
    EXPECT_EQ(Selection(), Caret(static_cast<int>(Text().size()) - 1));
    EXPECT_EQ(view.Journal().UndoCount(), steps + 1);
    view.OnEditUndo();
    EXPECT_EQ(Text(), "xabcy");

    Start("xabcy", 4, 4);
    WriteTag(view, kWriterInsert, CTagScanner(), WriterPattern::kWrapping, font);
    EXPECT_EQ(Text(), "xabc<FONT COLOR=\"red\"></FONT>y");
    EXPECT_EQ(Selection(), Caret(static_cast<int>(Text().find("</FONT>"))));

    // BODY and FRAMESET stand on lines of their own: the caret on the empty line.
    Start("", 0, 0);
    InsertWrappingTag(view, {"<BODY TEXT=\"red\"", "</BODY>", "\r\n"});
    EXPECT_EQ(Text(), "<BODY TEXT=\"red\">\r\n\r\n</BODY>");
    EXPECT_EQ(Selection(), Caret(static_cast<int>(Text().find("\r\n</BODY>"))));
    Start("abc", 0, 3);
    InsertWrappingTag(view, {"<FRAMESET", "</FRAMESET>", "\r\n"});
    EXPECT_EQ(Text(), "<FRAMESET>\r\nabc\r\n</FRAMESET>");
    EXPECT_EQ(Selection(), Caret(static_cast<int>(Text().size())));
}

TEST_F(WriterTest, InsertingWriterKeepsTheSelectionAndLowerCaseTouchesNamesOnly) {
    Start("xabcy", 1, 4);
    WriteTag(view, kWriterInsert, CTagScanner(), WriterPattern::kInserting,
             {"<HR SIZE=\"2\" NOSHADE", "", ""});
    EXPECT_EQ(Text(), "xabc<HR SIZE=\"2\" NOSHADE>y");
    EXPECT_EQ(Selection(), Caret(static_cast<int>(Text().size()) - 1));
    view.OnEditUndo();
    EXPECT_EQ(Text(), "xabcy");

    Lower(true);
    Start("", 0, 0);
    InsertTag(view, "<IMG SRC=\"A.gif\" ALT=\"Logo\"");
    EXPECT_EQ(Text(), "<img src=\"A.gif\" alt=\"Logo\">");
    Start("T", 0, 1);
    InsertWrappingTag(view, {"<H3 ALIGN=\"center\"", "</H3>", ""});
    EXPECT_EQ(Text(), "<h3 align=\"center\">T</h3>");
}

TEST_F(WriterTest, EditModeRewritesTheTagKeepingUnknownAttributes) {
    const std::string before = "a<TD CLASS=\"k\"\r\n WIDTH=\"5\">b";
    CTagScanner scanner = SelectTag(before, 1, 3, " CLASS=\"k\">");
    const int steps = view.Journal().UndoCount();
    WriteTag(view, kWriterEdit, scanner, WriterPattern::kWrapping,
             {"<TD WIDTH=\"9\" NOWRAP", "</TD>", ""});
    const std::string tag = "<TD WIDTH=\"9\" NOWRAP CLASS=\"k\">";
    EXPECT_EQ(Text(), "a" + tag + "b");
    EXPECT_EQ(Selection(), Caret(1 + static_cast<int>(tag.size())));
    ASSERT_EQ(view.Journal().UndoCount(), steps + 1);
    EXPECT_EQ(view.Journal().UndoList().front().kind, kUndoTagRewrite);
    view.OnEditUndo();
    EXPECT_EQ(Text(), before);

    // The tag case covers the leftover attributes, not their values.
    Lower(true);
    scanner = SelectTag("<TD Class=\"K\">", 0, 3, " Class=\"K\">");
    WriteTag(view, kWriterEdit, scanner, WriterPattern::kWrapping, {"<TD", "</TD>", ""});
    EXPECT_EQ(Text(), "<td class=\"K\">");
}

TEST_F(WriterTest, EditModeRewritesContentAndWholeTagsWhereAsked) {
    const std::string before = "x<H2>Old</H2>y";
    CTagScanner scanner = SelectTag(before, 1, 0, ">");
    TagRewrite heading;
    heading.opening = "<H3 ALIGN=\"center\"";
    heading.content = "New";
    heading.closing = "</H3>";
    heading.first = 1;
    heading.last = 13;
    RewriteTag(view, scanner, heading);
    EXPECT_EQ(Text(), "x<H3 ALIGN=\"center\">New</H3>y");
    EXPECT_EQ(Selection(), Caret(static_cast<int>(Text().size()) - 1));
    view.OnEditUndo();
    EXPECT_EQ(Text(), before);

    // META is built whole: what the dialog does not know is not carried over.
    scanner = SelectTag("<META NAME=\"author\" LANG=\"ja\">\r\n", 0, 5, " LANG=\"ja\">");
    TagRewrite meta;
    meta.opening = "<META NAME=\"author\" CONTENT=\"me\">";
    meta.appendLeftover = false;
    RewriteTag(view, scanner, meta);
    EXPECT_EQ(Text(), "<META NAME=\"author\" CONTENT=\"me\">\r\n");
}

TEST_F(WriterTest, CancelledWriterChangesNothing) {
    Start("xabcy", 1, 4);
    const int steps = view.Journal().UndoCount();
    QDialog dialog;
    bool built = false;
    dialog_seam::SetScript([](QDialog&) { return static_cast<int>(QDialog::Rejected); });
    EXPECT_FALSE(
        RunWriter(view, dialog, kWriterInsert, CTagScanner(), WriterPattern::kWrapping, [&] {
            built = true;
            return TagTexts{"<B", "</B>", ""};
        }));
    EXPECT_FALSE(built);
    EXPECT_EQ(Text(), "xabcy");
    EXPECT_EQ(Selection(), std::make_pair(1, 4));
    EXPECT_EQ(view.Journal().UndoCount(), steps);

    dialog_seam::SetScript([](QDialog&) { return static_cast<int>(QDialog::Accepted); });
    EXPECT_TRUE(RunWriter(view, dialog, kWriterInsert, CTagScanner(), WriterPattern::kWrapping, [] {
        return TagTexts{"<B", "</B>", ""};
    }));
    test::InstallNonBlockingSeams();
    EXPECT_EQ(Text(), "x<B>abc</B>y");
}

}  // namespace
