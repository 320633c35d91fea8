#include "editor/text_control.h"

#include <Qsci/qscicommand.h>
#include <Qsci/qscicommandset.h>

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <algorithm>

namespace {

using Sci = QsciScintillaBase;

// QScintilla's accessible text object counts the characters from the start
// of the text to the caret on every screen update, which makes the editor
// slow in proportion to the caret's position in large texts. The control
// presents itself as a plain editable-text widget instead.
QAccessibleInterface* PlainAccessibleFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("CTextControl") && object->isWidgetType()) {
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::EditableText);
    }
    return nullptr;
}

// Character-format mask bits of a stored StyleFormat.
constexpr std::uint32_t kMaskBold = 0x1;
constexpr std::uint32_t kMaskItalic = 0x2;
constexpr std::uint32_t kMaskUnderline = 0x4;
constexpr std::uint32_t kMaskStrikeout = 0x8;
constexpr std::uint32_t kMaskFace = 0x20000000;
constexpr std::uint32_t kMaskColour = 0x40000000;
constexpr std::uint32_t kMaskSize = 0x80000000;
// Effect bit "automatic colour": the window text colour.
constexpr std::uint32_t kEffectAutoColour = 0x40000000;

constexpr long kWhite = 0xFFFFFF;
// Strikeout of style s is drawn by indicator kStrikeIndicatorBase + s (container range).
constexpr int kStrikeIndicatorBase = 16;
constexpr int kLeftPadding = 4;

// Scintilla commands that would change the text in ways the undo journal cannot
// follow (line operations, case changes, indenting, column selections), or that
// the application owns as its own commands (undo, redo, clipboard, select all).
// Their keys are unbound so that they reach the application's shortcuts.
constexpr QsciCommand::Command kUnboundCommands[] = {
    QsciCommand::Undo,
    QsciCommand::Redo,
    QsciCommand::SelectionCut,
    QsciCommand::SelectionCopy,
    QsciCommand::Paste,
    QsciCommand::SelectAll,
    QsciCommand::EditToggleOvertype,
    QsciCommand::Tab,
    QsciCommand::Backtab,
    QsciCommand::Formfeed,
    QsciCommand::LineDelete,
    QsciCommand::LineCut,
    QsciCommand::LineCopy,
    QsciCommand::LineTranspose,
    QsciCommand::LineDuplicate,
    QsciCommand::SelectionDuplicate,
    QsciCommand::SelectionLowerCase,
    QsciCommand::SelectionUpperCase,
    QsciCommand::MoveSelectedLinesUp,
    QsciCommand::MoveSelectedLinesDown,
    QsciCommand::ReverseLines,
    QsciCommand::LineDownRectExtend,
    QsciCommand::LineUpRectExtend,
    QsciCommand::CharLeftRectExtend,
    QsciCommand::CharRightRectExtend,
    QsciCommand::HomeRectExtend,
    QsciCommand::VCHomeRectExtend,
    QsciCommand::LineEndRectExtend,
    QsciCommand::PageUpRectExtend,
    QsciCommand::PageDownRectExtend,
};

long Send(const QsciScintillaBase& control, unsigned int message, unsigned long wParam = 0,
          long lParam = 0) {
    return control.SendScintilla(message, wParam, lParam);
}

long SendText(const QsciScintillaBase& control, unsigned int message, unsigned long wParam,
              const char* text) {
    return control.SendScintilla(message, static_cast<uintptr_t>(wParam), text);
}

bool IsMouseEvent(QEvent::Type type) {
    return type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease ||
           type == QEvent::MouseButtonDblClick || type == QEvent::MouseMove;
}

}  // namespace

