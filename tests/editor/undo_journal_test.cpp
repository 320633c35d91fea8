// Undo journal: records derived from the reports of the view, replayed through the control.

#include "editor/undo_journal.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace {

// A text control reduced to a byte string and a selection.
class FakeView : public IUndoTarget {
  public:
    std::string text;
    int selStart = 0;
    int selEnd = 0;
    int recolourPasted = 0;
    int recolourAroundCaret = 0;
    int textStyleSet = 0;
    int freezeDepth = 0;
    int freezes = 0;
    bool colouringOn = true;
    bool tagAtCaret = false;
    bool sidePaneShown = false;
    struct Told {
        std::string text;
        bool rebuild;
    };
    std::vector<Told> told;
    // Set: the fake reports each change to this journal before making it, as the control does.
    UndoJournal* notify = nullptr;

    std::string Selected() const { return text.substr(selStart, selEnd - selStart); }
    void Select(int start, int end) { JournalSetSel(start, end); }
    void ReplaceSelection(const std::string& with) { JournalReplaceSel(with); }

    std::string JournalText() const override { return text; }
    void JournalSelection(int& start, int& end) const override {
        start = selStart;
        end = selEnd;
    }
    void JournalSetSel(int start, int end) override {
        // The real control cannot place the caret inside a character or a CR LF pair.
        if (SplitsCharacter(start) || SplitsCharacter(end))
            ADD_FAILURE() << "selection " << start << ".." << end << " splits a character";
        const int length = static_cast<int>(text.size());
        selStart = std::clamp(std::min(start, end), 0, length);
        selEnd = std::clamp(std::max(start, end), 0, length);
    }
    void JournalReplaceSel(const std::string& with) override {
        if (notify) {
            // A replacement is a deletion, then an insertion.
            if (selEnd > selStart)
                notify->NoteChange(selStart, selEnd - selStart, 0);
            if (!with.empty())
                notify->NoteChange(selStart, 0, static_cast<int>(with.size()));
        }
        text.replace(selStart, selEnd - selStart, with);
        selStart = selEnd = selStart + static_cast<int>(with.size());
    }
    void JournalRecolourPasted(int, int) override { ++recolourPasted; }
    void JournalRecolourAroundCaret() override { ++recolourAroundCaret; }
    void JournalSetTextStyleAtCaret() override { ++textStyleSet; }
    bool JournalColouringOn() const override { return colouringOn; }
    void JournalFreeze(bool freeze) override {
        freezeDepth += freeze ? 1 : -1;
        freezes += freeze ? 1 : 0;
    }
    void JournalTellSidePane(const std::string& told_text, bool rebuild) override {
        told.push_back({told_text, rebuild});
    }
    bool JournalHasTagAtCaret() const override { return tagAtCaret; }
    bool JournalSidePaneShown() const override { return sidePaneShown; }

    bool SplitsCharacter(int pos) const {
        if (pos <= 0 || pos >= static_cast<int>(text.size()))
            return false;
        const auto c = static_cast<unsigned char>(text[pos]);
        return (c & 0xC0) == 0x80 || (text[pos - 1] == '\r' && text[pos] == '\n');
    }
};

const std::string kNi = "\xE6\x97\xA5";         // 日
const std::string kHon = "\xE6\x9C\xAC";        // 本
const std::string kKan = "\xE6\xBC\xA2";        // 漢
const std::string kIdeoSpace = "\xE3\x80\x80";  // full-width blank

// Drives the journal the way the view does: the control changes first, then the view
// reports, with the state after the edit read beforehand for key releases and clicks.
struct Session {
    FakeView view;
    UndoJournal journal{view};

