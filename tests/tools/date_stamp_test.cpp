// The date stamp: date texts on fixed dates, the favourites file, the insert
// dialog and format builder, and the command on a real view.

#include "tools/date_stamp.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <set>

#include "core/app_settings.h"
#include "editor/text_control.h"
#include "editor/undo_journal.h"
#include "editor/veskhtml_doc.h"
#include "editor/veskhtml_view.h"
#include "platform/dialog_seam.h"
#include "platform/program_folders.h"
#include "platform/settings_store.h"
#include "support/seams.h"
#include "support/test_env.h"
#include "tools/conversion_commands.h"
#include "tools/date_stamp_dialog.h"
#include "tools/fav_date_marks.h"

namespace {

using namespace vesk;

const DateParts kSunday{2026, 12, 6, 0};    // the example date
const DateParts kWednesday{2005, 3, 9, 3};  // one-digit month and day

std::uint32_t Bit(int n) {
    return std::uint32_t{1} << n;
}

// Parts shown, as letters: Y year, M month, D day, W weekday.
DatePartsOn On(std::string_view parts) {
    auto has = [parts](char c) { return parts.find(c) != std::string_view::npos; };
    return {has('Y'), has('M'), has('D'), has('W')};
}

BuiltInDateStyle Japanese(int year, int month, int day, int weekday, int separator,
                          std::string_view on = "YMDW") {
    return {DateRenderer::Japanese, On(on), year, month, day, weekday, separator};
}

BuiltInDateStyle English(DateRenderer renderer, int year, int month, int day, int separator,
                         std::string_view on = "YMDW") {
    return {renderer, On(on), year, month, day, -1, separator};
}

std::string Render(const BuiltInDateStyle& style, const DateParts& date = kSunday) {
    return RenderBuiltIn(style, date);
}

TEST(DateTokenTest, TokensEraYearsAndOddDates) {
    const std::vector<std::string> expected = {"2026", "26", "38", "12", "12",    "December",
                                               "Dec",  "6",  "06", "日", "Sunday"};
    for (std::size_t i = 0; i < kDateTokens.size(); ++i)
        EXPECT_EQ(DateToken(kDateTokens[i], kSunday), expected[i]) << kDateTokens[i];
    EXPECT_EQ(DateToken("m2", kWednesday), "03");
    EXPECT_EQ(DateToken("y2", kWednesday), "05");
    EXPECT_EQ(DateToken("Y1", kSunday), "");
    // The era year goes to 0 and below before 1989 and keeps counting after 2018.
    EXPECT_EQ(DateToken("y3", DateParts{2019, 5, 1, 3}), "31");
    EXPECT_EQ(Render(Japanese(3, 0, 0, 0, 0), DateParts{1986, 1, 1, 3}), "平成-2年1月1日水曜日");
    EXPECT_EQ(Render(Japanese(2, 0, 0, 1, 1), DateParts{1988, 1, 1, 5}), "H0/1/1(金)");
    EXPECT_EQ(Render(Japanese(4, 0, 0, 1, 0), kWednesday), "17年3月9日(水)");
    // Out-of-range months and weekdays give empty names, not a read past a table.
    const DateParts odd{7, 13, 0, 9};
    EXPECT_EQ(DateToken("m3", odd), "");
    EXPECT_EQ(DateToken("w2", odd), "");
    EXPECT_EQ(Render(Japanese(1, 1, 1, 1, 1), odd), "7/13/00()");
}

TEST(DateRendererTest, SeparatorsOnlyBetweenShownParts) {
    EXPECT_EQ(Render(Japanese(0, 0, 0, 0, 0, "Y")), "2026年");
    EXPECT_EQ(Render(Japanese(0, 0, 0, 0, 1, "Y")), "2026");
    EXPECT_EQ(Render(Japanese(0, 0, 0, 0, 2, "YM")), "2026-12");
    EXPECT_EQ(Render(Japanese(0, 1, 1, 0, 1, "MD"), kWednesday), "03/09");
    EXPECT_EQ(Render(Japanese(0, 0, 0, 1, 0, "DW")), "6日(日)");
    EXPECT_EQ(Render(Japanese(0, 0, 0, 1, 1, "DW")), "6(日)");

    const DateRenderer A = DateRenderer::EnglishA;
    EXPECT_EQ(Render(English(A, 1, 1, 1, 0), kWednesday), "Wednesday, 03 09, 05");
    EXPECT_EQ(Render(English(A, 0, 3, 0, 0, "MDW")), "Sunday, Dec 6");
    EXPECT_EQ(Render(English(A, 0, 2, 0, 0, "YM")), "December, 2026");
    EXPECT_EQ(Render(English(A, 0, 2, 0, 0, "YD")), "6, 2026");

    const DateRenderer B = DateRenderer::EnglishB;
    EXPECT_EQ(Render(English(B, 0, 3, 0, 2, "YM")), "Dec-2026");
    EXPECT_EQ(Render(English(B, 0, 3, 0, 0, "YM")), "Dec, 2026");
    EXPECT_EQ(Render(English(B, 0, 2, 0, 0, "MDW")), "Sunday, 6 December");
    EXPECT_EQ(Render(English(B, 0, 2, 0, 0, "DW")), "Sunday, 6");
    EXPECT_EQ(Render(English(B, 0, 2, 0, 0, "Y")), "2026");
}

TEST(DateStyleCodeTest, OneBitPerGroupAndAnyStoredNumberRenders) {
    EXPECT_EQ(EncodeDateStyle(Japanese(3, 1, 1, 1, 1)),
              0xFu | Bit(7) | Bit(11) | Bit(16) | Bit(19) | Bit(23) | Bit(28));
    EXPECT_EQ(EncodeDateStyle(Japanese(0, 0, 0, 0, 3, "YD")),
              0x5u | Bit(4) | Bit(10) | Bit(15) | Bit(18) | Bit(25) | Bit(28));
    // English styles have no fourth value.
    EXPECT_EQ(EncodeDateStyle(English(DateRenderer::EnglishB, 1, 3, 1, 2)),
              0xFu | Bit(5) | Bit(13) | Bit(16) | Bit(24) | Bit(30));
    EXPECT_EQ(EncodeDateStyle(English(DateRenderer::EnglishA, 0, 2, 0, 0)),
              0xFu | Bit(4) | Bit(12) | Bit(15) | Bit(22) | Bit(29));
    EXPECT_EQ(RenderBuiltIn(0u, kSunday), "");
    // Every bit: the lowest value of each group, the Japanese renderer.
    EXPECT_EQ(DecodeDateStyle(0xFFFFFFFFu), Japanese(0, 0, 0, 0, 0));
}

TEST(CandidateListTest, JapaneseAndEnglishLines) {
    const std::vector<std::uint32_t> codes = CandidateDateCodes(false, {});
    ASSERT_EQ(codes.size(), 32u);
    EXPECT_EQ(std::set<std::uint32_t>(codes.begin(), codes.end()).size(), 32u);
    const std::vector<std::pair<int, std::string>> lines = {
        {0, "2026年12月6日日曜日"}, {2, "平成38年12月6日日曜日"},
        {4, "H38年12月6日(日)"},    {6, "2026/12/6日曜日"},
        {13, "H38/12/06(日)"},      {17, "26/12/6(日)"},
        {18, "2026-12-6日曜日"},    {26, "26-12-06日曜日"},
        {29, "26-12-6(日)"},        {30, "20261206(日)"},
        {31, "261206(日)"}};
    for (const auto& [index, text] : lines)
        EXPECT_EQ(RenderBuiltIn(codes[index], kSunday), text) << index;
    for (std::uint32_t code : codes) EXPECT_EQ(EncodeDateStyle(DecodeDateStyle(code)), code);

    const std::vector<std::uint32_t> english = CandidateDateCodes(true, {});
    const std::vector<std::string> expected = {
        "Wednesday, March 9, 2005", "Wednesday, Mar 9, 2005", "Wednesday, Mar 9, 05",
        "Wednesday, 9 March, 2005", "Wednesday, 9 Mar, 2005", "Wednesday, 9 Mar, 05",
        "Wednesday, 09-Mar-2005",   "Wednesday, 09-Mar-05",   "Wednesday, 09-03-2005",
        "Wednesday, 09-03-05"};
    ASSERT_EQ(english.size(), expected.size());
    for (std::size_t i = 0; i < english.size(); ++i)
        EXPECT_EQ(RenderBuiltIn(english[i], kWednesday), expected[i]) << i;
    // Every line keeps the parts shown when it was listed.
    for (std::uint32_t code : CandidateDateCodes(true, On("YM"))) EXPECT_EQ(code & 0xFu, 0x3u);
    EXPECT_EQ(RenderBuiltIn(CandidateDateCodes(false, On("YM"))[0], kSunday), "2026年12月");
}

TEST(UserFormatTest, LiteralsAroundFourTokens) {
    EXPECT_EQ(RenderUserFormat("Date: \"y1\"-\"m2\"-\"d2\" (\"w2\")", kWednesday),
              "Date: 2005-03-09 (Wednesday)");
    // All slots empty: just the literals; an unknown token gives nothing.
    EXPECT_EQ(RenderUserFormat("[\"\"a\"\"b\"\"c\"\"]", kSunday), "[abc]");
    EXPECT_EQ(RenderUserFormat("x\"zz\"y\"\"\"\"\"\"", kSunday), "xy");
    // Quotes after the eighth belong to the last literal; an unclosed token is dropped.
    EXPECT_EQ(RenderUserFormat("a\"y1\"b\"m1\"c\"d1\"d\"w1\"e\"f", kSunday), "a2026b12c6d日e\"f");
    EXPECT_EQ(RenderUserFormat("a\"y1\"b\"m1", kSunday), "a2026b");

    const std::string format = ComposeUserFormat({"<", "/", "", "", ">"}, {"y2", "m2", "", "w1"});
    EXPECT_EQ(format, "<\"y2\"/\"m2\"\"\"\"w1\">");
    EXPECT_EQ(RenderUserFormat(format, kWednesday), "<05/03水>");
}

TEST(DatePartsCouplingTest, ShownPartsLeaveNoGap) {
    using P = DatePart;
    auto couple = [](std::string_view parts, P part) { return CoupleDateParts(On(parts), part); };
    // The switched part already has its new value.
    EXPECT_EQ(couple("YW", P::Year), On("YMDW"));
    EXPECT_EQ(couple("YD", P::Year), On("YMD"));
    EXPECT_EQ(couple("MW", P::Month), On("MDW"));
    EXPECT_EQ(couple("YDW", P::Month), On("Y"));
    EXPECT_EQ(couple("DW", P::Month), On("DW"));
    EXPECT_EQ(couple("YD", P::Day), On("YMD"));
    EXPECT_EQ(couple("MW", P::Day), On("M"));
    EXPECT_EQ(couple("W", P::Day), On("W"));
    EXPECT_EQ(couple("YW", P::Weekday), On("YMDW"));
    EXPECT_EQ(couple("MW", P::Weekday), On("MDW"));
    EXPECT_EQ(couple("MDW", P::Year), On("MDW"));
    EXPECT_EQ(couple("YMD", P::Weekday), On("YMD"));
}

// The favourites file.

class FavDateMarksTest : public ::testing::Test {
  protected:
    FavDateMarksTest() { QFile::remove(Path()); }
    static QString Path() { return UsersDataFile(CFavDateMarks::kFileName); }
};

TEST_F(FavDateMarksTest, BytesOfTheFileAndTheRoundTrip) {
    CFavDateMarks marks;
    EXPECT_EQ(marks.Load(), CFavDateMarks::LoadStatus::Missing);
    EXPECT_EQ(marks.AddCode(0x1000000F), 0);
    EXPECT_EQ(marks.AddCode(5), 1);
    EXPECT_EQ(marks.AddCode(0x1000000F), 0);
    EXPECT_EQ(marks.AddFormat("\"y1\"年"), 0);
    EXPECT_EQ(marks.AddFormat("\"y1\"年"), 0);
    EXPECT_EQ(marks.Serialize(),
              std::string("\x02\x00\x0F\x00\x00\x10\x05\x00\x00\x00\x01\x00\x07", 13) + "\"y1\"年");

    marks.AddFormat(std::string(300, 'x'));  // a long string takes the 0xFF prefix
    ASSERT_TRUE(marks.Save());
    CFavDateMarks loaded;
    EXPECT_EQ(loaded.Load(), CFavDateMarks::LoadStatus::Loaded);
    EXPECT_EQ(loaded.Codes(), marks.Codes());
    EXPECT_EQ(loaded.Formats(), marks.Formats());
}

TEST_F(FavDateMarksTest, DamagedFilesGiveEmptyLists) {
    CFavDateMarks marks;
    marks.AddCode(3);
    marks.AddFormat("abc");
    const std::string good = marks.Serialize();
    const std::vector<std::string> damaged = {
        good.substr(0, good.size() - 1),             // string cut short
        good.substr(0, 4),                           // code cut short
        good + "x",                                  // trailing bytes
        std::string("\xFF\xFF\xFF\xFF\xFF\x7F", 6),  // a huge code count
        std::string("\x00\x00\xFE\xFF", 4),          // a huge format count
    };
    for (const std::string& bytes : damaged) {
        CFavDateMarks read;
        read.AddCode(1);
        EXPECT_FALSE(read.Deserialize(bytes));
        EXPECT_TRUE(read.Codes().empty() && read.Formats().empty());
    }
}

// The insert dialog.

class DateStampDialogTest : public FavDateMarksTest {
  protected:
    DateStampDialogTest() {
        test::ClearSettings();
        CDateStampDialog::clock = [] { return kSunday; };
    }
    ~DateStampDialogTest() override {
        CDateStampDialog::clock = nullptr;
        test::InstallNonBlockingSeams();
    }
    static void SaveFavourites(std::vector<std::uint32_t> codes,
                               std::vector<std::string> formats = {}) {
        CFavDateMarks marks;
        for (std::uint32_t code : codes) marks.AddCode(code);
        for (const std::string& format : formats) marks.AddFormat(format);
        ASSERT_TRUE(marks.Save());
    }
    static QStringList Texts(QListWidget* list) {
        QStringList texts;
        for (int i = 0; i < list->count(); ++i) texts << list->item(i)->text();
        return texts;
    }
    static int Cursel() { return AppStore().GetProfileInt("EditorSettings", "DayStampCursel", -5); }
};

TEST_F(DateStampDialogTest, OpensReducedWithDefaults) {
    CDateStampDialog dialog(kSunday);
    EXPECT_FALSE(dialog.Enlarged());
    EXPECT_EQ(dialog.settingsButton->text(), QString::fromUtf8("お気に入りの設定(&O) >>"));
    dialog.settingsButton->click();
    EXPECT_TRUE(dialog.Enlarged());
    EXPECT_EQ(dialog.settingsButton->text(), QString::fromUtf8("<< (&O)"));
    dialog.settingsButton->click();
    EXPECT_FALSE(dialog.Enlarged());

    EXPECT_EQ(dialog.PartsOn(), DatePartsOn{});
    EXPECT_TRUE(dialog.japaneseButton->isChecked());
    EXPECT_EQ(dialog.candidateList->count(), 32);
    // No favourites file: nothing to insert or remove, nothing to add before a candidate is chosen.
    EXPECT_EQ(dialog.favouriteList->count(), 0);
    EXPECT_FALSE(dialog.insertButton->isEnabled());
    EXPECT_FALSE(dialog.removeButton->isEnabled());
    EXPECT_FALSE(dialog.addButton->isEnabled());
}

TEST_F(DateStampDialogTest, StoredSettingsAndFavouritesShowOnOpening) {
    AppStore().WriteProfileInt("EditorSettings", "DayStampOption", 1 | 2 | 16);
    SaveFavourites({EncodeDateStyle(Japanese(3, 0, 0, 1, 0)),
                    EncodeDateStyle(English(DateRenderer::EnglishB, 0, 3, 1, 2))},
                   {"<\"y1\">"});
    AppStore().WriteProfileInt("EditorSettings", "DayStampCursel", 2);

    CDateStampDialog dialog(kSunday);
    EXPECT_EQ(dialog.PartsOn(), On("YM"));
    EXPECT_TRUE(dialog.englishButton->isChecked());
    EXPECT_EQ(dialog.candidateList->count(), 10);
    EXPECT_EQ(dialog.candidateList->item(0)->text(), "December, 2026");
    // Favourites show with the parts stored in their own codes.
    EXPECT_EQ(Texts(dialog.favouriteList), QStringList({QString::fromUtf8("平成38年12月6日(日)"),
                                                        "Sunday, 06-Dec-2026", "<2026>"}));
    EXPECT_EQ(dialog.favouriteList->currentRow(), 2);
    EXPECT_EQ(dialog.favouriteEdit->text(), "<2026>");
    EXPECT_TRUE(dialog.insertButton->isEnabled());

    AppStore().WriteProfileInt("EditorSettings", "DayStampCursel", 3);
    CDateStampDialog outOfRange(kSunday);
    EXPECT_TRUE(outOfRange.favouriteList->selectedItems().isEmpty());
    EXPECT_FALSE(outOfRange.insertButton->isEnabled());
}

TEST_F(DateStampDialogTest, CheckBoxesFollowEachOtherAndRefillTheCandidates) {
    CDateStampDialog dialog(kSunday);
    for (QCheckBox* box : dialog.partBoxes) box->setChecked(false);
    dialog.partBoxes[3]->click();  // weekday only
    dialog.candidateList->setCurrentRow(3);
    EXPECT_EQ(dialog.candidateList->currentItem()->text(), QString::fromUtf8("(日)"));

    // With only year and weekday checked, the year forces month and day on.
    dialog.partBoxes[0]->click();
    EXPECT_EQ(dialog.PartsOn(), DatePartsOn{});
    EXPECT_EQ(dialog.candidateList->currentRow(), 3);
    EXPECT_EQ(dialog.candidateList->currentItem()->text(), QString::fromUtf8("2026年12月6日(日)"));

    dialog.partBoxes[1]->click();  // month off while the year is on
    EXPECT_EQ(dialog.PartsOn(), On("Y"));
    dialog.englishButton->click();
    EXPECT_EQ(dialog.candidateList->count(), 10);
    EXPECT_EQ(dialog.candidateList->currentRow(), 3);
    EXPECT_EQ(dialog.candidateList->currentItem()->text(), "2026");
}

TEST_F(DateStampDialogTest, AddAndRemoveFavourites) {
    CDateStampDialog dialog(kSunday);
    dialog.candidateList->setCurrentRow(30);
    dialog.addButton->click();
    dialog.addButton->click();  // the same candidate twice keeps one favourite
    EXPECT_EQ(Texts(dialog.favouriteList), QStringList(QString::fromUtf8("20261206(日)")));

    dialog.candidateList->setCurrentRow(0);
    dialog.addButton->click();
    dialog.favouriteList->setCurrentRow(0);
    dialog.removeButton->click();
    EXPECT_EQ(Texts(dialog.favouriteList), QStringList(QString::fromUtf8("2026年12月6日日曜日")));
    EXPECT_FALSE(dialog.insertButton->isEnabled());
    EXPECT_TRUE(dialog.favouriteEdit->text().isEmpty());
}

TEST_F(DateStampDialogTest, UserDefinedFavouriteFromTheFormatBuilder) {
    SaveFavourites({EncodeDateStyle(Japanese(0, 0, 0, 0, 0))}, {"old"});
    dialog_seam::SetScript([](QDialog& d) {
        auto* builder = dynamic_cast<CDateFormatDialog*>(&d);
        EXPECT_NE(builder, nullptr);
        if (!builder)
            return 0;
        builder->slotButtons[1]->click();
        builder->tokenButtons[4]->click();  // m2
        builder->slotButtons[3]->click();
        builder->tokenButtons[9]->click();  // w1
        builder->literalEdits[0]->setText("[");
        builder->literalEdits[4]->setText("]");
        return static_cast<int>(QDialog::Accepted);
    });
    CDateStampDialog dialog(kSunday);
    dialog.userFormatButton->click();
    dialog.userFormatButton->click();  // the same format again is not added
    EXPECT_EQ(dialog.Favourites().Formats(),
              (std::vector<std::string>{"old", "[\"\"\"m2\"\"\"\"w1\"]"}));
    // The new favourite comes after the other user-defined one, selected.
    EXPECT_EQ(dialog.favouriteList->currentRow(), 2);
    EXPECT_EQ(dialog.favouriteEdit->text(), QString::fromUtf8("[12日]"));
}

TEST_F(DateStampDialogTest, ClosingSavesTheListAndSelection) {
    SaveFavourites({EncodeDateStyle(Japanese(0, 0, 0, 0, 0))});
    {
        CDateStampDialog dialog(kSunday);
        dialog.candidateList->setCurrentRow(6);
        dialog.addButton->click();
        dialog.englishButton->click();
        dialog.reject();
        dialog.StoreOnClose();
    }
    // Cancel saves the favourites and the selection but not the list settings.
    EXPECT_EQ(Cursel(), 1);
    EXPECT_FALSE(AppStore().HasEntry("EditorSettings", "DayStampOption"));
    CFavDateMarks saved;
    EXPECT_EQ(saved.Load(), CFavDateMarks::LoadStatus::Loaded);
    EXPECT_EQ(saved.Codes().size(), 2u);

    CDateStampDialog dialog(kSunday);
    dialog.favouriteEdit->setText("edited");
    for (QCheckBox* box : dialog.partBoxes) box->setChecked(false);
    dialog.partBoxes[0]->click();
    dialog.englishButton->click();
    dialog.insertButton->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Result(), "edited");
    EXPECT_EQ(AppStore().GetProfileInt("EditorSettings", "DayStampOption", -1), 1 | 16);
}

