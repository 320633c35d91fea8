#include "core/app_settings.h"

#include "platform/settings_store.h"

namespace {

const QString kFileView = QStringLiteral("FileViewSettings");
const QString kPaths = QStringLiteral("PathSettings");
const QString kChildWnd = QStringLiteral("ChildWndStyle");
const QString kEditor = QStringLiteral("EditorSettings");
const QString kEditorFont = QStringLiteral("EditorFont");
const QString kPreviewFont = QStringLiteral("Preview_font");

constexpr int kVersion = 276;
constexpr int kShiftJisCharSet = 128;

const QString kDefaultFaceName = QStringLiteral("ＭＳ Ｐゴシック");
// Application paths: the desktop's opener stands in for the Windows programs.
const QString kDefaultOpener = QStringLiteral("xdg-open");
const QString kDefaultBrowser = QStringLiteral("firefox");

// Value-name prefixes of the four styles, in StyleIndex order.
const char* const kStylePrefix[kStyleCount] = {"tag_", "param_", "text_", "com_"};
constexpr std::uint32_t kDefaultStyleColor[kStyleCount] = {0xFF0000, 0x808000, 0x000000, 0x0000FF};

QString StyleValue(int style, const char* field) {
    return QString::fromLatin1(kStylePrefix[style]) + QString::fromLatin1(field);
}

StyleFormat LoadStyle(ISettingsStore& store, int style, const StyleFormat& fallback) {
    StyleFormat format;  // mask, offset and pitch keep their fixed values
    format.height = store.GetProfileInt(kEditorFont, StyleValue(style, "yHeight"), fallback.height);
    format.effects = static_cast<std::uint32_t>(store.GetProfileInt(
        kEditorFont, StyleValue(style, "dwEffects"), static_cast<int>(fallback.effects)));
    format.textColor = static_cast<std::uint32_t>(store.GetProfileInt(
        kEditorFont, StyleValue(style, "crTextColor"), static_cast<int>(fallback.textColor)));
    format.charSet =
        store.GetProfileInt(kEditorFont, StyleValue(style, "bCharSet"), fallback.charSet);
    format.faceName = CutFaceName(
        store.GetProfileString(kEditorFont, StyleValue(style, "szFaceName"), fallback.faceName));
    return format;
}

void SaveStyle(ISettingsStore& store, int style, const StyleFormat& format) {
    store.WriteProfileInt(kEditorFont, StyleValue(style, "yHeight"), format.height);
    store.WriteProfileInt(kEditorFont, StyleValue(style, "dwEffects"),
                          static_cast<int>(format.effects));
    store.WriteProfileInt(kEditorFont, StyleValue(style, "crTextColor"),
                          static_cast<int>(format.textColor));
    store.WriteProfileString(kEditorFont, StyleValue(style, "szFaceName"), format.faceName);
    store.WriteProfileInt(kEditorFont, StyleValue(style, "bCharSet"), format.charSet);
}

}  // namespace

SettingsSnapshot DefaultSettings() {
    SettingsSnapshot s;
    for (int i = 0; i < kStyleCount; ++i) {
        StyleFormat& style = s.styles[i];
        style = StyleFormat{};
        style.height = 220;
        style.textColor = kDefaultStyleColor[i];
        style.charSet = kShiftJisCharSet;
        style.faceName = kDefaultFaceName;
    }
    s.previewFont = PreviewFont{};
    s.previewFont.faceName = kDefaultFaceName;
    s.iePath = kDefaultOpener;
    s.nnPath = kDefaultBrowser;
    s.imageAppPath = kDefaultOpener;
    s.htmlAppPath = kDefaultOpener;
    return s;
}

CAppSettings::CAppSettings() : general(DefaultSettings()), buttonLayouts(DefaultButtonLayouts()) {}

void CAppSettings::Load(ISettingsStore& store) {
    const SettingsSnapshot d = DefaultSettings();
    SettingsSnapshot s = d;

    s.showHide = store.GetProfileInt(kFileView, "ShowHide", d.showHide);

    s.htmlAppPath = store.GetProfileString(kPaths, "HtmlAppPath", d.htmlAppPath);
    s.imageAppPath = store.GetProfileString(kPaths, "ImageAppPath", d.imageAppPath);
    s.iePath = store.GetProfileString(kPaths, "IEPath", d.iePath);
    s.nnPath = store.GetProfileString(kPaths, "NNPath", d.nnPath);

    childShowCmd = store.GetProfileInt(kChildWnd, "WINDOWPLACEMENT", 3);
    tile = store.GetProfileInt(kChildWnd, "TILE", 0);

    s.formatTag = store.GetProfileInt(kEditor, "Format-TAG", d.formatTag);
    s.formatCom = store.GetProfileInt(kEditor, "Format-COM", d.formatCom);
    s.formatVal = store.GetProfileInt(kEditor, "Format-VAL", d.formatVal);
    s.sizeLower = store.GetProfileInt(kEditor, "SizeLower", d.sizeLower);
    s.wrap = store.GetProfileInt(kEditor, "WRAP", d.wrap);
    s.omitTagP = store.GetProfileInt(kEditor, "Omit_tagP", d.omitTagP);
    s.colorCopyDlgShowHide =
        store.GetProfileInt(kEditor, "ColorCopyDlgSHOW-HIDE", d.colorCopyDlgShowHide);
    s.pathCopyDlgShowHide =
        store.GetProfileInt(kEditor, "PathCopyDlgSHOW-HIDE", d.pathCopyDlgShowHide);
    s.iniDlgDefPage = store.GetProfileInt(kEditor, "InidlgDefpage", d.iniDlgDefPage);
    s.docListBarItems = store.GetProfileInt(kEditor, "DoclistbarItems", d.docListBarItems);
    s.vvPreviewForm = store.GetProfileInt(kEditor, "VVPreviewForm", d.vvPreviewForm);
    s.tabbedView = store.GetProfileInt(kEditor, "TabbedView", d.tabbedView);
    s.lineNumbers = store.GetProfileInt(kEditor, "LineNumbers", d.lineNumbers);
    s.autoCloseTags = store.GetProfileInt(kEditor, "AutoCloseTags", d.autoCloseTags);

    for (int i = 0; i < kStyleCount; ++i) s.styles[i] = LoadStyle(store, i, d.styles[i]);

    PreviewFont& font = s.previewFont;
    font.height = store.GetProfileInt(kPreviewFont, "lfHeight", d.previewFont.height);
    font.width = store.GetProfileInt(kPreviewFont, "lfWidth", d.previewFont.width);
    font.weight = store.GetProfileInt(kPreviewFont, "lfWeight", d.previewFont.weight);
    font.italic = store.GetProfileInt(kPreviewFont, "lfItalic", d.previewFont.italic);
    font.faceName =
        CutFaceName(store.GetProfileString(kPreviewFont, "lfFaceName", d.previewFont.faceName));
    font.charSet = kShiftJisCharSet;
    s.previewSize = store.GetProfileInt(kPreviewFont, "size", d.previewSize);

    // The generation only has to differ from what views coloured with; keep counting.
    s.colouringGeneration = general.colouringGeneration;

    general = s;
    currentShowHide = general.showHide;
    buttonLayouts = LoadButtonLayouts(store);
}

