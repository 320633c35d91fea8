#pragma once
// The main window: menus, the multiple-document area and the status bar.

#include <QMainWindow>
#include <QStringList>
#include <array>

#include "core/command_target.h"
#include "core/toolbar_layouts.h"
#include "app/window_history.h"

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
class CDocListBar;
class CFindInFiles;
class CMainToolBars;

// Which bars of the frame are shown (reported to and applied from the settings sheet).
struct FrameBarVisibility {
    std::array<bool, kToolbarCount> toolbars{};
    bool documentList = true;
    bool statusBar = true;
};

class CMainFrame : public QMainWindow, public CCommandTarget {
    Q_OBJECT
  public:
    explicit CMainFrame(CVeskHtmlApp& app);
    ~CMainFrame() override;

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

    // Documents as tabs or as child windows, as the settings say.
    void ApplyViewMode();
    bool TabbedView() const;

    CMainToolBars& ToolBars() const { return *toolBars_; }
    CDocListBar* DocListBar() const { return docListBar_; }
    FrameBarVisibility BarVisibility() const;
    void ApplyBarVisibility(const FrameBarVisibility& shown);
    // Empties every toolbar and refills it from the layouts of the settings.
    void RefillToolBars();

    // Back and forward through the order in which document windows were activated.
    const WindowHistory<CVeskHtmlView*>& History() const { return history_; }
    void GoBack();
    void GoForward();
    // The document list bar's text follows the active document.
    void ShowActiveDocument();

    // Sizes of the docked bars and the bar layout under "FlameState".
    void LoadBarState(ISettingsStore& store);
    void SaveBarState(ISettingsStore& store) const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void BuildMenus();
    void BuildStatusBar();
    void RefillRecentFiles();
    void RefillWindowList();
    void OnChildActivated();
    // "VeskHtml - page.html", or "VeskHtml - [page.html]" while the child is maximised.
    void UpdateFrameTitle();
    void TileWindows();
    void CascadeWindows();
    void RegisterCommands();
    void CreateSidePane();
    void CreateDocListBar();
    void CreateFindInFiles();
    void DecorateMenus();
    // False when no open window shows the view.
    bool ActivateView(CVeskHtmlView* view);

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
    QList<QMetaObject::Connection> activeConnections_;  // those that follow the active window
    QDockWidget* sideDock_ = nullptr;
    CVeskViewPane* sidePane_ = nullptr;
    bool wasMinimised_ = false;
    CMainToolBars* toolBars_ = nullptr;
    CDocListBar* docListBar_ = nullptr;
    CFindInFiles* findInFiles_ = nullptr;
    WindowHistory<CVeskHtmlView*> history_;
};
