#include "app/pdf_book.h"

#include <QFileInfo>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>

#include "app/book_pages.h"
#include "report/page_header.h"
#include "report/page_renderer.h"
#include "viewer/painter_surface.h"

namespace corvane {

namespace {
constexpr int kPageLength = 50;
// Twelve hundred dots an inch: ten to a cell's width, so cell positions stay exact.
constexpr int kPdfResolution = 1200;
}  // namespace

bool WritePdfBook(State& state, Messages& messages, const QString& path,
                  QPageSize::PageSizeId paper, QString& error) {
    QPdfWriter writer(path);
    writer.setResolution(kPdfResolution);
    writer.setPageLayout(QPageLayout(QPageSize(paper), QPageLayout::Portrait,
                                     QMarginsF(0.25, 0.25, 0.25, 0.25), QPageLayout::Inch));
    writer.setTitle("Grade book");
    writer.setCreator("Corvane");

    QPainter painter;
    if (!painter.begin(&writer)) {
        error = QString("Cannot write %1").arg(QFileInfo(path).absoluteFilePath());
        return false;
    }
    PainterSurface surface(painter, SurfaceKind::Printer);
    bool first = true;
    bool drawn = true;
    ForEachBookPage(state, [&] {
        if (!first)
            writer.newPage();
        first = false;
        PrintRDSForm(surface, state);
        drawn = ToPrintAllForms(surface, state, kPageLength, messages);
        return drawn;
    });
    if (!painter.end() || !drawn) {
        error = drawn ? QString("Cannot write %1").arg(QFileInfo(path).absoluteFilePath())
                      : QString("A page could not be drawn; the PDF is incomplete");
        return false;
    }
    return true;
}

}  // namespace corvane
