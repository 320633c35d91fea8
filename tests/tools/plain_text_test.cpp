// Plain-text conversion: the text steps in their order, and the command on a
// real view with its dialog, undo step and stored switches.

#include "tools/plain_text.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <string>

#include "core/app_settings.h"
#include "core/command_ids.h"
#include "editor/text_control.h"
#include "editor/undo_journal.h"
#include "editor/veskhtml_doc.h"
#include "editor/veskhtml_view.h"
#include "platform/dialog_seam.h"
#include "platform/settings_store.h"
#include "support/seams.h"
#include "support/test_env.h"
#include "tools/plain_text_command.h"
#include "tools/plain_text_dialog.h"

using vesk::ConvertToPlainText;

namespace {

constexpr int kAll = 0xFF;

struct Case {
    const char* input;
    int options;
    const char* expected;
};

void ExpectCases(std::initializer_list<Case> cases) {
    for (const Case& c : cases) {
        EXPECT_EQ(ConvertToPlainText(c.input, c.options), c.expected)
            << "input: " << c.input << "  options: " << c.options;
    }
}

// ---------------------------------------------------------------------------
// The text steps

TEST(PlainText, TagsGoAlwaysAndTheSourceBreaksStay) {
    ExpectCases({
        {"a<B>b</B>c", 0, "abc"},
        {"x<B>b</B>\r\ny", 0, "xb\r\ny"},
        {"<A\r\nHREF=\"x.html\">link</A>", 0, "link"},  // a tag over two lines
        {"a<b", 0, "a<b"},                              // no ">": the rest stays
        {"x>y<B>z", 0, "x>yz"},                         // a stray ">" before the tag
        {"a-->b<I>c</I>", 0, "a-->bc"},                 // a comment closer in the text
        {"<b -->x", 0, "<b -->x"},                      // a ">" ending "-->" never ends a tag
        {"日本語<B>太字</B>です", 0, "日本語太字です"},
    });
}

TEST(PlainText, EmptyTextStaysEmpty) {
    for (int options : {0, kAll, vesk::kPlainPToEmptyLine | vesk::kPlainBreakAtBlockTags})
        EXPECT_EQ(ConvertToPlainText("", options), "");
}

TEST(PlainText, BrBecomesALineBreakInThreeSpellingsOnly) {
    ExpectCases({
        {"a<BR>b<br>c<Br>d<bR>e<BR >f", vesk::kPlainBrToBreak, "a\r\nb\r\nc\r\ndef"},
        {"a<BR>b<br>c", 0, "abc"},
    });
}

TEST(PlainText, OnlyTheBarePBecomesAnEmptyLine) {
    ExpectCases({
        {"<P>a<p>b<P ALIGN=\"center\">c", vesk::kPlainPToEmptyLine, "\r\n\r\na\r\n\r\nbc"},
        {"<P>a", 0, "a"},
    });
}

TEST(PlainText, BreaksBeforeBlockTags) {
    const int on = vesk::kPlainBreakAtBlockTags;
    ExpectCases({
        {"<TABLE><TR><TD>a</TD></TR></TABLE>", on, "\r\n\r\n\r\na\r\n"},
        {"x<TD>1<td>2", on, "x\r\n1\r\n2"},
        // Lower case is only looked for behind the last upper-case spelling.
        {"<td>1<TD>2", on, "1\r\n2"},
        {"<td>1<td>2", on, "\r\n1\r\n2"},
        {"<Td>1", on, "1"},  // mixed case is neither spelling
        // No test of the name's end: THEAD begins with TH.
        {"<THEAD>x<TITLE>t</TITLE>", on, "\r\nxt"},
        {"<H1>T</H1><H2>U</H2><HR>", on, "\r\nT\r\nU\r\n"},
        {"<BLOCKQUOTE>q</BLOCKQUOTE><CENTER>c</CENTER>", on, "\r\nq\r\n\r\nc\r\n"},
        {"<UL><LI>a<LI>b</UL><DL><DT>t<DD>d</DL>", on, "\r\na\r\nb\r\nt\r\nd"},
        {"本文<DIV>日本語</DIV>終<IMG SRC=\"a.png\">", on, "本文\r\n日本語\r\n終\r\n"},
    });
}

TEST(PlainText, CommentMarkersGoUnlessKept) {
    const int keep = vesk::kPlainKeepCommentMarkers;
    ExpectCases({
        {"<!-- x -->y", 0, " x y"},
        {"<!-- x -->y", keep, "<!-- x -->y"},
        // Tags inside a comment go either way.
        {"<!-- <B>x</B> -->", 0, " x "},
        {"<!-- <B>x</B> -->", keep, "<!-- x -->"},
        {"<!--a-->b<!--c-->", 0, "abc"},
        // Each opener pairs with the first closer after it.
        {"<!--a<!--b-->c-->", 0, "a<!--bc-->"},
        // An opener without a closer stays.
        {"a<!-- b<I>c</I>", 0, "a<!-- bc"},
    });
}

TEST(PlainText, BlanksAtLineStartsGo) {
    const int on = vesk::kPlainTrimLineStarts;
    ExpectCases({
        {" \t　a\r\n  b　c\r\n\r\n　", on, "a\r\nb　c\r\n\r\n"},
        {"<B> </B> x", on, "x"},   // blanks left over by removed tags
        {"x\n  y", on, "x\n  y"},  // a bare LF does not start a line
        {"  a", 0, "  a"},
    });
}

TEST(PlainText, RunsOfBlankLinesBecomeTheirFirstLine) {
    const int on = vesk::kPlainCollapseEmptyLines;
    ExpectCases({
        {"a\r\n\r\n \r\n\t\r\n　\r\nb", on, "a\r\n\r\nb"},
        {"a\r\n  \r\n\r\nb", on, "a\r\n  \r\nb"},  // the first one is kept as it is
        {"\r\n\r\na", on, "\r\na"},
        // The last line is never deleted.
        {"a\r\n\r\n\r\n", on, "a\r\n\r\n"},
        {"a\r\n\r\nb\r\n\r\nc", on, "a\r\n\r\nb\r\n\r\nc"},
        {"a\r\n\r\n\r\nb", 0, "a\r\n\r\n\r\nb"},
    });
}

TEST(PlainText, CharacterReferencesInTableOrder) {
    const int on = vesk::kPlainConvertReferences;
    ExpectCases({
        {"&#034;&quot;&#060;&lt;&#062;&gt;&#169;&copy;&#174;&reg;&#038;&amp;", on,
         "\"\"<<>>(C)(C)(R)(R)&&"},
        // Tags were removed before the references turned into characters.
        {"&lt;B&gt;x<B>y</B>", on, "<B>xy"},
        {"&LT;&Amp;&nbsp;", on, "&LT;&Amp;&nbsp;"},
        // "&amp;" comes last, so a doubly escaped sign is left escaped once.
        {"&amp;lt;", on, "&lt;"},
        {"&lt;", 0, "&lt;"},
        {"東京&amp;大阪&copy;", on, "東京&大阪(C)"},
    });
}

// Each pair of switches whose steps run in a fixed order.
TEST(PlainText, StepsRunInTheirFixedOrder) {
    using namespace vesk;
    ExpectCases({
        // The source's breaks go before BR and P make new ones.
        {"a\r\nb<br>c", kPlainDeleteBreaks | kPlainBrToBreak, "ab\r\nc"},
        {"a\r\n<P>b", kPlainDeleteBreaks | kPlainPToEmptyLine, "a\r\n\r\nb"},
        {"<DIV>a\r\n</DIV>", kPlainDeleteBreaks | kPlainBreakAtBlockTags, "\r\na\r\n"},
        // Block tags inside a comment still break; the markers go afterwards.
        {"<!--<DIV>-->a", kPlainBreakAtBlockTags, "\r\na"},
        // Blanks are trimmed after the tags that stood before them have gone.
        {"<DIV>  x", kPlainBreakAtBlockTags | kPlainTrimLineStarts, "\r\nx"},
        // Empty lines made by P collapse.
        {"<P><P>x", kPlainPToEmptyLine | kPlainCollapseEmptyLines, "\r\nx"},
        {"<P><P>x", kPlainPToEmptyLine, "\r\n\r\n\r\n\r\nx"},
        // Trimming runs before collapsing; either way a blank line counts as blank.
        {"a\r\n \r\n \r\nb", kPlainTrimLineStarts | kPlainCollapseEmptyLines, "a\r\n\r\nb"},
        // References turn into tags only after the tags were removed.
        {"&lt;BR&gt;<BR>", kPlainBrToBreak | kPlainConvertReferences, "<BR>\r\n"},
        {"<P>&nbsp;</P>\r\n\r\n<P> &amp; </P>", kAll, "\r\n&nbsp;\r\n\r\n& "},
    });
}

TEST(PlainText, AJapanesePageWithEverySwitch) {
    const std::string page =
        "<HTML>\r\n<HEAD><TITLE>題名</TITLE></HEAD>\r\n<BODY>\r\n"
        "<H1>見出し</H1>\r\n"
        "<P>　全角の空白で始まる段落。<BR>\r\n  次の行&amp;記号</P>\r\n"
        "<!-- 注釈 -->\r\n"
        "<TABLE><TR><TD>表</TD></TR></TABLE>\r\n"
        "</BODY>\r\n</HTML>";
    using namespace vesk;
    EXPECT_EQ(ConvertToPlainText(page, kAll & ~kPlainKeepCommentMarkers),
              "題名\r\n見出し\r\n\r\n全角の空白で始まる段落。\r\n次の行&記号 注釈 \r\n\r\n表\r\n");
    EXPECT_EQ(ConvertToPlainText(page, 0),
              "\r\n題名\r\n\r\n見出し\r\n　全角の空白で始まる段落。\r\n  次の行&amp;記号\r\n"
              " 注釈 \r\n表\r\n\r\n");
}

TEST(PlainText, LongTextOfManyTagsAndComments) {
    std::string source;
    std::string expected;
    for (int i = 0; i < 100000; ++i) {
        source += "<TD>a&amp;<!-- c -->\r\n";
        expected += "\r\na&<!-- c -->";
    }
    EXPECT_EQ(ConvertToPlainText(source, kAll), expected);
    // Comment closers and stray ">" without openers, and an unclosed tag at the end.
    std::string strays;
    for (int i = 0; i < 100000; ++i) strays += "-->";
    strays += std::string(100000, '>');
    EXPECT_EQ(ConvertToPlainText("a" + strays + "<B>b<", 0), "a" + strays + "b<");
}

// ---------------------------------------------------------------------------
// The dialog

TEST(PlainTextDialog, ListsTheSwitchesInBitOrderWithTheirHelp) {
    vesk::test::ClearSettings();
    CPlainTextDialog dialog;
    EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("プレーンテキストに変換"));
    ASSERT_EQ(dialog.optionList->count(), 8);
    const char* items[] = {
        " <BR>を改行に変換",     " <P>を空行に変換",           " 改行の必要なタグの位置で改行",
        " 元の改行コードを削除", " 行頭の空白を削除",          " 2行以上の空行を削除",
        " 記号<!-- -->を残す",   " エスケープシーケンスを変換"};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(dialog.optionList->item(i)->text(), QString::fromUtf8(items[i]));
        EXPECT_EQ(dialog.optionList->item(i)->checkState(), Qt::Unchecked);
    }
    EXPECT_EQ(dialog.runButton->text(), QString::fromUtf8("実行"));
    EXPECT_EQ(dialog.cancelButton->text(), QString::fromUtf8("ｷｬﾝｾﾙ"));

    EXPECT_TRUE(dialog.helpText->text().isEmpty());
    dialog.optionList->setCurrentRow(2);
    EXPECT_EQ(dialog.helpText->text(),
              QString::fromUtf8("ブラウザで表示したときに自動的に改行されるタグなど、\n"
                                "改行の必要なタグの場所に改行コードを挿入します。"));
    dialog.optionList->setCurrentRow(6);
    EXPECT_EQ(dialog.helpText->text(),
              QString::fromUtf8("コメントアウトの記号<!-- -->を削除せずに残します。"));
    dialog.optionList->clearSelection();
    EXPECT_TRUE(dialog.helpText->text().isEmpty());

    dialog.optionList->item(0)->setCheckState(Qt::Checked);
    dialog.optionList->item(7)->setCheckState(Qt::Checked);
    EXPECT_EQ(dialog.Options(), 0x81);
}

