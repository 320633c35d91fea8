#include "app/main_frame.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDockWidget>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QStatusBar>
#include <QStyle>
#include <QTabBar>
#include <QTimer>
#include <QToolBar>
#include <functional>

#include "app/child_frame.h"
#include "app/command_router.h"
#include "app/doc_list.h"
#include "app/doc_list_bar.h"
#include "app/toolbars.h"
#include "app/veskhtml_app.h"
#include "app/window_arrangement.h"
#include "core/command_ids.h"
#include "core/command_table.h"
#include "editor/veskhtml_doc.h"
#include "editor/veskhtml_view.h"
#include "findfiles/find_in_files.h"
#include "framework/menu_decoration.h"
#include "framework/sizing_bar_state.h"
#include "groups/file_group.h"
#include "platform/message_seam.h"
#include "platform/program_folders.h"
#include "platform/settings_store.h"
#include "sidepane/side_pane_texts.h"
#include "sidepane/veskview_pane.h"
#include "tags/simple_tags.h"

namespace {

const char kTitle[] = "VeskHtml";
constexpr int kSidePaneWidth = 260;

// The pane's own close button hides it, like the toggle command does.
class VeskViewDock : public QDockWidget {
  public:
    using QDockWidget::QDockWidget;
    std::function<void()> closed;

  protected:
    void closeEvent(QCloseEvent* event) override {
        QDockWidget::closeEvent(event);
        if (event->isAccepted() && closed)
            closed();
    }
};

// Show commands of a child window placement.
constexpr int kShowNormal = 1;
constexpr int kShowMinimized = 2;
constexpr int kShowMaximized = 3;

// Profile name of the bar sizes and layout, and the ids of the sizing bars.
const char kBarProfile[] = "FlameState";
constexpr int kSidePaneBarId = 119;
constexpr int kDocListBarId = 124;
}  // namespace

CMainFrame::CMainFrame(CVeskHtmlApp& app) : app_(app) {
    setWindowTitle(kTitle);
    setWindowIcon(QIcon(":/icons/veskhtml.svg"));
    mdiArea_ = new QMdiArea(this);
    mdiArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea_->setBackground(QColor(0x80, 0x80, 0x80));
    setCentralWidget(mdiArea_);
    connect(mdiArea_, &QMdiArea::subWindowActivated, this, [this] { OnChildActivated(); });
    mdiArea_->setTabsClosable(true);
    mdiArea_->setTabsMovable(true);
    mdiArea_->setDocumentMode(true);
    ApplyViewMode();

    RegisterCommands();
    toolBars_ = new CMainToolBars(*this, app_.Router());
    BuildMenus();
    DecorateMenus();
    toolBars_->Fill(app_.Settings().buttonLayouts);
    CreateDocListBar();
    BuildStatusBar();
    CreateSidePane();
    CreateFindInFiles();
    resize(800, 600);
    LoadBarState(AppStore());
    // Alt+B and Alt+F are also the mnemonics of menu titles; the commands win.
    qApp->installEventFilter(this);
}

CMainFrame::~CMainFrame() {
    // The child windows, the MDI area and the bars still send signals while QWidget's
    // destructor deletes them, and the slots here would run on a frame that is half gone.
    qApp->removeEventFilter(this);
    for (QObject* child : findChildren<QObject*>()) disconnect(child, nullptr, this, nullptr);
    for (CVeskHtmlDoc* doc : app_.Documents()) disconnect(doc, nullptr, this, nullptr);
}

void CMainFrame::CreateDocListBar() {
    CDocListBar::Host host;
    host.collect = [this] {
        std::vector<DocumentListEntry> entries;
        for (CChildFrame* child : Children()) {
            DocumentListEntry entry;
            entry.index = static_cast<int>(entries.size());
            entry.view = child->View();
            const QString path = child->Document()->PathName();
            entry.shownPath = path.isEmpty() ? child->Document()->Title() : path;
            entry.pageTitle = QString::fromStdString(PageTitleOf(child->View()->GetAllText()));
            if (!path.isEmpty())
                entry.groupName = QString::fromStdString(FindGroupOfFile(path.toStdString()));
            entries.push_back(entry);
        }
        return entries;
    };
    host.active = [this](DocumentListEntry& entry) {
        CChildFrame* child = ActiveChild();
        if (!child)
            return false;
        const QString path = child->Document()->PathName();
        entry.view = child->View();
        entry.shownPath = path.isEmpty() ? child->Document()->Title() : path;
        entry.pageTitle = QString::fromStdString(PageTitleOf(child->View()->GetAllText()));
        if (!path.isEmpty())
            entry.groupName = QString::fromStdString(FindGroupOfFile(path.toStdString()));
        return true;
    };
    host.activate = [this](CVeskHtmlView* view) { ActivateView(view); };
    host.items = [this] { return app_.Settings().general.docListBarItems; };
    docListBar_ = new CDocListBar(std::move(host), this);
    // Docked at the top the title stands at the side, like a toolbar's gripper.
    auto placeTitle = [this](Qt::DockWidgetArea area) {
        const bool horizontal = area == Qt::TopDockWidgetArea || area == Qt::BottomDockWidgetArea;
        docListBar_->setFeatures(
            horizontal ? docListBar_->features() | QDockWidget::DockWidgetVerticalTitleBar
                       : docListBar_->features() & ~QDockWidget::DockWidgetVerticalTitleBar);
    };
    connect(docListBar_, &QDockWidget::dockLocationChanged, this, placeTitle);
    addDockWidget(Qt::TopDockWidgetArea, docListBar_);
    placeTitle(Qt::TopDockWidgetArea);
}

