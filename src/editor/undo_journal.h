#pragma once
// Each view's own undo and redo history. The view tells the journal after every change, with
// a kind. What changed is known from the control's own change notifications, which the view
// passes on (NoteChange) as they come: the journal then holds nothing but the edits since the
// last step and the steps themselves, and no keystroke copies or compares the whole text.
// Without those notifications (TrackChanges not called) the journal compares the whole text
// it remembered with the text after each change instead.

#include <string>
#include <vector>

// The operations of the view the journal replays records through.
class IUndoTarget {
  public:
    virtual ~IUndoTarget() = default;
    // Whole text and selection of the control.
    virtual std::string JournalText() const = 0;
    // Byte range [start, end) and length of the text; the whole text is not needed for them.
    virtual std::string JournalTextRange(int start, int end) const {
        return JournalText().substr(static_cast<std::size_t>(start),
                                    static_cast<std::size_t>(end - start));
    }
    virtual int JournalTextLength() const { return static_cast<int>(JournalText().size()); }
    virtual void JournalSelection(int& start, int& end) const = 0;
    virtual void JournalSetSel(int start, int end) = 0;
    // Replaces the selection; the caret ends behind the new text.
    virtual void JournalReplaceSel(const std::string& text) = 0;
    virtual void JournalRecolourPasted(int start, int length) = 0;
    virtual void JournalRecolourAroundCaret() = 0;
    virtual void JournalSetTextStyleAtCaret() = 0;
    virtual bool JournalColouringOn() const = 0;
    // Painting frozen (true) or thawed (false); the selection highlight hidden meanwhile.
    virtual void JournalFreeze(bool freeze) = 0;
    // Hands the text to the side pane's link browser (which may do nothing yet). The text is
    // empty when the journal follows the control's notifications and keeps no copy of it.
    virtual void JournalTellSidePane(const std::string& text, bool rebuildLinks) = 0;
    // Whether the view has a tag at the caret, and whether the side pane is shown.
    virtual bool JournalHasTagAtCaret() const = 0;
    virtual bool JournalSidePaneShown() const = 0;
};

enum UndoKind {
    kUndoSentinel = -1,
    kUndoBackspace = 0,
    kUndoDelete = 1,
    kUndoTyped = 2,
    kUndoCut = 3,
    kUndoPaste = 4,
    kUndoDeletion = 5,
    kUndoNoChange = 6,
    kUndoInsert = 7,
    kUndoMove = 8,
    kUndoTagRewrite = 9,
    kUndoUpper = 10,
    kUndoLower = 11,
};

struct UndoStep {
    std::string removed;   // what the edit took out
    std::string inserted;  // what it put in
    int start = 0;
    int end = 0;
    int moveFrom = 0;  // kind 8: where the moved text was
    int moveTo = 0;    // kind 8: where it went
    int lengthDifference = 0;
    int spare = 0;
    int kind = kUndoSentinel;
    // The selection before the edit; undoing a removal selects it again.
    int selStart = 0;
    int selEnd = 0;
};

class UndoJournal {
  public:
    explicit UndoJournal(IUndoTarget& target);

    // From now on every change of the text is reported through NoteChange, before it happens
    // (position, bytes about to be removed, bytes about to be inserted); changes the journal
    // makes itself while undoing and redoing are ignored.
    void TrackChanges();
    void NoteChange(int position, int removedLength, int insertedLength);

    // Reports one edit. key: the key code of a key release, else 0. stateRead:
    // the view already stored the state after the edit (SetStateAfter).
    void AddStep(int key, int kind, bool stateRead);
    // The remembered state becomes the state after the edit, or is read afresh from the control.
    // Text that changed without a report while there is history becomes a step of its own, so
    // that the older steps still fit the text.
    void RememberState(bool fromControl);
    // The view stores the state after an edit before it reports a key release or click.
    // A report with stateRead but only a selection stored takes the text from the control.
    void SetStateAfter(std::string text, int selStart, int selEnd);
    void SetSelectionAfter(int selStart, int selEnd);
    // Set for every character message; cleared after each report.
    void MarkTyped() { typing_ = true; }

    // Both first record any change the view did not report, then replay one step.
    void Undo();
    void Redo();
    bool undoAvailable() const { return undoAvailable_; }
    bool redoAvailable() const { return redoAvailable_; }
    bool linkRebuild() const { return linkRebuild_; }

    // The state before the current edit (the text itself only while no notifications come).
    const std::string& RememberedText() const { return rememberedText_; }
    int RememberedLength() const { return rememberedLength_; }
    int RememberedStart() const { return rememberedStart_; }
    int RememberedEnd() const { return rememberedEnd_; }
    // Moves the remembered caret, as if the user had put it there before the edit.
    void SetRememberedSelection(int start, int end);

    // The lists, most recent first, each ending with its sentinel (copies: for inspection).
    std::vector<UndoStep> UndoList() const;
    std::vector<UndoStep> RedoList() const;
    int UndoCount() const { return static_cast<int>(undo_.size()) - 1; }
    int RedoCount() const { return static_cast<int>(redo_.size()) - 1; }

  private:
    // What changed since the remembered state: [start, start + removed) of the remembered text
    // became [start, start + inserted) of the current one.
    struct Change {
        int start = 0;
        int removedLength = 0;
        int insertedLength = 0;
    };
    Change ActualChange() const;
    bool Changed() const;
    bool RuleFits(const Change& rule) const;
    std::string BeforeRange(int start, int length) const;
    std::string AfterRange(int start, int length) const;
    int AfterLength() const;

    void TakeStateAfter(bool fromControl);
    void DropStateAfter();
    bool AdoptStateAfter();
    void RememberStateAfter();
    void ReadRememberedFromControl();
    void SyncWithControl();
    bool HasHistory() const { return undo_.size() > 1 || redo_.size() > 1; }
    void RememberedSelection(int& start, int& end) const;
    UndoStep MakeStep(int start, int removedLength, int insertedLength, int kind) const;
    bool MakeMoveStep(UndoStep& step) const;
    void PushStep(UndoStep step);
    void ReplayUndo(const UndoStep& step);
    void ReplayRedo(const UndoStep& step);
    void TellSidePane(const std::string& stepText);

    IUndoTarget& target_;
    bool tracking_ = false;
    bool replaying_ = false;
    // Following notifications: the edits since the remembered state as one span of the current
    // text, with the bytes of the remembered text it replaced.
    bool pendingAny_ = false;
    int pendingStart_ = 0;
    std::string pendingRemoved_;
    int pendingInserted_ = 0;
    int rememberedLength_ = 0;
    // Without notifications: the whole texts before and after the edit.
    std::string rememberedText_;
    int rememberedStart_ = 0;
    int rememberedEnd_ = 0;
    std::string afterText_;
    int afterStart_ = 0;
    int afterEnd_ = 0;
    // Whether the view stored the text / the selection after the edit since the last report.
    bool afterHasText_ = false;
    bool afterHasSelection_ = false;
    bool typing_ = false;
    bool linkRebuild_ = false;
    bool hadTagAtCaret_ = false;
    bool undoAvailable_ = false;
    bool redoAvailable_ = false;
    // Most recent at the back; index 0 holds the sentinel.
    std::vector<UndoStep> undo_;
    std::vector<UndoStep> redo_;
};
