// The layout of a page body, shared by Paginate and DrawPage so that both
// break pages at exactly the same places. The positions are in page_geometry.h.
#pragma once

#include <functional>

#include "report/page_geometry.h"
#include "report/pagination.h"
#include "report/report_book.h"
#include "report/surface.h"

namespace corvane {

// Lays out the body of the page that begins at `start` and returns where the
// next page begins. Draws on `surface` when it is given; calls onStationHeader
// (when given) for every station header laid out, in order.
PageStart LayOutPageBody(const Book& book, PageSize page, PageStart start, Surface* surface,
                         const std::function<void(const ReportStation&)>& onStationHeader = {});

}  // namespace corvane
