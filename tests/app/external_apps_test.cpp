// Browser preview through the work file, opening link targets, the file
// manager, and the program launcher underneath them.

#include "app/external_apps.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <memory>
#include <utility>
#include <vector>

#include "core/app_settings.h"
#include "core/command_ids.h"
#include "editor/veskhtml_doc.h"
#include "editor/veskhtml_view.h"
#include "platform/encoding.h"
#include "platform/launcher.h"
#include "platform/trash.h"
#include "platform/program_folders.h"
#include "support/seams.h"
#include "support/test_env.h"

using namespace vesk;
using namespace vesk::test;

namespace {

const char kBrowserNotFound[] =
    "ブラウザが見つかりません。\r\nブラウザのパスが正しく設定されているか確認してください。";
const char kApplicationNotFound[] =
    "アプリケーションが見つかりません。\r\n外部アプリケーションの設定を確認して下さい。";

// Launches never leave the test: programs, trash and file manager are recorded.
struct LaunchLog {
    LaunchLog() {
        program_seam::SetScript([this](const QString& program, const QString& argument) {
            started.emplace_back(program, argument);
            return programResult;
        });
        trash_seam::SetScript([this](const TrashRequest& request) {
            trashed.push_back(request.path);
            return trashResult && QFile::remove(request.path);
        });
        file_manager_seam::SetScript([this](const FileManagerRequest& request) {
            folders.push_back(request.folder);
            return fileManagerResult;
        });
    }
    ~LaunchLog() {
        program_seam::SetScript([](const QString&, const QString&) { return true; });
        trash_seam::SetScript([](const TrashRequest&) { return false; });
        file_manager_seam::SetScript([](const FileManagerRequest&) { return true; });
    }
    std::vector<std::pair<QString, QString>> started;
    std::vector<QString> trashed;
    std::vector<QString> folders;
    bool programResult = true;
    bool trashResult = true;
    bool fileManagerResult = true;
};

// A document with its view and the external-application commands.
struct Page {
    explicit Page(CAppSettings& settings) : view(std::make_unique<CVeskHtmlView>(settings, &doc)) {
        InstallExternalAppCommands(*view, settings,
                                   [this](const QString& path) { editorOpened.push_back(path); });
    }
    void Load(const QString& path) {
        QString error;
        ASSERT_TRUE(doc.Load(path, &error)) << error.toStdString();
    }
    void Link(const std::string& text, int kind) {
        view->tagAtCaret_ = CaretRecord{"<A HREF=\"" + text + "\">", 0, 0, 0};
        view->linkAtCaret_ = CaretRecord{text, 9, 9 + static_cast<int>(text.size()), kind};
    }
    bool Enabled(int id) {
        CommandState state;
        EXPECT_TRUE(view->UpdateCommand(id, state));
        return state.enabled;
    }
    void Run(int id) { ASSERT_TRUE(view->ExecuteCommand(id)); }

    CVeskHtmlDoc doc;
    std::unique_ptr<CVeskHtmlView> view;
    std::vector<QString> editorOpened;
};

class ExternalAppsTest : public ::testing::Test {
  protected:
    ExternalAppsTest() {
        settings.general.iePath = QCoreApplication::applicationFilePath();
        settings.general.nnPath = QStringLiteral("sh");
        settings.general.htmlAppPath = QStringLiteral("html-app");
        settings.general.imageAppPath = QStringLiteral("image-app");
    }
    ~ExternalAppsTest() override { QFile::remove(ProgramWorkFile()); }

    static QString ProgramWorkFile() { return ProgramFolder() + "/VeskHtml_tmp.html"; }
    std::unique_ptr<Page> NewPage() {
        auto page = std::make_unique<Page>(settings);
        page->view->RefreshSettings();
        return page;
    }
    // A saved page in a folder of its own.
    std::unique_ptr<Page> SavedPage(const QString& folder, const std::string& bytes) {
        auto page = NewPage();
        page->Load(WriteTestFile(folder + "/index.html", bytes));
        return page;
    }

