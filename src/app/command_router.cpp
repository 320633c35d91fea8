#include "app/command_router.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QMenu>
#include <QTimer>

#include "core/command_table.h"
#include "framework/plain_tool_tip.h"

CCommandRouter::CCommandRouter(QObject* parent) : QObject(parent) {
    qApp->installEventFilter(this);
}

QAction* CCommandRouter::Action(int id) {
    if (auto it = actions_.find(id); it != actions_.end())
        return it->second;
    auto* action = new QAction(this);
    if (const CommandInfo* info = FindCommandInfo(id)) {
        action->setText(QString::fromUtf8(info->label));
        // Several shortcuts are separated by ";", the first one being the one shown.
        QList<QKeySequence> keys;
        for (const QString& key :
             QString::fromUtf8(info->shortcut).split(';', Qt::SkipEmptyParts)) {
            keys << QKeySequence(key);
        }
        action->setShortcuts(keys);
        if (info->statusText[0] != '\0') {
            // "prompt\ntooltip": the prompt for the status bar, the rest for the button's tip.
            const QStringList parts = QString::fromUtf8(info->statusText).split('\n');
            action->setStatusTip(parts.first());
            if (parts.size() > 1)
                action->setToolTip(PlainToolTip(parts.at(1)));
        }
    }
    connect(action, &QAction::triggered, this, [this, id] { Execute(id); });
    connect(action, &QAction::hovered, this,
            [this, action] { emit StatusText(action->statusTip()); });
    actions_[id] = action;
    return action;
}

QAction* CCommandRouter::SecondPlaceAction(int id, const QString& label) {
    QAction* command = Action(id);
    auto* action = new QAction(label, this);
    action->setEnabled(command->isEnabled());
    action->setStatusTip(command->statusTip());
    connect(action, &QAction::triggered, command, &QAction::trigger);
    connect(command, &QAction::changed, action,
            [action, command] { action->setEnabled(command->isEnabled()); });
    connect(action, &QAction::hovered, this,
            [this, action] { emit StatusText(action->statusTip()); });
    return action;
}

bool CCommandRouter::Execute(int id) {
    if (!chain_)
        return false;
    // The state is checked first, as a disabled menu item cannot be chosen;
    // shortcuts of disabled commands must not run them either.
    if (!StateOf(id).enabled)
        return false;
    for (CCommandTarget* target : chain_()) {
        if (target && target->ExecuteCommand(id)) {
            if (afterCommand_)
                afterCommand_();
            ScheduleUpdate();
            return true;
        }
    }
    return false;
}

CommandState CCommandRouter::StateOf(int id) const {
    CommandState state;
    if (chain_) {
        for (CCommandTarget* target : chain_()) {
            if (target && target->UpdateCommand(id, state))
                return state;
        }
    }
    state.enabled = false;
    return state;
}

void CCommandRouter::Apply(int id, QAction* action) {
    CommandState state = StateOf(id);
    action->setEnabled(state.enabled);
    if (state.checked != action->isChecked() || action->isCheckable()) {
        action->setCheckable(state.checked || action->isCheckable());
        action->setChecked(state.checked);
    }
}

void CCommandRouter::UpdateActions() {
    updateScheduled_ = false;
    for (auto& [id, action] : actions_) Apply(id, action);
}

void CCommandRouter::UpdateMenu(QMenu* menu) {
    for (QAction* action : menu->actions()) {
        for (auto& [id, known] : actions_) {
            if (known == action) {
                Apply(id, action);
                break;
            }
        }
    }
}

void CCommandRouter::WatchMenu(QMenu* menu) {
    connect(menu, &QMenu::aboutToShow, this, [this, menu] { UpdateMenu(menu); });
}

void CCommandRouter::ScheduleUpdate() {
    if (updateScheduled_)
        return;
    updateScheduled_ = true;
    QTimer::singleShot(0, this, [this] { UpdateActions(); });
}

bool CCommandRouter::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::KeyRelease:
        case QEvent::MouseButtonRelease:
        case QEvent::FocusIn:
            ScheduleUpdate();
            break;
        default:
            break;
    }
    return QObject::eventFilter(watched, event);
}
