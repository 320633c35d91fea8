#pragma once
// Turns command ids into QActions and routes each triggered command to the
// first target of the chain that handles it: the active view, its document,
// its child frame, the main frame, the application. Update handlers run when
// a menu is about to show and on an idle pass after input.

#include <QObject>
#include <functional>
#include <map>
#include <vector>

#include "core/command_target.h"

class QAction;
class QMenu;

class CCommandRouter : public QObject {
    Q_OBJECT
  public:
    using ChainProvider = std::function<std::vector<CCommandTarget*>()>;

    explicit CCommandRouter(QObject* parent = nullptr);

    void SetChainProvider(ChainProvider provider) { chain_ = std::move(provider); }
    // Runs after every command that was handled, before the states are computed again
    // (the application refreshes what the caret stands on there).
    void SetAfterCommand(std::function<void()> after) { afterCommand_ = std::move(after); }

    // The action of a command, made on first use with the label and shortcut of
    // the command table (an id outside the table gets an empty label).
    QAction* Action(int id);
    // A menu holds an action once; a command shown in a second place, under its
    // own label there, gets an action that runs it and follows its state.
    QAction* SecondPlaceAction(int id, const QString& label);
    // Runs the command; false when no target handles it.
    bool Execute(int id);
    // Enabled and checked state; a command nobody handles is disabled.
    CommandState StateOf(int id) const;

    // Applies the update handlers to every action made so far / to a menu's actions.
    void UpdateActions();
    void UpdateMenu(QMenu* menu);
    // Menus update themselves before they show.
    void WatchMenu(QMenu* menu);
    // One update pass once the event loop is idle.
    void ScheduleUpdate();

  signals:
    // A command's status text, for the status bar's message pane.
    void StatusText(const QString& text);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Apply(int id, QAction* action);

    ChainProvider chain_;
    std::function<void()> afterCommand_;
    std::map<int, QAction*> actions_;
    bool updateScheduled_ = false;
};
