#pragma once
// The settings property sheet "VeskHtml の設定": fonts, editor, external
// applications and toolbars. It edits a copy of the settings; OK hands it back.

#include <QDialog>
#include <functional>

#include "core/app_settings.h"
#include "settings_sheet/settings_toolbar_page.h"

class ISettingsStore;
class QTabWidget;
class CPrpIniFont;
class CPrpIniEditor;
class CPrpIniBrows;

class CPrpIni : public QDialog {
    Q_OBJECT
  public:
    enum Page { kFontPage = 0, kEditorPage, kBrowsPage, kToolbarPage, kPageCount };

    // Opens on page values.iniDlgDefPage.
    CPrpIni(const SettingsSnapshot& values, const ButtonLayouts& layouts, const BarVisibility& bars,
            ISettingsStore& store, QWidget* parent = nullptr);

    // The snapshot with the pages' values and the active page.
    SettingsSnapshot Values() const;
    // A font or colouring switch changed: views recolour.
    bool ColouringChanged() const;

    QTabWidget* Tabs() const { return tabs_; }
    CPrpIniFont* FontPage() const { return font_; }
    CPrpIniEditor* EditorPage() const { return editor_; }
    CPrpIniBrows* BrowsPage() const { return brows_; }
    CPrpIniToolbutton* ToolbarPage() const { return toolbar_; }

  private:
    SettingsSnapshot values_;
    QTabWidget* tabs_ = nullptr;
    CPrpIniFont* font_ = nullptr;
    CPrpIniEditor* editor_ = nullptr;
    CPrpIniBrows* brows_ = nullptr;
    CPrpIniToolbutton* toolbar_ = nullptr;
};

// What the application does around the sheet.
struct SettingsSheetHooks {
    // The main frame's bars as they are now.
    BarVisibility bars = BarVisibility::AllShown();
    // Shows and hides the bars. With layoutsChanged the new layouts are already
    // in the settings: every toolbar is emptied and refilled.
    std::function<void(const BarVisibility& bars, bool layoutsChanged)> applyBars;
    // The values are in the settings (generation raised when colouring
    // changed): refresh the active view, the side pane and the document list
    // bar. The settings are saved right after.
    std::function<void(bool colouringChanged)> applied;
    // Where OK saves; null: the application's store.
    ISettingsStore* store = nullptr;
};

// Runs the sheet modally. On OK the toolbars and every value are applied at
// once and all settings saved; true. Cancel changes nothing; false.
bool RunSettingsSheet(CAppSettings& settings, QWidget* parent, const SettingsSheetHooks& hooks);
