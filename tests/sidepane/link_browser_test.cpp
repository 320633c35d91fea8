// The link browser: its tree, the background refresh after edits, jumping to
// a link, and agreement with the link checker.

#include "sidepane/link_browser.h"

#include <gtest/gtest.h>

#include <QTreeWidget>
#include <sstream>

#include "core/app_settings.h"
#include "editor/text_control.h"
#include "editor/veskhtml_doc.h"
#include "editor/veskhtml_view.h"
#include "sidepane/link_checker.h"
#include "sidepane/side_pane_texts.h"
#include "support/seams.h"
#include "support/test_env.h"

using namespace vesk;
using namespace vesk::test;
namespace lc = link_cmd;

namespace {

const char kPage[] =
    "<html><head><title>t</title></head><body>\r\n"
    "<a name=\"top\"></a><img src=\"img/a.gif\"><img src=\"img/lost.gif\">\r\n"
    "<a href=\"sub/b.html#sec\">b</a><a href=\"gone.html\">g</a>\r\n"
    "<a href=\"#top\">t</a><a href=\"#bottom\">x</a>\r\n"
    "<a href=\"http://example.jp/\">e</a><a href=\"mailto:me@example.jp\">m</a>\r\n"
    "</body></html>\r\n";

class LinkBrowserTest : public ::testing::Test {
  protected:
    LinkBrowserTest() {
        ClearSettings();
        folder = MakeTempDir();
        WriteTestFile(folder + "/img/a.gif", "GIF89a");
        WriteTestFile(folder + "/sub/b.html", "<p>b</p>");
        WriteTestFile(folder + "/index.html", kPage);
        view = std::make_unique<CVeskHtmlView>(settings, &doc);
        EXPECT_TRUE(doc.Load(folder + "/index.html", nullptr));
        SidePaneHost host;
        host.activeView = [this] { return view.get(); };
        host.paneShown = [this] { return shown; };
        page = std::make_unique<CLinkBrowserPage>(settings, host);
        page->RebuildLinks(Text(), view.get(), true);
    }

    std::string Text() { return view->Control().WholeText(); }
    QTreeWidgetItem* Root() { return page->Tree()->topLevelItem(0); }
    QStringList Children(QTreeWidgetItem* item) {
        QStringList labels;
        for (int i = 0; item && i < item->childCount(); ++i) labels << item->child(i)->text(0);
        return labels;
    }
    QTreeWidgetItem* Group(const char* title) {
        for (int i = 0; i < Root()->childCount(); ++i) {
            if (Root()->child(i)->text(0) == QString::fromUtf8(title))
                return Root()->child(i);
        }
        return nullptr;
    }
    QTreeWidgetItem* Link(const char* group, const QString& label) {
        QTreeWidgetItem* parent = Group(group);
        for (int i = 0; parent && i < parent->childCount(); ++i) {
            if (parent->child(i)->text(0) == label)
                return parent->child(i);
        }
        return nullptr;
    }
    // Types into the view and hands the text over as an edit does.
    void Type(int at, const std::string& typed, bool rebuild = false) {
        view->Control().SetSel(at, at);
        view->Control().ReplaceSel(typed);
        page->RefreshInBackground(Text(), rebuild);
        page->WaitForBackgroundRefresh();
    }