    void Load(const std::string& text) {
        view.text = text;
        view.selStart = view.selEnd = 0;
        journal.RememberState(true);
    }
    void KeyUp(int key) {
        journal.SetStateAfter(view.text, view.selStart, view.selEnd);
        journal.AddStep(key, 0, true);
    }
    void Type(const std::string& chars, int key = 'A') {
        view.ReplaceSelection(chars);
        journal.MarkTyped();
        KeyUp(key);
    }
    void Enter() { Type("\r\n", 13); }
    void Backspace() {
        if (view.selStart == view.selEnd && view.selStart > 0)
            view.selStart = PreviousBoundary(view.text, view.selStart);
        view.ReplaceSelection("");
        KeyUp(8);
    }
    void Delete() {
        if (view.selStart == view.selEnd && view.selEnd < static_cast<int>(view.text.size()))
            view.selEnd = NextBoundary(view.text, view.selEnd);
        view.ReplaceSelection("");
        KeyUp(46);
    }
    void Click(int start, int end) {
        view.Select(start, end);
        journal.SetStateAfter(view.text, view.selStart, view.selEnd);
        journal.AddStep(0, kUndoNoChange, true);
    }
    void Arrow(int caret, int key = 39) {
        view.Select(caret, caret);
        KeyUp(key);
    }
    void Paste(const std::string& chars) {
        view.ReplaceSelection(chars);
        journal.AddStep(0, kUndoPaste, false);
    }
    void Cut() {
        view.ReplaceSelection("");
        journal.AddStep(0, kUndoCut, false);
    }
    // Drags the selection so that it lands at `to`, a position in the text without it; the
    // control leaves the dropped text selected.
    void Drag(int to) {
        const std::string moved = view.Selected();
        view.ReplaceSelection("");
        view.Select(to, to);
        view.ReplaceSelection(moved);
        view.Select(to, to + static_cast<int>(moved.size()));
        journal.AddStep(0, kUndoMove, false);
        journal.AddStep(0, kUndoNoChange, false);
    }

    static bool IsBoundary(const std::string& text, int pos) {
        if (pos <= 0 || pos >= static_cast<int>(text.size()))
            return true;
        const auto c = static_cast<unsigned char>(text[pos]);
        return (c & 0xC0) != 0x80 && !(text[pos - 1] == '\r' && text[pos] == '\n');
    }
    static int PreviousBoundary(const std::string& text, int pos) {
        do --pos;
        while (!IsBoundary(text, pos));
        return pos;
    }
    static int NextBoundary(const std::string& text, int pos) {
        do ++pos;
        while (!IsBoundary(text, pos));
        return pos;
    }
};

class UndoJournalTest : public ::testing::Test, public Session {};

TEST_F(UndoJournalTest, StartsWithSentinelsOnly) {
    ASSERT_EQ(journal.UndoList().size(), 1u);
    EXPECT_EQ(journal.UndoList()[0].kind, kUndoSentinel);
    ASSERT_EQ(journal.RedoList().size(), 1u);
    EXPECT_EQ(journal.RedoList()[0].kind, kUndoSentinel);
    EXPECT_FALSE(journal.undoAvailable());
    EXPECT_FALSE(journal.redoAvailable());
}

TEST_F(UndoJournalTest, EachTypedKeyIsOneStep) {
    Type("a");
    Type("b");
    Type("c");
    ASSERT_EQ(journal.UndoCount(), 3);
    const auto list = journal.UndoList();
    EXPECT_EQ(list[0].inserted, "c");
    EXPECT_EQ(list[0].start, 2);
    EXPECT_EQ(list[0].end, 3);
    EXPECT_EQ(list[0].kind, kUndoTyped);
    EXPECT_EQ(list[2].inserted, "a");
    EXPECT_EQ(list.back().kind, kUndoSentinel);

    journal.Undo();
    EXPECT_EQ(view.text, "ab");
    EXPECT_EQ(view.selStart, 2);
    journal.Undo();
    EXPECT_EQ(view.text, "a");
    journal.Undo();
    EXPECT_EQ(view.text, "");
    EXPECT_FALSE(journal.undoAvailable());
    EXPECT_TRUE(journal.redoAvailable());
    EXPECT_EQ(journal.RedoCount(), 3);
    EXPECT_EQ(view.freezeDepth, 0);
    EXPECT_EQ(view.freezes, 3);

    journal.Redo();
    EXPECT_EQ(view.text, "a");
    EXPECT_EQ(view.selStart, 1);
    journal.Redo();
    journal.Redo();
    EXPECT_EQ(view.text, "abc");
    EXPECT_EQ(view.selStart, 3);
    EXPECT_EQ(view.selEnd, 3);
    EXPECT_FALSE(journal.redoAvailable());
    EXPECT_TRUE(journal.undoAvailable());
    EXPECT_EQ(view.textStyleSet, 3);
    journal.Redo();  // nothing left
    EXPECT_EQ(view.text, "abc");
}

