// Opening and saving a 10 MB HTML page through the document and its view:
// read, detect, decode, convert line breaks, fill the control; and back.
// Reports time per operation and the process's peak resident memory.

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "app/app_settings.h"
#include "editor/veskhtml_doc.h"
#include "editor/veskhtml_view.h"
#include "platform/encoding.h"

namespace {

QTemporaryDir& Dir() {
    static QTemporaryDir dir;
    return dir;
}

// A Japanese page of about 10 MB in the given encoding, CR LF or LF breaks.
QString MakePage(const char* name, vesk::TextEncoding encoding, const char* lineBreak) {
    const QString path = Dir().path() + "/" + name;
    if (QFile::exists(path))
        return path;
    std::string text = "<HTML>\r\n<HEAD><TITLE>大きなページ</TITLE></HEAD>\r\n<BODY>\r\n";
    const std::string row =
        "<TR><TD BGCOLOR=\"#FFFFCC\"><A HREF=\"page.html#top\">日本語のリンク</A></TD>"
        "<TD>これは表のセルです。ﾃｷｽﾄ 12345</TD></TR>";
    while (text.size() < 10 * 1024 * 1024) text += row + lineBreak;
    text += "</BODY>\r\n</HTML>\r\n";
    std::string bytes = vesk::EncodeText(text, encoding).bytes;
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    return path;
}

void ReportPeakMemory(benchmark::State& state) {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void Open(benchmark::State& state, vesk::TextEncoding encoding, const char* lineBreak,
          const char* name) {
    const QString path = MakePage(name, encoding, lineBreak);
    CAppSettings settings;
    for (auto _ : state) {
        CVeskHtmlDoc doc;
        CVeskHtmlView view(settings, &doc);
        QString error;
        if (!doc.Load(path, &error))
            state.SkipWithError("load failed");
        benchmark::DoNotOptimize(view.GetAllText().size());
    }
    state.SetBytesProcessed(state.iterations() * QFile(path).size());
    ReportPeakMemory(state);
}

void Save(benchmark::State& state, vesk::TextEncoding encoding, const char* lineBreak,
          const char* name) {
    const QString path = MakePage(name, encoding, lineBreak);
    CAppSettings settings;
    CVeskHtmlDoc doc;
    CVeskHtmlView view(settings, &doc);
    QString error;
    doc.Load(path, &error);
    const QString target = Dir().path() + "/saved-" + name;
    for (auto _ : state) {
        doc.SetModified(true);
        if (!doc.DoSave(target))
            state.SkipWithError("save failed");
    }
    state.SetBytesProcessed(state.iterations() * QFile(path).size());
    ReportPeakMemory(state);
}

void BM_OpenShiftJisCrLf(benchmark::State& s) {
    Open(s, vesk::TextEncoding::ShiftJis, "\r\n", "sjis.html");
}
void BM_SaveShiftJisCrLf(benchmark::State& s) {
    Save(s, vesk::TextEncoding::ShiftJis, "\r\n", "sjis.html");
}
void BM_OpenUtf8Lf(benchmark::State& s) {
    Open(s, vesk::TextEncoding::Utf8, "\n", "utf8.html");
}
void BM_SaveUtf8Lf(benchmark::State& s) {
    Save(s, vesk::TextEncoding::Utf8, "\n", "utf8.html");
}

BENCHMARK(BM_OpenShiftJisCrLf)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveShiftJisCrLf)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenUtf8Lf)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveUtf8Lf)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