CTextControl::CTextControl(QWidget* parent) : QsciScintilla(parent) {
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(PlainAccessibleFactory);
        return true;
    }();
    (void)factoryInstalled;
    Send(*this, Sci::SCI_SETCODEPAGE, Sci::SC_CP_UTF8);
    Send(*this, Sci::SCI_SETEOLMODE, Sci::SC_EOL_CRLF);
    Send(*this, Sci::SCI_SETPASTECONVERTENDINGS, 1);
    // No lexer: styles change only when the editor applies them.
    Send(*this, Sci::SCI_SETLEXER, Sci::SCLEX_CONTAINER);
    // The view keeps its own undo history.
    Send(*this, Sci::SCI_SETUNDOCOLLECTION, 0);
    Send(*this, Sci::SCI_EMPTYUNDOBUFFER);
    Send(*this, Sci::SCI_SETOVERTYPE, 0);
    // Only text changes are reported; styling must not look like an edit.
    // Only the "about to change" notifications: QScintilla answers every
    // insertion and deletion notification by counting the characters from the
    // start of the text for its accessibility events, which makes each
    // keystroke cost time in proportion to the caret's position. The change is
    // reported once the operation that made it has finished (FlushChange).
    Send(*this, Sci::SCI_SETMODEVENTMASK, Sci::SC_MOD_BEFOREINSERT | Sci::SC_MOD_BEFOREDELETE);

    for (int margin = 0; margin < 5; ++margin) Send(*this, Sci::SCI_SETMARGINWIDTHN, margin, 0);
    Send(*this, Sci::SCI_SETMARGINLEFT, 0, kLeftPadding);
    Send(*this, Sci::SCI_SETCARETLINEVISIBLE, 0);
    Send(*this, Sci::SCI_SETSCROLLWIDTH, 1);
    Send(*this, Sci::SCI_SETSCROLLWIDTHTRACKING, 1);
    Send(*this, Sci::SCI_SETWRAPMODE, Sci::SC_WRAP_NONE);

    QsciCommandSet* commands = standardCommands();
    for (QsciCommand::Command id : kUnboundCommands) {
        if (QsciCommand* command = commands->find(id)) {
            command->setKey(0);
            command->setAlternateKey(0);
        }
    }

    // The view opens its own context menu on a right-button release.
    setContextMenuPolicy(Qt::PreventContextMenu);
    viewport()->installEventFilter(this);

    DefineStyle(kText, StyleFormat{});

    connect(this, &QsciScintillaBase::SCN_MODIFIED, this,
            [this](int position, int modification, const char*, int length) {
                if (settingText_ ||
                    !(modification & (Sci::SC_MOD_BEFOREINSERT | Sci::SC_MOD_BEFOREDELETE)))
                    return;
                if (changeAboutToHappen) {
                    if (modification & Sci::SC_MOD_BEFOREDELETE)
                        changeAboutToHappen(position, length, 0);
                    else
                        changeAboutToHappen(position, 0, length);
                }
                if (changePending_)
                    return;
                changePending_ = true;
                // A change made outside the operations below (a drag out of the
                // control, say) is reported when the event loop comes round.
                QMetaObject::invokeMethod(
                    this, [this] { FlushChange(); }, Qt::QueuedConnection);
            });
    // Scintilla reports explicit selection changes at once, but a caret moved by an
    // edit only with the next UI update; both are checked against the last selection.
    connect(this, &QsciScintilla::selectionChanged, this, &CTextControl::CheckSelection);
    connect(this, &QsciScintillaBase::SCN_UPDATEUI, this, &CTextControl::CheckSelection);
}

void CTextControl::CheckSelection() {
    const long anchor = Send(*this, Sci::SCI_GETANCHOR);
    const long caret = Send(*this, Sci::SCI_GETCURRENTPOS);
    if (anchor == lastAnchor_ && caret == lastCaret_)
        return;
    lastAnchor_ = anchor;
    lastCaret_ = caret;
    emit SelectionChangedNotify();
}

// Whole text. Emits TextChangedNotify once, after the new text is in place.
void CTextControl::SetWholeText(std::string_view utf8) {
    settingText_ = true;
    Send(*this, Sci::SCI_CLEARALL);
    // By length: the bytes may hold NULs that a terminated string would cut.
    if (!utf8.empty())
        SendText(*this, Sci::SCI_APPENDTEXT, utf8.size(), utf8.data());
    settingText_ = false;
    strikeIndicators_ = 0;  // every indicator went with the old text
    UpdateLineNumberMargin();
    emit TextChangedNotify();
}

int CTextControl::TextLength() const {
    return static_cast<int>(Send(*this, Sci::SCI_GETLENGTH));
}