void CMainFrame::DecorateMenus() {
    CCommandRouter& router = app_.Router();
    for (const CommandInfo& info : CommandTable())
        DecorateAction(router.Action(info.id), info.id, QString::fromUtf8(info.label));
}

bool CMainFrame::ActivateView(CVeskHtmlView* view) {
    for (CChildFrame* child : Children()) {
        if (child->View() == view) {
            if (child->isMinimized())
                child->showNormal();
            mdiArea_->setActiveSubWindow(child);
            return true;
        }
    }
    return false;
}

void CMainFrame::GoBack() {
    // A window already closed but not yet destroyed is passed over.
    while (std::optional<CVeskHtmlView*> view = history_.TakeBack()) {
        if (ActivateView(*view))
            return;
    }
}

void CMainFrame::GoForward() {
    while (std::optional<CVeskHtmlView*> view = history_.TakeForward()) {
        if (ActivateView(*view))
            return;
    }
}

void CMainFrame::ShowActiveDocument() {
    if (docListBar_)
        docListBar_->ShowActiveDocument();
}

FrameBarVisibility CMainFrame::BarVisibility() const {
    FrameBarVisibility shown;
    for (int i = 0; i < kToolbarCount; ++i)
        shown.toolbars[i] = !toolBars_->Bar(static_cast<ToolbarId>(i))->isHidden();
    shown.documentList = !docListBar_->isHidden();
    shown.statusBar = !statusBar()->isHidden();
    return shown;
}

void CMainFrame::ApplyBarVisibility(const FrameBarVisibility& shown) {
    for (int i = 0; i < kToolbarCount; ++i)
        toolBars_->Bar(static_cast<ToolbarId>(i))->setVisible(shown.toolbars[i]);
    docListBar_->setVisible(shown.documentList);
    statusBar()->setVisible(shown.statusBar);
}

void CMainFrame::RefillToolBars() {
    toolBars_->Fill(app_.Settings().buttonLayouts);
    app_.Router().UpdateActions();
}

void CMainFrame::LoadBarState(ISettingsStore& store) {
    const QString state = store.GetProfileString(QString(kBarProfile) + "-Summary", "Layout", "");
    if (!state.isEmpty()) {
        restoreState(QByteArray::fromBase64(state.toLatin1()));
        // The side pane's visibility is the setting's, not the saved layout's.
        if (sideDock_)
            sideDock_->setVisible(app_.Settings().currentShowHide != 0);
    }
    // The side pane's and the document list's own sizes, never below their minimum.
    struct {
        QDockWidget* dock;
        int id;
    } bars[] = {{sideDock_, kSidePaneBarId}, {docListBar_, kDocListBarId}};
    for (const auto& bar : bars) {
        // Nothing stored yet: the bar keeps the size it was made with.
        if (!bar.dock || !store.HasEntry(SizingBarSection(kBarProfile, bar.id), "sizeVertCX"))
            continue;
        const QSize now = bar.dock->size();
        const SizingBarSizes current{now, now, now};
        const SizingBarSizes sizes =
            LoadSizingBarSizes(store, kBarProfile, bar.id, current, bar.dock->minimumSize());
        const Qt::DockWidgetArea area = dockWidgetArea(bar.dock);
        if (bar.dock->isFloating()) {
            bar.dock->resize(sizes.floating);
        } else if (area == Qt::LeftDockWidgetArea || area == Qt::RightDockWidgetArea) {
            resizeDocks({bar.dock}, {sizes.vert.width()}, Qt::Horizontal);
        } else {
            resizeDocks({bar.dock}, {sizes.horz.height()}, Qt::Vertical);
        }
    }
}

