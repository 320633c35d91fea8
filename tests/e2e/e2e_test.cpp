// The real program in a real X window, driven by key presses and clicks as a person would.
// These catch what in-process tests cannot see: Qt's own dialogs, the real order of events,
// shortcuts that only work in an active window.

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QThread>
#include <string>

#include "support/test_env.h"
#include "x_session.h"

namespace vesk::e2e {
namespace {

using test::MakeTempDir;
using test::ReadTestFile;
using test::WriteTestFile;

// A failed expectation names a screenshot of the screen at that moment.
#define SHOT(run, name) "screen: " << (run).Screenshot(name).toStdString()

// "日本語のページです。" in Shift-JIS.
const std::string kSjisText =
    "\x93\xFA\x96\x7B\x8C\xEA\x82\xCC\x83\x79\x81\x5B\x83\x57\x82\xC5\x82\xB7\x81\x42";

TEST(EndToEnd, TypedTagIsSavedInTheShiftJisPage) {
    VESK_REQUIRE_X();
    const QString home = MakeTempDir();
    const std::string page =
        "<HTML>\r\n<HEAD>\r\n<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; "
        "charset=Shift_JIS\">\r\n</HEAD>\r\n<BODY>\r\n" +
        kSjisText + "\r\n</BODY>\r\n</HTML>\r\n";
    const QString path = WriteTestFile(home + "/site/sjis.html", page);
    EditorRun run(home, {path});
    const unsigned long window = run.MainWindow();
    ASSERT_NE(window, 0u) << SHOT(run, "start");

    run.Keys(window, {"ctrl+End"});
    run.Type(window, "<B>");
    run.Keys(window, {"ctrl+s"});
    EXPECT_TRUE(run.WaitForFile(path, page + "<B>")) << SHOT(run, "sjis-save");
}

TEST(EndToEnd, F5AfterAClickReopensTheTagAndRewritesIt) {
    VESK_REQUIRE_X();
    const QString home = MakeTempDir();
    // A tag over many lines fills the editor, so a click anywhere in it lands in the tag.
    std::string tag = "<HR SIZE=\"3\"";
    for (int i = 0; i < 80; ++i) tag += "\r\n DATA-LINE" + std::to_string(i) + "=\"x\"";
    tag += ">";
    const std::string page = "plain text before\r\n" + tag + "\r\nafter\r\n";
    const QString path = WriteTestFile(home + "/site/rule.html", page);
    EditorRun run(home, {path});
    const unsigned long window = run.MainWindow();
    ASSERT_NE(window, 0u) << SHOT(run, "start");

    // The caret starts in plain text; one click puts it into the tag, F5 at once.
    const QRect frame = run.Geometry(window);
    run.Click(frame.left() + frame.width() * 7 / 10, frame.top() + frame.height() * 6 / 10);
    run.Keys(window, {"F5"});
    const unsigned long dialog = run.WaitForWindow(".");
    ASSERT_NE(dialog, 0u) << SHOT(run, "f5-no-dialog");
    run.Keys(dialog, {"Return"});
    run.Keys(window, {"ctrl+s"});
    // The rule dialog writes the size it read back; the attributes it does not know follow on
    // one line, behind the blank that stood before SIZE.
    std::string rewritten = "<HR SIZE=\"3\" ";
    for (int i = 0; i < 80; ++i) rewritten += " DATA-LINE" + std::to_string(i) + "=\"x\"";
    rewritten += ">";
    EXPECT_TRUE(run.WaitForFile(path, "plain text before\r\n" + rewritten + "\r\nafter\r\n"))
        << ReadTestFile(path) << "\n"
        << SHOT(run, "f5-saved");
}

TEST(EndToEnd, SaveAsTakesTheChosenFileType) {
    VESK_REQUIRE_X();
    const struct {
        int steps;  // presses of Down on the file-type list
        const char* saved;
    } cases[] = {{0, "page.html"}, {1, "page.txt"}, {2, "page.html"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.saved);
        const QString home = MakeTempDir();
        const QString folder = home + "/site";
        QDir().mkpath(folder);
        EditorRun run(home, {}, {"[FileDlgSettings]", "Initial_dir_save=" + folder});
        const unsigned long window = run.MainWindow();
        ASSERT_NE(window, 0u) << SHOT(run, "start");
        run.Type(window, "<p>x</p>");
        run.Keys(window, {"ctrl+s"});  // untitled: Save As
        const unsigned long dialog = run.WaitForWindow("^名前を付けて保存$");
        ASSERT_NE(dialog, 0u) << SHOT(run, "saveas-no-dialog");
        // The name field has the focus; the file-type list is the next field.
        run.Keys(dialog, {"ctrl+a"});
        run.Type(dialog, "page");
        run.Keys(dialog, {"Tab"});
        for (int i = 0; i < c.steps; ++i) run.Keys(dialog, {"Down"});
        run.Keys(dialog, {"Return"});
        EXPECT_TRUE(run.WaitForFile(folder + "/" + c.saved, "<p>x</p>"))
            << QDir(folder).entryList(QDir::Files).join(' ').toStdString() << "\n"
            << SHOT(run, "saveas");
    }
}

TEST(EndToEnd, BackAndForwardBetweenTwoDocuments) {
    VESK_REQUIRE_X();
    const QString home = MakeTempDir();
    const QString a = WriteTestFile(home + "/site/a.html", "<p>a</p>");
    const QString b = WriteTestFile(home + "/site/b.html", "<p>b</p>");
    EditorRun run(home, {a});
    const unsigned long window = run.MainWindow();
    ASSERT_NE(window, 0u) << SHOT(run, "start");
    ASSERT_TRUE(run.OpenThroughDialog(window, b)) << SHOT(run, "open-no-dialog");
    const QString atB = "VeskHtml - [b.html]", atA = "VeskHtml - [a.html]";
    ASSERT_TRUE(run.WaitForTitle(window, atB)) << run.Title(window).toStdString() << "\n"
                                               << SHOT(run, "opened-b");
    const struct {
        const char* key;
        QString title;
    } steps[] = {{"alt+b", atA}, {"alt+f", atB}, {"alt+Left", atA}, {"alt+Right", atB}};
    for (const auto& step : steps) {
        run.Keys(window, {step.key});
        EXPECT_TRUE(run.WaitForTitle(window, step.title))
            << step.key << ": " << run.Title(window).toStdString() << "\n"
            << SHOT(run, step.key);
    }
    // Nothing was typed into either document by the keys.
    run.Keys(window, {"ctrl+s"});
    EXPECT_EQ(ReadTestFile(b), "<p>b</p>");
}

TEST(EndToEnd, TextDraggedIntoAnotherDocumentCanBeUndoneInTheFirst) {
    VESK_REQUIRE_X();
    const QString home = MakeTempDir();
    // Lines of one long word fill each window, so a double click anywhere selects a word.
    std::string words, others;
    for (int i = 0; i < 60; ++i) {
        words += "alphaalphaalphaalphaalphaalphaalphaalphaalpha" + std::to_string(i) + "\r\n";
        others += "bbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbb\r\n";
    }
    const QString a = WriteTestFile(home + "/site/a.html", words);
    const QString b = WriteTestFile(home + "/site/b.html", others);
    EditorRun run(home, {a}, {"[ChildWndStyle]", "TILE=1"});
    const unsigned long window = run.MainWindow();
    ASSERT_NE(window, 0u) << SHOT(run, "start");
    ASSERT_TRUE(run.OpenThroughDialog(window, b)) << SHOT(run, "open-no-dialog");
    ASSERT_TRUE(run.WaitForTitle(window, "VeskHtml - b.html")) << SHOT(run, "tiled");

    // Tiled: b.html, the active one, above; a.html below. A word of a.html goes into b.html.
    const QRect frame = run.Geometry(window);
    const int x = frame.left() + frame.width() * 35 / 100;
    run.Drag(x, frame.top() + frame.height() * 8 / 10, x, frame.top() + frame.height() * 4 / 10);
    // a.html is active after the drag started there; saved, it has lost the word.
    run.Keys(window, {"ctrl+s"});
    ASSERT_TRUE(run.WaitForFileChange(a, words)) << SHOT(run, "dragged");
    EXPECT_EQ(ReadTestFile(a).size(), words.size() - 47);
    run.Keys(window, {"ctrl+z"});
    run.Keys(window, {"ctrl+s"});
    EXPECT_TRUE(run.WaitForFile(a, words)) << SHOT(run, "undone");
}

TEST(EndToEnd, ANoticeOnOpeningStandsOverTheShownWindow) {
    VESK_REQUIRE_X();
    const QString home = MakeTempDir();
    // A page this large brings the notice that colouring may be slow.
    std::string page;
    while (page.size() < 70000) page += "<P>a line of a long page</P>\r\n";
    const QString path = WriteTestFile(home + "/site/large.html", page);
    EditorRun run(home, {path});
    // The first window up is the main window; the notice comes over it.
    const unsigned long first = run.MainWindow();
    ASSERT_NE(first, 0u) << SHOT(run, "start");
    EXPECT_GE(run.Geometry(first).width(), 700) << SHOT(run, "notice-first");
    const unsigned long notice = run.WaitForWindow("^VeskHtml$");
    ASSERT_NE(notice, 0u) << SHOT(run, "no-notice");
    EXPECT_LT(run.Geometry(notice).width(), 700);
}

TEST(EndToEnd, FindInFilesOpensTheFileWithTheMatchSelected) {
    VESK_REQUIRE_X();
    const QString home = MakeTempDir();
    const QString start = WriteTestFile(home + "/site/index.html", "<p>start</p>\r\n");
    const std::string page = "<p>first line</p>\r\n<p>the needle here</p>\r\n";
    const QString found = WriteTestFile(home + "/site/sub/found.html", page);
    EditorRun run(home, {start});
    const unsigned long window = run.MainWindow();
    ASSERT_NE(window, 0u) << SHOT(run, "start");
    run.Keys(window, {"ctrl+shift+f"});
    const unsigned long dialog = run.WaitForWindow("^ファイルから検索$");
    ASSERT_NE(dialog, 0u) << SHOT(run, "find-in-files-no-dialog");
    // The text field has the focus; the folder is the open page's.
    run.Type(dialog, "needle");
    run.Keys(dialog, {"Return"});
    // The result list takes the focus with its first row current; Enter opens it, once the
    // worker has listed the two files.
    QThread::msleep(700);
    run.Keys(window, {"Return"});
    ASSERT_TRUE(run.WaitForTitle(window, "VeskHtml - [found.html]"))
        << run.Title(window).toStdString() << "\n"
        << SHOT(run, "find-in-files-not-opened");
    // Typing replaces the selected match.
    run.Type(window, "pin");
    run.Keys(window, {"ctrl+s"});
    EXPECT_TRUE(run.WaitForFile(found, "<p>first line</p>\r\n<p>the pin here</p>\r\n"))
        << ReadTestFile(found) << "\n"
        << SHOT(run, "find-in-files-saved");
}

TEST(EndToEnd, PreviewHandsTheBrowserTheWorkFile) {
    VESK_REQUIRE_X();
    const QString home = MakeTempDir();
    const QString log = home + "/browser.log";
    // A browser that writes down what it was given and what the file held.
    const QString browser = WriteTestFile(
        home + "/browser.sh", "#!/bin/sh\n{ echo \"$1\"; cat \"$1\"; } > '" + log.toStdString() +
                                  ".part' && mv '" + log.toStdString() + ".part' '" +
                                  log.toStdString() + "'\n");
    QFile::setPermissions(browser,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    const QString page = WriteTestFile(home + "/site/page.html", "<p>preview</p>");
    EditorRun run(home, {page}, {"[PathSettings]", "IEPath=" + browser});
    const unsigned long window = run.MainWindow();
    ASSERT_NE(window, 0u) << SHOT(run, "start");
    run.Keys(window, {"F3"});
    const QString workFile = home + "/site/VeskHtml_tmp.html";
    EXPECT_TRUE(run.WaitForFile(log, workFile.toStdString() + "\n<p>preview</p>"))
        << ReadTestFile(log) << "\n"
        << SHOT(run, "preview");
}

}  // namespace
}  // namespace vesk::e2e
