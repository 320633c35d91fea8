#include "sidepane/link_browser.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QTreeWidget>
#include <cmath>

#include "core/app_settings.h"
#include "editor/text_control.h"
#include "editor/veskhtml_doc.h"
#include "editor/veskhtml_view.h"
#include "platform/launcher.h"
#include "platform/message_seam.h"
#include "sidepane/file_preview_wnd.h"
#include "sidepane/link_groups.h"
#include "sidepane/link_icons.h"
#include "sidepane/preview_splitter.h"
#include "sidepane/side_pane_texts.h"

using vesk::LinkIcon;
using vesk::LinkListId;
using vesk::MsgButtons;
using vesk::MsgIcon;
namespace text = veskview_text;
namespace lc = link_cmd;

namespace {

enum Role { kTypeRole = Qt::UserRole, kListRole, kIndexRole, kCodeRole };
enum ItemType { kRootItem, kGroupItem, kLinkItem };

// Selection kinds of the link browser.
enum LinkKindOfSelection {
    kSelNone = -1,
    kSelPage = 0,
    kSelPicture = 1,
    kSelAddress = 2,
    kSelAnchor = 3,
    kSelOtherFile = 4,
    kSelRootOrGroup = 5,
    kSelNotFound = 6,
    kSelMarkedMissing = 7,
};

const char* GroupTitle(LinkListId list) {
    switch (list) {
        case vesk::kInlineLinks:
            return text::kInlineGroup;
        case vesk::kAnchorLinks:
            return text::kAnchorGroup;
        case vesk::kInternalLinks:
            return text::kInternalGroup;
        case vesk::kExternalLinks:
            return text::kExternalGroup;
        default:
            return text::kMailGroup;
    }
}

LinkIcon GroupIcon(LinkListId list) {
    switch (list) {
        case vesk::kInlineLinks:
            return LinkIcon::kInlineGroup;
        case vesk::kAnchorLinks:
            return LinkIcon::kAnchorGroup;
        case vesk::kInternalLinks:
            return LinkIcon::kInternalGroup;
        case vesk::kExternalLinks:
            return LinkIcon::kExternalGroup;
        default:
            return LinkIcon::kMailGroup;
    }
}

}  // namespace

CLinkBrowserPage::CLinkBrowserPage(CAppSettings& settings, SidePaneHost host, QWidget* parent)
    : QWidget(parent), settings_(settings), host_(std::move(host)) {
    tree_ = new QTreeWidget(this);
    tree_->setHeaderHidden(true);
    tree_->setColumnCount(1);
    tree_->setUniformRowHeights(true);
    tree_->setSelectionMode(QAbstractItemView::SingleSelection);
    tree_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tree_->setIconSize(QSize(16, 16));
    tree_->setContextMenuPolicy(Qt::CustomContextMenu);

    preview_ = new vesk::CFilePreviewWnd(this);
    preview_->SetOptions(vesk::SidePanePreviewOptions(settings_.general.vvPreviewForm));

    splitter_ = new CPreviewSplitter(
        *this, vesk::PreviewPage::LinkBrowser, 2, [this] { return share_; },
        [this](double share) { SetPreviewShare(share); });
    for (QWidget* watched :
         {static_cast<QWidget*>(this), tree_->viewport(), static_cast<QWidget*>(preview_)})
        splitter_->Watch(watched);

    share_ = vesk::ReadPreviewShare(vesk::PreviewPage::LinkBrowser);
    pool_.setMaxThreadCount(1);

    connect(tree_, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* current) { OnSelectionChanged(current); });
    connect(tree_, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        if (item == tree_->currentItem() && kind_ != kSelRootOrGroup && kind_ != kSelNone)
            ShowLinkPosition();
    });
    connect(tree_, &QTreeWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        if (QTreeWidgetItem* item = tree_->itemAt(pos); item && item != tree_->currentItem())
            tree_->setCurrentItem(item);
        std::unique_ptr<QMenu> menu = MakeContextMenu();
        menu->exec(tree_->viewport()->mapToGlobal(pos));
    });
    Clear();
}

CLinkBrowserPage::~CLinkBrowserPage() {
    // No worker may post to a page that is gone.
    ++latestSerial_;
    pool_.clear();
    pool_.waitForDone();
    SaveSettings();
}

void CLinkBrowserPage::SaveSettings() {
    vesk::WritePreviewShare(vesk::PreviewPage::LinkBrowser, share_);
}

void CLinkBrowserPage::RefreshPreviewSettings() {
    preview_->SetForm(settings_.general.vvPreviewForm);
}

vesk::LinkLists CLinkBrowserPage::Lists() const {
    std::lock_guard lock(linkListLock_);
    return lists_;
}

QString CLinkBrowserPage::DocumentPath() const {
    return treeView_ && treeView_->Document() ? treeView_->Document()->PathName() : QString();
}

