// The side pane in the running program: showing and hiding it, the view
// commands that show a document or a link in it, and the link tree following
// the active document.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDockWidget>
#include <QTabWidget>
#include <QTreeWidget>

#include "core/command_ids.h"
#include "app/command_router.h"
#include "app/main_frame.h"
#include "app/veskhtml_app.h"
#include "editor/text_control.h"
#include "editor/veskhtml_doc.h"
#include "editor/veskhtml_view.h"
#include "sidepane/file_browser.h"
#include "sidepane/link_browser.h"
#include "sidepane/side_pane_texts.h"
#include "sidepane/veskview_pane.h"
#include "support/seams.h"
#include "support/test_env.h"

using namespace vesk::test;

namespace {

class SidePaneAppTest : public ::testing::Test {
  protected:
    SidePaneAppTest() {
        ClearSettings();
        folder = MakeTempDir();
        WriteTestFile(folder + "/img/a.gif", "GIF89a");
        page = WriteTestFile(folder + "/index.html",
                             "<a href=\"img/a.gif\">a</a> <a href=\"lost.html#x\">l</a>");
        app = std::make_unique<CVeskHtmlApp>();
        EXPECT_TRUE(app->InitInstance({page}));
        pane = app->MainFrame()->SidePane();
    }
    CVeskHtmlView* View() { return app->ActiveDocument()->View(); }
    // The caret inside the value that starts with needle.
    void CaretIn(const std::string& needle) {
        const int at = static_cast<int>(View()->Control().WholeText().find(needle));
        View()->Control().SetSel(at + 1, at + 1);
        View()->RefreshCaretContextAsClick();
    }
    QTreeWidget* LinkTree() { return pane->LinkBrowser().Tree(); }

    QString folder;
    QString page;
    std::unique_ptr<CVeskHtmlApp> app;
    CVeskViewPane* pane = nullptr;
};

TEST_F(SidePaneAppTest, ToggleHidesAndShowsThePane) {
    CCommandRouter& router = app->Router();
    ASSERT_NE(pane, nullptr);
    EXPECT_TRUE(router.StateOf(cmd::kViewSidePane).checked);
    EXPECT_TRUE(router.StateOf(cmd::kShowDocumentInFileBrowser).enabled);
    router.Execute(cmd::kViewSidePane);
    EXPECT_EQ(app->Settings().currentShowHide, 0);
    EXPECT_FALSE(router.StateOf(cmd::kViewSidePane).checked);
    EXPECT_FALSE(router.StateOf(cmd::kShowDocumentInFileBrowser).enabled);
    // Closed by its own button, the pane counts as hidden as well.
    router.Execute(cmd::kViewSidePane);
    EXPECT_EQ(app->Settings().currentShowHide, 1);
    app->MainFrame()->SidePaneDock()->close();
    EXPECT_EQ(app->Settings().currentShowHide, 0);
}

TEST_F(SidePaneAppTest, ViewCommandsShowTheDocumentAndItsLinks) {
    CCommandRouter& router = app->Router();
    pane->SelectTab(CVeskViewPane::kLinkBrowserTab);
    router.Execute(cmd::kShowDocumentInFileBrowser);
    EXPECT_EQ(pane->CurrentTab(), CVeskViewPane::kFileBrowserTab);
    EXPECT_EQ(pane->FileBrowser().CurrentPath(), page);

    // A picture link: the filter widens so that the picture can be selected.
    CaretIn("img/a.gif");
    ASSERT_TRUE(router.StateOf(cmd::kShowLinkInFileBrowser).enabled);
    router.Execute(cmd::kShowLinkInFileBrowser);
    EXPECT_EQ(pane->FileBrowser().CurrentPath(), folder + "/img/a.gif");
    EXPECT_EQ(pane->FileBrowser().Filter(), 2);

    ScriptedSeams seams;
    CaretIn("lost.html");
    router.Execute(cmd::kShowLinkInFileBrowser);
    ASSERT_EQ(seams.Messages().size(), 1u);
    EXPECT_EQ(seams.Messages()[0].text, veskview_text::LinkTargetMissing(folder + "/lost.html"));

    router.Execute(cmd::kShowLinkInLinkBrowser);
    EXPECT_EQ(pane->CurrentTab(), CVeskViewPane::kLinkBrowserTab);
    ASSERT_NE(LinkTree()->currentItem(), nullptr);
    EXPECT_EQ(LinkTree()->currentItem()->text(0), "lost.html");
}

TEST_F(SidePaneAppTest, LinkTreeFollowsTheActiveDocument) {
    QTreeWidgetItem* root = LinkTree()->topLevelItem(0);
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->text(0), "index.html");
    EXPECT_EQ(pane->LinkBrowser().TreeView(), View());

    app->OnFileNew();
    EXPECT_EQ(LinkTree()->topLevelItem(0)->childCount(), 0);
    EXPECT_EQ(pane->LinkBrowser().TreeView(), View());
    app->OnCloseAll();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_EQ(LinkTree()->topLevelItemCount(), 1);
    EXPECT_TRUE(LinkTree()->topLevelItem(0)->text(0).isEmpty());
    EXPECT_EQ(pane->LinkBrowser().TreeView(), nullptr);
}

}  // namespace
