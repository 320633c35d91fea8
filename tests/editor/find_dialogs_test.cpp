// The find and replace dialogs driven through their buttons on a real view.

#include "editor/find_dialogs.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "core/app_settings.h"
#include "editor/text_control.h"
#include "editor/veskhtml_doc.h"
#include "editor/veskhtml_view.h"
#include "platform/settings_store.h"
#include "support/seams.h"
#include "support/test_env.h"

using vesk::MsgIcon;
using namespace vesk::test;

namespace {

const QString kFinished = QString::fromUtf8("検索が終了しました。");
const QString kNotFound = QString::fromUtf8("検索文字列が見つかりません");

struct Sel {
    int start;
    int end;
    bool operator==(const Sel&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Sel& s) {
    return out << "(" << s.start << ", " << s.end << ")";
}

class FindDialogsTest : public ::testing::Test {
  protected:
    FindDialogsTest() : view(settings, &doc) { ClearSettings(); }
    ~FindDialogsTest() override { finder.reset(); }

    void SetUp() override {
        finder = std::make_unique<CFindReplace>([this] { return active; }, nullptr);
        // The application tells the dialogs about every selection change of the view.
        QObject::connect(&view.Control(), &CTextControl::SelectionChangedNotify, finder.get(),
                         [this] { finder->OnSelectionChanged(); });
    }

    void SetText(const std::string& text, int selStart, int selEnd) {
        view.SetText(text);
        Select(selStart, selEnd);
    }
    // A selection made by the user.
    void Select(int start, int end) {
        view.Control().SetSel(start, end);
        QApplication::processEvents();
    }
    Sel Selection() {
        Sel s{};
        view.Control().GetSel(s.start, s.end);
        return s;
    }
    std::string Text() { return view.Control().WholeText(); }

    template <class T>
    T* Find(const char* name) {
        QDialog* dialog = finder->FindDialog();
        return dialog ? dialog->findChild<T*>(name) : nullptr;
    }
    template <class T>
    T* Rep(const char* name) {
        QDialog* dialog = finder->ReplaceDialog();
        return dialog ? dialog->findChild<T*>(name) : nullptr;
    }
    void Click(QPushButton* button) {
        ASSERT_NE(button, nullptr);
        button->click();  // does nothing when disabled, as a real click
        QApplication::processEvents();
    }

    void OpenFind(const QString& what, bool down) {
        finder->OpenFind();
        ASSERT_NE(finder->FindDialog(), nullptr);
        Find<QLineEdit>("findWhat")->setText(what);
        (down ? Find<QRadioButton>("directionDown") : Find<QRadioButton>("directionUp"))
            ->setChecked(true);
    }
    void OpenReplace(const QString& what, const QString& replacement) {
        finder->OpenReplace();
        ASSERT_NE(finder->ReplaceDialog(), nullptr);
        Rep<QLineEdit>("findWhat")->setText(what);
        Rep<QLineEdit>("replaceWith")->setText(replacement);
    }

