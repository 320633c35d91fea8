// Speed and memory of the editor on large pages (10 MB unless an argument gives the size in MB).
//
// BM_OpenAndColour/N    open an N MB Shift-JIS page into a view (read, detect, decode,
//                       line breaks, fill and colour the control); peak memory with it open
// BM_ColourWholeText    ColourRange over the whole text in the real control
// BM_PeerLexerHTML      QScintilla's own HTML lexer colouring the same text (the yardstick)
// BM_KeyReleaseCycle/N  one typed "<" in the middle of an N MB page, its key release and repaint
// BM_ReplaceAll         replace all of a 3-character text by a 5-character text (100,000 matches)
// BM_Open*/BM_Save*     opening and saving through the document

#include <Qsci/qscilexerhtml.h>
#include <Qsci/qsciscintilla.h>
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "core/app_settings.h"
#include "bench_page.h"
#include "editor/find_dialogs.h"
#include "editor/text_control.h"
#include "editor/veskhtml_doc.h"
#include "editor/veskhtml_view.h"
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
