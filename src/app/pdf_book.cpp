#include "app/pdf_book.h"

#include "viewer/print_job.h"
#include "viewer/report_page.h"

namespace corvane {

bool WritePdfBook(const PreparedBooks& books, Messages& messages, const QString& path,
                  QPageSize::PageSizeId paper) {
    const std::unique_ptr<PrintTarget> file = MakePdfFileTarget(path, QuarterInchLayout(paper));
    return PrintPages(books, AllBookPages(books), *file, messages) == PrintOutcome::Sent;
}

}  // namespace corvane
