#include "app/veskhtml_app.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMdiArea>
#include <QScreen>

#include "app/child_frame.h"
#include "core/command_ids.h"
#include "app/command_router.h"
#include "app/external_apps.h"
#include "app/file_group_host.h"
#include "app/list_files.h"
#include "app/main_frame.h"
#include "app/settings_command.h"
#include "app/version_dialog.h"
#include "editor/doc_messages.h"
#include "editor/find_dialogs.h"
#include "editor/save_rules.h"
#include "editor/veskhtml_doc.h"
#include "editor/veskhtml_view.h"
#include "mapedit/map_editor_dlg.h"
#include "mapedit/map_writeback.h"
#include "platform/dialog_seam.h"
#include "platform/file_dialog_seam.h"
#include "platform/launcher.h"
#include "platform/message_seam.h"
#include "platform/program_folders.h"
#include "platform/settings_store.h"
#include "sidepane/link_at_caret.h"
#include "sidepane/side_pane_commands.h"
#include "sidepane/veskview_pane.h"
#include "tagedit/edit_tag.h"
#include "tagedit/tag_at_caret.h"
#include "tags/form_tag_writers.h"
#include "tags/page_tag_writers.h"
#include "tags/reference_file_dialog.h"
#include "tags/simple_tags.h"
#include "tags/table_dialogs.h"
#include "tags/text_tag_writers.h"
#include "tools/colour_code_commands.h"
#include "tools/conversion_commands.h"
#include "tools/date_stamp_dialog.h"
#include "tools/plain_text_command.h"

using vesk::MsgIcon;

namespace {
CVeskHtmlApp* g_app = nullptr;
const char kCaption[] = "VeskHtml";
}  // namespace

CVeskHtmlApp* TheApp() {
    return g_app;
}

// Resources live in a static library, so they are registered by hand.
static void InitResources() {
    Q_INIT_RESOURCE(resources);
}

CVeskHtmlApp::CVeskHtmlApp() : router_(std::make_unique<CCommandRouter>()) {
    InitResources();
    g_app = this;
    router_->SetChainProvider([this] { return CommandChain(); });
    // A command may have moved the caret or changed the text under it (a tag inserted, a
    // find, a document activated): what the caret stands on is read again before the
    // commands' states, so F5 and the other enable rules are right at once.
    router_->SetAfterCommand([this] {
        if (CVeskHtmlView* view = mainFrame_ ? mainFrame_->ActiveView() : nullptr)
            view->RefreshCaretRecords();
    });
    // Inserted tags follow the tag-case setting.
    InstallTagCaseConversion();
    // File-reference fields of the tag dialogs browse with the previewing dialog.
    vesk::InstallReferenceFileDialog();
    // Image maps open in the map editor window.
    vesk::InstallMapEditor();
    // What the caret stands on, refreshed by every view after keys and clicks.
    CVeskHtmlView::caretRecordsRefresher = [](CVeskHtmlView& view) {
        RefreshTagAtCaret(view);
        RefreshLinkAtCaret(view);
        vesk::RefreshColourAtCaret(view);
        if (view.tagAtCaret_.kind == -2) {
            view.colourAtCaret_ = CaretRecord{};
            view.linkAtCaret_.kind = -2;
        }
    };
    // The link browser follows the text of the active view.
    CVeskHtmlView::sidePaneSink = [this](CVeskHtmlView& view, bool rebuild) {
        CVeskViewPane* pane = mainFrame_ ? mainFrame_->SidePane() : nullptr;
        if (pane && &view == mainFrame_->ActiveView())
            pane->OnViewChanged(view, rebuild);
    };
    RegisterCommands();
}

CVeskHtmlApp::~CVeskHtmlApp() {
    CVeskHtmlView::sidePaneSink = nullptr;
    findReplace_.reset();
    delete mainFrame_;
    if (g_app == this)
        g_app = nullptr;
}

std::vector<CCommandTarget*> CVeskHtmlApp::CommandChain() const {
    std::vector<CCommandTarget*> chain;
    if (mainFrame_) {
        if (CChildFrame* child = mainFrame_->ActiveChild()) {
            chain.push_back(child->View());
            chain.push_back(child->Document());
            chain.push_back(child);
        }
        chain.push_back(mainFrame_);
    }
    chain.push_back(const_cast<CVeskHtmlApp*>(this));
    return chain;
}

