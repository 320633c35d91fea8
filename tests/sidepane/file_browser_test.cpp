// The file browser: filters and order, navigation, the context commands and
// the file operations, on temporary folders.

#include "sidepane/file_browser.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>

#include "core/app_settings.h"
#include "editor/text_control.h"
#include "editor/veskhtml_doc.h"
#include "editor/veskhtml_view.h"
#include "platform/settings_store.h"
#include "sidepane/file_tree_logic.h"
#include "sidepane/path_copy_dialog.h"
#include "sidepane/preview_splitter.h"
#include "sidepane/side_pane_texts.h"
#include "support/seams.h"
#include "support/test_env.h"
#include "tags/dialog_fields.h"
#include "tags/image_dialog.h"

using namespace vesk;
using namespace vesk::test;
namespace fc = vesk::file_cmd;

namespace {

// ---- Rules without a window ---------------------------------------------------------

TEST(FileTreeRules, FiltersAndOrder) {
    const std::vector<std::string> names = {"b.HTM",  "a.html",  "x.shtml", "c.GIF",    "d.txt",
                                            "e.jpeg", ".h.html", "htm",     "f.htm.gif"};
    EXPECT_EQ(FilesForFilter(names, kFilterPages),
              (std::vector<std::string>{"a.html", "b.HTM", "f.htm.gif", "x.shtml"}));
    EXPECT_EQ(FilesForFilter(names, kFilterPictures),
              (std::vector<std::string>{"c.GIF", "e.jpeg", "f.htm.gif"}));
    // A name that fits both patterns is listed once.
    EXPECT_EQ(FilesForFilter(names, kFilterPagesAndPictures).size(), 6u);
    EXPECT_EQ(FilesForFilter(names, kFilterAll).size(), 8u);

    // Each folder goes in above the ones before it; RECYCLED never shows.
    EXPECT_EQ(FoldersInTreeOrder({"alpha", "Recycled", "beta", ".git", "gamma"}),
              (std::vector<std::string>{"gamma", "beta", "alpha"}));
}

TEST(FileTreeRules, NavigationStartsAtTheInnermostRoot) {
    const std::vector<std::string> roots = {"/", "/media/usb", "/home/u", "/home/u/Desktop"};
    auto start = FindNavigationStart(roots, "/home/u/Desktop/site/a.html");
    ASSERT_TRUE(start);
    EXPECT_EQ(start->root, 3);
    EXPECT_EQ(start->components, (std::vector<std::string>{"site", "a.html"}));
    // A sibling whose name only begins like a root is not inside it.
    start = FindNavigationStart(roots, "/home/u/Desktop2/a.html");
    EXPECT_EQ(start->root, 2);
    EXPECT_EQ(start->components, (std::vector<std::string>{"Desktop2", "a.html"}));
    start = FindNavigationStart(roots, "/media/usb");
    EXPECT_EQ(start->root, 1);
    EXPECT_TRUE(start->components.empty());
    EXPECT_FALSE(FindNavigationStart({"/home/u"}, "/etc/passwd"));
    EXPECT_FALSE(FindNavigationStart(roots, "relative/path"));
}

TEST(FileTreeRules, FilterWideningAndCommandStates) {
    EXPECT_EQ(WidenFilter(kFilterPages, 1), kFilterPagesAndPictures);
    EXPECT_EQ(WidenFilter(kFilterPictures, 0), kFilterPagesAndPictures);
    EXPECT_EQ(WidenFilter(kFilterPagesAndPictures, -1), kFilterAll);
    EXPECT_EQ(WidenFilter(kFilterPages, 0), kFilterPages);
    EXPECT_EQ(WidenFilter(kFilterPagesAndPictures, 1), kFilterPagesAndPictures);

    EXPECT_TRUE(FileCommandEnabled(fc::kInsertImage, kItemPicture, false, true));
    EXPECT_FALSE(FileCommandEnabled(fc::kInsertImage, kItemPicture, false, false));
    EXPECT_FALSE(FileCommandEnabled(fc::kInsertLink, kItemFolder, false, true));
    EXPECT_TRUE(FileCommandEnabled(fc::kCopy, kItemFolder, false, false));
    EXPECT_FALSE(FileCommandEnabled(fc::kDelete, kItemRoot, false, false));
    EXPECT_TRUE(FileCommandEnabled(fc::kNewFolder, kItemRoot, false, false));
    EXPECT_FALSE(FileCommandEnabled(fc::kNewFolder, kItemNone, true, true));
    EXPECT_TRUE(FileCommandEnabled(fc::kPaste, kItemNone, true, false));
    EXPECT_FALSE(FileCommandEnabled(fc::kOpenWithFavourite, kItemOtherFile, false, true));

    EXPECT_EQ(PasteDestination("/s/sub", kItemFolder, "/t/a.html"), "/s/sub/a.html");
    EXPECT_EQ(PasteDestination("/s/b.gif", kItemPicture, "/t/a.html"), "/s/a.html");
    EXPECT_EQ(PasteDestination("/", kItemRoot, "/t/a.html"), "/a.html");
}

// ---- The page -----------------------------------------------------------------------

// Whether the selected item's label has an editor open.
bool Editing(const CFileBrowserPage& page) {
    return page.Tree()->indexWidget(page.Tree()->currentIndex()) != nullptr;
}

class FileBrowserTest : public ::testing::Test {
  protected:
    FileBrowserTest() {
        ClearSettings();
        root = MakeTempDir();
        WriteTestFile(root + "/index.html", "<p>top</p>");
        WriteTestFile(root + "/b.html", "<p>b</p>");
        QDir().mkpath(root + "/sub");
        QDir().mkpath(root + "/img");
        QImage(2, 3, QImage::Format_RGB32).save(root + "/img/a.png");
    }