std::string_view CTextControl::WholeTextView() const {
    const auto* text =
        static_cast<const char*>(SendScintillaPtrResult(Sci::SCI_GETCHARACTERPOINTER));
    if (!text)
        return {};
    return {text, static_cast<size_t>(TextLength())};
}

vesk::SplitText CTextControl::SplitTextView() const {
    const int length = TextLength();
    const int gap = std::clamp(static_cast<int>(Send(*this, Sci::SCI_GETGAPPOSITION)), 0, length);
    return vesk::SplitText(RangeView(0, gap), RangeView(gap, length));
}

std::string_view CTextControl::RangeView(int start, int end) const {
    const int length = TextLength();
    start = std::clamp(start, 0, length);
    end = std::clamp(end, start, length);
    if (end == start)
        return {};
    const auto* text =
        reinterpret_cast<const char*>(Send(*this, Sci::SCI_GETRANGEPOINTER, start, end - start));
    return text ? std::string_view(text, static_cast<size_t>(end - start)) : std::string_view();
}

std::string CTextControl::WholeText() const {
    return std::string(WholeTextView());
}

void CTextControl::GetSel(int& start, int& end) const {
    start = static_cast<int>(Send(*this, Sci::SCI_GETSELECTIONSTART));
    end = static_cast<int>(Send(*this, Sci::SCI_GETSELECTIONEND));
}

void CTextControl::SetSel(int start, int end) {
    const int length = TextLength();
    if (start < 0) {
        // A negative start removes the selection and leaves the caret where it is.
        const long caret = Send(*this, Sci::SCI_GETCURRENTPOS);
        SetSel(static_cast<int>(caret), static_cast<int>(caret));
        return;
    }
    if (end < 0 || end > length)
        end = length;
    start = std::min(start, length);
    // SCI_SETSEL first forgets the old selection and so repaints everything from the top of
    // the text to the new one, on every keystroke that puts the caret back; moving the anchor
    // and the caret repaints only what changed. Several or rectangular selections become one.
    if (Send(*this, Sci::SCI_GETSELECTIONS) > 1 || Send(*this, Sci::SCI_SELECTIONISRECTANGLE)) {
        Send(*this, Sci::SCI_SETSEL, start, end);
        return;
    }
    if (start == end) {
        Send(*this, Sci::SCI_SETEMPTYSELECTION, start);
    } else {
        Send(*this, Sci::SCI_SETANCHOR, start);
        Send(*this, Sci::SCI_SETCURRENTPOS, end);
    }
    Send(*this, Sci::SCI_SCROLLCARET);
}

std::string CTextControl::SelectedText() const {
    int start = 0;
    int end = 0;
    GetSel(start, end);
    return TextRange(start, end);
}

void CTextControl::ReplaceSel(std::string_view utf8) {
    int start = 0;
    int end = 0;
    GetSel(start, end);
    // Replacing the target by length keeps NUL bytes that SCI_REPLACESEL would cut.
    Send(*this, Sci::SCI_SETTARGETRANGE, start, end);
    SendText(*this, Sci::SCI_REPLACETARGET, utf8.size(), utf8.data());
    SetSel(start + static_cast<int>(utf8.size()), start + static_cast<int>(utf8.size()));
    FlushChange();
}

void CTextControl::FlushChange() {
    if (!changePending_)
        return;
    changePending_ = false;
    UpdateLineNumberMargin();
    KeepScrollWidthAhead();
    emit TextChangedNotify();
}

void CTextControl::cut() {
    QsciScintilla::cut();
    FlushChange();
}

void CTextControl::paste() {
    QsciScintilla::paste();
    FlushChange();
}

void CTextControl::removeSelectedText() {
    QsciScintilla::removeSelectedText();
    FlushChange();
}

std::string CTextControl::TextRange(int start, int end) const {
    const int length = TextLength();
    start = std::clamp(start, 0, length);
    end = std::clamp(end, 0, length);
    if (end <= start)
        return {};
    return std::string(RangeView(start, end));
}