void CLinkBrowserPage::SetTreeView(CVeskHtmlView* view) {
    if (view == treeView_)
        return;
    disconnect(viewGone_);
    treeView_ = view;
    // A closed document leaves only the root; a later view at the same
    // address must not pass for it.
    if (view)
        viewGone_ = connect(view, &QObject::destroyed, this, [this] { Clear(); });
}

// ---- Building --------------------------------------------------------------------------

void CLinkBrowserPage::RebuildLinks(const std::string& text, CVeskHtmlView* view, bool force) {
    if (!host_.PaneShown() || (view == treeView_ && !force))
        return;
    // Background results still on their way belong to an older text.
    ++latestSerial_;
    pendingForce_ = false;
    std::lock_guard lock(linkListLock_);
    lists_ = text.empty() ? vesk::LinkLists() : vesk::ExtractLinks(text);
    SetTreeView(view);
    BuildTree();
    kind_ = kSelNone;
    path_.clear();
    preview_->ShowFile(QString());
}

void CLinkBrowserPage::Clear() {
    ++latestSerial_;
    pendingForce_ = false;
    std::lock_guard lock(linkListLock_);
    lists_ = vesk::LinkLists();
    SetTreeView(nullptr);
    BuildTree();
    kind_ = kSelNone;
    path_.clear();
    preview_->ShowFile(QString());
}

void CLinkBrowserPage::BuildTree() {
    tree_->setUpdatesEnabled(false);
    const QSignalBlocker quiet(tree_);
    tree_->clear();
    const QString title =
        treeView_ && treeView_->Document() ? treeView_->Document()->Title() : QString();
    auto* root = new QTreeWidgetItem(tree_, {title});
    root->setIcon(0, vesk::LinkIconOf(LinkIcon::kDocument));
    root->setData(0, kTypeRole, kRootItem);
    const std::string documentPath = DocumentPath().toStdString();
    for (const vesk::LinkTreeGroup& group : vesk::BuildLinkGroups(lists_, documentPath)) {
        auto* groupItem = new QTreeWidgetItem(root, {QString::fromUtf8(GroupTitle(group.list))});
        groupItem->setIcon(0, vesk::LinkIconOf(GroupIcon(group.list)));
        groupItem->setData(0, kTypeRole, kGroupItem);
        groupItem->setData(0, kListRole, static_cast<int>(group.list));
        const std::vector<vesk::LinkEntry>& entries = lists_[group.list];
        for (const vesk::LinkTreeItem& link : group.items) {
            auto* item =
                new QTreeWidgetItem(groupItem, {QString::fromStdString(entries[link.index].text)});
            item->setIcon(0, vesk::LinkIconOf(vesk::IsMissingCode(link.code) ? LinkIcon::kMissing
                                                                             : LinkIcon::kLink));
            item->setData(0, kTypeRole, kLinkItem);
            item->setData(0, kListRole, static_cast<int>(group.list));
            item->setData(0, kIndexRole, link.index);
            item->setData(0, kCodeRole, link.code);
        }
    }
    tree_->expandAll();
    tree_->setUpdatesEnabled(true);
    ++rebuilds_;
}

QTreeWidgetItem* CLinkBrowserPage::ItemOf(LinkListId list, int index) const {
    QTreeWidgetItem* root = tree_->topLevelItem(0);
    if (!root)
        return nullptr;
    for (int g = 0; g < root->childCount(); ++g) {
        QTreeWidgetItem* group = root->child(g);
        if (group->data(0, kListRole).toInt() != list)
            continue;
        for (int i = 0; i < group->childCount(); ++i) {
            if (group->child(i)->data(0, kIndexRole).toInt() == index)
                return group->child(i);
        }
    }
    return nullptr;
}

void CLinkBrowserPage::SelectItem(QTreeWidgetItem* item) {
    tree_->setCurrentItem(item);
    if (item)
        tree_->scrollToItem(item);
}

// ---- Background refresh -------------------------------------------------------------

void CLinkBrowserPage::RefreshInBackground(std::string text, bool force) {
    if (!host_.PaneShown())
        return;
    if (force)
        pendingForce_ = true;
    const int serial = ++latestSerial_;
    pool_.start([this, copy = std::move(text), serial] {
        // A newer request is queued behind this one and will do the work.
        if (serial != latestSerial_.load())
            return;
        auto lists = std::make_shared<vesk::LinkLists>(vesk::ExtractLinks(copy));
        QMetaObject::invokeMethod(
            this, [this, lists, serial] { OnBackgroundResult(std::move(*lists), serial); },
            Qt::QueuedConnection);
    });
}

