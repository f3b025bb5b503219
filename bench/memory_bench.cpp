// Memory across repeated Preview runs in one process: the main window runs
// Preview again and again, each run's books replacing the last run's in the
// open viewer, so nothing a run leaves behind may add up.
//
// Two cases, one iteration each, reporting resident memory and the heap in use
// after the first run, once the allocator has settled (run 10), and at the end,
// with the spread of resident memory from the settled run on, after runs of
// the same file with the same options (a small file's run ends lower):
//   BM_HundredPreviewRuns  100 runs on the largest divided file, alternating
//                          all points alone and both offset points;
//   BM_SoakPreviewRuns     200 runs alternating the largest divided file and
//                          the two bundled samples, offsets every other run.
#include <malloc.h>

#include <QCheckBox>
#include <QLineEdit>

#include <algorithm>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "bench_qt_main.h"
#include "bench_support.h"
#include "support/scripted_dialogs.h"

namespace corvane::bench {
namespace {

constexpr int kSettledRun = 10;

// Bytes the program holds on the heap right now, by the allocator's own count.
double HeapInUseMb() {
    const struct mallinfo2 heap = mallinfo2();
    return static_cast<double>(heap.uordblks + heap.hblkhd) / (1024.0 * 1024.0);
}

double ResidentMb() {
    return ReadMemoryFigures().residentKb / 1024.0;
}

std::string SampleFile(const char* name) {
    return std::string(CORVANE_SAMPLES_DIR) + "/" + name;
}

// Ticks or unticks both offset rows; their distances are typed once.
void AskOffsetPoints(MainWindow& window, bool asked) {
    for (int side = 0; side < 2; ++side) {
        window.findChild<QLineEdit*>(QString("Text2(%1)").arg(side))->setText("10");
        window.findChild<QCheckBox*>(QString("Check2(%1)").arg(side))->setChecked(asked);
    }
}

// Presses Preview `runs` times, taking the files in turn.
void PreviewRuns(benchmark::State& run, int runs, const std::vector<std::string>& files) {
    for (auto _ : run) {
        CountingMessages messages;
        ScriptedDialogs dialogs;  // the font and printer dialog is cancelled
        PrintersAndFonts printersAndFonts;
        SystemTools systemTools;
        MainWindow window(WindowServices{messages, dialogs, printersAndFonts, systemTools});
        for (const char* number : {"Text1(0)", "Text1(1)"})
            window.findChild<QLineEdit*>(number)->setText("1");
        double residentFirst = 0, heapFirst = 0, residentSettled = 0, heapSettled = 0;
        // Runs alike (the same file, the same offset points) repeat every `turn`
        // runs; the spread is the widest among the runs alike.
        const size_t turn = files.size() % 2 == 0 ? files.size() : 2 * files.size();
        std::vector<double> lowest(turn, 1e9), highest(turn, 0);
        for (int i = 1; i <= runs; ++i) {
            window.ChooseFile(QString::fromStdString(files[(i - 1) % files.size()]));
            AskOffsetPoints(window, i % 2 == 0);
            window.Preview();
            if (!window.Windows().Viewer() || messages.count > 0) {
                run.SkipWithError(("the run stopped: " + messages.last).c_str());
                return;
            }
            const double resident = ResidentMb();
            if (i == 1) {
                residentFirst = resident;
                heapFirst = HeapInUseMb();
            }
            if (i == kSettledRun) {
                residentSettled = resident;
                heapSettled = HeapInUseMb();
            }
            if (i >= kSettledRun) {
                const size_t alike = (i - 1) % turn;
                lowest[alike] = std::min(lowest[alike], resident);
                highest[alike] = std::max(highest[alike], resident);
            }
        }
        double spread = 0;
        for (size_t alike = 0; alike < turn; ++alike)
            spread = std::max(spread, highest[alike] - lowest[alike]);
        const double residentLast = ResidentMb();
        run.counters["rss_run1_MB"] = residentFirst;
        run.counters["rss_settled_MB"] = residentSettled;
        run.counters["rss_last_MB"] = residentLast;
        run.counters["rss_growth_settled_to_last_MB"] = residentLast - residentSettled;
        run.counters["rss_spread_after_settled_MB"] = spread;
        run.counters["heap_run1_MB"] = heapFirst;
        run.counters["heap_growth_settled_to_last_MB"] = HeapInUseMb() - heapSettled;
        run.counters["peak_rss_MB"] = ReadMemoryFigures().peakResidentKb / 1024.0;
    }
}

void BM_HundredPreviewRuns(benchmark::State& run) {
    PreviewRuns(run, 100, {LargestFile(RoadwayType::Divided)});
}

void BM_SoakPreviewRuns(benchmark::State& run) {
    PreviewRuns(run, 200,
                {LargestFile(RoadwayType::Divided), SampleFile("undivided-sample.csv"),
                 LargestFile(RoadwayType::Divided), SampleFile("divided-sample.csv")});
}

BENCHMARK(BM_HundredPreviewRuns)->Unit(benchmark::kSecond)->Iterations(1);
BENCHMARK(BM_SoakPreviewRuns)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace
}  // namespace corvane::bench

int main(int argc, char** argv) {
    return corvane::bench::RunBenchmarksWithQt(argc, argv);
}
