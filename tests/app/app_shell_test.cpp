// The application shell: start-up, opening and closing documents, commands.

#include <gtest/gtest.h>

#include <QDialog>
#include <QLabel>
#include <QMdiArea>
#include <QTest>

#include "app/child_frame.h"
#include "core/command_ids.h"
#include "app/command_router.h"
#include "core/command_table.h"
#include "app/list_files.h"
#include "app/main_frame.h"
#include "app/recent_file_list.h"
#include "app/veskhtml_app.h"
#include "editor/find_dialogs.h"
#include "editor/text_control.h"
#include "editor/veskhtml_doc.h"
#include "editor/veskhtml_view.h"
#include "groups/file_group.h"
#include "platform/program_folders.h"
#include "platform/settings_store.h"
#include "support/seams.h"
#include "support/test_env.h"
#include "tags/simple_tags.h"

using vesk::MsgAnswer;
using namespace vesk::test;

namespace {

class AppTest : public ::testing::Test {
  protected:
    AppTest() {
        ClearSettings();
        QFile::remove(vesk::UsersDataFile("orgflst.vkd"));
        folder = MakeTempDir();
    }

    void Start(const QStringList& arguments = {}) {
        app = std::make_unique<CVeskHtmlApp>();
        ASSERT_TRUE(app->InitInstance(arguments));
    }
    QString File(const QString& name, const std::string& bytes = "<p>text</p>") {
        return WriteTestFile(folder + "/" + name, bytes);
    }
    QStringList OpenTitles() const {
        QStringList titles;
        for (CVeskHtmlDoc* doc : app->Documents()) titles << doc->Title();
        return titles;
    }
    void Type(const QString& text) {
        CVeskHtmlDoc* doc = app->ActiveDocument();
        ASSERT_NE(doc, nullptr);
        QTest::keyClicks(&doc->View()->Control(), text);
    }