void CMainFrame::SaveBarState(ISettingsStore& store) const {
    store.WriteProfileString(QString(kBarProfile) + "-Summary", "Layout",
                             QString::fromLatin1(saveState().toBase64()));
    struct {
        QDockWidget* dock;
        int id;
    } bars[] = {{sideDock_, kSidePaneBarId}, {docListBar_, kDocListBarId}};
    for (const auto& bar : bars) {
        if (!bar.dock)
            continue;
        // Start from what is stored so the sizes of the other docking sides survive.
        const QSize now = bar.dock->size();
        SizingBarSizes sizes =
            LoadSizingBarSizes(store, kBarProfile, bar.id, {now, now, now}, QSize(0, 0));
        const Qt::DockWidgetArea area = dockWidgetArea(bar.dock);
        if (bar.dock->isFloating())
            sizes.floating = now;
        else if (area == Qt::LeftDockWidgetArea || area == Qt::RightDockWidgetArea)
            sizes.vert = now;
        else
            sizes.horz = now;
        SaveSizingBarSizes(store, kBarProfile, bar.id, sizes);
    }
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::ShortcutOverride && type != QEvent::KeyPress)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    // F10 opens the menu bar at ﾌｧｲﾙ, as on other desktops, whatever Alt+F is doing.
    if (key->key() == Qt::Key_F10 && key->modifiers() == Qt::NoModifier) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget || widget->window() != this)
            return false;
        if (type == QEvent::KeyPress)
            menuBar()->setActiveAction(fileMenu_->menuAction());
        event->accept();
        return true;
    }
    if (key->modifiers() != Qt::AltModifier)
        return false;
    // Back and forward: Alt+B and Alt+F, and Alt+arrow as their menu items show.
    int command = 0;
    switch (key->key()) {
        case Qt::Key_B:
        case Qt::Key_Left:
            command = cmd::kWindowBack;
            break;
        case Qt::Key_F:
        case Qt::Key_Right:
            command = cmd::kWindowForward;
            break;
        default:
            return false;
    }
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != this)
        return false;
    // With nowhere to go the key is left alone, so Alt+F still opens the ﾌｧｲﾙ menu.
    if (!app_.Router().StateOf(command).enabled)
        return false;
    if (type == QEvent::ShortcutOverride) {
        // Taking the override keeps the menu bar's mnemonic and the text control's own key
        // binding from firing; the key press that follows runs the command.
        event->accept();
        return true;
    }
    app_.Router().Execute(command);
    return true;
}

void CMainFrame::CreateSidePane() {
    SidePaneHost host;
    host.activeView = [this] { return ActiveView(); };
    host.documentCount = [this] { return static_cast<int>(Children().size()); };
    host.openInEditor = [this](const QString& path) { app_.OpenDocumentFileWithMessage(path); };
    host.paneShown = [this] { return app_.Settings().currentShowHide != 0; };
    host.mainWindow = [this]() -> QWidget* { return this; };

    auto* dock = new VeskViewDock(QString::fromUtf8(veskview_text::kPaneTitle), this);
    dock->setObjectName("VeskView");
    dock->setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
    dock->setMinimumWidth(120);
    dock->closed = [this] {
        app_.Settings().currentShowHide = 0;
        app_.Router().ScheduleUpdate();
    };
    // The dock's own entry in the window's context menu shows and hides it too.
    connect(dock->toggleViewAction(), &QAction::triggered, this, [this](bool shown) {
        app_.Settings().currentShowHide = shown ? 1 : 0;
        if (shown)
            sidePane_->OnShown();
        app_.Router().ScheduleUpdate();
    });
    sidePane_ = new CVeskViewPane(app_.Settings(), std::move(host), dock);
    dock->setWidget(sidePane_);
    sideDock_ = dock;
    addDockWidget(Qt::LeftDockWidgetArea, dock);
    resizeDocks({sideDock_}, {kSidePaneWidth}, Qt::Horizontal);
    dock->setVisible(app_.Settings().currentShowHide != 0);
}

void CMainFrame::CreateFindInFiles() {
    FindInFilesHost host;
    host.activeView = [this] { return ActiveView(); };
    host.views = [this] {
        std::vector<CVeskHtmlView*> views;
        for (CChildFrame* child : Children()) views.push_back(child->View());
        return views;
    };
    host.open = [this](const QString& path) -> CVeskHtmlView* {
        CVeskHtmlDoc* doc = app_.OpenDocumentFileWithMessage(path);
        return doc ? doc->View() : nullptr;
    };
    host.activate = [this](CVeskHtmlView* view) { ActivateView(view); };
    findInFiles_ = new CFindInFiles(std::move(host), this);
    AddCommand(cmd::kFindInFiles, [this] { findInFiles_->Open(); });
}

void CMainFrame::ShowSidePane(bool show) {
    app_.Settings().currentShowHide = show ? 1 : 0;
    sideDock_->setVisible(show);
    if (show) {
        sideDock_->raise();
        sidePane_->OnShown();
    }
    app_.Router().ScheduleUpdate();
}

bool CMainFrame::SidePaneShown() const {
    return sideDock_ && !sideDock_->isHidden();
}

CChildFrame* CMainFrame::ActiveChild() const {
    return qobject_cast<CChildFrame*>(mdiArea_->activeSubWindow());
}

CVeskHtmlView* CMainFrame::ActiveView() const {
    CChildFrame* child = ActiveChild();
    return child ? child->View() : nullptr;
}

QList<CChildFrame*> CMainFrame::Children() const {
    QList<CChildFrame*> children;
    for (QMdiSubWindow* w : mdiArea_->subWindowList(QMdiArea::CreationOrder)) {
        if (auto* child = qobject_cast<CChildFrame*>(w))
            children << child;
    }
    return children;
}

