#include "sidepane/file_browser.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QHash>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QStandardPaths>
#include <QStorageInfo>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QTreeWidget>
#include <cmath>

#include "core/app_settings.h"
#include "editor/undo_journal.h"
#include "editor/veskhtml_doc.h"
#include "editor/veskhtml_view.h"
#include "platform/dialog_seam.h"
#include "platform/launcher.h"
#include "platform/message_seam.h"
#include "platform/settings_store.h"
#include "platform/trash.h"
#include "sidepane/file_operations.h"
#include "sidepane/file_preview_wnd.h"
#include "sidepane/file_tree_logic.h"
#include "sidepane/link_groups.h"
#include "sidepane/path_copy_dialog.h"
#include "sidepane/preview_splitter.h"
#include "sidepane/side_pane_texts.h"
#include "tags/dialog_fields.h"
#include "tags/relative_paths.h"
#include "tags/text_tag_writers.h"

using vesk::MsgAnswer;
using vesk::MsgButtons;
using vesk::MsgIcon;
namespace text = veskview_text;
namespace fc = vesk::file_cmd;

namespace {

const char kSection[] = "VeskViewSettings";

enum Role { kTypeRole = Qt::UserRole, kRootPathRole, kFilledRole };
enum ItemType { kRootItem, kFolderItem, kFileItem };

int TypeOf(const QTreeWidgetItem* item) {
    return item->data(0, kTypeRole).toInt();
}

std::string Utf8(const QString& text) {
    return text.toStdString();
}

QString FromUtf8(const std::string& text) {
    return QString::fromStdString(text);
}

// Renames happen only when the rename or new-folder command asked for an edit.
class LabelDelegate : public QStyledItemDelegate {
  public:
    explicit LabelDelegate(CFileBrowserPage* page) : QStyledItemDelegate(page), page_(page) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        if (!page_->LabelEditRequested() || !index.isValid())
            return nullptr;
        return QStyledItemDelegate::createEditor(parent, option, index);
    }

    void setModelData(QWidget* editor, QAbstractItemModel*,
                      const QModelIndex& index) const override {
        auto* line = qobject_cast<QLineEdit*>(editor);
        QTreeWidgetItem* item = page_->Tree()->itemFromIndex(index);
        if (line && item)
            page_->FinishLabelEdit(item, line->text());
    }

  private:
    CFileBrowserPage* page_;
};

class WaitCursor {
  public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};

}  // namespace

std::vector<BrowserRoot> CFileBrowserPage::SystemRoots() {
    QFileIconProvider icons;
    std::vector<BrowserRoot> roots;
    auto add = [&roots](const QString& path, const QString& name, const QIcon& icon) {
        for (const BrowserRoot& root : roots) {
            if (root.path == path)
                return;
        }
        roots.push_back({path, name, icon});
    };
    const QIcon drive = icons.icon(QAbstractFileIconProvider::Drive);
    add("/", "/", drive);
    // Volumes the user mounted (removable media, other disks), not the system's own mounts.
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        const QString root = volume.rootPath();
        if (!volume.isValid() || !volume.isReady() || root == "/")
            continue;
        if (root.startsWith("/media/") || root.startsWith("/mnt/") ||
            root.startsWith("/run/media/")) {
            QString name = volume.displayName();
            if (name.isEmpty() || name == root)
                name = QFileInfo(root).fileName();
            add(root, name + " (" + root + ")", drive);
        }
    }
    const QString home = QDir::homePath();
    if (QFileInfo(home).isDir())
        add(home, QFileInfo(home).fileName(), icons.icon(QAbstractFileIconProvider::Folder));
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    if (!desktop.isEmpty() && QFileInfo(desktop).isDir())
        add(desktop, QFileInfo(desktop).fileName(), icons.icon(QAbstractFileIconProvider::Desktop));
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QFileInfo(documents).isDir())
        add(documents, QFileInfo(documents).fileName(),
            icons.icon(QAbstractFileIconProvider::Folder));
    return roots;
}

