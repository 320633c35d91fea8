// Speed and memory of the editor on large pages (10 MB unless an argument gives the size in MB).
//
// BM_OpenAndColour/N    open an N MB Shift-JIS page into a view (read, detect, decode,
//                       line breaks, fill and colour the control); peak memory with it open
// BM_ColourWholeText    ColourRange over the whole text in the real control
// BM_PeerLexerHTML      QScintilla's own HTML lexer colouring the same text (the yardstick)
// BM_KeyReleaseCycle/N  one typed "<" in the middle of an N MB page, its key release and repaint
// BM_ReplaceAll         replace all of a 3-character text by a 5-character text (100,000 matches)
// BM_Open*/BM_Save*     opening and saving through the document
// BM_FindInFiles/E      find in files over a site of 2,000 pages of 50 KB (100 MB), to all
//                       results; E 0: UTF-8 pages with LF, 1: Shift-JIS pages with CR LF

#include <Qsci/qscilexerhtml.h>
#include <Qsci/qsciscintilla.h>
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <atomic>
#include <map>
#include <memory>

#include "core/app_settings.h"
#include "bench_page.h"
#include "editor/find_dialogs.h"
#include "editor/text_control.h"
#include "editor/veskhtml_doc.h"
#include "editor/veskhtml_view.h"
#include "findfiles/file_search.h"
#include "platform/message_seam.h"
#include "sidepane/link_at_caret.h"
#include "tagedit/tag_at_caret.h"
#include "tools/colour_code_commands.h"

