// Edit tag on a real view: every kind of tag reopened in its dialog and
// confirmed unchanged gives its text back; values no dialog can show stop
// with the syntax-error message; unknown attributes stay in the tag.

#include "tagedit/edit_tag.h"

#include <gtest/gtest.h>

#include <QLineEdit>

#include "core/app_settings.h"
#include "editor/text_control.h"
#include "editor/undo_journal.h"
#include "editor/veskhtml_doc.h"
#include "editor/veskhtml_view.h"
#include "mapedit/map_writeback.h"
#include "platform/dialog_seam.h"
#include "support/seams.h"
#include "support/test_env.h"
#include "tagedit/tag_at_caret.h"
#include "tags/heading_rule_dialogs.h"
#include "tags/link_dialogs.h"
#include "tags/radio_group.h"
#include "tools/conversion_commands.h"

namespace {

using namespace vesk;

const QString kSyntaxError = QString::fromUtf8(map_texts::kSyntaxErrorMessage);

class EditTagTest : public ::testing::Test {
  protected:
    EditTagTest() : view(settings, &doc) {
        test::ClearSettings();
        InstallTagCaseConversion();
        InstallEditTagCommand(view);
        CVeskHtmlView::caretRecordsRefresher = RefreshTagAtCaret;
        // Every dialog is confirmed as it opened.
        dialog_seam::SetScript([this](QDialog& dialog) {
            captions.push_back(dialog.windowTitle());
            return static_cast<int>(QDialog::Accepted);
        });
        SetMapEditorRunner([this](CVeskHtmlView&, MapImagePair* pair) {
            mapNames.push_back(pair ? pair->name : "<new>");
            return std::optional<CMapData>();
        });
    }
    ~EditTagTest() override {
        test::InstallNonBlockingSeams();
        SetMapEditorRunner({});
        CVeskHtmlView::caretRecordsRefresher = nullptr;
    }

    void Lower() {
        settings.general.sizeLower = 1;
        view.RefreshSettings();
    }
    // F5 with the caret at the first "@" of page (which is removed).
    std::string F5(std::string page) {
        const std::size_t at = page.find('@');
        page.erase(at, 1);
        view.SetText(page);
        view.Control().SetSel(static_cast<int>(at), static_cast<int>(at));
        view.RefreshCaretContextAsClick();
        view.ExecuteCommand(32893);
        return view.Control().WholeText();
    }
    // F5 confirmed unchanged must give the page back.
    void RoundTrip(const std::string& page) {
        std::string plain = page;
        plain.erase(plain.find('@'), 1);
        const std::size_t opened = captions.size();
        EXPECT_EQ(F5(page), plain) << page;
        EXPECT_EQ(captions.size(), opened + 1) << page;
        EXPECT_TRUE(seams.Messages().empty()) << page;
    }