void CMainFrame::RegisterCommands() {
    OnCommand(cmd::kAppExit, [this] { close(); });
    OnCommand(
        cmd::kViewSidePane, [this] { ShowSidePane(!SidePaneShown()); },
        [this](CommandState& s) {
            s.checked = SidePaneShown();
            if (!s.checked)
                app_.Settings().currentShowHide = 0;
        });
    OnCommand(
        cmd::kWindowTile,
        [this] {
            TileWindows();
            app_.Settings().tile = 1;
        },
        [this](CommandState& s) {
            s.enabled = !Children().isEmpty() && !TabbedView();
            s.checked = app_.Settings().tile == 1;
        });
    OnCommand(
        cmd::kWindowCascade,
        [this] {
            CascadeWindows();
            app_.Settings().tile = 0;
        },
        [this](CommandState& s) {
            s.enabled = !Children().isEmpty() && !TabbedView();
            s.checked = app_.Settings().tile == 0;
        });
    OnCommand(
        cmd::kWindowTileToggle,
        [this] {
            if (app_.Settings().tile == 1) {
                CascadeWindows();
                app_.Settings().tile = 0;
            } else {
                TileWindows();
                app_.Settings().tile = 1;
            }
        },
        [this](CommandState& s) {
            s.enabled = !TabbedView();
            s.checked = app_.Settings().tile == 1;
        });
    OnCommand(
        cmd::kWindowBack, [this] { GoBack(); },
        [this](CommandState& s) { s.enabled = history_.CanGoBack(); });
    OnCommand(
        cmd::kWindowForward, [this] { GoForward(); },
        [this](CommandState& s) { s.enabled = history_.CanGoForward(); });
    for (int id : CMainToolBars::MenuButtonCommands())
        OnCommand(id, [this, id] { toolBars_->PopupMenu(id); });
    OnCommandRange(
        cmd::kWindowFirst, cmd::kWindowLast,
        [this](int id) {
            QList<CChildFrame*> children = Children();
            int index = id - cmd::kWindowFirst;
            if (index < children.size()) {
                CChildFrame* child = children[index];
                if (child->isMinimized())
                    child->showNormal();
                mdiArea_->setActiveSubWindow(child);
            }
        },
        [this](int id, CommandState& s) {
            QList<CChildFrame*> children = Children();
            int index = id - cmd::kWindowFirst;
            s.checked = index < children.size() && children[index] == ActiveChild();
        });
}