TEST_F(UndoJournalTest, EnterAndTypingReplaceTheSelection) {
    Load("<P>old</P>");
    Click(3, 6);
    Type("n");
    EXPECT_EQ(view.text, "<P>n</P>");
    Enter();
    EXPECT_EQ(view.text, "<P>n\r\n</P>");
    const auto list = journal.UndoList();
    EXPECT_EQ(list[0].inserted, "\r\n");
    EXPECT_EQ(list[1].removed, "old");
    EXPECT_EQ(list[1].inserted, "n");
    journal.Undo();
    journal.Undo();
    EXPECT_EQ(view.text, "<P>old</P>");
    // The caret goes behind the text put back.
    EXPECT_EQ(view.selStart, 6);
    EXPECT_EQ(view.selEnd, 6);
}

TEST_F(UndoJournalTest, BackspaceAndDeleteRestoreTheCaret) {
    Load("hello");
    Arrow(3);
    Backspace();
    EXPECT_EQ(view.text, "helo");
    auto step = journal.UndoList()[0];
    EXPECT_EQ(step.kind, kUndoBackspace);
    EXPECT_EQ(step.removed, "l");
    EXPECT_EQ(step.start, 2);
    EXPECT_TRUE(step.inserted.empty());

    Arrow(1);
    Delete();
    EXPECT_EQ(view.text, "hlo");
    step = journal.UndoList()[0];
    EXPECT_EQ(step.kind, kUndoDelete);
    EXPECT_EQ(step.removed, "e");
    EXPECT_EQ(step.start, 1);

    journal.Undo();
    EXPECT_EQ(view.text, "helo");
    EXPECT_EQ(view.selStart, 1);
    EXPECT_EQ(view.selEnd, 1);
    journal.Undo();
    EXPECT_EQ(view.text, "hello");
    EXPECT_EQ(view.selStart, 3);
    EXPECT_EQ(view.selEnd, 3);

    journal.Redo();
    EXPECT_EQ(view.text, "helo");
    EXPECT_EQ(view.selStart, 2);
    journal.Redo();
    EXPECT_EQ(view.text, "hlo");
    EXPECT_EQ(view.selStart, 1);
}

TEST_F(UndoJournalTest, BackspaceOverSelectionSelectsItAgainOnUndo) {
    Load("abcdef");
    Click(1, 4);
    Backspace();
    EXPECT_EQ(view.text, "aef");
    EXPECT_EQ(journal.UndoList()[0].removed, "bcd");
    journal.Undo();
    EXPECT_EQ(view.text, "abcdef");
    EXPECT_EQ(view.Selected(), "bcd");
}

TEST_F(UndoJournalTest, PasteOverSelection) {
    Load("abc def");
    Click(0, 3);
    Paste("XYZW");
    EXPECT_EQ(view.text, "XYZW def");
    const auto step = journal.UndoList()[0];
    EXPECT_EQ(step.kind, kUndoPaste);
    EXPECT_EQ(step.removed, "abc");
    EXPECT_EQ(step.inserted, "XYZW");
    EXPECT_EQ(step.lengthDifference, 1);

    journal.Undo();
    EXPECT_EQ(view.text, "abc def");
    EXPECT_EQ(view.selStart, 3);
    journal.Redo();
    EXPECT_EQ(view.text, "XYZW def");
    EXPECT_EQ(view.selStart, 4);
    EXPECT_EQ(view.selEnd, 4);
}

TEST_F(UndoJournalTest, CutUndoSelectsTheTextAgainAndRedoRemovesIt) {
    Load("one two three");
    Click(4, 8);
    Cut();
    EXPECT_EQ(view.text, "one three");
    EXPECT_EQ(journal.UndoList()[0].kind, kUndoCut);
    EXPECT_EQ(journal.UndoList()[0].removed, "two ");

    journal.Undo();
    EXPECT_EQ(view.text, "one two three");
    EXPECT_EQ(view.Selected(), "two ");
    view.colouringOn = false;
    const int recoloured = view.recolourAroundCaret;
    journal.Redo();
    EXPECT_EQ(view.text, "one three");
    EXPECT_EQ(view.selStart, 4);
    EXPECT_EQ(view.recolourAroundCaret, recoloured);
}

