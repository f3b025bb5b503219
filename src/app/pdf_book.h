// The book as a PDF: the printer's pages drawn with the QPainter surface.
#pragma once

#include <QPageSize>
#include <QString>

#include "input/messages.h"
#include "report/state.h"

namespace corvane {

// Writes every page in print order on the paper with quarter-inch margins, the
// file whole or not at all. Returns false after a message saying why.
bool WritePdfBook(State& state, Messages& messages, const QString& path,
                  QPageSize::PageSizeId paper);

}  // namespace corvane
