// Drawing pages with Qt: one page into an image as the viewer shows it, the
// viewer's own redraw, and the whole book as a PDF (pages a second).
#include <QColor>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include "app/pdf_book.h"
#include "bench_qt_main.h"
#include "bench_support.h"
#include "report/page_header.h"
#include "report/page_renderer.h"
#include "viewer/painter_surface.h"

#ifdef CORVANE_BENCH_VIEWER
#include "viewer/dialogs.h"
#include "viewer/frm_print.h"
#endif

namespace corvane::bench {
namespace {

constexpr int kPageLength = 50;
// A window pixel is 15 twips at 96 dots an inch; a cell is 120 x 240 twips.
constexpr double kPixelsPerCellX = 120.0 / 15;
constexpr double kPixelsPerCellY = 240.0 / 15;

// The printer page at zoom 1, in window pixels, as the viewer sizes its image.
QImage ViewerImage(const LayoutSettings& layout) {
    QImage image(static_cast<int>(layout.PageColumns * kPixelsPerCellX),
                 static_cast<int>(layout.PageLines * kPixelsPerCellY),
                 QImage::Format_ARGB32_Premultiplied);
    return image;
}

// One page from the middle of the book: clear the image, header, body.
void BM_PageToImage(benchmark::State& run, Roadway roadway) {
    State state;
    PrepareState(state, roadway);
    state.cursor.CurrentPage = CurrentLastPage(state) / 2;
    CountingMessages messages;
    QImage image = ViewerImage(state.layout);
    for (auto _ : run) {
        image.fill(Qt::white);
        QPainter painter(&image);
        PainterSurface surface(painter, SurfaceKind::Window);
        PrintRDSForm(surface, state);
        const bool drawn = ToPrintAllForms(surface, state, kPageLength, messages);
        benchmark::DoNotOptimize(drawn);
    }
    run.counters["width_px"] = image.width();
    run.counters["height_px"] = image.height();
}

#ifdef CORVANE_BENCH_VIEWER
// The viewer's own redraw of its retained page image, paging forward as a
// person holding Page Down would.
void BM_ViewerRedrawPage(benchmark::State& run, Roadway roadway) {
    State state;
    PrepareState(state, roadway);
    CountingMessages messages;
    ScriptedDialogs dialogs;
    frmPrint viewer(state, messages, dialogs);
    viewer.Load();
    const int32_t lastPage = CurrentLastPage(state);
    for (auto _ : run) {
        state.cursor.CurrentPage = (state.cursor.CurrentPage + 1) % (lastPage + 1);
        viewer.RedrawViewerPage();
    }
}
#endif

// The whole book written as a PDF; items per second are pages per second.
void BM_PdfBook(benchmark::State& run, Roadway roadway) {
    State state;
    PrepareState(state, roadway);
    CountingMessages messages;
    QTemporaryDir folder;
    const QString path = folder.filePath("book.pdf");
    for (auto _ : run) {
        if (!WritePdfBook(state, messages, path, QPageSize::Letter)) {
            run.SkipWithError("the PDF could not be written");
            break;
        }
    }
    run.SetItemsProcessed(run.iterations() * BookPages(state));
    run.counters["pages"] = BookPages(state);
}

BENCHMARK_CAPTURE(BM_PageToImage, undivided, Roadway::Undivided)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PageToImage, divided, Roadway::Divided)->Unit(benchmark::kMillisecond);
#ifdef CORVANE_BENCH_VIEWER
BENCHMARK_CAPTURE(BM_ViewerRedrawPage, undivided, Roadway::Undivided)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ViewerRedrawPage, divided, Roadway::Divided)->Unit(benchmark::kMillisecond);
#endif
BENCHMARK_CAPTURE(BM_PdfBook, undivided, Roadway::Undivided)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);
BENCHMARK_CAPTURE(BM_PdfBook, divided, Roadway::Divided)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);

}  // namespace
}  // namespace corvane::bench

int main(int argc, char** argv) {
    return corvane::bench::RunBenchmarksWithQt(argc, argv);
}