CFileBrowserPage::CFileBrowserPage(CAppSettings& settings, SidePaneHost host,
                                   std::vector<BrowserRoot> roots, QWidget* parent)
    : QWidget(parent),
      settings_(settings),
      host_(std::move(host)),
      roots_(roots.empty() ? SystemRoots() : std::move(roots)),
      icons_(std::make_unique<QFileIconProvider>()) {
    pathLine_ = new QLineEdit(this);
    pathLine_->setReadOnly(true);

    tree_ = new QTreeWidget(this);
    tree_->setHeaderHidden(true);
    tree_->setColumnCount(1);
    tree_->setRootIsDecorated(true);
    tree_->setUniformRowHeights(true);
    tree_->setSelectionMode(QAbstractItemView::SingleSelection);
    tree_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tree_->setIconSize(QSize(16, 16));
    tree_->setItemDelegate(new LabelDelegate(this));
    tree_->setContextMenuPolicy(Qt::CustomContextMenu);

    preview_ = new vesk::CFilePreviewWnd(this);
    preview_->SetOptions(vesk::SidePanePreviewOptions(settings_.general.vvPreviewForm));

    filterList_ = new QComboBox(this);
    for (const char* label :
         {text::kFilterHtml, text::kFilterImages, text::kFilterHtmlAndImages, text::kFilterAll}) {
        filterList_->addItem(QString::fromUtf8(label));
    }

    splitter_ = new CPreviewSplitter(
        *this, vesk::PreviewPage::FileBrowser, 25, [this] { return share_; },
        [this](double share) { SetPreviewShare(share); });
    for (QWidget* watched :
         {static_cast<QWidget*>(this), tree_->viewport(), static_cast<QWidget*>(preview_)})
        splitter_->Watch(watched);

    ISettingsStore& store = AppStore();
    filter_ = std::clamp(store.GetProfileInt(kSection, "Filter", 0), 0, 3);
    filterList_->setCurrentIndex(filter_);
    share_ = vesk::ReadPreviewShare(vesk::PreviewPage::FileBrowser);
    const QString defaultPath = store.GetProfileString(kSection, "DefaultPath", QString());

    connect(tree_, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* current) { OnSelectionChanged(current); });
    connect(tree_, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* item) {
        if (TypeOf(item) == kFileItem)
            return;
        if (!item->data(0, kFilledRole).toBool())
            FillFolder(item);
        if (TypeOf(item) == kFolderItem)
            item->setIcon(0, style()->standardIcon(QStyle::SP_DirOpenIcon));
    });
    connect(tree_, &QTreeWidget::itemCollapsed, this, [this](QTreeWidgetItem* item) {
        if (TypeOf(item) == kFolderItem)
            item->setIcon(0, icons_->icon(QAbstractFileIconProvider::Folder));
    });
    connect(tree_, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        const QString path = ItemPath(item);
        if (TypeOf(item) == kFileItem && path.right(4).contains("htm", Qt::CaseInsensitive) &&
            host_.openInEditor) {
            host_.openInEditor(path);
        }
    });
    connect(tree_, &QTreeWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        if (QTreeWidgetItem* item = tree_->itemAt(pos); item && item != tree_->currentItem())
            tree_->setCurrentItem(item);
        std::unique_ptr<QMenu> menu = MakeContextMenu();
        menu->exec(tree_->viewport()->mapToGlobal(pos));
    });
    connect(tree_->itemDelegate(), &QAbstractItemDelegate::closeEditor, this,
            [this] { labelEditRequested_ = false; });
    connect(filterList_, &QComboBox::activated, this, [this](int index) { SetFilter(index); });

    if (defaultPath.isEmpty() || !NavigateTo(defaultPath)) {
        // A place that is gone is still remembered, should its disk come back.
        BuildTree();
        currentPath_ = defaultPath;
        kind_ = vesk::kItemNone;
        pathLine_->setText(currentPath_);
    }
}

CFileBrowserPage::~CFileBrowserPage() {
    SaveSettings();
}

