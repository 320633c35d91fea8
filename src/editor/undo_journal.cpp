#include "editor/undo_journal.h"

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string_view>
#include <utility>

namespace {

constexpr int kKeyBackspace = 8;
constexpr int kKeyEnter = 13;
constexpr int kKeySpace = 32;
constexpr int kKeyPageUp = 33;
constexpr int kKeyDown = 40;  // Page Up, Page Down, End, Home and the arrows lie between
constexpr int kKeyDelete = 46;

// The full-width blank an input method may enter with the space key.
constexpr std::string_view kFullWidthSpace = "\xE3\x80\x80";

bool IsRemoval(int kind) {
    return kind == kUndoBackspace || kind == kUndoDelete || kind == kUndoCut ||
           kind == kUndoDeletion;
}

bool IsReplacement(int kind) {
    return kind == kUndoTyped || kind == kUndoPaste || kind == kUndoInsert ||
           kind == kUndoTagRewrite || kind == kUndoUpper || kind == kUndoLower;
}

// Edits that can add or remove links, so the link browser must rebuild its lists.
bool TouchesLinks(int kind) {
    return kind == kUndoCut || kind == kUndoPaste || kind == kUndoDeletion || kind == kUndoMove ||
           kind == kUndoTagRewrite;
}

int Length(std::string_view text) {
    return static_cast<int>(text.size());
}

// A position inside a UTF-8 sequence or between CR and LF: no record may start or end there,
// or replaying it would split a character.
bool SplitsCharacter(std::string_view text, size_t position) {
    if (position == 0 || position >= text.size())
        return false;
    const auto c = static_cast<unsigned char>(text[position]);
    return (c & 0xC0) == 0x80 || (c == '\n' && text[position - 1] == '\r');
}

struct Span {
    int start = 0;
    int removedLength = 0;
    int insertedLength = 0;
};

// Whether replacing [start, start + removedLength) of `before` by [start, start +
// insertedLength) of `after` gives exactly `after`.
bool Fits(std::string_view before, std::string_view after, const Span& span) {
    if (span.start < 0 || span.removedLength < 0 || span.insertedLength < 0)
        return false;
    const size_t start = span.start;
    const size_t removed = span.removedLength;
    const size_t inserted = span.insertedLength;
    if (start + removed > before.size() || start + inserted > after.size())
        return false;
    if (before.size() - removed != after.size() - inserted)
        return false;
    return before.substr(0, start) == after.substr(0, start) &&
           before.substr(start + removed) == after.substr(start + inserted);
}

// The smallest span that turns `before` into `after`, on character boundaries.
Span Difference(std::string_view before, std::string_view after) {
    const size_t limit = std::min(before.size(), after.size());
    size_t prefix =
        std::mismatch(before.begin(), before.begin() + limit, after.begin()).first - before.begin();
    while (prefix > 0 && (SplitsCharacter(before, prefix) || SplitsCharacter(after, prefix)))
        --prefix;
    const size_t suffixLimit = limit - prefix;
    size_t suffix =
        std::mismatch(before.rbegin(), before.rbegin() + suffixLimit, after.rbegin()).first -
        before.rbegin();
    while (suffix > 0 && (SplitsCharacter(before, before.size() - suffix) ||
                          SplitsCharacter(after, after.size() - suffix)))
        --suffix;
    return {static_cast<int>(prefix), static_cast<int>(before.size() - prefix - suffix),
            static_cast<int>(after.size() - prefix - suffix)};
}

// The kind for a record whose span had to be found by comparing the texts: removal kinds
// can only put text back, so a span that also inserted needs a replacement kind.
int KindForFoundSpan(int kind, bool inserted) {
    if (IsReplacement(kind) || (IsRemoval(kind) && !inserted))
        return kind;
    if (kind == kUndoBackspace || kind == kUndoDelete)
        return kUndoTyped;
    return kUndoPaste;
}

const std::string& StepText(const UndoStep& step) {
    return step.inserted.empty() ? step.removed : step.inserted;
}

}  // namespace

