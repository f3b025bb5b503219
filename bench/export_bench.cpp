// The whole headless export in one process, from the file to the written
// book, as `corvane export` runs it: every stage together, without the
// start-up of a process (bench/compare.sh times the program itself).
#include <QTemporaryDir>

#include <cstdio>

#include "app/command_line_run.h"
#include "app/pdf_book.h"
#include "bench_qt_main.h"
#include "bench_support.h"
#include "report/text_book.h"

namespace corvane::bench {
namespace {

void BM_ExportText(benchmark::State& run, RoadwayType type) {
    std::FILE* sink = std::fopen("/dev/null", "wb");
    int pages = 0;
    for (auto _ : run) {
        const PreparedBooks books = PrepareLargest(type);
        WriteTextBook(books, books.Header, [sink](std::string_view page) {
            return std::fwrite(page.data(), 1, page.size(), sink) == page.size();
        });
        pages = BookPages(books);
    }
    std::fclose(sink);
    run.counters["pages"] = pages;
}

// Only the back half of the text export: the prepared books drawn, written,
// synced and put in place, as the command line does after reading.
void BM_WriteTextBook(benchmark::State& run, RoadwayType type) {
    const PreparedBooks books = PrepareLargest(type);
    CountingMessages messages;
    QTemporaryDir folder;
    const QString path = folder.filePath("book.txt");
    for (auto _ : run) {
        const bool written = WriteTextOutput(
            path,
            [&books](const PageSink& sink) { return WriteTextBook(books, books.Header, sink); },
            messages);
        if (!written) {
            run.SkipWithError("the book could not be written");
            break;
        }
    }
    run.counters["pages"] = BookPages(books);
}

void BM_ExportPdf(benchmark::State& run, RoadwayType type) {
    CountingMessages messages;
    QTemporaryDir folder;
    const QString path = folder.filePath("book.pdf");
    int pages = 0;
    for (auto _ : run) {
        const PreparedBooks books = PrepareLargest(type);
        if (!WritePdfBook(books, messages, path, QPageSize::Letter)) {
            run.SkipWithError("the PDF could not be written");
            break;
        }
        pages = BookPages(books);
    }
    run.SetItemsProcessed(run.iterations() * pages);
    run.counters["pages"] = pages;
}

BENCHMARK_CAPTURE(BM_ExportText, undivided, RoadwayType::Undivided)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);
BENCHMARK_CAPTURE(BM_ExportText, divided, RoadwayType::Divided)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);
BENCHMARK_CAPTURE(BM_WriteTextBook, undivided, RoadwayType::Undivided)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_WriteTextBook, divided, RoadwayType::Divided)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_ExportPdf, undivided, RoadwayType::Undivided)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);
BENCHMARK_CAPTURE(BM_ExportPdf, divided, RoadwayType::Divided)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);

}  // namespace
}  // namespace corvane::bench

int main(int argc, char** argv) {
    return corvane::bench::RunBenchmarksWithQt(argc, argv);
}
