// Drawing pages with Qt: one page into an image as the viewer shows it, the
// viewer's own redraw, and the whole book as a PDF (pages a second).
#include <QColor>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include "app/pdf_book.h"
#include "bench_qt_main.h"
#include "bench_support.h"
#include "report/draw_page.h"
#include "support/scripted_dialogs.h"
#include "viewer/painter_surface.h"
#include "viewer/report_viewer.h"

namespace corvane::bench {
namespace {

// A window pixel is 15 twips at 96 dots an inch; a cell is 120 x 240 twips.
constexpr double kPixelsPerCellX = 120.0 / 15;
constexpr double kPixelsPerCellY = 240.0 / 15;

// One page from the middle of the first book: clear the image, header and body.
void BM_PageToImage(benchmark::State& run, RoadwayType type) {
    const PreparedBooks books = PrepareLargest(type);
    const PaginatedBook& book = books.Books.front();
    QImage image(static_cast<int>(books.PageSize.Columns * kPixelsPerCellX),
                 static_cast<int>(books.PageSize.Lines * kPixelsPerCellY),
                 QImage::Format_ARGB32_Premultiplied);
    for (auto _ : run) {
        image.fill(Qt::white);
        QPainter painter(&image);
        PainterSurface surface(painter, SurfaceKind::Window);
        const bool drawn = DrawPage(surface, book.Book, book.Pagination,
                                    book.Pagination.LastPage / 2, books.PageSize, books.Header);
        benchmark::DoNotOptimize(drawn);
    }
    run.counters["width_px"] = image.width();
    run.counters["height_px"] = image.height();
}

// The viewer's redraw of its page, paging forward through both books as a
// person holding Page Down would.
void BM_ViewerRedrawPage(benchmark::State& run, RoadwayType type) {
    ViewerState state;
    state.Load(PrepareLargest(type));
    CountingMessages messages;
    ScriptedDialogs dialogs;
    ReportViewer viewer(state, messages, dialogs);
    viewer.Load();
    for (auto _ : run) {
        if (!state.NextPage())
            state.GoTo(state.Books().Books.front().Book.Side, 0);
        viewer.RedrawViewerPage();
    }
}

// The whole book written as a PDF; items per second are pages per second.
void BM_PdfBook(benchmark::State& run, RoadwayType type) {
    const PreparedBooks books = PrepareLargest(type);
    CountingMessages messages;
    QTemporaryDir folder;
    const QString path = folder.filePath("book.pdf");
    for (auto _ : run) {
        if (!WritePdfBook(books, messages, path, QPageSize::Letter)) {
            run.SkipWithError("the PDF could not be written");
            break;
        }
    }
    run.SetItemsProcessed(run.iterations() * BookPages(books));
    run.counters["pages"] = BookPages(books);
}

BENCHMARK_CAPTURE(BM_PageToImage, undivided, RoadwayType::Undivided)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PageToImage, divided, RoadwayType::Divided)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ViewerRedrawPage, undivided, RoadwayType::Undivided)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ViewerRedrawPage, divided, RoadwayType::Divided)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PdfBook, undivided, RoadwayType::Undivided)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);
BENCHMARK_CAPTURE(BM_PdfBook, divided, RoadwayType::Divided)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);

}  // namespace
}  // namespace corvane::bench

int main(int argc, char** argv) {
    return corvane::bench::RunBenchmarksWithQt(argc, argv);
}
