// Documents: files read into the view and written back.

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QProcess>
#include <QTest>
#include <QTimer>
#include <cerrno>

#include "core/app_settings.h"
#include "editor/save_rules.h"
#include "editor/text_control.h"
#include "editor/veskhtml_doc.h"
#include "editor/veskhtml_view.h"
#include "platform/settings_store.h"
#include "support/encoding_corpus.h"
#include "support/scratch_volume.h"
#include "support/seams.h"
#include "support/test_env.h"

using vesk::MsgAnswer;
using vesk::TextEncoding;
using namespace vesk::test;

namespace {

// "日本語" in each encoding.
const std::string kSjis = "\x93\xFA\x96\x7B\x8C\xEA";
const std::string kEuc = "\xC6\xFC\xCB\xDC\xB8\xEC";
const std::string kJis = "\x1B$BF|K\\8l\x1B(B";
const std::string kUtf8 = "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E";

class DocumentTest : public ::testing::Test {
  protected:
    DocumentTest() : view(settings, &doc) { ClearSettings(); }

    CVeskHtmlDoc* Open(const std::string& bytes, const QString& name = "page.html") {
        path = WriteTestFile(MakeTempDir() + "/" + name, bytes);
        QString error;
        EXPECT_TRUE(doc.Load(path, &error)) << error.toStdString();
        return &doc;
    }

