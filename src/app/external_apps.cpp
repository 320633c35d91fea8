#include "app/external_apps.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <optional>
#include <string>

#include "core/app_settings.h"
#include "core/command_ids.h"
#include "editor/doc_messages.h"
#include "editor/veskhtml_doc.h"
#include "editor/veskhtml_view.h"
#include "platform/file_io.h"
#include "platform/launcher.h"
#include "platform/message_seam.h"
#include "platform/program_folders.h"
#include "platform/trash.h"
#include "sidepane/links.h"
#include "tags/relative_paths.h"

using vesk::MsgAnswer;
using vesk::MsgButtons;
using vesk::MsgIcon;

namespace {

constexpr int kPageLink = 0;
constexpr int kImageLink = 1;
constexpr int kUrlLink = 2;
constexpr int kNoTag = -2;

QString UntitledWorkFolder() {
    const QString program = vesk::ProgramFolder();
    if (QFileInfo(program).isWritable())
        return program;
    // An installed program's folder belongs to root; the file goes to the user's own folder.
    const QString own = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(own);
    return own;
}

bool LinkAtCaret(const CVeskHtmlView& view) {
    return view.tagAtCaret_.kind != kNoTag && !view.linkAtCaret_.text.empty();
}

void ApplicationNotFound(CVeskHtmlView& view) {
    vesk::ShowMessage(ext_text::kApplicationNotFound, ext_text::kCaption, MsgIcon::Exclamation,
                      MsgButtons::Ok, &view);
}

void OpenWithAssociatedApplication(CVeskHtmlView& view) {
    if (!LinkAtCaret(view))
        return;
    bool opened = false;
    if (view.linkAtCaret_.kind == kUrlLink) {
        // An address is handed over as written; there is nothing local to check.
        opened = vesk::OpenUrl(QString::fromStdString(view.linkAtCaret_.text));
    } else {
        const QString path = LinkTargetPath(view);
        if (path.isEmpty())
            return;
        opened = vesk::OpenWithDesktop(path);
    }
    if (!opened)
        ApplicationNotFound(view);
}

void OpenWithFavouriteApplication(CVeskHtmlView& view) {
    const int kind = view.linkAtCaret_.kind;
    if (!LinkAtCaret(view) || (kind != kPageLink && kind != kImageLink))
        return;
    const QString path = LinkTargetPath(view);
    if (path.isEmpty())
        return;
    const QString& program =
        kind == kPageLink ? view.Snapshot().htmlAppPath : view.Snapshot().imageAppPath;
    if (!vesk::StartProgram(program, path))
        ApplicationNotFound(view);
}

void OpenLinkInEditor(CVeskHtmlView& view,
                      const std::function<void(const QString&)>& openInEditor) {
    if (!LinkAtCaret(view) || view.linkAtCaret_.kind != kPageLink)
        return;
    const QString path = LinkTargetPath(view);
    if (!path.isEmpty() && openInEditor)
        openInEditor(path);
}

void StartFileManager(CVeskHtmlView& view) {
    if (!vesk::OpenFolderInFileManager(QDir::homePath())) {
        vesk::ShowMessage(ext_text::kCannotStartFileManager, ext_text::kCaption,
                          MsgIcon::Exclamation, MsgButtons::Ok, &view);
    }
}

}  // namespace

QString PreviewWorkFolder(const QString& documentPath) {
    const qsizetype slash = documentPath.lastIndexOf(QLatin1Char('/'));
    if (documentPath.isEmpty() || slash < 0)
        return UntitledWorkFolder() + QLatin1Char('/');
    return documentPath.left(slash + 1);
}

