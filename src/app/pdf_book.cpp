#include "app/pdf_book.h"

#include "report/book_pages.h"
#include "viewer/print_job.h"
#include "viewer/report_page.h"

namespace corvane {

bool WritePdfBook(State& state, Messages& messages, const QString& path,
                  QPageSize::PageSizeId paper) {
    const std::unique_ptr<PrintTarget> file = MakePdfFileTarget(path, QuarterInchLayout(paper));
    return PrintPages(state, AllBookPages(state), *file, messages) == PrintOutcome::Sent;
}

}  // namespace corvane