// ---------------------------------------------------------------------------
// The command

class PlainTextCommandTest : public ::testing::Test {
  protected:
    PlainTextCommandTest() : view(settings, &doc) {
        vesk::test::ClearSettings();
        InstallPlainTextCommand(view, settings);
        view.resize(500, 300);
        view.show();
    }
    ~PlainTextCommandTest() override { vesk::test::InstallNonBlockingSeams(); }

    // The dialog answers with these switches ticked (and all others cleared).
    void Answer(int options, int result = QDialog::Accepted) {
        vesk::dialog_seam::SetScript([this, options, result](QDialog& dialog) {
            ++dialogsRun;
            auto* list = dialog.findChild<QListWidget*>("optionList");
            if (!list)
                return static_cast<int>(QDialog::Rejected);
            shownOptions = 0;
            for (int i = 0; i < list->count(); ++i) {
                if (list->item(i)->checkState() == Qt::Checked)
                    shownOptions |= 1 << i;
                list->item(i)->setCheckState((options >> i) & 1 ? Qt::Checked : Qt::Unchecked);
            }
            return result;
        });
    }
    void Run() { ASSERT_TRUE(view.ExecuteCommand(cmd::kToPlainText)); }
    std::string Text() { return view.Control().WholeText(); }
    std::pair<int, int> Selection() {
        int start = 0, end = 0;
        view.Control().GetSel(start, end);
        return {start, end};
    }
    int StoredOptions() { return AppStore().GetProfileInt("EditorSettings", "ToTextOption", -1); }