void CFileBrowserPage::SaveSettings() {
    ISettingsStore& store = AppStore();
    store.WriteProfileInt(kSection, "Filter", filter_);
    store.WriteProfileString(kSection, "DefaultPath", currentPath_);
    vesk::WritePreviewShare(vesk::PreviewPage::FileBrowser, share_);
}

void CFileBrowserPage::RefreshPreviewSettings() {
    preview_->SetForm(settings_.general.vvPreviewForm);
}

// ---- The tree ----------------------------------------------------------------------

void CFileBrowserPage::BuildTree() {
    // An edit still open goes with its item.
    labelEditRequested_ = false;
    tree_->clear();
    for (const BrowserRoot& root : roots_) {
        auto* item = new QTreeWidgetItem(tree_, {root.name});
        item->setIcon(0, root.icon);
        item->setData(0, kTypeRole, kRootItem);
        item->setData(0, kRootPathRole, root.path);
        item->setFlags(item->flags() | Qt::ItemIsEditable);
        item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    }
}

void CFileBrowserPage::FillFolder(QTreeWidgetItem* item) {
    if (!item || TypeOf(item) == kFileItem)
        return;
    WaitCursor wait;
    qDeleteAll(item->takeChildren());
    const QString folder = ItemPath(item);
    // Listed by name, as a disk lists them; folders then go in above each other.
    const QFileInfoList entries = QDir(folder).entryInfoList(
        QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System, QDir::Name | QDir::IgnoreCase);
    std::vector<std::string> folderNames;
    std::vector<std::string> fileNames;
    for (const QFileInfo& entry : entries) {
        (entry.isDir() ? folderNames : fileNames).push_back(Utf8(entry.fileName()));
    }
    const QIcon folderIcon = icons_->icon(QAbstractFileIconProvider::Folder);
    for (const std::string& name : vesk::FoldersInTreeOrder(folderNames)) {
        auto* child = new QTreeWidgetItem(item, {FromUtf8(name)});
        child->setIcon(0, folderIcon);
        child->setData(0, kTypeRole, kFolderItem);
        child->setFlags(child->flags() | Qt::ItemIsEditable);
        child->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    }
    QHash<QString, QIcon> iconOfSuffix;
    for (const std::string& name : vesk::FilesForFilter(fileNames, filter_)) {
        const QString label = FromUtf8(name);
        const QFileInfo info(folder + (folder.endsWith('/') ? "" : "/") + label);
        const QString suffix = info.suffix().toLower();
        auto icon = iconOfSuffix.find(suffix);
        if (icon == iconOfSuffix.end())
            icon = iconOfSuffix.insert(suffix, icons_->icon(info));
        auto* child = new QTreeWidgetItem(item, {label});
        child->setIcon(0, *icon);
        child->setData(0, kTypeRole, kFileItem);
        child->setFlags(child->flags() | Qt::ItemIsEditable);
    }
    item->setData(0, kFilledRole, true);
    item->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
}

QString CFileBrowserPage::ItemPath(const QTreeWidgetItem* item) const {
    QStringList names;
    while (item && TypeOf(item) != kRootItem) {
        names.prepend(item->text(0));
        item = item->parent();
    }
    if (!item)
        return {};
    std::string path = Utf8(item->data(0, kRootPathRole).toString());
    for (const QString& name : names) path = vesk::JoinPath(path, Utf8(name));
    return FromUtf8(path);
}

QTreeWidgetItem* CFileBrowserPage::ItemOfPath(const QString& path) const {
    std::vector<QTreeWidgetItem*> open;
    for (int i = 0; i < tree_->topLevelItemCount(); ++i) open.push_back(tree_->topLevelItem(i));
    while (!open.empty()) {
        QTreeWidgetItem* item = open.back();
        open.pop_back();
        if (ItemPath(item) == path)
            return item;
        for (int i = 0; i < item->childCount(); ++i) open.push_back(item->child(i));
    }
    return nullptr;
}