namespace {

using vesk::TextEncoding;

// A view holding the page, opened from its Shift-JIS file.
struct OpenPage {
    CAppSettings settings;
    CVeskHtmlDoc doc;
    CVeskHtmlView view{settings, &doc};
    explicit OpenPage(int megabytes = 10) {
        QString error;
        doc.Load(bench::PageFile(TextEncoding::ShiftJis, false, megabytes), &error);
    }
};

// The page size in MB is the benchmark's argument.
void BM_OpenAndColour(benchmark::State& state) {
    const int megabytes = static_cast<int>(state.range(0));
    const double textMegabytes = bench::PageText(megabytes).size() / (1024.0 * 1024.0);
    bench::PageFile(TextEncoding::ShiftJis, false, megabytes);
    for (auto _ : state) {
        const double before = bench::RestartPeak();
        OpenPage page(megabytes);
        benchmark::DoNotOptimize(page.view.Control().TextLength());
        state.counters["peak_MB"] = bench::PeakMegabytes();
        state.counters["peak_over_start_per_text"] =
            (bench::PeakMegabytes() - before) / textMegabytes;
    }
    state.counters["text_MB"] = textMegabytes;
}

void BM_ColourWholeText(benchmark::State& state) {
    OpenPage page;
    CTextControl& control = page.view.Control();
    for (auto _ : state) {
        page.view.ColourRange(control.WholeTextView(), 0, -1);
    }
    state.SetBytesProcessed(state.iterations() * control.TextLength());
}

void BM_PeerLexerHTML(benchmark::State& state) {
    QsciScintilla editor;
    QsciLexerHTML lexer;
    editor.setLexer(&lexer);
    const std::string& text = bench::PageText();
    editor.SendScintilla(QsciScintillaBase::SCI_SETCODEPAGE, QsciScintillaBase::SC_CP_UTF8);
    editor.SendScintilla(QsciScintillaBase::SCI_APPENDTEXT, text.size(), text.c_str());
    for (auto _ : state) {
        editor.SendScintilla(QsciScintillaBase::SCI_CLEARDOCUMENTSTYLE);
        editor.SendScintilla(QsciScintillaBase::SCI_COLOURISE, 0L, -1L);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}

void BM_KeyReleaseCycle(benchmark::State& state) {
    // The caret records the application keeps after every key.
    CVeskHtmlView::caretRecordsRefresher = [](CVeskHtmlView& view) {
        RefreshTagAtCaret(view);
        RefreshLinkAtCaret(view);
        vesk::RefreshColourAtCaret(view);
    };
    OpenPage page(static_cast<int>(state.range(0)));
    // Shown, so that each cycle includes the repaint the user waits for.
    page.view.resize(1000, 700);
    page.view.show();
    QApplication::processEvents();
    CTextControl& control = page.view.Control();
    // Find a place in plain text near the middle.
    const std::string_view text = control.WholeTextView();
    const int middle = static_cast<int>(text.find("</B>", text.size() / 2)) + 4;
    for (auto _ : state) {
        control.SetSel(middle, middle);
        QTest::keyClick(&control, Qt::Key_Less, Qt::NoModifier);
        QApplication::processEvents();
        state.PauseTiming();
        QTest::keyClick(&control, Qt::Key_Backspace, Qt::NoModifier);
        state.ResumeTiming();
    }
}

void BM_ReplaceAll(benchmark::State& state) {
    OpenPage page;
    CTextControl& control = page.view.Control();
    // 100,000 occurrences of a 3-byte text: one at the start of each of the first lines.
    const std::string_view original = control.WholeTextView();
    std::string text;
    text.reserve(original.size() + 300000);
    int placed = 0;
    std::size_t from = 0;
    while (from < original.size()) {
        std::size_t end = original.find("\r\n", from);
        end = end == std::string_view::npos ? original.size() : end + 2;
        if (placed < 100000) {
            text += "xyz";
            ++placed;
        }
        text.append(original.substr(from, end - from));
        from = end;
    }
    page.view.SetText(text);
    // Through the replace dialog, as the user does it.
    CFindReplace findReplace([&page] { return &page.view; }, nullptr);
    findReplace.OpenReplace();
    QDialog* dialog = findReplace.ReplaceDialog();
    dialog->findChild<QLineEdit*>("findWhat")->setText("xyz");
    dialog->findChild<QLineEdit*>("replaceWith")->setText("vwxyz");
    dialog->findChild<QCheckBox*>("matchCase")->setChecked(true);
    QPushButton* replaceAll = dialog->findChild<QPushButton*>("replaceAll");
    for (auto _ : state) {
        state.PauseTiming();
        page.view.SetText(text);
        state.ResumeTiming();
        replaceAll->click();
    }
    state.counters["matches"] = placed;
}

void Open(benchmark::State& state, TextEncoding encoding, bool lf) {
    const QString path = bench::PageFile(encoding, lf);
    CAppSettings settings;
    for (auto _ : state) {
        CVeskHtmlDoc doc;
        CVeskHtmlView view(settings, &doc);
        QString error;
        if (!doc.Load(path, &error))
            state.SkipWithError("load failed");
    }
    state.SetBytesProcessed(state.iterations() * QFile(path).size());
}

void Save(benchmark::State& state, TextEncoding encoding, bool lf) {
    const QString path = bench::PageFile(encoding, lf);
    CAppSettings settings;
    CVeskHtmlDoc doc;
    CVeskHtmlView view(settings, &doc);
    QString error;
    doc.Load(path, &error);
    const QString target = path + ".saved";
    for (auto _ : state) {
        doc.SetModified(true);
        if (!doc.DoSave(target))
            state.SkipWithError("save failed");
    }
    state.SetBytesProcessed(state.iterations() * QFile(path).size());
}

void BM_OpenShiftJisCrLf(benchmark::State& s) {
    Open(s, TextEncoding::ShiftJis, false);
}
void BM_SaveShiftJisCrLf(benchmark::State& s) {
    Save(s, TextEncoding::ShiftJis, false);
}
void BM_OpenUtf8Lf(benchmark::State& s) {
    Open(s, TextEncoding::Utf8, true);
}
void BM_SaveUtf8Lf(benchmark::State& s) {
    Save(s, TextEncoding::Utf8, true);
}

// A site of 2,000 pages of 50 KB in 20 folders, each page with three lines to find.
QString FindSite(TextEncoding encoding, bool lf) {
    static std::map<int, std::unique_ptr<QTemporaryDir>> sites;
    auto& site = sites[static_cast<int>(encoding)];
    if (site)
        return site->path();
    site = std::make_unique<QTemporaryDir>();
    const std::string& source = bench::PageText(1);
    constexpr std::size_t kPageBytes = 50 * 1000;
    for (int i = 0; i < 2000; ++i) {
        // Pages cut from different places of the source, at line ends.
        std::size_t from = source.find("\r\n", (i * 7919u) % (source.size() - 2 * kPageBytes));
        from += 2;
        const std::size_t to = source.find("\r\n", from + kPageBytes - 200) + 2;
        std::string page = source.substr(from, to - from);
        for (std::size_t at : {page.size() / 4, page.size() / 2, page.size() * 3 / 4}) {
            const std::size_t line = page.find("\r\n", at) + 2;
            page.insert(line, "<P>The sale ends on Sunday.</P>\r\n");
        }
        if (lf)
            page = vesk::BreaksFromCrLf(page, vesk::LineBreakStyle::Lf);
        const std::string bytes = vesk::EncodeText(page, encoding).bytes;
        const QString folder = site->path() + QString("/part%1").arg(i / 100, 2, 10, QChar('0'));
        QDir().mkpath(folder);
        QFile file(folder + QString("/page%1.html").arg(i, 4, 10, QChar('0')));
        file.open(QIODevice::WriteOnly);
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    }
    return site->path();
}

void BM_FindInFiles(benchmark::State& state) {
    const bool sjis = state.range(0) == 1;
    vesk::findfiles::SearchRequest request;
    request.folder = FindSite(sjis ? TextEncoding::ShiftJis : TextEncoding::Utf8, !sjis);
    request.patterns = vesk::findfiles::SplitPatterns("*.html;*.htm;*.shtml");
    request.what = "SALE ENDS";
    std::atomic<bool> stop{false};
    long long bytes = 0;
    for (QDirIterator it(request.folder, QDir::Files, QDirIterator::Subdirectories); it.hasNext();)
        bytes += it.nextFileInfo().size();
    for (auto _ : state) {
        int matches = 0;
        int files = 0;
        vesk::findfiles::RunSearch(
            request, stop, [](int, int) {},
            [&](vesk::findfiles::FileResult result) {
                matches += static_cast<int>(result.matches.size());
                ++files;
            });
        if (matches != 6000 || files != 2000)
            state.SkipWithError("wrong results");
        state.counters["matches"] = matches;
    }
    state.SetBytesProcessed(state.iterations() * bytes);
}

// Memory first, while the process is fresh.
BENCHMARK(BM_OpenAndColour)->Arg(10)->Arg(50)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_ColourWholeText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PeerLexerHTML)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_KeyReleaseCycle)
    ->Arg(1)
    ->Arg(10)
    ->Arg(50)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_ReplaceAll)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenShiftJisCrLf)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveShiftJisCrLf)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenUtf8Lf)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveUtf8Lf)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindInFiles)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // The large-text warning is answered at once.
    vesk::message_seam::SetScript([](const vesk::MessageRecord&) { return vesk::MsgAnswer::Ok; });
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