    std::unique_ptr<CFileBrowserPage> MakePage(std::vector<BrowserRoot> roots = {}) {
        SidePaneHost host;
        host.activeView = [this] { return view.get(); };
        host.documentCount = [this] { return view ? 1 : 0; };
        host.openInEditor = [this](const QString& path) { opened << path; };
        if (roots.empty())
            roots = {{root, "site", {}}};
        return std::make_unique<CFileBrowserPage>(settings, host, std::move(roots));
    }

    void OpenDocument(const QString& path) {
        doc = std::make_unique<CVeskHtmlDoc>();
        view = std::make_unique<CVeskHtmlView>(settings, doc.get());
        ASSERT_TRUE(doc->Load(path, nullptr));
    }

    static QStringList Labels(QTreeWidgetItem* item) {
        QStringList labels;
        for (int i = 0; item && i < item->childCount(); ++i) labels << item->child(i)->text(0);
        return labels;
    }

    CAppSettings settings;
    QString root;
    QStringList opened;
    std::unique_ptr<CVeskHtmlDoc> doc;
    std::unique_ptr<CVeskHtmlView> view;
};

TEST_F(FileBrowserTest, NavigatesToADeepPath) {
    const QString deep = root + "/a/b/c/d/page.html";
    WriteTestFile(deep, "<p>deep</p>");
    auto page = MakePage();
    ASSERT_TRUE(page->NavigateTo(deep));
    EXPECT_EQ(page->CurrentPath(), deep);
    EXPECT_EQ(page->PathLine()->text(), deep);
    EXPECT_EQ(page->SelectedKind(), kItemPage);
    QTreeWidgetItem* item = page->Tree()->currentItem();
    ASSERT_NE(item, nullptr);
    QStringList chain;
    for (; item; item = item->parent()) chain.prepend(item->text(0));
    EXPECT_EQ(chain, (QStringList{"site", "a", "b", "c", "d", "page.html"}));

    // A missing component ends the walk at the last folder found.
    EXPECT_TRUE(page->NavigateTo(root + "/a/b/nothing/x.html"));
    EXPECT_EQ(page->CurrentPath(), root + "/a/b");
    EXPECT_EQ(page->SelectedKind(), kItemFolder);
    EXPECT_FALSE(page->NavigateTo("/elsewhere/x.html"));
    EXPECT_EQ(page->SelectedKind(), kItemNone);

    // The machine's own roots reach the same file from "/".
    auto systemPage = std::make_unique<CFileBrowserPage>(settings, SidePaneHost{});
    ASSERT_TRUE(systemPage->NavigateTo(deep));
    EXPECT_EQ(systemPage->CurrentPath(), deep);

    // The place is remembered for the next start.
    systemPage.reset();
    EXPECT_EQ(AppStore().GetProfileString("VeskViewSettings", "DefaultPath", {}), deep);
    EXPECT_EQ(MakePage()->CurrentPath(), deep);
}

TEST_F(FileBrowserTest, FilterDecidesWhatTheTreeShows) {
    QDir().mkpath(root + "/Recycled");
    QDir().mkpath(root + "/zeta");
    WriteTestFile(root + "/notes.txt", "x");
    auto page = MakePage();
    page->NavigateTo(root);
    QTreeWidgetItem* top = page->Tree()->topLevelItem(0);
    EXPECT_EQ(Labels(top), (QStringList{"zeta", "sub", "img", "b.html", "index.html"}));

    page->SetFilter(kFilterPictures);
    page->NavigateTo(root + "/img");
    EXPECT_EQ(Labels(page->Tree()->currentItem()), QStringList{"a.png"});
    EXPECT_EQ(Labels(page->Tree()->topLevelItem(0)), (QStringList{"zeta", "sub", "img"}));

    // Showing a page widens the pictures filter so that the page can be found.
    page->ShowPathInBrowser(root + "/index.html", 0);
    EXPECT_EQ(page->Filter(), kFilterPagesAndPictures);
    EXPECT_EQ(page->CurrentPath(), root + "/index.html");
    page->ShowPathInBrowser(root + "/notes.txt", -1);
    EXPECT_EQ(page->Filter(), kFilterAll);
    EXPECT_EQ(page->CurrentPath(), root + "/notes.txt");
    EXPECT_EQ(page->SelectedKind(), kItemOtherFile);
}

TEST_F(FileBrowserTest, PasteTwiceIsRefused) {
    ScriptedSeams seams;
    auto page = MakePage();
    page->NavigateTo(root + "/index.html");
    page->Execute(fc::kCopy);
    page->NavigateTo(root + "/sub");
    ASSERT_TRUE(page->StateOf(fc::kPaste).enabled);
    page->Execute(fc::kPaste);
    EXPECT_EQ(ReadTestFile(root + "/sub/index.html"), "<p>top</p>");
    EXPECT_EQ(page->CurrentPath(), root + "/sub/index.html");
    EXPECT_EQ(page->Pending(), CFileBrowserPage::kNoOperation);
    EXPECT_FALSE(page->StateOf(fc::kPaste).enabled);

    // Pasting into the folder again needs a new copy or cut; nothing happens.
    QFile::remove(root + "/sub/index.html");
    page->NavigateTo(root + "/sub");
    page->Execute(fc::kPaste);
    EXPECT_FALSE(QFileInfo::exists(root + "/sub/index.html"));
    EXPECT_TRUE(seams.Messages().empty());

    // A cut moves; pasting beside the source itself is refused with the message.
    page->NavigateTo(root + "/b.html");
    page->Execute(fc::kCut);
    page->Execute(fc::kPaste);
    ASSERT_EQ(seams.Messages().size(), 1u);
    EXPECT_EQ(seams.Messages()[0].text, QString::fromUtf8(veskview_text::kCannotMove));
    EXPECT_TRUE(QFileInfo::exists(root + "/b.html"));
    page->NavigateTo(root + "/sub");
    page->Execute(fc::kPaste);
    EXPECT_FALSE(QFileInfo::exists(root + "/b.html"));
    EXPECT_EQ(ReadTestFile(root + "/sub/b.html"), "<p>b</p>");
}

TEST_F(FileBrowserTest, ReplacingAskedAndTheOldFileGoesToTheTrash) {
    ScriptedSeams seams;
    QStringList trashed;
    trash_seam::SetScript([&trashed](const TrashRequest& request) {
        trashed << request.path;
        return QFile::remove(request.path);
    });
    WriteTestFile(root + "/sub/index.html", "old");
    auto page = MakePage();
    page->NavigateTo(root + "/index.html");
    page->Execute(fc::kCopy);
    page->NavigateTo(root + "/sub");
    seams.answers = {MsgAnswer::No};
    page->Execute(fc::kPaste);
    EXPECT_EQ(ReadTestFile(root + "/sub/index.html"), "old");
    EXPECT_EQ(page->Pending(), CFileBrowserPage::kCopyPending);
    seams.answers = {MsgAnswer::Yes};
    page->Execute(fc::kPaste);
    EXPECT_EQ(ReadTestFile(root + "/sub/index.html"), "<p>top</p>");
    EXPECT_EQ(trashed, QStringList{root + "/sub/index.html"});
}

TEST_F(FileBrowserTest, DeleteClearsAPendingCopy) {
    ScriptedSeams seams(MsgAnswer::Yes);
    QStringList trashed;
    bool trashWorks = true;
    trash_seam::SetScript([&](const TrashRequest& request) {
        trashed << request.path;
        return trashWorks && QFile::remove(request.path);
    });
    auto page = MakePage();
    page->NavigateTo(root + "/index.html");
    page->Execute(fc::kCopy);
    page->NavigateTo(root + "/b.html");
    page->Execute(fc::kDelete);
    EXPECT_EQ(trashed, QStringList{root + "/b.html"});
    EXPECT_EQ(page->Pending(), CFileBrowserPage::kNoOperation);
    EXPECT_EQ(page->ItemOfPath(root + "/b.html"), nullptr);
    // Another item took the selection and gives the current path.
    EXPECT_NE(page->CurrentPath(), root + "/b.html");
    EXPECT_EQ(page->CurrentPath(), page->ItemPath(page->Tree()->currentItem()));

    // A failed delete says so, and drops the pending copy as well.
    page->NavigateTo(root + "/index.html");
    page->Execute(fc::kCopy);
    trashWorks = false;
    page->Execute(fc::kDelete);
    ASSERT_EQ(seams.Messages().size(), 3u);  // two questions, then the failure
    EXPECT_EQ(seams.Messages()[2].text, QString::fromUtf8(veskview_text::kCannotDelete));
    EXPECT_EQ(seams.Messages()[2].icon, MsgIcon::Information);
    EXPECT_EQ(page->Pending(), CFileBrowserPage::kNoOperation);
    EXPECT_TRUE(page->ItemOfPath(root + "/index.html"));
}

TEST_F(FileBrowserTest, NewFolderTwiceFailsWithTheMessage) {
    ScriptedSeams seams;
    auto page = MakePage();
    page->show();
    page->NavigateTo(root + "/sub");
    page->Execute(fc::kNewFolder);
    const QString made = root + "/sub/" + QString::fromUtf8(veskview_text::kNewFolderName);
    EXPECT_TRUE(QFileInfo(made).isDir());
    EXPECT_EQ(page->CurrentPath(), made);
    // Its label is being edited so that it can be named at once.
    EXPECT_TRUE(Editing(*page));

    page->NavigateTo(root + "/sub");
    page->Execute(fc::kNewFolder);
    ASSERT_EQ(seams.Messages().size(), 1u);
    EXPECT_EQ(seams.Messages()[0].text, QString::fromUtf8(veskview_text::kCannotCreateFolder));
    EXPECT_EQ(seams.Messages()[0].caption, "VeskHtml");
    EXPECT_EQ(seams.Messages()[0].icon, MsgIcon::Information);
}

TEST_F(FileBrowserTest, RenameOnlyThroughTheCommand) {
    ScriptedSeams seams;
    auto page = MakePage();
    page->show();
    page->NavigateTo(root + "/b.html");
    QTreeWidgetItem* item = page->Tree()->currentItem();
    page->Tree()->editItem(item);
    EXPECT_FALSE(Editing(*page));

    page->Execute(fc::kRename);
    EXPECT_TRUE(Editing(*page));
    EXPECT_TRUE(page->FinishLabelEdit(item, "c.html"));
    EXPECT_TRUE(QFileInfo::exists(root + "/c.html"));
    EXPECT_EQ(page->CurrentPath(), root + "/c.html");
    EXPECT_EQ(item->text(0), "c.html");
    // A name that is taken is refused and the label stays.
    EXPECT_FALSE(page->FinishLabelEdit(item, "index.html"));
    EXPECT_EQ(item->text(0), "c.html");
    ASSERT_EQ(seams.Messages().size(), 1u);
    EXPECT_EQ(seams.Messages()[0].text, QString::fromUtf8(veskview_text::kCannotRename));
}

TEST_F(FileBrowserTest, InsertImageAndRelativePathFromTheSelection) {
    OpenDocument(root + "/index.html");
    auto page = MakePage();
    page->ShowPathInBrowser(root + "/img/a.png", 1);
    ASSERT_TRUE(page->ImageSizeKnown());
    EXPECT_EQ(page->RelativePath(), "./img/a.png");

    std::string src, width;
    dialog_seam::SetScript([&](QDialog& dialog) {
        auto* image = qobject_cast<CImageDlg*>(&dialog);
        if (!image)
            return 0;
        src = image->SrcField()->Text();
        width = image->WidthEdit()->text().toStdString();
        return int(QDialog::Accepted);
    });
    page->Execute(fc::kInsertImage);
    EXPECT_EQ(src, "./img/a.png");
    EXPECT_EQ(width, "2");
    EXPECT_NE(view->Control().WholeText().find("./img/a.png\" WIDTH=\"2\" HEIGHT=\"3\""),
              std::string::npos);

    // The dialog offers the size and remembers the choice.
    dialog_seam::SetScript([](QDialog& dialog) {
        auto* copy = qobject_cast<CPathCopyDlg*>(&dialog);
        if (!copy || copy->PathAndSizeButton()->isHidden())
            return 0;
        copy->PathAndSizeButton()->click();
        return int(QDialog::Accepted);
    });
    page->Execute(fc::kGetRelativePath);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "SRC=\"./img/a.png\" WIDTH=\"2\" HEIGHT=\"3\"");
    EXPECT_EQ(AppStore().GetProfileInt("FileViewSettings", "CopyPathOnly", 1), 0);
    // Switched off, the path goes straight to the clipboard.
    settings.general.pathCopyDlgShowHide = 0;
    page->NavigateTo(root + "/b.html");
    page->Execute(fc::kGetRelativePath);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "./b.html");
    InstallNonBlockingSeams();
}