void CMainFrame::BuildMenus() {
    CCommandRouter& router = app_.Router();
    auto add = [&router](QMenu* menu, int id) { menu->addAction(router.Action(id)); };

    fileMenu_ = menuBar()->addMenu("ﾌｧｲﾙ(&F)");
    add(fileMenu_, cmd::kFileNew);
    add(fileMenu_, cmd::kFileOpen);
    add(fileMenu_, cmd::kFileClose);
    fileMenu_->addSeparator();
    add(fileMenu_, cmd::kFileSave);
    add(fileMenu_, cmd::kFileSaveAs);
    add(fileMenu_, cmd::kSaveAll);
    add(fileMenu_, cmd::kCloseAll);
    fileMenu_->addSeparator();
    QMenu* groupMenu = fileMenu_->addMenu("ファイルグループ (&G)");
    add(groupMenu, cmd::kGroupOpen);
    add(groupMenu, cmd::kGroupClose);
    add(groupMenu, cmd::kGroupEdit);
    router.WatchMenu(groupMenu);
    add(fileMenu_, cmd::kOpenPreviousDocuments);
    fileMenu_->addSeparator();
    add(fileMenu_, cmd::kFilePrint);
    add(fileMenu_, cmd::kFilePrintSetup);
    fileMenu_->addSeparator();
    QMenu* encodingMenu = fileMenu_->addMenu("文字コード(&M)");
    QMenu* reloadMenu = encodingMenu->addMenu("指定した文字コードで開き直す(&R)");
    QMenu* saveMenu = encodingMenu->addMenu("指定した文字コードで保存(&S)");
    for (int i = 0; i < 5; ++i) {
        add(reloadMenu, cmd::kReloadUtf8 + i);
        add(saveMenu, cmd::kSaveUtf8 + i);
        if (i == 0)
            add(saveMenu, cmd::kSaveUtf8Bom);
    }
    router.WatchMenu(reloadMenu);
    router.WatchMenu(saveMenu);
    fileMenu_->addSeparator();
    recentAnchor_ = fileMenu_->addSeparator();
    add(fileMenu_, cmd::kAppExit);
    router.WatchMenu(fileMenu_);
    connect(fileMenu_, &QMenu::aboutToShow, this, [this] { RefillRecentFiles(); });
    RefillRecentFiles();

    QMenu* editMenu = menuBar()->addMenu("編集(&E)");
    add(editMenu, cmd::kEditUndo);
    add(editMenu, cmd::kEditRedo);
    editMenu->addSeparator();
    add(editMenu, cmd::kEditCut);
    add(editMenu, cmd::kEditCopy);
    add(editMenu, cmd::kEditPaste);
    add(editMenu, cmd::kEditClear);
    editMenu->addSeparator();
    add(editMenu, cmd::kEditSelectAll);
    editMenu->addSeparator();
    add(editMenu, cmd::kFind);
    add(editMenu, cmd::kReplace);
    add(editMenu, cmd::kFindInFiles);
    editMenu->addSeparator();
    add(editMenu, cmd::kEditTag);
    add(editMenu, cmd::kColourCodeCopy);
    add(editMenu, cmd::kColourCodeSwap);
    editMenu->addSeparator();
    add(editMenu, cmd::kDateStamp);
    router.WatchMenu(editMenu);

    // The tag menus, from their layout table.
    QList<QMenu*> tagMenus;
    for (const TagMenu& layout : TagMenus()) {
        QMenu* menu = menuBar()->addMenu(QString::fromUtf8(layout.title));
        tagMenus << menu;
        QList<QMenu*> open{menu};
        for (const TagMenuItem& item : layout.items) {
            if (item.id == TagMenuItem::kSeparator) {
                open.last()->addSeparator();
            } else if (item.id == TagMenuItem::kSubmenu) {
                open << open.last()->addMenu(QString::fromUtf8(item.title));
                router.WatchMenu(open.last());
            } else if (item.id == TagMenuItem::kEndSubmenu) {
                open.removeLast();
            } else if (item.title) {
                open.last()->addAction(
                    router.SecondPlaceAction(item.id, QString::fromUtf8(item.title)));
            } else {
                add(open.last(), item.id);
            }
        }
        router.WatchMenu(menu);
    }

    QMenu* toolsMenu = menuBar()->addMenu("ツール(&T)");
    add(toolsMenu, cmd::kPreviewIe);
    add(toolsMenu, cmd::kPreviewNn);
    toolsMenu->addSeparator();
    add(toolsMenu, cmd::kOpenWithApplication);
    add(toolsMenu, cmd::kOpenWithFavourite);
    add(toolsMenu, cmd::kOpenInEditor);
    add(toolsMenu, cmd::kStartFileManager);
    toolsMenu->addSeparator();
    add(toolsMenu, cmd::kShowDocumentInFileBrowser);
    add(toolsMenu, cmd::kShowLinkInFileBrowser);
    add(toolsMenu, cmd::kShowLinkInLinkBrowser);
    toolsMenu->addSeparator();
    add(toolsMenu, cmd::kRedraw);
    toolsMenu->addSeparator();
    QMenu* convertMenu = toolsMenu->addMenu("変換 (&C)");
    for (int id : {cmd::kTagLower, cmd::kTagUpper, cmd::kBreaksToBr, cmd::kEscapeConversion,
                   cmd::kRemoveTags}) {
        add(convertMenu, id);
    }
    convertMenu->addSeparator();
    add(convertMenu, cmd::kToPlainText);
    router.WatchMenu(convertMenu);
    toolsMenu->addSeparator();
    add(toolsMenu, cmd::kSettings);
    router.WatchMenu(toolsMenu);

    windowMenu_ = menuBar()->addMenu("ｳｨﾝﾄﾞｳ(&W)");
    add(windowMenu_, cmd::kWindowCascade);
    add(windowMenu_, cmd::kWindowTile);
    windowMenu_->addSeparator();
    add(windowMenu_, cmd::kViewSidePane);
    windowMenu_->addSeparator();
    add(windowMenu_, cmd::kWindowBack);
    add(windowMenu_, cmd::kWindowForward);
    connect(windowMenu_, &QMenu::aboutToShow, this, [this] { RefillWindowList(); });
    router.WatchMenu(windowMenu_);

    QMenu* helpMenu = menuBar()->addMenu("ﾍﾙﾌﾟ(&H)");
    add(helpMenu, cmd::kHelp);
    add(helpMenu, cmd::kReadMe);
    helpMenu->addSeparator();
    add(helpMenu, cmd::kAppAbout);
    router.WatchMenu(helpMenu);

    // Every command shortcut works from anywhere in the window.
    for (QMenu* menu :
         {fileMenu_, groupMenu, editMenu, toolsMenu, convertMenu, windowMenu_, helpMenu}) {
        addActions(menu->actions());
    }
    // Shortcuts of the tag commands (the menus hold them in submenus too).
    for (const SimpleTagCommand& command : SimpleTagCommands())
        addAction(router.Action(command.id));
}

void CMainFrame::RefillRecentFiles() {
    CCommandRouter& router = app_.Router();
    for (QAction* action : recentActions_) fileMenu_->removeAction(action);
    recentActions_.clear();
    const QStringList& paths = app_.RecentFiles().Paths();
    QAction* before = fileMenu_->actions().value(fileMenu_->actions().indexOf(recentAnchor_) + 1);
    if (paths.isEmpty()) {
        QAction* action = router.Action(cmd::kFileMruFirst);
        action->setText("最近使ったﾌｧｲﾙ");
        fileMenu_->insertAction(before, action);
        recentActions_ << action;
    } else {
        for (int i = 0; i < paths.size(); ++i) {
            QAction* action = router.Action(cmd::kFileMruFirst + i);
            action->setText(CRecentFileList::MenuText(i, paths[i]));
            fileMenu_->insertAction(before, action);
            recentActions_ << action;
        }
    }
    QAction* separator = new QAction(fileMenu_);
    separator->setSeparator(true);
    fileMenu_->insertAction(before, separator);
    recentActions_ << separator;
}

