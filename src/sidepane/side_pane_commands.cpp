#include "sidepane/side_pane_commands.h"

#include <QDir>
#include <QFileInfo>

#include "core/app_settings.h"
#include "core/command_ids.h"
#include "editor/veskhtml_doc.h"
#include "editor/veskhtml_view.h"
#include "platform/message_seam.h"
#include "sidepane/links.h"
#include "sidepane/side_pane_texts.h"
#include "sidepane/veskview_pane.h"
#include "tags/relative_paths.h"

namespace {

constexpr int kNoTag = -2;

bool HasLink(const CVeskHtmlView& view) {
    return view.tagAtCaret_.kind != kNoTag && !view.linkAtCaret_.text.empty();
}

QString DocumentPath(const CVeskHtmlView& view) {
    return view.Document() ? view.Document()->PathName() : QString();
}

void ShowLinkInFileBrowser(CVeskHtmlView& view, CVeskViewPane& pane) {
    const std::string& link = view.linkAtCaret_.text;
    const vesk::AnchorSplit split = vesk::SplitAnchor(link);
    const QString path =
        QString::fromStdString(vesk::ResolveLink(split.file, DocumentPath(view).toStdString()));
    if (path.isEmpty() || !QFileInfo::exists(path)) {
        const QString shown =
            path.isEmpty() ? QString::fromStdString(link) : QDir::toNativeSeparators(path);
        vesk::ShowMessage(veskview_text::LinkTargetMissing(shown),
                          QString::fromUtf8(veskview_text::kCaption), vesk::MsgIcon::Exclamation,
                          vesk::MsgButtons::Ok, &view);
        return;
    }
    pane.ShowPathInBrowser(path, view.linkAtCaret_.kind);
}

}  // namespace

void InstallSidePaneCommands(CVeskHtmlView& view, CAppSettings& settings,
                             std::function<CVeskViewPane*()> pane) {
    CVeskHtmlView* v = &view;
    CAppSettings* s = &settings;
    auto shown = [s, pane] { return s->currentShowHide != 0 && pane && pane() != nullptr; };
    view.AddCommand(
        cmd::kShowDocumentInFileBrowser,
        [v, pane, shown] {
            // An untitled document has no place on disk to show.
            if (shown() && !DocumentPath(*v).isEmpty())
                pane()->ShowPathInBrowser(DocumentPath(*v), 0);
        },
        [shown](CommandState& state) { state.enabled = shown(); });
    view.AddCommand(
        cmd::kShowLinkInFileBrowser,
        [v, pane, shown] {
            const int kind = v->linkAtCaret_.kind;
            if (shown() && HasLink(*v) && (kind == 0 || kind == 1 || kind == -1))
                ShowLinkInFileBrowser(*v, *pane());
        },
        [v, shown](CommandState& state) {
            const int kind = v->linkAtCaret_.kind;
            state.enabled = shown() && HasLink(*v) && (kind == 0 || kind == 1 || kind == -1);
        });
    view.AddCommand(
        cmd::kShowLinkInLinkBrowser,
        [v, pane, shown] {
            const int kind = v->linkAtCaret_.kind;
            if (!shown() || !HasLink(*v) || kind < -1 || kind > 2)
                return;
            // The whole value: it holds a file part, an anchor and a mail address alike.
            pane()->ShowLinkOfCaret(*v, v->linkAtCaret_.text, v->linkAtCaret_.start);
        },
        [v, shown](CommandState& state) {
            const int kind = v->linkAtCaret_.kind;
            state.enabled = shown() && HasLink(*v) && kind >= -1 && kind <= 2;
        });
}
