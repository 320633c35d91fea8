#pragma once
// The application object: settings, the main window, documents, and the
// commands that need no open document.

#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

#include "core/app_settings.h"
#include "core/command_target.h"
#include "app/recent_file_list.h"

class CCommandRouter;
class CFindReplace;
class CMainFrame;
class CChildFrame;
class CVeskHtmlDoc;
class CVeskHtmlView;

class CVeskHtmlApp : public QObject, public CCommandTarget {
    Q_OBJECT
  public:
    CVeskHtmlApp();
    ~CVeskHtmlApp() override;

    // Start-up with the program's arguments (after the program name); false
    // when the program should end.
    bool InitInstance(const QStringList& arguments);
    // Writes every setting.
    void ExitInstance();

    CAppSettings& Settings() { return settings_; }
    CCommandRouter& Router() { return *router_; }
    CMainFrame* MainFrame() const { return mainFrame_; }
    CRecentFileList& RecentFiles() { return recentFiles_; }
    CFindReplace& FindReplace() { return *findReplace_; }
    int FileNewCount() const { return fileNewCount_; }

    // Open documents in the order they were made.
    std::vector<CVeskHtmlDoc*> Documents() const;
    CVeskHtmlDoc* ActiveDocument() const;

    // Opens a file (or activates it when it is open already); nullptr on
    // failure with the reason in *error. Shows no message.
    CVeskHtmlDoc* OpenDocumentFile(const QString& path, QString* error = nullptr);
    // Opens a file and tells the user when it cannot be opened.
    CVeskHtmlDoc* OpenDocumentFileWithMessage(const QString& path);

    // Commands.
    CVeskHtmlDoc* OnFileNew();
    void OnFileOpen();
    bool OnCloseAll();
    void OnSaveAll();
    void OnHelp();
    void OnReadMe();
    void OnAppAbout();
    void OnOpenRecentFile(int index);
    // Opens again the files that were open when the main window last closed ("orgflst.vkd").
    void OpenPreviousDocuments();

    // Save prompts for every modified document; false when one was cancelled.
    bool SaveAllModified();

  private:
    CChildFrame* CreateDocumentWindow(CVeskHtmlDoc*& document);
    // The commands of the tag and text-tool modules on a new view.
    void InstallViewCommands(CVeskHtmlView& view);
    void CloseInitialBlankDocument();
    void RegisterCommands();
    std::vector<CCommandTarget*> CommandChain() const;

    CAppSettings settings_;
    std::unique_ptr<CCommandRouter> router_;
    CMainFrame* mainFrame_ = nullptr;
    std::unique_ptr<CFindReplace> findReplace_;
    CRecentFileList recentFiles_;
    int fileNewCount_ = 0;
    int untitledCount_ = 0;
};

// The one application object of the process.
CVeskHtmlApp* TheApp();
