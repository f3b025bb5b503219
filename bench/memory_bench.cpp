// Memory across repeated Preview runs in one process: the main window runs
// Preview again and again, each run's books replacing the last run's in the
// open viewer, so nothing a run leaves behind may add up.
//
// One benchmark iteration presses Preview 100 times on the largest divided
// file (alternating all points alone and both offset points) and reports
// resident memory and the heap in use after the first, the tenth and the
// hundredth run. Growth is measured from the tenth run on, once the allocator
// has settled.
#include <malloc.h>

#include <QCheckBox>
#include <QLineEdit>

#include "app/main_window.h"
#include "bench_qt_main.h"
#include "bench_support.h"

namespace corvane::bench {
namespace {

constexpr int kRuns = 100;
constexpr int kSettledRun = 10;

// Bytes the program holds on the heap right now, by the allocator's own count.
double HeapInUseMb() {
    const struct mallinfo2 heap = mallinfo2();
    return static_cast<double>(heap.uordblks + heap.hblkhd) / (1024.0 * 1024.0);
}

double ResidentMb() {
    return ReadMemoryFigures().residentKb / 1024.0;
}

// Ticks or unticks both offset rows; their distances are typed once.
void AskOffsetPoints(MainWindow& window, bool asked) {
    for (int side = 0; side < 2; ++side) {
        window.findChild<QLineEdit*>(QString("Text2(%1)").arg(side))->setText("10");
        window.findChild<QCheckBox*>(QString("Check2(%1)").arg(side))->setChecked(asked);
    }
}

void BM_HundredPreviewRuns(benchmark::State& run) {
    for (auto _ : run) {
        CountingMessages messages;
        ScriptedDialogs dialogs;  // the font and printer dialog is cancelled
        PrintersAndFonts printersAndFonts;
        SystemTools systemTools;
        MainWindow window(WindowServices{messages, dialogs, printersAndFonts, systemTools});
        window.ChooseFile(QString::fromStdString(LargestFile(RoadwayType::Divided)));
        for (const char* number : {"Text1(0)", "Text1(1)"})
            window.findChild<QLineEdit*>(number)->setText("1");
        double residentFirst = 0, heapFirst = 0, residentSettled = 0, heapSettled = 0;
        for (int i = 1; i <= kRuns; ++i) {
            AskOffsetPoints(window, i % 2 == 0);
            window.Preview();
            if (!window.Windows().Viewer() || messages.count > 0) {
                run.SkipWithError(("the run stopped: " + messages.last).c_str());
                return;
            }
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
        run.counters["rss_growth_10_to_100_MB"] = residentLast - residentSettled;
        run.counters["heap_run1_MB"] = heapFirst;
        run.counters["heap_growth_10_to_100_MB"] = heapLast - heapSettled;
        run.counters["peak_rss_MB"] = ReadMemoryFigures().peakResidentKb / 1024.0;
    }
}

BENCHMARK(BM_HundredPreviewRuns)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace
}  // namespace corvane::bench

int main(int argc, char** argv) {
    return corvane::bench::RunBenchmarksWithQt(argc, argv);
}