// The preview's edge dragged with the mouse: the share follows the release,
// a press outside the band leaves it alone.
TEST(PreviewSplitterDrag, ReleaseSetsTheShareWhereTheEdgeWasDropped) {
    QWidget page;
    page.resize(200, 400);
    double share = 0.2;
    CPreviewSplitter splitter(
        page, PreviewPage::FileBrowser, 25, [&] { return share; }, [&](double s) { share = s; });
    splitter.Watch(&page);
    page.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&page));

    const int edge = 400 - 25 - static_cast<int>(400 * 0.2);
    ASSERT_TRUE(InSplitterBand(PreviewPage::FileBrowser, 400, 0.2, edge));
    QTest::mousePress(&page, Qt::LeftButton, {}, QPoint(50, edge));
    QTest::mouseMove(&page, QPoint(50, edge - 60));
    QTest::mouseRelease(&page, Qt::LeftButton, {}, QPoint(50, edge - 60));
    EXPECT_DOUBLE_EQ(share,
                     PreviewShareWhileDragging(PreviewPage::FileBrowser, 400, edge - 60, true));
    EXPECT_GT(share, 0.2);

    const double before = share;
    QTest::mousePress(&page, Qt::LeftButton, {}, QPoint(50, 10));
    QTest::mouseRelease(&page, Qt::LeftButton, {}, QPoint(50, 200));
    EXPECT_EQ(share, before);
}

}  // namespace
