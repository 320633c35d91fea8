#include "editor/veskhtml_view.h"

#include <QVBoxLayout>

#include "app/command_ids.h"
#include "editor/text_control.h"
#include "editor/veskhtml_doc.h"

CVeskHtmlView::CVeskHtmlView(CAppSettings& settings, CVeskHtmlDoc* document, QWidget* parent)
    : QWidget(parent), settings_(settings), document_(document) {
    snapshot_ = settings_.CopyOut();
    ++settings_.openDocuments;

    control_ = new CTextControl(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(control_);
    setFocusProxy(control_);

    ApplyStyles();
    control_->SetWordWrap(snapshot_.wrap != 0);

    connect(control_, &CTextControl::TextChangedNotify, this, [this] {
        if (!settingText_ && document_)
            document_->SetModified(true);
        emit StatusChanged();
    });
    connect(control_, &CTextControl::SelectionChangedNotify, this,
            [this] { emit StatusChanged(); });

    if (document_)
        document_->AttachView(this);
    RegisterCommands();
}

CVeskHtmlView::~CVeskHtmlView() {
    if (document_ && document_->View() == this)
        document_->AttachView(nullptr);
    if (settings_.activeView == this)
        settings_.activeView = nullptr;
    if (--settings_.openDocuments <= 0) {
        settings_.openDocuments = 0;
        settings_.activeView = nullptr;
        settings_.documentListChanged = true;
    }
}

void CVeskHtmlView::RegisterCommands() {
    auto hasSelection = [this](CommandState& state) {
        int start = 0, end = 0;
        control_->GetSel(start, end);
        state.enabled = start != end;
    };
    OnCommand(cmd::kEditSelectAll, [this] { control_->SetSel(0, -1); });
    OnCommand(
        cmd::kEditCut, [this] { control_->cut(); }, hasSelection);
    OnCommand(
        cmd::kEditCopy, [this] { control_->copy(); }, hasSelection);
    OnCommand(
        cmd::kEditClear, [this] { control_->removeSelectedText(); }, hasSelection);
    OnCommand(
        cmd::kEditPaste, [this] { control_->paste(); },
        [this](CommandState& state) { state.enabled = !control_->isReadOnly(); });
}

void CVeskHtmlView::ApplyStyles() {
    control_->DefineStyle(CTextControl::kText, snapshot_.styles[kStyleText]);
    control_->DefineStyle(CTextControl::kTag, snapshot_.styles[kStyleTag]);
    control_->DefineStyle(CTextControl::kParam, snapshot_.styles[kStyleParam]);
    control_->DefineStyle(CTextControl::kCom, snapshot_.styles[kStyleCom]);
}

void CVeskHtmlView::SetText(std::string_view utf8) {
    {
        CTextControl::FreezePainting freeze(*control_);
        settingText_ = true;
        control_->SetWholeText(utf8);
        settingText_ = false;
        control_->ApplyStyle(0, control_->TextLength(), CTextControl::kText);
        control_->SetSel(0, 0);
    }
    emit StatusChanged();
}

std::string CVeskHtmlView::GetAllText() const {
    return control_->WholeText();
}

void CVeskHtmlView::RefreshSettings() {
    snapshot_ = settings_.CopyOut();
    control_->SetWordWrap(snapshot_.wrap != 0);
    ApplyStyles();
}

QStringList CVeskHtmlView::StatusTexts() const {
    return {QString("現在行 %1行").arg(control_->CurrentLine() + 1),
            QString("全行数 %1行").arg(control_->LineCount()),
            QString("%1Byte").arg(control_->TextLength())};
}

void CVeskHtmlView::OnActivated() {
    settings_.activeView = this;
    RefreshSettings();
    emit StatusChanged();
}
