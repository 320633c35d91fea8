#pragma once
// The side pane "VeskView": a tab control with the file browser and the link
// browser, fed by the source views with their text.

#include <QPointer>
#include <QWidget>
#include <string>

#include "sidepane/side_pane_host.h"

class QTimer;

class CAppSettings;
class CFileBrowserPage;
class CLinkBrowserPage;
class CVeskHtmlView;
class QTabWidget;

class CVeskViewPane : public QWidget {
    Q_OBJECT
  public:
    enum Tab { kFileBrowserTab = 0, kLinkBrowserTab = 1 };

    CVeskViewPane(CAppSettings& settings, SidePaneHost host, QWidget* parent = nullptr);
    ~CVeskViewPane() override;

    CFileBrowserPage& FileBrowser() { return *fileBrowser_; }
    CLinkBrowserPage& LinkBrowser() { return *linkBrowser_; }
    QTabWidget* Tabs() const { return tabs_; }

    void SelectTab(int index);
    int CurrentTab() const;

    // The file browser tab shows the file (its filter widened when needed).
    void ShowPathInBrowser(const QString& path, int linkKind);
    // The link browser tab shows the link at the caret; false (and the tab
    // left as it is) when the tree has no such link.
    bool ShowLinkOfCaret(CVeskHtmlView& view, const std::string& linkText, int linkPosition);

    // A view's text changed or it became active: a view other than the one the link tree
    // shows gets the tree rebuilt at once; edits of the same view refresh it in the
    // background once typing pauses, from one copy of the text taken then.
    void OnViewChanged(CVeskHtmlView& view, bool rebuild);
    // The pane was shown: the link tree is rebuilt from the active view.
    void OnShown();

    // The preview form changed in the settings.
    void Refresh();
    // TabNum and both pages' settings to the store.
    void SaveSettings();

  private:
    void RefreshFromPendingView();

    CAppSettings& settings_;
    QTimer* quiet_ = nullptr;
    QPointer<CVeskHtmlView> pendingView_;
    bool pendingRebuild_ = false;
    SidePaneHost host_;
    QTabWidget* tabs_;
    CFileBrowserPage* fileBrowser_;
    CLinkBrowserPage* linkBrowser_;
};