    CAppSettings settings;
    ScriptedSeams seams;
    LaunchLog launches;
};

TEST_F(ExternalAppsTest, UntitledPreviewWritesBesideTheProgramAndStartsTheBrowser) {
    QFile::remove(ProgramWorkFile());
    auto page = NewPage();
    page->view->SetText("<P>プレビュー</P>\r\n");
    page->Run(cmd::kPreviewIe);

    EXPECT_EQ(ReadTestFile(ProgramWorkFile()), "<P>プレビュー</P>\r\n");
    EXPECT_EQ(settings.previewWorkFile, ProgramWorkFile());
    EXPECT_TRUE(settings.previewWorkFileExists);
    ASSERT_EQ(launches.started.size(), 1u);
    EXPECT_EQ(launches.started[0].first, settings.general.iePath);
    EXPECT_EQ(launches.started[0].second, ProgramWorkFile());
    EXPECT_TRUE(seams.Messages().empty());

    // F2 previews with the other browser, replacing its own previous work file unasked.
    page->Run(cmd::kPreviewNn);
    ASSERT_EQ(launches.started.size(), 2u);
    EXPECT_EQ(launches.started[1].first, "sh");
    EXPECT_TRUE(seams.Messages().empty());
}

TEST_F(ExternalAppsTest, WorkFileHoldsWhatASaveWouldWrite) {
    // Shift-JIS with LF breaks: the browser must see the file's own encoding.
    const std::string bytes =
        EncodeText("<META charset=\"Shift_JIS\">\n<P>日本語のページ</P>\n", TextEncoding::ShiftJis)
            .bytes;
    const QString folder = MakeTempDir();
    auto page = SavedPage(folder, bytes);
    const QString work = WritePreviewWorkFile(*page->view, settings);

    EXPECT_EQ(work, folder + "/VeskHtml_tmp.html");
    EXPECT_EQ(ReadTestFile(work), bytes);
}

TEST_F(ExternalAppsTest, PreviewOfAnotherDocumentDeletesTheEarlierWorkFile) {
    const QString first = MakeTempDir();
    const QString second = MakeTempDir();
    auto a = SavedPage(first, "<P>a</P>");
    auto b = SavedPage(second, "<P>b</P>");

    a->Run(cmd::kPreviewIe);
    ASSERT_TRUE(QFileInfo::exists(first + "/VeskHtml_tmp.html"));
    b->Run(cmd::kPreviewIe);

    EXPECT_FALSE(QFileInfo::exists(first + "/VeskHtml_tmp.html"));
    EXPECT_EQ(ReadTestFile(second + "/VeskHtml_tmp.html"), "<P>b</P>");
    EXPECT_EQ(settings.previewWorkFile, second + "/VeskHtml_tmp.html");
    EXPECT_TRUE(seams.Messages().empty());
    EXPECT_TRUE(launches.trashed.empty());
}

TEST_F(ExternalAppsTest, ClosingTheViewDeletesItsWorkFile) {
    const QString folder = MakeTempDir();
    auto page = SavedPage(folder, "<P>x</P>");
    page->Run(cmd::kPreviewIe);
    ASSERT_TRUE(QFileInfo::exists(folder + "/VeskHtml_tmp.html"));
    page->view.reset();
    EXPECT_FALSE(QFileInfo::exists(folder + "/VeskHtml_tmp.html"));
    EXPECT_FALSE(settings.previewWorkFileExists);
}

class ForeignWorkFileTest : public ExternalAppsTest {
  protected:
    ForeignWorkFileTest()
        : folder(MakeTempDir()),
          foreign(WriteTestFile(folder + "/VeskHtml_tmp.html", "someone else's")),
          page(SavedPage(folder, "<P>mine</P>")) {}

    void ExpectQuestionOnly() {
        ASSERT_GE(seams.Messages().size(), 1u);
        const MessageRecord& question = seams.Messages()[0];
        EXPECT_EQ(question.text,
                  "ファイル [ VeskHtml_tmp.html ] が [ " + folder +
                      "/ ] に\r\nすでに存在するため、作業ファイルを作成できません。\r\n"
                      "このファイルを別のフォルダに移動するか、削除する必要があります。\r\n"
                      "ここでこのファイルをごみ箱に移動しますか?");
        EXPECT_EQ(question.caption, "VeskHtml");
        EXPECT_EQ(question.icon, MsgIcon::Question);
        EXPECT_EQ(question.buttons, MsgButtons::YesNo);
    }

