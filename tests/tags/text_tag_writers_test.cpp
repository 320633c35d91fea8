// The heading, rule, link, list, font and image commands on a real view: the
// dialog is filled the way a user would fill it and confirmed, and the text,
// caret and undo history are checked in both tag cases.

#include "tags/text_tag_writers.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <functional>

#include "core/app_settings.h"
#include "editor/text_control.h"
#include "editor/undo_journal.h"
#include "editor/veskhtml_doc.h"
#include "editor/veskhtml_view.h"
#include "platform/dialog_seam.h"
#include "support/seams.h"
#include "support/tag_command_test.h"
#include "support/test_env.h"
#include "tags/font_dialog.h"
#include "tags/heading_rule_dialogs.h"
#include "tags/image_dialog.h"
#include "tags/link_dialogs.h"
#include "tags/list_dialogs.h"
#include "tags/radio_group.h"
#include "tools/conversion_commands.h"

namespace {

using namespace vesk;

// The dialog a command opens, filled by fill and confirmed (or cancelled).
using test::Answer;

class TextTagCommandTest : public test::TagCommandTest {
  protected:
    TextTagCommandTest() { InstallTextTagCommands(view); }
};

TEST_F(TextTagCommandTest, HeadingWrapsTheSelectionOrLeavesTheCaretInside) {
    Answer<CHeadingDlg>([](CHeadingDlg& d) {
        d.LevelGroup()->SetIndex(2);
        d.AlignGroup()->SetIndex(2);
    });
    EXPECT_EQ(Run(32795, "Title"), "x<H3 ALIGN=\"center\">Title</H3>y");
    EXPECT_EQ(Caret(), Find("y"));
    view.OnEditUndo();
    EXPECT_EQ(view.Control().WholeText(), "xTitley");

    // Confirmed as it opened: level 1, no alignment.
    Answer<CHeadingDlg>([](CHeadingDlg&) {});
    EXPECT_EQ(Run(32795), "x<H1></H1>y");
    EXPECT_EQ(Caret(), Find("</H1>"));

    Lower(true);
    Answer<CHeadingDlg>([](CHeadingDlg& d) {
        d.LevelGroup()->SetIndex(5);
        d.AlignGroup()->SetIndex(3);
    });
    EXPECT_EQ(Run(32795, "T"), "x<h6 align=\"right\">T</h6>y");
}

TEST_F(TextTagCommandTest, RuleFollowsTheSelectionWithItsAttributesInOrder) {
    Answer<CRuleDlg>([](CRuleDlg& d) {
        d.WidthEdit()->setText("50");
        d.PercentBox()->setChecked(true);
        d.SizeEdit()->setText("2");
        d.NoShadeBox()->setChecked(true);
        d.AlignGroup()->SetIndex(1);
    });
    EXPECT_EQ(Run(32814), "x<HR ALIGN=\"left\" WIDTH=\"50%\" SIZE=\"2\" NOSHADE>y");

    Answer<CRuleDlg>([](CRuleDlg&) {});
    EXPECT_EQ(Run(32814, "abc"), "xabc<HR>y");
    EXPECT_EQ(Caret(), Find("y"));

    // Percent only counts with a width.
    Answer<CRuleDlg>([](CRuleDlg& d) {
        d.PercentBox()->setChecked(true);
        d.WidthEdit()->setText("300");
        d.PercentBox()->setChecked(false);
    });
    Lower(true);
    EXPECT_EQ(Run(32814), "x<hr width=\"300\">y");
}

TEST_F(TextTagCommandTest, LinkAlwaysWritesHrefAndJoinsTheAnchor) {
    Answer<CLinkDlg>([](CLinkDlg& d) { d.AnchorCombo()->setEditText("top"); });
    EXPECT_EQ(Run(32815), "x<A HREF=\"#top\"></A>y");
    EXPECT_EQ(Caret(), Find("</A>"));

    Answer<CLinkDlg>([](CLinkDlg&) {});
    EXPECT_EQ(Run(32815), "x<A HREF=\"\"></A>y");

    Answer<CLinkDlg>([](CLinkDlg& d) {
        d.HrefField()->SetText("b.html");
        d.AnchorCombo()->setEditText("s2");
        d.TargetCombo()->setEditText("_blank");
        d.TitleEdit()->setText("Next");
    });
    EXPECT_EQ(Run(32815, "go"), "x<A HREF=\"b.html#s2\" TARGET=\"_blank\" TITLE=\"Next\">go</A>y");
    EXPECT_EQ(Caret(), Find("y"));
    Lower(true);
    EXPECT_EQ(Run(32815, "go"), "x<a href=\"b.html#s2\" target=\"_blank\" title=\"Next\">go</a>y");
}

// A double quote typed into a field cannot end the value, and what was typed
// (angle brackets included) keeps its case in either tag case.
TEST_F(TextTagCommandTest, TypedQuotesAreWrittenAsReferencesAndTheValueKeepsItsCase) {
    const struct {
        bool lower;
        const char* page;
    } cases[] = {
        {false, "x<A HREF=\"\" TITLE=\"say &quot;hi&quot; <b>\"></A>y"},
        {true, "x<a href=\"\" title=\"say &quot;hi&quot; <b>\"></a>y"},
    };
    for (const auto& c : cases) {
        Lower(c.lower);
        Answer<CLinkDlg>([](CLinkDlg& d) { QTest::keyClicks(d.TitleEdit(), "say \"hi\" <b>"); });
        EXPECT_EQ(Run(32815), c.page);
    }
}

TEST_F(TextTagCommandTest, MailLinkAndAnchorAlwaysWriteTheirAttribute) {
    Answer<CMailLinkDlg>([](CMailLinkDlg& d) {
        d.AddressCombo()->setEditText("me@example.jp");
        d.TitleEdit()->setText("Mail");
    });
    EXPECT_EQ(Run(32816, "me"), "x<A HREF=\"mailto:me@example.jp\" TITLE=\"Mail\">me</A>y");
    Answer<CMailLinkDlg>([](CMailLinkDlg&) {});
    EXPECT_EQ(Run(32816), "x<A HREF=\"mailto:\"></A>y");

    Answer<CAnchorDlg>([](CAnchorDlg&) {});
    EXPECT_EQ(Run(32817), "x<A NAME=\"\"></A>y");
    Lower(true);
    Answer<CAnchorDlg>([](CAnchorDlg& d) { d.NameEdit()->setText("Top"); });
    EXPECT_EQ(Run(32817, "t"), "x<a name=\"Top\">t</a>y");
}

TEST_F(TextTagCommandTest, ListsWrapAndItemsAreInsertedWithTheirTypes) {
    Answer<CListDlg>([](CListDlg&) {});
    EXPECT_EQ(Run(32839), "x<OL></OL>y");
    EXPECT_EQ(Caret(), Find("</OL>"));

    Answer<CListDlg>([](CListDlg& d) { d.TypeGroup()->SetIndex(3); });
    EXPECT_EQ(Run(32839, "a"), "x<OL TYPE=\"i\">a</OL>y");
    Answer<CListDlg>([](CListDlg& d) { d.TypeGroup()->SetIndex(4); });
    EXPECT_EQ(Run(32842, "a"), "xa<LI TYPE=\"1\">y");

    Answer<CListDlg>([](CListDlg& d) { d.TypeGroup()->SetIndex(1); });
    EXPECT_EQ(Run(32844), "x<LI TYPE=\"circle\">y");
    EXPECT_EQ(Caret(), Find("y"));
    Answer<CListDlg>([](CListDlg& d) { d.TypeGroup()->SetIndex(2); });
    EXPECT_EQ(Run(32840), "x<UL TYPE=\"square\"></UL>y");

    // The value keeps its case: only names follow the tag case.
    Lower(true);
    Answer<CListDlg>([](CListDlg& d) { d.TypeGroup()->SetIndex(0); });
    EXPECT_EQ(Run(32839), "x<ol type=\"A\"></ol>y");
    Answer<CListDlg>([](CListDlg& d) { d.TypeGroup()->SetIndex(0); });
    EXPECT_EQ(Run(32844), "x<li type=\"disc\">y");
}

TEST_F(TextTagCommandTest, FontWritesSizeByModeAndTheColourWhenGiven) {
    Answer<CFontDlg>([](CFontDlg& d) {
        d.SizeModeGroup()->SetIndex(1);
        d.SizeGroup()->SetIndex(1);
        d.ColourField()->SetText("red");
        d.ColourModeGroup()->SetIndex(1);
    });
    EXPECT_EQ(Run(32868), "x<FONT SIZE=\"+2\" COLOR=\"red\"></FONT>y");
    EXPECT_EQ(Caret(), Find("</FONT>"));

    // Colour "given" with nothing typed still writes the attribute.
    Answer<CFontDlg>([](CFontDlg& d) { d.ColourModeGroup()->SetIndex(1); });
    EXPECT_EQ(Run(32868, "a"), "x<FONT COLOR=\"\">a</FONT>y");

    Answer<CFontDlg>([](CFontDlg& d) {
        d.SizeModeGroup()->SetIndex(2);
        d.SizeGroup()->SetIndex(6);
    });
    EXPECT_EQ(Run(32868), "x<FONT SIZE=\"-7\"></FONT>y");
    Answer<CFontDlg>([](CFontDlg& d) {
        d.SizeModeGroup()->SetIndex(3);
        d.SizeGroup()->SetIndex(2);
    });
    Lower(true);
    EXPECT_EQ(Run(32868), "x<font size=\"3\"></font>y");
    Answer<CFontDlg>([](CFontDlg&) {});
    EXPECT_EQ(Run(32868), "x<font></font>y");
}

TEST_F(TextTagCommandTest, ImageWritesSrcAlwaysAndTheRestInItsOrder) {
    Answer<CImageDlg>([](CImageDlg& d) {
        d.SrcField()->SetText("a.gif");
        d.AltEdit()->setText("logo");
    });
    EXPECT_EQ(Run(32783, "pic"), "xpic<IMG SRC=\"a.gif\" ALT=\"logo\">y");
    EXPECT_EQ(Caret(), Find("y"));

    Answer<CImageDlg>([](CImageDlg& d) {
        d.AltEdit()->setText("A");
        d.VspaceEdit()->setText("4");
        d.HspaceEdit()->setText("3");
        d.AlignCombo()->setEditText("left");
        d.BorderCombo()->setEditText("0");
        d.HeightEdit()->setText("20");
        d.WidthEdit()->setText("10");
        d.SrcField()->SetText("img/b.png");
    });
    EXPECT_EQ(Run(32783),
              "x<IMG SRC=\"img/b.png\" WIDTH=\"10\" HEIGHT=\"20\" BORDER=\"0\" ALIGN=\"left\" "
              "HSPACE=\"3\" VSPACE=\"4\" ALT=\"A\">y");

    Lower(true);
    Answer<CImageDlg>([](CImageDlg& d) {
        d.SrcField()->SetText("a.gif");
        d.AltEdit()->setText("logo");
    });
    EXPECT_EQ(Run(32783), "x<img src=\"a.gif\" alt=\"logo\">y");
    Answer<CImageDlg>([](CImageDlg&) {});
    EXPECT_EQ(Run(32783), "x<img src=\"\">y");
}

TEST_F(TextTagCommandTest, CancelledDialogsChangeNothingAndAddNoUndoStep) {
    view.SetText("xaby");
    view.Control().SetSel(1, 3);
    const int steps = view.Journal().UndoCount();
    for (int id : {32795, 32814, 32815, 32816, 32817, 32839, 32840, 32842, 32844, 32868, 32783}) {
        dialog_seam::SetScript([](QDialog&) { return static_cast<int>(QDialog::Rejected); });
        EXPECT_TRUE(view.ExecuteCommand(id));
        EXPECT_EQ(view.Control().WholeText(), "xaby") << id;
    }
    EXPECT_EQ(view.Journal().UndoCount(), steps);
    int s = 0, e = 0;
    view.Control().GetSel(s, e);
    EXPECT_EQ(std::make_pair(s, e), std::make_pair(1, 3));
}

TEST_F(TextTagCommandTest, ConfirmedCommandIsOneUndoStep) {
    view.SetText("xy");
    view.Control().SetSel(1, 1);
    const int steps = view.Journal().UndoCount();
    Answer<CListDlg>([](CListDlg&) {});
    view.ExecuteCommand(32839);
    EXPECT_EQ(view.Journal().UndoCount(), steps + 1);
    view.OnEditUndo();
    EXPECT_EQ(view.Control().WholeText(), "xy");
    view.OnEditRedo();
    EXPECT_EQ(view.Control().WholeText(), "x<OL></OL>y");
}

// Edit tag's mode: the dialog opens prefilled and the tag is rewritten.
TEST_F(TextTagCommandTest, EditModeRewritesDivAndParagraphAlignment) {
    const std::string before = "a<DIV ALIGN=\"left\" ID=\"m\">b</DIV>";
    view.SetText(before);
    view.Control().SetSel(1, static_cast<int>(before.find('>')) + 1);
    view.Journal().RememberState(true);
    // What Edit tag leaves of the tag: the attributes no dialog knows.
    const CTagScanner scanner(" ID=\"m\">", 1, static_cast<int>(before.find('>')), kKindDiv);

    AlignData data{1, 1};
    Answer<CAlignDlg>([](CAlignDlg& d) {
        EXPECT_EQ(d.windowTitle(), "<DIV>テキストの表示位置");
        EXPECT_EQ(d.AlignGroup()->Index(), 1);
        d.AlignGroup()->SetIndex(2);
    });
    ASSERT_TRUE(WriteAlign(view, data, kWriterEdit, scanner));
    EXPECT_EQ(view.Control().WholeText(), "a<DIV ALIGN=\"center\" ID=\"m\">b</DIV>");
    EXPECT_EQ(data.align, 2);

    AlignData paragraph{0, -1};
    Answer<CAlignDlg>([](CAlignDlg& d) {
        EXPECT_EQ(d.windowTitle(), "<P>段落");
        EXPECT_EQ(d.AlignGroup()->Index(), -1);
    });
    view.SetText("<P>t");
    view.Control().SetSel(2, 2);
    EXPECT_TRUE(WriteAlign(view, paragraph, kWriterInsert, CTagScanner()));
    EXPECT_EQ(view.Control().WholeText(), "<P<P></P>>t");
}

}  // namespace