UndoJournal::UndoJournal(IUndoTarget& target) : target_(target) {
    undo_.emplace_back();
    redo_.emplace_back();
}

void UndoJournal::TrackChanges() {
    tracking_ = true;
    std::string().swap(rememberedText_);
    DropStateAfter();
    pendingAny_ = false;
    pendingRemoved_.clear();
    rememberedLength_ = target_.JournalTextLength();
}

// Called before each change: the span of edits since the remembered state grows to cover it.
// Bytes between the span and the change, and the bytes the change removes, are read from the
// text as it still is; everything outside the span is the same in both texts.
void UndoJournal::NoteChange(int position, int removedLength, int insertedLength) {
    if (!tracking_ || replaying_ || (removedLength <= 0 && insertedLength <= 0))
        return;
    if (!pendingAny_) {
        pendingAny_ = true;
        pendingStart_ = position;
        pendingRemoved_ = removedLength > 0
                              ? target_.JournalTextRange(position, position + removedLength)
                              : std::string();
        pendingInserted_ = insertedLength;
        return;
    }
    const int spanEnd = pendingStart_ + pendingInserted_;
    const int start = std::min(pendingStart_, position);
    const int end = std::max(spanEnd, position + removedLength);
    std::string removed;
    if (start < pendingStart_)
        removed = target_.JournalTextRange(start, pendingStart_);
    removed += pendingRemoved_;
    if (end > spanEnd)
        removed += target_.JournalTextRange(spanEnd, end);
    pendingStart_ = start;
    pendingRemoved_ = std::move(removed);
    pendingInserted_ = end - start - removedLength + insertedLength;
}

void UndoJournal::SetRememberedSelection(int start, int end) {
    rememberedStart_ = start;
    rememberedEnd_ = end;
}

int UndoJournal::AfterLength() const {
    return tracking_ ? target_.JournalTextLength() : Length(afterText_);
}

std::string UndoJournal::AfterRange(int start, int length) const {
    const int total = AfterLength();
    start = std::clamp(start, 0, total);
    length = std::clamp(length, 0, total - start);
    if (length == 0)
        return {};
    if (!tracking_)
        return afterText_.substr(static_cast<size_t>(start), static_cast<size_t>(length));
    return target_.JournalTextRange(start, start + length);
}

// Bytes of the remembered text: outside the span they stand, shifted, in the current text.
std::string UndoJournal::BeforeRange(int start, int length) const {
    start = std::clamp(start, 0, rememberedLength_);
    length = std::clamp(length, 0, rememberedLength_ - start);
    if (length == 0)
        return {};
    if (!tracking_)
        return rememberedText_.substr(static_cast<size_t>(start), static_cast<size_t>(length));
    if (!pendingAny_)
        return target_.JournalTextRange(start, start + length);
    const int end = start + length;
    const int spanStart = pendingStart_;
    const int spanEnd = pendingStart_ + Length(pendingRemoved_);
    const int shift = pendingInserted_ - Length(pendingRemoved_);
    std::string out;
    if (start < spanStart)
        out += target_.JournalTextRange(start, std::min(end, spanStart));
    if (end > spanStart && start < spanEnd) {
        const int from = std::max(start, spanStart);
        out += pendingRemoved_.substr(static_cast<size_t>(from - spanStart),
                                      static_cast<size_t>(std::min(end, spanEnd) - from));
    }
    if (end > spanEnd)
        out += target_.JournalTextRange(std::max(start, spanEnd) + shift, end + shift);
    return out;
}