    QString folder;
    QString foreign;
    std::unique_ptr<Page> page;
};

TEST_F(ForeignWorkFileTest, NoKeepsTheFileAndStartsNothing) {
    seams.answers = {MsgAnswer::No};
    page->Run(cmd::kPreviewIe);

    ExpectQuestionOnly();
    EXPECT_EQ(seams.Messages().size(), 1u);
    EXPECT_EQ(ReadTestFile(foreign), "someone else's");
    EXPECT_TRUE(launches.trashed.empty());
    EXPECT_TRUE(launches.started.empty());
    EXPECT_FALSE(settings.previewWorkFileExists);

    // Nothing further even when the browser could not have been started anyway.
    settings.general.iePath = "no-such-browser-anywhere";
    page->view->RefreshSettings();
    seams.answers = {MsgAnswer::No};
    page->Run(cmd::kPreviewIe);
    EXPECT_EQ(seams.Messages().size(), 2u);
}

TEST_F(ForeignWorkFileTest, YesMovesItToTheTrashAndPreviews) {
    seams.answers = {MsgAnswer::Yes};
    page->Run(cmd::kPreviewIe);

    ExpectQuestionOnly();
    EXPECT_EQ(seams.Messages().size(), 1u);
    EXPECT_EQ(launches.trashed, std::vector<QString>{foreign});
    EXPECT_EQ(ReadTestFile(foreign), "<P>mine</P>");
    ASSERT_EQ(launches.started.size(), 1u);
    EXPECT_EQ(launches.started[0].second, foreign);
}

TEST_F(ForeignWorkFileTest, FailedTrashIsReportedAndNothingIsWritten) {
    launches.trashResult = false;
    seams.answers = {MsgAnswer::Yes};
    page->Run(cmd::kPreviewIe);

    ExpectQuestionOnly();
    ASSERT_EQ(seams.Messages().size(), 2u);
    EXPECT_EQ(seams.Messages()[1].text, "ファイルを削除できませんでした。");
    EXPECT_EQ(seams.Messages()[1].caption, "VeskHtml");
    EXPECT_EQ(seams.Messages()[1].icon, MsgIcon::Information);
    EXPECT_EQ(ReadTestFile(foreign), "someone else's");
    EXPECT_TRUE(launches.started.empty());
}

TEST_F(ExternalAppsTest, BrowserThatCannotRunIsReportedAfterTheWorkFileIsWritten) {
    const QString folder = MakeTempDir();
    auto page = SavedPage(folder, "<P>x</P>");
    const QString notAProgram = WriteTestFile(folder + "/browser", "not executable");
    for (const QString& browser : {QString("no-such-browser-anywhere"), notAProgram,
                                   QString(folder + "/missing/browser"), folder}) {
        SCOPED_TRACE(browser.toStdString());
        QFile::remove(folder + "/VeskHtml_tmp.html");
        message_seam::Log().clear();
        PreviewInBrowser(*page->view, settings, browser);

        EXPECT_EQ(ReadTestFile(folder + "/VeskHtml_tmp.html"), "<P>x</P>");
        ASSERT_EQ(seams.Messages().size(), 1u);
        EXPECT_EQ(seams.Messages()[0].text, kBrowserNotFound);
        EXPECT_EQ(seams.Messages()[0].caption, "エラー");
        EXPECT_EQ(seams.Messages()[0].icon, MsgIcon::Exclamation);
    }
    EXPECT_TRUE(launches.started.empty());

    // A program that exists but will not start gets the same message.
    launches.programResult = false;
    message_seam::Log().clear();
    page->Run(cmd::kPreviewIe);
    ASSERT_EQ(seams.Messages().size(), 1u);
    EXPECT_EQ(seams.Messages()[0].text, kBrowserNotFound);
}

TEST_F(ExternalAppsTest, PreviewCommandsAreEnabledByTheirBrowserPaths) {
    settings.general.iePath.clear();
    auto page = NewPage();
    EXPECT_FALSE(page->Enabled(cmd::kPreviewIe));
    EXPECT_TRUE(page->Enabled(cmd::kPreviewNn));
    settings.general.iePath = "x";
    settings.general.nnPath.clear();
    page->view->RefreshSettings();
    EXPECT_TRUE(page->Enabled(cmd::kPreviewIe));
    EXPECT_FALSE(page->Enabled(cmd::kPreviewNn));
    EXPECT_TRUE(page->Enabled(cmd::kStartFileManager));
}

TEST_F(ExternalAppsTest, LinkCommandsAreEnabledByTheTagAndTheLinkKind) {
    auto page = NewPage();
    struct Case {
        int kind;
        bool application, favourite, editor;
    };
    for (const Case& c : {Case{0, true, true, true}, Case{1, true, true, false},
                          Case{2, true, false, false}, Case{-1, true, false, false}}) {
        SCOPED_TRACE(c.kind);
        page->Link("a.html", c.kind);
        EXPECT_EQ(page->Enabled(cmd::kOpenWithApplication), c.application);
        EXPECT_EQ(page->Enabled(cmd::kOpenWithFavourite), c.favourite);
        EXPECT_EQ(page->Enabled(cmd::kOpenInEditor), c.editor);

        // No tag at the caret, or no link text: nothing to open.
        page->view->tagAtCaret_.kind = -2;
        EXPECT_FALSE(page->Enabled(cmd::kOpenWithApplication));
        EXPECT_FALSE(page->Enabled(cmd::kOpenWithFavourite));
        EXPECT_FALSE(page->Enabled(cmd::kOpenInEditor));
        page->Link("", c.kind);
        EXPECT_FALSE(page->Enabled(cmd::kOpenWithApplication));
        EXPECT_FALSE(page->Enabled(cmd::kOpenWithFavourite));
        EXPECT_FALSE(page->Enabled(cmd::kOpenInEditor));
    }
}

class LinkTargetTest : public ExternalAppsTest {
  protected:
    LinkTargetTest()
        : folder(MakeTempDir()),
          target(WriteTestFile(folder + "/sub/page.html", "<P>target</P>")),
          image(WriteTestFile(folder + "/img/a.gif", "GIF89a")),
          page(SavedPage(folder, "<A HREF=\"sub/page.html#top\">x</A>")) {}