void CVeskHtmlApp::RegisterCommands() {
    auto anyOpen = [this](CommandState& s) { s.enabled = !Documents().empty(); };
    OnCommand(cmd::kAppAbout, [this] { OnAppAbout(); });
    OnCommand(cmd::kFileNew, [this] { OnFileNew(); });
    OnCommand(cmd::kFileOpen, [this] { OnFileOpen(); });
    OnCommand(
        cmd::kCloseAll, [this] { OnCloseAll(); }, anyOpen);
    OnCommand(
        cmd::kSaveAll, [this] { OnSaveAll(); }, anyOpen);
    OnCommand(cmd::kHelp, [this] { OnHelp(); });
    OnCommand(cmd::kFind, [this] { findReplace_->OpenFind(); });
    OnCommand(cmd::kReplace, [this] { findReplace_->OpenReplace(); });
    OnCommand(cmd::kReadMe, [this] { OnReadMe(); });
    OnCommand(cmd::kOpenPreviousDocuments, [this] { OpenPreviousDocuments(); });
    OnCommand(cmd::kSettings, [this] { RunSettingsCommand(*this); });
    vesk::groups::RegisterFileGroupCommands(*this, MakeGroupHost(*this));
    OnCommandRange(
        cmd::kFileMruFirst, cmd::kFileMruLast,
        [this](int id) { OnOpenRecentFile(id - cmd::kFileMruFirst); },
        [this](int id, CommandState& s) {
            s.enabled = id - cmd::kFileMruFirst < recentFiles_.Paths().size();
        });
}

bool CVeskHtmlApp::InitInstance(const QStringList& arguments) {
    ISettingsStore& store = AppStore();
    settings_.Load(store);
    recentFiles_.Load(store);

    mainFrame_ = new CMainFrame(*this);
    findReplace_ = std::make_unique<CFindReplace>(
        [this]() -> CVeskHtmlView* {
            CChildFrame* child = mainFrame_->ActiveChild();
            return child ? child->View() : nullptr;
        },
        mainFrame_);
    connect(mainFrame_->MdiArea(), &QMdiArea::subWindowActivated, findReplace_.get(),
            [this] { findReplace_->OnActiveViewChanged(); });
    const bool maximised = mainFrame_->RestorePlacement(store);

    QString file;
    for (const QString& argument : arguments) {
        if (!argument.isEmpty() && !argument.startsWith("-")) {
            file = argument;
            break;
        }
    }
    if (maximised) {
        // Without a window manager nothing honours the maximised state; fill the screen anyway.
        if (QScreen* screen = mainFrame_->screen()) {
            mainFrame_->resize(screen->availableGeometry().size());
        }
        mainFrame_->showMaximized();
    } else {
        mainFrame_->show();
    }
    // The window is up before the file opens, so what opening says (an encoding notice, a
    // large page) stands over it.
    if (file.isEmpty()) {
        OnFileNew();
    } else if (!OpenDocumentFileWithMessage(file)) {
        return false;
    }
    if (CChildFrame* child = mainFrame_->ActiveChild())
        child->widget()->setFocus();
    router_->UpdateActions();
    return true;
}

void CVeskHtmlApp::ExitInstance() {
    ISettingsStore& store = AppStore();
    settings_.Save(store);
    recentFiles_.Save(store);
    store.Flush();
    const QString error = store.FlushError();
    if (!error.isEmpty())
        vesk::ShowMessage(error, "VeskHtml", vesk::MsgIcon::Error, vesk::MsgButtons::Ok, nullptr);
}

std::vector<CVeskHtmlDoc*> CVeskHtmlApp::Documents() const {
    std::vector<CVeskHtmlDoc*> documents;
    if (!mainFrame_)
        return documents;
    for (CChildFrame* child : mainFrame_->Children()) documents.push_back(child->Document());
    return documents;
}

CVeskHtmlDoc* CVeskHtmlApp::ActiveDocument() const {
    CChildFrame* child = mainFrame_ ? mainFrame_->ActiveChild() : nullptr;
    return child ? child->Document() : nullptr;
}