TEST_F(UndoJournalTest, NewEditAfterUndoEmptiesRedo) {
    Type("a");
    Type("b");
    journal.Undo();
    ASSERT_TRUE(journal.redoAvailable());
    Type("x");
    EXPECT_EQ(view.text, "ax");
    EXPECT_FALSE(journal.redoAvailable());
    ASSERT_EQ(journal.RedoList().size(), 1u);
    EXPECT_EQ(journal.RedoList()[0].kind, kUndoSentinel);
    journal.Redo();
    EXPECT_EQ(view.text, "ax");
    journal.Undo();
    EXPECT_EQ(view.text, "a");
}

TEST_F(UndoJournalTest, UndoWithNothingToUndoDoesNothing) {
    Load("text");
    view.Select(1, 2);
    journal.Undo();
    EXPECT_EQ(view.text, "text");
    EXPECT_EQ(view.selStart, 1);
    EXPECT_EQ(view.selEnd, 2);
    EXPECT_EQ(view.freezes, 0);
    EXPECT_FALSE(journal.redoAvailable());
    EXPECT_EQ(journal.RedoCount(), 0);
}

TEST_F(UndoJournalTest, MovingTheCaretMakesNoStep) {
    Load("abc");
    Arrow(3);
    Type("d");
    for (int key : {33, 34, 35, 36, 37, 38, 40}) Arrow(1, key);
    Click(0, 2);
    journal.AddStep(0, kUndoNoChange, false);
    EXPECT_EQ(journal.UndoCount(), 1);
    EXPECT_EQ(journal.RememberedStart(), 0);
    EXPECT_EQ(journal.RememberedEnd(), 2);
    journal.Undo();
    EXPECT_EQ(view.text, "abc");
}

TEST_F(UndoJournalTest, KeyReleasesThatChangeNothingMakeNoStep) {
    Load("ab");
    Backspace();  // caret at 0
    Arrow(2);
    Delete();   // caret at the end
    KeyUp(16);  // Shift
    journal.MarkTyped();
    KeyUp(27);  // a character message that left the text alone
    EXPECT_EQ(journal.UndoCount(), 0);
    EXPECT_FALSE(journal.undoAvailable());
}

TEST_F(UndoJournalTest, CommandReportsAreStepsEvenWithoutChange) {
    Load("abc");
    Click(0, 3);
    journal.AddStep(0, kUndoNoChange, false);
    view.ReplaceSelection("abc");  // a conversion that found nothing to convert
    journal.AddStep(0, kUndoPaste, false);
    EXPECT_EQ(journal.UndoCount(), 1);
    journal.Undo();
    EXPECT_EQ(view.text, "abc");
}

TEST_F(UndoJournalTest, SpaceKeyOfTheInputMethod) {
    Type("x");
    // The input method used the space to convert: no typed character, no step.
    view.ReplaceSelection(kKan);
    KeyUp(32);
    EXPECT_EQ(journal.UndoCount(), 1);
    // A typed space is a step.
    Type(" ", 32);
    EXPECT_EQ(journal.UndoCount(), 2);
    EXPECT_EQ(journal.UndoList()[0].inserted, kKan + " ");
    // A full-width space entered by the space key is a step.
    view.ReplaceSelection(kIdeoSpace);
    KeyUp(32);
    EXPECT_EQ(journal.UndoCount(), 3);
    EXPECT_EQ(journal.UndoList()[0].inserted, kIdeoSpace);

    journal.Undo();
    EXPECT_EQ(view.text, "x" + kKan + " ");
    journal.Undo();
    EXPECT_EQ(view.text, "x");
}

