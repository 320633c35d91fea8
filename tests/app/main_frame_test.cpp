// The main frame: toolbars, back and forward, the document list bar and the
// previous-run list.

#include "app/main_frame.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QHelpEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QTabBar>
#include <QTest>
#include <QTextDocument>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QToolTip>
#include <algorithm>

#include "app/child_frame.h"
#include "app/command_router.h"
#include "app/doc_list_bar.h"
#include "app/toolbars.h"
#include "app/veskhtml_app.h"
#include "core/command_ids.h"
#include "editor/text_control.h"
#include "editor/veskhtml_doc.h"
#include "editor/veskhtml_view.h"
#include "framework/menu_decoration.h"
#include "groups/file_group.h"
#include "platform/program_folders.h"
#include "platform/settings_store.h"
#include "support/seams.h"
#include "support/test_env.h"

using vesk::MsgAnswer;
using namespace vesk::test;

namespace {

class MainFrameTest : public ::testing::Test {
  protected:
    MainFrameTest() {
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
    CMainFrame& Frame() { return *app->MainFrame(); }
    QString ActiveTitle() { return app->ActiveDocument() ? app->ActiveDocument()->Title() : ""; }
    // Command buttons of a bar, in order (separators left out).
    std::vector<int> ButtonIds(ToolbarId bar) {
        std::vector<int> ids;
        for (QAction* action : Frame().ToolBars().Bar(bar)->actions()) {
            if (action->isSeparator())
                continue;
            int id = 0;
            for (const ToolbarButtonEntry& entry : ToolbarButtonSet(bar)) {
                if (app->Router().Action(entry.commandId) == action)
                    id = entry.commandId;
            }
            ids.push_back(id);
        }
        return ids;
    }

    QString folder;
    std::unique_ptr<CVeskHtmlApp> app;
};

TEST_F(MainFrameTest, FirstStartShowsEveryToolbarWithItsDefaultButtons) {
    Start();
    const char* titles[] = {"メイン",   "テキスト", "文字",       "ページ",
                            "フレーム", "ツール",   "ウインドウ", "HTMLツール"};
    for (int i = 0; i < kToolbarCount; ++i) {
        const auto bar = static_cast<ToolbarId>(i);
        QToolBar* toolBar = Frame().ToolBars().Bar(bar);
        EXPECT_EQ(toolBar->windowTitle(), QString::fromUtf8(titles[i]));
        EXPECT_FALSE(toolBar->isHidden());
        std::vector<int> expected;
        for (int entry : DefaultButtonLayout(bar)) {
            if (entry >= 0)
                expected.push_back(ToolbarButtonSet(bar)[entry].commandId);
        }
        EXPECT_EQ(ButtonIds(bar), expected) << i;
        const long separators =
            std::count(DefaultButtonLayout(bar).begin(), DefaultButtonLayout(bar).end(), -1);
        EXPECT_EQ(toolBar->actions().size(), static_cast<qsizetype>(expected.size() + separators));
    }
    EXPECT_EQ(Frame().ToolBars().Bar(kToolbarText)->allowedAreas(),
              Qt::TopToolBarArea | Qt::BottomToolBarArea);
    EXPECT_TRUE(Frame().DocListBar()->isVisible());
}

TEST_F(MainFrameTest, EveryToolbarCommandHasAnImageInMenusAndButtons) {
    Start();
    for (int i = 0; i < kToolbarCount; ++i) {
        for (const ToolbarButtonEntry& entry : ToolbarButtonSet(static_cast<ToolbarId>(i))) {
            const QIcon icon = CommandIcon(entry.commandId);
            ASSERT_FALSE(icon.isNull()) << entry.commandId;
            // Drawn at twice the size for high-density screens, the image is not empty.
            const QImage image = icon.pixmap(36, 36).toImage();
            int inked = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x) inked += qAlpha(image.pixel(x, y)) > 0;
            EXPECT_GT(inked, 36 * 36 / 10) << entry.commandId;
            EXPECT_FALSE(app->Router().Action(entry.commandId)->icon().isNull()) << entry.commandId;
        }
    }
}

TEST_F(MainFrameTest, EmptyLayoutLeavesOneBlankButtonAndRefillRestoresButtons) {
    Start();
    app->Settings().buttonLayouts[kToolbarFrame] = {};
    app->Settings().buttonLayouts[kToolbarTools] = {3, -1, 0};
    Frame().RefillToolBars();
    QToolBar* frameBar = Frame().ToolBars().Bar(kToolbarFrame);
    ASSERT_EQ(frameBar->actions().size(), 1);
    EXPECT_FALSE(frameBar->actions()[0]->isSeparator());
    EXPECT_EQ(ButtonIds(kToolbarFrame), (std::vector<int>{0}));
    EXPECT_EQ(ButtonIds(kToolbarTools), (std::vector<int>{32786, 32794}));
    app->Settings().buttonLayouts = DefaultButtonLayouts();
    Frame().RefillToolBars();
    EXPECT_EQ(ButtonIds(kToolbarFrame), (std::vector<int>{32819, 32895, 32853, 32854}));
}

TEST_F(MainFrameTest, DropDownAndMenuButtons) {
    Start();
    CMainToolBars& bars = Frame().ToolBars();
    auto button = [&](ToolbarId bar, int id) {
        return qobject_cast<QToolButton*>(bars.Bar(bar)->widgetForAction(app->Router().Action(id)));
    };
    for (auto [id, items] : {std::pair{32777, 4}, {32876, 3}, {32970, 4}}) {
        QToolButton* tool = button(kToolbarText, id);
        ASSERT_NE(tool, nullptr) << id;
        EXPECT_EQ(tool->popupMode(), QToolButton::MenuButtonPopup);
        ASSERT_NE(tool->menu(), nullptr);
        EXPECT_EQ(tool->menu()->actions().size(), items);
    }
    QToolButton* special = button(kToolbarChar, 32906);
    ASSERT_NE(special, nullptr);
    EXPECT_EQ(special->popupMode(), QToolButton::InstantPopup);
    EXPECT_TRUE(special->menu()->actions().contains(app->Router().Action(32805)));
    // The command itself opens the menu under its button.
    EXPECT_TRUE(app->Router().Execute(32906));
    QTest::qWait(10);
    EXPECT_TRUE(bars.MenuOf(32906)->isVisible());
    bars.MenuOf(32906)->hide();
}

// The text a widget's tooltip shows, read from the tooltip label as it renders it.
QString ShownToolTip(QWidget* widget) {
    QToolTip::hideText();
    const QPoint centre = widget->rect().center();
    QHelpEvent help(QEvent::ToolTip, centre, widget->mapToGlobal(centre));
    QApplication::sendEvent(widget, &help);
    for (QWidget* top : QApplication::topLevelWidgets()) {
        auto* label = qobject_cast<QLabel*>(top);
        if (!label || !label->inherits("QTipLabel") || !label->isVisible())
            continue;
        const bool rich =
            label->textFormat() == Qt::RichText ||
            (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(label->text()));
        if (!rich)
            return label->text();
        QTextDocument document;
        document.setHtml(label->text());
        return document.toPlainText();
    }
    return QString();
}

TEST_F(MainFrameTest, ToolTipsShowTheirTextAsItReads) {
    Start();
    const struct {
        ToolbarId bar;
        int id;
        const char* shown;
    } cases[] = {
        {kToolbarPage, 32814, "<HR>水平線"},
        {kToolbarPage, 32846, "表<TABLE>"},
        {kToolbarText, 32777, "段落<P>"},
        {kToolbarHtmlTools, 32870, "改行を<BR>に変換"},
    };
    for (const auto& c : cases) {
        QWidget* button =
            Frame().ToolBars().Bar(c.bar)->widgetForAction(app->Router().Action(c.id));
        ASSERT_NE(button, nullptr) << c.id;
        EXPECT_EQ(ShownToolTip(button).toStdString(), c.shown) << c.id;
    }
    QToolTip::hideText();
}

// "指定なし", last in the P and DIV drop-downs, writes the tag without ALIGN.
TEST_F(MainFrameTest, AlignmentDropDownsEndWithNoAlignment) {
    Start();
    CVeskHtmlView* view = app->ActiveDocument()->View();
    for (auto [id, written] : {std::pair{32777, "<P></P>"}, {32970, "<DIV></DIV>"}}) {
        view->SetText("");
        QMenu* menu = Frame().ToolBars().MenuOf(id);
        ASSERT_NE(menu, nullptr);
        menu->popup(QPoint(0, 0));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
        QAction* last = menu->actions().back();
        EXPECT_EQ(last->text().toStdString(), "指定なし");
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(last).center());
        EXPECT_EQ(view->Control().WholeText(), written);
    }
}