    CAppSettings settings;
    CVeskHtmlDoc doc;
    std::unique_ptr<CVeskHtmlView> view;
    std::unique_ptr<CLinkBrowserPage> page;
    QString folder;
    bool shown = true;
};

TEST_F(LinkBrowserTest, TreeShowsGroupsInOrderWithMissingLinks) {
    EXPECT_EQ(Root()->text(0), "index.html");
    EXPECT_EQ(Children(Root()),
              (QStringList{veskview_text::kInlineGroup, veskview_text::kAnchorGroup,
                           veskview_text::kInternalGroup, veskview_text::kExternalGroup,
                           veskview_text::kMailGroup}));
    EXPECT_EQ(Children(Group(veskview_text::kInternalGroup)),
              (QStringList{"gone.html", "sub/b.html"}));

    // The items the tree marks missing are exactly the checker's missing links.
    QStringList treeMissing;
    for (int g = 0; g < Root()->childCount(); ++g) {
        QTreeWidgetItem* group = Root()->child(g);
        for (int i = 0; i < group->childCount(); ++i) {
            page->Tree()->setCurrentItem(group->child(i));
            if (page->SelectedKind() == 7)
                treeMissing << group->text(0) + "/" + group->child(i)->text(0);
        }
    }
    std::ostringstream out, err;
    EXPECT_EQ(RunLinkCheck({(folder + "/index.html").toStdString()}, out, err), 1);
    QStringList checkerMissing;
    std::istringstream lines(out.str());
    for (std::string line; std::getline(lines, line);) {
        const QStringList fields = QString::fromStdString(line).split('\t');
        ASSERT_EQ(fields.size(), 4);
        if (fields[2] == "missing")
            checkerMissing << fields[1] + "/" + fields[3];
    }
    EXPECT_EQ(treeMissing, (QStringList{QString(veskview_text::kInlineGroup) + "/img/lost.gif",
                                        QString(veskview_text::kAnchorGroup) + "/bottom",
                                        QString(veskview_text::kInternalGroup) + "/gone.html"}));
    EXPECT_EQ(checkerMissing,
              (QStringList{"inline/img/lost.gif", "anchor/bottom", "internal/gone.html"}));
}

TEST_F(LinkBrowserTest, SelectionKindsAndCommands) {
    page->Tree()->setCurrentItem(Link(veskview_text::kInternalGroup, "sub/b.html"));
    EXPECT_EQ(page->SelectedKind(), 0);
    EXPECT_EQ(page->SelectedPath(), folder + "/sub/b.html");
    EXPECT_TRUE(page->StateOf(lc::kOpenInEditor).enabled);
    page->Tree()->setCurrentItem(Link(veskview_text::kAnchorGroup, "top"));
    EXPECT_EQ(page->SelectedKind(), 3);
    EXPECT_FALSE(page->StateOf(lc::kOpenWithApplication).enabled);
    page->Tree()->setCurrentItem(Group(veskview_text::kAnchorGroup));
    EXPECT_EQ(page->SelectedKind(), 5);
    EXPECT_FALSE(page->StateOf(lc::kShowLinkPosition).enabled);
    EXPECT_TRUE(page->StateOf(lc::kRefresh).enabled);
}

TEST_F(LinkBrowserTest, TypingTextLeavesTheTreeAndSelectionAlone) {
    QTreeWidgetItem* selected = Link(veskview_text::kInternalGroup, "gone.html");
    page->Tree()->setCurrentItem(selected);
    const int rebuilds = page->Rebuilds();

    // Plain text in front of every link: positions move, counts stay.
    Type(0, "typed text ");
    EXPECT_EQ(page->Rebuilds(), rebuilds);
    EXPECT_EQ(page->Tree()->currentItem(), selected);
    // The lists follow the text, so the link is still found where it now is.
    ScriptedSeams seams;
    page->Execute(lc::kShowLinkPosition);
    EXPECT_TRUE(seams.Messages().empty());
    EXPECT_EQ(view->Control().SelectedText(), "gone.html");

    // A new link changes a count: the tree is rebuilt and the same link kept.
    Type(view->Control().TextLength(), "<a href=\"new.html\">n</a>");
    EXPECT_EQ(page->Rebuilds(), rebuilds + 1);
    EXPECT_EQ(Children(Group(veskview_text::kInternalGroup)),
              (QStringList{"gone.html", "new.html", "sub/b.html"}));
    ASSERT_NE(page->Tree()->currentItem(), nullptr);
    EXPECT_EQ(page->Tree()->currentItem()->text(0), "gone.html");
    // An edit that may have changed links rebuilds even with equal counts.
    Type(0, "x", true);
    EXPECT_EQ(page->Rebuilds(), rebuilds + 2);
}

TEST_F(LinkBrowserTest, RefreshesInQuickSuccessionEndWithTheLastText) {
    std::string text = Text();
    for (int i = 0; i < 20; ++i) {
        text += "<img src=\"p" + std::to_string(i) + ".gif\">";
        page->RefreshInBackground(text, false);
    }
    page->WaitForBackgroundRefresh();
    EXPECT_EQ(page->Lists()[kInlineLinks].size(), 22u);
    EXPECT_EQ(Group(veskview_text::kInlineGroup)->childCount(), 22);

    // Hidden, the pane does no work at all.
    shown = false;
    page->RefreshInBackground(kPage, true);
    page->WaitForBackgroundRefresh();
    page->RebuildLinks("", nullptr, true);
    EXPECT_EQ(page->Lists()[kInlineLinks].size(), 22u);
}

TEST_F(LinkBrowserTest, ShowLinkPositionReportsAChangedText) {
    ScriptedSeams seams;
    page->Tree()->setCurrentItem(Link(veskview_text::kMailGroup, "me@example.jp"));
    view->Control().SetSel(3, 5);
    // The text changes without the pane being told.
    const int at = static_cast<int>(Text().find("mailto:"));
    view->Control().SetSel(at, at + 7);
    view->Control().ReplaceSel("MAIL:");
    view->Control().SetSel(3, 5);
    page->ShowLinkPosition();
    ASSERT_EQ(seams.Messages().size(), 1u);
    EXPECT_EQ(seams.Messages()[0].text, QString::fromUtf8(veskview_text::kLinkMismatch));
    EXPECT_EQ(seams.Messages()[0].caption, "Vesk Html");
    int start = 0, end = 0;
    view->Control().GetSel(start, end);
    EXPECT_EQ(start, 3);
    EXPECT_EQ(end, 5);
}

TEST_F(LinkBrowserTest, ShowLinkOfCaretFindsTheLinkByItsPlace) {
    const std::string text = Text();
    const int anchor = static_cast<int>(text.find("#top\""));
    EXPECT_TRUE(page->ShowLinkOfCaret("#top", anchor, text, view.get()));
    EXPECT_EQ(page->Tree()->currentItem(), Link(veskview_text::kAnchorGroup, "top"));
    const int file = static_cast<int>(text.find("sub/b.html#sec"));
    EXPECT_TRUE(page->ShowLinkOfCaret("sub/b.html#sec", file, text, view.get()));
    EXPECT_EQ(page->SelectedPath(), folder + "/sub/b.html");
    EXPECT_FALSE(page->ShowLinkOfCaret("sub/b.html#sec", file + 1, text, view.get()));
}

TEST_F(LinkBrowserTest, ClosingTheDocumentLeavesOnlyTheRoot) {
    view.reset();
    ASSERT_EQ(page->Tree()->topLevelItemCount(), 1);
    EXPECT_EQ(Root()->childCount(), 0);
    EXPECT_EQ(page->TreeView(), nullptr);
    EXPECT_TRUE(page->Lists().Empty());
}

}  // namespace