// The smallest span that turns the remembered text into the current one, on character
// boundaries. With notifications only the span of the edits is looked at.
UndoJournal::Change UndoJournal::ActualChange() const {
    if (!tracking_) {
        const Span span = Difference(rememberedText_, afterText_);
        return {span.start, span.removedLength, span.insertedLength};
    }
    if (!pendingAny_)
        return {0, 0, 0};
    const int removed = Length(pendingRemoved_);
    const int inserted = pendingInserted_;
    // The span with a byte on either side, so that character boundaries can be told.
    const int lead = pendingStart_ > 0 ? 1 : 0;
    const std::string before = BeforeRange(pendingStart_ - lead, lead) + pendingRemoved_ +
                               BeforeRange(pendingStart_ + removed, 1);
    const std::string after = AfterRange(pendingStart_ - lead, inserted + lead + 1);
    const std::string_view oldSpan = std::string_view(before).substr(lead, removed);
    const std::string_view newSpan =
        std::string_view(after).substr(lead, static_cast<size_t>(inserted));
    const size_t limit = std::min(oldSpan.size(), newSpan.size());
    int prefix = static_cast<int>(
        std::mismatch(oldSpan.begin(), oldSpan.begin() + limit, newSpan.begin()).first -
        oldSpan.begin());
    while (prefix > 0 && (SplitsCharacter(before, static_cast<size_t>(lead + prefix)) ||
                          SplitsCharacter(after, static_cast<size_t>(lead + prefix))))
        --prefix;
    const size_t suffixLimit = limit - static_cast<size_t>(prefix);
    int suffix = static_cast<int>(
        std::mismatch(oldSpan.rbegin(), oldSpan.rbegin() + suffixLimit, newSpan.rbegin()).first -
        oldSpan.rbegin());
    while (suffix > 0 && (SplitsCharacter(before, static_cast<size_t>(lead + removed - suffix)) ||
                          SplitsCharacter(after, static_cast<size_t>(lead + inserted - suffix))))
        --suffix;
    return {pendingStart_ + prefix, removed - prefix - suffix, inserted - prefix - suffix};
}

bool UndoJournal::Changed() const {
    if (!tracking_)
        return afterText_ != rememberedText_;
    const Change change = ActualChange();
    return change.removedLength > 0 || change.insertedLength > 0;
}

// Whether the edit the kind and the remembered selection imply is what happened: the same
// bytes before and after outside it. With notifications: it holds the actual change and
// changes the length as much.
bool UndoJournal::RuleFits(const Change& rule) const {
    if (!tracking_)
        return Fits(rememberedText_, afterText_,
                    Span{rule.start, rule.removedLength, rule.insertedLength});
    if (rule.start < 0 || rule.removedLength < 0 || rule.insertedLength < 0 ||
        rule.start + rule.removedLength > rememberedLength_ ||
        rule.start + rule.insertedLength > AfterLength() ||
        rememberedLength_ - rule.removedLength != AfterLength() - rule.insertedLength)
        return false;
    const Change actual = ActualChange();
    if (actual.removedLength == 0 && actual.insertedLength == 0)
        return true;
    return rule.start <= actual.start &&
           rule.start + rule.removedLength >= actual.start + actual.removedLength;
}

std::vector<UndoStep> UndoJournal::UndoList() const {
    return {undo_.rbegin(), undo_.rend()};
}

std::vector<UndoStep> UndoJournal::RedoList() const {
    return {redo_.rbegin(), redo_.rend()};
}

void UndoJournal::SetStateAfter(std::string text, int selStart, int selEnd) {
    if (!tracking_) {
        afterText_ = std::move(text);
        afterHasText_ = true;
    }
    SetSelectionAfter(selStart, selEnd);
}

void UndoJournal::SetSelectionAfter(int selStart, int selEnd) {
    afterStart_ = selStart;
    afterEnd_ = selEnd;
    afterHasSelection_ = true;
}

void UndoJournal::TakeStateAfter(bool fromControl) {
    if (!tracking_ && (fromControl || !afterHasText_)) {
        afterText_ = target_.JournalText();
        afterHasText_ = true;
    }
    if (fromControl || !afterHasSelection_) {
        target_.JournalSelection(afterStart_, afterEnd_);
        afterHasSelection_ = true;
    }
}

void UndoJournal::DropStateAfter() {
    afterHasText_ = false;
    afterHasSelection_ = false;
    std::string().swap(afterText_);
}

void UndoJournal::RememberStateAfter() {
    if (tracking_) {
        pendingAny_ = false;
        std::string().swap(pendingRemoved_);
        pendingInserted_ = 0;
        rememberedLength_ = target_.JournalTextLength();
    } else {
        rememberedText_.swap(afterText_);
        rememberedLength_ = Length(rememberedText_);
    }
    rememberedStart_ = afterStart_;
    rememberedEnd_ = afterEnd_;
    DropStateAfter();
}

