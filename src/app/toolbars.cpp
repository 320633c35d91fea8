#include "app/toolbars.h"

#include <QMainWindow>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QToolBar>
#include <QToolButton>

#include "app/command_router.h"
#include "core/command_table.h"
#include "framework/menu_decoration.h"
#include "framework/plain_tool_tip.h"

namespace {

const char* const kTitles[kToolbarCount] = {
    "メイン", "テキスト", "文字", "ページ", "フレーム", "ツール", "ウインドウ", "HTMLツール",
};

constexpr QSize kIconSize(18, 18);

// Menus under toolbar buttons: the command of the button, then its items (0 a separator).
struct ButtonMenu {
    int commandId;
    bool dropDown;  // a button with an arrow; otherwise the whole button opens the menu
    std::initializer_list<int> items;
    // A last item running the button's own command, for the menus whose
    // items all add an attribute.
    const char* noneItem = nullptr;
};
const char kNoAlignment[] = "指定なし";
const ButtonMenu kButtonMenus[] = {
    {32777, true, {32883, 32885, 32884}, kNoAlignment},  // paragraph alignments
    {32876, true, {32876, 32874, 32875}},                // line-break clear kinds
    {32970, true, {32880, 32879, 32881}, kNoAlignment},  // division alignments
    {32906, false, {32805, 32803, 32804, 32808, 32809, 32806, 32882, 32767}},
    {32956, false, {32838, 32839, 32841, 32842}},
    {32959, false, {32843, 32840, 32841, 32844}},
    {32958, false, {32820, 32827, 32828}},
    {32961, false, {32855, 0, 32856, 32857, 32858, 32867, 32860, 0, 32896, 32863, 32862}},
};
const int kMenuButtonIds[] = {32906, 32956, 32959, 32958, 32961};

const ButtonMenu* FindButtonMenu(int id) {
    for (const ButtonMenu& menu : kButtonMenus) {
        if (menu.commandId == id)
            return &menu;
    }
    return nullptr;
}

QIcon BlankIcon() {
    QPixmap pixmap(kIconSize);
    pixmap.fill(Qt::transparent);
    return QIcon(pixmap);
}

}  // namespace

CMainToolBars::CMainToolBars(QMainWindow& frame, CCommandRouter& router)
    : QObject(&frame), frame_(frame), router_(router) {
    BuildMenus();
    for (int i = 0; i < kToolbarCount; ++i) {
        const auto bar = static_cast<ToolbarId>(i);
        auto* toolBar = new QToolBar(Title(bar), &frame);
        toolBar->setObjectName(QString("ToolBar%1").arg(ToolbarResourceId(bar)));
        toolBar->setIconSize(kIconSize);
        toolBar->setAllowedAreas(bar == kToolbarText ? Qt::TopToolBarArea | Qt::BottomToolBarArea
                                                     : Qt::AllToolBarAreas);
        // Three rows at the top: they fit a window of ordinary width without
        // hiding buttons behind the extension arrow.
        if (bar == kToolbarChar || bar == kToolbarFrame)
            frame.addToolBarBreak(Qt::TopToolBarArea);
        frame.addToolBar(Qt::TopToolBarArea, toolBar);
        bars_[i] = toolBar;
    }
}

QString CMainToolBars::Title(ToolbarId bar) {
    return QString::fromUtf8(kTitles[bar]);
}

std::span<const int> CMainToolBars::MenuButtonCommands() {
    return kMenuButtonIds;
}

void CMainToolBars::BuildMenus() {
    for (const ButtonMenu& layout : kButtonMenus) {
        auto* menu = new QMenu(&frame_);
        for (int id : layout.items) {
            if (id == 0)
                menu->addSeparator();
            else
                menu->addAction(router_.Action(id));
        }
        if (layout.noneItem)
            menu->addAction(
                router_.SecondPlaceAction(layout.commandId, QString::fromUtf8(layout.noneItem)));
        router_.WatchMenu(menu);
        menus_[layout.commandId] = menu;
    }
}

QMenu* CMainToolBars::MenuOf(int commandId) const {
    auto it = menus_.find(commandId);
    return it == menus_.end() ? nullptr : it->second;
}

void CMainToolBars::Fill(const ButtonLayouts& layouts) {
    for (int i = 0; i < kToolbarCount; ++i) FillBar(static_cast<ToolbarId>(i), layouts[i]);
}

void CMainToolBars::FillBar(ToolbarId bar, const ButtonLayout& layout) {
    QToolBar* toolBar = bars_[bar];
    // Separators and the blank button belong to the bar; command actions are shared.
    for (QAction* action : toolBar->actions()) {
        toolBar->removeAction(action);
        if (action->parent() == toolBar)
            delete action;
    }
    const std::span<const ToolbarButtonEntry> set = ToolbarButtonSet(bar);
    bool any = false;
    for (int entry : layout) {
        if (entry < 0) {
            toolBar->addSeparator();
            continue;
        }
        // A stored index beyond the button set ends the bar there.
        if (entry >= static_cast<int>(set.size()))
            break;
        const ToolbarButtonEntry& button = set[entry];
        QAction* action = router_.Action(button.commandId);
        action->setIcon(CommandIcon(button.commandId));
        const CommandInfo* info = FindCommandInfo(button.commandId);
        if (!info || !QByteArray(info->statusText).contains('\n'))
            action->setToolTip(PlainToolTip(QString::fromUtf8(button.name).trimmed()));
        toolBar->addAction(action);
        any = true;
        const ButtonMenu* menu = FindButtonMenu(button.commandId);
        if (!menu)
            continue;
        if (auto* tool = qobject_cast<QToolButton*>(toolBar->widgetForAction(action))) {
            tool->setMenu(menus_[button.commandId]);
            tool->setPopupMode(menu->dropDown ? QToolButton::MenuButtonPopup
                                              : QToolButton::InstantPopup);
        }
    }
    if (!any) {
        auto* blank = new QAction(BlankIcon(), QString(), toolBar);
        toolBar->addAction(blank);
    }
}

QToolButton* CMainToolBars::ButtonOf(int commandId) const {
    QAction* action = router_.Action(commandId);
    for (QToolBar* bar : bars_) {
        if (bar->isVisible() && bar->actions().contains(action))
            return qobject_cast<QToolButton*>(bar->widgetForAction(action));
    }
    return nullptr;
}

void CMainToolBars::PopupMenu(int commandId) {
    QMenu* menu = MenuOf(commandId);
    if (!menu)
        return;
    QToolButton* button = ButtonOf(commandId);
    const QPoint at = button ? button->mapToGlobal(button->rect().bottomLeft())
                             : frame_.mapToGlobal(QPoint(0, 0));
    menu->popup(at);
}