    QString folder;
    std::unique_ptr<CVeskHtmlApp> app;
};

TEST_F(AppTest, StartWithoutArgumentsShowsOneUntitledDocument) {
    Start();
    EXPECT_EQ(OpenTitles(), QStringList{"無題のﾌｧｲﾙ"});
    EXPECT_EQ(app->FileNewCount(), 1);
    EXPECT_EQ(app->MainFrame()->Indicators(), (QStringList{"現在行 1行", "全行数 1行", "0Byte"}));
}

TEST_F(AppTest, FirstOpenedFileReplacesTheUntouchedBlankDocument) {
    Start();
    ASSERT_NE(app->OpenDocumentFile(File("a.html")), nullptr);
    EXPECT_EQ(OpenTitles(), QStringList{"a.html"});
    // Once replaced, the next file joins it.
    ASSERT_NE(app->OpenDocumentFile(File("b.html")), nullptr);
    EXPECT_EQ(OpenTitles(), (QStringList{"a.html", "b.html"}));
}

TEST_F(AppTest, TypedOrSecondNewDocumentIsNotReplaced) {
    Start();
    Type("x");
    ASSERT_NE(app->OpenDocumentFile(File("a.html")), nullptr);
    EXPECT_EQ(OpenTitles(), (QStringList{"無題のﾌｧｲﾙ", "a.html"}));

    app.reset();
    Start();
    app->OnFileNew();
    EXPECT_EQ(app->FileNewCount(), 2);
    app->OpenDocumentFile(File("b.html"));
    EXPECT_EQ(app->Documents().size(), 3u);
}

TEST_F(AppTest, FailedOpenLeavesTheBlankDocumentAlone) {
    Start();
    QString error;
    EXPECT_EQ(app->OpenDocumentFile(folder + "/missing.html", &error), nullptr);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(OpenTitles(), QStringList{"無題のﾌｧｲﾙ"});
}

TEST_F(AppTest, FileOnTheCommandLineOpensOnlyThatFile) {
    Start({File("start.html")});
    EXPECT_EQ(OpenTitles(), QStringList{"start.html"});
    EXPECT_EQ(app->FileNewCount(), 0);
    app->OpenDocumentFile(File("next.html"));
    EXPECT_EQ(OpenTitles(), (QStringList{"start.html", "next.html"}));
}

TEST_F(AppTest, UnreadableCommandLineFileIsReportedAndEndsStartUp) {
    ScriptedSeams seams;
    app = std::make_unique<CVeskHtmlApp>();
    EXPECT_FALSE(app->InitInstance({folder + "/nothing.html"}));
    ASSERT_EQ(seams.Messages().size(), 1u);
    EXPECT_EQ(seams.Messages()[0].text,
              "ファイル [ " + folder + "/nothing.html ] を開く事ができませんでした。");
}

TEST_F(AppTest, OpeningAnOpenFileActivatesIt) {
    Start({File("a.html")});
    const QString b = File("b.html");
    CVeskHtmlDoc* first = app->OpenDocumentFile(b);
    app->OpenDocumentFile(folder + "/a.html");
    EXPECT_EQ(app->Documents().size(), 2u);
    EXPECT_EQ(app->OpenDocumentFile(b), first);
    EXPECT_EQ(app->ActiveDocument(), first);
}

TEST_F(AppTest, OpenDialogOpensEachReadableFileAndReportsTheOthers) {
    Start();
    const QString a = File("a.html"), c = File("c.html");
    const QString unreadable = folder + "/sub";  // a folder cannot be read as a document
    QDir().mkpath(unreadable);
    ScriptedSeams seams;
    seams.dialogs = {Chosen({a, unreadable, c}, 2)};
    app->OnFileOpen();
    EXPECT_EQ(OpenTitles(), (QStringList{"a.html", "c.html"}));
    ASSERT_EQ(seams.Messages().size(), 1u);
    EXPECT_EQ(seams.Messages()[0].text,
              "ファイル [ " + unreadable + " ] を開く事ができませんでした。");
    EXPECT_EQ(seams.Messages()[0].caption, "VeskHtml");
    EXPECT_EQ(seams.Messages()[0].icon, vesk::MsgIcon::Error);
    EXPECT_EQ(AppStore().GetProfileString("FileDlgSettings", "Initial_dir_open", ""), folder);
    EXPECT_EQ(AppStore().GetProfileInt("FileDlgSettings", "Initial_filter_open", 0), 2);
    EXPECT_EQ(seams.requests[0].mode, vesk::FileDialogRequest::Mode::OpenMultiple);
    EXPECT_EQ(seams.requests[0].filter,
              "HTMLファイル(*.htm* *.shtm*)|*.htm*;*.shtm*|すべてのファイル(*.*)|*.*||");
}

TEST_F(AppTest, CancelledOpenDialogStoresNothing) {
    AppStore().WriteProfileString("FileDlgSettings", "Initial_dir_open", folder);
    AppStore().WriteProfileInt("FileDlgSettings", "Initial_filter_open", 2);
    Start();
    ScriptedSeams seams;  // no dialog answer: cancelled
    app->OnFileOpen();
    EXPECT_EQ(seams.requests[0].folder, folder);
    EXPECT_EQ(seams.requests[0].filterIndex, 2);
    EXPECT_EQ(AppStore().GetProfileString("FileDlgSettings", "Initial_dir_open", ""), folder);
    EXPECT_EQ(AppStore().GetProfileInt("FileDlgSettings", "Initial_filter_open", 0), 2);
    EXPECT_EQ(app->Documents().size(), 1u);
}

TEST_F(AppTest, WindowPlacementRule) {
    auto placed = [this](const QString& showCmd) {
        ClearSettings();
        if (!showCmd.isEmpty())
            AppStore().WriteProfileString("Wnd_Pos", "showCmd", showCmd);
        app.reset();
        Start();
        return app->MainFrame();
    };
    EXPECT_TRUE(placed("")->isMaximized());     // default "Max"
    EXPECT_TRUE(placed("Min")->isMaximized());  // never starts minimised
    CMainFrame* normal = placed("Normal");
    EXPECT_FALSE(normal->isMaximized());
    EXPECT_EQ(normal->pos(), QPoint(0, 0));
    EXPECT_EQ(normal->size(), QSize(500, 800));
}

TEST_F(AppTest, PlacementIsWrittenWhenTheWindowCloses) {
    AppStore().WriteProfileString("Wnd_Pos", "showCmd", "Normal");
    AppStore().WriteProfileInt("Wnd_Pos", "left_p", 10);
    AppStore().WriteProfileInt("Wnd_Pos", "top_p", 20);
    AppStore().WriteProfileInt("Wnd_Pos", "xw", 640);
    AppStore().WriteProfileInt("Wnd_Pos", "yw", 480);
    Start();
    ASSERT_TRUE(app->MainFrame()->close());
    EXPECT_EQ(AppStore().GetProfileString("Wnd_Pos", "showCmd", ""), "Normal");
    EXPECT_EQ(AppStore().GetProfileInt("Wnd_Pos", "xw", 0), 640);
    EXPECT_EQ(AppStore().GetProfileInt("Wnd_Pos", "yw", 0), 480);
    EXPECT_EQ(AppStore().GetProfileInt("Wnd_Pos", "left_p", 0), 10);
    EXPECT_EQ(AppStore().GetProfileInt("Wnd_Pos", "top_p", 0), 20);
}

TEST_F(AppTest, ClosingTheMainWindowAsksForEachModifiedDocument) {
    Start({File("a.html")});
    const QString b = File("b.html"), c = File("c.html");
    for (const QString& p : {b, c}) app->OpenDocumentFile(p);
    for (CVeskHtmlDoc* doc : app->Documents()) doc->View()->Control().ReplaceSel("x");
    ScriptedSeams seams;
    seams.answers = {MsgAnswer::No, MsgAnswer::Cancel};
    EXPECT_FALSE(app->MainFrame()->close());
    EXPECT_EQ(app->Documents().size(), 3u);
    EXPECT_EQ(seams.Messages().size(), 2u);
    EXPECT_FALSE(QFile::exists(vesk::UsersDataFile("orgflst.vkd")));
}

TEST_F(AppTest, ClosingWritesTheOpenFilesAsGroupDefault) {
    const QString a = File("a.html");
    Start({a});
    app->OnFileNew();
    ScriptedSeams seams(MsgAnswer::No);
    EXPECT_TRUE(app->MainFrame()->close());
    CFileGroup list;
    ASSERT_EQ(list.Load("orgflst.vkd"), CFileGroup::LoadStatus::Loaded);
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.At(0).name, "default");
    EXPECT_EQ(list.At(0).files, (std::vector<std::string>{a.toStdString(), ""}));
}

