#pragma once
// The link browser page of the side pane: every link of the active document
// as a tree of five groups, links whose file or anchor is missing marked, a
// preview of the selected target below. After edits the links are extracted
// again on a worker thread; the tree is rebuilt only when the number of links
// changed (or a rebuild was asked for), so typing text leaves it alone.

#include <QString>
#include <QThreadPool>
#include <QWidget>
#include <atomic>
#include <memory>
#include <mutex>
#include <string>

#include "core/command_target.h"
#include "sidepane/link_extraction.h"
#include "sidepane/side_pane_host.h"

class CPreviewSplitter;
class CAppSettings;
class CVeskHtmlView;
class QMenu;
class QTreeWidget;
class QTreeWidgetItem;

namespace vesk {
class CFilePreviewWnd;
}

// Command ids of the link browser's context menu.
namespace link_cmd {
inline constexpr int kShowLinkPosition = 32826;
inline constexpr int kOpenInEditor = 32823;
inline constexpr int kOpenWithApplication = 32824;
inline constexpr int kOpenWithFavourite = 32825;
inline constexpr int kRefresh = 40000;
}  // namespace link_cmd

class CLinkBrowserPage : public QWidget {
    Q_OBJECT
  public:
    CLinkBrowserPage(CAppSettings& settings, SidePaneHost host, QWidget* parent = nullptr);
    ~CLinkBrowserPage() override;

    // Extracts the links of text and rebuilds the tree for view, unless the
    // pane is hidden, or the tree already shows view and force is not set.
    void RebuildLinks(const std::string& text, CVeskHtmlView* view, bool force);
    // Extracts the links of a copy of text on a worker thread; the tree is
    // rebuilt (keeping the selected link) when force is set or a count changed.
    void RefreshInBackground(std::string text, bool force);
    // Blocks until every background refresh has finished and been applied (for tests).
    void WaitForBackgroundRefresh();
    // Rebuilds the tree from text and selects the link whose value starts at
    // linkPosition and whose text occurs in linkText; false when none does.
    bool ShowLinkOfCaret(const std::string& linkText, int linkPosition, const std::string& text,
                         CVeskHtmlView* view);
    // Only the root remains (the document was closed).
    void Clear();

    CVeskHtmlView* TreeView() const { return treeView_; }
    // How often the tree was rebuilt since the page was made.
    int Rebuilds() const { return rebuilds_; }
    vesk::LinkLists Lists() const;
    int SelectedKind() const { return kind_; }
    const QString& SelectedPath() const { return path_; }
    // The tree item of a link, or nullptr.
    QTreeWidgetItem* ItemOf(vesk::LinkListId list, int index) const;

    CommandState StateOf(int id) const;
    void Execute(int id);
    std::unique_ptr<QMenu> MakeContextMenu();
    // Selects the selected link's text in the active view; tells the user when
    // the text there no longer matches.
    void ShowLinkPosition();

    void RefreshPreviewSettings();
    void SaveSettings();
    double PreviewShare() const { return share_; }
    void SetPreviewShare(double share);

    QTreeWidget* Tree() const { return tree_; }
    vesk::CFilePreviewWnd* Preview() const { return preview_; }

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    // Both run holding the lock.
    void BuildTree();
    void SelectItem(QTreeWidgetItem* item);
    void OnBackgroundResult(vesk::LinkLists lists, int serial);
    void OnSelectionChanged(QTreeWidgetItem* item);
    void SetTreeView(CVeskHtmlView* view);
    QString DocumentPath() const;
    void Layout();
    void OpenWithApplication();
    void OpenWithFavourite();

    CAppSettings& settings_;
    SidePaneHost host_;
    QTreeWidget* tree_;
    vesk::CFilePreviewWnd* preview_;
    CPreviewSplitter* splitter_;

    // The lists and the tree change together under this lock.
    mutable std::recursive_mutex linkListLock_;
    vesk::LinkLists lists_;
    // Cleared when the view is destroyed (and the tree with it).
    CVeskHtmlView* treeView_ = nullptr;
    QMetaObject::Connection viewGone_;
    int kind_ = -1;
    QString path_;
    int rebuilds_ = 0;

    // Background refreshes run one at a time, in the order asked; only the
    // newest request's result is applied, with any rebuild an older one asked for.
    QThreadPool pool_;
    std::atomic<int> latestSerial_{0};
    bool pendingForce_ = false;

    double share_ = 0.2;
};
