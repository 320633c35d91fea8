// Find and replace in files through the real dialog, worker and result pane, with real views
// for the open documents.

#include "findfiles/find_in_files.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QDockWidget>
#include <QLineEdit>
#include <QMainWindow>
#include <QSignalSpy>
#include <QTest>
#include <QTreeView>
#include <memory>

#include "core/app_settings.h"
#include "editor/text_control.h"
#include "editor/veskhtml_doc.h"
#include "editor/veskhtml_view.h"
#include "findfiles/find_in_files_dialog.h"
#include "findfiles/results_pane.h"
#include "support/seams.h"
#include "support/test_env.h"

using namespace vesk::test;

namespace {

const std::string kNihongoUtf8 = "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E";
const std::string kNihongoSjis = "\x93\xFA\x96\x7B\x8C\xEA";

class FindInFilesTest : public ::testing::Test {
  protected:
    FindInFilesTest() : root(MakeTempDir()) {
        ClearSettings();
        FindInFilesHost host;
        host.activeView = [this] { return active; };
        host.views = [this] {
            std::vector<CVeskHtmlView*> shown;
            for (const auto& open : documents) shown.push_back(open->view.get());
            return shown;
        };
        host.open = [this](const QString& path) {
            opened << path;
            return Open(path);
        };
        host.activate = [this](CVeskHtmlView* view) { active = view; };
        finder = new CFindInFiles(std::move(host), &frame);
        frame.resize(800, 600);
        frame.show();
    }
    ~FindInFilesTest() override { delete finder; }

    CVeskHtmlView* Open(const QString& path) {
        auto open = std::make_unique<Document>(settings);
        QString error;
        if (!open->doc.Load(path, &error))
            return nullptr;
        active = open->view.get();
        documents.push_back(std::move(open));
        return active;
    }

    // Runs until the search (or the replace) has ended.
    void RunToEnd(const std::function<void()>& start) {
        QSignalSpy finished(finder, &CFindInFiles::Finished);
        start();
        ASSERT_TRUE(finished.wait(20000));
    }

    QStringList Rows() {
        QStringList rows;
        const CFindResultsModel& model = finder->Pane()->Model();
        for (int i = 0; i < model.rowCount(); ++i) {
            const FindResultRow& row = model.Row(i);
            rows << QString("%1:%2:%3")
                        .arg(QDir::fromNativeSeparators(row.shownPath))
                        .arg(row.line)
                        .arg(row.line > 0 ? row.text.mid(row.markStart, row.markLength) : row.text);
        }
        return rows;
    }

    struct Document {
        explicit Document(CAppSettings& settings)
            : view(std::make_unique<CVeskHtmlView>(settings, &doc)) {}
        CVeskHtmlDoc doc;
        std::unique_ptr<CVeskHtmlView> view;
    };

    QString root;
    QMainWindow frame;
    CAppSettings settings;
    std::vector<std::unique_ptr<Document>> documents;
    CVeskHtmlView* active = nullptr;
    CFindInFiles* finder = nullptr;
    QStringList opened;
};

TEST_F(FindInFilesTest, FindsInTheActiveDocumentsFolderAndEnterOpensTheMatch) {
    WriteTestFile(root + "/a.html", "<html>\r\n<body>\r\n  <p>Find me</p>\r\n</body>\r\n");
    WriteTestFile(root + "/sub/b.htm",
                  "<meta charset=\"Shift_JIS\">\n<p>" + kNihongoSjis + "</p><p>find ME</p>\n");
    WriteTestFile(root + "/sub/notes.txt", "find me");
    WriteTestFile(root + "/.hidden/c.html", "find me");
    // The open document's text is searched, not its file.
    const QString openPath = WriteTestFile(root + "/open.html", "nothing here");
    Open(openPath)->SetText("<p>x</p>\r\n<p>find me too</p>");

    ScriptedSeams seams;
    int runs = 0;
    vesk::dialog_seam::SetScript([&](QDialog& shown) {
        auto& dialog = dynamic_cast<CFindInFilesDialog&>(shown);
        if (++runs == 1) {
            EXPECT_EQ(dialog.folderEdit->text(), QDir::toNativeSeparators(root));
            EXPECT_EQ(dialog.patternsEdit->text(), "*.html;*.htm;*.shtml");
            dialog.whatEdit->setText("find me");
            dialog.folderEdit->setText(root + "/missing");
        } else {
            dialog.folderEdit->setText(root);
        }
        return CFindInFilesDialog::kFind;
    });
    RunToEnd([this] { finder->Open(); });
    ASSERT_EQ(runs, 2);
    ASSERT_EQ(seams.Messages().size(), 1u);
    EXPECT_EQ(seams.Messages()[0].text, "フォルダ [ " + root + "/missing ] が見つかりません。");

    EXPECT_EQ(Rows(),
              QStringList({"a.html:3:Find me", "open.html:2:find me", "sub/b.htm:2:find ME"}));
    EXPECT_TRUE(finder->Dock()->isVisible());

    // Enter on the third row opens its file with the match selected.
    QTreeView* list = finder->Pane()->View();
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Return);
    QApplication::processEvents();
    ASSERT_EQ(opened, QStringList({root + "/sub/b.htm"}));
    EXPECT_EQ(active->Control().SelectedText(), "find ME");

