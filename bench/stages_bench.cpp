// Each stage of the Preview run on its own, on the largest undivided and
// divided files: reading, slopes, offset points, point selection, the books,
// pagination and one page on the character grid.
//
// A stage takes the value the stage before returned; each iteration hands it
// a fresh copy (made while the clock is stopped), exactly as a run would.
#include <fstream>

#include "bench_support.h"
#include "grades/offset_points.h"
#include "grades/point_selection.h"
#include "grades/slopes.h"
#include "input/read_roadway.h"
#include "report/draw_page.h"
#include "report/grid_surface.h"
#include "report/pagination.h"
#include "report/report_book.h"

namespace corvane::bench {
namespace {

Roadway ReadLargest(RoadwayType type) {
    CountingMessages messages;
    ReadResult read = ReadRoadway(LargestFile(type), messages);
    if (read.Outcome != ReadOutcome::Read) {
        std::cerr << "cannot read " << LargestFile(type) << ": " << messages.last << '\n';
        std::exit(1);
    }
    return std::move(read.Roadway);
}

// Runs `stage` on a fresh copy of `input` every iteration; only the stage is timed.
template <typename Input, typename Stage>
void TimeStage(benchmark::State& run, const Input& input, Stage stage) {
    for (auto _ : run) {
        run.PauseTiming();
        Input copy = input;
        run.ResumeTiming();
        auto output = stage(std::move(copy));
        benchmark::DoNotOptimize(output);
        run.PauseTiming();
        {
            auto discarded = std::move(output);  // freed off the clock
        }
        run.ResumeTiming();
    }
}

void BM_ReadRoadway(benchmark::State& run, RoadwayType type) {
    CountingMessages messages;
    for (auto _ : run) {
        ReadResult read = ReadRoadway(LargestFile(type), messages);
        benchmark::DoNotOptimize(read);
    }
    run.SetBytesProcessed(run.iterations() *
                          std::ifstream(LargestFile(type), std::ios::ate).tellg());
}

void BM_CalculateSlopes(benchmark::State& run, RoadwayType type) {
    TimeStage(run, ReadLargest(type),
              [](Roadway roadway) { return CalculateSlopes(std::move(roadway)); });
}

void BM_AddOffsetPoints(benchmark::State& run, RoadwayType type) {
    const SlopedRoadway sloped = CalculateSlopes(ReadLargest(type));
    const OffsetRequests requests{{true, 10, OffsetFrom::LastPoint},
                                  {true, 12.5, OffsetFrom::CenterLine}};
    TimeStage(run, sloped.Roadway, [&](Roadway roadway) {
        return AddOffsetPoints(std::move(roadway), requests, sloped.NumberFormat);
    });
}

void BM_KeepAllPoints(benchmark::State& run, RoadwayType type) {
    TimeStage(run, CalculateSlopes(ReadLargest(type)).Roadway,
              [](Roadway roadway) { return KeepAllPoints(std::move(roadway)); });
}

void BM_SelectPoints(benchmark::State& run, RoadwayType type) {
    // Break points and offset points left out: most points are then dropped or moved.
    PointTypes types;
    types.BreakPoints = false;
    types.OffsetPoints = false;
    CountingMessages messages;
    TimeStage(run, CalculateSlopes(ReadLargest(type)).Roadway,
              [&](Roadway roadway) { return SelectPoints(std::move(roadway), types, messages); });
}

void BM_BuildBooks(benchmark::State& run, RoadwayType type) {
    const SlopedRoadway sloped = CalculateSlopes(ReadLargest(type));
    BookOptions options;
    options.NumberFormat = sloped.NumberFormat;
    TimeStage(run, KeepAllPoints(sloped.Roadway).Roadway,
              [&](Roadway roadway) { return BuildBooks(std::move(roadway), options); });
}

void BM_Paginate(benchmark::State& run, RoadwayType type) {
    const PreparedBooks books = PrepareLargest(type);
    for (auto _ : run) {
        for (const PaginatedBook& book : books.Books) {
            Pagination pagination = Paginate(book.Book, books.PageSize);
            benchmark::DoNotOptimize(pagination);
        }
    }
    run.counters["pages"] = BookPages(books);
}

// One page from the middle of the first book, header and body, on the character grid.
void BM_PageToGrid(benchmark::State& run, RoadwayType type) {
    const PreparedBooks books = PrepareLargest(type);
    const PaginatedBook& book = books.Books.front();
    GridSurface grid(RoundHalfEven(books.PageSize.Lines));
    for (auto _ : run) {
        grid.Clear();
        const bool drawn = DrawPage(grid, book.Book, book.Pagination, book.Pagination.LastPage / 2,
                                    books.PageSize, books.Header);
        std::string page = grid.PageText();
        benchmark::DoNotOptimize(drawn);
        benchmark::DoNotOptimize(page);
    }
}

// The stages that take their input by value copy it, off the clock, every
// iteration: a fixed count keeps those copies from taking minutes.
#define CORVANE_STAGE(stage, unit, iterations)                  \
    BENCHMARK_CAPTURE(stage, undivided, RoadwayType::Undivided) \
        ->Unit(benchmark::unit)                                 \
        ->Iterations(iterations);                               \
    BENCHMARK_CAPTURE(stage, divided, RoadwayType::Divided)     \
        ->Unit(benchmark::unit)                                 \
        ->Iterations(iterations)

CORVANE_STAGE(BM_ReadRoadway, kMillisecond, 20);
CORVANE_STAGE(BM_CalculateSlopes, kMillisecond, 20);
CORVANE_STAGE(BM_AddOffsetPoints, kMillisecond, 20);
CORVANE_STAGE(BM_KeepAllPoints, kMillisecond, 20);
CORVANE_STAGE(BM_SelectPoints, kMillisecond, 20);
CORVANE_STAGE(BM_BuildBooks, kMillisecond, 20);
CORVANE_STAGE(BM_Paginate, kMillisecond, 20);
CORVANE_STAGE(BM_PageToGrid, kMicrosecond, 20000);

}  // namespace
}  // namespace corvane::bench

BENCHMARK_MAIN();