TEST_F(MainFrameTest, TileToggleFollowsTheTileSetting) {
    Start();
    app->OnFileNew();
    app->Settings().tile = 0;
    EXPECT_TRUE(app->Router().Execute(cmd::kWindowTileToggle));
    EXPECT_EQ(app->Settings().tile, 1);
    EXPECT_TRUE(app->Router().StateOf(cmd::kWindowTileToggle).checked);
    EXPECT_TRUE(app->Router().Execute(cmd::kWindowTileToggle));
    EXPECT_EQ(app->Settings().tile, 0);
    EXPECT_TRUE(app->Router().StateOf(cmd::kWindowCascade).checked);
}

TEST_F(MainFrameTest, TileMakesHorizontalStripsAndCascadeKeepsWindowsUsable) {
    Start({File("a.html")});
    app->OpenDocumentFile(File("b.html"));
    app->OpenDocumentFile(File("c.html"));
    Frame().resize(1000, 800);
    const QSize area = Frame().MdiArea()->viewport()->size();
    ASSERT_TRUE(app->Router().Execute(cmd::kWindowTile));
    QList<CChildFrame*> children = Frame().Children();
    std::sort(children.begin(), children.end(),
              [](CChildFrame* x, CChildFrame* y) { return x->y() < y->y(); });
    int bottom = 0;
    for (CChildFrame* child : children) {
        EXPECT_EQ(child->geometry().left(), 0);
        EXPECT_EQ(child->width(), area.width());
        EXPECT_EQ(child->y(), bottom);
        bottom = child->geometry().bottom() + 1;
    }
    EXPECT_EQ(bottom, area.height());
    // The active window stands at the top.
    EXPECT_EQ(children.first(), Frame().ActiveChild());

    ASSERT_TRUE(app->Router().Execute(cmd::kWindowCascade));
    for (CChildFrame* child : Frame().Children()) {
        EXPECT_GE(child->width(), area.width() / 2);
        EXPECT_GE(child->height(), area.height() / 2);
        EXPECT_TRUE(QRect(QPoint(0, 0), area).contains(child->geometry()));
    }
}

