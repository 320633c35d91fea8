#pragma once
// Find and replace in files: the command's dialog, the worker that searches the folder, the
// result pane it fills, opening a result, and the replace with its confirmation. Open
// documents are searched and changed in their views; every other file on disk.

#include <QObject>
#include <QString>
#include <atomic>
#include <functional>
#include <thread>
#include <vector>

#include "findfiles/file_search.h"

class QDockWidget;
class QMainWindow;
class CFindResultsPane;
class CVeskHtmlView;
struct FindResultRow;

// What the find-in-files command needs of the main window.
struct FindInFilesHost {
    std::function<CVeskHtmlView*()> activeView;
    // The views of every open document.
    std::function<std::vector<CVeskHtmlView*>()> views;
    // Opens a file in the editor (telling the user when it cannot); nullptr when it could not.
    std::function<CVeskHtmlView*(const QString& path)> open;
    // Brings an open document's window to the front.
    std::function<void(CVeskHtmlView*)> activate;
};

class CFindInFiles : public QObject {
    Q_OBJECT
  public:
    // Docks the result pane (hidden until the first search) at the bottom of the frame.
    CFindInFiles(FindInFilesHost host, QMainWindow* frame);
    ~CFindInFiles() override;

    // The command: runs the dialog and starts what it asks for. While files are being
    // replaced it only shows the pane: a replace is not broken off by a new search.
    void Open();
    // Searches (and for a request with a replacement, asks and replaces) without the dialog.
    void Start(vesk::findfiles::SearchRequest request);
    // Asks the worker to stop after the file it is on.
    void Stop();
    // Opens the row's file (or activates its window) and selects its match.
    void OpenRow(int row);

    QDockWidget* Dock() const { return dock_; }
    CFindResultsPane* Pane() const { return pane_; }

  signals:
    // A search, or a replace with its confirmation, has ended.
    void Finished();

  private:
    enum class Mode { Idle, Searching, Replacing };
    struct Batch;
    class Poster;
    QString ActiveFolder() const;
    QHash<QString, vesk::findfiles::OpenText> OpenTexts() const;
    CVeskHtmlView* OpenViewOf(const QString& path) const;
    void Join();
    void StartWorker(std::function<void(Poster&)> work);
    void OnBatch(Batch& batch);
    void TakeFound(std::vector<vesk::findfiles::FileResult>& found,
                   std::vector<FindResultRow>& rows);
    void FinishSearch(bool stopped);
    void ConfirmAndReplace();
    void FinishReplace(bool stopped);
    void NoteSkipped(const QString& path, const QString& reason, std::vector<FindResultRow>& rows);
    QString ShownPath(const QString& path) const;
    QString SearchStatus(bool stopped) const;

    FindInFilesHost host_;
    QMainWindow* frame_;
    QDockWidget* dock_;
    CFindResultsPane* pane_;

    std::thread worker_;
    std::atomic<bool> stop_{false};
    int generation_ = 0;
    Mode mode_ = Mode::Idle;

    // The request running now (without the open documents' texts).
    vesk::findfiles::SearchRequest request_;
    // What the search found in each file (without the matches), for the replace.
    std::vector<vesk::findfiles::FileResult> summaries_;
    int filesSearched_ = 0;
    int matchCount_ = 0;
    int listed_ = 0;
    // The replace under way.
    int replacedFiles_ = 0;
    int replacedCount_ = 0;
    QStringList skipped_;  // "file: reason"
};
