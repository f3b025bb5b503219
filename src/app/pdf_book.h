// The book as a PDF: the printer's pages drawn with the QPainter surface.
#pragma once

#include <QPageSize>
#include <QString>

#include "input/messages.h"
#include "report/state.h"

namespace corvane {

// Writes every page in print order on the paper with quarter-inch margins.
// Returns false with error set when the file cannot be written or a page
// cannot be drawn (the renderer has then shown its message).
bool WritePdfBook(State& state, Messages& messages, const QString& path,
                  QPageSize::PageSizeId paper, QString& error);

}  // namespace corvane