TEST_F(MainFrameTest, TabbedViewShowsClosableTabsMarksChangesAndDisablesTiling) {
    Start({File("a.html")});
    app->OpenDocumentFile(File("b.html"));
    app->OpenDocumentFile(File("c.html"));
    SettingsSnapshot values = app->Settings().CopyOut();
    values.tabbedView = 1;
    app->Settings().CopyIn(values, false);
    Frame().ApplyViewMode();
    QMdiArea* area = Frame().MdiArea();
    ASSERT_EQ(area->viewMode(), QMdiArea::TabbedView);
    auto* tabs = area->findChild<QTabBar*>();
    ASSERT_NE(tabs, nullptr);
    EXPECT_EQ(tabs->count(), 3);
    EXPECT_TRUE(tabs->tabsClosable());
    EXPECT_TRUE(tabs->isMovable());
    EXPECT_EQ(tabs->tabText(tabs->currentIndex()), "c.html");
    Frame().ActiveView()->Control().ReplaceSel("x");
    EXPECT_EQ(tabs->tabText(tabs->currentIndex()), "c.html*");
    for (int id : {cmd::kWindowTile, cmd::kWindowCascade, cmd::kWindowTileToggle})
        EXPECT_FALSE(app->Router().StateOf(id).enabled) << id;

    values.tabbedView = 0;
    app->Settings().CopyIn(values, false);
    Frame().ApplyViewMode();
    EXPECT_EQ(area->viewMode(), QMdiArea::SubWindowView);
    EXPECT_TRUE(app->Router().StateOf(cmd::kWindowTile).enabled);
}

TEST_F(MainFrameTest, BackFollowsClosedWindowsAndTheEditMenuHasOneItemPerMnemonic) {
    Start();
    app->OpenDocumentFile(File("a.html"));  // takes the blank document's place
    app->OpenDocumentFile(File("b.html"));
    QCoreApplication::processEvents();
    QAction* back = app->Router().Action(cmd::kWindowBack);
    EXPECT_TRUE(back->isEnabled());
    ASSERT_TRUE(app->Router().Execute(cmd::kCloseAll));
    // The windows go when the event loop comes round, as in the program (slowly under the
    // sanitizers); then the command states follow.
    QElapsedTimer clock;
    clock.start();
    while (!Frame().Children().isEmpty() && clock.elapsed() < 5000) QTest::qWait(10);
    QTest::qWait(300);
    EXPECT_FALSE(back->isEnabled());

    for (QAction* title : Frame().menuBar()->actions()) {
        if (!title->menu() || title->text() != "編集(&E)")
            continue;
        QStringList seen;
        for (QAction* item : title->menu()->actions()) {
            const QString text = item->text();
            const qsizetype amp = text.indexOf('&');
            if (amp < 0 || amp + 1 >= text.size())
                continue;
            const QString key = text.mid(amp + 1, 1).toUpper();
            EXPECT_FALSE(seen.contains(key))
                << title->text().toStdString() << ": " << text.toStdString();
            seen << key;
        }
    }
}

