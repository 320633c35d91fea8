// The form tags: the texts their records make, and the form commands on a
// real view, with the dialog filled as a user would and confirmed, in both
// tag cases; labels and initial texts never change case.

#include "tags/form_tags.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTableWidget>
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
#include "tags/form_dialogs.h"
#include "tags/form_tag_writers.h"
#include "tags/radio_group.h"
#include "tags/select_batch_dialog.h"
#include "tools/conversion_commands.h"

namespace {

using namespace vesk;

// Builders: what the dialogs cannot produce (no choice at all) and the rules
// the commands below do not reach.

TEST(FormTagTextTest, ChoicesDecideWhichAttributesAreWritten) {
    // A mail form forgets a target typed earlier; its empty address still counts.
    EXPECT_EQ(FormTexts(FormData{"", 1, -1, -1, "_top"}).opening, "<FORM ACTION=\"mailto:\"");
    EXPECT_EQ(FormTexts(FormData{"x.cgi", -1, -1, -1, "_self"}).opening, "<FORM");
    EXPECT_EQ(FormTexts(FormData{"", 0, -1, -1, ""}).opening, "<FORM ACTION=\"\"");

    // NAME belongs to file and script buttons only, and is written even when empty.
    EXPECT_EQ(ButtonOpening(ButtonData{"n", "Clear", 1}), "<INPUT TYPE=\"reset\" VALUE=\"Clear\"");
    EXPECT_EQ(ButtonOpening(ButtonData{"", "", 3}), "<INPUT TYPE=\"button\" NAME=\"\" VALUE=\"\"");
    EXPECT_EQ(TextInputOpening(TextInputData{}), "<INPUT");
    EXPECT_EQ(CheckFieldOpening(CheckFieldData{}), "<INPUT");
    EXPECT_EQ(HiddenOpening(HiddenData{"id", "7"}),
              "<INPUT TYPE=\"hidden\" NAME=\"id\" VALUE=\"7\"");

    const char* const wraps[] = {"off", "soft", "hard"};
    for (int wrap = 0; wrap < 3; ++wrap)
        EXPECT_EQ(TextAreaTexts(TextAreaData{"", "", "", "", wrap}).opening,
                  std::string("<TEXTAREA WRAP=\"") + wraps[wrap] + "\"");
    EXPECT_EQ(OptionOpening(OptionData{}), "<OPTION VALUE=\"\"");
    // An empty list still makes a whole SELECT.
    EXPECT_EQ(JoinTextPieces(SelectBatchPieces(SelectBatchData{}, false), 0),
              "<SELECT>\r\n</SELECT>");
}

TEST(FormTagTextTest, TrimBlanksRemovesOnlyOuterWhiteSpace) {
    EXPECT_EQ(TrimBlanks(" \t Red  Rose\r\n"), "Red  Rose");
    EXPECT_EQ(TrimBlanks("   "), "");
    EXPECT_EQ(TrimBlanks("　a "), "　a");  // a full-width blank is text
}

// Commands on a view.

using test::Answer;

enum Command {
    kForm = 32855,
    kTextInput = 32856,
    kTextArea = 32857,
    kSelectBatch = 32862,
    kSelect = 32896,
    kOption = 32863,
    kCheckField = 32858,
    kButton = 32867,
    kHidden = 32860,
};

class FormCommandTest : public test::TagCommandTest {
  protected:
    FormCommandTest() { InstallFormTagCommands(view); }
    // Where the trailing "y" stands: right behind what was written.
    int BeforeY() { return static_cast<int>(view.Control().WholeText().size()) - 1; }
};

TEST_F(FormCommandTest, FormWrapsWithItsChoicesAsTheDialogOpened) {
    Answer<CFormDlg>([](CFormDlg& d) {
        d.ActionEdit()->setText("/cgi-bin/post.cgi");
        d.TargetCombo()->setEditText("_blank");
    });
    EXPECT_EQ(Run(kForm),
              "x<FORM ACTION=\"/cgi-bin/post.cgi\" METHOD=\"POST\" "
              "ENCTYPE=\"application/x-www-form-urlencoded\" TARGET=\"_blank\"></FORM>y");
    EXPECT_EQ(Caret(), Find("</FORM>"));

    Answer<CFormDlg>([](CFormDlg& d) {
        d.TargetCombo()->setEditText("_top");
        d.ActionKindGroup()->Button(1)->click();
        d.ActionEdit()->setText("me@example.jp");
        d.MethodGroup()->Button(1)->click();
        d.EnctypeGroup()->Button(1)->click();
    });
    EXPECT_EQ(Run(kForm, "f"),
              "x<FORM ACTION=\"mailto:me@example.jp\" METHOD=\"GET\" "
              "ENCTYPE=\"text/plain\">f</FORM>y");
    EXPECT_EQ(Caret(), BeforeY());

    Lower(true);
    Answer<CFormDlg>([](CFormDlg& d) {
        d.ActionEdit()->setText("A.CGI");
        d.EnctypeGroup()->Button(2)->click();
    });
    EXPECT_EQ(Run(kForm),
              "x<form action=\"A.CGI\" method=\"POST\" enctype=\"multipart/form-data\"></form>y");
}

TEST_F(FormCommandTest, InputsFollowTheSelection) {
    Answer<CTextInputDlg>([](CTextInputDlg& d) {
        d.TypeGroup()->Button(1)->click();
        d.NameEdit()->setText("pw");
        d.SizeEdit()->setText("8");
    });
    EXPECT_EQ(Run(kTextInput, "abc"), "xabc<INPUT TYPE=\"password\" NAME=\"pw\" SIZE=\"8\">y");
    EXPECT_EQ(Caret(), BeforeY());

    Answer<CButtonDlg>([](CButtonDlg&) {});
    EXPECT_EQ(Run(kButton), "x<INPUT TYPE=\"submit\" VALUE=\"\">y");
    Answer<CButtonDlg>([](CButtonDlg& d) {
        d.TypeGroup()->Button(2)->click();
        d.NameEdit()->setText("up");
    });
    EXPECT_EQ(Run(kButton), "x<INPUT TYPE=\"file\" NAME=\"up\" VALUE=\"\">y");

    Lower(true);
    Answer<CTextInputDlg>([](CTextInputDlg& d) {
        d.MaxLengthEdit()->setText("4");
        d.ValueEdit()->setText("ABC");
    });
    EXPECT_EQ(Run(kTextInput), "x<input type=\"text\" value=\"ABC\" maxlength=\"4\">y");
}

TEST_F(FormCommandTest, CheckFieldLabelFollowsTheTagUnconverted) {
    Answer<CCheckFieldDlg>([](CCheckFieldDlg& d) {
        d.TypeGroup()->Button(1)->click();
        d.NameEdit()->setText("agree");
        d.ValueEdit()->setText("yes");
        d.CheckedBox()->setChecked(true);
        d.LabelEdit()->setText("OK");
    });
    EXPECT_EQ(Run(kCheckField),
              "x<INPUT TYPE=\"checkbox\" NAME=\"agree\" VALUE=\"yes\" CHECKED>OKy");
    EXPECT_EQ(Caret(), BeforeY());

    Lower(true);
    Answer<CCheckFieldDlg>([](CCheckFieldDlg& d) {
        d.NameEdit()->setText("R");
        d.LabelEdit()->setText("<B>YES</B>");
    });
    EXPECT_EQ(Run(kCheckField, "Q"), "xQ<input type=\"radio\" name=\"R\"><B>YES</B>y");
    EXPECT_EQ(Caret(), BeforeY());
}

TEST_F(FormCommandTest, SelectWrapsAndOptionKeepsItsLabel) {
    Answer<CSelectDlg>([](CSelectDlg& d) {
        d.NameEdit()->setText("c");
        d.MultipleBox()->setChecked(true);
    });
    EXPECT_EQ(Run(kSelect), "x<SELECT NAME=\"c\" MULTIPLE></SELECT>y");
    EXPECT_EQ(Caret(), Find("</SELECT>"));
    Answer<CSelectDlg>([](CSelectDlg&) {});
    EXPECT_EQ(Run(kSelect, "o"), "x<SELECT>o</SELECT>y");
    EXPECT_EQ(Caret(), BeforeY());

    Lower(true);
    Answer<COptionDlg>([](COptionDlg& d) {
        d.ValueEdit()->setText("1");
        d.SelectedBox()->setChecked(true);
        d.LabelEdit()->setText("One");
    });
    EXPECT_EQ(Run(kOption, "s"), "xs<option value=\"1\" selected>Oney");
    EXPECT_EQ(Caret(), BeforeY());
}

TEST_F(FormCommandTest, TextAreaLeavesTheCaretBehindItsTextUnlessTextWasSelected) {
    Answer<CTextAreaDlg>([](CTextAreaDlg& d) {
        d.RowsEdit()->setText("5");
        d.ColsEdit()->setText("40");
        d.NameEdit()->setText("msg");
    });
    EXPECT_EQ(Run(kTextArea), "x<TEXTAREA ROWS=\"5\" COLS=\"40\" NAME=\"msg\">\r\n</TEXTAREA>y");
    EXPECT_EQ(Caret(), Find("</TEXTAREA>"));

    Answer<CTextAreaDlg>([](CTextAreaDlg& d) {
        d.WrapGroup()->Button(1)->click();
        d.TextEdit()->setPlainText("Line 1\nLine 2");
    });
    EXPECT_EQ(Run(kTextArea, "s"), "xs<TEXTAREA WRAP=\"soft\">\r\nLine 1\r\nLine 2</TEXTAREA>y");
    EXPECT_EQ(Caret(), BeforeY());

    Lower(true);
    Answer<CTextAreaDlg>([](CTextAreaDlg& d) { d.TextEdit()->setPlainText("<P>Hi"); });
    EXPECT_EQ(Run(kTextArea), "x<textarea>\r\n<P>Hi</textarea>y");
    EXPECT_EQ(Caret(), Find("</textarea>"));
}

TEST_F(FormCommandTest, BatchWritesTheListInOrder) {
    Answer<CSelectBatchDlg>([](CSelectBatchDlg& d) {
        d.NameEdit()->setText("c");
        d.ItemLabelEdit()->setText("Red");
        d.ItemValueEdit()->setText("r");
        d.AddEntry();
        d.ItemLabelEdit()->setText(" Blue ");
        d.ItemValueEdit()->setText("b");
        d.AddEntry();
        d.List()->item(1, CSelectBatchDlg::kCheckColumn)->setCheckState(Qt::Checked);
    });
    EXPECT_EQ(Run(kSelectBatch),
              "x<SELECT NAME=\"c\">\r\n  <OPTION VALUE=\"r\">Red\r\n  <OPTION VALUE=\"b\" "
              "SELECTED>Blue\r\n</SELECT>y");
    EXPECT_EQ(Caret(), BeforeY());

    Lower(true);
    Answer<CSelectBatchDlg>([](CSelectBatchDlg& d) {
        d.MultipleBox()->setChecked(true);
        d.ItemLabelEdit()->setText("ONE");
        d.ItemValueEdit()->setText("1");
        d.AddEntry();
    });
    EXPECT_EQ(Run(kSelectBatch, "sel"),
              "xsel\r\n<select multiple>\r\n  <option value=\"1\">ONE\r\n</select>y");
    EXPECT_EQ(Caret(), BeforeY());
}

TEST_F(FormCommandTest, CancelledDialogsChangeNothingAndAddNoUndoStep) {
    view.SetText("xaby");
    view.Control().SetSel(1, 3);
    const int steps = view.Journal().UndoCount();
    for (int id : {kForm, kTextInput, kTextArea, kSelectBatch, kSelect, kOption, kCheckField,
                   kButton, kHidden}) {
        dialog_seam::SetScript([](QDialog&) { return static_cast<int>(QDialog::Rejected); });
        EXPECT_TRUE(view.ExecuteCommand(id));
        EXPECT_EQ(view.Control().WholeText(), "xaby") << id;
    }
    EXPECT_EQ(view.Journal().UndoCount(), steps);
    int s = 0, e = 0;
    view.Control().GetSel(s, e);
    EXPECT_EQ(std::make_pair(s, e), std::make_pair(1, 3));
}

TEST_F(FormCommandTest, ConfirmedCommandIsOneUndoStep) {
    for (int id : {kTextArea, kSelectBatch, kCheckField}) {
        view.SetText("xy");
        view.Control().SetSel(1, 1);
        view.RefreshCaretContextAsClick();
        const int steps = view.Journal().UndoCount();
        dialog_seam::SetScript([](QDialog&) { return static_cast<int>(QDialog::Accepted); });
        view.ExecuteCommand(id);
        const std::string written = view.Control().WholeText();
        EXPECT_NE(written, "xy") << id;
        EXPECT_EQ(view.Journal().UndoCount(), steps + 1) << id;
        view.OnEditUndo();
        EXPECT_EQ(view.Control().WholeText(), "xy") << id;
        view.OnEditRedo();
        EXPECT_EQ(view.Control().WholeText(), written) << id;
    }
}

// Edit tag's mode: the prefilled dialog rewrites the start tag with the
// leftover, and the content when its range is given.
TEST_F(FormCommandTest, EditModeRewritesTheTagAndTheContentWhenGiven) {
    const std::string option = "a<OPTION VALUE=\"1\" ID=\"k\">One\r\n<OPTION>";
    view.SetText(option);
    const int end = static_cast<int>(option.find('>'));
    const CTagScanner scanner(" ID=\"k\">", 1, end, kKindOption);
    OptionData data{0, "One", "1"};
    Answer<COptionDlg>([](COptionDlg& d) {
        EXPECT_EQ(d.LabelEdit()->text(), "One");
        d.LabelEdit()->setText("Uno");
        d.SelectedBox()->setChecked(true);
    });
    ASSERT_TRUE(
        WriteOption(view, data, kWriterEdit, scanner, static_cast<int>(option.find("\r\n"))));
    EXPECT_EQ(view.Control().WholeText(), "a<OPTION VALUE=\"1\" SELECTED ID=\"k\">Uno\r\n<OPTION>");
    EXPECT_EQ(Caret(), Find("\r\n"));
    EXPECT_TRUE(data == (OptionData{1, "Uno", "1"}));

    // Without a content range only the start tag changes.
    view.SetText(option);
    TextAreaData area{"", "", "", "ignored", 2};
    Answer<CTextAreaDlg>([](CTextAreaDlg&) {});
    ASSERT_TRUE(WriteTextArea(view, area, kWriterEdit, scanner));
    EXPECT_EQ(view.Control().WholeText(), "a<TEXTAREA WRAP=\"hard\" ID=\"k\">One\r\n<OPTION>");

    // The initial text goes back on a line of its own; the closing tag stays.
    const std::string textarea = "<textarea rows=\"2\">\r\nold</textarea>";
    view.SetText(textarea);
    Lower(true);
    area = {"", "", "2", "old", -1};
    Answer<CTextAreaDlg>([](CTextAreaDlg& d) { d.TextEdit()->setPlainText("New\nText"); });
    ASSERT_TRUE(
        WriteTextArea(view, area, kWriterEdit,
                      CTagScanner(">", 0, static_cast<int>(textarea.find('>')), kKindTextarea),
                      static_cast<int>(textarea.find("</textarea>"))));
    EXPECT_EQ(view.Control().WholeText(), "<textarea rows=\"2\">\r\nNew\r\nText</textarea>");
}

}  // namespace
