// Batch conversions: the same bytes as the editor's commands on the same pages.

#include "app/command_line.h"

#include <gtest/gtest.h>

#include <QDialog>
#include <QDir>
#include <QListWidget>
#include <sstream>

#include "core/app_settings.h"
#include "core/command_ids.h"
#include "editor/text_control.h"
#include "editor/veskhtml_doc.h"
#include "editor/veskhtml_view.h"
#include "platform/encoding.h"
#include "support/encoding_corpus.h"
#include "support/seams.h"
#include "support/test_env.h"
#include "tools/conversion_commands.h"
#include "tools/plain_text_command.h"

using namespace vesk::test;

namespace {

const char kPage[] =
    "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\">\r\n"
    "<html><head><title>見本 &amp; 例</title></head>\r\n"
    "<body bgcolor=\"#ffffff\">\r\n"
    "<!-- 目次 <b>太字</b> -->\r\n"
    "<H1>ようこそ</H1><p>一行目<br>\r\n"
    "  二行目 &lt;タグ&gt; &quot;引用&quot;</P>\r\n"
    "<TABLE BORDER=1><TR><TD NOWRAP>セル</TD></TR></TABLE>\r\n"
    "\r\n\r\n\r\n"
    "<a href=\"x.html\">リンク</a> a > b\r\n"
    "</body></html>\r\n";

struct BatchRun {
    int status;
    std::string out;
    std::string err;
};

BatchRun Convert(const std::string& mode, const std::string& input) {
    std::istringstream in(input);
    std::ostringstream out, err;
    std::optional<int> status = RunCommandLineMode({"--convert=" + mode}, in, out, err);
    return {status.value_or(-1), out.str(), err.str()};
}

// The editor: open the page, select everything, run the command (its dialog
// answered with the options), save, and read the file back.
std::string Editor(int command, const std::string& input, int options) {
    ClearSettings();
    const QString path = WriteTestFile(MakeTempDir() + "/page.html", input);
    CAppSettings settings;
    CVeskHtmlDoc doc;
    CVeskHtmlView view(settings, &doc);
    InstallTagCaseConversion();
    InstallConversionCommands(view, settings);
    InstallPlainTextCommand(view, settings);
    QString error;
    EXPECT_TRUE(doc.Load(path, &error));
    vesk::dialog_seam::SetScript([options](QDialog& dialog) {
        auto* list = dialog.findChild<QListWidget*>();
        for (int i = 0; list && i < list->count(); ++i) {
            list->item(i)->setCheckState((options >> i) & 1 ? Qt::Checked : Qt::Unchecked);
        }
        return int(QDialog::Accepted);
    });
    view.Control().SetSel(0, -1);
    view.RefreshCaretContextAsClick();
    EXPECT_TRUE(view.ExecuteCommand(command));
    vesk::dialog_seam::ClearScript();
    InstallNonBlockingSeams();
    EXPECT_TRUE(doc.OnFileSave());
    return ReadTestFile(path);
}

std::string Encoded(vesk::TextEncoding encoding, bool lf) {
    std::string text = kPage;
    if (lf)
        text = vesk::BreaksFromCrLf(text, vesk::LineBreakStyle::Lf);
    return vesk::EncodeText(text, encoding).bytes;
}

TEST(CommandLine, GivesTheEditorsBytesForEveryMode) {
    const struct {
        const char* mode;
        int command;
        int options;
    } modes[] = {
        {"upper", cmd::kTagUpper, 0},
        {"lower", cmd::kTagLower, 0},
        {"escape=7", cmd::kEscapeConversion, 7},
        {"escape=2", cmd::kEscapeConversion, 2},
        {"strip", cmd::kRemoveTags, 0},
        {"plain=255", cmd::kToPlainText, 255},
        {"plain=73", cmd::kToPlainText, 73},
    };
    const struct {
        const char* name;
        std::string bytes;
    } pages[] = {
        {"Shift-JIS, CR LF", Encoded(vesk::TextEncoding::ShiftJis, false)},
        {"UTF-8, LF", Encoded(vesk::TextEncoding::Utf8, true)},
        {"EUC-JP, LF", Encoded(vesk::TextEncoding::EucJp, true)},
    };
    for (const auto& page : pages) {
        for (const auto& m : modes) {
            SCOPED_TRACE(std::string(page.name) + " / " + m.mode);
            BatchRun run = Convert(m.mode, page.bytes);
            ASSERT_EQ(run.status, 0) << run.err;
            EXPECT_EQ(run.out, Editor(m.command, page.bytes, m.options));
        }
    }
}

TEST(CommandLine, LineBreaksToBrKeepTheFilesBreaks) {
    const std::string lf = Encoded(vesk::TextEncoding::Utf8, true);
    BatchRun upper = Convert("br", lf);
    ASSERT_EQ(upper.status, 0);
    EXPECT_EQ(upper.out.find('\r'), std::string::npos);  // all-LF in, all-LF out
    EXPECT_NE(upper.out.find("<BR>\n"), std::string::npos);
    EXPECT_EQ(upper.out, Editor(cmd::kBreaksToBr, lf, 0));
    BatchRun lower = Convert("br-lower", "a\r\nb");
    EXPECT_EQ(lower.out, "a<br>\r\nb");
}

TEST(CommandLine, WrongModesAreUsageErrors) {
    for (const char* mode :
         {"", "UPPER", "escape=8", "escape=-1", "escape=", "plain=256", "plain=1x", "nothing"}) {
        SCOPED_TRACE(mode);
        BatchRun run = Convert(mode, "<p>x</p>");
        EXPECT_EQ(run.status, 2);
        EXPECT_TRUE(run.out.empty());
        EXPECT_NE(run.err.find("--convert=MODE"), std::string::npos);
    }
    std::istringstream in("x");
    std::ostringstream out, err;
    EXPECT_FALSE(RunCommandLineMode({"page.html"}, in, out, err).has_value());
}

TEST(CommandLine, BytesOfNoKnownEncodingComeThroughUnchanged) {
    std::string bytes = "<p>";
    for (int c = 0x80; c < 0x100; ++c) bytes += static_cast<char>(c);
    bytes += "</p>\n";
    BatchRun run = Convert("upper", bytes);
    ASSERT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "<P>" + bytes.substr(3, 128) + "</P>\n");
}

