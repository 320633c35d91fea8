// The source view on the real control: colouring while typing, undo and redo,
// clipboard commands, large texts.

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>

#include "core/app_settings.h"
#include "editor/text_control.h"
#include "editor/veskhtml_doc.h"
#include "editor/veskhtml_view.h"
#include "support/seams.h"

using namespace vesk::test;

namespace {

class ViewTest : public ::testing::Test {
  protected:
    ViewTest() : view(settings, &doc) {
        view.show();
        view.Control().setFocus();
    }

    // One style digit per byte: 0 text, 1 tag, 2 param, 3 comment.
    std::string Styles() {
        std::string styles;
        for (int i = 0; i < control().TextLength(); ++i) {
            styles += static_cast<char>('0' + control().StyleAt(i));
        }
        return styles;
    }
    CTextControl& control() { return view.Control(); }
    std::string Text() { return control().WholeText(); }
    void Type(const QString& keys) { QTest::keyClicks(&control(), keys); }
    void Caret(int pos) {
        control().SetSel(pos, pos);
        view.RefreshCaretContextAsClick();
    }

    CAppSettings settings;
    CVeskHtmlDoc doc;
    CVeskHtmlView view;
};

TEST_F(ViewTest, LoadedTextIsColouredTagsValuesAndComments) {
    view.SetText("<A HREF=\"a.html\">x</A>");
    EXPECT_EQ(Styles(), "1111111122222222101111");
    view.SetText("<IMG WIDTH=10 HEIGHT=20>");
    EXPECT_EQ(Styles(), "111111111112211111111221");
    view.SetText("<!-- <B> -->x");
    EXPECT_EQ(Styles(), "3333333333330");
}

TEST_F(ViewTest, SwitchesDecideWhatIsColoured) {
    settings.general.formatCom = 0;
    settings.general.formatVal = 0;
    settings.general.colouringGeneration++;
    view.RefreshSettings();
    view.SetText("<!-- <B> --><P ALIGN=\"x\">");
    // The comment hides the <B> inside it, even uncoloured.
    EXPECT_EQ(Styles(), std::string(12, '0') + std::string(13, '1'));
    settings.general.formatTag = 0;
    settings.general.colouringGeneration++;
    view.RefreshSettings();  // a new generation recolours everything
    EXPECT_EQ(Styles(), std::string(25, '0'));
}

TEST_F(ViewTest, PlainLetterDoesNotRecolourButALessThanDoes) {
    view.SetText("ab cd<B>x</B>");
    // Mark the plain text so that any recolouring would show.
    control().ApplyStyle(0, 5, CTextControl::kCom);
    Caret(1);
    Type("z");
    EXPECT_EQ(Text(), "azb cd<B>x</B>");
    // Typed text takes the format at the caret; nothing was recoloured.
    EXPECT_EQ(Styles().substr(0, 6), "333333");
    Type("<");
    EXPECT_EQ(Text(), "az<b cd<B>x</B>");
    // The range around the caret, from the new "<" to the next "<", is coloured
    // afresh: an unclosed "<" leaves it plain.
    EXPECT_EQ(Styles().substr(0, 7), "3300000");
}

TEST_F(ViewTest, TypingInsideACommentKeepsTheCommentStyle) {
    view.SetText("<!-- ab -->x");
    Caret(6);
    Type("zz");
    EXPECT_EQ(Text(), "<!-- azzb -->x");
    EXPECT_EQ(Styles(), "33333333333330");
}

TEST_F(ViewTest, TypedCharactersUndoOneByOneAndRedo) {
    view.SetText("x");
    Caret(1);
    Type("abc");
    ASSERT_EQ(Text(), "xabc");
    EXPECT_TRUE(view.Journal().undoAvailable());
    view.OnEditUndo();
    EXPECT_EQ(Text(), "xab");
    view.OnEditUndo();
    EXPECT_EQ(Text(), "xa");
    view.OnEditUndo();
    EXPECT_EQ(Text(), "x");
    EXPECT_FALSE(view.Journal().undoAvailable());
    view.OnEditUndo();  // nothing left: nothing happens
    EXPECT_EQ(Text(), "x");
    view.OnEditRedo();
    view.OnEditRedo();
    EXPECT_EQ(Text(), "xab");
    // A new edit empties the redo list.
    Type("Q");
    EXPECT_FALSE(view.Journal().redoAvailable());
    view.OnEditRedo();
    EXPECT_EQ(Text(), "xabQ");
}

TEST_F(ViewTest, EnterBackspaceAndDeleteAreSteps) {
    view.SetText("abcd");
    Caret(2);
    QTest::keyClick(&control(), Qt::Key_Return);
    EXPECT_EQ(Text(), "ab\r\ncd");
    QTest::keyClick(&control(), Qt::Key_Delete);
    EXPECT_EQ(Text(), "ab\r\nd");
    QTest::keyClick(&control(), Qt::Key_Backspace);  // takes the whole line break
    EXPECT_EQ(Text(), "abd");
    // An arrow key in between does not stop undo from reaching the last edit.
    QTest::keyClick(&control(), Qt::Key_Left);
    view.OnEditUndo();
    EXPECT_EQ(Text(), "ab\r\nd");
    view.OnEditUndo();
    EXPECT_EQ(Text(), "ab\r\ncd");
    view.OnEditUndo();
    EXPECT_EQ(Text(), "abcd");
}

TEST_F(ViewTest, PasteOverSelectionUndoAndRedo) {
    view.SetText("one two three");
    QApplication::clipboard()->setText("<B>2</B>");
    control().SetSel(4, 7);
    view.RefreshCaretContextAsClick();
    view.OnEditPaste();
    EXPECT_EQ(Text(), "one <B>2</B> three");
    EXPECT_EQ(Styles().substr(4, 8), "11101111");  // the pasted tags are coloured
    view.OnEditUndo();
    EXPECT_EQ(Text(), "one two three");
    view.OnEditRedo();
    EXPECT_EQ(Text(), "one <B>2</B> three");
}

TEST_F(ViewTest, CutAndClearAreUndoneAndCopyClearsTheColourFlag) {
    view.SetText("<P>abc</P>");
    control().SetSel(3, 6);
    view.RefreshCaretContextAsClick();
    view.OnEditCut();
    EXPECT_EQ(Text(), "<P></P>");
    EXPECT_EQ(QApplication::clipboard()->text(), "abc");
    view.OnEditUndo();
    EXPECT_EQ(Text(), "<P>abc</P>");
    control().SetSel(0, 3);
    view.RefreshCaretContextAsClick();
    view.OnEditClear();
    EXPECT_EQ(Text(), "abc</P>");
    view.OnEditUndo();
    EXPECT_EQ(Text(), "<P>abc</P>");
    EXPECT_EQ(Styles(), "1110001111");

    settings.colourCopied = true;
    control().SetSel(0, 3);
    view.OnEditCopy();
    EXPECT_FALSE(settings.colourCopied);
}

TEST_F(ViewTest, TextDroppedFromOutsideIsColouredAndOneUndoStep) {
    view.SetText("ab\r\ncd");
    view.resize(400, 300);
    QApplication::processEvents();
    Caret(0);
    QMimeData data;
    data.setText("<B>");
    // Drop at the start of the second line.
    const long x = control().SendScintilla(QsciScintillaBase::SCI_POINTXFROMPOSITION, 0L, 4L);
    const long y = control().SendScintilla(QsciScintillaBase::SCI_POINTYFROMPOSITION, 0L, 4L);
    const QPoint at(static_cast<int>(x) + 1, static_cast<int>(y) + 2);
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(control().viewport(), &enter);
    QDragMoveEvent move(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(control().viewport(), &move);
    QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(control().viewport(), &drop);
    ASSERT_EQ(Text(), "ab\r\n<B>cd");
    EXPECT_EQ(Styles(), "000011100");
    view.OnEditUndo();
    EXPECT_EQ(Text(), "ab\r\ncd");
    view.OnEditRedo();
    EXPECT_EQ(Text(), "ab\r\n<B>cd");
}

TEST_F(ViewTest, InsertKeyIsSwallowed) {
    view.SetText("abc");
    Caret(0);
    QTest::keyClick(&control(), Qt::Key_Insert);
    Type("x");
    EXPECT_EQ(Text(), "xabc");
}

TEST_F(ViewTest, LargeTextWarningOncePerEntry) {
    ScriptedSeams seams;
    const std::string big(70000, 'a');
    view.SetText(big);
    EXPECT_EQ(seams.Messages().size(), 1u);
    EXPECT_EQ(seams.Messages()[0].text, CVeskHtmlView::kLargeTextMessage);
    EXPECT_EQ(seams.Messages()[0].icon, vesk::MsgIcon::Question);
    view.GetAllText();
    EXPECT_EQ(seams.Messages().size(), 1u);
    view.SetText("small");
    view.GetAllText();
    view.SetText(big);
    EXPECT_EQ(seams.Messages().size(), 2u);
}

TEST_F(ViewTest, ProgressFromTwoThousandCharacters) {
    QSignalSpy progress(&view, &CVeskHtmlView::ColouringProgress);
    QSignalSpy messages(&view, &CVeskHtmlView::StatusMessage);
    view.SetText(std::string(1999, 'a'));
    EXPECT_EQ(progress.count(), 0);
    view.SetText(std::string(2000, 'a'));
    ASSERT_GE(progress.count(), 2);
    EXPECT_EQ(progress.last().at(0).toInt(), -1);  // the bar goes away at the end
    EXPECT_EQ(messages.last().at(0).toString(), "レディ");
}

TEST_F(ViewTest, StatusTexts) {
    view.SetText("");
    EXPECT_EQ(view.StatusTexts(), (QStringList{"現在行 1行", "全行数 1行", "0Byte"}));
    view.SetText("a\r\nb\r\nあ");
    control().SetSel(6, 6);
    EXPECT_EQ(view.StatusTexts(), (QStringList{"現在行 3行", "全行数 3行", "9Byte"}));
}

TEST_F(ViewTest, EditsMarkTheDocumentModified) {
    view.SetText("abc");
    EXPECT_FALSE(doc.IsModified());
    Caret(3);
    Type("d");
    EXPECT_TRUE(doc.IsModified());
}

}  // namespace

// Typed through the real control: the end tag arrives with the ">" and leaves with it.
TEST_F(ViewTest, ClosingTagsComeWithTheGreaterThanSignWhenSwitchedOn) {
    view.SetText("");
    Type("<b>");
    EXPECT_EQ(Text(), "<b>");  // off by default

    SettingsSnapshot values = settings.CopyOut();
    values.autoCloseTags = 1;
    settings.CopyIn(values, false);
    view.RefreshSettings();
    view.SetText("");
    Type("<Div class=\"a>b\">x");
    EXPECT_EQ(Text(), "<Div class=\"a>b\">x</Div>");
    EXPECT_EQ(Styles().substr(Styles().size() - 7), "0111111");  // coloured as a typed one
    view.OnEditUndo();
    view.OnEditUndo();
    EXPECT_EQ(Text(), "<Div class=\"a>b\"");  // the ">" and its end tag were one step
    view.SetText("<P><BR><IMG SRC=\"a\"><HR/>");
    Caret(control().TextLength());
    Type("<br><p>");  // void elements get none
    EXPECT_EQ(Text(), "<P><BR><IMG SRC=\"a\"><HR/><br><p></p>");

    // "</" names the nearest element still open.
    view.SetText("<UL><LI>a</LI><LI><B>b</B>");
    Caret(control().TextLength());
    Type("</");
    EXPECT_EQ(Text(), "<UL><LI>a</LI><LI><B>b</B></LI>");
    Type("</");
    EXPECT_EQ(Text(), "<UL><LI>a</LI><LI><B>b</B></LI></UL>");
    EXPECT_EQ(Styles().substr(Styles().size() - 10), "1111111111");
    int start = 0, end = 0;
    control().GetSel(start, end);
    EXPECT_EQ(start, control().TextLength());
}

TEST_F(ViewTest, LineNumbersTakeAMarginAsWideAsTheLineCountNeeds) {
    auto marginWidth = [this] {
        return control().SendScintilla(QsciScintillaBase::SCI_GETMARGINWIDTHN, 0UL, 0L);
    };
    view.SetText("a\r\nb");
    ASSERT_TRUE(control().LineNumbersShown());  // on by default
    const long narrow = marginWidth();
    EXPECT_GT(narrow, 0);
    std::string lines;
    for (int i = 0; i < 12000; ++i) lines += "x\r\n";
    view.SetText(lines);
    EXPECT_GT(marginWidth(), narrow);
    const std::string styles = Styles();

    SettingsSnapshot values = settings.CopyOut();
    values.lineNumbers = 0;
    settings.CopyIn(values, false);
    view.RefreshSettings();
    EXPECT_EQ(marginWidth(), 0);
    EXPECT_EQ(Styles(), styles);
    EXPECT_EQ(view.StatusTexts().at(1), "全行数 12001行");
}

// The Enter that closes a dialog or opens a search result comes up in the editor.
TEST_F(ViewTest, AReleaseWithoutItsPressChangesNothing) {
    view.SetText("<A HREF=\"a.html\">link</A>");
    control().SetSel(3, 8);
    view.RefreshCaretContextAsClick();
    QTest::keyRelease(&control(), Qt::Key_Return);
    int start = 0, end = 0;
    control().GetSel(start, end);
    EXPECT_EQ(std::make_pair(start, end), std::make_pair(3, 8));
    EXPECT_FALSE(view.Journal().undoAvailable());
}