void CAppSettings::Save(ISettingsStore& store) const {
    const SettingsSnapshot& s = general;

    store.WriteProfileInt(kFileView, "ShowHide", currentShowHide);
    store.WriteProfileString(kPaths, "HtmlAppPath", s.htmlAppPath);
    store.WriteProfileString(kPaths, "ImageAppPath", s.imageAppPath);
    store.WriteProfileInt(kChildWnd, "WINDOWPLACEMENT", childShowCmd);
    store.WriteProfileInt(kChildWnd, "TILE", tile);
    store.WriteProfileInt(kEditor, "WRAP", s.wrap);
    store.WriteProfileInt(kEditor, "Omit_tagP", s.omitTagP);
    store.WriteProfileInt(kEditor, "ColorCopyDlgSHOW-HIDE", s.colorCopyDlgShowHide);
    store.WriteProfileInt(kEditor, "PathCopyDlgSHOW-HIDE", s.pathCopyDlgShowHide);
    store.WriteProfileInt(kEditor, "InidlgDefpage", s.iniDlgDefPage);
    store.WriteProfileInt(kEditor, "Format-TAG", s.formatTag);
    store.WriteProfileInt(kEditor, "Format-COM", s.formatCom);
    store.WriteProfileInt(kEditor, "Format-VAL", s.formatVal);
    store.WriteProfileInt(kEditor, "SizeLower", s.sizeLower);
    store.WriteProfileString(kPaths, "IEPath", s.iePath);
    store.WriteProfileString(kPaths, "NNPath", s.nnPath);

    for (int i = 0; i < kStyleCount; ++i) SaveStyle(store, i, s.styles[i]);

    const PreviewFont& font = s.previewFont;
    store.WriteProfileInt(kPreviewFont, "lfHeight", font.height);
    store.WriteProfileInt(kPreviewFont, "lfWidth", font.width);
    store.WriteProfileInt(kPreviewFont, "lfWeight", font.weight);
    store.WriteProfileInt(kPreviewFont, "lfItalic", font.italic);
    store.WriteProfileString(kPreviewFont, "lfFaceName", font.faceName);
    store.WriteProfileInt(kPreviewFont, "size", s.previewSize);

    store.WriteProfileInt(kEditor, "DoclistbarItems", s.docListBarItems);
    store.WriteProfileInt(kEditor, "VVPreviewForm", s.vvPreviewForm);
    store.WriteProfileInt(kEditor, "TabbedView", s.tabbedView);
    store.WriteProfileInt(kEditor, "LineNumbers", s.lineNumbers);
    store.WriteProfileInt(kEditor, "AutoCloseTags", s.autoCloseTags);
    store.WriteProfileInt("VeskHtml", "Version", kVersion);

    SaveButtonLayouts(store, buttonLayouts);
    store.Flush();
}

void CAppSettings::CopyIn(const SettingsSnapshot& values, bool colouringChanged) {
    const int generation = general.colouringGeneration + (colouringChanged ? 1 : 0);
    general = values;
    general.colouringGeneration = generation;
}

std::vector<int> UnpackOptionBits(int value, int count) {
    std::vector<int> flags;
    const auto bits = static_cast<unsigned>(value);
    for (int i = 0; i < count; ++i) {
        flags.push_back(i < 32 ? static_cast<int>((bits >> i) & 1u) : 0);
    }
    return flags;
}

int PackOptionBits(const std::vector<int>& flags) {
    unsigned bits = 0;
    for (size_t i = 0; i < flags.size() && i < 32; ++i) {
        if (flags[i] == 1)
            bits |= 1u << i;
    }
    return static_cast<int>(bits);
}

std::vector<int> ReadOptionBlock(ISettingsStore& store, const QString& name, int count,
                                 int defaultValue) {
    return UnpackOptionBits(store.GetProfileInt(kEditor, name, defaultValue), count);
}

void WriteOptionBlock(ISettingsStore& store, const QString& name, const std::vector<int>& flags) {
    store.WriteProfileInt(kEditor, name, PackOptionBits(flags));
}