TEST(CommandLine, CheckLinksReadsNoInputAndTellsMissingLinksByItsStatus) {
    const QString folder = MakeTempDir();
    WriteTestFile(folder + "/b.html", "<a href=\"index.html\">x</a>");
    const std::string index =
        WriteTestFile(folder + "/index.html", "<a href=\"b.html\">b</a><a href=\"c.html\">c</a>")
            .toStdString();
    const std::string b = (folder + "/b.html").toStdString();
    auto run = [](const std::vector<std::string>& arguments) {
        std::istringstream in("never read");
        std::ostringstream out, err;
        const int status = RunCommandLineMode(arguments, in, out, err).value_or(-1);
        EXPECT_EQ(in.tellg(), 0);
        return BatchRun{status, out.str(), err.str()};
    };
    const BatchRun missing = run({"--check-links", index, b});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.out, index + "\tinternal\tok\tb.html\n" + index +
                               "\tinternal\tmissing\tc.html\n" + b +
                               "\tinternal\tok\tindex.html\n");
    EXPECT_EQ(run({"--check-links", b}).status, 0);
    const BatchRun unreadable = run({"--check-links", b, (folder + "/none.html").toStdString()});
    EXPECT_EQ(unreadable.status, 2);
    EXPECT_NE(unreadable.err.find("none.html"), std::string::npos);
    const BatchRun usage = run({"--check-links"});
    EXPECT_EQ(usage.status, 2);
    EXPECT_NE(usage.err.find("--check-links"), std::string::npos);

    // A folder: every .html and .htm file under it, in sorted path order.
    QDir(folder).mkpath("sub");
    const std::string sub =
        WriteTestFile(folder + "/sub/a.htm", "<img src=\"../b.html\">").toStdString();
    WriteTestFile(folder + "/notes.txt", "<a href=\"none.html\">x</a>");
    const BatchRun site = run({"--check-links", folder.toStdString()});
    EXPECT_EQ(site.status, 1);
    EXPECT_EQ(site.out, b + "\tinternal\tok\tindex.html\n" + index + "\tinternal\tok\tb.html\n" +
                            index + "\tinternal\tmissing\tc.html\n" + sub +
                            "\tinline\tok\t../b.html\n");
}

}  // namespace

namespace {

TEST(CommandLine, DetectPrintsEachFilesEncodingAndBreaks) {
    const QString folder = MakeTempDir();
    std::string expected;
    std::vector<std::string> arguments = {"--detect"};
    for (const vesk::corpus::Page& page : vesk::corpus::Pages()) {
        const std::string path =
            WriteTestFile(folder + "/" + QString::fromStdString(page.name), page.bytes)
                .toStdString();
        arguments.push_back(path);
        const bool crlf = page.utf8.find("\r\n") != std::string::npos;
        expected += path + "\t" + page.detectName + "\t" + (crlf ? "CRLF" : "LF") + "\n";
    }
    const std::string oneLine = WriteTestFile(folder + "/one.txt", "a\rb\nc").toStdString();
    arguments.push_back(oneLine);
    expected += oneLine + "\tUTF-8\tmixed\n";
    const std::string missing = (folder + "/none.html").toStdString();
    arguments.insert(arguments.begin() + 2, missing);

    std::istringstream in;
    std::ostringstream out, err;
    EXPECT_EQ(RunCommandLineMode(arguments, in, out, err), 2);
    EXPECT_EQ(out.str(), expected);
    EXPECT_NE(err.str().find("none.html"), std::string::npos);

    std::ostringstream out2, err2;
    EXPECT_EQ(RunCommandLineMode({"--detect", oneLine}, in, out2, err2), 0);
    EXPECT_EQ(RunCommandLineMode({"--detect"}, in, out2, err2), 2);
}

}  // namespace