    CAppSettings settings;
    CVeskHtmlDoc doc;
    CVeskHtmlView view;
    int dialogsRun = 0;
    int shownOptions = -1;
};

TEST_F(PlainTextCommandTest, EmptySelectionConvertsTheWholeDocumentAsOneUndoStep) {
    const std::string original = "<P>a<B>b</B>\r\n<!-- c -->";
    view.SetText(original);
    view.Control().SetSel(5, 5);
    const int undoBefore = view.Journal().UndoCount();
    Answer(vesk::kPlainPToEmptyLine);
    Run();
    EXPECT_EQ(dialogsRun, 1);
    EXPECT_EQ(Text(), "\r\n\r\nab\r\n c ");
    EXPECT_EQ(Selection(), std::make_pair(0, 0));
    EXPECT_EQ(StoredOptions(), vesk::kPlainPToEmptyLine);

    ASSERT_EQ(view.Journal().UndoCount(), undoBefore + 1);
    EXPECT_EQ(view.Journal().UndoList().front().kind, kUndoPaste);
    view.OnEditUndo();
    EXPECT_EQ(Text(), original);
    view.OnEditRedo();
    EXPECT_EQ(Text(), "\r\n\r\nab\r\n c ");
}

TEST_F(PlainTextCommandTest, ASelectionIsConvertedInPlaceAndRecoloured) {
    const std::string original = "日本<B>x</B>|<I>語&amp;</I>";
    view.SetText(original);
    const int start = static_cast<int>(original.find('|')) + 1;
    view.Control().SetSel(start, static_cast<int>(original.size()));
    Answer(vesk::kPlainConvertReferences);
    Run();
    EXPECT_EQ(Text(), "日本<B>x</B>|語&");
    EXPECT_EQ(Selection(), std::make_pair(start, start));
    // The tag before the range keeps its colour; the converted text is plain.
    EXPECT_EQ(view.Control().StyleAt(6), CTextControl::kTag);
    for (int i = start; i < view.Control().TextLength(); ++i)
        EXPECT_EQ(view.Control().StyleAt(i), CTextControl::kText) << i;
    view.OnEditUndo();
    EXPECT_EQ(Text(), original);
}

