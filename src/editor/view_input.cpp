// The source view's keyboard, mouse and drop handling.

#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <algorithm>
#include <cstdlib>

#include "editor/closing_tags.h"
#include "editor/colouring.h"
#include "editor/text_control.h"
#include "editor/veskhtml_view.h"

namespace {
constexpr int kKeyBackspace = 8;
constexpr int kKeyEnter = 13;
constexpr int kKeySpace = 32;
constexpr int kKeyInsert = 45;
constexpr int kKeyDelete = 46;
// How far back the editor looks for the tag a ">" closes, and for the open element of "</".
constexpr int kTagReach = 4096;
constexpr int kOpenElementReach = 1 << 20;

// Characters whose typing can open or close a tag, a value or a comment.
bool TriggersRecolour(const QString& text) {
    for (QChar c : text) {
        switch (c.unicode()) {
            case '<':
            case '>':
            case '"':
            case '-':
            case '!':
            case '=':
                return true;
            default:
                break;
        }
    }
    return false;
}

// Whether a key press delivers a character to the text (the control's character message).
bool IsCharacter(const QKeyEvent* event) {
    const QString text = event->text();
    if (text.isEmpty())
        return false;
    const char16_t c = text.at(0).unicode();
    return c >= 0x20 || c == '\r' || c == '\t' || c == '\b';
}
}  // namespace

bool CVeskHtmlView::OnKeyPress(QKeyEvent* event) {
    keyInProgress_ = true;
    if (!event->isAutoRepeat())
        ++keysDown_;
    const int key = CTextControl::KeyCodeOf(event);
    // The control never enters overwrite mode.
    if (key == kKeyInsert)
        return true;
    if (key == kKeyBackspace || key == kKeySpace || key == kKeyDelete)
        needsRecolour_ = true;
    if (IsCharacter(event)) {
        if (TriggersRecolour(event->text()))
            needsRecolour_ = true;
        charTyped_ = true;
        journal_->MarkTyped();
        if (snapshot_.autoCloseTags && TypeWithEndTag(event->text()))
            return true;
    }
    return false;
}

// With an empty selection, a ">" that closes a start tag brings its end tag behind the
// caret, and "/" right after "<" the name of the open element: typed through the control
// like the character itself, so they are coloured and undone with it.
bool CVeskHtmlView::TypeWithEndTag(const QString& typed) {
    if (typed != QLatin1String(">") && typed != QLatin1String("/"))
        return false;
    int start = 0, end = 0;
    control_->GetSel(start, end);
    if (start != end)
        return false;
    if (typed == QLatin1String(">")) {
        const std::string before = control_->TextRange(start - kTagReach, start) + ">";
        const std::string endTag =
            vesk::EndTagFor(before, control_->TextRange(start, start + kTagReach));
        if (endTag.empty())
            return false;
        control_->ReplaceSel(">" + endTag);
        RecolourPasted(start, static_cast<int>(endTag.size()) + 1);
        control_->SetSel(start + 1, start + 1);
        return true;
    }
    if (start == 0 || control_->TextRange(start - 1, start) != "<")
        return false;
    const std::string name =
        vesk::UnclosedElementName(control_->TextRange(start - 1 - kOpenElementReach, start - 1));
    if (name.empty())
        return false;
    control_->ReplaceSel("/" + name + ">");
    RecolourPasted(start - 1, static_cast<int>(name.size()) + 3);
    return true;
}

bool CVeskHtmlView::OnKeyRelease(QKeyEvent* event) {
    // Held keys repeat their presses; the edit is reported once, when the key comes up.
    // Unfinished input-method text is not part of the document yet.
    if (event->isAutoRepeat() || control_->IsComposing())
        return false;
    // A release whose press went elsewhere (the Enter that closed a dialog or opened a
    // result of find in files, a shortcut taken by a menu command) changed nothing here.
    if (keysDown_ == 0)
        return false;
    --keysDown_;
    const int key = CTextControl::KeyCodeOf(event);
    HidePointer();
    if ((needsRecolour_ || (insideTagFlag_ && (charTyped_ || key == kKeyEnter))) &&
        AnyColouringSwitch()) {
        CTextControl::FreezePainting freeze(*control_);
        control_->HideSelection(true);
        RecolourAroundCaret();
        control_->HideSelection(false);
    } else if (charTyped_) {
        StyleTypedText();
    }
    RefreshCaretContext();
    journal_->AddStep(key, kUndoBackspace, true);
    textStyleAtCaret_ = false;
    charTyped_ = false;
    needsRecolour_ = false;
    emit StatusChanged();
    return false;
}

// Typed text takes the format at the caret: the style of the character before
// it, unless an operation has just set the text style there.
void CVeskHtmlView::StyleTypedText() {
    const int start = journal_->RememberedStart();
    int caret = 0, end = 0;
    control_->GetSel(caret, end);
    if (textStyleAtCaret_ || start <= 0 || caret <= start)
        return;
    const int style = control_->StyleAt(start - 1);
    if (style != CTextControl::kText)
        control_->ApplyStyle(start, caret, style);
}

