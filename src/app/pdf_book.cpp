#include "app/pdf_book.h"

#include <QMarginsF>
#include <QPageLayout>

#include "report/book_pages.h"
#include "viewer/print_job.h"

namespace corvane {

bool WritePdfBook(State& state, Messages& messages, const QString& path,
                  QPageSize::PageSizeId paper) {
    const QPageLayout layout(QPageSize(paper), QPageLayout::Portrait,
                             QMarginsF(0.25, 0.25, 0.25, 0.25), QPageLayout::Inch);
    const std::unique_ptr<PrintTarget> file = MakePdfFileTarget(path, layout);
    return PrintPages(state, AllBookPages(state), *file, messages) == PrintOutcome::Sent;
}

}  // namespace corvane
