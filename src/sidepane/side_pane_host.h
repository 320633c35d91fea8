#pragma once
// What the side pane asks of the program around it.

#include <QString>
#include <functional>

class CVeskHtmlView;
class QWidget;

struct SidePaneHost {
    // The view of the active document; nullptr when none is open.
    std::function<CVeskHtmlView*()> activeView;
    // How many documents are open.
    std::function<int()> documentCount;
    // Opens a file as a document (telling the user when it cannot).
    std::function<void(const QString& path)> openInEditor;
    // Whether the pane is shown; the link browser does no work while it is hidden.
    std::function<bool()> paneShown;
    // The window dialogs are centred over.
    std::function<QWidget*()> mainWindow;

    CVeskHtmlView* ActiveView() const { return activeView ? activeView() : nullptr; }
    int DocumentCount() const { return documentCount ? documentCount() : 0; }
    bool PaneShown() const { return !paneShown || paneShown(); }
};