TEST_F(AppTest, CloseAllStopsAtACancelledPrompt) {
    Start({File("a.html")});
    app->OpenDocumentFile(File("b.html"));
    app->Documents()[0]->View()->Control().ReplaceSel("x");
    ScriptedSeams seams;
    seams.answers = {MsgAnswer::Cancel};
    EXPECT_FALSE(app->OnCloseAll());
    EXPECT_EQ(app->Documents().size(), 2u);
    seams.answers = {MsgAnswer::No};
    EXPECT_TRUE(app->OnCloseAll());
    QTest::qWait(0);
    EXPECT_TRUE(app->Documents().empty());
    EXPECT_TRUE(app->Settings().documentListChanged);
    EXPECT_EQ(app->MainFrame()->Indicators(), (QStringList{"現在行 0行", "全行数 0行", "0Byte"}));
    // Close all and save all need an open document.
    EXPECT_FALSE(app->Router().StateOf(cmd::kCloseAll).enabled);
    EXPECT_FALSE(app->Router().StateOf(cmd::kSaveAll).enabled);
    EXPECT_TRUE(app->Router().StateOf(cmd::kFileNew).enabled);
}

TEST_F(AppTest, SaveAllWritesEveryDocumentModifiedOrNot) {
    const QString a = File("a.html", "aaa"), b = File("b.html", "bbb");
    Start({a});
    app->OpenDocumentFile(b);
    app->Documents()[1]->View()->Control().ReplaceSel("x");
    QFile::remove(a);  // an unmodified document is written anew too
    app->OnSaveAll();
    EXPECT_EQ(ReadTestFile(b), "xbbb");
    EXPECT_EQ(ReadTestFile(a), "");  // gone meanwhile: its Save As was cancelled
    ScriptedSeams seams;
    seams.dialogs = {Chosen({a})};
    app->OnSaveAll();
    EXPECT_EQ(ReadTestFile(a), "aaa");
}