void CMainFrame::RefillWindowList() {
    CCommandRouter& router = app_.Router();
    for (QAction* action : windowActions_) windowMenu_->removeAction(action);
    windowActions_.clear();
    QList<CChildFrame*> children = Children();
    if (children.isEmpty())
        return;
    windowActions_ << windowMenu_->addSeparator();
    for (int i = 0; i < children.size() && i <= cmd::kWindowLast - cmd::kWindowFirst; ++i) {
        QAction* action = router.Action(cmd::kWindowFirst + i);
        QString title = children[i]->Document()->Title();
        title.replace('&', "&&");
        action->setText(i < 9 ? QString("&%1 %2").arg(i + 1).arg(title)
                              : QString("%1 %2").arg(i + 1).arg(title));
        windowMenu_->addAction(action);
        windowActions_ << action;
    }
}

void CMainFrame::BuildStatusBar() {
    QStatusBar* bar = statusBar();
    connect(&app_.Router(), &CCommandRouter::StatusText, this,
            [bar](const QString& text) { bar->showMessage(text); });
    auto makePane = [this, bar](const QString& sizingText) {
        auto* pane = new QLabel(this);
        pane->setTextFormat(Qt::PlainText);
        pane->setAlignment(Qt::AlignCenter);
        pane->setFrameShape(QFrame::Panel);
        pane->setFrameShadow(QFrame::Sunken);
        pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance(sizingText) + 12);
        bar->addPermanentWidget(pane);
        return pane;
    };
    kanaPane_ = makePane("ｶﾅ");
    indicatorPanes_[0] = makePane("現在行 0000行");
    indicatorPanes_[1] = makePane("全行数 0000行");
    indicatorPanes_[2] = makePane("000000Byte");
    encodingPane_ = makePane("ISO-2022-JP (BOM) / CRLF");
    SetIndicators({"現在行 0行", "全行数 0行", "0Byte"});
}

void CMainFrame::SetIndicators(const QStringList& texts) {
    for (int i = 0; i < 3 && i < texts.size(); ++i) indicatorPanes_[i]->setText(texts[i]);
}

QStringList CMainFrame::Indicators() const {
    return {indicatorPanes_[0]->text(), indicatorPanes_[1]->text(), indicatorPanes_[2]->text()};
}

void CMainFrame::SetEncodingText(const QString& text) {
    encodingPane_->setText(text);
}

void CMainFrame::OnChildActivated() {
    // Windows close and activate after the command that caused it: back, forward, close and
    // the rest are enabled by what is there now.
    app_.Router().ScheduleUpdate();
    CChildFrame* child = ActiveChild();
    // Only what follows the active document is undone; the connections every view keeps for
    // its whole life (history, context menu, caret records) stay.
    if (lastActive_ && lastActive_ != child) {
        for (const QMetaObject::Connection& connection : activeConnections_) disconnect(connection);
        activeConnections_.clear();
    }
    if (!child) {
        // Keep the last window's connections while the area merely lost focus.
        if (!Children().isEmpty())
            return;
        lastActive_ = nullptr;
        UpdateFrameTitle();
        SetIndicators({"現在行 0行", "全行数 0行", "0Byte"});
        SetEncodingText(QString());
        ShowActiveDocument();
        return;
    }
    if (child == lastActive_)
        return;
    lastActive_ = child;
    CVeskHtmlView* view = child->View();
    CVeskHtmlDoc* doc = child->Document();
    activeConnections_ << connect(view, &CVeskHtmlView::StatusChanged, this,
                                  [this, view] { SetIndicators(view->StatusTexts()); });
    auto showDocument = [this, doc] {
        UpdateFrameTitle();
        SetEncodingText(doc->EncodingDescription());
    };
    activeConnections_ << connect(doc, &CVeskHtmlDoc::TitleChanged, this, showDocument);
    activeConnections_ << connect(doc, &CVeskHtmlDoc::EncodingChanged, this, showDocument);
    activeConnections_ << connect(doc, &CVeskHtmlDoc::ModifiedChanged, this,
                                  [this](bool modified) { setWindowModified(modified); });
    // After Save As the list shows the new path.
    activeConnections_ << connect(doc, &CVeskHtmlDoc::PathNameChanged, this,
                                  &CMainFrame::ShowActiveDocument);
    activeConnections_ << connect(child, &QObject::destroyed, this, [this, child] {
        if (lastActive_ == child)
            lastActive_ = nullptr;
    });
    history_.Activated(view);
    view->OnActivated();
    showDocument();
    ShowActiveDocument();
    SetIndicators(view->StatusTexts());
    app_.Router().ScheduleUpdate();
}

namespace {
// The windows to arrange: minimised ones keep their place as icons.
QList<QMdiSubWindow*> Arrangeable(QMdiArea* area) {
    QList<QMdiSubWindow*> windows;
    for (QMdiSubWindow* w : area->subWindowList(QMdiArea::ActivationHistoryOrder)) {
        if (w->isVisible() && !w->isMinimized())
            windows << w;
    }
    return windows;
}

void Place(const QList<QMdiSubWindow*>& windows, const std::vector<QRect>& rects) {
    for (qsizetype i = 0; i < windows.size() && i < qsizetype(rects.size()); ++i) {
        if (windows[i]->isMaximized())
            windows[i]->showNormal();
        windows[i]->setGeometry(rects[i]);
    }
}
}  // namespace