void UndoJournal::ReadRememberedFromControl() {
    DropStateAfter();
    if (tracking_) {
        pendingAny_ = false;
        std::string().swap(pendingRemoved_);
        pendingInserted_ = 0;
        rememberedLength_ = target_.JournalTextLength();
    } else {
        rememberedText_ = target_.JournalText();
        rememberedLength_ = Length(rememberedText_);
    }
    target_.JournalSelection(rememberedStart_, rememberedEnd_);
}

// The state after becomes the remembered one. Text that changed without a report would leave
// the older records pointing at the wrong places, so while there is history such a change is
// kept as a record of its own; with no history it is simply the new starting point (a load).
bool UndoJournal::AdoptStateAfter() {
    if (HasHistory() && Changed()) {
        linkRebuild_ = true;
        const Change change = ActualChange();
        PushStep(MakeStep(change.start, change.removedLength, change.insertedLength, kUndoPaste));
        return true;
    }
    RememberStateAfter();
    return false;
}

void UndoJournal::SyncWithControl() {
    TakeStateAfter(true);
    AdoptStateAfter();
}

void UndoJournal::RememberState(bool fromControl) {
    TakeStateAfter(fromControl);
    AdoptStateAfter();
}

void UndoJournal::RememberedSelection(int& start, int& end) const {
    const int length = rememberedLength_;
    start = std::clamp(std::min(rememberedStart_, rememberedEnd_), 0, length);
    end = std::clamp(std::max(rememberedStart_, rememberedEnd_), 0, length);
}

UndoStep UndoJournal::MakeStep(int start, int removedLength, int insertedLength, int kind) const {
    UndoStep step;
    step.removed = BeforeRange(start, removedLength);
    step.inserted = AfterRange(start, insertedLength);
    step.start = start;
    step.end = start + insertedLength;
    step.lengthDifference = insertedLength - removedLength;
    step.kind = kind;
    RememberedSelection(step.selStart, step.selEnd);
    if (IsRemoval(kind)) {
        // Undo restores the selection of before the removal: the caret where it stood, or
        // the cut text selected again. When that selection does not lie on the removed text
        // (the span was found by comparing), the caret goes where the text was taken from.
        const int removedEnd = start + removedLength;
        if (step.selStart < start || step.selEnd > removedEnd) {
            step.selStart = step.selEnd = kind == kUndoDelete ? start : removedEnd;
        }
    }
    return step;
}

// A drag inside the view: the selected text now stands, selected, at its new place and the
// rest of the text is unchanged. Anything else (a copy made by the drag, a drop onto itself)
// is not a move.
bool UndoJournal::MakeMoveStep(UndoStep& step) const {
    int from = 0;
    int fromEnd = 0;
    RememberedSelection(from, fromEnd);
    const int length = fromEnd - from;
    const int to = std::min(afterStart_, afterEnd_);
    const int total = AfterLength();
    if (length <= 0 || rememberedLength_ != total || std::abs(afterEnd_ - afterStart_) != length ||
        to < 0 || to + length > total || to == from)
        return false;
    const std::string moved = BeforeRange(from, length);
    if (AfterRange(to, length) != moved)
        return false;
    // The rest of the text is unchanged; only the part that the edits touched is compared.
    const Change change = ActualChange();
    const int low = std::min(change.start, std::min(from, to));
    const int high = std::max({change.start + change.removedLength, fromEnd, to + length});
    auto same = [&](int beforeStart, int afterStart, int count) {
        // Clipped to the touched part: outside it both texts agree anyway.
        const int begin = std::max(beforeStart, low);
        const int end = std::min(beforeStart + count, high);
        if (end <= begin)
            return true;
        return BeforeRange(begin, end - begin) ==
               AfterRange(afterStart + (begin - beforeStart), end - begin);
    };
    bool rest = false;
    if (to < from) {
        rest = same(0, 0, to) && same(to, to + length, from - to) &&
               same(fromEnd, fromEnd, rememberedLength_ - fromEnd);
    } else {
        rest = same(0, 0, from) && same(fromEnd, from, to - from) &&
               same(to + length, to + length, rememberedLength_ - to - length);
    }
    if (!rest)
        return false;
    step.removed = moved;
    step.inserted = step.removed;
    step.start = from;
    step.end = fromEnd;
    step.moveFrom = from;
    step.moveTo = to;
    step.lengthDifference = 0;
    step.kind = kUndoMove;
    step.selStart = from;
    step.selEnd = fromEnd;
    return true;
}