TEST_F(UndoJournalTest, MultiByteTextCountsBytes) {
    Type(kNi);
    view.ReplaceSelection(kHon);  // committed by the input method with Enter
    KeyUp(13);
    EXPECT_EQ(view.text, kNi + kHon);
    auto step = journal.UndoList()[0];
    EXPECT_EQ(step.start, 3);
    EXPECT_EQ(step.end, 6);
    Backspace();
    step = journal.UndoList()[0];
    EXPECT_EQ(step.removed, kHon);
    EXPECT_EQ(step.start, 3);

    journal.Undo();
    EXPECT_EQ(view.text, kNi + kHon);
    EXPECT_EQ(view.selStart, 6);
    journal.Undo();
    EXPECT_EQ(view.text, kNi);
    EXPECT_EQ(view.selStart, 3);
    journal.Redo();
    journal.Redo();
    EXPECT_EQ(view.text, kNi);
}

TEST_F(UndoJournalTest, DragMoveForwardAndBack) {
    Load("abcXYZdef");
    Click(3, 6);
    Drag(6);  // "abcdef" + "XYZ"
    EXPECT_EQ(view.text, "abcdefXYZ");
    ASSERT_EQ(journal.UndoCount(), 1);
    const auto step = journal.UndoList()[0];
    EXPECT_EQ(step.kind, kUndoMove);
    EXPECT_EQ(step.removed, "XYZ");
    EXPECT_EQ(step.moveFrom, 3);
    EXPECT_EQ(step.moveTo, 6);

    journal.Undo();
    EXPECT_EQ(view.text, "abcXYZdef");
    EXPECT_EQ(view.Selected(), "XYZ");
    EXPECT_EQ(view.selStart, 3);
    journal.Redo();
    EXPECT_EQ(view.text, "abcdefXYZ");
    EXPECT_EQ(view.selStart, 6);
    EXPECT_EQ(view.Selected(), "XYZ");

    Click(6, 8);  // "XY"
    Drag(1);
    EXPECT_EQ(view.text, "aXYbcdefZ");
    EXPECT_EQ(journal.UndoList()[0].kind, kUndoMove);
    journal.Undo();
    EXPECT_EQ(view.text, "abcdefXYZ");
    journal.Undo();
    EXPECT_EQ(view.text, "abcXYZdef");
    journal.Redo();
    journal.Redo();
    EXPECT_EQ(view.text, "aXYbcdefZ");
}

TEST_F(UndoJournalTest, DragThatCopiesIsUndoneAsAnInsertion) {
    Load("abc def");
    Click(0, 3);
    // A drag with Ctrl held leaves the source in place.
    view.Select(7, 7);
    view.ReplaceSelection("abc");
    view.Select(7, 10);
    journal.AddStep(0, kUndoMove, false);
    EXPECT_EQ(view.text, "abc defabc");
    ASSERT_EQ(journal.UndoCount(), 1);
    journal.Undo();
    EXPECT_EQ(view.text, "abc def");
    journal.Redo();
    EXPECT_EQ(view.text, "abc defabc");
}

TEST_F(UndoJournalTest, DropFromOutsideBecomesOneInsertion) {
    Load("<P></P>");
    Arrow(3);
    // The control inserted the dropped text; the view restates the state before the drop
    // with the caret at the insertion start, then reports the insertion.
    const std::string before = journal.RememberedText();
    view.Select(3, 3);
    view.ReplaceSelection("dropped");
    journal.SetStateAfter(before, 3, 3);
    journal.AddStep(0, kUndoNoChange, true);
    journal.AddStep(0, kUndoPaste, false);
    ASSERT_EQ(journal.UndoCount(), 1);
    EXPECT_EQ(journal.UndoList()[0].inserted, "dropped");
    journal.Undo();
    EXPECT_EQ(view.text, "<P></P>");
}

TEST_F(UndoJournalTest, InsertionAndTagRewriteKinds) {
    Load("<FONT SIZE=3>x");
    Arrow(14);
    view.ReplaceSelection("<BR>");
    journal.AddStep(0, kUndoInsert, false);
    // Edit tag: the old tag is selected and remembered before the writer replaces it.
    view.Select(0, 13);
    journal.RememberState(true);
    view.ReplaceSelection("<FONT SIZE=5>");
    journal.AddStep(0, kUndoTagRewrite, false);

    const auto list = journal.UndoList();
    EXPECT_EQ(list[0].kind, kUndoTagRewrite);
    EXPECT_EQ(list[0].removed, "<FONT SIZE=3>");
    EXPECT_EQ(list[1].kind, kUndoInsert);
    journal.Undo();
    EXPECT_EQ(view.text, "<FONT SIZE=3>x<BR>");
    journal.Undo();
    EXPECT_EQ(view.text, "<FONT SIZE=3>x");
}

