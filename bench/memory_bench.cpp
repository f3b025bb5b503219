// Memory across repeated pipeline runs in one process: the main window runs
// Preview again and again on the same state, so whatever a run leaves behind
// must be reused by the next, not added to it.
//
// One benchmark iteration runs the pipeline 100 times on the largest divided
// file (alternating all points and both offset points, each time the text book
// too) and reports resident memory and the heap in use after the first, the
// tenth and the hundredth run. Growth is measured from the tenth run on, once
// the allocator has settled.
#include <malloc.h>

#include "app/text_book.h"
#include "bench_support.h"

namespace corvane::bench {
namespace {

constexpr int kRuns = 100;
constexpr int kSettledRun = 10;

// Bytes the program holds on the heap right now, by the allocator's own count:
// small blocks in its arenas plus the large ones it maps directly (the tables).
double HeapInUseMb() {
    const struct mallinfo2 heap = mallinfo2();
    return static_cast<double>(heap.uordblks + heap.hblkhd) / (1024.0 * 1024.0);
}

double ResidentMb() {
    return ReadMemoryFigures().residentKb / 1024.0;
}

void RunOnce(State& state, int run) {
    const PreviewInputs inputs = run % 2 == 0 ? AllPointsInputs() : OffsetPointInputs();
    CountingMessages messages;
    PreviewHooks noWindow;
    if (RunPreview(state, inputs, messages, noWindow) != RunOutcome::Shown) {
        std::cerr << "the pipeline stopped: " << messages.last << '\n';
        std::exit(1);
    }
    std::string text;
    WriteTextBook(state, messages, text);
    benchmark::DoNotOptimize(text);
}

void BM_HundredPipelineRuns(benchmark::State& run) {
    for (auto _ : run) {
        State state;
        PrepareState(state, Roadway::Divided);
        double residentFirst = 0;
        double heapFirst = 0;
        double residentSettled = 0;
        double heapSettled = 0;
        for (int i = 1; i <= kRuns; ++i) {
            RunOnce(state, i);
            if (i == 1) {
                residentFirst = ResidentMb();
                heapFirst = HeapInUseMb();
            }
            if (i == kSettledRun) {
                residentSettled = ResidentMb();
                heapSettled = HeapInUseMb();
            }
        }
        const double residentLast = ResidentMb();
        const double heapLast = HeapInUseMb();
        run.counters["rss_run1_MB"] = residentFirst;
        run.counters["rss_run10_MB"] = residentSettled;
        run.counters["rss_run100_MB"] = residentLast;
        run.counters["rss_growth_1_to_100_MB"] = residentLast - residentFirst;
        run.counters["rss_growth_10_to_100_MB"] = residentLast - residentSettled;
        run.counters["heap_run1_MB"] = heapFirst;
        run.counters["heap_growth_1_to_100_MB"] = heapLast - heapFirst;
        run.counters["heap_growth_10_to_100_MB"] = heapLast - heapSettled;
        run.counters["peak_rss_MB"] = ReadMemoryFigures().peakResidentKb / 1024.0;
    }
}

BENCHMARK(BM_HundredPipelineRuns)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace
}  // namespace corvane::bench

BENCHMARK_MAIN();
