// Settings store and application settings: defaults, round trips, save order.

#include "core/app_settings.h"

#include <gtest/gtest.h>

#include <QSettings>
#include <map>
#include <utility>

#include "platform/settings_store.h"
#include "support/test_env.h"

namespace {

// Keeps values in memory and records every call in order.
class RecordingStore : public ISettingsStore {
  public:
    struct Call {
        std::string op;  // "int", "string", "delete", "flush"
        QString section;
        QString entry;
        QString value;
    };

    int GetProfileInt(const QString& section, const QString& entry, int defaultValue) override {
        auto it = values_.find({section, entry});
        if (it == values_.end())
            return defaultValue;
        bool ok = false;
        const int value = it->second.toInt(&ok);
        return ok ? value : defaultValue;
    }
    QString GetProfileString(const QString& section, const QString& entry,
                             const QString& defaultValue) override {
        auto it = values_.find({section, entry});
        return it == values_.end() ? defaultValue : it->second;
    }
    void WriteProfileInt(const QString& section, const QString& entry, int value) override {
        calls.push_back({"int", section, entry, QString::number(value)});
        values_[{section, entry}] = QString::number(value);
    }
    void WriteProfileString(const QString& section, const QString& entry,
                            const QString& value) override {
        calls.push_back({"string", section, entry, value});
        values_[{section, entry}] = value;
    }
    void DeleteSection(const QString& section) override {
        calls.push_back({"delete", section, {}, {}});
        std::erase_if(values_, [&](const auto& item) { return item.first.first == section; });
    }
    bool HasEntry(const QString& section, const QString& entry) override {
        return values_.count({section, entry}) != 0;
    }
    void Flush() override { calls.push_back({"flush", {}, {}, {}}); }

    std::vector<Call> calls;

