// The text control driven as the user and the editor drive it: real QScintilla,
// offscreen, keys through QTest.

#include "editor/text_control.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QPaintEvent>
#include <QSignalSpy>
#include <QTest>
#include <memory>

namespace {

using Sci = QsciScintillaBase;
using namespace std::string_literals;

class TextControlTest : public ::testing::Test {
  protected:
    void SetUp() override {
        control_ = std::make_unique<CTextControl>();
        control_->resize(400, 200);
        control_->show();
        control_->activateWindow();
        control_->setFocus();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(control_.get()));
    }

    long Send(unsigned int message, unsigned long w = 0, long l = 0) {
        return control_->SendScintilla(message, w, l);
    }
    long Caret() { return Send(Sci::SCI_GETCURRENTPOS); }
    std::pair<int, int> Sel() {
        int start = -1, end = -1;
        control_->GetSel(start, end);
        return {start, end};
    }
    void Type(const char* text) { QTest::keyClicks(control_.get(), QString::fromUtf8(text)); }

    std::unique_ptr<CTextControl> control_;
};

TEST_F(TextControlTest, WholeTextKeepsBytesAndCountsThem) {
    const std::string text = "あいう\r\nb\nc\0d"s;  // mixed breaks and a NUL stay as given
    control_->SetWholeText(text);
    EXPECT_EQ(control_->WholeText(), text);
    EXPECT_EQ(control_->WholeTextView(), text);
    EXPECT_EQ(control_->TextLength(), static_cast<int>(text.size()));
    EXPECT_EQ(control_->TextRange(3, 6), "い");
    EXPECT_EQ(control_->TextRange(9, 100), "\r\nb\nc\0d"s);
    EXPECT_EQ(control_->TextRange(5, 2), "");
    EXPECT_EQ(control_->LineCount(), 3);
}

TEST_F(TextControlTest, SetWholeTextNotifiesOnceAndPutsCaretAtStart) {
    control_->SetWholeText("old text");
    control_->SetSel(4, 4);
    QSignalSpy changed(control_.get(), &CTextControl::TextChangedNotify);
    control_->SetWholeText("new\r\ntext");
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(Caret(), 0);
    EXPECT_EQ(control_->WholeText(), "new\r\ntext");
}

TEST_F(TextControlTest, SelectionIsSetExactlyWithCaretAtEnd) {
    control_->SetWholeText("あいう");
    control_->SetSel(3, 6);
    EXPECT_EQ(Sel(), std::make_pair(3, 6));
    EXPECT_EQ(Caret(), 6);
    EXPECT_EQ(control_->SelectedText(), "い");

    control_->SetSel(6, 3);
    EXPECT_EQ(Sel(), std::make_pair(3, 6));
    EXPECT_EQ(Caret(), 3);

    control_->SetSel(0, -1);
    EXPECT_EQ(Sel(), std::make_pair(0, 9));
    EXPECT_EQ(control_->SelectedText(), "あいう");

    control_->SetSel(50, 70);
    EXPECT_EQ(Sel(), std::make_pair(9, 9));
}

TEST_F(TextControlTest, ReplaceSelPutsCaretBehindInsertedText) {
    control_->SetWholeText("abc");
    control_->SetSel(1, 2);
    control_->ReplaceSel("日本");
    EXPECT_EQ(control_->WholeText(), "a日本c");
    EXPECT_EQ(Sel(), std::make_pair(7, 7));

    control_->ReplaceSel("x\0y"s);
    EXPECT_EQ(control_->WholeText(), "a日本x\0yc"s);
    EXPECT_EQ(Sel(), std::make_pair(10, 10));

    control_->SetSel(0, 1);
    control_->ReplaceSel("");
    EXPECT_EQ(control_->WholeText(), "日本x\0yc"s);
    EXPECT_EQ(Sel(), std::make_pair(0, 0));
}

TEST_F(TextControlTest, LinesAndCaretLine) {
    control_->SetWholeText("");
    EXPECT_EQ(control_->LineCount(), 1);
    EXPECT_EQ(control_->CurrentLine(), 0);
    control_->SetWholeText("a\r\nb");
    EXPECT_EQ(control_->LineCount(), 2);
    EXPECT_EQ(control_->TextLength(), 4);
    control_->SetWholeText("a\r\nbb\r\nc\r\n");
    EXPECT_EQ(control_->LineCount(), 4);
    control_->SetSel(0, 4);
    EXPECT_EQ(control_->CurrentLine(), 1);
    control_->SetSel(8, 7);
    EXPECT_EQ(control_->CurrentLine(), 2);
}

