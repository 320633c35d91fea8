#pragma once
// The document list bar: a drop-down naming every open document (path, group,
// page title) that activates the chosen one.

#include <QComboBox>
#include <QDockWidget>
#include <functional>
#include <vector>

class CVeskHtmlView;

struct DocumentListEntry {
    int index = 0;
    QString shownPath;  // full path, or the window title of a document without one
    QString pageTitle;
    QString groupName;  // empty for a document without a path
    CVeskHtmlView* view = nullptr;
};

class CDocListBar : public QDockWidget {
    Q_OBJECT
  public:
    struct Host {
        // Open documents' entries in the framework's order (index, path, title, group, view).
        std::function<std::vector<DocumentListEntry>()> collect;
        // The entry of the active document; false when none is active.
        std::function<bool(DocumentListEntry&)> active;
        std::function<void(CVeskHtmlView*)> activate;
        std::function<int()> items;  // "DoclistbarItems"
    };

    CDocListBar(Host host, QWidget* parent = nullptr);

    void RebuildDocumentList();
    void ShowActiveDocument();
    // Refills the drop-down from the current entries (the items setting changed).
    void RefillFromEntries();

    QComboBox* Box() const { return box_; }
    const std::vector<DocumentListEntry>& Entries() const { return entries_; }

  private:
    QString LineOf(const DocumentListEntry& entry) const;
    void OnChosen(int index);

    Host host_;
    QComboBox* box_;
    std::vector<DocumentListEntry> entries_;
};