void CMainFrame::TileWindows() {
    // The active window on top, the others in the order they were last used.
    QList<QMdiSubWindow*> windows = Arrangeable(mdiArea_);
    std::reverse(windows.begin(), windows.end());
    Place(windows, HorizontalStrips(mdiArea_->viewport()->size(), int(windows.size())));
}

void CMainFrame::CascadeWindows() {
    QList<QMdiSubWindow*> windows = Arrangeable(mdiArea_);
    const int step = style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this);
    Place(windows, CascadeRects(mdiArea_->viewport()->size(), int(windows.size()), step));
    // The active window ends up in front, at the end of the cascade.
    for (QMdiSubWindow* w : windows) w->raise();
}

void CMainFrame::ApplyViewMode() {
    const bool tabbed = app_.Settings().CopyOut().tabbedView != 0;
    if (tabbed == TabbedView())
        return;
    mdiArea_->setViewMode(tabbed ? QMdiArea::TabbedView : QMdiArea::SubWindowView);
    // Tabs as wide as their titles, as in other editors, rather than sharing the width.
    if (auto* tabs = mdiArea_->findChild<QTabBar*>(QString(), Qt::FindDirectChildrenOnly))
        tabs->setExpanding(false);
    if (!tabbed && app_.Settings().tile == 1)
        TileWindows();
    UpdateFrameTitle();
}

bool CMainFrame::TabbedView() const {
    return mdiArea_->viewMode() == QMdiArea::TabbedView;
}

void CMainFrame::UpdateFrameTitle() {
    CChildFrame* child = ActiveChild();
    if (!child && !Children().isEmpty())
        return;  // the area merely lost focus
    setWindowModified(child && child->Document()->IsModified());
    // A maximised child adds " - [title]" to the frame's title itself; the frame then shows
    // only its own name before it, as MDI frames do.
    if (!child || child->isMaximized())
        setWindowTitle(kTitle);
    else
        setWindowTitle(QString(kTitle) + " - " + child->Document()->Title() + "[*]");
}

void CMainFrame::ShowChild(CChildFrame* child) {
    CAppSettings& settings = app_.Settings();
    if (settings.firstChild) {
        settings.firstChild = false;
        switch (settings.childShowCmd) {
            case kShowMaximized:
                child->showMaximized();
                break;
            case kShowMinimized:
                child->showMinimized();
                break;
            default:
                child->showNormal();
                break;
        }
    } else {
        // New windows follow the state of the active one, as a maximised area stays maximised.
        CChildFrame* active = ActiveChild();
        if (active && active != child && active->isMaximized()) {
            child->showMaximized();
        } else {
            child->show();
        }
    }
    if (settings.tile == 1 && !TabbedView())
        TileWindows();
    mdiArea_->setActiveSubWindow(child);
    child->widget()->setFocus();
    connect(child, &QObject::destroyed, this, [this] {
        if (Children().isEmpty())
            app_.Settings().firstChild = true;
    });
    connect(child, &QMdiSubWindow::windowStateChanged, this,
            [this](Qt::WindowStates, Qt::WindowStates now) {
                // After the MDI area has put its own title together.
                QTimer::singleShot(0, this, [this] { UpdateFrameTitle(); });
                CAppSettings& s = app_.Settings();
                s.childShowCmd = (now & Qt::WindowMaximized)   ? kShowMaximized
                                 : (now & Qt::WindowMinimized) ? kShowMinimized
                                                               : kShowNormal;
            });
}

bool CMainFrame::RestorePlacement(ISettingsStore& store) {
    QString showCmd = store.GetProfileString("Wnd_Pos", "showCmd", "Max");
    if (showCmd == "Max" || showCmd == "Min")
        return true;
    if (showCmd == "Normal") {
        // The corner is the outer frame's, as pos() reports it; the size is the window's own.
        move(store.GetProfileInt("Wnd_Pos", "left_p", 0),
             store.GetProfileInt("Wnd_Pos", "top_p", 0));
        resize(store.GetProfileInt("Wnd_Pos", "xw", 500),
               store.GetProfileInt("Wnd_Pos", "yw", 800));
    }
    return false;
}

void CMainFrame::SavePlacement(ISettingsStore& store) const {
    QString showCmd = isMaximized() ? "Max" : (isMinimized() || wasMinimised_) ? "Min" : "Normal";
    store.WriteProfileString("Wnd_Pos", "showCmd", showCmd);
    store.WriteProfileInt("Wnd_Pos", "left_p", pos().x());
    store.WriteProfileInt("Wnd_Pos", "top_p", pos().y());
    store.WriteProfileInt("Wnd_Pos", "xw", width());
    store.WriteProfileInt("Wnd_Pos", "yw", height());
}