TEST_F(DateStampDialogTest, DamagedFileIsReportedAndKeptUntilChanged) {
    const std::string damaged("\x05\x00\x01", 3);
    test::WriteTestFile(Path(), damaged);
    test::ScriptedSeams seams;
    {
        CDateStampDialog dialog(kSunday);
        ASSERT_EQ(seams.Messages().size(), 1u);
        EXPECT_TRUE(seams.Messages()[0].text.contains("favdmarks.vkd"));
        EXPECT_EQ(dialog.favouriteList->count(), 0);
        dialog.StoreOnClose();
    }
    EXPECT_EQ(test::ReadTestFile(Path()), damaged);

    CDateStampDialog dialog(kSunday);
    dialog.candidateList->setCurrentRow(0);
    dialog.addButton->click();
    dialog.StoreOnClose();
    CFavDateMarks saved;
    EXPECT_EQ(saved.Load(), CFavDateMarks::LoadStatus::Loaded);
}

TEST(DateFormatDialogTest, SlotsTokensAndPreview) {
    CDateFormatDialog builder(kWednesday);
    EXPECT_EQ(builder.tokenButtons[3]->text(), QString::fromUtf8("3 (1月→1)"));
    EXPECT_EQ(builder.tokenButtons[8]->text(), QString::fromUtf8("09 (1日→01)"));
    for (QPushButton* button : builder.tokenButtons) EXPECT_FALSE(button->isEnabled());
    EXPECT_FALSE(builder.clearButton->isEnabled());
    EXPECT_FALSE(builder.okButton->isEnabled());  // nothing to add yet

    builder.slotButtons[0]->click();
    EXPECT_TRUE(builder.tokenButtons[0]->isEnabled());
    EXPECT_TRUE(builder.slotButtons[0]->styleSheet().contains("rgb(255, 255, 0)"));
    EXPECT_TRUE(builder.slotButtons[1]->styleSheet().contains("rgb(221, 221, 221)"));
    builder.tokenButtons[8]->click();  // d2: its value is the caption up to the blank
    EXPECT_EQ(builder.slotButtons[0]->text(), "09");

    builder.slotButtons[2]->click();
    builder.tokenButtons[1]->click();
    builder.tokenButtons[10]->click();  // a second token replaces the first
    EXPECT_TRUE(builder.slotButtons[0]->styleSheet().contains("rgb(221, 221, 221)"));
    QTest::keyClicks(builder.literalEdits[1], "a\"b");  // quotes are refused
    EXPECT_EQ(builder.preview->text(), "09abWednesday");
    EXPECT_EQ(builder.Format(), "\"d2\"ab\"\"\"w2\"\"\"");
    EXPECT_EQ(RenderUserFormat(builder.Format(), kWednesday),
              builder.preview->text().toStdString());

    builder.clearButton->click();
    EXPECT_EQ(builder.SlotToken(2), "");
    EXPECT_EQ(builder.preview->text(), "09ab");
}