bool CFileBrowserPage::NavigateTo(const QString& path) {
    WaitCursor wait;
    tree_->setUpdatesEnabled(false);
    navigating_ = true;
    BuildTree();
    std::vector<std::string> rootPaths;
    for (const BrowserRoot& root : roots_) rootPaths.push_back(Utf8(root.path));
    const QString target = path.isEmpty() ? QString() : QDir::cleanPath(path);
    const std::optional<vesk::NavigationStart> start =
        vesk::FindNavigationStart(rootPaths, Utf8(target));
    if (!start) {
        navigating_ = false;
        tree_->setUpdatesEnabled(true);
        kind_ = vesk::kItemNone;
        sizeKnown_ = false;
        return false;
    }
    QTreeWidgetItem* item = tree_->topLevelItem(start->root);
    for (const std::string& component : start->components) {
        FillFolder(item);
        QTreeWidgetItem* next = nullptr;
        const QString name = FromUtf8(component);
        for (int i = 0; i < item->childCount() && !next; ++i) {
            if (item->child(i)->text(0) == name)
                next = item->child(i);
        }
        if (!next)
            break;
        item = next;
    }
    FillFolder(item);
    for (QTreeWidgetItem* parent = item->parent(); parent; parent = parent->parent())
        parent->setExpanded(true);
    tree_->setCurrentItem(item);
    navigating_ = false;
    TakeSelection(item);
    tree_->setUpdatesEnabled(true);
    tree_->scrollToItem(item, QAbstractItemView::PositionAtCenter);
    return true;
}

void CFileBrowserPage::ShowPathInBrowser(const QString& path, int linkKind) {
    const int widened = vesk::WidenFilter(filter_, linkKind);
    if (widened != filter_) {
        filter_ = widened;
        filterList_->setCurrentIndex(filter_);
    }
    if (path != currentPath_)
        NavigateTo(path);
}

void CFileBrowserPage::SetFilter(int filter) {
    filter_ = std::clamp(filter, 0, 3);
    filterList_->setCurrentIndex(filter_);
    if (currentPath_.isEmpty() || !NavigateTo(currentPath_))
        BuildTree();
}

void CFileBrowserPage::OnSelectionChanged(QTreeWidgetItem* item) {
    if (!navigating_)
        TakeSelection(item);
}

void CFileBrowserPage::TakeSelection(QTreeWidgetItem* item) {
    if (!item) {
        kind_ = vesk::kItemNone;
        sizeKnown_ = false;
        preview_->ShowFile(QString());
        return;
    }
    currentPath_ = ItemPath(item);
    pathLine_->setText(currentPath_);
    if (item->childCount() == 0)
        FillFolder(item);
    preview_->ShowFile(currentPath_);
    UpdateKind(item);
}

void CFileBrowserPage::UpdateKind(QTreeWidgetItem* item) {
    sizeKnown_ = false;
    imageWidth_ = imageHeight_ = 0;
    if (!item) {
        kind_ = vesk::kItemNone;
        return;
    }
    const QFileInfo info(ItemPath(item));
    switch (TypeOf(item)) {
        case kRootItem:
            kind_ = vesk::kItemRoot;
            break;
        case kFolderItem:
            kind_ = info.isDir() ? vesk::kItemFolder : vesk::kItemNone;
            break;
        default:
            kind_ = info.exists() || info.isSymLink()
                        ? vesk::FileKindByExtension(Utf8(info.filePath()))
                        : vesk::kItemNone;
            break;
    }
    if (kind_ == vesk::kItemPicture)
        sizeKnown_ = preview_->Holder().GetSize(&imageWidth_, &imageHeight_, nullptr);
}

QString CFileBrowserPage::RelativePath() const {
    CVeskHtmlView* view = host_.ActiveView();
    const QString document = view && view->Document() ? view->Document()->PathName() : QString();
    return FromUtf8(vesk::RelativeReference(Utf8(currentPath_), Utf8(document)));
}

// ---- Commands ----------------------------------------------------------------------

CommandState CFileBrowserPage::StateOf(int id) const {
    CommandState state;
    state.enabled =
        vesk::FileCommandEnabled(id, kind_, pending_ != kNoOperation, host_.DocumentCount() > 0);
    return state;
}

