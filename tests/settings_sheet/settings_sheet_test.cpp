// The settings sheet as a whole: what OK stores, what Cancel leaves, the pages' values.

#include "settings_sheet/settings_sheet.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QColorDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTabWidget>
#include <QTest>

#include "app/doc_list.h"
#include "platform/settings_store.h"
#include "settings_sheet/font_dialog_ex.h"
#include "settings_sheet/settings_pages.h"
#include "settings_test_support.h"
#include "support/test_env.h"

namespace {

class SettingsSheetTest : public ::testing::Test {
  protected:
    void SetUp() override { vesk::test::ClearSettings(); }

    // Runs the sheet; edit fills in the pages, the answer closes it.
    bool Run(const std::function<void(CPrpIni&)>& edit, int answer = QDialog::Accepted) {
        DialogScript script([&](QDialog& dialog) {
            if (auto* sheet = qobject_cast<CPrpIni*>(&dialog)) {
                edit(*sheet);
                return answer;
            }
            return nested ? nested(dialog) : int(QDialog::Rejected);
        });
        SettingsSheetHooks hooks;
        hooks.bars = bars;
        hooks.applied = [this](bool colouring) { appliedCalls.push_back(colouring); };
        hooks.applyBars = [this](const BarVisibility& shown, bool layoutsChanged) {
            appliedBars = shown;
            barCalls.push_back(layoutsChanged);
        };
        return RunSettingsSheet(settings, nullptr, hooks);
    }

    int Stored(const char* section, const char* entry) {
        return store.GetProfileInt(section, entry, -999);
    }