TEST_F(AppTest, CommandsGoToTheActiveViewBeforeTheApplication) {
    Start({File("a.html", "hello")});
    CCommandRouter& router = app->Router();
    EXPECT_TRUE(router.Execute(cmd::kEditSelectAll));
    int start = 0, end = 0;
    app->ActiveDocument()->View()->Control().GetSel(start, end);
    EXPECT_EQ(std::make_pair(start, end), std::make_pair(0, 5));
    // Save is the document's; with no document it is disabled.
    EXPECT_TRUE(router.StateOf(cmd::kFileSave).enabled);
    app->OnCloseAll();
    QTest::qWait(0);
    EXPECT_FALSE(router.StateOf(cmd::kFileSave).enabled);
    EXPECT_FALSE(router.Execute(cmd::kEditSelectAll));
    // The action shows the table's label, its shortcut written from the key itself.
    QAction* open = router.Action(cmd::kFileOpen);
    EXPECT_EQ(open->text(), "開く (&O)...\tCtrl+O");
    EXPECT_EQ(open->shortcut(), QKeySequence("Ctrl+O"));
}

TEST_F(AppTest, FindAndReplaceDialogsBelongToTheApplication) {
    Start({File("a.html", "<P>one</P>")});
    CCommandRouter& router = app->Router();
    ASSERT_TRUE(router.Execute(cmd::kFind));
    QDialog* find = app->FindReplace().FindDialog();
    ASSERT_NE(find, nullptr);
    EXPECT_EQ(find->windowTitle(), "検索");
    // Only one of the two is open at a time.
    ASSERT_TRUE(router.Execute(cmd::kReplace));
    EXPECT_EQ(app->FindReplace().FindDialog(), nullptr);
    ASSERT_NE(app->FindReplace().ReplaceDialog(), nullptr);
    EXPECT_EQ(app->FindReplace().ReplaceDialog()->windowTitle(), "置換");
}

TEST_F(AppTest, EditCommandsReachTheActiveViewsHistory) {
    Start({File("a.html", "abc")});
    CVeskHtmlView* view = app->ActiveDocument()->View();
    view->Control().SetSel(3, 3);
    view->RefreshCaretContextAsClick();
    QTest::keyClicks(&view->Control(), "d");
    CCommandRouter& router = app->Router();
    EXPECT_TRUE(router.StateOf(cmd::kEditUndo).enabled);
    EXPECT_FALSE(router.StateOf(cmd::kEditRedo).enabled);
    ASSERT_TRUE(router.Execute(cmd::kEditUndo));
    EXPECT_EQ(view->Control().WholeText(), "abc");
    EXPECT_TRUE(router.StateOf(cmd::kEditRedo).enabled);
    ASSERT_TRUE(router.Execute(cmd::kEditRedo));
    EXPECT_EQ(view->Control().WholeText(), "abcd");
}

TEST_F(AppTest, RecentFilesKeepTenMostRecentFirst) {
    Start();
    for (int i = 0; i < 12; ++i) app->OpenDocumentFile(File(QString("f%1.html").arg(i)));
    const QStringList& paths = app->RecentFiles().Paths();
    ASSERT_EQ(paths.size(), 10);
    EXPECT_EQ(paths.first(), folder + "/f11.html");
    EXPECT_EQ(paths.last(), folder + "/f2.html");
    app->ExitInstance();
    EXPECT_EQ(AppStore().GetProfileString("Recent File List", "File1", ""), folder + "/f11.html");
    EXPECT_EQ(AppStore().GetProfileString("Recent File List", "File10", ""), folder + "/f2.html");
    EXPECT_EQ(CRecentFileList::MenuText(0, "/a&b.html"), "&1 /a&&b.html");
    EXPECT_EQ(CRecentFileList::MenuText(9, "/x.html"), "1&0 /x.html");

    // A recent file that has gone is reported and leaves the list.
    app->OnCloseAll();
    QFile::remove(folder + "/f11.html");
    ScriptedSeams seams;
    app->OnOpenRecentFile(0);
    EXPECT_EQ(seams.Messages().size(), 1u);
    EXPECT_EQ(app->RecentFiles().Paths().first(), folder + "/f10.html");
}