void CFileBrowserPage::Execute(int id) {
    if (!StateOf(id).enabled)
        return;
    switch (id) {
        case fc::kOpenInEditor:
            OpenInEditor();
            break;
        case fc::kOpenWithApplication:
            OpenWithApplication();
            break;
        case fc::kOpenWithFavourite:
            OpenWithFavourite();
            break;
        case fc::kInsertImage:
            InsertImage();
            break;
        case fc::kInsertLink:
            InsertLink();
            break;
        case fc::kGetRelativePath:
            GetRelativePath();
            break;
        case fc::kRefresh:
            if (currentPath_.isEmpty() || !NavigateTo(currentPath_))
                BuildTree();
            break;
        case fc::kShowCurrentDocument:
            ShowCurrentDocument();
            break;
        case fc::kCopy:
        case fc::kCut:
            pending_ = id == fc::kCopy ? kCopyPending : kCutPending;
            pendingSource_ = currentPath_;
            break;
        case fc::kPaste:
            Paste();
            break;
        case fc::kDelete:
            Delete();
            break;
        case fc::kRename:
            Rename();
            break;
        case fc::kNewFolder:
            NewFolder();
            break;
        default:
            break;
    }
}

std::unique_ptr<QMenu> CFileBrowserPage::MakeContextMenu() {
    auto menu = std::make_unique<QMenu>(this);
    auto add = [this](QMenu* into, int id, const char* label) {
        QAction* action = into->addAction(QString::fromUtf8(label));
        action->setEnabled(StateOf(id).enabled);
        connect(action, &QAction::triggered, this, [this, id] { Execute(id); });
    };
    add(menu.get(), fc::kOpenInEditor, text::kOpenInEditor);
    add(menu.get(), fc::kOpenWithApplication, text::kOpenWithApplication);
    add(menu.get(), fc::kOpenWithFavourite, text::kOpenWithFavourite);
    menu->addSeparator();
    add(menu.get(), fc::kInsertImage, text::kInsertImage);
    add(menu.get(), fc::kInsertLink, text::kInsertLink);
    add(menu.get(), fc::kGetRelativePath, text::kGetRelativePath);
    menu->addSeparator();
    add(menu.get(), fc::kRefresh, text::kRefresh);
    add(menu.get(), fc::kShowCurrentDocument, text::kShowCurrentDocument);
    menu->addSeparator();
    QMenu* operations = menu->addMenu(QString::fromUtf8(text::kFileOperations));
    add(operations, fc::kCopy, text::kCopy);
    add(operations, fc::kCut, text::kCut);
    add(operations, fc::kPaste, text::kPaste);
    operations->addSeparator();
    add(operations, fc::kDelete, text::kDelete);
    operations->addSeparator();
    add(operations, fc::kRename, text::kRename);
    add(operations, fc::kNewFolder, text::kNewFolder);
    return menu;
}

void CFileBrowserPage::OpenInEditor() {
    if (currentPath_.right(4).contains("htm", Qt::CaseInsensitive) && host_.openInEditor)
        host_.openInEditor(currentPath_);
}

void CFileBrowserPage::OpenWithApplication() {
    if (!vesk::OpenWithDesktop(currentPath_)) {
        vesk::ShowMessage(QString::fromUtf8(text::kApplicationNotFound),
                          QString::fromUtf8(text::kCaption), MsgIcon::Exclamation, MsgButtons::Ok,
                          this);
    }
}

void CFileBrowserPage::OpenWithFavourite() {
    const QString& program =
        kind_ == vesk::kItemPage ? settings_.general.htmlAppPath : settings_.general.imageAppPath;
    if (!vesk::IsRunnableProgram(program) || !vesk::StartProgram(program, currentPath_)) {
        vesk::ShowMessage(QString::fromUtf8(text::kFavouriteNotFound),
                          QString::fromUtf8(text::kErrorCaption), MsgIcon::Exclamation,
                          MsgButtons::Ok, this);
    }
}