// The command on a view.

class DateStampCommandTest : public DateStampDialogTest {
  protected:
    DateStampCommandTest() : view(settings, &doc) {
        InstallTagCaseConversion();
        InstallDateStampCommand(view);
    }
    // Runs the command with text and selection; the dialog presses "挿入" on
    // favourite row, or is cancelled.
    void Run(std::string_view text, int start, int end, int row, bool insert = true) {
        view.SetText(text);
        view.Control().SetSel(start, end);
        view.RefreshCaretContextAsClick();
        dialog_seam::SetScript([row, insert](QDialog& d) {
            auto* dialog = dynamic_cast<CDateStampDialog*>(&d);
            EXPECT_NE(dialog, nullptr);
            if (!dialog)
                return 0;
            dialog->favouriteList->setCurrentRow(row);
            if (insert)
                dialog->insertButton->click();
            return insert ? dialog->result() : static_cast<int>(QDialog::Rejected);
        });
        EXPECT_TRUE(view.ExecuteCommand(kDateStampCommand));
    }
    CAppSettings settings;
    CVeskHtmlDoc doc;
    CVeskHtmlView view;
};

TEST_F(DateStampCommandTest, ReplacesTheSelectionAsOneUndoStep) {
    SaveFavourites({EncodeDateStyle(Japanese(0, 0, 0, 1, 0))}, {"<B>\"w2\"</B>"});
    Run("ab<P>cd", 1, 2, 0);
    const std::string date = "2026年12月6日(日)";
    EXPECT_EQ(view.Control().WholeText(), "a" + date + "<P>cd");
    int start = 0, end = 0;
    view.Control().GetSel(start, end);
    EXPECT_EQ(start, 1 + static_cast<int>(date.size()));
    EXPECT_EQ(end, start);
    ASSERT_EQ(view.Journal().UndoCount(), 1);
    EXPECT_EQ(view.Journal().UndoList()[0].kind, kUndoInsert);
    view.OnEditUndo();
    EXPECT_EQ(view.Control().WholeText(), "ab<P>cd");

    // Inserted as it is, whatever the tag-case setting; coloured as any text.
    settings.general.sizeLower = 1;
    view.RefreshSettings();
    Run("x", 0, 0, 1);
    EXPECT_EQ(view.Control().WholeText(), "<B>Sunday</B>x");
    EXPECT_EQ(view.Control().StyleAt(0), 1);  // tag style
    EXPECT_EQ(Cursel(), 1);
}

TEST_F(DateStampCommandTest, CancelLeavesTheTextButStoresTheSelection) {
    SaveFavourites({EncodeDateStyle(Japanese(0, 0, 0, 1, 0)), 0x1u | Bit(4) | Bit(28)});
    Run("xyz", 1, 1, 1, false);
    EXPECT_EQ(view.Control().WholeText(), "xyz");
    EXPECT_EQ(Cursel(), 1);
    EXPECT_EQ(view.Journal().UndoCount(), 0);
}

}  // namespace