    ISettingsStore& store = AppStore();
    CAppSettings settings;
    BarVisibility bars = BarVisibility::AllShown();
    std::function<int(QDialog&)> nested;  // dialogs opened from the pages
    std::vector<bool> appliedCalls;
    std::vector<bool> barCalls;
    BarVisibility appliedBars;
};

TEST_F(SettingsSheetTest, OkStoresEditorValuesAndActivePage) {
    settings.general.sizeLower = 0;
    settings.general.docListBarItems = 0;
    ASSERT_TRUE(Run([](CPrpIni& sheet) {
        CPrpIniEditor* page = sheet.EditorPage();
        EXPECT_TRUE(page->UpperRadio()->isChecked());
        page->LowerRadio()->setChecked(true);
        page->TitleBox()->setChecked(true);
        page->WrapBox()->setChecked(true);
        page->PreviewFormRadio(2)->setChecked(true);
        sheet.Tabs()->setCurrentIndex(CPrpIni::kBrowsPage);
    }));
    EXPECT_EQ(Stored("EditorSettings", "SizeLower"), 1);
    EXPECT_EQ(Stored("EditorSettings", "DoclistbarItems"), 1);
    EXPECT_EQ(Stored("EditorSettings", "InidlgDefpage"), 2);
    EXPECT_EQ(Stored("EditorSettings", "WRAP"), 1);
    EXPECT_EQ(Stored("EditorSettings", "VVPreviewForm"), 2);
    EXPECT_EQ(appliedCalls, std::vector<bool>{false});
    EXPECT_EQ(barCalls, std::vector<bool>{false});
}

TEST_F(SettingsSheetTest, SizeLowerAndDocumentListBits) {
    settings.general.sizeLower = 5;  // any non-zero value means lower case
    settings.general.docListBarItems = 1;
    ASSERT_TRUE(Run([](CPrpIni& sheet) {
        CPrpIniEditor* page = sheet.EditorPage();
        EXPECT_TRUE(page->LowerRadio()->isChecked());
        EXPECT_TRUE(page->TitleBox()->isChecked());
        EXPECT_FALSE(page->GroupNameBox()->isChecked());
        page->UpperRadio()->setChecked(true);
        page->GroupNameBox()->setChecked(true);
    }));
    EXPECT_EQ(Stored("EditorSettings", "SizeLower"), 0);
    EXPECT_EQ(Stored("EditorSettings", "DoclistbarItems"), 3);
}

// Ticked with the mouse, each box shows in the document list what its label says.
TEST_F(SettingsSheetTest, DocumentListBoxesShowWhatTheirLabelsSay) {
    const struct {
        const char* label;
        std::string line;
    } cases[] = {
        {"HTMLタイトルを表示(&T)", "/w/a.html -Top-"},
        {"グループ名を表示(&G)", "/w/a.html  [ web ] "},
    };
    for (const auto& c : cases) {
        settings.general.docListBarItems = 0;
        ASSERT_TRUE(Run([&](CPrpIni& sheet) {
            sheet.Tabs()->setCurrentIndex(CPrpIni::kEditorPage);
            sheet.show();
            QCheckBox* box = nullptr;
            for (QCheckBox* candidate : sheet.EditorPage()->findChildren<QCheckBox*>()) {
                if (candidate->text() == QString::fromUtf8(c.label))
                    box = candidate;
            }
            ASSERT_NE(box, nullptr) << c.label;
            QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
        }));
        EXPECT_EQ(FormatDocumentLine("/w/a.html", "Top", "web",
                                     Stored("EditorSettings", "DoclistbarItems")),
                  c.line)
            << c.label;
    }
}

TEST_F(SettingsSheetTest, CancelChangesNothing) {
    const SettingsSnapshot before = settings.CopyOut();
    const ButtonLayouts layoutsBefore = settings.buttonLayouts;
    EXPECT_FALSE(Run(
        [](CPrpIni& sheet) {
            sheet.EditorPage()->LowerRadio()->setChecked(true);
            sheet.FontPage()->NoColourBox(kStyleTag)->setChecked(true);
            sheet.BrowsPage()->PathEdit(CPrpIniBrows::kIePath)->setText("/x");
            CPrpIniToolbutton* page = sheet.ToolbarPage();
            page->UsedList()->setCurrentRow(0);
            page->Remove();
            sheet.Tabs()->setCurrentIndex(CPrpIni::kToolbarPage);
        },
        QDialog::Rejected));
    EXPECT_EQ(settings.CopyOut(), before);
    EXPECT_EQ(settings.buttonLayouts, layoutsBefore);
    EXPECT_TRUE(QSettings("Brindlework", "VeskHtml").allKeys().isEmpty());
    EXPECT_TRUE(appliedCalls.empty());
    EXPECT_TRUE(barCalls.empty());
}

TEST_F(SettingsSheetTest, OpensOnThePageLastConfirmed) {
    ASSERT_TRUE(Run([](CPrpIni& sheet) { sheet.Tabs()->setCurrentIndex(CPrpIni::kToolbarPage); }));
    int shown = -1;
    EXPECT_FALSE(Run(
        [&](CPrpIni& sheet) {
            shown = sheet.Tabs()->currentIndex();
            sheet.Tabs()->setCurrentIndex(CPrpIni::kEditorPage);
        },
        QDialog::Rejected));
    EXPECT_EQ(shown, CPrpIni::kToolbarPage);
    Run([&](CPrpIni& sheet) { shown = sheet.Tabs()->currentIndex(); }, QDialog::Rejected);
    EXPECT_EQ(shown, CPrpIni::kToolbarPage);

    settings.general.iniDlgDefPage = 9;  // a damaged stored value
    Run([&](CPrpIni& sheet) { shown = sheet.Tabs()->currentIndex(); }, QDialog::Rejected);
    EXPECT_EQ(shown, CPrpIni::kFontPage);
}

TEST_F(SettingsSheetTest, ColouringSwitchesRaiseTheGeneration) {
    settings.general.formatCom = 0;
    const int generation = settings.general.colouringGeneration;
    ASSERT_TRUE(Run([](CPrpIni& sheet) {
        CPrpIniFont* page = sheet.FontPage();
        EXPECT_FALSE(page->NoColourBox(kStyleTag)->isChecked());
        EXPECT_TRUE(page->NoColourBox(kStyleCom)->isChecked());
        page->NoColourBox(kStyleTag)->setChecked(true);
    }));
    EXPECT_EQ(Stored("EditorSettings", "Format-TAG"), 0);
    EXPECT_EQ(Stored("EditorSettings", "Format-COM"), 0);
    EXPECT_EQ(Stored("EditorSettings", "Format-VAL"), 1);
    EXPECT_EQ(settings.general.colouringGeneration, generation + 1);
    EXPECT_EQ(appliedCalls, std::vector<bool>{true});
}

TEST_F(SettingsSheetTest, PathsAreBrowsedAndStored) {
    vesk::test::ScriptedSeams seams;
    seams.dialogs.push_back(vesk::test::Chosen({"/opt/browser/run"}));
    seams.dialogs.push_back(vesk::FileDialogResult{});  // cancelled
    seams.dialogs.push_back(vesk::test::Chosen({"/usr/bin/gimp"}));
    ASSERT_TRUE(Run([](CPrpIni& sheet) {
        CPrpIniBrows* page = sheet.BrowsPage();
        page->BrowseButton(CPrpIniBrows::kNnPath)->click();
        page->Browse(CPrpIniBrows::kHtmlAppPath);
        page->Browse(CPrpIniBrows::kImageAppPath);
    }));
    ASSERT_EQ(seams.requests.size(), 3u);
    EXPECT_EQ(seams.requests[0].title, QStringLiteral("ブラウザのパスの指定"));
    EXPECT_EQ(seams.requests[1].title, QStringLiteral("アプリケーションのパスの指定"));
    EXPECT_TRUE(seams.requests[0].filter.startsWith(QStringLiteral("プログラム(*.exe)|")));
    EXPECT_EQ(settings.general.nnPath, "/opt/browser/run");
    EXPECT_EQ(settings.general.htmlAppPath, DefaultSettings().htmlAppPath);
    EXPECT_EQ(settings.general.imageAppPath, "/usr/bin/gimp");
}

// Picks face row 0, bold italic, 14 points and underline in the font chooser.
int ChooseBoldItalic14(QDialog& dialog) {
    auto* chooser = qobject_cast<CFontDialogEx*>(&dialog);
    if (!chooser)
        return QDialog::Rejected;
    chooser->FaceList()->setCurrentRow(0);
    chooser->StyleList()->setCurrentRow(3);
    chooser->SizeEdit()->setText("14");
    chooser->UnderlineBox()->setChecked(true);
    return QDialog::Accepted;
}

TEST_F(SettingsSheetTest, FontChosenForOneStyle) {
    settings.general.styles[kStyleCom].effects = kEffectStrikeout;
    QString face;
    QString sizeText;
    QString styleText;
    ASSERT_TRUE(Run([&](CPrpIni& sheet) {
        CPrpIniFont* page = sheet.FontPage();
        EXPECT_EQ(page->SizeLabel(kStyleCom)->text(), QStringLiteral("11ポイント"));
        EXPECT_EQ(page->StyleLabel(kStyleCom)->text(), QStringLiteral("標準 取り消し線 "));
        nested = [](QDialog&) { return int(QDialog::Rejected); };
        page->FontButton(kStyleTag)->click();  // cancelled: the tag style stays
        nested = ChooseBoldItalic14;
        page->FontButton(kStyleCom)->click();
        face = page->FaceLabel(kStyleCom)->text();
        sizeText = page->SizeLabel(kStyleCom)->text();
        styleText = page->StyleLabel(kStyleCom)->text();
    }));
    const StyleFormat& com = settings.general.styles[kStyleCom];
    EXPECT_EQ(com.height, 280);
    EXPECT_EQ(com.effects, kEffectBold | kEffectItalic | kEffectUnderline | kEffectStrikeout);
    EXPECT_EQ(com.faceName, face);
    EXPECT_EQ(com.textColor, DefaultSettings().styles[kStyleCom].textColor);
    EXPECT_EQ(sizeText, QStringLiteral("14ポイント"));
    EXPECT_EQ(styleText, QStringLiteral("太字 斜体 取り消し線 下線"));
    EXPECT_EQ(settings.general.styles[kStyleTag], DefaultSettings().styles[kStyleTag]);
    EXPECT_EQ(Stored("EditorFont", "com_yHeight"), 280);
    EXPECT_EQ(appliedCalls, std::vector<bool>{true});
}

TEST_F(SettingsSheetTest, PreviewFontChosenOnTheEditorPage) {
    nested = [](QDialog& dialog) {
        auto* chooser = qobject_cast<CFontDialogEx*>(&dialog);
        EXPECT_FALSE(chooser->UnderlineBox()->isVisibleTo(chooser));
        chooser->StyleList()->setCurrentRow(2);
        chooser->SizeList()->setCurrentItem(
            chooser->SizeList()->findItems("16", Qt::MatchExactly).first());
        return int(QDialog::Accepted);
    };
    QString sizeText;
    ASSERT_TRUE(Run([&](CPrpIni& sheet) {
        sheet.EditorPage()->FontButton()->click();
        sizeText = sheet.EditorPage()->SizeLabel()->text();
        EXPECT_EQ(sheet.EditorPage()->StyleLabel()->text(), QStringLiteral("太字 "));
    }));
    EXPECT_EQ(sizeText, QStringLiteral("16ポイント"));
    EXPECT_EQ(settings.general.previewSize, 16);
    EXPECT_EQ(settings.general.previewFont.height, -21);
    EXPECT_EQ(settings.general.previewFont.weight, 700);
    EXPECT_EQ(settings.general.previewFont.italic, 0);
    EXPECT_EQ(Stored("Preview_font", "size"), 16);
    // The preview font is no colouring style.
    EXPECT_EQ(appliedCalls, std::vector<bool>{false});
}

TEST_F(SettingsSheetTest, EmptiedToolbarStaysEmptyAfterRestart) {
    bars.toolbars[kToolbarPage] = false;
    ASSERT_TRUE(Run([](CPrpIni& sheet) {
        CPrpIniToolbutton* page = sheet.ToolbarPage();
        page->BarList()->item(2)->setCheckState(Qt::Checked);  // the page bar
        page->StatusBarBox()->setChecked(false);
        page->BarList()->setCurrentRow(0);
        while (page->UsedList()->count() > 1) {
            page->UsedList()->setCurrentRow(0);
            page->RemoveButton()->click();
        }
    }));
    EXPECT_EQ(barCalls, std::vector<bool>{true});
    EXPECT_TRUE(appliedBars.toolbars[kToolbarPage]);
    EXPECT_FALSE(appliedBars.statusBar);
    EXPECT_TRUE(settings.buttonLayouts[kToolbarMain].empty());
    EXPECT_EQ(Stored("ToolButonSetting", "n_MainButton"), 0);

    CAppSettings restarted;
    restarted.Load(store);
    EXPECT_TRUE(restarted.buttonLayouts[kToolbarMain].empty());
    EXPECT_EQ(restarted.buttonLayouts[kToolbarText], DefaultButtonLayout(kToolbarText));

    QSettings("Brindlework", "VeskHtml").remove("ToolButonSetting/ButtonSettings");
    restarted.Load(store);
    EXPECT_EQ(restarted.buttonLayouts, DefaultButtonLayouts());
}

// The font chooser on its own.

TEST(FontDialogEx, ColourDialogUsesTheStoredCustomColours) {
    vesk::test::ClearSettings();
    ISettingsStore& store = AppStore();
    store.WriteProfileInt("EditorFont", "EditorFontdlg_COLOR_5", 0x123456);
    FontChoice initial;
    initial.faceName = "ＭＳ Ｐゴシック";
    initial.colour = 0x0000FF;
    CFontDialogEx dialog(initial, true, store);
    QColor seenCustom;
    QColor seenInitial;
    DialogScript script([&](QDialog& d) {
        auto* chooser = qobject_cast<QColorDialog*>(&d);
        seenCustom = QColorDialog::customColor(5);
        seenInitial = chooser->currentColor();
        QColorDialog::setCustomColor(2, QColor(1, 2, 3));
        chooser->setCurrentColor(QColor(0x10, 0x20, 0x30));
        return int(QDialog::Accepted);
    });
    dialog.ColourButton()->click();
    EXPECT_EQ(ColorRefOf(seenCustom), 0x123456u);
    EXPECT_EQ(seenInitial, QColor(0xFF, 0, 0));
    EXPECT_EQ(dialog.Choice().colour, 0x302010u);
    EXPECT_EQ(store.GetProfileInt("EditorFont", "EditorFontdlg_COLOR_2", 0), 0x030201);
    EXPECT_EQ(store.GetProfileInt("EditorFont", "EditorFontdlg_COLOR_0", 0), 0xFFFFFF);
}

TEST(FontDialogEx, CancelledColourKeepsTheColourAndAMissingFaceStays) {
    FontChoice initial;
    initial.faceName = "No Such Face On This System";
    initial.points = 9;
    initial.colour = 0x808000;
    CFontDialogEx dialog(initial, true, AppStore());
    DialogScript script([](QDialog&) { return int(QDialog::Rejected); });
    dialog.ColourButton()->click();
    EXPECT_EQ(dialog.Choice(), initial);
    EXPECT_EQ(dialog.FaceList()->currentItem()->text(), initial.faceName);
}

TEST(FontDisplay, SampleLineFollowsTheColouringSwitches) {
    auto styles = [](const std::vector<SampleSegment>& segments) {
        std::vector<StyleIndex> result;
        for (const auto& s : segments) result.push_back(s.style);
        return result;
    };
    const auto all = SampleSegments(true, true, true);
    QString line;
    for (const auto& s : all) line += s.text;
    EXPECT_EQ(line, QStringLiteral("テキスト<TAG PARAM=\"param\"></TAG> <!-- コメント -->"));
    using V = std::vector<StyleIndex>;
    EXPECT_EQ(styles(all),
              (V{kStyleText, kStyleTag, kStyleParam, kStyleTag, kStyleTag, kStyleCom}));
    EXPECT_EQ(styles(SampleSegments(true, false, true)),
              (V{kStyleText, kStyleTag, kStyleTag, kStyleTag, kStyleTag, kStyleCom}));
    EXPECT_EQ(styles(SampleSegments(false, true, false)),
              (V{kStyleText, kStyleText, kStyleText, kStyleText, kStyleText, kStyleText}));
}

}  // namespace
