#include "editor/veskhtml_view.h"

#include <QFile>
#include <QKeyEvent>
#include <QVBoxLayout>
#include <algorithm>

#include "core/command_ids.h"
#include "editor/colouring.h"
#include "editor/text_control.h"
#include "editor/veskhtml_doc.h"
#include "platform/message_seam.h"

const char CVeskHtmlView::kLargeTextMessage[] =
    "ファイルサイズが大きい為、動作が遅くなります。\r\n[ツール]-[設定]-[エディタ]"
    "でコードの色分けをしない様に設定することをお勧めします。";

std::function<void(CVeskHtmlView&, bool)> CVeskHtmlView::sidePaneSink;
std::function<void(CVeskHtmlView&)> CVeskHtmlView::caretRecordsRefresher;
std::function<bool()> CVeskHtmlView::settingsSheetOpen;
std::function<std::string(std::string_view, int)> CVeskHtmlView::tagCaseConversion;

CVeskHtmlView::CVeskHtmlView(CAppSettings& settings, CVeskHtmlDoc* document, QWidget* parent)
    : QWidget(parent), settings_(settings), document_(document) {
    snapshot_ = settings_.CopyOut();
    colouredGeneration_ = snapshot_.colouringGeneration;
    ++settings_.openDocuments;

    control_ = new CTextControl(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(control_);
    setFocusProxy(control_);

    // Word wrap is chosen before the text arrives.
    control_->SetWordWrap(snapshot_.wrap != 0);
    control_->SetLineNumbersShown(snapshot_.lineNumbers != 0);
    ApplyStyles();
    journal_ = std::make_unique<UndoJournal>(static_cast<IUndoTarget&>(*this));
    // The journal learns every change from the control itself and keeps no copy of the text.
    journal_->TrackChanges();
    control_->changeAboutToHappen = [this](int position, int removed, int inserted) {
        journal_->NoteChange(position, removed, inserted);
    };

    ConnectControl();
    if (document_)
        document_->AttachView(this);
    RegisterCommands();
}

CVeskHtmlView::~CVeskHtmlView() {
    // The preview work file of the program goes with the view that made it.
    if (settings_.previewWorkFileExists && !settings_.previewWorkFile.isEmpty() &&
        QFile::exists(settings_.previewWorkFile)) {
        QFile::remove(settings_.previewWorkFile);
    }
    settings_.previewWorkFileExists = false;

    journalFreeze_.reset();
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

void CVeskHtmlView::ConnectControl() {
    control_->keyPressFilter = [this](QKeyEvent* e) { return OnKeyPress(e); };
    control_->keyReleaseFilter = [this](QKeyEvent* e) { return OnKeyRelease(e); };
    control_->mouseFilter = [this](QMouseEvent* e) { return OnMouse(e); };
    control_->dropAccepting = [this] { OnDropAccepting(); };
    control_->dropDone = [this] { OnDropDone(); };
    // The text moved into another document leaves this one as a cut would.
    control_->dragOutDone = [this] {
        {
            CTextControl::FreezePainting freeze(*control_);
            if (AnyColouringSwitch())
                RecolourAroundCaret();
            journal_->AddStep(0, kUndoCut, false);
        }
        RefreshCaretContext();
        emit StatusChanged();
    };
    // Composed text from an input method arrives without key releases of its
    // own: it is recoloured and recorded as typed text here.
    control_->inputCommitted = [this] {
        charTyped_ = true;
        needsRecolour_ = true;
        journal_->MarkTyped();
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier);
        OnKeyRelease(&release);
    };

    connect(control_, &CTextControl::TextChangedNotify, this, [this] {
        if (!settingText_ && document_)
            document_->SetModified(true);
        emit StatusChanged();
    });
    connect(control_, &CTextControl::SelectionChangedNotify, this, [this] {
        if (colouringInProgress_)
            return;
        emit StatusChanged();
        emit SelectionMoved();
    });
}

void CVeskHtmlView::RegisterCommands() {
    auto hasSelection = [this](CommandState& state) {
        int start = 0, end = 0;
        control_->GetSel(start, end);
        state.enabled = start != end;
    };
    OnCommand(cmd::kEditSelectAll, [this] { OnEditSelectAll(); });
    OnCommand(
        cmd::kEditCut, [this] { OnEditCut(); }, hasSelection);
    OnCommand(
        cmd::kEditCopy, [this] { OnEditCopy(); }, hasSelection);
    OnCommand(
        cmd::kEditClear, [this] { OnEditClear(); }, hasSelection);
    OnCommand(
        cmd::kEditPaste, [this] { OnEditPaste(); },
        [this](CommandState& state) {
            state.enabled = control_->SendScintilla(QsciScintillaBase::SCI_CANPASTE) != 0;
        });
    OnCommand(
        cmd::kEditUndo, [this] { OnEditUndo(); },
        [this](CommandState& state) { state.enabled = journal_->undoAvailable(); });
    OnCommand(
        cmd::kEditRedo, [this] { OnEditRedo(); },
        [this](CommandState& state) { state.enabled = journal_->redoAvailable(); });
    OnCommand(cmd::kRedraw, [this] { FullRecolour(); });
    OnCommand(cmd::kFilePrint, [this] { OnFilePrint(); });
    OnCommand(cmd::kFilePrintSetup, [this] { OnFilePrintSetup(); });
}

void CVeskHtmlView::ApplyStyles() {
    control_->DefineStyle(CTextControl::kText, snapshot_.styles[kStyleText]);
    control_->DefineStyle(CTextControl::kTag, snapshot_.styles[kStyleTag]);
    control_->DefineStyle(CTextControl::kParam, snapshot_.styles[kStyleParam]);
    control_->DefineStyle(CTextControl::kCom, snapshot_.styles[kStyleCom]);
}

void CVeskHtmlView::SetText(std::string_view utf8) {
    std::string nothing;
    ReplaceWholeText(utf8, nothing);
}

void CVeskHtmlView::TakeText(std::string utf8) {
    ReplaceWholeText(utf8, utf8);
}

// release is freed as soon as the control holds the text, before colouring needs memory.
void CVeskHtmlView::ReplaceWholeText(std::string_view utf8, std::string& release) {
    const bool empty = utf8.empty();
    {
        CTextControl::FreezePainting freeze(*control_);
        settingText_ = true;
        control_->SetWholeText(utf8);
        std::string().swap(release);
        settingText_ = false;
        emit StatusMessage(QString());
        // A whole new text is taken as read, which tells of a large one.
        CheckLargeText();
        journal_->RememberState(true);
        if (!empty) {
            ColourRange(control_->WholeTextView(), 0, -1);
            control_->SetSel(0, 0);
            TellSidePane(true);
        }
    }
    emit StatusChanged();
}

std::string CVeskHtmlView::GetAllText() {
    CheckLargeText();
    return control_->WholeText();
}

// Large-text mode is entered, with its message, once per time the text grows past the limit.
void CVeskHtmlView::CheckLargeText() {
    const int length = control_->TextLength();
    if (length < kLargeTextLength) {
        largeTextMode_ = false;
    } else if (!largeTextMode_) {
        ShowPointer();
        largeTextMode_ = true;
        vesk::ShowMessage(kLargeTextMessage, "VeskHtml", vesk::MsgIcon::Question,
                          vesk::MsgButtons::Ok, this);
    }
}

void CVeskHtmlView::RefreshSettings() {
    snapshot_ = settings_.CopyOut();
    control_->SetWordWrap(snapshot_.wrap != 0);
    control_->SetLineNumbersShown(snapshot_.lineNumbers != 0);
    ApplyStyles();
    if (snapshot_.colouringGeneration != colouredGeneration_)
        FullRecolour();
}

QStringList CVeskHtmlView::StatusTexts() const {
    return {QString("現在行 %1行").arg(control_->CurrentLine() + 1),
            QString("全行数 %1行").arg(control_->LineCount()),
            QString("%1Byte").arg(control_->TextLength())};
}

void CVeskHtmlView::OnActivated() {
    settings_.activeView = this;
    if (!settingsSheetOpen || !settingsSheetOpen())
        RefreshSettings();
    if (settings_.currentShowHide)
        TellSidePane(true);
    emit StatusChanged();
}

void CVeskHtmlView::TellSidePane(bool rebuild) {
    if (sidePaneSink)
        sidePaneSink(*this, rebuild);
}

// Insertion primitives.

namespace {
std::string TagCase(std::string_view text, int sizeLower) {
    return CVeskHtmlView::tagCaseConversion ? CVeskHtmlView::tagCaseConversion(text, sizeLower)
                                            : std::string(text);
}
}  // namespace

void CVeskHtmlView::InsertAtCaret(std::string_view text) {
    const std::string converted = TagCase(text, snapshot_.sizeLower);
    InsertBehindSelection(converted, static_cast<int>(converted.size()));
}

void CVeskHtmlView::InsertBehindSelection(std::string_view text, int caretOffset, bool textStyle) {
    journal_->AddStep(0, kUndoNoChange, false);
    CTextControl::FreezePainting freeze(*control_);
    int start = 0, end = 0;
    control_->GetSel(start, end);
    const std::string selected = control_->SelectedText();
    const int length = static_cast<int>(text.size());
    control_->ReplaceSel(selected + std::string(text));
    ColourRange(control_->WholeTextView().substr(start, (end - start) + length), start,
                end + length);
    const int caret = end + std::clamp(caretOffset, 0, length);
    control_->SetSel(caret, caret);
    if (textStyle)
        textStyleAtCaret_ = true;
    journal_->AddStep(0, kUndoInsert, false);
    emit StatusChanged();
}

void CVeskHtmlView::WrapSelection(std::string_view open, std::string_view close) {
    journal_->AddStep(0, kUndoNoChange, false);
    CTextControl::FreezePainting freeze(*control_);
    const std::string convertedOpen = TagCase(open, snapshot_.sizeLower);
    const std::string convertedClose = TagCase(close, snapshot_.sizeLower);
    const int openLength = static_cast<int>(convertedOpen.size());
    const int closeLength = static_cast<int>(convertedClose.size());
    int start = 0, end = 0;
    control_->GetSel(start, end);
    const std::string selected = control_->SelectedText();
    control_->ReplaceSel(convertedOpen + selected + convertedClose);
    const int changed = (end - start) + openLength + closeLength;
    ColourRange(control_->WholeTextView().substr(start, changed), start, start + changed);
    const int caret = start == end ? start + openLength : end + openLength + closeLength;
    control_->SetSel(caret, caret);
    textStyleAtCaret_ = true;
    journal_->AddStep(0, kUndoInsert, false);
    emit StatusChanged();
}

void CVeskHtmlView::ReplaceRange(int start, int end, std::string_view text) {
    int selStart = 0, selEnd = 0;
    control_->GetSel(selStart, selEnd);
    journal_->AddStep(0, kUndoNoChange, false);
    const int length = static_cast<int>(text.size());
    control_->SetSel(start, end);
    control_->ReplaceSel(std::string(text));
    RecolourPasted(start, length);
    const int shift = length - (end - start);
    auto moved = [&](int pos) { return pos >= end ? pos + shift : std::min(pos, start + length); };
    control_->SetSel(moved(selStart), moved(selEnd));
    journal_->AddStep(0, kUndoInsert, false);
    emit StatusChanged();
}

// Edit commands.

void CVeskHtmlView::OnEditPaste() {
    keyInProgress_ = true;
    int start = 0, end = 0;
    control_->GetSel(start, end);
    control_->paste();
    CTextControl::FreezePainting freeze(*control_);
    int caret = 0, caretEnd = 0;
    control_->GetSel(caret, caretEnd);
    RecolourPasted(start, caretEnd - start);
    control_->SetSel(caret, caretEnd);
    journal_->AddStep(0, kUndoPaste, false);
}

void CVeskHtmlView::OnEditCut() {
    keyInProgress_ = true;
    control_->cut();
    CTextControl::FreezePainting freeze(*control_);
    if (AnyColouringSwitch())
        RecolourAroundCaret();
    journal_->AddStep(0, kUndoCut, false);
}

void CVeskHtmlView::OnEditClear() {
    keyInProgress_ = true;
    control_->removeSelectedText();
    CTextControl::FreezePainting freeze(*control_);
    if (AnyColouringSwitch())
        RecolourAroundCaret();
    journal_->AddStep(0, kUndoCut, false);
}

void CVeskHtmlView::OnEditCopy() {
    control_->copy();
    // The clipboard no longer holds a colour code copied by the colour-code command.
    settings_.colourCopied = false;
}

void CVeskHtmlView::OnEditSelectAll() {
    control_->SetSel(0, -1);
    control_->GetSel(selStart_, selEnd_);
    journal_->AddStep(0, kUndoNoChange, false);
}

void CVeskHtmlView::OnEditUndo() {
    journal_->Undo();
    RefreshCaretContext();
    emit StatusChanged();
}

void CVeskHtmlView::OnEditRedo() {
    journal_->Redo();
    RefreshCaretContext();
    emit StatusChanged();
}

// The undo history's view of the control.

std::string CVeskHtmlView::JournalText() const {
    return const_cast<CVeskHtmlView*>(this)->GetAllText();
}

std::string CVeskHtmlView::JournalTextRange(int start, int end) const {
    return control_->TextRange(start, end);
}

int CVeskHtmlView::JournalTextLength() const {
    return control_->TextLength();
}

void CVeskHtmlView::JournalSelection(int& start, int& end) const {
    control_->GetSel(start, end);
}

void CVeskHtmlView::JournalSetSel(int start, int end) {
    control_->SetSel(start, end);
}

void CVeskHtmlView::JournalReplaceSel(const std::string& text) {
    control_->ReplaceSel(text);
}

void CVeskHtmlView::JournalRecolourPasted(int start, int length) {
    RecolourPasted(start, length);
}

void CVeskHtmlView::JournalRecolourAroundCaret() {
    RecolourAroundCaret();
}

void CVeskHtmlView::JournalSetTextStyleAtCaret() {
    textStyleAtCaret_ = true;
}

bool CVeskHtmlView::JournalColouringOn() const {
    return AnyColouringSwitch();
}

void CVeskHtmlView::JournalFreeze(bool freeze) {
    if (freeze) {
        control_->HideSelection(true);
        journalFreeze_ = std::make_unique<CTextControl::FreezePainting>(*control_);
    } else {
        journalFreeze_.reset();
        control_->HideSelection(false);
    }
}

void CVeskHtmlView::JournalTellSidePane(const std::string&, bool rebuildLinks) {
    TellSidePane(rebuildLinks);
}

bool CVeskHtmlView::JournalHasTagAtCaret() const {
    return tagAtCaret_.kind != -2;
}

bool CVeskHtmlView::JournalSidePaneShown() const {
    return settings_.currentShowHide != 0;
}
