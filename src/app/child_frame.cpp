#include "app/child_frame.h"

#include <QCloseEvent>

#include "core/command_ids.h"
#include "editor/veskhtml_doc.h"
#include "editor/veskhtml_view.h"

CChildFrame::CChildFrame(CVeskHtmlDoc* document, CVeskHtmlView* view, QWidget* parent)
    : QMdiSubWindow(parent), document_(document), view_(view) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWidget(view_);
    setWindowIcon(QIcon(":/icons/document.svg"));
    connect(document_, &CVeskHtmlDoc::TitleChanged, this, &CChildFrame::UpdateTitle);
    connect(document_, &CVeskHtmlDoc::ModifiedChanged, this, &CChildFrame::UpdateTitle);
    UpdateTitle();
    OnCommand(cmd::kFileClose, [this] { close(); });
}

void CChildFrame::UpdateTitle() {
    setWindowTitle(document_->Title() + "[*]");
    setWindowModified(document_->IsModified());
}

void CChildFrame::CloseWithoutPrompt() {
    skipPrompt_ = true;
    close();
}

void CChildFrame::closeEvent(QCloseEvent* event) {
    if (!skipPrompt_ && !document_->SaveModified()) {
        event->ignore();
        return;
    }
    QMdiSubWindow::closeEvent(event);
}