TEST_F(MainFrameTest, BackAndForwardActivateTheDocumentsInHistoryOrder) {
    const QString a = File("a.html"), b = File("b.html"), c = File("c.html");
    Start({a});
    app->OpenDocumentFile(b);
    app->OpenDocumentFile(c);
    CCommandRouter& router = app->Router();
    EXPECT_FALSE(router.StateOf(cmd::kWindowForward).enabled);
    EXPECT_TRUE(router.Execute(cmd::kWindowBack));
    EXPECT_EQ(ActiveTitle(), "b.html");
    // Alt+B works from the text even though a menu title has the same mnemonic.
    QTest::keyClick(&app->ActiveDocument()->View()->Control(), Qt::Key_B, Qt::AltModifier);
    EXPECT_EQ(ActiveTitle(), "a.html");
    EXPECT_FALSE(router.StateOf(cmd::kWindowBack).enabled);
    QTest::keyClick(&app->ActiveDocument()->View()->Control(), Qt::Key_F, Qt::AltModifier);
    EXPECT_EQ(ActiveTitle(), "b.html");
    // The keys typed nothing into the documents.
    for (CVeskHtmlDoc* doc : app->Documents()) EXPECT_FALSE(doc->IsModified());
}

TEST_F(MainFrameTest, ClosedDocumentIsSkippedByBack) {
    const QString a = File("a.html"), b = File("b.html"), c = File("c.html");
    Start({a});
    app->OpenDocumentFile(b);
    app->OpenDocumentFile(c);
    for (CChildFrame* child : Frame().Children()) {
        if (child->Document()->Title() == "b.html")
            child->CloseWithoutPrompt();
    }
    QTest::qWait(0);
    ASSERT_EQ(ActiveTitle(), "c.html");
    EXPECT_TRUE(app->Router().Execute(cmd::kWindowBack));
    EXPECT_EQ(ActiveTitle(), "a.html");
}

TEST_F(MainFrameTest, DocumentListNamesEveryDocumentAndActivatesTheChosenOne) {
    const QString a = File("a.html", "<html><title>Page A</title></html>");
    Start({a});
    app->OnFileNew();
    CDocListBar* bar = Frame().DocListBar();
    // The active (untitled) document's line, without a group bracket content.
    EXPECT_EQ(bar->Box()->currentText(), app->ActiveDocument()->Title() + "  [  ] ");
    bar->RebuildDocumentList();
    ASSERT_EQ(bar->Box()->count(), 2);
    EXPECT_EQ(bar->Box()->itemText(0), a + "  [  ]  -Page A-");
    app->Settings().general.docListBarItems = 1;
    bar->RefillFromEntries();
    EXPECT_EQ(bar->Box()->itemText(0), a + " -Page A-");
    bar->Box()->activated(0);
    EXPECT_EQ(ActiveTitle(), "a.html");
    EXPECT_EQ(bar->Box()->currentText(), a + " -Page A-");
}

TEST_F(MainFrameTest, PreviousDocumentsOpenAgain) {
    const QString a = File("a.html"), b = File("b.html");
    const QString missing = folder + "/gone.html";
    CFileGroup list;
    const int group = list.AddGroup("default");
    for (const QString& path : {a, QString(), missing, b})
        list.AppendFile(group, path.toStdString());
    ASSERT_TRUE(list.Save("orgflst.vkd"));
    Start();
    ScriptedSeams seams;
    app->Router().Execute(cmd::kOpenPreviousDocuments);
    QStringList titles;
    for (CVeskHtmlDoc* doc : app->Documents()) titles << doc->Title();
    EXPECT_EQ(titles, (QStringList{"a.html", "b.html"}));
    ASSERT_EQ(seams.Messages().size(), 1u);
    EXPECT_EQ(seams.Messages()[0].text, "ファイルを開く事ができませんでした");
}