    QString folder;
    QString target;
    QString image;
    std::unique_ptr<Page> page;
};

TEST_F(LinkTargetTest, AnchorIsDroppedAndThePathTakenFromTheDocumentsFolder) {
    page->Link("sub/page.html#top", 0);
    page->Run(cmd::kOpenWithApplication);
    page->Run(cmd::kOpenWithFavourite);
    page->Run(cmd::kOpenInEditor);

    EXPECT_EQ(seams.launched, std::vector<QString>{target});
    ASSERT_EQ(launches.started.size(), 1u);
    EXPECT_EQ(launches.started[0].first, "html-app");
    EXPECT_EQ(launches.started[0].second, target);
    EXPECT_EQ(page->editorOpened, std::vector<QString>{target});
    EXPECT_TRUE(seams.Messages().empty());
}

TEST_F(LinkTargetTest, ImagesGoToTheImageApplicationAndNeverToTheEditor) {
    page->Link("./img/a.gif", 1);
    page->Run(cmd::kOpenWithFavourite);
    page->Run(cmd::kOpenInEditor);
    ASSERT_EQ(launches.started.size(), 1u);
    EXPECT_EQ(launches.started[0].first, "image-app");
    EXPECT_EQ(launches.started[0].second, image);
    EXPECT_TRUE(page->editorOpened.empty());
}

TEST_F(LinkTargetTest, AddressIsOpenedAsWrittenWithoutLookingForAFile) {
    page->Link("http://example.invalid/none.html#part", 2);
    page->Run(cmd::kOpenWithApplication);
    EXPECT_EQ(seams.launched, std::vector<QString>{"http://example.invalid/none.html#part"});
    EXPECT_TRUE(seams.Messages().empty());
}

TEST_F(LinkTargetTest, MissingTargetIsReportedAndNothingOpened) {
    page->Link("sub/gone.html#top", 0);
    for (int id : {cmd::kOpenWithApplication, cmd::kOpenWithFavourite, cmd::kOpenInEditor})
        page->Run(id);

    ASSERT_EQ(seams.Messages().size(), 3u);
    for (const MessageRecord& m : seams.Messages()) {
        EXPECT_EQ(m.text,
                  "ファイル　\"" + folder +
                      "/sub/gone.html\"　が見つかりません。\r\n"
                      "ファイルのリンクが通っていないか、パスが間違っている可能性があります。");
        EXPECT_EQ(m.caption, "VeskHtml");
        EXPECT_EQ(m.icon, MsgIcon::Exclamation);
    }
    EXPECT_TRUE(seams.launched.empty());
    EXPECT_TRUE(launches.started.empty());
    EXPECT_TRUE(page->editorOpened.empty());
}

TEST_F(LinkTargetTest, UntitledDocumentShowsTheLinkAsWritten) {
    auto untitled = NewPage();
    untitled->Link("sub/page.html#top", 0);
    untitled->Run(cmd::kOpenInEditor);
    ASSERT_EQ(seams.Messages().size(), 1u);
    EXPECT_TRUE(seams.Messages()[0].text.startsWith("ファイル　\"sub/page.html#top\"　が"));
    EXPECT_TRUE(untitled->editorOpened.empty());
}

TEST_F(LinkTargetTest, ApplicationThatCannotStartIsReported) {
    page->Link("sub/page.html", 0);
    seams.launched.clear();
    launcher_seam::SetScript([](const QString&) { return false; });
    launches.programResult = false;
    page->Run(cmd::kOpenWithApplication);
    page->Run(cmd::kOpenWithFavourite);
    ASSERT_EQ(seams.Messages().size(), 2u);
    for (const MessageRecord& m : seams.Messages()) {
        EXPECT_EQ(m.text, kApplicationNotFound);
        EXPECT_EQ(m.caption, "VeskHtml");
        EXPECT_EQ(m.icon, MsgIcon::Exclamation);
    }
}

TEST_F(ExternalAppsTest, FileManagerShowsTheHomeFolder) {
    auto page = NewPage();
    page->Run(cmd::kStartFileManager);
    EXPECT_EQ(launches.folders, std::vector<QString>{QDir::homePath()});
    EXPECT_TRUE(seams.Messages().empty());

    launches.fileManagerResult = false;
    page->Run(cmd::kStartFileManager);
    ASSERT_EQ(seams.Messages().size(), 1u);
    EXPECT_EQ(seams.Messages()[0].text, "エクスプローラーを起動できません");
    EXPECT_EQ(seams.Messages()[0].caption, "VeskHtml");
}

TEST(LauncherTest, RunnableProgramsAreExecutableFilesOrNamesOnThePath) {
    const QString folder = MakeTempDir();
    EXPECT_FALSE(IsRunnableProgram(""));
    EXPECT_TRUE(IsRunnableProgram("sh"));
    EXPECT_TRUE(IsRunnableProgram(QCoreApplication::applicationFilePath()));
    EXPECT_FALSE(IsRunnableProgram("veskhtml-no-such-program"));
    EXPECT_FALSE(IsRunnableProgram(WriteTestFile(folder + "/plain", "x")));
    EXPECT_FALSE(IsRunnableProgram(folder));
    EXPECT_FALSE(IsRunnableProgram(folder + "/missing"));
}

TEST(LauncherTest, ProgramGetsItsArgumentUntouchedByAnyShell) {
    program_seam::ClearScript();
    const QString folder = MakeTempDir();
    // Blanks, quotes and a dollar sign would all be mangled by a shell.
    const QString argument = folder + "/a b'$HOME\".txt";
    const QString script =
        WriteTestFile(folder + "/copy.sh", "#!/bin/sh\nprintf '%s' \"$1\" > \"$1.out\"\n");
    QFile::setPermissions(script, QFile::permissions(script) | QFileDevice::ExeOwner);
    WriteTestFile(argument, "");

    EXPECT_FALSE(StartProgram("", argument));
    ASSERT_TRUE(StartProgram(script, argument));
    for (int i = 0; i < 100 && !QFileInfo::exists(argument + ".out"); ++i) QThread::msleep(50);
    QThread::msleep(50);
    EXPECT_EQ(ReadTestFile(argument + ".out"), argument.toStdString());
    program_seam::SetScript([](const QString&, const QString&) { return true; });
}

}  // namespace