TEST_F(AppTest, ExitWritesTheSettings) {
    Start();
    app->ExitInstance();
    EXPECT_EQ(AppStore().GetProfileInt("VeskHtml", "Version", 0), 276);
}

TEST_F(AppTest, VersionBoxAndHelp) {
    Start();
    QString title, text;
    vesk::dialog_seam::SetScript([&](QDialog& dialog) {
        title = dialog.windowTitle();
        for (QLabel* label : dialog.findChildren<QLabel*>()) text += label->text();
        return int(QDialog::Accepted);
    });
    app->Router().Execute(cmd::kAppAbout);
    EXPECT_EQ(title, "バージョン情報");
    EXPECT_EQ(text, "VeskHtml Version 2.7.6  [ May. 2002 ]");

    ScriptedSeams seams;
    const QString help = vesk::ProgramFolder() + "/help/index.html";
    const bool hadHelp = QFile::exists(help);
    if (!hadHelp)
        WriteTestFile(help, "<html></html>");
    app->Router().Execute(cmd::kHelp);
    if (!hadHelp)
        QDir(vesk::ProgramFolder() + "/help").removeRecursively();
    ASSERT_EQ(seams.launched.size(), 1u);
    EXPECT_EQ(seams.launched[0], help);
    EXPECT_TRUE(seams.Messages().empty());
}

TEST_F(AppTest, FirstChildTakesTheRememberedShowState) {
    Start();
    EXPECT_TRUE(app->MainFrame()->ActiveChild()->isMaximized());  // default: maximised
    app->MainFrame()->ActiveChild()->showNormal();
    app->OnCloseAll();
    QTest::qWait(0);
    EXPECT_EQ(app->Settings().childShowCmd, 1);
    app->OnFileNew();
    EXPECT_FALSE(app->MainFrame()->ActiveChild()->isMaximized());
}

}  // namespace

namespace {

TEST(ListFiles, DamagedListIsReportedAndEmpty) {
    ScriptedSeams seams;
    CFileGroup list;
    list.AddGroup("site");
    ASSERT_TRUE(list.Save("filelst.vkd"));
    std::string bytes = ReadTestFile(vesk::UsersDataFile("filelst.vkd"));
    WriteTestFile(vesk::UsersDataFile("filelst.vkd"), bytes.substr(0, bytes.size() - 1));
    CFileGroup loaded;
    EXPECT_EQ(LoadListFile(loaded, "filelst.vkd"), CFileGroup::LoadStatus::Damaged);
    EXPECT_EQ(loaded.Count(), 0);
    ASSERT_EQ(seams.Messages().size(), 1u);
    EXPECT_TRUE(seams.Messages()[0].text.contains("filelst.vkd"));

    QFile::remove(vesk::UsersDataFile("filelst.vkd"));
    EXPECT_EQ(LoadListFile(loaded, "filelst.vkd"), CFileGroup::LoadStatus::Missing);
    EXPECT_EQ(seams.Messages().size(), 1u);  // a missing list is no error
}

}  // namespace

TEST_F(AppTest, EveryTagMenuCommandHasItsLabelAndReachesTheView) {
    Start();
    CCommandRouter& router = app->Router();
    for (const TagMenu& menu : TagMenus()) {
        for (const TagMenuItem& item : menu.items) {
            if (item.id <= 0)
                continue;
            EXPECT_NE(FindCommandInfo(item.id), nullptr) << item.id;
            EXPECT_TRUE(router.StateOf(item.id).enabled) << item.id;
        }
    }
}

TEST_F(AppTest, SettingsAndFileGroupCommandsAreRegistered) {
    Start();
    CCommandRouter& router = app->Router();
    for (int id : {cmd::kSettings, cmd::kGroupOpen, cmd::kGroupEdit})
        EXPECT_TRUE(router.StateOf(id).enabled) << id;
    // Closing groups needs an open document.
    EXPECT_TRUE(router.StateOf(cmd::kGroupClose).enabled);
    app->OnCloseAll();
    QTest::qWait(0);
    EXPECT_FALSE(router.StateOf(cmd::kGroupClose).enabled);
}