TEST_F(PlainTextCommandTest, KeptCommentMarkersAreColouredAsAComment) {
    view.SetText("<B><!-- x --></B>");
    Answer(vesk::kPlainKeepCommentMarkers);
    Run();
    EXPECT_EQ(Text(), "<!-- x -->");
    for (int i = 0; i < view.Control().TextLength(); ++i)
        EXPECT_EQ(view.Control().StyleAt(i), CTextControl::kCom) << i;
}

TEST_F(PlainTextCommandTest, TheDialogOpensWithTheStoredSwitches) {
    AppStore().WriteProfileInt("EditorSettings", "ToTextOption",
                               vesk::kPlainBrToBreak | vesk::kPlainConvertReferences);
    view.SetText("&lt;<BR>x");
    Answer(vesk::kPlainBrToBreak | vesk::kPlainConvertReferences);
    Run();
    EXPECT_EQ(shownOptions, vesk::kPlainBrToBreak | vesk::kPlainConvertReferences);
    EXPECT_EQ(Text(), "<\r\nx");

    // The next run shows what this one stored.
    Answer(0);
    view.SetText("a");
    Run();
    EXPECT_EQ(shownOptions, vesk::kPlainBrToBreak | vesk::kPlainConvertReferences);
    EXPECT_EQ(StoredOptions(), 0);
}

