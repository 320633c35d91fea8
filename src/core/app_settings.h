#pragma once
// The application-wide settings and shared run-time state.

#include <QString>
#include <array>
#include <vector>

#include "core/style_format.h"
#include "core/toolbar_layouts.h"

class ISettingsStore;
class CVeskHtmlView;

// "DoclistbarItems" bits: what the lines of the document list show.
constexpr int kDocListShowTitle = 1;
constexpr int kDocListShowGroup = 2;

// The copy of the general settings that views and the settings sheet take in one go.
struct SettingsSnapshot {
    // Editor switches.
    int formatTag = 1;
    int formatCom = 1;
    int formatVal = 1;
    int wrap = 0;
    int colorCopyDlgShowHide = 1;
    int pathCopyDlgShowHide = 1;
    int showHide = 1;  // as loaded
    int omitTagP = 0;
    int iniDlgDefPage = 0;
    int sizeLower = 0;
    int tabbedView = 0;     // documents as tabs instead of child windows
    int lineNumbers = 1;    // a line-number margin in the text
    int autoCloseTags = 0;  // typing a start tag's ">" inserts its end tag
    // Four colouring styles (tag, param, text, com) and the preview font.
    std::array<StyleFormat, kStyleCount> styles;
    PreviewFont previewFont;
    int previewSize = 12;
    int colouringGeneration = 0;
    // Applications.
    QString iePath;
    QString nnPath;
    QString imageAppPath;
    QString htmlAppPath;
    int docListBarItems = 3;
    int vvPreviewForm = 1;

    bool operator==(const SettingsSnapshot&) const = default;
};

// Defaults of every general setting (a first start).
SettingsSnapshot DefaultSettings();

class CAppSettings {
  public:
    CAppSettings();

    // Reads every general setting and the button layouts; missing values take defaults.
    void Load(ISettingsStore& store);
    // Writes every general setting in the fixed order, then VeskHtml/Version = 276,
    // then the button layouts.
    void Save(ISettingsStore& store) const;

    SettingsSnapshot CopyOut() const { return general; }
    // Takes the settings sheet's values; raises the colouring generation when the
    // colouring settings changed. The caller then refreshes the views and panes and saves.
    void CopyIn(const SettingsSnapshot& values, bool colouringChanged);

    SettingsSnapshot general;
    int childShowCmd = 3;  // ChildWndStyle/WINDOWPLACEMENT: show state of new child windows
    int tile = 0;          // ChildWndStyle/TILE
    ButtonLayouts buttonLayouts;

    // Run-time state, not loaded.
    CVeskHtmlView* activeView = nullptr;
    int openDocuments = 0;
    bool documentListChanged = false;
    int currentShowHide = 1;
    QString previewWorkFile;
    bool previewWorkFileExists = false;
    bool colourCopied = false;
    bool firstChild = true;
};

// Option blocks of dialogs: bit 0 is the value 1. A flag is written as its bit
// only when it equals 1.
std::vector<int> UnpackOptionBits(int value, int count);
int PackOptionBits(const std::vector<int>& flags);

// Reads and writes one option block ("EditorSettings"/name).
std::vector<int> ReadOptionBlock(ISettingsStore& store, const QString& name, int count,
                                 int defaultValue);
void WriteOptionBlock(ISettingsStore& store, const QString& name, const std::vector<int>& flags);