void CVeskHtmlView::RefreshCaretContext() {
    control_->GetSel(selStart_, selEnd_);
    journal_->SetSelectionAfter(selStart_, selEnd_);
    // Both look at no more than the selection and a few bytes around it.
    const int from = std::max(std::min(selStart_, selEnd_) - 4, 0);
    const std::string_view near = control_->RangeView(from, std::max(selStart_, selEnd_) + 4);
    commentOpener_ = vesk::CommentOpenerNear(near, selStart_ - from, selEnd_ - from);
    insideTagFlag_ = vesk::InsideTagFlag(near, selStart_ - from, selEnd_ - from);
    if (caretRecordsRefresher)
        caretRecordsRefresher(*this);
    emit CaretContextRefreshed();
}

void CVeskHtmlView::RefreshCaretRecords() {
    if (caretRecordsRefresher)
        caretRecordsRefresher(*this);
    emit CaretContextRefreshed();
}

void CVeskHtmlView::RefreshCaretContextAsClick() {
    if (control_->IsComposing())
        return;
    RefreshCaretContext();
    textStyleAtCaret_ = false;
    journal_->AddStep(0, kUndoNoChange, true);
}

bool CVeskHtmlView::OnMouse(QMouseEvent* event) {
    switch (event->type()) {
        case QEvent::MouseButtonRelease:
            if (event->button() == Qt::LeftButton) {
                // After the control has placed the caret.
                QMetaObject::invokeMethod(
                    this, [this] { RefreshCaretContextAsClick(); }, Qt::QueuedConnection);
            } else if (event->button() == Qt::RightButton) {
                emit ContextMenuRequested(event->globalPosition().toPoint());
                return true;
            }
            break;
        case QEvent::MouseMove:
            if (event->buttons() == Qt::LeftButton) {
                if (!mouseDragging_) {
                    int s = 0, e = 0;
                    control_->GetSel(s, e);
                    dragStartedOnSelection_ = s != e;
                }
                mouseDragging_ = true;
            } else {
                ShowPointer();
            }
            break;
        case QEvent::MouseButtonPress:
            if (event->button() == Qt::LeftButton) {
                mouseDragging_ = false;
                dragStartedOnSelection_ = false;
            }
            break;
        default:
            break;
    }
    return false;
}

void CVeskHtmlView::HidePointer() {
    if (pointerHidden_)
        return;
    control_->viewport()->setCursor(Qt::BlankCursor);
    pointerHidden_ = true;
}

void CVeskHtmlView::ShowPointer() {
    if (!pointerHidden_)
        return;
    control_->viewport()->setCursor(Qt::IBeamCursor);
    pointerHidden_ = false;
}

// Drops: the control has agreed to take the data.
void CVeskHtmlView::OnDropAccepting() {
    dropPending_ = true;
    journal_->AddStep(0, kUndoNoChange, false);
    keyInProgress_ = false;
}

// After the control has taken the drop in (a move inside the text is a
// deletion and an insertion; both are handled here at once).
void CVeskHtmlView::OnDropDone() {
    if (keyInProgress_ || !dropPending_)
        return;
    const int beforeLength = journal_->RememberedLength();
    const int oldStart = journal_->RememberedStart();
    const int oldEnd = journal_->RememberedEnd();
    int s = 0, e = 0;
    control_->GetSel(s, e);
    const int length = control_->TextLength();
    if (length == beforeLength && dragStartedOnSelection_) {
        // Text moved inside the control.
        dragStartedOnSelection_ = false;
        CTextControl::FreezePainting freeze(*control_);
        if (s == e) {
            if (AnyColouringSwitch())
                RecolourAroundCaret();
            journal_->AddStep(0, kUndoCut, false);
        } else {
            journal_->AddStep(0, kUndoMove, false);
            control_->SetSel(oldStart, oldStart);
            RecolourAroundCaret();
            control_->SetSel(std::min(oldEnd + 1, length), std::min(oldEnd + 1, length));
            RecolourAroundCaret();
            RecolourPasted(s, e - s + 1);
            control_->SetSel(s, e);
            journal_->AddStep(0, kUndoNoChange, false);
        }
    } else {
        // Text dropped from outside (or copied inside): an insertion.
        dragStartedOnSelection_ = false;
        const int n = std::abs(length - beforeLength);
        const int insertStart = std::max(0, e - n);
        // The insertion is recorded as made at the drop point.
        journal_->SetRememberedSelection(insertStart, insertStart);
        CTextControl::FreezePainting freeze(*control_);
        RecolourPasted(insertStart, n);
        control_->SetSel(s, e);
        journal_->AddStep(0, kUndoPaste, false);
    }
    keyInProgress_ = true;
    dropPending_ = false;
}