void CFileBrowserPage::InsertImage() {
    CVeskHtmlView* view = host_.ActiveView();
    if (!view)
        return;
    vesk::ImageData data;
    data.src = Utf8(RelativePath());
    if (sizeKnown_) {
        data.width = std::to_string(imageWidth_);
        data.height = std::to_string(imageHeight_);
    }
    vesk::WriteImage(*view, data, vesk::kWriterInsert, vesk::CTagScanner());
    view->Journal().AddStep(0, kUndoNoChange, false);
    view->Control().setFocus();
}

void CFileBrowserPage::InsertLink() {
    CVeskHtmlView* view = host_.ActiveView();
    if (!view)
        return;
    vesk::LinkData data;
    data.href = Utf8(RelativePath());
    vesk::WriteLink(*view, data, vesk::kWriterInsert, vesk::CTagScanner());
    view->Journal().AddStep(0, kUndoNoChange, false);
    view->Control().setFocus();
}

void CFileBrowserPage::GetRelativePath() {
    QString copied = RelativePath();
    if (settings_.general.pathCopyDlgShowHide == 1) {
        ISettingsStore& store = AppStore();
        const bool sizeOffered = kind_ == vesk::kItemPicture && sizeKnown_;
        const bool pathOnly = store.GetProfileInt("FileViewSettings", "CopyPathOnly", 1) != 0;
        QWidget* owner = host_.mainWindow ? host_.mainWindow() : window();
        CPathCopyDlg dialog(copied, sizeOffered, imageWidth_, imageHeight_, pathOnly, owner);
        dialog.adjustSize();
        if (owner) {
            const QPoint centre = owner->mapToGlobal(owner->rect().center());
            dialog.move(centre - QPoint(dialog.width() / 2, dialog.height() / 2));
        }
        if (vesk::RunDialog(dialog) != QDialog::Accepted)
            return;
        // Without a size there was no choice to remember.
        if (sizeOffered)
            store.WriteProfileInt("FileViewSettings", "CopyPathOnly", dialog.PathOnly() ? 1 : 0);
        copied = dialog.Text();
    }
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard)
        clipboard->setText(copied);
    if (!clipboard || clipboard->text() != copied) {
        vesk::ShowMessage(QString::fromUtf8(text::kClipboardFailed),
                          QString::fromUtf8(text::kErrorCaption), MsgIcon::Exclamation,
                          MsgButtons::Ok, this);
    }
}

void CFileBrowserPage::ShowCurrentDocument() {
    CVeskHtmlView* view = host_.ActiveView();
    // An untitled document has no place on disk to show.
    if (!view || !view->Document() || view->Document()->PathName().isEmpty())
        return;
    ShowPathInBrowser(view->Document()->PathName(), 0);
}

void CFileBrowserPage::Paste() {
    const bool move = pending_ == kCutPending;
    const QString failed = QString::fromUtf8(move ? text::kCannotMove : text::kCannotCopy);
    if (kind_ == vesk::kItemNone || currentPath_.isEmpty()) {
        vesk::ShowMessage(failed, QString::fromUtf8(text::kCaption), MsgIcon::Information,
                          MsgButtons::Ok, this);
        return;
    }
    const QString destination =
        FromUtf8(vesk::PasteDestination(Utf8(currentPath_), kind_, Utf8(pendingSource_)));
    const vesk::ConfirmReplace confirm = [this](const QString& existing) {
        return vesk::ShowMessage(text::ReplaceQuestion(QFileInfo(existing).fileName()),
                                 QString::fromUtf8(text::kCaption), MsgIcon::Question,
                                 MsgButtons::YesNo, this) == MsgAnswer::Yes;
    };
    QString reason;
    const vesk::FileOpResult result =
        move ? vesk::MovePath(pendingSource_, destination, confirm, &reason)
             : vesk::CopyPath(pendingSource_, destination, confirm, &reason);
    if (result == vesk::FileOpResult::kFailed) {
        vesk::ShowMessage(reason.isEmpty() ? failed : failed + "\r\n" + reason,
                          QString::fromUtf8(text::kCaption), MsgIcon::Information, MsgButtons::Ok,
                          this);
        return;
    }
    if (result == vesk::FileOpResult::kAborted)
        return;
    pending_ = kNoOperation;
    pendingSource_.clear();
    NavigateTo(destination);
}