void UndoJournal::PushStep(UndoStep step) {
    undo_.push_back(std::move(step));
    undoAvailable_ = true;
    redo_.resize(1);
    redoAvailable_ = false;
    RememberStateAfter();
}

void UndoJournal::AddStep(int key, int kind, bool stateRead) {
    if (TouchesLinks(kind))
        linkRebuild_ = true;
    TakeStateAfter(!stateRead);

    const int difference = AfterLength() - rememberedLength_;
    const int width = std::abs(difference);
    int s = 0;
    int e = 0;
    RememberedSelection(s, e);
    const bool typedKey = typing_ || key == kKeyEnter || key == kKeySpace;

    std::optional<Change> span;
    int stepKind = kind;
    bool replacementRule = false;
    bool recorded = false;
    if (key == kKeyDelete || kind == kUndoCut || kind == kUndoDeletion) {
        span = Change{s, width, 0};
        stepKind = key == kKeyDelete ? kUndoDelete : kind;
    } else if (key == kKeyBackspace) {
        span = Change{e - width, width, 0};
        stepKind = kUndoBackspace;
    } else if (typedKey || kind == kUndoPaste || kind == kUndoInsert || kind == kUndoTagRewrite ||
               kind == kUndoUpper || kind == kUndoLower) {
        span = Change{s, e - s, difference + (e - s)};
        stepKind = typedKey ? kUndoTyped : kind;
        replacementRule = true;
    } else if (kind == kUndoMove) {
        UndoStep step;
        if (MakeMoveStep(step)) {
            PushStep(std::move(step));
            recorded = true;
        } else if (Changed()) {
            const Change found = ActualChange();
            PushStep(MakeStep(found.start, found.removedLength, found.insertedLength, kUndoPaste));
            recorded = true;
        }
    } else if ((key >= kKeyPageUp && key <= kKeyDown) || kind == kUndoNoChange) {
        recorded = AdoptStateAfter();
    }

    if (span) {
        // The rule assumes the edit happened at the remembered selection; when the texts say
        // otherwise (a change the view did not report, odd positions), the real difference
        // is recorded so that undo always gives back the text as it was.
        if (!RuleFits(*span)) {
            span = ActualChange();
            stepKind = KindForFoundSpan(stepKind, span->insertedLength > 0);
        }
        bool keep = true;
        // A key release (reported with kind 0) that changed nothing is no step: Delete at the
        // end, Escape... Commands count even when they changed nothing.
        if (kind == 0 && span->removedLength == 0 && span->insertedLength == 0)
            keep = false;
        // The input method used the space key to convert, not to enter a blank.
        if (replacementRule && key == kKeySpace && !typing_ &&
            AfterRange(span->start, span->insertedLength) != kFullWidthSpace)
            keep = false;
        if (keep) {
            PushStep(MakeStep(span->start, span->removedLength, span->insertedLength, stepKind));
            recorded = true;
        }
    }

    typing_ = false;
    DropStateAfter();
    static const std::string kNothing;
    TellSidePane(recorded ? StepText(undo_.back()) : kNothing);
}

void UndoJournal::Undo() {
    SyncWithControl();
    if (undo_.size() <= 1) {
        undoAvailable_ = false;
        return;
    }
    UndoStep step = std::move(undo_.back());
    undo_.pop_back();
    target_.JournalFreeze(true);
    replaying_ = true;
    ReplayUndo(step);
    replaying_ = false;
    redo_.push_back(std::move(step));
    redoAvailable_ = true;
    ReadRememberedFromControl();
    undoAvailable_ = undo_.size() > 1;
    target_.JournalFreeze(false);
    TellSidePane(StepText(redo_.back()));
}

