// The page skeletons and the page-structure tags: the texts their records
// make, and the commands on a real view with the dialog filled as a user
// would, in both tag cases, with the caret and undo history afterwards.

#include "tags/page_tags.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
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
#include "tags/frame_dialogs.h"
#include "tags/page_dialogs.h"
#include "tags/page_tag_writers.h"
#include "tags/radio_group.h"
#include "tools/conversion_commands.h"
#include "tools/conversions.h"

namespace {

using namespace vesk;

// Division sizes.

TEST(DivisionSizes, PercentGoesOnEverySizeButTheStarredOnes) {
    EXPECT_EQ(DivisionSizes("30\r\n*", true), "30%,*");
    EXPECT_EQ(DivisionSizes("20\r\n80", true), "20%,80%");
    EXPECT_EQ(DivisionSizes("200\r\n*", false), "200,*");
    EXPECT_EQ(DivisionSizes("2*\r\n100", true), "2*,100%");
    // An empty line is a size of its own and gets its sign too.
    EXPECT_EQ(DivisionSizes("30\r\n\r\n*", true), "30%,%,*");
    EXPECT_EQ(DivisionSizes("50", true), "50%");
}

TEST(DivisionSizes, TrailingWhiteSpaceIsDroppedAndEveryLineBreakSeparates) {
    EXPECT_EQ(DivisionSizes("30\r\n*\r\n\r\n \t", true), "30%,*");
    EXPECT_EQ(DivisionSizes("10\n20\r30", false), "10,20,30");
    EXPECT_EQ(DivisionSizes("\r\n\t ", false), "");
}

TEST(DivisionSizes, OnlyDigitsStarsPercentAndLineBreaksAreSizes) {
    EXPECT_TRUE(IsDivisionText("30%\r\n*\r\n2*"));
    EXPECT_TRUE(IsDivisionText(""));
    EXPECT_FALSE(IsDivisionText("a"));
    EXPECT_FALSE(IsDivisionText("30\r\n 70"));
    EXPECT_FALSE(IsDivisionText("1,2"));
    EXPECT_EQ(RemovePercentSigns("30%\r\n%*%"), "30\r\n*");
}

// Texts of the records.

TEST(PageTexts, MetaTagByKind) {
    MetaData meta;
    EXPECT_EQ(MetaTag(meta), "");
    meta.kind = kMetaAuthor;
    EXPECT_EQ(MetaTag(meta), "<META NAME=\"author\" CONTENT=\"\">");
    meta.kind = kMetaKeywords;
    meta.text = "html,editor";
    EXPECT_EQ(MetaTag(meta), "<META NAME=\"keywords\" CONTENT=\"html,editor\">");
    meta.kind = kMetaReplyTo;
    EXPECT_EQ(MetaTag(meta), "<META NAME=\"reply-to\" CONTENT=\"html,editor\">");
    meta.kind = kMetaRefresh;
    meta.seconds = "5";
    meta.text = "next.html";
    EXPECT_EQ(MetaTag(meta), "<META HTTP-EQUIV=\"refresh\" CONTENT=\"5;URL=next.html\">");

    meta.kind = kMetaRobots;
    const char* const robots[] = {"all", "index", "noindex", "nofollow", "none"};
    for (int i = 0; i < 5; ++i) {
        meta.robots = i;
        EXPECT_EQ(MetaTag(meta),
                  std::string("<META NAME=\"robots\" CONTENT=\"") + robots[i] + "\">");
    }
    meta.robots = kRobotsBlank;
    EXPECT_EQ(MetaTag(meta), "<META NAME=\"robots\" CONTENT=\"\">");

    meta.kind = kMetaContentType;
    const char* const charsets[] = {"SHIFT_JIS", "ISO-2022-JP", "EUC-JP", "UTF-8"};
    for (int i = 0; i < 4; ++i) {
        meta.charset = i;
        EXPECT_EQ(MetaTag(meta),
                  std::string("<META HTTP-EQUIV=\"content-type\" CONTENT=\"text/html;charset=") +
                      charsets[i] + "\">");
    }
    for (int blank : {static_cast<int>(kCharsetNone), -1}) {
        meta.charset = blank;
        EXPECT_EQ(MetaTag(meta), "<META HTTP-EQUIV=\"content-type\" CONTENT=\"\">");
    }
}

TEST(PageTexts, FrameAttributesInTheirOrder) {
    FrameData frame{1, 1, 1, 1, "#00ff00", "3", "4", "n", "s.html"};
    EXPECT_EQ(FrameOpening(frame),
              "<FRAME SRC=\"s.html\" NAME=\"n\" FRAMEBORDER=\"no\" BORDERCOLOR=\"#00ff00\" "
              "MARGINWIDTH=\"4\" MARGINHEIGHT=\"3\" SCROLLING=\"no\" NORESIZE");
    // The colour counts only while its box is checked, and only when given.
    frame = FrameData{};
    frame.borderColor = "red";
    EXPECT_EQ(FrameOpening(frame), "<FRAME");
    frame.borderColorOn = 1;
    frame.borderColor.clear();
    EXPECT_EQ(FrameOpening(frame), "<FRAME");
}

TEST(PageTexts, BodyAndFramesetAttributesInTheirOrder) {
    EXPECT_EQ(BodyTexts(BodyData{"black", "blue", "purple", "red", "#FFFFFF", "bg.gif"}).opening,
              "<BODY TEXT=\"black\" LINK=\"blue\" VLINK=\"purple\" ALINK=\"red\" "
              "BGCOLOR=\"#FFFFFF\" BACKGROUND=\"bg.gif\"");

    FramesetData set;
    EXPECT_EQ(FramesetTexts(set).opening, "<FRAMESET");
    // A checked box with no sizes writes no attribute.
    set.colsPercent = 1;
    set.rows = "\r\n";
    EXPECT_EQ(FramesetTexts(set).opening, "<FRAMESET");
    set = FramesetData{0, "2", "120\r\n*", "20\r\n80", 1};
    EXPECT_EQ(FramesetTexts(set).opening, "<FRAMESET BORDER=\"2\" COLS=\"120,*\" ROWS=\"20%,80%\"");
}

TEST(PageTexts, SkeletonWritesEveryGivenLineInItsPlace) {
    PageSkeletonData page;
    page.title = "T";
    page.charset = kCharsetEuc;
    page.author = "A";
    page.copyright = "C";
    page.replyTo = "R";
    page.build = "B";
    page.description = "D";
    page.robots = kRobotsNoindex;
    page.keywords = "K";
    page.textColor = "#000000";
    page.alinkColor = "red";
    page.background = "b.png";
    const SkeletonText skeleton = PageSkeletonText(page, true);
    const std::string expected =
        "\r\n<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">\r\n\r\n"
        "<HTML>\r\n\r\n<HEAD>\r\n"
        "  <TITLE> T </TITLE>\r\n"
        "  <META HTTP-EQUIV=\"content-type\" CONTENT=\"text/html;charset=EUC-JP\">\r\n"
        "  <META NAME=\"author\" CONTENT=\"A\">\r\n"
        "  <META NAME=\"copyright\" CONTENT=\"C\">\r\n"
        "  <META NAME=\"reply-to\" CONTENT=\"R\">\r\n"
        "  <META NAME=\"build\" CONTENT=\"B\">\r\n"
        "  <META NAME=\"description\" CONTENT=\"D\">\r\n"
        "  <META NAME=\"robots\" CONTENT=\"noindex\">\r\n"
        "  <META HTTP-EQUIV=\"keyword\" CONTENT=\"K\">\r\n"
        "  <META NAME=\"generator\" content=\"VeskHtml V2.7.6\">\r\n"
        "</HEAD>\r\n\r\n"
        "<BODY TEXT=\"#000000\" ALINK=\"red\" BACKGROUND=\"b.png\">\r\n\r\n</BODY>\r\n\r\n</HTML>";
    EXPECT_EQ(skeleton.text, expected);
    EXPECT_EQ(skeleton.caret, expected.find("\r\n</BODY>"));

    FrameSkeletonData frames;
    frames.charset = kCharsetUtf8;
    const SkeletonText frameText = FrameSkeletonText(frames, false);
    EXPECT_EQ(frameText.text,
              "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">\r\n\r\n"
              "<HTML>\r\n\r\n<HEAD>\r\n"
              "  <META HTTP-EQUIV=\"content-type\" CONTENT=\"text/html;charset=UTF-8\">\r\n"
              "  <META NAME=\"generator\" CONTENT=\"VeskHtml V2.7.6\">\r\n"
              "</HEAD>\r\n\r\n<FRAMESET>\r\n\r\n</FRAMESET>\r\n\r\n</HTML>");
    EXPECT_EQ(frameText.caret, frameText.text.find("\r\n</FRAMESET>"));
}

TEST(PageTexts, Html5SkeletonInBothTagCases) {
    PageSkeletonData page;
    page.html5 = true;
    page.title = "T";
    page.author = "A";
    page.bgColor = "#FFFFFF";
    const SkeletonText skeleton = PageSkeletonText(page, false);
    const std::string upper =
        "<!DOCTYPE html>\r\n\r\n<HTML LANG=\"ja\">\r\n\r\n<HEAD>\r\n"
        "  <META CHARSET=\"UTF-8\">\r\n"
        "  <META NAME=\"viewport\" CONTENT=\"width=device-width, initial-scale=1\">\r\n"
        "  <TITLE>T</TITLE>\r\n"
        "  <META NAME=\"author\" CONTENT=\"A\">\r\n"
        "  <META NAME=\"generator\" CONTENT=\"VeskHtml V2.7.6\">\r\n"
        "</HEAD>\r\n\r\n<BODY BGCOLOR=\"#FFFFFF\">\r\n\r\n</BODY>\r\n\r\n</HTML>";
    EXPECT_EQ(ApplyTagCaseSetting(skeleton.text, 0), upper);
    EXPECT_EQ(ApplyTagCaseSetting(skeleton.text, 1),
              "<!DOCTYPE html>\r\n\r\n<html lang=\"ja\">\r\n\r\n<head>\r\n"
              "  <meta charset=\"UTF-8\">\r\n"
              "  <meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\r\n"
              "  <title>T</title>\r\n"
              "  <meta name=\"author\" content=\"A\">\r\n"
              "  <meta name=\"generator\" content=\"VeskHtml V2.7.6\">\r\n"
              "</head>\r\n\r\n<body bgcolor=\"#FFFFFF\">\r\n\r\n</body>\r\n\r\n</html>");
    EXPECT_EQ(skeleton.caret, skeleton.text.find("\r\n</BODY>"));
    // A chosen character set replaces UTF-8.
    page.charset = kCharsetEuc;
    EXPECT_NE(PageSkeletonText(page, false).text.find("<META CHARSET=\"EUC-JP\">"),
              std::string::npos);
}

// The commands on a view.

using test::Answer;

const char kTopPage[] =
    "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">\r\n\r\n<HTML>\r\n\r\n"
    "<HEAD>\r\n  <TITLE> Top </TITLE>\r\n"
    "  <META HTTP-EQUIV=\"content-type\" CONTENT=\"text/html;charset=SHIFT_JIS\">\r\n"
    "  <META NAME=\"generator\" CONTENT=\"VeskHtml V2.7.6\">\r\n</HEAD>\r\n\r\n"
    "<BODY>\r\n\r\n</BODY>\r\n\r\n</HTML>";
const char kTopPageLower[] =
    "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">\r\n\r\n<html>\r\n\r\n"
    "<head>\r\n  <title> Top </title>\r\n"
    "  <meta http-equiv=\"content-type\" content=\"text/html;charset=SHIFT_JIS\">\r\n"
    "  <meta name=\"generator\" content=\"VeskHtml V2.7.6\">\r\n</head>\r\n\r\n"
    "<body>\r\n\r\n</body>\r\n\r\n</html>";

class PageTagCommandTest : public test::TagCommandTest {
  protected:
    PageTagCommandTest() { InstallPageTagCommands(view); }
};

void FillTopPage(CPageSkeletonDlg& d) {
    d.TitleEdit()->setText("Top");
    d.CharsetCombo()->setCurrentIndex(kCharsetShiftJis);
}

TEST_F(PageTagCommandTest, GeneralSkeletonLeavesTheCaretInsideBody) {
    Answer<CPageSkeletonDlg>(FillTopPage);
    EXPECT_EQ(Run(32776), std::string("x") + kTopPage + "y");
    EXPECT_EQ(Caret(), Find("<BODY>\r\n") + 8);

    // Tag and attribute names follow the setting; the declaration and values do not.
    Lower(true);
    Answer<CPageSkeletonDlg>(FillTopPage);
    EXPECT_EQ(Run(32776), std::string("x") + kTopPageLower + "y");
    EXPECT_EQ(Caret(), Find("<body>\r\n") + 8);
}

TEST_F(PageTagCommandTest, SkeletonFollowsTheSelectionOnANewLineAsOneUndoStep) {
    view.SetText("xsely");
    view.Control().SetSel(1, 4);
    const int steps = view.Journal().UndoCount();
    Answer<CPageSkeletonDlg>([](CPageSkeletonDlg& d) {
        FillTopPage(d);
        d.LinkField()->SetText("#123456");
        d.BgcolorField()->SetText("white");
    });
    view.ExecuteCommand(32776);
    const std::string text = view.Control().WholeText();
    EXPECT_EQ(text.substr(0, 6), "xsel\r\n");
    EXPECT_NE(text.find("<BODY LINK=\"#123456\" BGCOLOR=\"white\">\r\n\r\n</BODY>"),
              std::string::npos);
    EXPECT_EQ(Caret(), Find("BGCOLOR=\"white\">\r\n") + 18);
    EXPECT_EQ(view.Journal().UndoCount(), steps + 1);
    view.OnEditUndo();
    EXPECT_EQ(view.Control().WholeText(), "xsely");
}

TEST_F(PageTagCommandTest, FrameSkeletonConvertsTheDivisionSizes) {
    Answer<CFrameSkeletonDlg>([](CFrameSkeletonDlg& d) {
        d.KeywordsEdit()->setText("k");
        d.RobotsCombo()->setCurrentIndex(kRobotsAll);
        d.Division()->ColsEdit()->setPlainText("30\n*");
        d.Division()->ColsPercentBox()->setChecked(true);
        d.Division()->RowsEdit()->setPlainText("200\n*\n");
        d.Division()->BorderEdit()->setText("0");
    });
    const std::string text = Run(32819);
    EXPECT_NE(text.find("  <META NAME=\"robots\" CONTENT=\"all\">\r\n"
                        "  <META HTTP-EQUIV=\"keyword\" CONTENT=\"k\">\r\n"
                        "  <META NAME=\"generator\" CONTENT=\"VeskHtml V2.7.6\">\r\n</HEAD>"),
              std::string::npos);
    const std::string tail =
        "<FRAMESET BORDER=\"0\" COLS=\"30%,*\" ROWS=\"200,*\">\r\n\r\n</FRAMESET>\r\n\r\n"
        "</HTML>y";
    ASSERT_GE(text.size(), tail.size());
    EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
    EXPECT_EQ(Caret(), Find("ROWS=\"200,*\">\r\n") + 15);

    Lower(true);
    Answer<CFrameSkeletonDlg>([](CFrameSkeletonDlg& d) {
        d.Division()->ColsEdit()->setPlainText("20\n80");
        d.Division()->ColsPercentBox()->setChecked(true);
    });
    EXPECT_NE(
        Run(32819, "s").find("<frameset cols=\"20%,80%\">\r\n\r\n</frameset>\r\n\r\n</html>y"),
        std::string::npos);
}

TEST_F(PageTagCommandTest, DoctypeFollowsTheSelectionInEitherCase) {
    const std::string doctype = "\r\n<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 3.2 Final//EN\">";
    Answer<CDoctypeDlg>([](CDoctypeDlg& d) {
        d.VersionCombo()->setCurrentIndex(d.VersionCombo()->findText("HTML 3.2 Final"));
    });
    EXPECT_EQ(Run(32892, "abc"), "xabc" + doctype + "y");
    EXPECT_EQ(Caret(), Find("y"));
    Lower(true);
    Answer<CDoctypeDlg>([](CDoctypeDlg& d) { d.VersionCombo()->setEditText("HTML 3.2 Final"); });
    EXPECT_EQ(Run(32892), "x" + doctype + "y");
}

TEST_F(PageTagCommandTest, MetaIsInsertedBehindTheSelection) {
    Answer<CMetaDlg>([](CMetaDlg& d) {
        d.KindGroup()->SetIndex(kMetaRefresh);
        d.SecondsEdit()->setText("5");
        d.TextEdit()->setText("next.html");
    });
    EXPECT_EQ(Run(32890, "s"), "xs<META HTTP-EQUIV=\"refresh\" CONTENT=\"5;URL=next.html\">y");
    EXPECT_EQ(Caret(), Find("y"));

    Answer<CMetaDlg>([](CMetaDlg& d) { d.KindGroup()->SetIndex(kMetaAuthor); });
    EXPECT_EQ(Run(32890), "x<META NAME=\"author\" CONTENT=\"\">y");

    Lower(true);
    Answer<CMetaDlg>([](CMetaDlg& d) {
        d.KindGroup()->SetIndex(kMetaContentType);
        d.CharsetCombo()->setCurrentIndex(kCharsetUtf8);
    });
    EXPECT_EQ(Run(32890),
              "x<meta http-equiv=\"content-type\" content=\"text/html;charset=UTF-8\">y");

    // No kind: nothing written, and no step to undo.
    view.SetText("xy");
    const int steps = view.Journal().UndoCount();
    Answer<CMetaDlg>([](CMetaDlg&) {});
    view.ExecuteCommand(32890);
    EXPECT_EQ(view.Control().WholeText(), "xy");
    EXPECT_EQ(view.Journal().UndoCount(), steps);
}

TEST_F(PageTagCommandTest, BodyAndFramesetWrapOnTheirOwnLines) {
    Answer<CBodyDlg>([](CBodyDlg&) {});
    EXPECT_EQ(Run(32888), "x<BODY>\r\n\r\n</BODY>y");
    EXPECT_EQ(Caret(), Find("\r\n</BODY>"));
    Answer<CBodyDlg>([](CBodyDlg& d) {
        d.BgcolorField()->SetText("#ffffcc");
        d.TextField()->SetText("navy");
        d.BackgroundField()->SetText("img/bg.gif");
    });
    EXPECT_EQ(Run(32888, "abc"),
              "x<BODY TEXT=\"navy\" BGCOLOR=\"#ffffcc\" BACKGROUND=\"img/bg.gif\">\r\nabc\r\n"
              "</BODY>y");
    EXPECT_EQ(Caret(), Find("</BODY>y") + 7);

    Answer<CFramesetDlg>([](CFramesetDlg&) {});
    EXPECT_EQ(Run(32895), "x<FRAMESET>\r\n\r\n</FRAMESET>y");
    EXPECT_EQ(Caret(), Find("\r\n</FRAMESET>"));

    Lower(true);
    Answer<CFramesetDlg>([](CFramesetDlg& d) {
        d.Division()->RowsEdit()->setPlainText("1*\n3*");
        d.Division()->RowsPercentBox()->setChecked(true);
    });
    EXPECT_EQ(Run(32895, "f"), "x<frameset rows=\"1*,3*\">\r\nf\r\n</frameset>y");
}

TEST_F(PageTagCommandTest, FrameIsInsertedWithItsAttributes) {
    Answer<CFrameDlg>([](CFrameDlg& d) {
        d.SrcField()->SetText("a.html");
        d.NameEdit()->setText("main");
        d.ScrollingNoBox()->setChecked(true);
    });
    EXPECT_EQ(Run(32853), "x<FRAME SRC=\"a.html\" NAME=\"main\" SCROLLING=\"no\">y");
    EXPECT_EQ(Caret(), Find("y"));
    Lower(true);
    Answer<CFrameDlg>([](CFrameDlg& d) {
        d.BorderColorOnBox()->setChecked(true);
        d.BorderColorField()->SetText("#FF0000");
        d.NoResizeBox()->setChecked(true);
    });
    EXPECT_EQ(Run(32853, "t"), "xt<frame bordercolor=\"#FF0000\" noresize>y");
}

TEST_F(PageTagCommandTest, CancelledDialogsChangeNothingAndAddNoUndoStep) {
    view.SetText("xaby");
    view.Control().SetSel(1, 3);
    const int steps = view.Journal().UndoCount();
    for (int id : {32776, 32819, 32892, 32890, 32888, 32895, 32853}) {
        dialog_seam::SetScript([](QDialog&) { return static_cast<int>(QDialog::Rejected); });
        EXPECT_TRUE(view.ExecuteCommand(id));
        EXPECT_EQ(view.Control().WholeText(), "xaby") << id;
    }
    EXPECT_EQ(view.Journal().UndoCount(), steps);
    int s = 0, e = 0;
    view.Control().GetSel(s, e);
    EXPECT_EQ(std::make_pair(s, e), std::make_pair(1, 3));
}

// Edit tag's mode.
TEST_F(PageTagCommandTest, EditModeKeepsUnknownAttributesExceptInMeta) {
    std::string before = "a<BODY TEXT=\"red\" ID=\"p\">b";
    view.SetText(before);
    view.Journal().RememberState(true);
    const int close = static_cast<int>(before.find('>'));
    BodyData body;
    body.textColor = "red";
    Answer<CBodyDlg>([](CBodyDlg& d) {
        EXPECT_EQ(d.TextField()->Text(), "red");
        d.BgcolorField()->SetText("black");
    });
    ASSERT_TRUE(WriteBody(view, body, kWriterEdit, CTagScanner(" ID=\"p\">", 1, close, kKindBody)));
    EXPECT_EQ(view.Control().WholeText(), "a<BODY TEXT=\"red\" BGCOLOR=\"black\" ID=\"p\">b");
    EXPECT_EQ(body.bgColor, "black");

    before = "a<META NAME=\"author\" CONTENT=\"old\" LANG=\"ja\">b";
    view.SetText(before);
    view.Journal().RememberState(true);
    MetaData meta;
    meta.kind = kMetaAuthor;
    meta.text = "old";
    Answer<CMetaDlg>([](CMetaDlg& d) {
        EXPECT_EQ(d.TextEdit()->text(), "old");
        d.TextEdit()->setText("new");
    });
    const CTagScanner scanner(" LANG=\"ja\">", 1, static_cast<int>(before.find('>')), kKindMeta);
    ASSERT_TRUE(WriteMeta(view, meta, kWriterEdit, scanner));
    EXPECT_EQ(view.Control().WholeText(), "a<META NAME=\"author\" CONTENT=\"new\">b");
    EXPECT_EQ(Caret(), Find("b"));

    // A META left without a kind stays as it was.
    Answer<CMetaDlg>([](CMetaDlg& d) { d.KindGroup()->SetIndex(-1); });
    view.SetText(before);
    EXPECT_TRUE(WriteMeta(view, meta, kWriterEdit, scanner));
    EXPECT_EQ(view.Control().WholeText(), before);
}

}  // namespace