    CAppSettings settings;
    CVeskHtmlDoc doc;
    CVeskHtmlView view;
    QString path;
};

TEST_F(DocumentTest, UneditedFilesSaveBackByteForByte) {
    std::string arbitrary;
    for (int i = 0; i < 256; ++i) arbitrary += static_cast<char>(i);
    arbitrary += arbitrary;
    const struct {
        const char* name;
        std::string bytes;
        TextEncoding encoding;
    } cases[] = {
        {"Shift-JIS, CR LF",
         "<HTML>\r\n<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=x-sjis\">\r\n" +
             kSjis + "\r\n</HTML>\r\n",
         TextEncoding::ShiftJis},
        {"EUC-JP, LF", "<html>\n<body>" + kEuc + "</body>\n</html>\n", TextEncoding::EucJp},
        {"ISO-2022-JP", "<p>" + kJis + "</p>\r\n" + kJis + "\r\n", TextEncoding::Iso2022Jp},
        {"UTF-8", "<p>" + kUtf8 + "</p>\n", TextEncoding::Utf8},
        {"UTF-8 with BOM", "\xEF\xBB\xBF<p>" + kUtf8 + "</p>\r\n", TextEncoding::Utf8},
        {"CR breaks", "a\rb\r" + kSjis + "\r", TextEncoding::ShiftJis},
        {"mixed breaks", "a\r\nb\nc\rd", TextEncoding::Utf8},
        {"arbitrary bytes", arbitrary, TextEncoding::Windows1252},
        {"empty", "", TextEncoding::Utf8},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedSeams seams;
        Open(c.bytes);
        EXPECT_EQ(doc.Encoding(), c.encoding);
        EXPECT_FALSE(doc.IsModified());
        ASSERT_TRUE(doc.OnFileSave());
        EXPECT_EQ(ReadTestFile(path), c.bytes);
        EXPECT_FALSE(doc.IsModified());
    }
}

TEST_F(DocumentTest, TextReachesTheControlAsUtf8WithCrLf) {
    Open("<p>" + kEuc + "</p>\n<br>\n");
    EXPECT_EQ(view.GetAllText(), "<p>" + kUtf8 + "</p>\r\n<br>\r\n");
    EXPECT_EQ(doc.LineBreaks(), vesk::LineBreakStyle::Lf);
    EXPECT_EQ(doc.EncodingDescription(), "EUC-JP / LF");
}

TEST_F(DocumentTest, EditedLfFileKeepsLfBreaks) {
    Open("line one\nline two\n");
    view.Control().SetSel(8, 8);
    view.Control().ReplaceSel("\r\n" + kUtf8);
    EXPECT_TRUE(doc.IsModified());
    ASSERT_TRUE(doc.OnFileSave());
    EXPECT_EQ(ReadTestFile(path), "line one\n" + kUtf8 + "\nline two\n");
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(DocumentTest, EditedShiftJisFileIsWrittenInShiftJis) {
    Open("<p>" + kSjis + "</p>\r\n");
    view.Control().SetSel(0, 0);
    view.Control().ReplaceSel(kUtf8);
    ASSERT_TRUE(doc.OnFileSave());
    EXPECT_EQ(ReadTestFile(path), kSjis + "<p>" + kSjis + "</p>\r\n");
}

TEST_F(DocumentTest, CharacterOutsideTheEncodingOffersUtf8AndNeverDropsIt) {
    const std::string original = "<p>" + kSjis + "</p>";
    Open(original);
    view.Control().SetSel(0, 0);
    view.Control().ReplaceSel("\xF0\x9F\x98\x80");  // an emoji Shift-JIS cannot hold
    {
        ScriptedSeams seams;
        seams.answers = {MsgAnswer::No};
        EXPECT_FALSE(doc.OnFileSave());
        ASSERT_EQ(seams.Messages().size(), 1u);
        EXPECT_TRUE(seams.Messages()[0].text.contains("UTF-8"));
        EXPECT_EQ(ReadTestFile(path), original);
        EXPECT_TRUE(doc.IsModified());
        EXPECT_EQ(doc.Encoding(), TextEncoding::ShiftJis);
    }
    {
        ScriptedSeams seams;
        seams.answers = {MsgAnswer::Yes};
        EXPECT_TRUE(doc.OnFileSave());
        EXPECT_EQ(ReadTestFile(path), "\xF0\x9F\x98\x80<p>" + kUtf8 + "</p>");
        EXPECT_EQ(doc.Encoding(), TextEncoding::Utf8);
    }
}

TEST_F(DocumentTest, ReloadAndSaveInAChosenEncoding) {
    // EUC-JP bytes that also happen to be readable otherwise: the user decides.
    Open("<p>" + kEuc + "</p>\r\n");
    ASSERT_EQ(doc.Encoding(), TextEncoding::EucJp);
    EXPECT_FALSE(doc.ReloadAs(TextEncoding::Utf8));  // not valid UTF-8: told, unchanged
    EXPECT_EQ(doc.Encoding(), TextEncoding::EucJp);

    ScriptedSeams seams;
    ASSERT_TRUE(doc.SaveInEncoding(TextEncoding::ShiftJis));
    EXPECT_EQ(ReadTestFile(path), "<p>" + kSjis + "</p>\r\n");
    ASSERT_TRUE(doc.ReloadAs(TextEncoding::ShiftJis));
    EXPECT_EQ(view.GetAllText(), "<p>" + kUtf8 + "</p>\r\n");
}

TEST_F(DocumentTest, CorpusPagesComeBackUneditedAndKeepTheirCodesWhenEdited) {
    for (const vesk::corpus::Page& page : vesk::corpus::Pages()) {
        SCOPED_TRACE(page.name);
        ScriptedSeams seams;
        Open(page.bytes);
        EXPECT_EQ(doc.Encoding(), page.encoding);
        ASSERT_TRUE(doc.OnFileSave());
        EXPECT_EQ(ReadTestFile(path), page.bytes);

        // An edit on the first line: every other line keeps its bytes, the NEC and IBM
        // codes of the Shift-JIS pages included.
        view.Control().SetSel(0, 0);
        view.Control().ReplaceSel("<!-- x -->");
        ASSERT_TRUE(doc.OnFileSave());
        const std::size_t bom = page.bom ? 3 : 0;
        EXPECT_EQ(ReadTestFile(path),
                  page.bytes.substr(0, bom) + "<!-- x -->" + page.bytes.substr(bom));
        EXPECT_TRUE(seams.Messages().empty());
    }
}

TEST_F(DocumentTest, SavingInAnotherEncodingOffersToRewriteTheDeclaration) {
    const std::string meta =
        "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=Shift_JIS\">";
    Open(meta + "\n<P>" + kSjis + "</P>\n");
    ScriptedSeams seams;
    seams.answers = {MsgAnswer::Cancel};
    EXPECT_FALSE(doc.SaveInEncoding(TextEncoding::Utf8, true));
    EXPECT_EQ(doc.Encoding(), TextEncoding::ShiftJis);

    seams.answers = {MsgAnswer::Yes};
    ASSERT_TRUE(doc.SaveInEncoding(TextEncoding::Utf8, true));
    const std::string rewritten =
        "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=utf-8\">";
    EXPECT_EQ(ReadTestFile(path), "\xEF\xBB\xBF" + rewritten + "\n<P>" + kUtf8 + "</P>\n");
    EXPECT_EQ(doc.EncodingDescription(), "UTF-8 (BOM付き) / LF");
    view.OnEditUndo();  // the rewrite was one step
    EXPECT_EQ(view.GetAllText(), meta + "\r\n<P>" + kUtf8 + "</P>\r\n");

    // Declining keeps the declaration; a declaration that already fits is not asked about.
    seams.answers = {MsgAnswer::No};
    ASSERT_TRUE(doc.SaveInEncoding(TextEncoding::Utf8));
    EXPECT_EQ(ReadTestFile(path), meta + "\n<P>" + kUtf8 + "</P>\n");
    const std::size_t asked = seams.Messages().size();
    ASSERT_TRUE(doc.SaveInEncoding(TextEncoding::ShiftJis));
    EXPECT_EQ(seams.Messages().size(), asked);
    EXPECT_EQ(ReadTestFile(path), meta + "\n<P>" + kSjis + "</P>\n");
}

TEST_F(DocumentTest, ReloadingAModifiedDocumentAsksFirst) {
    Open("abc");
    view.Control().ReplaceSel("x");
    ScriptedSeams seams;
    seams.answers = {MsgAnswer::Cancel};
    EXPECT_FALSE(doc.ReloadAs(TextEncoding::Utf8));
    EXPECT_EQ(view.GetAllText(), "xabc");
    seams.answers = {MsgAnswer::Ok};
    EXPECT_TRUE(doc.ReloadAs(TextEncoding::Utf8));
    EXPECT_EQ(view.GetAllText(), "abc");
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(DocumentTest, UnreadableFileFailsWithReasonAndLeavesDocumentAlone) {
    QString error;
    EXPECT_FALSE(doc.Load(MakeTempDir() + "/missing.html", &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(doc.PathName().isEmpty());
    EXPECT_EQ(doc.Title(), "無題のﾌｧｲﾙ");
}

TEST(SaveRules, ExtensionFollowsTheFilterOnlyWhenThePathHasNoDot) {
    EXPECT_EQ(vesk::AppendExtensionByFilter("/home/u/web/index", 1), "/home/u/web/index.html");
    EXPECT_EQ(vesk::AppendExtensionByFilter("/home/u/web/index", 2), "/home/u/web/index.txt");
    EXPECT_EQ(vesk::AppendExtensionByFilter("/home/u/web/index", 3), "/home/u/web/index.html");
    EXPECT_EQ(vesk::AppendExtensionByFilter("/home/u/web/index", 0), "/home/u/web/index");
    EXPECT_EQ(vesk::AppendExtensionByFilter("C:\\web\\index", 1), "C:\\web\\index.html");
    // A dot anywhere, a folder name included, stops the rule.
    EXPECT_EQ(vesk::AppendExtensionByFilter("/home/u/web.site/index", 1), "/home/u/web.site/index");
    EXPECT_EQ(vesk::AppendExtensionByFilter("/home/u/web/index.htm", 2), "/home/u/web/index.htm");
    EXPECT_EQ(vesk::FolderOfPath("/home/u/a.htm"), "/home/u");
    EXPECT_EQ(vesk::NamePartOfPath("/home/u/a.htm"), "a.htm");
    EXPECT_EQ(vesk::FolderOfPath("C:\\a.htm", '\\'), "C:");
}

class SaveAsTest : public DocumentTest {};

TEST_F(SaveAsTest, WritesByFilterAndRemembersFolderAndFilter) {
    const QString folder = MakeTempDir();
    ScriptedSeams seams;
    seams.dialogs = {Chosen({folder + "/index"}, 2)};
    view.Control().ReplaceSel("<p>hello</p>");
    ASSERT_TRUE(doc.OnFileSave());  // untitled: Save As
    EXPECT_EQ(ReadTestFile(folder + "/index.txt"), "<p>hello</p>");
    EXPECT_EQ(doc.PathName(), folder + "/index.txt");
    EXPECT_EQ(doc.Title(), "index.txt");
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(AppStore().GetProfileString("FileDlgSettings", "Initial_dir_save", ""), folder);
    EXPECT_EQ(AppStore().GetProfileInt("FileDlgSettings", "Initial_filter_save", 0), 2);
    // The dialog started with the document's title and the stored defaults.
    ASSERT_EQ(seams.requests.size(), 1u);
    EXPECT_EQ(seams.requests[0].fileName, "無題のﾌｧｲﾙ");
    EXPECT_EQ(seams.requests[0].filterIndex, 0);
}

// Answers Qt's own file dialog as a person would, once it is up: the file type chosen with the
// arrow keys on its combo box, the name typed, Enter. Reports the type it found selected.
void AnswerRealFileDialog(int typeSteps, const QString& name, QString* typeAtStart) {
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [=] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        timer->deleteLater();
        auto* types = dialog->findChild<QComboBox*>("fileTypeCombo");
        auto* edit = dialog->findChild<QLineEdit*>("fileNameEdit");
        ASSERT_TRUE(types && edit);
        *typeAtStart = types->currentText();
        QApplication::setActiveWindow(dialog);  // offscreen windows get no focus of their own
        types->setFocus();
        for (int i = 0; i < typeSteps; ++i) QTest::keyClick(types, Qt::Key_Down);
        // Typed over the proposed name, as a person does.
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, name);
        QTest::keyClick(edit, Qt::Key_Return);
    });
    timer->start(10);
}

TEST_F(SaveAsTest, RealDialogKeepsTheChosenFileTypeAndOpensWithItNextTime) {
    const QString folder = MakeTempDir();
    AppStore().WriteProfileString("FileDlgSettings", "Initial_dir_save", folder);
    vesk::file_dialog_seam::ClearScript();
    // A dialog nobody answers is closed, so a fault fails the test instead of hanging it.
    QTimer watchdog;
    QObject::connect(&watchdog, &QTimer::timeout, [] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            dialog->reject();
    });
    watchdog.start(5000);
    view.Control().ReplaceSel("<p>hello</p>");
    QString firstType, secondType;
    AnswerRealFileDialog(1, "index2", &firstType);
    const bool saved = doc.OnFileSaveAs();
    AnswerRealFileDialog(0, "second", &secondType);
    const bool savedAgain = doc.OnFileSaveAs();
    InstallNonBlockingSeams();

    ASSERT_TRUE(saved && savedAgain);
    EXPECT_EQ(firstType, "HTMLファイル(*.htm* *.shtm*)");
    EXPECT_EQ(ReadTestFile(folder + "/index2.txt"), "<p>hello</p>");
    EXPECT_FALSE(QFileInfo::exists(folder + "/index2.html"));
    EXPECT_EQ(AppStore().GetProfileInt("FileDlgSettings", "Initial_filter_save", 0), 2);
    EXPECT_EQ(secondType, "テキストファイル(*.txt)");
    EXPECT_TRUE(QFileInfo::exists(folder + "/second.txt"));
}

TEST_F(SaveAsTest, DotInFolderNameWritesExactlyThePathChosen) {
    const QString folder = MakeTempDir() + "/web.site";
    QDir().mkpath(folder);
    ScriptedSeams seams;
    seams.dialogs = {Chosen({folder + "/index"}, 1)};
    ASSERT_TRUE(doc.OnFileSaveAs());
    EXPECT_TRUE(QFileInfo::exists(folder + "/index"));
    EXPECT_FALSE(QFileInfo::exists(folder + "/index.html"));
    EXPECT_EQ(QFileInfo(folder + "/index").size(), 0);  // an empty document is 0 bytes
}

TEST_F(SaveAsTest, OverwriteQuestionReturnsToTheDialogUnlessYes) {
    const QString folder = MakeTempDir();
    const QString existing = WriteTestFile(folder + "/index.html", "old");
    view.Control().ReplaceSel("new");
    ScriptedSeams seams;
    // The name without extension is chosen; the rule appends ".html", which exists.
    seams.dialogs = {Chosen({folder + "/index"}), Chosen({folder + "/index"})};
    seams.answers = {MsgAnswer::No, MsgAnswer::Cancel};
    EXPECT_FALSE(doc.OnFileSaveAs());  // No, Cancel: the dialog again each time, then cancelled
    EXPECT_EQ(seams.requests.size(), 3u);
    ASSERT_EQ(seams.Messages().size(), 2u);
    EXPECT_EQ(seams.Messages()[0].text,
              "ファイル [ index ] は、すでに存在します。\r\n上書きしますか？");
    EXPECT_EQ(seams.Messages()[0].buttons, vesk::MsgButtons::YesNoCancel);
    EXPECT_EQ(ReadTestFile(existing), "old");
    EXPECT_TRUE(doc.PathName().isEmpty());

    seams.dialogs = {Chosen({existing})};
    seams.answers = {MsgAnswer::Yes};
    EXPECT_TRUE(doc.OnFileSaveAs());
    EXPECT_EQ(ReadTestFile(existing), "new");
}

TEST_F(SaveAsTest, CancelWritesNothing) {
    ScriptedSeams seams;
    view.Control().ReplaceSel("x");
    EXPECT_FALSE(doc.OnFileSave());
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(AppStore().GetProfileString("FileDlgSettings", "Initial_dir_save", "unset"), "unset");
}

TEST_F(DocumentTest, SaveOntoAFullDiskKeepsOldFileAndModifiedFlag) {
    ScratchVolume volume(512 * 1024);
    VESK_REQUIRE_VOLUME(volume);
    path = WriteTestFile(volume.Path() + "/page.html", "original text");
    QString error;
    ASSERT_TRUE(doc.Load(path, &error)) << error.toStdString();
    ASSERT_TRUE(volume.FillLeaving(24 * 1024));
    view.Control().ReplaceSel(std::string(39600, 'x'));

    ScriptedSeams seams;
    EXPECT_FALSE(doc.OnFileSave());
    EXPECT_EQ(ReadTestFile(path), "original text");
    EXPECT_TRUE(doc.IsModified());
    ASSERT_EQ(seams.Messages().size(), 1u);
    EXPECT_EQ(seams.Messages()[0].icon, vesk::MsgIcon::Error);
    EXPECT_EQ(seams.Messages()[0].text,
              "ファイル [ " + path + " ] を保存できませんでした。\r\n" + qt_error_string(ENOSPC));
}

// A refused save in another encoding leaves the page as it was: declaration, encoding, and the
// file's own NEC codes for the next save.
TEST_F(DocumentTest, SaveInAnotherEncodingOntoAReadOnlyDiskChangesNothing) {
    ScratchVolume volume(512 * 1024);
    VESK_REQUIRE_VOLUME(volume);
    const std::string meta = "<META CHARSET=\"Shift_JIS\">\r\n";
    const std::string bytes = meta + "<P>\x87\x9A" + kSjis + "</P>\r\n";  // the NEC code of ∵
    path = WriteTestFile(volume.Path() + "/page.html", bytes);
    QString error;
    ASSERT_TRUE(doc.Load(path, &error)) << error.toStdString();
    const std::string shown = view.GetAllText();
    ASSERT_TRUE(volume.MakeReadOnly());

    ScriptedSeams seams;
    seams.answers = {MsgAnswer::Yes};  // rewrite the declaration
    EXPECT_FALSE(doc.SaveInEncoding(TextEncoding::Utf8));
    EXPECT_EQ(ReadTestFile(path), bytes);
    EXPECT_EQ(view.GetAllText(), shown);
    EXPECT_EQ(doc.Encoding(), TextEncoding::ShiftJis);
    EXPECT_EQ(seams.Messages().back().icon, vesk::MsgIcon::Error);
    EXPECT_EQ(doc.BytesToSave(), bytes);
}

TEST_F(DocumentTest, SaveOfAFileRemovedMeanwhileRunsSaveAs) {
    Open("text");
    QFile::remove(path);
    ScriptedSeams seams;
    const QString other = MakeTempDir() + "/other.html";
    seams.dialogs = {Chosen({other})};
    EXPECT_TRUE(doc.OnFileSave());
    EXPECT_EQ(ReadTestFile(other), "text");
}

TEST_F(DocumentTest, SavePromptOfAClosingDocument) {
    Open("text");
    EXPECT_TRUE(doc.SaveModified());  // unmodified: no question
    view.Control().ReplaceSel("more ");
    ScriptedSeams seams;
    seams.answers = {MsgAnswer::Cancel};
    EXPECT_FALSE(doc.SaveModified());
    seams.answers = {MsgAnswer::No};
    EXPECT_TRUE(doc.SaveModified());
    EXPECT_EQ(ReadTestFile(path), "text");
    seams.answers = {MsgAnswer::Yes};
    EXPECT_TRUE(doc.SaveModified());
    EXPECT_EQ(ReadTestFile(path), "more text");
    EXPECT_EQ(seams.Messages()[0].text, "page.html への変更を保存しますか?");
}

}  // namespace