    // A double click on the open document's row activates it, nothing is opened.
    const QRect second = list->visualRect(finder->Pane()->Model().index(1, 2));
    // QTest's double click is only the second press of one: the first click comes before it.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, second.center());
    EXPECT_EQ(opened.size(), 1);
    EXPECT_EQ(active, documents[0]->view.get());
    EXPECT_EQ(active->Control().SelectedText(), "find me");
    vesk::dialog_seam::SetScript([](QDialog&) { return 0; });
}

TEST_F(FindInFilesTest, ReplaceKeepsEncodingsChangesOpenDocumentsAndListsSkippedFiles) {
    const std::string sjis = "<META charset=\"Shift_JIS\">\r\n<p>" + kNihongoSjis + " page</p>\r\n";
    const QString sjisPath = WriteTestFile(root + "/sjis.html", sjis);
    const std::string latin = "<META charset=\"windows-1252\">\n<p>caf\xE9 page</p>\n";
    const QString latinPath = WriteTestFile(root + "/latin.html", latin);
    const QString openPath = WriteTestFile(root + "/open.html", "<p>page</p>");
    CVeskHtmlView* view = Open(openPath);
    const std::string edited = "<p>Page</p>\r\n<p>a page</p>";
    view->SetText(edited);
    documents[0]->doc.SetModified(false);

    vesk::findfiles::SearchRequest request;
    request.folder = root;
    request.patterns = {"*.html"};
    request.what = "page";
    request.replacement = kNihongoUtf8;
    ScriptedSeams seams(vesk::MsgAnswer::Yes);
    RunToEnd([&] { finder->Start(request); });

    ASSERT_EQ(seams.Messages().size(), 2u);
    const QString question = seams.Messages()[0].text;
    EXPECT_TRUE(question.startsWith("2 個のファイルの 3 箇所を「日本語」に置換します。"))
        << question.toStdString();
    EXPECT_TRUE(question.contains("latin.html: 文字コード Windows-1252 では「日」を表せないため"))
        << question.toStdString();
    const QString done = seams.Messages()[1].text;
    EXPECT_TRUE(done.startsWith("2 個のファイルの 3 箇所を置換しました。")) << done.toStdString();
    EXPECT_TRUE(done.contains("\r\nlatin.html: 文字コード Windows-1252")) << done.toStdString();

    EXPECT_EQ(ReadTestFile(sjisPath), "<META charset=\"Shift_JIS\">\r\n<p>" + kNihongoSjis + " " +
                                          kNihongoSjis + "</p>\r\n");
    EXPECT_EQ(ReadTestFile(latinPath), latin);
    // The open document changed in its view, as one step to undo; its file did not.
    EXPECT_EQ(ReadTestFile(openPath), "<p>page</p>");
    EXPECT_EQ(view->Control().WholeText(),
              "<p>" + kNihongoUtf8 + "</p>\r\n<p>a " + kNihongoUtf8 + "</p>");
    EXPECT_TRUE(documents[0]->doc.IsModified());
    view->OnEditUndo();
    EXPECT_EQ(view->Control().WholeText(), edited);

    EXPECT_TRUE(Rows().contains(
        "latin.html:0:文字コード Windows-1252 では「日」を表せないため置換しません"));
}

}  // namespace
