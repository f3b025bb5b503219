#include "viewer/page_zoom.h"

#include <algorithm>
#include <array>

#include "report/surface.h"

namespace corvane {

namespace {

// The zooms Zoom In and Zoom Out stop at; a zoom fitted to the window lies
// anywhere between them.
constexpr std::array kZoomSteps{kSmallestZoom, 0.33, 0.5, 0.67, 0.75, 0.8, 0.9, 1.0,
                                1.1,           1.25, 1.5, 1.75, 2.0,  2.5, 3.0, kLargestZoom};

// A fitted zoom within this of a step counts as that step, so a step is never
// one that looks the same.
constexpr double kSameZoom = 0.005;

}  // namespace

double PageRoomWidthTwips(PageSize page) {
    return page.Columns * kCellWidthTwips + kPageSlackTwips;
}

double PageRoomHeightTwips(PageSize page) {
    return page.Lines * kCellHeightTwips + kPageSlackTwips;
}

double ZoomToFit(double widthTwips, double heightTwips, PageSize page) {
    const auto width = static_cast<float>(widthTwips);
    const auto height = static_cast<float>(heightTwips);
    const auto pageWidth = static_cast<float>(page.Columns * kCellWidthTwips);
    const auto pageHeight = static_cast<float>(page.Lines * kCellHeightTwips);
    if (height / pageHeight > width / pageWidth) {
        return widthTwips / PageRoomWidthTwips(page);
    }
    return heightTwips / PageRoomHeightTwips(page);
}

double ZoomedIn(double zoom) {
    const auto* next = std::find_if(kZoomSteps.begin(), kZoomSteps.end(),
                                    [zoom](double step) { return step > zoom + kSameZoom; });
    return next == kZoomSteps.end() ? kLargestZoom : *next;
}

double ZoomedOut(double zoom) {
    const auto next = std::find_if(kZoomSteps.rbegin(), kZoomSteps.rend(),
                                   [zoom](double step) { return step < zoom - kSameZoom; });
    return next == kZoomSteps.rend() ? kSmallestZoom : *next;
}

}  // namespace corvane