void CTextControl::ApplyStyleFormat(int style, const StyleFormat& format) {
    const std::uint32_t mask = format.mask;
    if (mask & kMaskFace) {
        // Windows face names ("ＭＳ Ｐゴシック") are passed on; fontconfig substitutes.
        const QString face =
            format.faceName.isEmpty() ? QApplication::font().family() : format.faceName;
        SendText(*this, Sci::SCI_STYLESETFONT, style, face.toUtf8().constData());
    }
    if ((mask & kMaskSize) && format.height > 0) {
        // Twips to hundredths of a point.
        Send(*this, Sci::SCI_STYLESETSIZEFRACTIONAL, style, format.height * 5L);
    }
    if (mask & kMaskBold)
        Send(*this, Sci::SCI_STYLESETBOLD, style, (format.effects & kEffectBold) != 0);
    if (mask & kMaskItalic)
        Send(*this, Sci::SCI_STYLESETITALIC, style, (format.effects & kEffectItalic) != 0);
    if (mask & kMaskUnderline)
        Send(*this, Sci::SCI_STYLESETUNDERLINE, style, (format.effects & kEffectUnderline) != 0);
    const long colour =
        (format.effects & kEffectAutoColour) ? 0 : static_cast<long>(format.textColor & 0xFFFFFF);
    if (mask & kMaskColour)
        Send(*this, Sci::SCI_STYLESETFORE, style, colour);
    Send(*this, Sci::SCI_STYLESETBACK, style, kWhite);

    if (style < 0 || style >= kStyleSlots)
        return;
    const int indicator = kStrikeIndicatorBase + style;
    Send(*this, Sci::SCI_INDICSETSTYLE, indicator, Sci::INDIC_STRIKE);
    Send(*this, Sci::SCI_INDICSETFORE, indicator, colour);
    if (!(mask & kMaskStrikeout))
        return;
    const unsigned bit = 1u << style;
    if (format.effects & kEffectStrikeout) {
        strikeStyles_ |= bit;
    } else {
        strikeStyles_ &= ~bit;
        if (strikeIndicators_ & bit) {
            Send(*this, Sci::SCI_SETINDICATORCURRENT, indicator);
            Send(*this, Sci::SCI_INDICATORCLEARRANGE, 0, TextLength());
            strikeIndicators_ &= ~bit;
        }
    }
}

void CTextControl::DefineStyle(int style, const StyleFormat& format) {
    if (style < 0 || style >= Sci::STYLE_DEFAULT)
        return;
    if (style < kStyleSlots) {
        formats_[style] = format;
        definedStyles_ |= 1u << style;
    }
    if (style != kText) {
        ApplyStyleFormat(style, format);
        return;
    }
    // The text style is also the default: empty content and every unused style take it.
    // Resetting all styles to it loses the others, so they are applied again.
    ApplyStyleFormat(Sci::STYLE_DEFAULT, format);
    Send(*this, Sci::SCI_STYLECLEARALL);
    ApplyStyleFormat(kText, format);
    for (int other = 1; other < kStyleSlots; ++other) {
        if (definedStyles_ & (1u << other))
            ApplyStyleFormat(other, formats_[other]);
    }
    // The line numbers keep the text's font but the usual grey of a margin.
    Send(*this, Sci::SCI_STYLESETFORE, Sci::STYLE_LINENUMBER, 0x707070);
    Send(*this, Sci::SCI_STYLESETBACK, Sci::STYLE_LINENUMBER, 0xEEEEEE);
    Send(*this, Sci::SCI_STYLESETBOLD, Sci::STYLE_LINENUMBER, 0);
    Send(*this, Sci::SCI_STYLESETITALIC, Sci::STYLE_LINENUMBER, 0);
    Send(*this, Sci::SCI_STYLESETUNDERLINE, Sci::STYLE_LINENUMBER, 0);
    lineNumberDigits_ = 0;  // the font may have changed
    UpdateLineNumberMargin();
}