    CAppSettings settings;
    CVeskHtmlDoc doc;
    CVeskHtmlView view;
    test::ScriptedSeams seams;
    std::vector<QString> captions;
    std::vector<std::string> mapNames;
};

TEST_F(EditTagTest, EveryDialogGivesItsTagBackWhenConfirmedUnchanged) {
    RoundTrip("<H@R ALIGN=\"left\" WIDTH=\"50%\" SIZE=\"2\" NOSHADE>");
    RoundTrip("<DI@V ALIGN=\"center\">x</DIV>");
    RoundTrip("<P@ ALIGN=\"right\">x");
    RoundTrip(
        "<BO@DY TEXT=\"#000000\" LINK=\"blue\" VLINK=\"red\" ALINK=\"lime\" "
        "BGCOLOR=\"white\" BACKGROUND=\"bg.gif\">");
    RoundTrip("<FO@NT SIZE=\"+2\" COLOR=\"red\">x</FONT>");
    RoundTrip("<FONT SIZE=\"-7\"@>x</FONT>");
    RoundTrip(
        "<TA@BLE WIDTH=\"80%\" HEIGHT=\"40\" BORDER=\"1\" ALIGN=\"center\" "
        "CELLSPACING=\"2\" CELLPADDING=\"3\" BGCOLOR=\"silver\" HSPACE=\"4\" VSPACE=\"5\">");
    RoundTrip("<T@R ALIGN=\"right\" VALIGN=\"top\" BACKGROUND=\"b.gif\">");
    RoundTrip("<T@D VALIGN=\"top\" ROWSPAN=\"2\" NOWRAP>");
    RoundTrip(
        "<T@H ALIGN=\"center\" BGCOLOR=\"#ff00cc\" COLSPAN=\"3\" WIDTH=\"10\" HEIGHT=\"20\">");
    RoundTrip("<FRAME@SET BORDER=\"1\" COLS=\"30%,*\" ROWS=\"100,*\">");
    RoundTrip(
        "<FRA@ME SRC=\"a.html\" NAME=\"main\" FRAMEBORDER=\"no\" MARGINWIDTH=\"2\" "
        "MARGINHEIGHT=\"3\" SCROLLING=\"no\" NORESIZE>");
    RoundTrip("<FRA@ME SRC=\"b.html\" BORDERCOLOR=\"#123456\">");
    RoundTrip("<ME@TA NAME=\"author\" CONTENT=\"Me\">");
    RoundTrip("<ME@TA NAME=\"robots\" CONTENT=\"noindex\">");
    RoundTrip("<ME@TA HTTP-EQUIV=\"refresh\" CONTENT=\"5;URL=next.html\">");
    RoundTrip("<ME@TA HTTP-EQUIV=\"content-type\" CONTENT=\"text/html;charset=EUC-JP\">");
    RoundTrip("<SE@LECT NAME=\"c\" MULTIPLE>");
    RoundTrip("<OP@TION VALUE=\"1\" SELECTED>One\r\n<OPTION VALUE=\"2\">Two");
    RoundTrip("<TEXT@AREA ROWS=\"5\" COLS=\"40\" NAME=\"msg\">\r\nhello</TEXTAREA>");
    RoundTrip(
        "<FO@RM ACTION=\"/cgi-bin/post.cgi\" METHOD=\"POST\" "
        "ENCTYPE=\"application/x-www-form-urlencoded\" TARGET=\"_blank\">");
    RoundTrip("<FO@RM ACTION=\"mailto:me@x.jp\" METHOD=\"GET\" ENCTYPE=\"text/plain\">");
    RoundTrip("<IN@PUT TYPE=\"password\" NAME=\"pw\" SIZE=\"8\">");
    RoundTrip("<IN@PUT TYPE=\"checkbox\" NAME=\"agree\" VALUE=\"yes\" CHECKED>OK\r\n");
    RoundTrip("<IN@PUT TYPE=\"submit\" VALUE=\"Send\">");
    RoundTrip("<IN@PUT TYPE=\"file\" NAME=\"f\" VALUE=\"\">");
    RoundTrip("<IN@PUT TYPE=\"hidden\" NAME=\"a\" VALUE=\"b\">");
    RoundTrip("<A@ HREF=\"b.html#s2\" TARGET=\"_blank\" TITLE=\"Next\">go</A>");
    RoundTrip("<A@ HREF=\"#top\">up</A>");
    RoundTrip("<A@ HREF=\"mailto:me@x.jp\" TITLE=\"Mail\">me</A>");
    RoundTrip("<A@ NAME=\"top\">t</A>");
    RoundTrip(
        "<IM@G SRC=\"a.gif\" WIDTH=\"10\" HEIGHT=\"20\" BORDER=\"0\" ALIGN=\"left\" "
        "HSPACE=\"3\" VSPACE=\"4\" ALT=\"A\">");
    for (const char* level : {"1", "2", "3", "4", "5", "6"})
        RoundTrip(std::string("<H@") + level + " ALIGN=\"center\">Title</H" + level + ">");
    RoundTrip("<O@L TYPE=\"i\"><LI TYPE=\"A\">a</OL>");
    RoundTrip("<OL TYPE=\"i\"><L@I TYPE=\"A\">a</OL>");
    RoundTrip("<U@L TYPE=\"square\"><LI>a</UL>");
    RoundTrip("<UL><L@I TYPE=\"circle\">a</UL>");
    RoundTrip("<UL><L@I>a</UL>");
    EXPECT_EQ(captions.size(), 43u);
    EXPECT_TRUE(mapNames.empty());

    // The dialogs opened prefilled.
    captions.clear();
    RoundTrip("<IN@PUT TYPE=\"hidden\" NAME=\"a\" VALUE=\"b\">");
    EXPECT_EQ(captions.back(), "<INPUT TYPE=\"hidden\" >隠し項目フォーム");
}

TEST_F(EditTagTest, QuotesWrittenAsReferencesAreShownAsTypedAndWrittenBackAlike) {
    QString shown;
    dialog_seam::SetScript([&shown](QDialog& dialog) {
        shown = dynamic_cast<CLinkDlg&>(dialog).TitleEdit()->text();
        return static_cast<int>(QDialog::Accepted);
    });
    const std::string page = "<A HREF=\"b.html\" TITLE=\"say &quot;hi&quot; &amp; bye\">go</A>";
    std::string marked = page;
    marked.insert(2, "@");
    EXPECT_EQ(F5(marked), page);
    EXPECT_EQ(shown, "say \"hi\" &amp; bye");
}

TEST_F(EditTagTest, LowerCaseSettingRewritesNamesKeepingValuesAndUnknownAttributes) {
    Lower();
    EXPECT_EQ(F5("<T@D CLASS=\"K\"\r\n\tWIDTH=\"5\" NOWRAP>x</TD>"),
              "<td width=\"5\" nowrap class=\"K\">x</TD>");
    EXPECT_EQ(F5("<a href=\"A.HTML\" id=\"Z\"@>x</a>"), "<a href=\"A.HTML\" id=\"Z\">x</a>");
}

TEST_F(EditTagTest, HeadingsRewriteTheirClosingTagWithTheLevel) {
    dialog_seam::SetScript([](QDialog& dialog) {
        dynamic_cast<CHeadingDlg&>(dialog).LevelGroup()->SetIndex(3);
        return static_cast<int>(QDialog::Accepted);
    });
    EXPECT_EQ(F5("x<h@2 class=\"c\">Title</h2>y"), "x<H4 CLASS=\"c\">Title</H4>y");
    const int steps = view.Journal().UndoCount();
    view.OnEditUndo();
    EXPECT_EQ(view.Control().WholeText(), "x<h2 class=\"c\">Title</h2>y");
    EXPECT_EQ(view.Journal().UndoCount(), steps - 1);
}

TEST_F(EditTagTest, HeadingWithoutItsOwnEndTagIsRewrittenAsItsStartTagAlone) {
    dialog_seam::SetScript([](QDialog& dialog) {
        dynamic_cast<CHeadingDlg&>(dialog).LevelGroup()->SetIndex(3);
        return static_cast<int>(QDialog::Accepted);
    });
    const struct {
        const char* page;
        const char* written;
    } cases[] = {
        {"<H@1>never closed\r\n<P>text\r\n</HTML>", "<H4>never closed\r\n<P>text\r\n</HTML>"},
        {"<h@1>a</h2>b</h1>", "<H4>a</h2>b</h1>"},
        {"<H@2>a\r\n<H3>b</H3>", "<H4>a\r\n<H3>b</H3>"},
        {"<H@3 ALIGN=\"left\">end", "<H4 ALIGN=\"left\">end"},
    };
    for (const auto& c : cases) EXPECT_EQ(F5(c.page), c.written) << c.page;
    EXPECT_TRUE(seams.Messages().empty());
}

TEST_F(EditTagTest, ValuesTheDialogCannotShowStopWithTheSyntaxMessage) {
    for (const char* page : {"<HR ALIGN=\"justify\"@>", "<TABLE ALIGN=\"Left\"@>",
                             "<FONT SIZE=\"+8\"@>", "<FONT SIZE=\"10\"@>", "<FONT SIZE=\"0\"@>",
                             "<A HREF=\"a.cgi?x=1\"@>", "<INPUT TYPE=\"image\"@>",
                             "<TEXTAREA@>no end", "<META NAME=\"generator-x\" CONTENT=\"a\"@>",
                             "<IMG USEMAP=\"map\"@>", "<OPTION@>two\r\nlines<"}) {
        const std::size_t before = seams.Messages().size();
        std::string plain = page;
        plain.erase(plain.find('@'), 1);
        EXPECT_EQ(F5(page), plain);
        ASSERT_EQ(seams.Messages().size(), before + 1) << page;
        EXPECT_EQ(seams.Messages().back().text, kSyntaxError) << page;
    }
    EXPECT_TRUE(captions.empty());
    // Upper case keywords are accepted where the tag allows them.
    const std::size_t messages = seams.Messages().size();
    EXPECT_EQ(F5("<H@R ALIGN=\"LEFT\">"), "<HR ALIGN=\"left\">");
    EXPECT_EQ(seams.Messages().size(), messages);
}

TEST_F(EditTagTest, SomeTagsLeadNowhereAndF5IsOffOutsideKnownTags) {
    for (const char* page :
         {"<INPUT NAME=\"x\"@>", "<A ID=\"x\"@>", "<L@I>no list", "<UL><LI TYPE=\"x\"@>"}) {
        std::string plain = page;
        plain.erase(plain.find('@'), 1);
        EXPECT_EQ(F5(page), plain);
    }
    EXPECT_TRUE(captions.empty());
    EXPECT_TRUE(seams.Messages().empty());

    for (const char* page : {"ab@c", "<SP@AN>", "<Ta@ble>"}) {
        std::string plain = page;
        plain.erase(plain.find('@'), 1);
        view.SetText(plain);
        const int at = static_cast<int>(std::string(page).find('@'));
        view.Control().SetSel(at, at);
        view.RefreshCaretContextAsClick();
        CommandState state;
        view.UpdateCommand(32893, state);
        EXPECT_FALSE(state.enabled) << page;
    }
}

TEST_F(EditTagTest, CancelLeavesTheTextAndTheCaretBehindTheName) {
    dialog_seam::SetScript([](QDialog&) { return static_cast<int>(QDialog::Rejected); });
    EXPECT_EQ(F5("ab<TD WID@TH=\"5\">"), "ab<TD WIDTH=\"5\">");
    int s = 0, e = 0;
    view.Control().GetSel(s, e);
    EXPECT_EQ(std::make_pair(s, e), std::make_pair(2 + 3 + 1, 2 + 3 + 1));
    // BODY leaves the caret right behind "<BODY".
    EXPECT_EQ(F5("<BODY TEXT=\"red\"@>"), "<BODY TEXT=\"red\">");
    view.Control().GetSel(s, e);
    EXPECT_EQ(s, 5);
}

TEST_F(EditTagTest, MapsOpenTheMapEditorOnTheirName) {
    const std::string maps =
        "<IMG SRC=\"a.gif\" USEMAP=\"#nav\">\r\n<MAP NAME=\"nav\">\r\n"
        "<AREA SHAPE=\"rect\" COORDS=\"0,0,1,1\" HREF=\"a.html\">\r\n</MAP>";
    for (const char* target : {"USEMAP", "NAME=\"nav", "COORDS"}) {
        std::string page = maps;
        page.insert(page.find(target) + 2, "@");
        F5(page);
    }
    EXPECT_EQ(mapNames, (std::vector<std::string>{"nav", "nav", "nav"}));
    EXPECT_TRUE(seams.Messages().empty());

    // Two maps of one name: the duplicate message.
    mapNames.clear();
    F5("<IMG SRC=\"a.gif\" USEMAP=\"#nav\"@><IMG SRC=\"b.gif\" USEMAP=\"#nav\">"
       "<MAP NAME=\"nav\"></MAP><MAP NAME=\"nav\"></MAP>");
    EXPECT_TRUE(mapNames.empty());
    ASSERT_EQ(seams.Messages().size(), 1u);
    EXPECT_EQ(seams.Messages()[0].text, QString::fromUtf8(map_texts::kDuplicateNameMessage));
}

}  // namespace
