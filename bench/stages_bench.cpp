// Each stage of the pipeline on its own, on the largest undivided and divided
// files: reading, slopes, offset points, point selection, the report table,
// the page count and one page on the character grid.
//
// Every stage runs on a state that the whole pipeline has prepared, so it sees
// exactly the tables a Preview run hands it. The stages are repeatable on the
// same tables: the reader clears what it fills, the slopes only re-sort points
// that are already in order, and the later stages re-create what they write.
#include "bench_support.h"
#include "grades/offset_points.h"
#include "grades/point_selection.h"
#include "grades/slopes.h"
#include "input/paving_grades_reader.h"
#include "report/grid_surface.h"
#include "report/page_count.h"
#include "report/page_header.h"
#include "report/page_renderer.h"
#include "report/report_table.h"

namespace corvane::bench {
namespace {

constexpr int kPageLength = 50;

void BM_Read(benchmark::State& run, Roadway roadway) {
    State state;
    PrepareState(state, roadway);
    CountingMessages messages;
    for (auto _ : run) {
        const ReadOutcome outcome = GpkBlueTops(state.tables, state.settings, messages);
        benchmark::DoNotOptimize(outcome);
    }
    run.SetBytesProcessed(run.iterations() *
                          std::ifstream(LargestFile(roadway), std::ios::ate).tellg());
}

void BM_CalculateSlopes(benchmark::State& run, Roadway roadway) {
    State state;
    PrepareState(state, roadway);
    for (auto _ : run) {
        // Each Preview run starts the pattern afresh; without it the pattern would grow.
        state.settings.NumberFormat = kInitialNumberFormat;
        CalculateSlopes(state.tables, state.settings);
    }
}

void BM_CalculateOffsetPoints(benchmark::State& run, Roadway roadway) {
    State state;
    PrepareState(state, roadway, OffsetPointInputs());
    for (auto _ : run)
        CalculateOffsetPoints(state.tables, state.settings);
}

void BM_FilterPoints(benchmark::State& run, Roadway roadway) {
    State state;
    PrepareState(state, roadway);
    // Break points and offset points left out: most points are then dropped or moved.
    state.flags.ShowBreakPoints = 0;
    state.flags.ShowOffsetPoints = 0;
    CountingMessages messages;
    for (auto _ : run) {
        const bool kept = FilterPoints(state.tables, state.settings, state.flags, messages);
        benchmark::DoNotOptimize(kept);
    }
}

void BM_KeepAllPoints(benchmark::State& run, Roadway roadway) {
    State state;
    PrepareState(state, roadway);
    for (auto _ : run)
        KeepAllPoints(state.tables, state.settings, state.flags);
}

void BM_WritetoFinalReport(benchmark::State& run, Roadway roadway) {
    State state;
    PrepareState(state, roadway);
    for (auto _ : run)
        WritetoFinalReport(state.tables, state.settings, state.flags, state.report);
}

void BM_PageCount(benchmark::State& run, Roadway roadway) {
    State state;
    PrepareState(state, roadway);
    CountingMessages messages;
    for (auto _ : run) {
        // As the Preview run does: the finder's lists start empty for every count.
        state.stations.Combo1.clear();
        state.stations.Combo2.clear();
        if (roadway == Roadway::Divided)
            state.settings.CurrentSide = kLeftSide;
        const bool counted = PageCountLeft(state, messages) && PageCountRight(state, messages);
        benchmark::DoNotOptimize(counted);
    }
    run.counters["pages"] = BookPages(state);
}

// One page from the middle of the book, header and body, on the character grid.
void BM_PageToGrid(benchmark::State& run, Roadway roadway) {
    State state;
    PrepareState(state, roadway);
    state.cursor.CurrentPage = CurrentLastPage(state) / 2;
    CountingMessages messages;
    GridSurface grid(RoundHalfEven(state.layout.PageLines));
    for (auto _ : run) {
        grid.Clear();
        PrintRDSForm(grid, state);
        const bool drawn = ToPrintAllForms(grid, state, kPageLength, messages);
        std::string page = grid.PageText();
        benchmark::DoNotOptimize(drawn);
        benchmark::DoNotOptimize(page);
    }
}

BENCHMARK_CAPTURE(BM_Read, undivided, Roadway::Undivided)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Read, divided, Roadway::Divided)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CalculateSlopes, undivided, Roadway::Undivided)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CalculateSlopes, divided, Roadway::Divided)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CalculateOffsetPoints, undivided, Roadway::Undivided)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CalculateOffsetPoints, divided, Roadway::Divided)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FilterPoints, undivided, Roadway::Undivided)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FilterPoints, divided, Roadway::Divided)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_KeepAllPoints, undivided, Roadway::Undivided)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_KeepAllPoints, divided, Roadway::Divided)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_WritetoFinalReport, undivided, Roadway::Undivided)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_WritetoFinalReport, divided, Roadway::Divided)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PageCount, undivided, Roadway::Undivided)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PageCount, divided, Roadway::Divided)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PageToGrid, undivided, Roadway::Undivided)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_PageToGrid, divided, Roadway::Divided)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace corvane::bench

BENCHMARK_MAIN();