// Scintilla widens the scrolled width to the widest line it has drawn, and every widening
// redraws the whole window: typing at the end of the widest line would redraw everything at
// each key. Once the line being typed in is wider than the window, the width is kept half a
// window ahead of it.
void CTextControl::KeepScrollWidthAhead() {
    if (WordWrap())
        return;
    const long caret = Send(*this, Sci::SCI_GETCURRENTPOS);
    const long end =
        Send(*this, Sci::SCI_GETLINEENDPOSITION,
             static_cast<unsigned long>(Send(*this, Sci::SCI_LINEFROMPOSITION, caret)));
    const long right =
        Send(*this, Sci::SCI_POINTXFROMPOSITION, 0, end) + Send(*this, Sci::SCI_GETXOFFSET);
    // Lines narrower than the window scroll nothing, and widening for them would only bring
    // a scroll bar.
    if (right <= viewport()->width())
        return;
    const long ahead = std::max(viewport()->width() / 2, 200);
    if (right + ahead / 2 >= Send(*this, Sci::SCI_GETSCROLLWIDTH))
        Send(*this, Sci::SCI_SETSCROLLWIDTH, static_cast<unsigned long>(right + ahead));
}

void CTextControl::SetLineNumbersShown(bool shown) {
    if (shown == lineNumbers_)
        return;
    lineNumbers_ = shown;
    lineNumberDigits_ = 0;
    UpdateLineNumberMargin();
}

void CTextControl::UpdateLineNumberMargin() {
    if (!lineNumbers_) {
        if (lineNumberDigits_ == 0)
            Send(*this, Sci::SCI_SETMARGINWIDTHN, 0, 0);
        lineNumberDigits_ = -1;
        return;
    }
    int digits = 1;
    for (int lines = LineCount(); lines >= 10; lines /= 10) ++digits;
    digits = std::max(digits, 3);  // no change of width over the first hundreds of lines
    if (digits == lineNumberDigits_)
        return;
    lineNumberDigits_ = digits;
    const std::string nines(static_cast<std::size_t>(digits), '9');
    const long width = SendText(*this, Sci::SCI_TEXTWIDTH, Sci::STYLE_LINENUMBER, nines.c_str());
    Send(*this, Sci::SCI_SETMARGINTYPEN, 0, Sci::SC_MARGIN_NUMBER);
    Send(*this, Sci::SCI_SETMARGINWIDTHN, 0, width + 8);
}

void CTextControl::ApplyStyle(int start, int end, int style) {
    const int length = TextLength();
    start = std::clamp(start, 0, length);
    end = std::clamp(end, 0, length);
    if (end <= start)
        return;
    Send(*this, Sci::SCI_STARTSTYLING, start, 0xFF);
    Send(*this, Sci::SCI_SETSTYLING, end - start, style);
    MarkStrikeout(start, end - start, style);
}

void CTextControl::ApplyStyleBytes(int start, std::string_view styles) {
    const int length = TextLength();
    if (start < 0 || start >= length || styles.empty())
        return;
    styles = styles.substr(0, static_cast<size_t>(length - start));
    Send(*this, Sci::SCI_STARTSTYLING, start, 0xFF);
    SendText(*this, Sci::SCI_SETSTYLINGEX, styles.size(), styles.data());
    MarkStrikeout(start, styles);
    // The view styles the text itself: all of it counts as styled, so Scintilla never asks
    // for more and never throws away a paint to wait for it.
    Send(*this, Sci::SCI_STARTSTYLING, length, 0xFF);
}

// Clears the strikeout indicators over a styled range and draws them again where
// the range holds a struck-out style.
void CTextControl::MarkStrikeout(int start, std::string_view styles) {
    if (strikeStyles_ == 0 && strikeIndicators_ == 0)
        return;
    const long length = static_cast<long>(styles.size());
    for (int style = 0; style < kStyleSlots; ++style) {
        if (!(strikeIndicators_ & (1u << style)))
            continue;
        Send(*this, Sci::SCI_SETINDICATORCURRENT, kStrikeIndicatorBase + style);
        Send(*this, Sci::SCI_INDICATORCLEARRANGE, start, length);
    }
    if (strikeStyles_ == 0)
        return;
    size_t run = 0;
    while (run < styles.size()) {
        const auto style = static_cast<unsigned char>(styles[run]);
        size_t next = run + 1;
        while (next < styles.size() && static_cast<unsigned char>(styles[next]) == style) ++next;
        if (style < kStyleSlots && (strikeStyles_ & (1u << style))) {
            Send(*this, Sci::SCI_SETINDICATORCURRENT, kStrikeIndicatorBase + style);
            Send(*this, Sci::SCI_INDICATORFILLRANGE, start + static_cast<long>(run),
                 static_cast<long>(next - run));
            strikeIndicators_ |= 1u << style;
        }
        run = next;
    }
}