CChildFrame* CVeskHtmlApp::CreateDocumentWindow(CVeskHtmlDoc*& document) {
    document = new CVeskHtmlDoc;
    auto* view = new CVeskHtmlView(settings_, document);
    auto* child = new CChildFrame(document, view);
    mainFrame_->ConnectView(view);
    InstallViewCommands(*view);
    connect(view, &CVeskHtmlView::SelectionMoved, this, [this, view] {
        if (view == mainFrame_->ActiveView())
            findReplace_->OnSelectionChanged();
    });
    // The document lives as long as its window.
    document->setParent(child);
    connect(document, &CVeskHtmlDoc::ModifiedChanged, router_.get(),
            &CCommandRouter::ScheduleUpdate);
    // An opened file and a Save As path join the recent files.
    connect(document, &CVeskHtmlDoc::PathNameChanged, this,
            [this](const QString& path) { recentFiles_.Add(path); });
    return child;
}

void CVeskHtmlApp::InstallViewCommands(CVeskHtmlView& view) {
    InstallSimpleTagCommands(view);
    vesk::InstallTextTagCommands(view);
    vesk::InstallTableTagCommands(view);
    vesk::InstallFormTagCommands(view);
    vesk::InstallPageTagCommands(view);
    vesk::InstallMapCommands(view);
    vesk::InstallEditTagCommand(view);
    vesk::InstallColourCodeCommands(view);
    InstallDateStampCommand(view);
    InstallConversionCommands(view, settings_);
    InstallPlainTextCommand(view, settings_);
    InstallExternalAppCommands(view, settings_,
                               [this](const QString& path) { OpenDocumentFileWithMessage(path); });
    InstallSidePaneCommands(view, settings_,
                            [this] { return mainFrame_ ? mainFrame_->SidePane() : nullptr; });
}

CVeskHtmlDoc* CVeskHtmlApp::OnFileNew() {
    CVeskHtmlDoc* document = nullptr;
    CChildFrame* child = CreateDocumentWindow(document);
    // The first untitled document has the plain name; later ones are numbered
    // so their windows can be told apart.
    ++untitledCount_;
    if (untitledCount_ > 1) {
        document->SetUntitledTitle(CVeskHtmlDoc::kUntitledName + QString::number(untitledCount_));
    }
    document->View()->SetText({});
    mainFrame_->MdiArea()->addSubWindow(child);
    mainFrame_->ShowChild(child);
    ++fileNewCount_;
    return document;
}

void CVeskHtmlApp::CloseInitialBlankDocument() {
    std::vector<CVeskHtmlDoc*> documents = Documents();
    CVeskHtmlDoc* active = ActiveDocument();
    if (active && documents.size() == 1 && active->PathName().isEmpty() && fileNewCount_ == 1 &&
        !active->IsModified()) {
        for (CChildFrame* child : mainFrame_->Children()) {
            if (child->Document() == active) {
                child->CloseWithoutPrompt();
                break;
            }
        }
        settings_.documentListChanged = true;
        settings_.firstChild = true;
    }
}

CVeskHtmlDoc* CVeskHtmlApp::OpenDocumentFile(const QString& path, QString* error) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    for (CChildFrame* child : mainFrame_->Children()) {
        if (child->Document()->PathName() == absolute) {
            if (child->isMinimized())
                child->showNormal();
            mainFrame_->MdiArea()->setActiveSubWindow(child);
            return child->Document();
        }
    }
    CVeskHtmlDoc* document = nullptr;
    CChildFrame* child = CreateDocumentWindow(document);
    if (!document->Load(absolute, error)) {
        delete child;
        return nullptr;
    }
    // Only once the file has been read does it take the untouched blank
    // document's place, so a failed open leaves that window alone.
    CloseInitialBlankDocument();
    mainFrame_->MdiArea()->addSubWindow(child);
    mainFrame_->ShowChild(child);
    return document;
}

