// The page the book is laid out and printed on: the paper with its margins,
// and its printable area in character cells.
#pragma once

#include <QPageLayout>
#include <QPageSize>

#include <string>

#include "report/page_geometry.h"

namespace corvane {

// The paper with quarter-inch margins: the page when no printer says otherwise.
QPageLayout QuarterInchLayout(QPageSize::PageSizeId paper);

// The page of the named printer: the paper it holds by default, portrait, less
// its unprintable margins. A Letter page with quarter-inch margins when no such
// printer is installed or it names no paper (a queue without a driver).
QPageLayout ReportPageLayout(const std::string& printerName);

// The printable area of the layout in cells of 120 x 240 twips.
PageSize PrintableCells(const QPageLayout& layout);

}  // namespace corvane