void CFileBrowserPage::Delete() {
    pending_ = kNoOperation;
    pendingSource_.clear();
    QTreeWidgetItem* item = tree_->currentItem();
    if (!item)
        return;
    const QString path = currentPath_;
    if (vesk::ShowMessage(text::TrashQuestion(QFileInfo(path).fileName()),
                          QString::fromUtf8(text::kCaption), MsgIcon::Question, MsgButtons::YesNo,
                          this) != MsgAnswer::Yes) {
        return;
    }
    const vesk::TrashResult trashed = vesk::MoveToTrash(path);
    if (!trashed.ok) {
        const QString message = QString::fromUtf8(text::kCannotDelete);
        vesk::ShowMessage(trashed.error.isEmpty() ? message : message + "\r\n" + trashed.error,
                          QString::fromUtf8(text::kCaption), MsgIcon::Information, MsgButtons::Ok,
                          this);
        return;
    }
    delete item;
    TakeSelection(tree_->currentItem());
}

void CFileBrowserPage::Rename() {
    QTreeWidgetItem* item = tree_->currentItem();
    if (!item)
        return;
    labelEditRequested_ = true;
    tree_->scrollToItem(item);
    tree_->editItem(item);
}

bool CFileBrowserPage::FinishLabelEdit(QTreeWidgetItem* item, const QString& label) {
    labelEditRequested_ = false;
    if (!item || label.isEmpty() || label == item->text(0) || TypeOf(item) == kRootItem)
        return false;
    const QString path = ItemPath(item);
    if (!vesk::RenamePath(path, label)) {
        vesk::ShowMessage(QString::fromUtf8(text::kCannotRename), QString::fromUtf8(text::kCaption),
                          MsgIcon::Information, MsgButtons::Ok, this);
        return false;
    }
    item->setText(0, label);
    if (item == tree_->currentItem()) {
        currentPath_ = ItemPath(item);
        pathLine_->setText(currentPath_);
        preview_->ShowFile(currentPath_);
        UpdateKind(item);
    }
    return true;
}

void CFileBrowserPage::NewFolder() {
    const QString path =
        FromUtf8(vesk::NewFolderPath(Utf8(currentPath_), kind_, text::kNewFolderName));
    if (!vesk::CreateFolder(path)) {
        vesk::ShowMessage(QString::fromUtf8(text::kCannotCreateFolder),
                          QString::fromUtf8(text::kCaption), MsgIcon::Information, MsgButtons::Ok,
                          this);
        return;
    }
    NavigateTo(path);
    Rename();
}

// ---- Layout and splitter -----------------------------------------------------------

void CFileBrowserPage::SetPreviewShare(double share) {
    share_ = vesk::ClampPreviewShare(vesk::PreviewPage::FileBrowser, share);
    Layout();
}

void CFileBrowserPage::Layout() {
    const int w = width();
    const int h = height();
    const int previewHeight = static_cast<int>(std::trunc(h * share_));
    pathLine_->setGeometry(0, 3, w - 2, 20);
    tree_->setGeometry(0, 26, w - 2, std::max(0, h - previewHeight - 54));
    preview_->setGeometry(0, h - previewHeight - 25, w - 2, previewHeight);
    filterList_->setGeometry(0, h - 22, w - 2, 20);
}

void CFileBrowserPage::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Layout();
}

void CFileBrowserPage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // A navigation made before the page had its size could not centre the selection.
    QTimer::singleShot(0, this, [this] {
        if (QTreeWidgetItem* item = tree_->currentItem())
            tree_->scrollToItem(item, QAbstractItemView::PositionAtCenter);
    });
}

void CFileBrowserPage::keyPressEvent(QKeyEvent* event) {
    if (!SwallowEnterAndEscape(*event))
        QWidget::keyPressEvent(event);
}
