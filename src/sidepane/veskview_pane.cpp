#include "sidepane/veskview_pane.h"

#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "editor/text_control.h"
#include "editor/veskhtml_view.h"
#include "platform/settings_store.h"
#include "sidepane/file_browser.h"
#include "sidepane/link_browser.h"
#include "sidepane/side_pane_texts.h"

namespace {
const char kSection[] = "VeskViewSettings";
// How long typing must pause before the link tree follows the text.
constexpr int kQuietMs = 300;
}  // namespace

CVeskViewPane::CVeskViewPane(CAppSettings& settings, SidePaneHost host, QWidget* parent)
    : QWidget(parent), settings_(settings), host_(std::move(host)) {
    tabs_ = new QTabWidget(this);
    fileBrowser_ = new CFileBrowserPage(settings_, host_);
    linkBrowser_ = new CLinkBrowserPage(settings_, host_);
    tabs_->addTab(fileBrowser_, QString::fromUtf8(veskview_text::kFileBrowserTab));
    tabs_->addTab(linkBrowser_, QString::fromUtf8(veskview_text::kLinkBrowserTab));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(tabs_);
    SelectTab(AppStore().GetProfileInt(kSection, "TabNum", 0));
    quiet_ = new QTimer(this);
    quiet_->setSingleShot(true);
    quiet_->setInterval(kQuietMs);
    connect(quiet_, &QTimer::timeout, this, &CVeskViewPane::RefreshFromPendingView);
}

CVeskViewPane::~CVeskViewPane() {
    SaveSettings();
}

void CVeskViewPane::SaveSettings() {
    AppStore().WriteProfileInt(kSection, "TabNum", std::max(0, CurrentTab()));
    fileBrowser_->SaveSettings();
    linkBrowser_->SaveSettings();
}

void CVeskViewPane::SelectTab(int index) {
    tabs_->setCurrentIndex(index == kLinkBrowserTab ? kLinkBrowserTab : kFileBrowserTab);
}

int CVeskViewPane::CurrentTab() const {
    return tabs_->currentIndex();
}

void CVeskViewPane::ShowPathInBrowser(const QString& path, int linkKind) {
    SelectTab(kFileBrowserTab);
    fileBrowser_->ShowPathInBrowser(path, linkKind);
}

bool CVeskViewPane::ShowLinkOfCaret(CVeskHtmlView& view, const std::string& linkText,
                                    int linkPosition) {
    const bool found =
        linkBrowser_->ShowLinkOfCaret(linkText, linkPosition, view.Control().WholeText(), &view);
    if (found)
        SelectTab(kLinkBrowserTab);
    return found;
}

void CVeskViewPane::OnViewChanged(CVeskHtmlView& view, bool rebuild) {
    if (!host_.PaneShown())
        return;
    if (&view != linkBrowser_->TreeView()) {
        quiet_->stop();
        pendingView_ = nullptr;
        linkBrowser_->RebuildLinks(view.Control().WholeText(), &view, false);
        return;
    }
    // Keystrokes coming one after another refresh the links once, when they pause.
    pendingView_ = &view;
    pendingRebuild_ = pendingRebuild_ || rebuild;
    quiet_->start();
}

void CVeskViewPane::RefreshFromPendingView() {
    CVeskHtmlView* view = pendingView_;
    pendingView_ = nullptr;
    const bool rebuild = pendingRebuild_;
    pendingRebuild_ = false;
    if (!view || view != linkBrowser_->TreeView() || !host_.PaneShown())
        return;
    linkBrowser_->RefreshInBackground(view->Control().WholeText(), rebuild);
}

void CVeskViewPane::OnShown() {
    if (CVeskHtmlView* view = host_.ActiveView())
        linkBrowser_->RebuildLinks(view->Control().WholeText(), view, true);
}

void CVeskViewPane::Refresh() {
    fileBrowser_->RefreshPreviewSettings();
    linkBrowser_->RefreshPreviewSettings();
}