void CTextControl::MarkStrikeout(int start, int length, int style) {
    if (strikeStyles_ == 0 && strikeIndicators_ == 0)
        return;
    for (int slot = 0; slot < kStyleSlots; ++slot) {
        if (!(strikeIndicators_ & (1u << slot)))
            continue;
        Send(*this, Sci::SCI_SETINDICATORCURRENT, kStrikeIndicatorBase + slot);
        Send(*this, Sci::SCI_INDICATORCLEARRANGE, start, length);
    }
    if (style >= 0 && style < kStyleSlots && (strikeStyles_ & (1u << style))) {
        Send(*this, Sci::SCI_SETINDICATORCURRENT, kStrikeIndicatorBase + style);
        Send(*this, Sci::SCI_INDICATORFILLRANGE, start, length);
        strikeIndicators_ |= 1u << style;
    }
}

int CTextControl::StyleAt(int pos) const {
    return static_cast<int>(Send(*this, Sci::SCI_GETSTYLEAT, pos) & 0xFF);
}

int CTextControl::CurrentLine() const {
    return static_cast<int>(
        Send(*this, Sci::SCI_LINEFROMPOSITION, Send(*this, Sci::SCI_GETCURRENTPOS)));
}

int CTextControl::LineCount() const {
    return static_cast<int>(Send(*this, Sci::SCI_GETLINECOUNT));
}

// A document line, also when long lines are wrapped.
int CTextControl::FirstVisibleLine() const {
    return static_cast<int>(
        Send(*this, Sci::SCI_DOCLINEFROMVISIBLE, Send(*this, Sci::SCI_GETFIRSTVISIBLELINE)));
}

// Scrolls by document lines, so that a first visible line read before can be
// restored by scrolling the difference, whether lines wrap or not.
void CTextControl::LineScroll(int lines) {
    if (!WordWrap()) {
        Send(*this, Sci::SCI_LINESCROLL, 0, lines);
        return;
    }
    const int target = std::clamp(FirstVisibleLine() + lines, 0, std::max(0, LineCount() - 1));
    Send(*this, Sci::SCI_SETFIRSTVISIBLELINE, Send(*this, Sci::SCI_VISIBLEFROMDOCLINE, target));
}

void CTextControl::HideSelection(bool hide) {
    // Scintilla redraws the whole window for either call; an empty selection shows nothing to
    // hide, so it is left alone and typing repaints only what changed.
    if (hide) {
        int start = 0, end = 0;
        GetSel(start, end);
        selectionHidden_ = start != end;
    } else if (!selectionHidden_) {
        return;
    } else {
        selectionHidden_ = false;
    }
    if (hide && !selectionHidden_)
        return;
    Send(*this, Sci::SCI_HIDESELECTION, hide);
}

void CTextControl::SetWordWrap(bool wrap) {
    Send(*this, Sci::SCI_SETWRAPMODE, wrap ? Sci::SC_WRAP_WORD : Sci::SC_WRAP_NONE);
}

bool CTextControl::WordWrap() const {
    return Send(*this, Sci::SCI_GETWRAPMODE) != Sci::SC_WRAP_NONE;
}

// The viewport is a child of the control and follows its update state.
// Qt paints only when the event loop comes round, so an operation that runs to its end before
// returning shows no half-done state anyway. Turning updates off and on again, as this did,
// repainted the whole control after every keystroke that recoloured.
// Qt paints only when the event loop comes round, so an operation that runs to its end before
// returning shows no half-done state anyway. Turning updates off and on again would make Qt
// repaint the whole control afterwards: for every keystroke that recolours, many times the
// work of the keystroke itself.
CTextControl::FreezePainting::FreezePainting(CTextControl& control) : control_(control) {}

CTextControl::FreezePainting::~FreezePainting() = default;