void CMainFrame::changeEvent(QEvent* event) {
    if (event->type() == QEvent::WindowStateChange)
        wasMinimised_ = isMinimized();
    QMainWindow::changeEvent(event);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    // Every modified document is asked about first; a cancel keeps everything open.
    std::vector<CVeskHtmlDoc*> documents = app_.Documents();
    std::vector<std::string> paths;
    for (CVeskHtmlDoc* doc : documents) {
        if (!doc->SaveModified()) {
            event->ignore();
            return;
        }
    }
    // However the side pane was last shown or hidden, what is on the screen is kept.
    app_.Settings().currentShowHide = SidePaneShown() ? 1 : 0;
    for (CVeskHtmlDoc* doc : documents) {
        doc->SetModified(false);
        paths.push_back(doc->PathName().toStdString());
    }
    CFileGroup previous;
    int group = previous.AddGroup("default");
    // Untitled documents contribute an empty path each.
    for (const std::string& path : paths) previous.AppendFile(group, path);
    QString error;
    if (!previous.Save("orgflst.vkd", &error)) {
        // The window still closes; the next start offers the list as it was before.
        vesk::ShowMessage("リストファイル [ " +
                              QDir::toNativeSeparators(vesk::UsersDataFile("orgflst.vkd")) +
                              " ] を保存できませんでした。\r\n" + error,
                          kTitle, vesk::MsgIcon::Error, vesk::MsgButtons::Ok, this);
    }
    SaveBarState(AppStore());
    SavePlacement(AppStore());
    if (sidePane_)
        sidePane_->SaveSettings();
    for (CChildFrame* child : Children()) child->CloseWithoutPrompt();
    event->accept();
}

void CMainFrame::ShowStatusMessage(const QString& text) {
    statusBar()->showMessage(text);
    statusBar()->repaint();
}

void CMainFrame::ShowColouringProgress(int percent) {
    if (percent < 0) {
        delete progressBar_;
        progressBar_ = nullptr;
        return;
    }
    if (!progressBar_) {
        // A bar 200 pixels wide ending 2 pixels left of the kana pane.
        progressBar_ = new QProgressBar(statusBar());
        progressBar_->setRange(0, 100);
        progressBar_->setTextVisible(false);
        const QRect pane = kanaPane_->geometry();
        progressBar_->setGeometry(pane.left() - 202, pane.top(), 200, pane.height());
        progressBar_->show();
    }
    progressBar_->setValue(percent);
    progressBar_->repaint();
}

void CMainFrame::ConnectView(CVeskHtmlView* view) {
    // Only the pointer's identity is used once the view is gone.
    connect(view, &QObject::destroyed, this, [this, view] {
        history_.Removed(view);
        app_.Router().ScheduleUpdate();
    });
    // A click's caret records are refreshed after the click itself has been handled (and the
    // update it scheduled has run), so the command states are computed again afterwards.
    connect(view, &CVeskHtmlView::CaretContextRefreshed, &app_.Router(),
            &CCommandRouter::ScheduleUpdate);
    connect(view, &CVeskHtmlView::StatusMessage, this, &CMainFrame::ShowStatusMessage);
    connect(view, &CVeskHtmlView::ColouringProgress, this, &CMainFrame::ShowColouringProgress);
    connect(view, &CVeskHtmlView::ContextMenuRequested, this, &CMainFrame::ShowContextMenu);
}

void CMainFrame::ShowContextMenu(const QPoint& globalPos) {
    // The items of the commands that exist; each runs through the routing
    // like its menu item does.
    static const struct {
        int id;
        const char* label;
    } kItems[] = {
        {cmd::kEditTag, "タグの編集 (&G)"},
        {cmd::kColourCodeCopy, "カラーコードのコピー (&H)"},
        {cmd::kColourCodeSwap, "カラーコードの交換 (&K)"},
        {0, nullptr},
        {cmd::kEditCut, "切り取り (&T)"},
        {cmd::kEditCopy, "ｺﾋﾟｰ (&C)"},
        {cmd::kEditPaste, "貼り付け (&P)"},
        {cmd::kEditClear, "選択範囲を削除 (&D)"},
        {0, nullptr},
        {cmd::kEditSelectAll, "すべて選択 (&A)"},
        {0, nullptr},
        {cmd::kOpenWithApplication, "ｱﾌﾟﾘｹｰｼｮﾝで開く (&N)"},
        {cmd::kOpenWithFavourite, "お気に入りのｱﾌﾟﾘｹｰｼｮﾝで開く (&F)"},
        {cmd::kOpenInEditor, "VeskHtmlで開く (&O)"},
        {0, nullptr},
        {cmd::kShowDocumentInFileBrowser, "編集中の文書をﾌｧｲﾙﾌﾞﾗｳｻﾞに表示 (&V)"},
        {cmd::kShowLinkInFileBrowser, "ﾘﾝｸ先をﾌｧｲﾙﾌﾞﾗｳｻﾞに表示 (&B)"},
        {cmd::kShowLinkInLinkBrowser, "ﾘﾝｸ先をﾘﾝｸﾌﾞﾗｳｻﾞに表示 (&L)"},
    };
    CCommandRouter& router = app_.Router();
    QMenu menu(this);
    for (const auto& item : kItems) {
        if (!item.label) {
            menu.addSeparator();
            continue;
        }
        QAction* action = menu.addAction(QString::fromUtf8(item.label));
        const int id = item.id;
        action->setEnabled(router.StateOf(id).enabled);
        connect(action, &QAction::triggered, this, [&router, id] { router.Execute(id); });
    }
    menu.exec(globalPos);
}
