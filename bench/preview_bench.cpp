// A Preview of the largest divided file in the main window, as a person sees
// it: Preview pressed, the file read and its books made, the font and printer
// dialog answered with Done (scripted, at once), the viewer opened and its
// first page drawn on the screen. No printer is installed, so the book is laid
// out on the 96 x 63 cells of a Letter page.
//
// Two times an iteration, each a median over the runs:
//   real_time            from the press of Preview to the first page drawn
//   after_answer_ms      from the dialog's answer to the first page drawn
// Every iteration opens a new main window, so each Preview opens its viewer.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <chrono>

#include "app/main_window.h"
#include "bench_qt_main.h"
#include "bench_support.h"
#include "support/scripted_dialogs.h"
#include "viewer/report_viewer.h"

namespace corvane::bench {
namespace {

using Clock = std::chrono::steady_clock;

// A machine with no printer: the page is the Letter page of no printer.
class NoPrinters : public PrintersAndFonts {
  public:
    QStringList PrinterNames() const override { return {}; }
    QString DefaultPrinterName() const override { return {}; }
    std::optional<PageSize> PrintablePage(const QString&) const override { return std::nullopt; }
};

double MillisecondsBetween(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

void BM_PreviewLargestDivided(benchmark::State& run) {
    double afterAnswerMs = 0;
    for (auto _ : run) {
        run.PauseTiming();
        CountingMessages messages;
        ScriptedDialogs dialogs;
        NoPrinters noPrinters;
        SystemTools systemTools;
        MainWindow window(WindowServices{messages, dialogs, noPrinters, systemTools});
        for (const char* number : {"Text1(0)", "Text1(1)"})
            window.findChild<QLineEdit*>(number)->setText("1");
        window.ChooseFile(QString::fromStdString(LargestFile(RoadwayType::Divided)));
        Clock::time_point answered;
        dialogs.setNextAnswer([&answered](QDialog& dialog) {
            dialog.findChild<QPushButton*>("cmdDone")->click();
            answered = Clock::now();
            return dialog.result();
        });
        run.ResumeTiming();

        window.Preview();
        ReportViewer* viewer = window.Windows().Viewer();
        if (!viewer || messages.count > 0) {
            run.SkipWithError(("the run stopped: " + messages.last).c_str());
            return;
        }
        // The viewer has drawn its page into the label; the screen shows it
        // once the window is exposed and painted.
        viewer->findChild<QLabel*>("pageView")->repaint();
        QApplication::processEvents();
        afterAnswerMs += MillisecondsBetween(answered, Clock::now());

        run.PauseTiming();
        viewer->close();
        QApplication::processEvents();
        run.ResumeTiming();
    }
    run.counters["after_answer_ms"] = afterAnswerMs / static_cast<double>(run.iterations());
}

// Eleven runs, and the median of them reported beside the mean.
BENCHMARK(BM_PreviewLargestDivided)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(11)
    ->UseRealTime();

}  // namespace
}  // namespace corvane::bench

int main(int argc, char** argv) {
    return corvane::bench::RunBenchmarksWithQt(argc, argv);
}
