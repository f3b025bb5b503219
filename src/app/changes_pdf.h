// The changes books as a PDF: their pages drawn as the printer draws a grade book.
#pragma once

#include <QPageSize>
#include <QString>

#include <vector>

#include "common/messages.h"
#include "compare/changes_book.h"
#include "report/draw_page.h"

namespace corvane {

// Writes every page of the books in order (the left side before the right) on
// the paper with quarter-inch margins, the file whole or not at all. Returns
// false after "Printing failed: " and the reason.
bool WriteChangesPdf(const std::vector<PaginatedChanges>& books, PageSize page, HeaderStyle header,
                     const QString& path, QPageSize::PageSizeId paper, Messages& messages);

}  // namespace corvane