void CLinkBrowserPage::OnBackgroundResult(vesk::LinkLists lists, int serial) {
    if (serial != latestSerial_.load() || !treeView_)
        return;
    std::lock_guard lock(linkListLock_);
    const bool rebuild = pendingForce_ || lists.Counts() != lists_.Counts();
    pendingForce_ = false;
    // The selected link, to be found again by its place in the text.
    int selectedList = -1;
    int selectedStart = -1;
    if (QTreeWidgetItem* current = tree_->currentItem();
        current && current->data(0, kTypeRole).toInt() == kLinkItem) {
        selectedList = current->data(0, kListRole).toInt();
        const int index = current->data(0, kIndexRole).toInt();
        if (index < static_cast<int>(lists_.lists[selectedList].size()))
            selectedStart = lists_.lists[selectedList][index].start;
    }
    lists_ = std::move(lists);
    if (!rebuild)
        return;
    BuildTree();
    kind_ = kSelNone;
    path_.clear();
    QTreeWidgetItem* again = nullptr;
    if (selectedList >= 0) {
        const std::vector<vesk::LinkEntry>& entries = lists_.lists[selectedList];
        for (int i = 0; i < static_cast<int>(entries.size()) && !again; ++i) {
            if (entries[i].start == selectedStart)
                again = ItemOf(static_cast<LinkListId>(selectedList), i);
        }
    }
    if (again)
        SelectItem(again);
    else
        preview_->ShowFile(QString());
}

void CLinkBrowserPage::WaitForBackgroundRefresh() {
    pool_.waitForDone();
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
}

bool CLinkBrowserPage::ShowLinkOfCaret(const std::string& linkText, int linkPosition,
                                       const std::string& text, CVeskHtmlView* view) {
    RebuildLinks(text, view, true);
    std::lock_guard lock(linkListLock_);
    for (int list = 0; list < vesk::kLinkListCount; ++list) {
        const std::vector<vesk::LinkEntry>& entries = lists_.lists[list];
        for (int i = 0; i < static_cast<int>(entries.size()); ++i) {
            if (entries[i].start != linkPosition ||
                linkText.find(entries[i].text) == std::string::npos) {
                continue;
            }
            // Anchor names have no item of their own.
            if (QTreeWidgetItem* item = ItemOf(static_cast<LinkListId>(list), i)) {
                SelectItem(item);
                return true;
            }
        }
    }
    return false;
}

// ---- Selection ----------------------------------------------------------------------

void CLinkBrowserPage::OnSelectionChanged(QTreeWidgetItem* item) {
    std::lock_guard lock(linkListLock_);
    path_.clear();
    if (!item) {
        kind_ = kSelNone;
    } else if (item->data(0, kTypeRole).toInt() != kLinkItem) {
        kind_ = kSelRootOrGroup;
    } else {
        const int list = item->data(0, kListRole).toInt();
        const int index = item->data(0, kIndexRole).toInt();
        const std::vector<vesk::LinkEntry>& entries = lists_.lists[list];
        const std::string linkText = index < static_cast<int>(entries.size())
                                         ? entries[index].text
                                         : item->text(0).toStdString();
        const vesk::LinkSelection selection = vesk::SelectLink(
            item->data(0, kCodeRole).toInt(), linkText, DocumentPath().toStdString());
        kind_ = selection.kind;
        path_ = QString::fromStdString(selection.path);
    }
    preview_->ShowFile(
        kind_ == kSelPage || kind_ == kSelPicture || kind_ == kSelOtherFile ? path_ : QString());
}

// ---- Commands -----------------------------------------------------------------------

CommandState CLinkBrowserPage::StateOf(int id) const {
    CommandState state;
    switch (id) {
        case lc::kShowLinkPosition:
            state.enabled = kind_ != kSelRootOrGroup && kind_ != kSelNone;
            break;
        case lc::kOpenInEditor:
            state.enabled = kind_ == kSelPage;
            break;
        case lc::kOpenWithApplication:
            state.enabled = kind_ == kSelPage || kind_ == kSelPicture || kind_ == kSelAddress ||
                            kind_ == kSelOtherFile || kind_ == kSelNotFound;
            break;
        case lc::kOpenWithFavourite:
            state.enabled = kind_ == kSelPage || kind_ == kSelPicture;
            break;
        case lc::kRefresh:
            state.enabled = true;
            break;
        default:
            state.enabled = false;
            break;
    }
    return state;
}

void CLinkBrowserPage::Execute(int id) {
    if (!StateOf(id).enabled)
        return;
    switch (id) {
        case lc::kShowLinkPosition:
            ShowLinkPosition();
            break;
        case lc::kOpenInEditor:
            if (host_.openInEditor)
                host_.openInEditor(path_);
            break;
        case lc::kOpenWithApplication:
            OpenWithApplication();
            break;
        case lc::kOpenWithFavourite:
            OpenWithFavourite();
            break;
        case lc::kRefresh:
            if (CVeskHtmlView* view = host_.ActiveView())
                RebuildLinks(view->Control().WholeText(), view, true);
            break;
        default:
            break;
    }
}

