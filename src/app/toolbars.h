#pragma once
// The eight toolbars of the main frame, filled from the user's button layouts,
// with the drop-down buttons of the text toolbar and the buttons that open a menu.

#include <QObject>
#include <array>
#include <map>
#include <span>

#include "core/toolbar_layouts.h"

class QMainWindow;
class QMenu;
class QToolBar;
class QToolButton;
class CCommandRouter;

class CMainToolBars : public QObject {
    Q_OBJECT
  public:
    CMainToolBars(QMainWindow& frame, CCommandRouter& router);

    QToolBar* Bar(ToolbarId bar) const { return bars_[bar]; }
    static QString Title(ToolbarId bar);

    // Empties every bar and refills it from its layout; an empty layout leaves
    // one blank button so the bar keeps its place and size.
    void Fill(const ButtonLayouts& layouts);

    // The menu of a menu button or drop-down button (nullptr for other commands).
    QMenu* MenuOf(int commandId) const;
    // Pops a menu button's menu up at the lower-left corner of its button.
    void PopupMenu(int commandId);
    // Commands whose toolbar button opens a menu.
    static std::span<const int> MenuButtonCommands();

  private:
    void BuildMenus();
    void FillBar(ToolbarId bar, const ButtonLayout& layout);
    QToolButton* ButtonOf(int commandId) const;

    QMainWindow& frame_;
    CCommandRouter& router_;
    std::array<QToolBar*, kToolbarCount> bars_{};
    std::map<int, QMenu*> menus_;
};
