#include "app/settings_command.h"

#include "app/doc_list_bar.h"
#include "app/main_frame.h"
#include "app/veskhtml_app.h"
#include "editor/veskhtml_view.h"
#include "settings_sheet/settings_sheet.h"
#include "settings_sheet/settings_toolbar_page.h"
#include "sidepane/veskview_pane.h"

void RunSettingsCommand(CVeskHtmlApp& app) {
    CMainFrame* frame = app.MainFrame();
    if (!frame)
        return;
    SettingsSheetHooks hooks;
    const FrameBarVisibility shown = frame->BarVisibility();
    hooks.bars.toolbars = shown.toolbars;
    hooks.bars.documentList = shown.documentList;
    hooks.bars.statusBar = shown.statusBar;
    hooks.applyBars = [frame](const BarVisibility& bars, bool layoutsChanged) {
        FrameBarVisibility wanted;
        wanted.toolbars = bars.toolbars;
        wanted.documentList = bars.documentList;
        wanted.statusBar = bars.statusBar;
        frame->ApplyBarVisibility(wanted);
        if (layoutsChanged)
            frame->RefillToolBars();
    };
    hooks.applied = [frame](bool) {
        // The sheet is done: the views take the new settings now.
        CVeskHtmlView::settingsSheetOpen = nullptr;
        frame->ApplyViewMode();
        if (CVeskHtmlView* view = frame->ActiveView())
            view->RefreshSettings();
        if (CVeskViewPane* pane = frame->SidePane())
            pane->Refresh();
        if (CDocListBar* bar = frame->DocListBar())
            bar->RefillFromEntries();
    };
    // The views leave their settings alone while the sheet is open.
    CVeskHtmlView::settingsSheetOpen = [] { return true; };
    RunSettingsSheet(app.Settings(), frame, hooks);
    CVeskHtmlView::settingsSheetOpen = nullptr;
}