TEST_F(UndoJournalTest, SidePaneIsToldOfEditsAndLinkChanges) {
    view.sidePaneShown = true;
    Paste("<A HREF=\"a.html\">");
    ASSERT_EQ(view.told.size(), 1u);
    EXPECT_EQ(view.told[0].text, "<A HREF=\"a.html\">");
    EXPECT_TRUE(view.told[0].rebuild);
    EXPECT_FALSE(journal.linkRebuild());

    Type("x");
    ASSERT_EQ(view.told.size(), 2u);
    EXPECT_FALSE(view.told[1].rebuild);

    Arrow(0);  // no text in the step
    EXPECT_EQ(view.told.size(), 2u);

    journal.Undo();  // the typed letter: no links involved
    ASSERT_EQ(view.told.size(), 3u);
    EXPECT_FALSE(view.told[2].rebuild);
    journal.Undo();  // the paste
    ASSERT_EQ(view.told.size(), 4u);
    EXPECT_TRUE(view.told[3].rebuild);
    EXPECT_EQ(view.told[3].text, "");

    view.sidePaneShown = false;
    Type("y");
    EXPECT_EQ(view.told.size(), 4u);
}

TEST_F(UndoJournalTest, SidePaneIsToldWhenTheCaretLeavesATag) {
    Load("<B>text");
    view.tagAtCaret = true;
    Click(1, 1);
    EXPECT_TRUE(view.told.empty());
    view.tagAtCaret = false;
    Click(5, 5);
    ASSERT_EQ(view.told.size(), 1u);
    EXPECT_EQ(view.told[0].text, "<B>text");
    Click(6, 6);
    EXPECT_EQ(view.told.size(), 1u);
}

TEST_F(UndoJournalTest, WholeTextSetBecomesTheStartingPoint) {
    Load("loaded text");
    EXPECT_EQ(journal.RememberedText(), "loaded text");
    EXPECT_EQ(journal.UndoCount(), 0);
    Arrow(6);
    Type("!");
    journal.Undo();
    EXPECT_EQ(view.text, "loaded text");
    journal.Undo();
    EXPECT_EQ(view.text, "loaded text");
}

TEST_F(UndoJournalTest, WholeTextSetUnderHistoryKeepsOlderStepsValid) {
    Type("a");
    Type("b");
    Load("reloaded");
    journal.Undo();
    EXPECT_EQ(view.text, "ab");
    journal.Undo();
    EXPECT_EQ(view.text, "a");
}

TEST_F(UndoJournalTest, UnreportedChangeNeverCorruptsUndo) {
    Type("a");
    Type("b");
    Type("c");
    // Text changed behind the journal's back: undo takes that change back first.
    view.Select(0, 0);
    view.ReplaceSelection("ZZ");
    journal.Undo();
    EXPECT_EQ(view.text, "abc");
    journal.Undo();
    EXPECT_EQ(view.text, "ab");

    // A typed key whose remembered selection is stale still records what really changed.
    view.Select(0, 0);
    view.ReplaceSelection(kNi);
    view.Select(1 + 3, 1 + 3);
    view.ReplaceSelection("q");
    journal.MarkTyped();
    KeyUp('Q');
    EXPECT_EQ(view.text, kNi + "aqb");
    journal.Undo();
    EXPECT_EQ(view.text, "ab");
}

TEST_F(UndoJournalTest, ChangesFoundByComparingKeepCharactersWhole) {
    Type(kNi);
    Type("\r\n", 13);
    // Unreported: "日" became "本" (both start with the byte E6), and the CR of the line
    // break was dropped.
    view.text = kHon + "\n";
    Arrow(0);
    ASSERT_EQ(journal.UndoCount(), 3);
    const auto step = journal.UndoList()[0];
    EXPECT_EQ(step.removed, kNi + "\r\n");
    EXPECT_EQ(step.inserted, kHon + "\n");
    journal.Undo();
    EXPECT_EQ(view.text, kNi + "\r\n");
}

