// The book as a PDF: the printer's pages drawn with the QPainter surface.
#pragma once

#include <QPageSize>
#include <QString>

#include "common/messages.h"
#include "viewer/viewer_state.h"

namespace corvane {

// Writes every page in print order on the paper with quarter-inch margins, the
// file whole or not at all. Returns false after a message saying why.
bool WritePdfBook(const PreparedBooks& books, Messages& messages, const QString& path,
                  QPageSize::PageSizeId paper);

}  // namespace corvane