  private:
    std::map<std::pair<QString, QString>, QString> values_;
};

QString FaceOfLength(int chars) {
    QString name;
    for (int i = 0; i < chars; ++i) name += QChar(u'ア' + i % 40);
    return name;
}

// Every general setting away from its default.
CAppSettings NonDefaultSettings() {
    CAppSettings app;
    SettingsSnapshot& s = app.general;
    s.formatTag = 0;
    s.formatCom = 0;
    s.formatVal = 0;
    s.wrap = 1;
    s.colorCopyDlgShowHide = 0;
    s.pathCopyDlgShowHide = 0;
    s.showHide = 0;
    s.omitTagP = 1;
    s.iniDlgDefPage = 2;
    s.sizeLower = 1;
    const std::uint32_t colours[kStyleCount] = {0x00FF00, 0xABCDEF, 0x123456, 0xFFFFFF};
    for (int i = 0; i < kStyleCount; ++i) {
        s.styles[i].height = 300 + 20 * i;
        s.styles[i].effects = kEffectBold | (i == 3 ? kEffectStrikeout : kEffectItalic);
        s.styles[i].textColor = colours[i];
        s.styles[i].charSet = i;  // 0, 1, 2, 3: all differ from 128
        s.styles[i].faceName = QString("Noto Sans CJK JP %1").arg(i);
    }
    s.previewFont.height = -24;
    s.previewFont.width = 7;
    s.previewFont.weight = 700;
    s.previewFont.italic = 1;
    s.previewFont.faceName = "IPAゴシック";
    s.previewSize = 18;
    s.iePath = "/usr/bin/chromium";
    s.nnPath = "/opt/firefox/firefox";
    s.imageAppPath = "/usr/bin/gimp";
    s.htmlAppPath = "/usr/bin/kate";
    s.docListBarItems = 1;
    s.vvPreviewForm = 0;
    app.childShowCmd = 1;
    app.tile = 1;
    app.currentShowHide = 0;
    app.buttonLayouts[kToolbarMain] = {13, -1, 0};
    return app;
}

class SettingsStoreTest : public ::testing::Test {
  protected:
    void SetUp() override { vesk::test::ClearSettings(); }
};

// --- The QSettings store -------------------------------------------------------

TEST_F(SettingsStoreTest, MissingAndUnreadableValuesTakeTheDefault) {
    auto store = MakeQtSettingsStore();
    EXPECT_EQ(store->GetProfileInt("EditorSettings", "WRAP", 7), 7);
    EXPECT_EQ(store->GetProfileString("PathSettings", "IEPath", "dflt"), "dflt");
    EXPECT_FALSE(store->HasEntry("EditorSettings", "WRAP"));

    store->WriteProfileString("EditorSettings", "WRAP", "not a number");
    EXPECT_EQ(store->GetProfileInt("EditorSettings", "WRAP", 7), 7);

    // An empty string is a value, not a missing one.
    store->WriteProfileString("PathSettings", "IEPath", "");
    EXPECT_EQ(store->GetProfileString("PathSettings", "IEPath", "dflt"), "");
    EXPECT_TRUE(store->HasEntry("PathSettings", "IEPath"));
}

TEST_F(SettingsStoreTest, ValuesAreGroupsOfTheBrindleworkVeskHtmlSettings) {
    auto store = MakeQtSettingsStore();
    store->WriteProfileInt("ToolButonSetting", "MainButton#3", -1);
    store->WriteProfileString("Recent Value", "BODY_TEXT [0]", "#FF0000");
    store->Flush();

    QSettings direct("Brindlework", "VeskHtml");
    EXPECT_EQ(direct.value("ToolButonSetting/MainButton#3").toInt(), -1);
    EXPECT_EQ(direct.value("Recent Value/BODY_TEXT [0]").toString(), "#FF0000");

    // Another store of the same location sees the values at once.
    auto other = MakeQtSettingsStore();
    EXPECT_EQ(other->GetProfileInt("ToolButonSetting", "MainButton#3", 5), -1);
}

TEST_F(SettingsStoreTest, DeleteSectionRemovesOnlyThatSection) {
    auto store = MakeQtSettingsStore();
    store->WriteProfileInt("ToolButonSetting", "n_MainButton", 2);
    store->WriteProfileInt("ToolButonSetting", "ButtonSettings", 1);
    store->WriteProfileInt("EditorSettings", "WRAP", 1);
    store->DeleteSection("ToolButonSetting");
    EXPECT_FALSE(store->HasEntry("ToolButonSetting", "n_MainButton"));
    EXPECT_FALSE(store->HasEntry("ToolButonSetting", "ButtonSettings"));
    EXPECT_EQ(store->GetProfileInt("EditorSettings", "WRAP", 0), 1);
}

// --- Face names -----------------------------------------------------------------

TEST(CutFaceNameTest, KeepsAtMost31Characters) {
    EXPECT_EQ(CutFaceName(FaceOfLength(31)), FaceOfLength(31));
    EXPECT_EQ(CutFaceName(FaceOfLength(40)), FaceOfLength(31));
    EXPECT_EQ(CutFaceName(""), "");
}

TEST(CutFaceNameTest, CountsCodePointsAndNeverSplitsASurrogatePair) {
    const QString emoji = QString::fromUcs4(U"\U0001F600");
    ASSERT_EQ(emoji.size(), 2);
    // The pair is the 31st character: kept whole.
    EXPECT_EQ(CutFaceName(FaceOfLength(30) + emoji + "xyz"), FaceOfLength(30) + emoji);
    // The pair would be the 32nd character: dropped whole.
    EXPECT_EQ(CutFaceName(FaceOfLength(31) + emoji), FaceOfLength(31));
    // Pairs count once each: 31 of them fit.
    QString pairs;
    for (int i = 0; i < 33; ++i) pairs += emoji;
    EXPECT_EQ(CutFaceName(pairs), pairs.left(62));
}

// --- Load and save through the real store --------------------------------------

TEST_F(SettingsStoreTest, FirstStartGivesTheDefaults) {
    CAppSettings app;
    app.Load(AppStore());
    const SettingsSnapshot s = app.CopyOut();

    EXPECT_EQ(s.formatTag, 1);
    EXPECT_EQ(s.formatCom, 1);
    EXPECT_EQ(s.formatVal, 1);
    EXPECT_EQ(s.wrap, 0);
    EXPECT_EQ(s.colorCopyDlgShowHide, 1);
    EXPECT_EQ(s.pathCopyDlgShowHide, 1);
    EXPECT_EQ(s.showHide, 1);
    EXPECT_EQ(app.currentShowHide, 1);
    EXPECT_EQ(s.omitTagP, 0);
    EXPECT_EQ(s.iniDlgDefPage, 0);
    EXPECT_EQ(s.sizeLower, 0);

    // Tags blue, values teal, text black, comments red; all 11 point.
    const std::uint32_t colours[kStyleCount] = {0xFF0000, 0x808000, 0x000000, 0x0000FF};
    for (int i = 0; i < kStyleCount; ++i) {
        SCOPED_TRACE(i);
        const StyleFormat& style = s.styles[i];
        EXPECT_EQ(style.textColor, colours[i]);
        EXPECT_EQ(style.height, 220);
        EXPECT_EQ(style.effects, 0u);
        EXPECT_EQ(style.charSet, 128);
        EXPECT_EQ(style.faceName, "ＭＳ Ｐゴシック");
        EXPECT_EQ(style.mask, 0xF800000Fu);
        EXPECT_EQ(style.offset, 0);
        EXPECT_EQ(style.pitchAndFamily, 0);
    }
    EXPECT_EQ(s.previewFont.height, -16);
    EXPECT_EQ(s.previewFont.width, 0);
    EXPECT_EQ(s.previewFont.weight, 400);
    EXPECT_EQ(s.previewFont.italic, 0);
    EXPECT_EQ(s.previewFont.charSet, 128);
    EXPECT_EQ(s.previewFont.faceName, "ＭＳ Ｐゴシック");
    EXPECT_EQ(s.previewSize, 12);

    EXPECT_EQ(s.iePath, "xdg-open");
    EXPECT_EQ(s.htmlAppPath, "xdg-open");
    EXPECT_EQ(s.imageAppPath, "xdg-open");
    EXPECT_EQ(s.nnPath, "firefox");
    EXPECT_EQ(s.docListBarItems, 3);
    EXPECT_EQ(s.vvPreviewForm, 1);
    EXPECT_EQ(app.childShowCmd, 3);
    EXPECT_EQ(app.tile, 0);
}

TEST_F(SettingsStoreTest, EveryValueSurvivesSaveAndLoad) {
    const CAppSettings saved = NonDefaultSettings();
    saved.Save(AppStore());

    CAppSettings loaded;
    loaded.Load(*MakeQtSettingsStore());

    SettingsSnapshot expected = saved.general;
    expected.previewFont.charSet = 128;  // not stored
    for (StyleFormat& style : expected.styles) ASSERT_EQ(style.mask, StyleFormat::kMask);
    EXPECT_EQ(loaded.CopyOut(), expected);
    EXPECT_EQ(loaded.currentShowHide, 0);
    EXPECT_EQ(loaded.childShowCmd, 1);
    EXPECT_EQ(loaded.tile, 1);
    EXPECT_EQ(loaded.buttonLayouts, saved.buttonLayouts);
}

TEST_F(SettingsStoreTest, SaveWritesTheCurrentPaneVisibilityAndTheVersion) {
    CAppSettings app;
    app.Load(AppStore());
    app.currentShowHide = 0;  // pane closed during the run
    app.Save(AppStore());

    QSettings direct("Brindlework", "VeskHtml");
    EXPECT_EQ(direct.value("FileViewSettings/ShowHide").toInt(), 0);
    EXPECT_EQ(direct.value("VeskHtml/Version").toInt(), 276);
    EXPECT_EQ(direct.value("EditorFont/tag_crTextColor").toInt(), 16711680);

    // The version is written only: a stored one changes nothing on load.
    CAppSettings again;
    again.Load(AppStore());
    EXPECT_EQ(again.general.showHide, 0);
}

TEST_F(SettingsStoreTest, LongFaceNamesInTheStoreAreCut) {
    AppStore().WriteProfileString("EditorFont", "com_szFaceName", FaceOfLength(40));
    AppStore().WriteProfileString("Preview_font", "lfFaceName", FaceOfLength(40));
    CAppSettings app;
    app.Load(AppStore());
    EXPECT_EQ(app.general.styles[kStyleCom].faceName, FaceOfLength(31));
    EXPECT_EQ(app.general.previewFont.faceName, FaceOfLength(31));
    EXPECT_EQ(app.general.styles[kStyleTag].faceName, "ＭＳ Ｐゴシック");
}

TEST_F(SettingsStoreTest, UnreadableValuesTakeTheirDefaultsOnLoad) {
    AppStore().WriteProfileString("EditorFont", "tag_yHeight", "big");
    AppStore().WriteProfileString("EditorSettings", "Format-TAG", "");
    CAppSettings app;
    app.Load(AppStore());
    EXPECT_EQ(app.general.styles[kStyleTag].height, 220);
    EXPECT_EQ(app.general.formatTag, 1);
}

// --- Save order -----------------------------------------------------------------

TEST(AppSettingsSaveTest, WritesEveryValueInTheFixedOrder) {
    CAppSettings app;
    app.general.showHide = 1;
    app.currentShowHide = 0;
    app.buttonLayouts = ButtonLayouts{};
    app.buttonLayouts[kToolbarMain] = {2, -1};
    app.buttonLayouts[kToolbarChar] = {4};
    RecordingStore store;
    app.Save(store);

    using Entry = std::pair<QString, QString>;
    std::vector<Entry> expected = {
        {"FileViewSettings", "ShowHide"},
        {"PathSettings", "HtmlAppPath"},
        {"PathSettings", "ImageAppPath"},
        {"ChildWndStyle", "WINDOWPLACEMENT"},
        {"ChildWndStyle", "TILE"},
        {"EditorSettings", "WRAP"},
        {"EditorSettings", "Omit_tagP"},
        {"EditorSettings", "ColorCopyDlgSHOW-HIDE"},
        {"EditorSettings", "PathCopyDlgSHOW-HIDE"},
        {"EditorSettings", "InidlgDefpage"},
        {"EditorSettings", "Format-TAG"},
        {"EditorSettings", "Format-COM"},
        {"EditorSettings", "Format-VAL"},
        {"EditorSettings", "SizeLower"},
        {"PathSettings", "IEPath"},
        {"PathSettings", "NNPath"},
    };
    for (const char* style : {"tag", "param", "text", "com"}) {
        for (const char* field :
             {"_yHeight", "_dwEffects", "_crTextColor", "_szFaceName", "_bCharSet"}) {
            expected.push_back({"EditorFont", QString(style) + field});
        }
    }
    for (const char* field :
         {"lfHeight", "lfWidth", "lfWeight", "lfItalic", "lfFaceName", "size"}) {
        expected.push_back({"Preview_font", field});
    }
    expected.push_back({"EditorSettings", "DoclistbarItems"});
    expected.push_back({"EditorSettings", "VVPreviewForm"});
    // The additions of this version follow the values of the old order.
    for (const char* added : {"TabbedView", "LineNumbers", "AutoCloseTags"})
        expected.push_back({"EditorSettings", added});
    expected.push_back({"VeskHtml", "Version"});
    const size_t generalCount = expected.size();
    expected.push_back({"ToolButonSetting", ""});  // the delete
    for (const char* name :
         {"n_MainButton", "MainButton#0", "MainButton#1", "n_TextButton", "n_CharButton",
          "CharButton#0", "n_PageButton", "n_FrameButton", "n_ToolButton", "n_WindowButton",
          "n_HTMLToolButton", "ButtonSettings"}) {
        expected.push_back({"ToolButonSetting", name});
    }
    expected.push_back({"", ""});  // the flush

    std::vector<Entry> written;
    for (const auto& call : store.calls) written.push_back({call.section, call.entry});
    EXPECT_EQ(written, expected);

    ASSERT_EQ(store.calls.size(), expected.size());
    EXPECT_EQ(store.calls[generalCount].op, "delete");
    EXPECT_EQ(store.calls.back().op, "flush");
    auto valueOf = [&](const QString& entry) {
        for (const auto& call : store.calls) {
            if (call.entry == entry)
                return call.value;
        }
        return QString("(none)");
    };
    EXPECT_EQ(valueOf("ShowHide"), "0");  // current visibility, not the loaded one
    EXPECT_EQ(valueOf("param_crTextColor"), QString::number(0x808000));
    EXPECT_EQ(valueOf("Version"), "276");
    EXPECT_EQ(valueOf("MainButton#1"), "-1");
    EXPECT_EQ(valueOf("ButtonSettings"), "1");
}

// --- Copy-in and copy-out -------------------------------------------------------

TEST(AppSettingsCopyTest, ColouringGenerationRisesOnlyWhenColouringChanged) {
    CAppSettings app;
    const int start = app.CopyOut().colouringGeneration;

    SettingsSnapshot values = app.CopyOut();
    values.wrap = 1;
    values.colouringGeneration = start + 40;  // the sheet's own number is not taken
    app.CopyIn(values, false);
    EXPECT_EQ(app.CopyOut().wrap, 1);
    EXPECT_EQ(app.CopyOut().colouringGeneration, start);

    values.styles[kStyleTag].textColor = 0x00FF00;
    app.CopyIn(values, true);
    EXPECT_EQ(app.CopyOut().styles[kStyleTag].textColor, 0x00FF00u);
    EXPECT_EQ(app.CopyOut().colouringGeneration, start + 1);
    app.CopyIn(app.CopyOut(), true);
    EXPECT_EQ(app.CopyOut().colouringGeneration, start + 2);
}

// --- Option blocks --------------------------------------------------------------

TEST(OptionBlockTest, BitsUnpackAndPack) {
    EXPECT_EQ(UnpackOptionBits(15, 5), (std::vector<int>{1, 1, 1, 1, 0}));
    EXPECT_EQ(UnpackOptionBits(0b10100101, 8), (std::vector<int>{1, 0, 1, 0, 0, 1, 0, 1}));
    EXPECT_EQ(UnpackOptionBits(0b111, 2), (std::vector<int>{1, 1}));
    EXPECT_EQ(PackOptionBits({1, 0, 1, 0, 0, 1, 0, 1}), 0b10100101);
    for (int value = 0; value < 32; ++value) {
        EXPECT_EQ(PackOptionBits(UnpackOptionBits(value, 5)), value);
    }
}

TEST(OptionBlockTest, OnlyAFlagOfOneSetsItsBit) {
    EXPECT_EQ(PackOptionBits({2, 1, -1, 1}), 0b1010);
    EXPECT_EQ(PackOptionBits({2, 2, 2}), 0);
}

TEST_F(SettingsStoreTest, OptionBlocksLiveInEditorSettings) {
    EXPECT_EQ(ReadOptionBlock(AppStore(), "DayStampOption", 5, 15),
              (std::vector<int>{1, 1, 1, 1, 0}));

    WriteOptionBlock(AppStore(), "ToTextOption", {0, 1, 2, 1, 0, 0, 0, 1});
    EXPECT_EQ(AppStore().GetProfileInt("EditorSettings", "ToTextOption", -1), 0b10001010);
    EXPECT_EQ(ReadOptionBlock(AppStore(), "ToTextOption", 8, 0),
              (std::vector<int>{0, 1, 0, 1, 0, 0, 0, 1}));
}

}  // namespace