TEST_F(TextControlTest, TypingInsertsTextAndEnterInsertsCrLf) {
    control_->SetWholeText("");
    Type("ab");
    QTest::keyClick(control_.get(), Qt::Key_Return);
    Type("c");
    EXPECT_EQ(control_->WholeText(), "ab\r\nc");
    EXPECT_EQ(control_->LineCount(), 2);
    EXPECT_EQ(Sel(), std::make_pair(5, 5));
}

TEST_F(TextControlTest, InsertKeyNeverSwitchesToOverwrite) {
    control_->SetWholeText("abc");
    control_->SetSel(0, 0);
    QTest::keyClick(control_.get(), Qt::Key_Insert);
    Type("x");
    EXPECT_EQ(control_->WholeText(), "xabc");
    EXPECT_FALSE(control_->overwriteMode());
}

TEST_F(TextControlTest, ControlKeepsNoUndoOfItsOwn) {
    control_->SetWholeText("");
    Type("ab");
    QTest::keyClick(control_.get(), Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(control_.get(), Qt::Key_Backspace, Qt::AltModifier);
    EXPECT_EQ(control_->WholeText(), "ab");
    EXPECT_FALSE(Send(Sci::SCI_CANUNDO));
}

TEST_F(TextControlTest, LineCommandsOfScintillaAreNotBound) {
    control_->SetWholeText("one\r\ntwo");
    control_->SetSel(1, 1);
    QTest::keyClick(control_.get(), Qt::Key_D, Qt::ControlModifier);  // would duplicate
    QTest::keyClick(control_.get(), Qt::Key_L, Qt::ControlModifier);  // would cut the line
    QTest::keyClick(control_.get(), Qt::Key_T, Qt::ControlModifier);  // would swap lines
    // Alt and Ctrl combinations that carry a printable text still type nothing.
    QKeyEvent alt(QEvent::KeyPress, Qt::Key_X, Qt::AltModifier, "x");
    QApplication::sendEvent(control_.get(), &alt);
    QKeyEvent ctrl(QEvent::KeyPress, Qt::Key_Q, Qt::ControlModifier, "q");
    QApplication::sendEvent(control_.get(), &ctrl);
    EXPECT_EQ(control_->WholeText(), "one\r\ntwo");
}

TEST_F(TextControlTest, TabReplacesSelectionOverSeveralLines) {
    control_->SetWholeText("ab\r\ncd");
    control_->SetSel(1, 5);
    QTest::keyClick(control_.get(), Qt::Key_Tab);
    EXPECT_EQ(control_->WholeText(), "a\td");
    EXPECT_EQ(Sel(), std::make_pair(2, 2));
}

TEST_F(TextControlTest, EditingShortcutsReachTheApplication) {
    QAction undo(control_.get());
    undo.setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    QAction paste(control_.get());
    paste.setShortcut(QKeySequence(Qt::CTRL | Qt::Key_V));
    control_->addAction(&undo);
    control_->addAction(&paste);
    QSignalSpy undone(&undo, &QAction::triggered);
    QSignalSpy pasted(&paste, &QAction::triggered);
    QApplication::clipboard()->setText("pasted");
    control_->SetWholeText("x");

    QTest::keyClick(control_.get(), Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(control_.get(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(undone.count(), 1);
    EXPECT_EQ(pasted.count(), 1);
    EXPECT_EQ(control_->WholeText(), "x");
}

TEST_F(TextControlTest, PasteConvertsLineBreaksToCrLf) {
    control_->SetWholeText("<>");
    control_->SetSel(1, 1);
    QApplication::clipboard()->setText("a\nb\rc");
    QSignalSpy moved(control_.get(), &CTextControl::SelectionChangedNotify);
    control_->paste();
    EXPECT_EQ(moved.count(), 1);
    EXPECT_EQ(control_->WholeText(), "<a\r\nb\r\nc>");
    EXPECT_EQ(Sel(), std::make_pair(8, 8));
}

TEST_F(TextControlTest, StylesAreAppliedPerByteAndTypedTextIsPlain) {
    control_->SetWholeText("<a>bc");
    control_->ApplyStyleBytes(0, "\1\2\1\0\0"s);
    EXPECT_EQ(control_->StyleAt(0), CTextControl::kTag);
    EXPECT_EQ(control_->StyleAt(1), CTextControl::kParam);
    EXPECT_EQ(control_->StyleAt(2), CTextControl::kTag);
    EXPECT_EQ(control_->StyleAt(3), CTextControl::kText);

    control_->ApplyStyle(3, 99, CTextControl::kCom);  // clamped to the text
    EXPECT_EQ(control_->StyleAt(4), CTextControl::kCom);

    control_->SetSel(3, 3);
    Type("x");
    EXPECT_EQ(control_->StyleAt(3), CTextControl::kText);
    EXPECT_EQ(control_->StyleAt(2), CTextControl::kTag);
    EXPECT_EQ(control_->StyleAt(4), CTextControl::kCom);
}

TEST_F(TextControlTest, StylingIsNeitherATextNorASelectionChange) {
    control_->SetWholeText("<a href=\"x\">");
    QSignalSpy changed(control_.get(), &CTextControl::TextChangedNotify);
    QSignalSpy moved(control_.get(), &CTextControl::SelectionChangedNotify);
    control_->ApplyStyle(0, 12, CTextControl::kTag);
    control_->ApplyStyleBytes(2, std::string(4, '\2'));
    EXPECT_EQ(changed.count(), 0);
    EXPECT_EQ(moved.count(), 0);

    control_->SetSel(2, 2);
    EXPECT_EQ(moved.count(), 1);
    Type("b");  // the caret moves with the typed character
    EXPECT_GE(changed.count(), 1);
    EXPECT_EQ(moved.count(), 2);
    QTest::keyClick(control_.get(), Qt::Key_Return);
    EXPECT_EQ(moved.count(), 3);
}

TEST_F(TextControlTest, StyleFormatsBecomeScintillaStyles) {
    StyleFormat tag;
    tag.height = 230;  // 11.5 points
    tag.effects = kEffectBold | kEffectUnderline;
    tag.textColor = 0xFF0000;  // blue, in Scintilla's own byte order
    tag.faceName = QString::fromUtf8("ＭＳ Ｐゴシック");
    control_->DefineStyle(CTextControl::kTag, tag);

    StyleFormat text;
    text.height = 300;
    text.textColor = 0x123456;
    control_->DefineStyle(CTextControl::kText, text);

    EXPECT_EQ(Send(Sci::SCI_STYLEGETSIZEFRACTIONAL, CTextControl::kTag), 1150);
    EXPECT_TRUE(Send(Sci::SCI_STYLEGETBOLD, CTextControl::kTag));
    EXPECT_TRUE(Send(Sci::SCI_STYLEGETUNDERLINE, CTextControl::kTag));
    EXPECT_FALSE(Send(Sci::SCI_STYLEGETITALIC, CTextControl::kTag));
    EXPECT_EQ(Send(Sci::SCI_STYLEGETFORE, CTextControl::kTag), 0xFF0000);
    char face[64] = {};
    control_->SendScintilla(Sci::SCI_STYLEGETFONT, static_cast<unsigned long>(CTextControl::kTag),
                            static_cast<void*>(face));
    EXPECT_STREQ(face, "ＭＳ Ｐゴシック");

    // The text style is also the default of new and empty content.
    for (int style :
         {static_cast<int>(CTextControl::kText), static_cast<int>(Sci::STYLE_DEFAULT)}) {
        EXPECT_EQ(Send(Sci::SCI_STYLEGETSIZEFRACTIONAL, style), 1500) << style;
        EXPECT_EQ(Send(Sci::SCI_STYLEGETFORE, style), 0x123456) << style;
        EXPECT_FALSE(Send(Sci::SCI_STYLEGETBOLD, style)) << style;
    }
}

TEST_F(TextControlTest, StrikeoutIsDrawnOverStruckStylesOnly) {
    StyleFormat com;
    com.effects = kEffectStrikeout;
    control_->DefineStyle(CTextControl::kCom, com);
    control_->SetWholeText("a<!--x-->b");
    auto struck = [&](int pos) { return Send(Sci::SCI_INDICATORALLONFOR, pos) != 0; };

    control_->ApplyStyleBytes(0, "\0\3\3\3\3\3\3\3\3\0"s);
    EXPECT_FALSE(struck(0));
    EXPECT_TRUE(struck(1));
    EXPECT_TRUE(struck(8));
    EXPECT_FALSE(struck(9));

    control_->ApplyStyle(1, 5, CTextControl::kText);
    EXPECT_FALSE(struck(1));
    EXPECT_TRUE(struck(5));
    control_->ApplyStyleBytes(4, "\0\0\3"s);
    EXPECT_FALSE(struck(5));
    EXPECT_TRUE(struck(6));

    com.effects = 0;
    control_->DefineStyle(CTextControl::kCom, com);
    EXPECT_FALSE(struck(5));
}

// What a recolouring keystroke does to the control (a frozen edit, styles, the caret put
// back) repaints the line it changed, not the whole window from the top.
// What the control's viewport was asked to paint.
struct PaintLog : QObject {
    QRegion painted;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            painted += static_cast<QPaintEvent*>(event)->region();
        return false;
    }
};

TEST_F(TextControlTest, AnEditRepaintsOnlyTheLinesItChanged) {
    std::string text;
    for (int i = 0; i < 40; ++i) text += "<P>line " + std::to_string(i) + " of the page</P>\r\n";
    control_->SetWholeText(text);
    const int line = 6;
    const int caret = static_cast<int>(Send(Sci::SCI_POSITIONFROMLINE, line)) + 3;
    control_->SetSel(caret, caret);
    QCoreApplication::processEvents();

    PaintLog log;
    control_->viewport()->installEventFilter(&log);
    {
        CTextControl::FreezePainting freeze(*control_);
        control_->ReplaceSel("<");
        control_->ApplyStyle(caret, caret + 1, CTextControl::kTag);
        control_->SetSel(caret, caret);
        control_->SetSel(caret + 1, caret + 1);
    }
    QCoreApplication::processEvents();
    const int lineHeight = static_cast<int>(Send(Sci::SCI_TEXTHEIGHT, line));
    EXPECT_FALSE(log.painted.isEmpty());
    EXPECT_LE(log.painted.boundingRect().height(), 2 * lineHeight);
    EXPECT_GT(log.painted.boundingRect().top(), lineHeight * (line - 1));
}

// Typing in the widest line widens what can be scrolled to; each widening redraws the whole
// window, so it must not come with every key.
TEST_F(TextControlTest, TypingInTheWidestLineRepaintsOnlyThatLine) {
    // Wider than the window, so that the width to scroll grows with it.
    const std::string text = "<P>short</P>\r\n<P>" + std::string(120, 'w') + "</P>\r\n<P>x</P>\r\n";
    for (const bool atEnd : {false, true}) {
        SCOPED_TRACE(atEnd ? "at the end" : "at the start");
        control_->SetWholeText(text);
        const long caret = Send(atEnd ? Sci::SCI_GETLINEENDPOSITION : Sci::SCI_POSITIONFROMLINE, 1);
        control_->SetSel(static_cast<int>(caret), static_cast<int>(caret));
        QTest::keyClicks(control_.get(), "a");
        QTest::qWait(120);  // Scintilla widens on a timer
        PaintLog log;
        control_->viewport()->installEventFilter(&log);
        for (const char* key : {"b", "c", "d", "e", "f"}) {
            QTest::keyClicks(control_.get(), key);
            QTest::qWait(60);
        }
        const int lineHeight = static_cast<int>(Send(Sci::SCI_TEXTHEIGHT, 1));
        EXPECT_FALSE(log.painted.isEmpty());
        EXPECT_LE(log.painted.boundingRect().height(), 2 * lineHeight);
    }
}

TEST_F(TextControlTest, KeyFiltersSeeKeysFirstAndMaySwallowThem) {
    std::vector<int> pressed, released;
    control_->keyPressFilter = [&](QKeyEvent* event) {
        pressed.push_back(CTextControl::KeyCodeOf(event));
        return event->key() == Qt::Key_A;
    };
    control_->keyReleaseFilter = [&](QKeyEvent* event) {
        released.push_back(CTextControl::KeyCodeOf(event));
        return false;
    };
    control_->SetWholeText("");
    Type("abA");
    QTest::keyClick(control_.get(), Qt::Key_Return);
    EXPECT_EQ(control_->WholeText(), "b\r\n");
    EXPECT_EQ(pressed, (std::vector<int>{'A', 'B', 'A', 13}));
    EXPECT_EQ(released, pressed);
}

TEST_F(TextControlTest, MouseFilterSeesClicksBeforeTheControl) {
    control_->SetWholeText("abcdef");
    control_->SetSel(0, 0);
    const QPoint at(static_cast<int>(Send(Sci::SCI_POINTXFROMPOSITION, 0, 3)),
                    static_cast<int>(Send(Sci::SCI_POINTYFROMPOSITION, 0, 3)) + 4);
    int seen = 0;
    bool swallow = true;
    control_->mouseFilter = [&](QMouseEvent* event) {
        if (event->type() == QEvent::MouseButtonPress)
            ++seen;
        return swallow;
    };
    QTest::mouseClick(control_->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(seen, 1);
    EXPECT_EQ(Caret(), 0);

    swallow = false;
    QTest::mouseClick(control_->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(seen, 2);
    EXPECT_EQ(Caret(), 3);
}

TEST_F(TextControlTest, ControlDragSelectsAPlainRange) {
    control_->SetWholeText("abcdef\r\nabcdef\r\nabcdef");
    auto point = [&](int pos) {
        return QPoint(static_cast<int>(Send(Sci::SCI_POINTXFROMPOSITION, 0, pos)),
                      static_cast<int>(Send(Sci::SCI_POINTYFROMPOSITION, 0, pos)) + 4);
    };
    QTest::mousePress(control_->viewport(), Qt::LeftButton, Qt::ControlModifier, point(1));
    QMouseEvent move(QEvent::MouseMove, QPointF(point(20)),
                     QPointF(control_->viewport()->mapToGlobal(point(20))), Qt::NoButton,
                     Qt::LeftButton, Qt::ControlModifier);
    QApplication::sendEvent(control_->viewport(), &move);
    QTest::mouseRelease(control_->viewport(), Qt::LeftButton, Qt::ControlModifier, point(20));
    EXPECT_FALSE(Send(Sci::SCI_SELECTIONISRECTANGLE));
    EXPECT_EQ(Sel(), std::make_pair(1, 20));
    Type("Q");  // replaces exactly the range the editor was told about
    EXPECT_EQ(control_->WholeText(), "aQef");
}

TEST(TextControlKeys, KeyCodesAreThoseOfTheEditorLogic) {
    const std::pair<int, int> cases[] = {
        {Qt::Key_Backspace, 8}, {Qt::Key_Return, 13},   {Qt::Key_Enter, 13}, {Qt::Key_Space, 32},
        {Qt::Key_PageUp, 33},   {Qt::Key_PageDown, 34}, {Qt::Key_End, 35},   {Qt::Key_Home, 36},
        {Qt::Key_Left, 37},     {Qt::Key_Up, 38},       {Qt::Key_Right, 39}, {Qt::Key_Down, 40},
        {Qt::Key_Insert, 45},   {Qt::Key_Delete, 46},   {Qt::Key_A, 'A'},    {Qt::Key_Z, 'Z'},
        {Qt::Key_0, '0'},       {Qt::Key_9, '9'},       {Qt::Key_F1, 112},   {Qt::Key_F5, 116},
        {Qt::Key_F12, 123},     {Qt::Key_Escape, 0},    {Qt::Key_Less, 0},   {Qt::Key_F13, 0},
    };
    for (const auto& [key, code] : cases) {
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
        EXPECT_EQ(CTextControl::KeyCodeOf(&event), code) << std::hex << key;
    }
}

TEST_F(TextControlTest, InputMethodCompositionLeavesOnlyTheCommittedText) {
    control_->SetWholeText("[]");
    control_->SetSel(1, 1);
    auto send = [&](const QString& preedit, const QString& commit) {
        QInputMethodEvent event(preedit, {});
        if (!commit.isEmpty())
            event.setCommitString(commit);
        QApplication::sendEvent(control_.get(), &event);
    };
    send(QString::fromUtf8("k"), {});
    send(QString::fromUtf8("か"), {});
    send(QString::fromUtf8("かん"), {});
    EXPECT_EQ(control_->WholeText(), "[かん]");
    send({}, QString::fromUtf8("漢"));
    EXPECT_EQ(control_->WholeText(), "[漢]");
    EXPECT_EQ(Sel(), std::make_pair(4, 4));
    EXPECT_FALSE(Send(Sci::SCI_CANUNDO));

    send(QString::fromUtf8("じ"), {});
    send({}, {});  // composition cancelled
    EXPECT_EQ(control_->WholeText(), "[漢]");
}

TEST_F(TextControlTest, FirstVisibleLineRoundTripsThroughLineScroll) {
    std::string text;
    for (int i = 0; i < 60; ++i) text += "line " + std::string(80, 'x') + " end\r\n";
    for (bool wrap : {false, true}) {
        SCOPED_TRACE(wrap);
        control_->SetWordWrap(wrap);
        EXPECT_EQ(control_->WordWrap(), wrap);
        control_->SetWholeText(text);
        QApplication::processEvents();
        EXPECT_EQ(control_->FirstVisibleLine(), 0);
        control_->LineScroll(10);
        EXPECT_EQ(control_->FirstVisibleLine(), 10);
        control_->LineScroll(-3);
        EXPECT_EQ(control_->FirstVisibleLine(), 7);
    }
}

}  // namespace
