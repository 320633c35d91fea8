#pragma once
// The text control of a source view: a QScintilla editor offering exactly the
// operations the editor relies on, in byte offsets into its UTF-8 text
// (a CR LF pair counts two, a character counts its UTF-8 bytes).

#include <Qsci/qsciscintilla.h>

#include <functional>
#include <string>
#include <string_view>

#include "core/style_format.h"
#include "editor/split_text.h"

class CTextControl : public QsciScintilla {
    Q_OBJECT
  public:
    // Style numbers of the colouring styles.
    enum Style { kText = 0, kTag = 1, kParam = 2, kCom = 3 };
    static constexpr int kTextLimit = 0xFFFFFF;

    explicit CTextControl(QWidget* parent = nullptr);

    // Whole text.
    void SetWholeText(std::string_view utf8);
    int TextLength() const;
    // The text without a copy; valid until the next change. Makes the control's buffer
    // one piece, which copies everything behind the last edit: for whole-text work only.
    std::string_view WholeTextView() const;
    // The text without a copy and without moving anything: the two pieces of the buffer
    // on either side of the last edit. Valid until the next change.
    vesk::SplitText SplitTextView() const;
    // [start, end) without a copy, moving only the bytes between start and the last
    // edit when the range spans it. Valid until the next change.
    std::string_view RangeView(int start, int end) const;
    std::string WholeText() const;

    // Selection; (0, -1) selects all. The caret goes to the end position.
    void GetSel(int& start, int& end) const;
    void SetSel(int start, int end);
    std::string SelectedText() const;
    // Inserts text in place of the selection; the caret ends behind it.
    void ReplaceSel(std::string_view utf8);
    // Byte range [start, end) of the text.
    std::string TextRange(int start, int end) const;

    // Styles.
    void DefineStyle(int style, const StyleFormat& format);
    void ApplyStyle(int start, int end, int style);
    // One style byte per text byte from start, applied in one call.
    void ApplyStyleBytes(int start, std::string_view styles);
    int StyleAt(int pos) const;

    // Lines and scrolling.
    int CurrentLine() const;  // zero-based line of the caret
    int LineCount() const;    // at least 1
    int FirstVisibleLine() const;
    void LineScroll(int lines);

    void HideSelection(bool hide);
    void SetWordWrap(bool wrap);
    // A margin of line numbers in the text style's font, as wide as the line count needs.
    void SetLineNumbersShown(bool shown);
    bool LineNumbersShown() const { return lineNumbers_; }
    bool WordWrap() const;

    // One visible change: nothing is painted before the operation that holds it has ended,
    // and then only what changed.
    class FreezePainting {
      public:
        explicit FreezePainting(CTextControl& control);
        ~FreezePainting();
        FreezePainting(const FreezePainting&) = delete;
        FreezePainting& operator=(const FreezePainting&) = delete;

      private:
        [[maybe_unused]] CTextControl& control_;
    };

    // Key and mouse events seen before the control handles them. A filter that
    // returns true swallows the event. Key codes are those of KeyCodeOf().
    std::function<bool(QKeyEvent*)> keyPressFilter;
    std::function<bool(QKeyEvent*)> keyReleaseFilter;
    std::function<bool(QMouseEvent*)> mouseFilter;
    // A drop of text is about to be taken in (the control accepted it), and it has been.
    std::function<void()> dropAccepting;
    std::function<void()> dropDone;
    // Text dragged out of the control was moved into another window: the control removed
    // the selection itself, without any other report.
    std::function<void()> dragOutDone;
    // Each change of the text, just before it happens: bytes removed at a position, or bytes
    // inserted there (one of the two is 0). Not while the whole text is set.
    std::function<void(int position, int removedLength, int insertedLength)> changeAboutToHappen;
    // An input method committed composed text (no key release reports it).
    std::function<void()> inputCommitted;
    // Reports a change of the text made since the last report (TextChangedNotify).
    void FlushChange();
    void cut() override;
    void paste() override;
    void removeSelectedText() override;

    // An input method is composing: its unfinished text stands in the document.
    bool IsComposing() const { return composing_; }

    // The number the editor logic uses for a key: Backspace 8, Enter 13, Space 32,
    // Page Up 33, Page Down 34, End 35, Home 36, arrows 37-40, Insert 45, Delete 46,
    // letters and digits their upper-case ASCII code, F1-F12 112-123; 0 for others.
    static int KeyCodeOf(const QKeyEvent* event);

  signals:
    // The text changed (insertions and deletions).
    void TextChangedNotify();
    // The selection or caret moved.
    void SelectionChangedNotify();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

  private:
    // Styles 0..kStyleSlots-1 are remembered so that redefining the text style
    // (which resets every style to the default) keeps the others, and so that
    // their strikeout can be drawn with an indicator.
    static constexpr int kStyleSlots = 8;
    void ApplyStyleFormat(int style, const StyleFormat& format);
    void MarkStrikeout(int start, std::string_view styles);
    void MarkStrikeout(int start, int length, int style);
    void CheckSelection();
    void UpdateLineNumberMargin();
    void KeepScrollWidthAhead();
    bool lineNumbers_ = false;
    int lineNumberDigits_ = 0;  // digits the margin is sized for; 0 when not sized
    bool droppedHere_ = false;
    bool selectionHidden_ = false;  // a drop into this control happened during the current drag

    StyleFormat formats_[kStyleSlots];
    unsigned definedStyles_ = 0;     // bit per style with a remembered format
    unsigned strikeStyles_ = 0;      // bit per style drawn struck out
    unsigned strikeIndicators_ = 0;  // bit per style whose indicator was ever filled
    bool settingText_ = false;
    bool composing_ = false;
    bool changePending_ = false;
    long lastAnchor_ = 0;  // selection last reported by SelectionChangedNotify
    long lastCaret_ = 0;
};