QString WritePreviewWorkFile(CVeskHtmlView& view, CAppSettings& settings) {
    CVeskHtmlDoc* document = view.Document();
    const QString folder = PreviewWorkFolder(document ? document->PathName() : QString());
    const QString workPath = folder + QLatin1String(ext_text::kWorkFileName);

    // One work file for the whole application: the previous preview's goes first,
    // wherever it was.
    if (settings.previewWorkFileExists && !settings.previewWorkFile.isEmpty() &&
        QFileInfo::exists(settings.previewWorkFile)) {
        QFile::remove(settings.previewWorkFile);
    }
    settings.previewWorkFileExists = false;

    if (QFileInfo::exists(workPath)) {
        // Someone else's file: never overwrite it unasked.
        if (vesk::ShowMessage(ext_text::WorkFileInTheWay(QDir::toNativeSeparators(folder)),
                              ext_text::kCaption, MsgIcon::Question, MsgButtons::YesNo,
                              &view) != MsgAnswer::Yes) {
            return {};
        }
        const vesk::TrashResult trashed = vesk::MoveToTrash(workPath);
        if (!trashed.ok) {
            const QString message = QString::fromUtf8(ext_text::kCannotDelete);
            vesk::ShowMessage(trashed.error.isEmpty() ? message : message + "\r\n" + trashed.error,
                              ext_text::kCaption, MsgIcon::Information, MsgButtons::Ok, &view);
            return {};
        }
    }

    // The browser sees exactly what a save would write: same encoding, same line breaks.
    std::optional<std::string> bytes;
    if (document && document->View() == &view)
        bytes = document->BytesToSave();
    else
        bytes = view.GetAllText();
    if (!bytes)
        return {};
    const vesk::FileWriteResult written = vesk::WriteFileAtomically(workPath, *bytes);
    if (!written.ok) {
        vesk::ShowMessage(doc_text::CannotSave(QDir::toNativeSeparators(workPath), written.error),
                          ext_text::kCaption, MsgIcon::Error, MsgButtons::Ok, &view);
        return {};
    }
    settings.previewWorkFile = workPath;
    settings.previewWorkFileExists = true;
    return workPath;
}

void PreviewInBrowser(CVeskHtmlView& view, CAppSettings& settings, const QString& browser) {
    const QString workPath = WritePreviewWorkFile(view, settings);
    // Without a work file the user has already been told why (or chose to stop).
    if (workPath.isEmpty())
        return;
    if (!vesk::IsRunnableProgram(browser) || !vesk::StartProgram(browser, workPath)) {
        vesk::ShowMessage(ext_text::kBrowserNotFound, ext_text::kErrorCaption, MsgIcon::Exclamation,
                          MsgButtons::Ok, &view);
    }
}

QString LinkTargetPath(const CVeskHtmlView& view) {
    const std::string& link = view.linkAtCaret_.text;
    const vesk::AnchorSplit split = vesk::SplitAnchor(link);
    const QString documentPath = view.Document() ? view.Document()->PathName() : QString();
    const QString path =
        QString::fromStdString(vesk::ResolveLink(split.file, documentPath.toStdString()));
    if (path.isEmpty() || !QFileInfo::exists(path)) {
        const QString shown =
            path.isEmpty() ? QString::fromStdString(link) : QDir::toNativeSeparators(path);
        vesk::ShowMessage(ext_text::LinkTargetMissing(shown), ext_text::kCaption,
                          MsgIcon::Exclamation, MsgButtons::Ok, const_cast<CVeskHtmlView*>(&view));
        return {};
    }
    return path;
}

void InstallExternalAppCommands(CVeskHtmlView& view, CAppSettings& settings,
                                std::function<void(const QString&)> openInEditor) {
    CVeskHtmlView* v = &view;
    CAppSettings* s = &settings;
    view.AddCommand(
        cmd::kPreviewIe, [v, s] { PreviewInBrowser(*v, *s, v->Snapshot().iePath); },
        [v](CommandState& state) { state.enabled = !v->Snapshot().iePath.isEmpty(); });
    view.AddCommand(
        cmd::kPreviewNn, [v, s] { PreviewInBrowser(*v, *s, v->Snapshot().nnPath); },
        [v](CommandState& state) { state.enabled = !v->Snapshot().nnPath.isEmpty(); });
    view.AddCommand(
        cmd::kOpenWithApplication, [v] { OpenWithAssociatedApplication(*v); },
        [v](CommandState& state) { state.enabled = LinkAtCaret(*v); });
    view.AddCommand(
        cmd::kOpenWithFavourite, [v] { OpenWithFavouriteApplication(*v); },
        [v](CommandState& state) {
            const int kind = v->linkAtCaret_.kind;
            state.enabled = LinkAtCaret(*v) && (kind == kPageLink || kind == kImageLink);
        });
    view.AddCommand(
        cmd::kOpenInEditor, [v, open = std::move(openInEditor)] { OpenLinkInEditor(*v, open); },
        [v](CommandState& state) {
            state.enabled = LinkAtCaret(*v) && v->linkAtCaret_.kind == kPageLink;
        });
    view.AddCommand(
        cmd::kStartFileManager, [v] { StartFileManager(*v); },
        [](CommandState& state) { state.enabled = true; });
}
