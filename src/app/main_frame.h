#pragma once
// The main window: menus, the multiple-document area and the status bar.

#include <QMainWindow>
#include <QStringList>

#include "app/command_target.h"

class QDockWidget;
class QLabel;
class QProgressBar;
class CVeskViewPane;
class CVeskHtmlView;
class QMdiArea;
class QMenu;
class CChildFrame;
class CVeskHtmlApp;
class ISettingsStore;

class CMainFrame : public QMainWindow, public CCommandTarget {
    Q_OBJECT
  public:
    explicit CMainFrame(CVeskHtmlApp& app);

    QMdiArea* MdiArea() const { return mdiArea_; }
    CChildFrame* ActiveChild() const;
    CVeskHtmlView* ActiveView() const;
    // Child windows in the order they were made.
    QList<CChildFrame*> Children() const;

    // Status bar panes 2 to 4 (line, line count, bytes) and the encoding pane.
    void SetIndicators(const QStringList& texts);
    QStringList Indicators() const;
    void SetEncodingText(const QString& text);
    // The status bar's message pane and the colouring progress bar (-1 removes it).
    void ShowStatusMessage(const QString& text);
    void ShowColouringProgress(int percent);
    // Status texts, progress and context menu of a new view.
    void ConnectView(CVeskHtmlView* view);
    void ShowContextMenu(const QPoint& globalPos);

    // Placement before the first show ("Wnd_Pos"): true when the window shows maximised.
    bool RestorePlacement(ISettingsStore& store);
    void SavePlacement(ISettingsStore& store) const;

    // Shows a new child window: the first child since the last one closed takes
    // the remembered show state.
    void ShowChild(CChildFrame* child);

    // The side pane "VeskView", docked at the left; the current visibility of
    // the settings follows it.
    CVeskViewPane* SidePane() const { return sidePane_; }
    QDockWidget* SidePaneDock() const { return sideDock_; }
    void ShowSidePane(bool show);
    bool SidePaneShown() const;

  protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void BuildMenus();
    void BuildStatusBar();
    void RefillRecentFiles();
    void RefillWindowList();
    void OnChildActivated();
    void RegisterCommands();
    void CreateSidePane();

    CVeskHtmlApp& app_;
    QMdiArea* mdiArea_;
    QMenu* fileMenu_ = nullptr;
    QMenu* windowMenu_ = nullptr;
    QAction* recentAnchor_ = nullptr;
    QList<QAction*> recentActions_;
    QList<QAction*> windowActions_;
    QLabel* kanaPane_ = nullptr;
    QLabel* indicatorPanes_[3] = {};
    QLabel* encodingPane_ = nullptr;
    QProgressBar* progressBar_ = nullptr;
    CChildFrame* lastActive_ = nullptr;
    QDockWidget* sideDock_ = nullptr;
    CVeskViewPane* sidePane_ = nullptr;
    bool wasMinimised_ = false;
};