int CTextControl::KeyCodeOf(const QKeyEvent* event) {
    const int key = event->key();
    switch (key) {
        case Qt::Key_Backspace:
            return 8;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return 13;
        case Qt::Key_Space:
            return 32;
        case Qt::Key_PageUp:
            return 33;
        case Qt::Key_PageDown:
            return 34;
        case Qt::Key_End:
            return 35;
        case Qt::Key_Home:
            return 36;
        case Qt::Key_Left:
            return 37;
        case Qt::Key_Up:
            return 38;
        case Qt::Key_Right:
            return 39;
        case Qt::Key_Down:
            return 40;
        case Qt::Key_Insert:
            return 45;
        case Qt::Key_Delete:
            return 46;
        default:
            break;
    }
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9))
        return key;  // Qt's codes are the upper-case ASCII ones
    if (key >= Qt::Key_F1 && key <= Qt::Key_F12)
        return 112 + (key - Qt::Key_F1);
    return 0;
}

void CTextControl::keyPressEvent(QKeyEvent* event) {
    if (keyPressFilter && keyPressFilter(event)) {
        event->accept();
        return;
    }
    const int key = event->key();
    // Insert never switches to overwrite mode.
    if (key == Qt::Key_Insert) {
        event->accept();
        return;
    }
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    const Qt::KeyboardModifiers commandModifiers =
        Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    // A tab replaces the selection, even one over several lines (Scintilla would indent).
    if ((key == Qt::Key_Tab || key == Qt::Key_Backtab) && !(modifiers & commandModifiers)) {
        ReplaceSel("\t");
        CheckSelection();
        event->accept();
        return;
    }
    // Unbound Ctrl/Alt combinations type nothing; they are left to the application.
    if ((modifiers & commandModifiers) &&
        !standardCommands()->boundTo(key | static_cast<int>(modifiers))) {
        event->ignore();
        return;
    }
    QsciScintilla::keyPressEvent(event);
    FlushChange();
    CheckSelection();
}

void CTextControl::keyReleaseEvent(QKeyEvent* event) {
    if (keyReleaseFilter && keyReleaseFilter(event)) {
        event->accept();
        return;
    }
    QsciScintilla::keyReleaseEvent(event);
}

bool CTextControl::eventFilter(QObject* watched, QEvent* event) {
    if (watched == viewport() && IsMouseEvent(event->type())) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouseFilter && mouseFilter(mouse))
            return true;
        // No pasting of the primary selection with the middle button: that edit
        // would bypass the view.
        if (mouse->button() == Qt::MiddleButton)
            return true;
        // On Linux QScintilla turns Ctrl+drag into a column selection, which
        // replaces text on several lines at once; a plain selection is made instead.
        if (event->type() != QEvent::MouseButtonRelease &&
            (mouse->modifiers() & Qt::ControlModifier))
            mouse->setModifiers(mouse->modifiers() & ~Qt::ControlModifier);
    }
    return QsciScintilla::eventFilter(watched, event);
}

// Scintilla shows the composition by inserting it and removes it again through
// its undo history, so that history must be on while the input method composes.
void CTextControl::inputMethodEvent(QInputMethodEvent* event) {
    const bool composing = !event->preeditString().isEmpty();
    composing_ = composing;
    Send(*this, Sci::SCI_SETUNDOCOLLECTION, 1);
    QsciScintilla::inputMethodEvent(event);
    if (!composing) {
        Send(*this, Sci::SCI_SETUNDOCOLLECTION, 0);
        Send(*this, Sci::SCI_EMPTYUNDOBUFFER);
    }
    CheckSelection();
    FlushChange();
    if (!event->commitString().isEmpty() && inputCommitted)
        inputCommitted();
}

// A drag of the selection starts, runs and ends inside one mouse move: when it ends as a move
// into another window, Scintilla deletes the dragged text on its own right here.
void CTextControl::mouseMoveEvent(QMouseEvent* event) {
    const int before = TextLength();
    droppedHere_ = false;
    QsciScintilla::mouseMoveEvent(event);
    if (!droppedHere_ && TextLength() != before) {
        FlushChange();
        if (dragOutDone)
            dragOutDone();
    }
}

void CTextControl::dropEvent(QDropEvent* event) {
    droppedHere_ = true;
    if (dropAccepting)
        dropAccepting();
    QsciScintilla::dropEvent(event);
    FlushChange();
    if (dropDone)
        dropDone();
}