CVeskHtmlDoc* CVeskHtmlApp::OpenDocumentFileWithMessage(const QString& path) {
    QString error;
    CVeskHtmlDoc* document = OpenDocumentFile(path, &error);
    if (!document) {
        vesk::ShowMessage(doc_text::CannotOpen(QDir::toNativeSeparators(path)), kCaption,
                          MsgIcon::Error, vesk::MsgButtons::Ok, mainFrame_);
    }
    return document;
}

void CVeskHtmlApp::OnFileOpen() {
    ISettingsStore& store = AppStore();
    vesk::FileDialogRequest request;
    request.mode = vesk::FileDialogRequest::Mode::OpenMultiple;
    request.filter = doc_text::kOpenDialogFilter;
    request.folder =
        store.GetProfileString("FileDlgSettings", "Initial_dir_open", QDir::homePath());
    request.filterIndex = store.GetProfileInt("FileDlgSettings", "Initial_filter_open", 0);
    vesk::FileDialogResult result = vesk::RunFileDialog(request, mainFrame_);
    if (!result.accepted || result.paths.isEmpty())
        return;
    for (const QString& path : result.paths) OpenDocumentFileWithMessage(path);
    std::string folder = vesk::FolderOfPath(result.paths.last().toStdString());
    store.WriteProfileString("FileDlgSettings", "Initial_dir_open",
                             folder.empty() ? QString("/") : QString::fromStdString(folder));
    store.WriteProfileInt("FileDlgSettings", "Initial_filter_open", result.filterIndex);
}

void CVeskHtmlApp::OnOpenRecentFile(int index) {
    if (index < 0 || index >= recentFiles_.Paths().size())
        return;
    const QString path = recentFiles_.Paths()[index];
    if (!OpenDocumentFileWithMessage(path))
        recentFiles_.Remove(index);
}

bool CVeskHtmlApp::SaveAllModified() {
    for (CVeskHtmlDoc* document : Documents()) {
        if (!document->SaveModified())
            return false;
    }
    return true;
}

bool CVeskHtmlApp::OnCloseAll() {
    if (!SaveAllModified())
        return false;
    for (CChildFrame* child : mainFrame_->Children()) child->CloseWithoutPrompt();
    settings_.documentListChanged = true;
    settings_.firstChild = true;
    return true;
}

void CVeskHtmlApp::OnSaveAll() {
    for (CVeskHtmlDoc* document : Documents()) document->OnFileSave();
}

void CVeskHtmlApp::OnHelp() {
    const QString path = vesk::ProgramFolder() + "/help/index.html";
    if (!QFileInfo::exists(path) || !vesk::OpenWithDesktop(path)) {
        vesk::ShowMessage("ヘルプファイル [ " + path + " ] を開く事ができませんでした。", kCaption,
                          MsgIcon::Error, vesk::MsgButtons::Ok, mainFrame_);
    }
}

void CVeskHtmlApp::OnReadMe() {
    const QString path = vesk::ProgramFolder() + "/ReadMe.txt";
    if (!QFileInfo::exists(path) || !vesk::OpenWithDesktop(path)) {
        vesk::ShowMessage(doc_text::CannotOpen(path), kCaption, MsgIcon::Error,
                          vesk::MsgButtons::Ok, mainFrame_);
    }
}

void CVeskHtmlApp::OpenPreviousDocuments() {
    CFileGroup list;
    if (LoadListFile(list, "orgflst.vkd") == CFileGroup::LoadStatus::Missing)
        return;
    if (list.Count() != 1 || list.At(0).name != "default") {
        vesk::ShowMessage("ドキュメントリストの処理に失敗しました。", kCaption, MsgIcon::Error,
                          vesk::MsgButtons::Ok, mainFrame_);
        return;
    }
    // A copy: opening a file may show messages and run the event loop.
    const std::vector<std::string> paths = list.At(0).files;
    for (const std::string& path : paths) {
        if (path.empty())
            continue;
        if (!OpenDocumentFile(QString::fromStdString(path))) {
            vesk::ShowMessage("ファイルを開く事ができませんでした", kCaption, MsgIcon::Error,
                              vesk::MsgButtons::Ok, mainFrame_);
        }
    }
}

void CVeskHtmlApp::OnAppAbout() {
    CVersionDialog dialog(mainFrame_);
    vesk::RunDialog(dialog);
}