TEST_F(UndoJournalTest, OddPositionsDoNotCrash) {
    Load("abc");
    journal.SetSelectionAfter(-5, 1000);
    journal.AddStep(0, kUndoNoChange, true);
    view.text = "ab";
    journal.SetStateAfter("ab", 0, 0);
    journal.AddStep(8, 0, true);  // Backspace reported with the caret at 0
    view.text = "";
    journal.SetStateAfter("", 7, -3);
    journal.AddStep(46, 0, true);
    view.text = "xyz";
    journal.AddStep(0, kUndoCut, false);  // a "cut" that grew the text
    journal.AddStep(0, kUndoMove, false);
    journal.Undo();
    journal.Undo();
    journal.Undo();
    EXPECT_EQ(view.text, "abc");
    journal.Redo();
    journal.Redo();
    journal.Redo();
    EXPECT_EQ(view.text, "xyz");
}

// Random edits of every sort, then undo all the way back and redo all the way forward.
TEST(UndoJournalRandomTest, RandomEditsUndoAndRedoExactly) {
    const std::vector<std::string> pieces = {"a", "<", ">", "\r\n", kNi, kHon, " ", "xyz", ""};
    for (unsigned seed = 1; seed <= 20; ++seed) {
        std::mt19937 random(seed);
        Session session;
        auto& view = session.view;
        auto& journal = session.journal;
        session.Load("<HTML>" + kNi + "\r\n</HTML>");
        std::vector<std::string> texts = {view.text};
        auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
        auto boundary = [&]() {
            std::vector<int> at;
            for (int i = 0; i <= static_cast<int>(view.text.size()); ++i)
                if (session.IsBoundary(view.text, i))
                    at.push_back(i);
            return at[pick(static_cast<int>(at.size()))];
        };
        for (int op = 0; op < 60; ++op) {
            const std::string old = view.text;
            const int count = journal.UndoCount();
            int a = boundary();
            int b = boundary();
            if (a > b)
                std::swap(a, b);
            bool command = false;
            switch (pick(7)) {
                case 0:
                    session.Arrow(a);
                    session.Type(pieces[pick(static_cast<int>(pieces.size()) - 1)]);
                    break;
                case 1:
                    session.Click(a, pick(2) ? a : b);
                    session.Backspace();
                    break;
                case 2:
                    session.Click(a, pick(2) ? a : b);
                    session.Delete();
                    break;
                case 3:
                    session.Click(a, b);
                    session.Paste(pieces[pick(static_cast<int>(pieces.size()))]);
                    command = true;
                    break;
                case 4:
                    if (a == b)
                        continue;
                    session.Click(a, b);
                    session.Cut();
                    command = true;
                    break;
                case 5: {
                    if (a == b)
                        continue;
                    session.Click(a, b);
                    const std::string rest = view.text.substr(0, a) + view.text.substr(b);
                    std::vector<int> at;
                    for (int i = 0; i <= static_cast<int>(rest.size()); ++i)
                        if (session.IsBoundary(rest, i))
                            at.push_back(i);
                    const int to = at[pick(static_cast<int>(at.size()))];
                    session.Drag(to);
                    // A move can give the same text again ("abab"), and is still a step.
                    command = to != a;
                    break;
                }
                default:
                    session.Click(a, b);
                    break;
            }
            const int added = journal.UndoCount() - count;
            if (command || view.text != old) {
                ASSERT_EQ(added, 1) << "seed " << seed << " op " << op;
                texts.push_back(view.text);
            } else {
                ASSERT_EQ(added, 0) << "seed " << seed << " op " << op;
            }
        }
        for (size_t i = texts.size() - 1; i > 0; --i) {
            journal.Undo();
            ASSERT_EQ(view.text, texts[i - 1]) << "seed " << seed << " undo to " << i - 1;
        }
        EXPECT_FALSE(journal.undoAvailable());
        for (size_t i = 1; i < texts.size(); ++i) {
            journal.Redo();
            ASSERT_EQ(view.text, texts[i]) << "seed " << seed << " redo to " << i;
        }
        EXPECT_FALSE(journal.redoAvailable());
        EXPECT_EQ(view.freezeDepth, 0);
    }
}

