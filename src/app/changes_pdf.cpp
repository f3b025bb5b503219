#include "app/changes_pdf.h"

#include "viewer/painter_surface.h"
#include "viewer/print_job.h"
#include "viewer/report_page.h"

namespace corvane {

namespace {

bool Fail(Messages& messages, const QString& why) {
    const QString sentence = why.endsWith('.') ? why : why + '.';
    messages.Show("Printing failed: " + sentence.toStdString());
    return false;
}

}  // namespace

bool WriteChangesPdf(const std::vector<PaginatedChanges>& books, PageSize page, HeaderStyle header,
                     const QString& path, QPageSize::PageSizeId paper, Messages& messages) {
    if (header.Date.empty())
        header.Date = TodayAsHeaderDate();  // read once: every page carries the same date
    const std::unique_ptr<PrintTarget> file = MakePdfFileTarget(path, QuarterInchLayout(paper));
    QPainter painter;
    QString why;
    if (!file->Open(painter, why))
        return Fail(messages, why);
    PainterSurface surface(painter, SurfaceKind::Printer);
    bool first = true;
    for (const PaginatedChanges& book : books) {
        for (int p = 0; p <= book.Pagination.LastPage(); ++p) {
            if (!first && !file->NewPage(why)) {
                file->Discard(painter);
                return Fail(messages, why);
            }
            first = false;
            DrawChangesPage(surface, book.Book, book.Pagination, p, page, header);
        }
    }
    if (file->Finish(painter, why, [] { return true; }) != PrintOutcome::Sent)
        return Fail(messages, why);
    return true;
}

}  // namespace corvane