std::unique_ptr<QMenu> CLinkBrowserPage::MakeContextMenu() {
    auto menu = std::make_unique<QMenu>(this);
    auto add = [this, &menu](int id, const char* label) {
        QAction* action = menu->addAction(QString::fromUtf8(label));
        action->setEnabled(StateOf(id).enabled);
        connect(action, &QAction::triggered, this, [this, id] { Execute(id); });
    };
    add(lc::kShowLinkPosition, text::kShowLinkPosition);
    menu->addSeparator();
    add(lc::kOpenInEditor, text::kOpenInEditor);
    add(lc::kOpenWithApplication, text::kOpenWithApplication);
    add(lc::kOpenWithFavourite, text::kOpenWithFavourite);
    menu->addSeparator();
    add(lc::kRefresh, text::kRefresh);
    return menu;
}

void CLinkBrowserPage::ShowLinkPosition() {
    CVeskHtmlView* view = host_.ActiveView();
    QTreeWidgetItem* item = tree_->currentItem();
    if (!view || !item || item->data(0, kTypeRole).toInt() != kLinkItem)
        return;
    vesk::LinkEntry entry;
    {
        std::lock_guard lock(linkListLock_);
        const int list = item->data(0, kListRole).toInt();
        const int index = item->data(0, kIndexRole).toInt();
        if (index >= static_cast<int>(lists_.lists[list].size()))
            return;
        entry = lists_.lists[list][index];
    }
    CTextControl& control = view->Control();
    int oldStart = 0;
    int oldEnd = 0;
    control.GetSel(oldStart, oldEnd);
    const int length = control.TextLength();
    const int start = std::clamp(entry.start, 0, length);
    const int end = std::clamp(entry.end + 1, start, length);
    control.SetSel(start, end);
    std::string selected = control.SelectedText();
    if (!selected.empty() && selected.back() == '"')
        selected.pop_back();
    const std::size_t n = entry.text.size();
    const std::string tail = selected.size() >= n ? selected.substr(selected.size() - n) : selected;
    if (tail != entry.text) {
        vesk::ShowMessage(QString::fromUtf8(text::kLinkMismatch),
                          QString::fromUtf8(text::kLinkMismatchCaption), MsgIcon::Information,
                          MsgButtons::Ok, this);
        control.SetSel(oldStart, oldEnd);
        return;
    }
    control.setFocus();
    view->RefreshCaretContextAsClick();
}

void CLinkBrowserPage::OpenWithApplication() {
    bool opened = false;
    if (kind_ == kSelAddress) {
        opened = vesk::OpenUrl(path_);
    } else if (kind_ == kSelNotFound) {
        QTreeWidgetItem* item = tree_->currentItem();
        const QString shown = path_.isEmpty() && item ? item->text(0) : path_;
        vesk::ShowMessage(text::LinkTargetMissing(shown), QString::fromUtf8(text::kCaption),
                          MsgIcon::Exclamation, MsgButtons::Ok, this);
        return;
    } else {
        opened = vesk::OpenWithDesktop(path_);
    }
    if (!opened) {
        vesk::ShowMessage(QString::fromUtf8(text::kApplicationNotFound),
                          QString::fromUtf8(text::kCaption), MsgIcon::Exclamation, MsgButtons::Ok,
                          this);
    }
}

void CLinkBrowserPage::OpenWithFavourite() {
    const QString& program =
        kind_ == kSelPage ? settings_.general.htmlAppPath : settings_.general.imageAppPath;
    if (!vesk::IsRunnableProgram(program) || !vesk::StartProgram(program, path_)) {
        vesk::ShowMessage(QString::fromUtf8(text::kFavouriteNotFound),
                          QString::fromUtf8(text::kErrorCaption), MsgIcon::Exclamation,
                          MsgButtons::Ok, this);
    }
}

// ---- Layout and splitter -----------------------------------------------------------

void CLinkBrowserPage::SetPreviewShare(double share) {
    share_ = vesk::ClampPreviewShare(vesk::PreviewPage::LinkBrowser, share);
    Layout();
}

void CLinkBrowserPage::Layout() {
    const int w = width();
    const int h = height();
    const int previewHeight = static_cast<int>(std::trunc(h * share_));
    // The splitter line lies 2 pixels above the preview, inside the grab band.
    tree_->setGeometry(0, 3, w - 2, std::max(0, h - previewHeight - 6));
    preview_->setGeometry(0, h - previewHeight - 1, w - 2, previewHeight);
}

void CLinkBrowserPage::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Layout();
}

void CLinkBrowserPage::keyPressEvent(QKeyEvent* event) {
    if (!SwallowEnterAndEscape(*event))
        QWidget::keyPressEvent(event);
}
