// The compare of two largest legal files, the second with 1 % of its
// elevations moved, beside one text export of the first: each from the files
// to the written output, as the commands run them. The compare should take at
// most 2.5 times the export.
#include <cctype>
#include <filesystem>
#include <fstream>
#include <optional>

#include "bench_support.h"
#include "compare/book_changes.h"
#include "compare/changes_book.h"
#include "report/text_book.h"
#include "sheets/whole_file.h"

namespace corvane::bench {
namespace {

std::string OutputPath(const char* name) {
    return (std::filesystem::temp_directory_path() / name).string();
}

// The file with one point row in a hundred given one more decimal on its
// elevation (the last field): the value moves, the book keeps its shape.
std::string RevisedCopy(RoadwayType type) {
    const std::string path =
        OutputPath(type == RoadwayType::Undivided ? "corvane-bench-revised-undivided.csv"
                                                  : "corvane-bench-revised-divided.csv");
    std::ifstream in(LargestFile(type));
    std::ofstream out(path);
    std::string line;
    int pointRows = 0;
    while (std::getline(in, line)) {
        const bool crlf = !line.empty() && line.back() == '\r';
        if (crlf)
            line.pop_back();
        const bool pointRow = line.find(",PT,") != std::string::npos && !line.empty() &&
                              std::isdigit(static_cast<unsigned char>(line.back()));
        if (pointRow && ++pointRows % 100 == 0)
            line += "7";
        out << line << (crlf ? "\r\n" : "\n");
    }
    return path;
}

bool WriteWhole(const std::string& path, std::string_view text) {
    WholeFile file(path);
    return file.Open() && file.Write(text) && file.Commit();
}

void BM_TextExport(benchmark::State& run, RoadwayType type) {
    const std::string path = OutputPath("corvane-bench-export.txt");
    for (auto _ : run) {
        const PreparedBooks books = PrepareLargest(type);
        WholeFile file(path);
        const bool written =
            file.Open() &&
            WriteTextBook(books, books.Header,
                          [&file](std::string_view page) { return file.Write(page); }) &&
            file.Commit();
        if (!written) {
            run.SkipWithError("the book could not be written");
            break;
        }
    }
    std::filesystem::remove(path);
}

void BM_Compare(benchmark::State& run, RoadwayType type) {
    const std::string path = OutputPath("corvane-bench-changes.txt");
    RunInputs revised = AllPointsInputs(type);
    revised.InputFile = RevisedCopy(type);
    int changes = 0;
    for (auto _ : run) {
        std::vector<Book> books[2];
        for (int file = 0; file < 2; ++file) {
            PreparedBooks prepared = PrepareLargest(file == 0 ? AllPointsInputs(type) : revised);
            for (PaginatedBook& book : prepared.Books)
                books[file].push_back(std::move(book.Book));
        }
        const std::optional<Comparison> comparison = CompareBooks(books[0], books[1], {});
        const PageSize page;
        const std::string text =
            ChangesBookText(MakeChangesBooks(*comparison, "old.csv", "new.csv", page), page,
                            {"0417-60", "06 01 2026", ""});
        if (!WriteWhole(path, text)) {
            run.SkipWithError("the changes could not be written");
            break;
        }
        changes = 0;
        for (const SideChanges& side : comparison->Sides)
            changes += side.ChangeCount();
    }
    run.counters["changes"] = changes;
    std::filesystem::remove(path);
    std::filesystem::remove(revised.InputFile);
}

BENCHMARK_CAPTURE(BM_TextExport, undivided, RoadwayType::Undivided)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(5);
BENCHMARK_CAPTURE(BM_Compare, undivided, RoadwayType::Undivided)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(5);
BENCHMARK_CAPTURE(BM_TextExport, divided, RoadwayType::Divided)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(5);
BENCHMARK_CAPTURE(BM_Compare, divided, RoadwayType::Divided)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(5);

}  // namespace
}  // namespace corvane::bench

BENCHMARK_MAIN();