    CAppSettings settings;
    CVeskHtmlDoc doc;
    CVeskHtmlView view;
    CVeskHtmlView* active = &view;
    std::unique_ptr<CFindReplace> finder;
    ScriptedSeams seams;
};

// ---------------------------------------------------------------------------
// Find dialog

TEST_F(FindDialogsTest, FindDownSelectsEachMatchThenStopsWithoutWrapping) {
    SetText("<P>one</P> <P>two</P>", 0, 0);
    OpenFind("<p>", true);
    Click(Find<QPushButton>("findNext"));
    EXPECT_EQ(Selection(), (Sel{0, 3}));
    Click(Find<QPushButton>("findNext"));
    EXPECT_EQ(Selection(), (Sel{11, 14}));
    EXPECT_TRUE(seams.Messages().empty());

    Click(Find<QPushButton>("findNext"));
    ASSERT_EQ(seams.Messages().size(), 1u);
    EXPECT_EQ(seams.Messages()[0].text, kFinished);
    EXPECT_EQ(seams.Messages()[0].caption, "VeskHtml");
    EXPECT_EQ(seams.Messages()[0].icon, MsgIcon::Information);
    EXPECT_EQ(Selection(), (Sel{11, 14}));
}

TEST_F(FindDialogsTest, FindDownWithTheOnlyMatchBeforeTheCaretDoesNotWrap) {
    SetText("needle in the haystack", 12, 12);
    OpenFind("needle", true);
    Click(Find<QPushButton>("findNext"));
    ASSERT_EQ(seams.Messages().size(), 1u);
    EXPECT_EQ(seams.Messages()[0].text, kFinished);
    EXPECT_EQ(Selection(), (Sel{12, 12}));
}

TEST_F(FindDialogsTest, FindUpFromRightAfterAMatchSelectsThatMatch) {
    SetText("one two one two", 11, 11);
    OpenFind("ONE", false);
    Click(Find<QPushButton>("findNext"));
    EXPECT_EQ(Selection(), (Sel{8, 11}));
    Click(Find<QPushButton>("findNext"));
    EXPECT_EQ(Selection(), (Sel{0, 3}));
    EXPECT_TRUE(seams.Messages().empty());
    Click(Find<QPushButton>("findNext"));
    ASSERT_EQ(seams.Messages().size(), 1u);
    EXPECT_EQ(seams.Messages()[0].text, kFinished);
    EXPECT_EQ(Selection(), (Sel{0, 3}));
}

TEST_F(FindDialogsTest, FindHonoursMatchCaseAndWholeWords) {
    SetText("Table table tablet TABLE", 0, 0);
    OpenFind("TABLE", true);
    Find<QCheckBox>("matchCase")->setChecked(true);
    Click(Find<QPushButton>("findNext"));
    EXPECT_EQ(Selection(), (Sel{19, 24}));

    Select(0, 0);
    Find<QCheckBox>("matchCase")->setChecked(false);
    Find<QCheckBox>("wholeWord")->setChecked(true);
    Find<QLineEdit>("findWhat")->setText("tablet");
    Click(Find<QPushButton>("findNext"));
    EXPECT_EQ(Selection(), (Sel{12, 18}));
    Find<QLineEdit>("findWhat")->setText("tab");
    Select(0, 0);
    Click(Find<QPushButton>("findNext"));
    EXPECT_EQ(seams.Messages().size(), 1u);
}

TEST_F(FindDialogsTest, FindNextFollowsSearchTextAndActiveView) {
    SetText("abc", 0, 0);
    finder->OpenFind();
    auto* findNext = Find<QPushButton>("findNext");
    EXPECT_FALSE(findNext->isEnabled());
    Find<QLineEdit>("findWhat")->setText("b");
    EXPECT_TRUE(findNext->isEnabled());

    active = nullptr;
    finder->OnActiveViewChanged();
    EXPECT_FALSE(findNext->isEnabled());
    active = &view;
    finder->OnActiveViewChanged();
    EXPECT_TRUE(findNext->isEnabled());
    Find<QLineEdit>("findWhat")->clear();
    EXPECT_FALSE(findNext->isEnabled());
}

TEST_F(FindDialogsTest, FoundTextIsNotLeftUnderTheDialog) {
    view.setGeometry(0, 0, 640, 480);
    view.show();
    std::string text;
    for (int i = 0; i < 12; ++i) text += "line\r\n";
    text += "        target\r\n";
    SetText(text, 0, 0);
    OpenFind("target", true);
    QDialog* dialog = finder->FindDialog();

    // Where the match is drawn, in screen coordinates.
    CTextControl& control = view.Control();
    const int pos = static_cast<int>(text.find("target"));
    const QPoint local(
        control.SendScintilla(QsciScintillaBase::SCI_POINTXFROMPOSITION, 0UL, long(pos)),
        control.SendScintilla(QsciScintillaBase::SCI_POINTYFROMPOSITION, 0UL, long(pos)));
    const QPoint onScreen = control.viewport()->mapToGlobal(local);
    dialog->move(onScreen - QPoint(20, dialog->height() / 2));
    ASSERT_TRUE(dialog->frameGeometry().contains(onScreen + QPoint(5, 5)));

    Click(Find<QPushButton>("findNext"));
    EXPECT_EQ(Selection(), (Sel{pos, pos + 6}));
    const QRect frame = dialog->frameGeometry();
    EXPECT_FALSE(frame.contains(onScreen + QPoint(5, 5)));
    EXPECT_FALSE(frame.contains(onScreen + QPoint(5, 12)));
    // Moved up or down only.
    EXPECT_EQ(frame.x(), onScreen.x() - 20);
}

// ---------------------------------------------------------------------------
// Replace dialog: finding

TEST_F(FindDialogsTest, ReplaceFindNextWrapsToTheStart) {
    SetText("foo bar baz", 7, 7);
    OpenReplace("foo", "x");
    Click(Rep<QPushButton>("findNext"));
    EXPECT_EQ(Selection(), (Sel{0, 3}));
    EXPECT_TRUE(seams.Messages().empty());
    EXPECT_TRUE(Rep<QPushButton>("replace")->isEnabled());
    EXPECT_FALSE(Rep<QPushButton>("replaceSelection")->isEnabled());
}

TEST_F(FindDialogsTest, ReplaceFindNextReportsAMissingText) {
    SetText("foo bar", 1, 2);
    OpenReplace("qux", "x");
    Click(Rep<QPushButton>("findNext"));
    ASSERT_EQ(seams.Messages().size(), 1u);
    EXPECT_EQ(seams.Messages()[0].text, kNotFound);
    EXPECT_EQ(seams.Messages()[0].caption, "VeskHtml");
    EXPECT_EQ(seams.Messages()[0].icon, MsgIcon::Information);
    EXPECT_EQ(Selection(), (Sel{1, 2}));
}

// ---------------------------------------------------------------------------
// Replace dialog: replacing

TEST_F(FindDialogsTest, ReplaceWithoutAFindReplacesTheSelection) {
    SetText("abc def ghi", 4, 7);
    OpenReplace("zzz", "XYZW");
    Click(Rep<QPushButton>("replace"));
    EXPECT_EQ(Text(), "abc XYZW ghi");
    EXPECT_EQ(Selection(), (Sel{8, 8}));
    EXPECT_FALSE(Rep<QPushButton>("replace")->isEnabled());

    view.Journal().Undo();
    EXPECT_EQ(Text(), "abc def ghi");
}

TEST_F(FindDialogsTest, ReplaceWithAnEmptySelectionInsertsAtTheCaret) {
    SetText("abc", 1, 1);
    OpenReplace("", "日本");
    Click(Rep<QPushButton>("replace"));
    EXPECT_EQ(Text(), "a日本bc");
    EXPECT_EQ(Selection(), (Sel{7, 7}));
}

TEST_F(FindDialogsTest, FindThenReplaceStepsThroughTheMatches) {
    SetText("<b>x</b><b>y</b>", 0, 0);
    OpenReplace("<b>", "<STRONG>");
    Click(Rep<QPushButton>("findNext"));
    Click(Rep<QPushButton>("replace"));
    EXPECT_EQ(Text(), "<STRONG>x</b><b>y</b>");
    EXPECT_FALSE(Rep<QPushButton>("replace")->isEnabled());
    Click(Rep<QPushButton>("replace"));  // disabled: nothing happens
    EXPECT_EQ(Text(), "<STRONG>x</b><b>y</b>");
    Click(Rep<QPushButton>("findNext"));
    EXPECT_EQ(Selection(), (Sel{13, 16}));
    EXPECT_TRUE(Rep<QPushButton>("replace")->isEnabled());
}

TEST_F(FindDialogsTest, ReplaceAllWithALongerTextPutsTheCaretAtTheNewEnd) {
    const std::string before = "a<br>b<BR>c<br>";
    SetText(before, 2, 2);
    OpenReplace("<br>", "<BR>\r\n");
    Click(Rep<QPushButton>("replaceAll"));
    const std::string after = "a<BR>\r\nb<BR>\r\nc<BR>\r\n";
    EXPECT_EQ(Text(), after);
    EXPECT_EQ(Selection(), (Sel{static_cast<int>(after.size()), static_cast<int>(after.size())}));

    // One step takes the whole replacement back.
    view.Journal().Undo();
    EXPECT_EQ(Text(), before);
    view.Journal().Redo();
    EXPECT_EQ(Text(), after);
}

TEST_F(FindDialogsTest, ReplaceAllWithoutAMatchLeavesTheTextAlone) {
    SetText("nothing here", 3, 3);
    OpenReplace("<br>", "x");
    Click(Rep<QPushButton>("replaceAll"));
    EXPECT_EQ(Text(), "nothing here");
    EXPECT_TRUE(seams.Messages().empty());
}

TEST_F(FindDialogsTest, ReplaceInSelectionTouchesOnlyTheSelection) {
    SetText("cat cat cat cat", 4, 11);
    OpenReplace("cat", "dog!");
    ASSERT_TRUE(Rep<QPushButton>("replaceSelection")->isEnabled());
    Click(Rep<QPushButton>("replaceSelection"));
    EXPECT_EQ(Text(), "cat dog! dog! cat");
    EXPECT_EQ(Selection(), (Sel{13, 13}));
    view.Journal().Undo();
    EXPECT_EQ(Text(), "cat cat cat cat");
}

TEST_F(FindDialogsTest, ReplaceAllHonoursWholeWordsAndCase) {
    SetText("Cat cat catalog CAT", 0, 0);
    OpenReplace("cat", "dog");
    Rep<QCheckBox>("wholeWord")->setChecked(true);
    Rep<QCheckBox>("matchCase")->setChecked(true);
    Click(Rep<QPushButton>("replaceAll"));
    EXPECT_EQ(Text(), "Cat dog catalog CAT");
}

// ---------------------------------------------------------------------------
// Replace dialog: buttons

TEST_F(FindDialogsTest, ReplaceButtonsFollowTextSelectionAndView) {
    SetText("abc abc", 0, 0);
    finder->OpenReplace();
    auto* findNext = Rep<QPushButton>("findNext");
    auto* replace = Rep<QPushButton>("replace");
    auto* inSelection = Rep<QPushButton>("replaceSelection");
    auto* all = Rep<QPushButton>("replaceAll");
    EXPECT_FALSE(findNext->isEnabled());
    EXPECT_FALSE(all->isEnabled());
    EXPECT_FALSE(inSelection->isEnabled());
    EXPECT_TRUE(replace->isEnabled());

    // Search text with an empty selection: "in selection" keeps its state.
    Rep<QLineEdit>("findWhat")->setText("abc");
    EXPECT_TRUE(findNext->isEnabled());
    EXPECT_TRUE(all->isEnabled());
    EXPECT_FALSE(inSelection->isEnabled());

    // The user selects: "replace" goes off, "in selection" on.
    Select(0, 5);
    EXPECT_FALSE(replace->isEnabled());
    EXPECT_TRUE(inSelection->isEnabled());
    Select(2, 2);
    EXPECT_FALSE(inSelection->isEnabled());

    // The dialog's own selection leaves "replace" on.
    Click(findNext);
    EXPECT_EQ(Selection(), (Sel{4, 7}));
    EXPECT_TRUE(replace->isEnabled());
    EXPECT_FALSE(inSelection->isEnabled());

    active = nullptr;
    finder->OnActiveViewChanged();
    EXPECT_FALSE(findNext->isEnabled());
    EXPECT_FALSE(all->isEnabled());
    EXPECT_FALSE(inSelection->isEnabled());
    Click(replace);  // no view: nothing happens
    EXPECT_EQ(Text(), "abc abc");

    active = &view;
    finder->OnActiveViewChanged();
    EXPECT_TRUE(findNext->isEnabled());
    EXPECT_TRUE(all->isEnabled());
    EXPECT_TRUE(inSelection->isEnabled());

    Rep<QLineEdit>("findWhat")->clear();
    EXPECT_FALSE(findNext->isEnabled());
    EXPECT_FALSE(all->isEnabled());
    EXPECT_FALSE(inSelection->isEnabled());
}

// ---------------------------------------------------------------------------
// Opening, closing and the stored options

TEST_F(FindDialogsTest, OnlyOneDialogIsOpenAtATime) {
    finder->OpenFind();
    QDialog* find = finder->FindDialog();
    ASSERT_NE(find, nullptr);
    EXPECT_TRUE(find->isVisible());
    EXPECT_EQ(find->windowTitle(), QString::fromUtf8("検索"));
    finder->OpenFind();
    EXPECT_EQ(finder->FindDialog(), find);

    finder->OpenReplace();
    EXPECT_EQ(finder->FindDialog(), nullptr);
    QDialog* replace = finder->ReplaceDialog();
    ASSERT_NE(replace, nullptr);
    EXPECT_EQ(replace->windowTitle(), QString::fromUtf8("置換"));
    finder->OpenReplace();
    EXPECT_EQ(finder->ReplaceDialog(), replace);

    finder->OpenFind();
    EXPECT_EQ(finder->ReplaceDialog(), nullptr);
    EXPECT_NE(finder->FindDialog(), nullptr);
}

TEST_F(FindDialogsTest, FindOptionsAreStoredOnCloseAndReadOnOpen) {
    finder->OpenFind();
    // A first start: no whole words, no case, direction up.
    EXPECT_FALSE(Find<QCheckBox>("wholeWord")->isChecked());
    EXPECT_FALSE(Find<QCheckBox>("matchCase")->isChecked());
    EXPECT_TRUE(Find<QRadioButton>("directionUp")->isChecked());

    Find<QCheckBox>("wholeWord")->setChecked(true);
    Find<QRadioButton>("directionDown")->setChecked(true);
    EXPECT_EQ(AppStore().GetProfileInt("EditorSettings", "FindDlgOption", -1), -1);
    Click(Find<QPushButton>("close"));
    EXPECT_EQ(finder->FindDialog(), nullptr);
    EXPECT_EQ(AppStore().GetProfileInt("EditorSettings", "FindDlgOption", -1), 5);

    AppStore().WriteProfileInt("EditorSettings", "FindDlgOption", 2);
    finder->OpenFind();
    EXPECT_FALSE(Find<QCheckBox>("wholeWord")->isChecked());
    EXPECT_TRUE(Find<QCheckBox>("matchCase")->isChecked());
    EXPECT_TRUE(Find<QRadioButton>("directionUp")->isChecked());
    // Closing the window stores the options too.
    finder->FindDialog()->close();
    QApplication::processEvents();
    EXPECT_EQ(finder->FindDialog(), nullptr);
    EXPECT_EQ(AppStore().GetProfileInt("EditorSettings", "FindDlgOption", -1), 2);
}

TEST_F(FindDialogsTest, ReplaceOptionsAreStoredOnCloseAndReadOnOpen) {
    AppStore().WriteProfileInt("EditorSettings", "RepDlgOption", 1);
    finder->OpenReplace();
    EXPECT_TRUE(Rep<QCheckBox>("wholeWord")->isChecked());
    EXPECT_FALSE(Rep<QCheckBox>("matchCase")->isChecked());
    Rep<QCheckBox>("wholeWord")->setChecked(false);
    Rep<QCheckBox>("matchCase")->setChecked(true);
    // Opening the find dialog closes this one, which stores its options.
    finder->OpenFind();
    EXPECT_EQ(AppStore().GetProfileInt("EditorSettings", "RepDlgOption", -1), 2);
    EXPECT_EQ(AppStore().GetProfileInt("EditorSettings", "FindDlgOption", -1), -1);
}

}  // namespace
