// The whole headless export in one process, from a fresh state to the written
// book, as `corvane export` runs it: every stage together, without the start-up
// of a process (bench/compare.sh times the program itself).
#include <QTemporaryDir>

#include <cstdio>

#include "app/pdf_book.h"
#include "app/text_book.h"
#include "bench_qt_main.h"
#include "bench_support.h"

namespace corvane::bench {
namespace {

void BM_ExportText(benchmark::State& run, Roadway roadway) {
    std::FILE* sink = std::fopen("/dev/null", "wb");
    CountingMessages messages;
    int pages = 0;
    for (auto _ : run) {
        State state;
        PrepareState(state, roadway);
        std::string text;
        if (!WriteTextBook(state, messages, text)) {
            run.SkipWithError("a page could not be drawn");
            break;
        }
        std::fwrite(text.data(), 1, text.size(), sink);
        pages = BookPages(state);
    }
    std::fclose(sink);
    run.counters["pages"] = pages;
}

void BM_ExportPdf(benchmark::State& run, Roadway roadway) {
    CountingMessages messages;
    QTemporaryDir folder;
    const QString path = folder.filePath("book.pdf");
    int pages = 0;
    for (auto _ : run) {
        State state;
        PrepareState(state, roadway);
        if (!WritePdfBook(state, messages, path, QPageSize::Letter)) {
            run.SkipWithError("the PDF could not be written");
            break;
        }
        pages = BookPages(state);
    }
    run.SetItemsProcessed(run.iterations() * pages);
    run.counters["pages"] = pages;
}

BENCHMARK_CAPTURE(BM_ExportText, undivided, Roadway::Undivided)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);
BENCHMARK_CAPTURE(BM_ExportText, divided, Roadway::Divided)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);
BENCHMARK_CAPTURE(BM_ExportPdf, undivided, Roadway::Undivided)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);
BENCHMARK_CAPTURE(BM_ExportPdf, divided, Roadway::Divided)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);

}  // namespace
}  // namespace corvane::bench

int main(int argc, char** argv) {
    return corvane::bench::RunBenchmarksWithQt(argc, argv);
}
