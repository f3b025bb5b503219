// How large the viewer draws a page: the zoom that shows it whole in the
// window, the steps of Zoom In and Zoom Out, and the room a page takes.
#pragma once

#include "report/page_geometry.h"

namespace corvane {

// The room a page takes beyond its columns and lines: the slope at the end of a
// line runs a column past the page's right edge, and a little white closes the
// page at its foot. The fitting zoom keeps it in the limiting direction.
inline constexpr double kPageSlackTwips = 300;

inline constexpr double kSmallestZoom = 0.25;
inline constexpr double kLargestZoom = 4;

// The room a page takes at zoom 1, in twips: its columns and lines and the slack.
double PageRoomWidthTwips(PageSize page);
double PageRoomHeightTwips(PageSize page);

// The zoom at which an area of this size in twips shows the page whole, fitted
// by its limiting side. Whether the area is the taller one relative to the page
// is decided in single precision.
double ZoomToFit(double widthTwips, double heightTwips, PageSize page);

// The next step of Zoom In or Zoom Out from a zoom, within 25 % to 400 %.
double ZoomedIn(double zoom);
double ZoomedOut(double zoom);

}  // namespace corvane