void UndoJournal::Redo() {
    SyncWithControl();
    if (redo_.size() <= 1) {
        redoAvailable_ = false;
        return;
    }
    UndoStep step = std::move(redo_.back());
    redo_.pop_back();
    target_.JournalFreeze(true);
    replaying_ = true;
    ReplayRedo(step);
    replaying_ = false;
    undo_.push_back(std::move(step));
    undoAvailable_ = true;
    ReadRememberedFromControl();
    redoAvailable_ = redo_.size() > 1;
    target_.JournalFreeze(false);
    TellSidePane(StepText(undo_.back()));
}

void UndoJournal::ReplayUndo(const UndoStep& step) {
    if (TouchesLinks(step.kind))
        linkRebuild_ = true;
    const int removed = Length(step.removed);
    if (step.kind == kUndoMove) {
        const int length = Length(step.inserted);
        target_.JournalSetSel(step.moveTo, step.moveTo + length);
        target_.JournalReplaceSel(std::string());
        target_.JournalRecolourAroundCaret();
        target_.JournalSetSel(step.moveFrom, step.moveFrom);
        target_.JournalReplaceSel(step.inserted);
        target_.JournalRecolourPasted(step.moveFrom, length);
        target_.JournalSetSel(step.moveFrom, step.moveFrom + length);
    } else if (IsRemoval(step.kind)) {
        target_.JournalSetSel(step.start, step.start);
        target_.JournalReplaceSel(step.removed);
        target_.JournalRecolourPasted(step.start, removed);
        target_.JournalSetSel(step.selStart, step.selEnd);
    } else {
        target_.JournalSetSel(step.start, step.start + Length(step.inserted));
        target_.JournalReplaceSel(std::string());
        target_.JournalRecolourAroundCaret();
        target_.JournalSetSel(step.start, step.start);
        target_.JournalReplaceSel(step.removed);
        target_.JournalRecolourPasted(step.start, removed);
        target_.JournalSetSel(step.start + removed, step.start + removed);
    }
}

void UndoJournal::ReplayRedo(const UndoStep& step) {
    if (TouchesLinks(step.kind))
        linkRebuild_ = true;
    const int inserted = Length(step.inserted);
    if (step.kind == kUndoMove) {
        target_.JournalSetSel(step.moveFrom, step.moveFrom + inserted);
        target_.JournalReplaceSel(std::string());
        target_.JournalRecolourAroundCaret();
        target_.JournalSetSel(step.moveTo, step.moveTo);
        target_.JournalReplaceSel(step.inserted);
        target_.JournalRecolourPasted(step.moveTo, inserted);
        target_.JournalSetSel(step.moveTo, step.moveTo + inserted);
        target_.JournalSetTextStyleAtCaret();
    } else if (IsRemoval(step.kind)) {
        target_.JournalSetSel(step.start, step.start + Length(step.removed));
        target_.JournalReplaceSel(std::string());
        if (target_.JournalColouringOn())
            target_.JournalRecolourAroundCaret();
    } else {
        target_.JournalSetSel(step.start, step.start + Length(step.removed));
        target_.JournalReplaceSel(step.inserted);
        target_.JournalRecolourPasted(step.start, inserted);
        target_.JournalSetSel(step.start + inserted, step.start + inserted);
        target_.JournalSetTextStyleAtCaret();
    }
}

// The link browser follows edits of the text, and a caret that has just left a tag.
void UndoJournal::TellSidePane(const std::string& stepText) {
    const bool hasTag = target_.JournalHasTagAtCaret();
    const bool leftTag = hadTagAtCaret_ && !hasTag;
    hadTagAtCaret_ = hasTag;
    if ((!stepText.empty() && target_.JournalSidePaneShown()) || leftTag)
        target_.JournalTellSidePane(rememberedText_, linkRebuild_);
    linkRebuild_ = false;
}