// The journal that follows the control's change notifications keeps exactly the history of
// the one that compares whole texts, over random edits of every sort, undos and redos.
TEST(UndoJournalRandomTest, FollowingNotificationsGivesTheSameHistoryAsComparingTexts) {
    const std::vector<std::string> pieces = {"a",  "<", ">",   "\r\n", kNi,
                                             kHon, " ", "xyz", "aa",   ""};
    for (unsigned seed = 1; seed <= 30; ++seed) {
        std::mt19937 random(seed);
        Session compared, followed;
        followed.journal.TrackChanges();
        followed.view.notify = &followed.journal;
        for (Session* session : {&compared, &followed})
            session->Load("<HTML>" + kNi + "aaa\r\n</HTML>");
        auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
        for (int op = 0; op < 60; ++op) {
            const std::string& text = compared.view.text;
            std::vector<int> at;
            for (int i = 0; i <= static_cast<int>(text.size()); ++i)
                if (Session::IsBoundary(text, i))
                    at.push_back(i);
            int a = at[pick(static_cast<int>(at.size()))];
            int b = at[pick(static_cast<int>(at.size()))];
            if (a > b)
                std::swap(a, b);
            const std::string& piece = pieces[pick(static_cast<int>(pieces.size()))];
            const int what = pick(9);
            int to = -1;
            if (what == 6 && a != b) {
                const std::string rest = text.substr(0, a) + text.substr(b);
                std::vector<int> places;
                for (int i = 0; i <= static_cast<int>(rest.size()); ++i)
                    if (Session::IsBoundary(rest, i))
                        places.push_back(i);
                to = places[pick(static_cast<int>(places.size()))];
            }
            for (Session* session : {&compared, &followed}) {
                switch (what) {
                    case 0:
                        session->Click(a, a);
                        session->Type(piece);
                        break;
                    case 1:
                        session->Click(a, b);
                        session->Backspace();
                        break;
                    case 2:
                        session->Click(a, b);
                        session->Delete();
                        break;
                    case 3:
                        session->Click(a, b);
                        session->Paste(piece);
                        break;
                    case 4:
                        if (a != b) {
                            session->Click(a, b);
                            session->Cut();
                        }
                        break;
                    case 5:
                        session->journal.Undo();
                        break;
                    case 6:
                        if (to >= 0) {
                            session->Click(a, b);
                            session->Drag(to);
                        }
                        break;
                    case 7:
                        session->journal.Redo();
                        break;
                    default:
                        session->Click(a, b);
                        session->Type(piece);
                        break;
                }
            }
            ASSERT_EQ(followed.view.text, compared.view.text) << "seed " << seed << " op " << op;
            ASSERT_EQ(followed.view.selStart, compared.view.selStart);
            ASSERT_EQ(followed.view.selEnd, compared.view.selEnd);
            const auto same = [&](const std::vector<UndoStep>& x, const std::vector<UndoStep>& y) {
                ASSERT_EQ(x.size(), y.size()) << "seed " << seed << " op " << op;
                for (size_t i = 0; i < x.size(); ++i) {
                    EXPECT_EQ(x[i].kind, y[i].kind) << "seed " << seed << " op " << op;
                    EXPECT_EQ(x[i].start, y[i].start) << "seed " << seed << " op " << op;
                    EXPECT_EQ(x[i].end, y[i].end);
                    EXPECT_EQ(x[i].removed, y[i].removed);
                    EXPECT_EQ(x[i].inserted, y[i].inserted);
                    EXPECT_EQ(x[i].selStart, y[i].selStart);
                    EXPECT_EQ(x[i].selEnd, y[i].selEnd);
                    EXPECT_EQ(x[i].moveFrom, y[i].moveFrom);
                    EXPECT_EQ(x[i].moveTo, y[i].moveTo);
                }
            };
            same(followed.journal.UndoList(), compared.journal.UndoList());
            same(followed.journal.RedoList(), compared.journal.RedoList());
            if (HasFailure())
                return;
        }
    }
}

}  // namespace