TEST_F(MainFrameTest, PreviousDocumentListOfAnotherShapeIsReported) {
    CFileGroup list;
    list.AddGroup("site");
    ASSERT_TRUE(list.Save("orgflst.vkd"));
    Start();
    ScriptedSeams seams;
    app->Router().Execute(cmd::kOpenPreviousDocuments);
    ASSERT_EQ(seams.Messages().size(), 1u);
    EXPECT_EQ(seams.Messages()[0].text, "ドキュメントリストの処理に失敗しました。");
    EXPECT_EQ(app->Documents().size(), 1u);
}

TEST_F(MainFrameTest, ClosingWithNoDocumentWritesAnEmptyDefaultGroupThatReopensNothing) {
    Start();
    app->OnCloseAll();
    ASSERT_TRUE(Frame().close());
    app.reset();
    Start();
    ScriptedSeams seams;
    app->Router().Execute(cmd::kOpenPreviousDocuments);
    EXPECT_TRUE(seams.Messages().empty());
    EXPECT_EQ(app->Documents().size(), 1u);  // the blank start-up document only
}

TEST_F(MainFrameTest, SidePaneSizeIsKeptAcrossRuns) {
    Start();
    Frame().resizeDocks({Frame().SidePaneDock()}, {333}, Qt::Horizontal);
    QTest::qWait(0);
    const int width = Frame().SidePaneDock()->width();
    ScriptedSeams seams(MsgAnswer::No);
    ASSERT_TRUE(Frame().close());
    EXPECT_EQ(AppStore().GetProfileInt("FlameState-SCBar-119", "sizeVertCX", 0), width);
    app.reset();
    Start();
    QTest::qWait(0);
    EXPECT_EQ(Frame().SidePaneDock()->width(), width);
}

TEST_F(MainFrameTest, SidePaneVisibilityIsKeptHoweverItWasShown) {
    // Hidden with F4, shown again from the window's own dock menu: the next run shows it.
    Start();
    ASSERT_TRUE(app->Router().Execute(cmd::kViewSidePane));
    EXPECT_FALSE(Frame().SidePaneShown());
    Frame().SidePaneDock()->toggleViewAction()->trigger();
    EXPECT_TRUE(Frame().SidePaneShown());
    ScriptedSeams seams(MsgAnswer::No);
    ASSERT_TRUE(Frame().close());
    app->ExitInstance();
    app.reset();
    Start();
    EXPECT_TRUE(Frame().SidePaneShown());
}

TEST_F(MainFrameTest, MenuItemsShowTheirImageAndTheirShortcutsFromTheTable) {
    Start();
    QAction* find = app->Router().Action(cmd::kFind);
    EXPECT_EQ(find->text(), "検索 (&F)...\tCtrl+F");
    EXPECT_FALSE(app->Router().Action(cmd::kFileSave)->icon().isNull());
    // Back and forward show the arrows, as their keys are also menu mnemonics.
    EXPECT_EQ(app->Router().Action(cmd::kWindowBack)->text(), "前に戻る (&B)\tAlt + ←");
}

}  // namespace

// The caret records are refreshed after a click has been handled; the commands' states must
// follow them at once, so F5 right after a click into a tag opens its dialog.
TEST_F(MainFrameTest, ClickIntoATagEnablesEditTagAtOnceAndF5OpensItsDialog) {
    Start({File("rule.html", "plain text here\r\n<HR SIZE=\"3\">\r\n")});
    QApplication::setActiveWindow(&Frame());
    CTextControl& control = app->ActiveDocument()->View()->Control();
    QAction* editTag = app->Router().Action(cmd::kEditTag);
    auto clickAt = [&](int position) {
        const int x = static_cast<int>(
            control.SendScintilla(QsciScintillaBase::SCI_POINTXFROMPOSITION, 0, position));
        const int y = static_cast<int>(
            control.SendScintilla(QsciScintillaBase::SCI_POINTYFROMPOSITION, 0, position));
        QTest::mouseClick(control.viewport(), Qt::LeftButton, {}, QPoint(x + 2, y + 5));
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    };
    clickAt(3);
    EXPECT_FALSE(editTag->isEnabled());
    clickAt(22);
    EXPECT_TRUE(editTag->isEnabled());

    QStringList shown;
    vesk::dialog_seam::SetScript([&shown](QDialog& dialog) {
        shown << dialog.windowTitle();
        return int(QDialog::Rejected);
    });
    QTest::keyClick(&control, Qt::Key_F5);
    InstallNonBlockingSeams();
    EXPECT_EQ(shown.size(), 1) << shown.join(", ").toStdString();
}
