// The grades of the largest legal file as CSV and as a workbook, beside its
// text export: each from the file to the written output, as the export runs
// it. The CSV should take no longer than the text; the workbook under 3 s,
// its peak memory within 10 MB of the CSV's.
//
// Peak memory ("peak_mb") is the process's peak resident memory during the
// benchmark: the peak is reset to the resident memory when it starts.
#include <malloc.h>

#include <filesystem>
#include <fstream>

#include "bench_support.h"
#include "report/grades_table.h"
#include "report/text_book.h"
#include "sheets/csv_writer.h"
#include "sheets/whole_file.h"
#include "sheets/xlsx_writer.h"

namespace corvane::bench {
namespace {

// Memory freed by the benchmarks before goes back to the system, and the
// system's peak starts again from what is resident now.
void ResetPeakMemory() {
    malloc_trim(0);
    std::ofstream("/proc/self/clear_refs") << "5";
}

template <typename Write>
void Measure(benchmark::State& run, RoadwayType type, Write write) {
    ResetPeakMemory();
    for (auto _ : run) {
        const PreparedBooks books = PrepareLargest(type);
        if (!write(books)) {
            run.SkipWithError("the output could not be written");
            break;
        }
    }
    run.counters["peak_mb"] = ReadMemoryFigures().peakResidentKb / 1024.0;
}

std::string OutputPath(const char* name) {
    return (std::filesystem::temp_directory_path() / name).string();
}

// Written whole through the same kind of file as the sheets (and as the
// export writes its book): beside the target, synced, renamed.
void BM_Text(benchmark::State& run, RoadwayType type) {
    const std::string path = OutputPath("corvane-bench-grades.txt");
    Measure(run, type, [&path](const PreparedBooks& books) {
        WholeFile file(path);
        return file.Open() &&
               WriteTextBook(books, books.Header,
                             [&file](std::string_view page) { return file.Write(page); }) &&
               file.Commit();
    });
    std::filesystem::remove(path);
}

void BM_Csv(benchmark::State& run, RoadwayType type) {
    const std::string path = OutputPath("corvane-bench-grades.csv");
    Measure(run, type, [&path](const PreparedBooks& books) {
        return WriteCsv(GradeRows(BooksOf(books)), path).Written;
    });
    std::filesystem::remove(path);
}

void BM_Xlsx(benchmark::State& run, RoadwayType type) {
    const std::string path = OutputPath("corvane-bench-grades.xlsx");
    Measure(run, type, [&path](const PreparedBooks& books) {
        const std::vector<GradeRows> sides = GradeRowsPerBook(BooksOf(books));
        std::vector<SheetRows> sheets;
        for (const GradeRows& side : sides) {
            sheets.push_back({side.SheetName(), side});
        }
        return WriteXlsx(sheets, path).Written;
    });
    std::filesystem::remove(path);
}

BENCHMARK_CAPTURE(BM_Text, divided, RoadwayType::Divided)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(5);
BENCHMARK_CAPTURE(BM_Csv, divided, RoadwayType::Divided)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(5);
BENCHMARK_CAPTURE(BM_Xlsx, divided, RoadwayType::Divided)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);
BENCHMARK_CAPTURE(BM_Text, undivided, RoadwayType::Undivided)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(5);
BENCHMARK_CAPTURE(BM_Csv, undivided, RoadwayType::Undivided)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(5);
BENCHMARK_CAPTURE(BM_Xlsx, undivided, RoadwayType::Undivided)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);

}  // namespace
}  // namespace corvane::bench

BENCHMARK_MAIN();