TEST_F(PlainTextCommandTest, CancelChangesNothing) {
    const std::string original = "<B>a</B>";
    view.SetText(original);
    view.Control().SetSel(1, 2);
    const int undoBefore = view.Journal().UndoCount();
    Answer(kAll, QDialog::Rejected);
    Run();
    EXPECT_EQ(dialogsRun, 1);
    EXPECT_EQ(Text(), original);
    EXPECT_EQ(Selection(), std::make_pair(1, 2));
    EXPECT_EQ(view.Journal().UndoCount(), undoBefore);
    EXPECT_FALSE(AppStore().HasEntry("EditorSettings", "ToTextOption"));
}

TEST_F(PlainTextCommandTest, TheViewDoesNotJump) {
    std::string text;
    for (int i = 0; i < 300; ++i) text += "<B>line</B> " + std::to_string(i) + "\r\n";
    view.SetText(text);
    view.Control().LineScroll(120);
    const int firstVisible = view.Control().FirstVisibleLine();
    ASSERT_GT(firstVisible, 0);
    Answer(0);
    Run();
    EXPECT_EQ(Text().substr(0, 16), "line 0\r\nline 1\r\n");
    EXPECT_EQ(Selection(), std::make_pair(0, 0));
    EXPECT_EQ(view.Control().FirstVisibleLine(), firstVisible);
}

TEST_F(PlainTextCommandTest, EnabledOnlyWhenTheDocumentHoldsText) {
    CommandState state;
    ASSERT_TRUE(view.UpdateCommand(cmd::kToPlainText, state));
    EXPECT_FALSE(state.enabled);
    view.SetText("x");
    ASSERT_TRUE(view.UpdateCommand(cmd::kToPlainText, state));
    EXPECT_TRUE(state.enabled);
}

}  // namespace
