#pragma once
// The file browser page of the side pane: the folders of the machine as a
// tree with the files a filter lets through, the path of the selection above
// it, a preview below it, and a context menu to open, insert, copy, move,
// delete and rename files and make folders.

#include <QIcon>
#include <QString>
#include <QWidget>
#include <memory>
#include <vector>

#include "core/command_target.h"
#include "sidepane/side_pane_host.h"

class CPreviewSplitter;
class CAppSettings;
class QComboBox;
class QLineEdit;
class QMenu;
class QTreeWidget;
class QTreeWidgetItem;
class QAbstractFileIconProvider;

namespace vesk {
class CFilePreviewWnd;
}

// A top-level item of the tree: "/", a mounted volume, the home, desktop or
// documents folder.
struct BrowserRoot {
    QString path;
    QString name;
    QIcon icon;
};

class CFileBrowserPage : public QWidget {
    Q_OBJECT
  public:
    enum PendingOperation { kNoOperation, kCopyPending, kCutPending };

    // roots: the top-level folders (empty: those of this machine).
    CFileBrowserPage(CAppSettings& settings, SidePaneHost host, std::vector<BrowserRoot> roots = {},
                     QWidget* parent = nullptr);
    ~CFileBrowserPage() override;

    // "/", mounted volumes, and the home, desktop and documents folders that exist.
    static std::vector<BrowserRoot> SystemRoots();

    // Rebuilds the tree and walks down to the path, selecting the deepest item
    // found; false when no root holds the path (the tree then shows only its roots).
    bool NavigateTo(const QString& path);
    // Shows a file: this page's filter is widened when it would hide a file of
    // that link kind, then the browser goes to the path unless it is there.
    void ShowPathInBrowser(const QString& path, int linkKind);

    int Filter() const { return filter_; }
    void SetFilter(int filter);
    const QString& CurrentPath() const { return currentPath_; }
    int SelectedKind() const { return kind_; }
    // The selected file relative to the active document.
    QString RelativePath() const;
    bool ImageSizeKnown() const { return sizeKnown_; }
    int ImageWidth() const { return imageWidth_; }
    int ImageHeight() const { return imageHeight_; }
    PendingOperation Pending() const { return pending_; }
    const QString& PendingSource() const { return pendingSource_; }

    // Context commands (ids of file_cmd).
    CommandState StateOf(int id) const;
    void Execute(int id);
    // The context menu with the state of every command.
    std::unique_ptr<QMenu> MakeContextMenu();

    // The end of an in-place label edit: renames the file (false when it could not).
    bool FinishLabelEdit(QTreeWidgetItem* item, const QString& text);
    bool LabelEditRequested() const { return labelEditRequested_; }

    // Preview form from the settings; the settings of this page to the store.
    void RefreshPreviewSettings();
    void SaveSettings();
    double PreviewShare() const { return share_; }
    void SetPreviewShare(double share);

    QLineEdit* PathLine() const { return pathLine_; }
    QTreeWidget* Tree() const { return tree_; }
    vesk::CFilePreviewWnd* Preview() const { return preview_; }
    QComboBox* FilterList() const { return filterList_; }
    // The item of a path shown in the tree, or nullptr.
    QTreeWidgetItem* ItemOfPath(const QString& path) const;
    QString ItemPath(const QTreeWidgetItem* item) const;

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void BuildTree();
    void FillFolder(QTreeWidgetItem* item);
    void OnSelectionChanged(QTreeWidgetItem* item);
    void TakeSelection(QTreeWidgetItem* item);
    void UpdateKind(QTreeWidgetItem* item);
    void Layout();

    void OpenInEditor();
    void OpenWithApplication();
    void OpenWithFavourite();
    void InsertImage();
    void InsertLink();
    void GetRelativePath();
    void ShowCurrentDocument();
    void Paste();
    void Delete();
    void Rename();
    void NewFolder();

    CAppSettings& settings_;
    SidePaneHost host_;
    std::vector<BrowserRoot> roots_;
    std::unique_ptr<QAbstractFileIconProvider> icons_;
    QLineEdit* pathLine_;
    QTreeWidget* tree_;
    vesk::CFilePreviewWnd* preview_;
    QComboBox* filterList_;
    CPreviewSplitter* splitter_;

    int filter_ = 0;
    QString currentPath_;
    int kind_ = -1;
    bool sizeKnown_ = false;
    int imageWidth_ = 0;
    int imageHeight_ = 0;
    PendingOperation pending_ = kNoOperation;
    QString pendingSource_;
    bool labelEditRequested_ = false;
    bool navigating_ = false;
    double share_ = 0.2;
    bool saved_ = false;
};
