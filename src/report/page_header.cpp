#include "report/page_header.h"

#include <climits>
#include <cmath>
#include <ctime>
#include <string>

#include "report/page_geometry.h"

namespace corvane {

namespace {

constexpr double kReportFontPoints = 10;
// The font a surface falls back to when it refuses the chosen one.
const std::string kFallbackFontName = "Courier New";

bool IsWindow(const Surface& surface) {
    return surface.Kind() == SurfaceKind::Window;
}

double ReportFontSize(const Surface& surface, const LayoutSettings& layout) {
    return IsWindow(surface) ? kReportFontPoints * layout.ViewZoom : kReportFontPoints;
}

std::string TodayAsHeaderDate() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);  // the Windows runtime's thread-safe variant
#else
    localtime_r(&now, &local);
#endif
    char text[16];
    std::strftime(text, sizeof text, "%m %d %Y", &local);
    return text;
}

// An empty name asks the surface for its fixed-pitch default, which is not a
// refusal to recover from.
void SetReportFont(Surface& surface, const std::string& fontName) {
    if (!surface.SetFontName(fontName) && !fontName.empty()) {
        surface.SetFontName(kFallbackFontName);
    }
}

// Places a text at W - fromRight, H - fromBottom, rounded to whole cells.
void PutHeaderText(Surface& surface, const LayoutSettings& layout, int fromRight, int fromBottom,
                   std::string_view text) {
    const int column = RoundHalfEven(layout.PageColumns - fromRight);
    const int line = RoundHalfEven(layout.PageLines - fromBottom);
    PutText(surface, SurfaceX(surface, layout, column), SurfaceY(surface, layout, line), text);
}

}  // namespace

int RoundHalfEven(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    if (value >= static_cast<double>(INT_MAX)) {
        return INT_MAX;
    }
    if (value <= static_cast<double>(INT_MIN)) {
        return INT_MIN;
    }
    const double floor = std::floor(value);
    const double fraction = value - floor;
    double rounded = fraction < 0.5 ? floor : floor + 1;
    if (fraction == 0.5 && std::fmod(floor, 2.0) == 0) {
        rounded = floor;
    }
    return static_cast<int>(rounded);
}

int SurfaceX(const Surface& surface, const LayoutSettings& layout, int column) {
    return RoundHalfEven(IsWindow(surface) ? column * kCellWidthTwips * layout.ViewZoom : column);
}

int SurfaceY(const Surface& surface, const LayoutSettings& layout, int line) {
    return RoundHalfEven(IsWindow(surface) ? line * kCellHeightTwips * layout.ViewZoom : line);
}

void PutText(Surface& surface, int x, int y, std::string_view text) {
    surface.SetCurrentX(x);
    surface.SetCurrentY(y);
    surface.Print(text);
}

void WriteHeader(Surface& surface, State& state) {
    LayoutSettings& layout = state.layout;
    // The layout always follows the printer's page, even when drawing on a window.
    layout.PageColumns = layout.CurrentPrinterPage.Columns;
    layout.PageLines = layout.CurrentPrinterPage.Lines;

    const double fontSize = ReportFontSize(surface, layout);
    SetReportFont(surface, layout.ReportFontName);
    surface.SetFontTransparent(true);
    surface.SetFontSize(fontSize);
    surface.SetFontBold(true);

    // The window and the printer variants differ in the blanks around GEOPAK
    // and BOOK and in the column of the underlined title.
    const bool window = IsWindow(surface);
    const int line = kHeaderLineFromBottom;
    const std::string date = layout.HeaderDate.empty() ? TodayAsHeaderDate() : layout.HeaderDate;
    PutHeaderText(surface, layout, kLeftmostColumnFromRight, line,
                  "Project No: " + state.settings.ProjectNumber);
    PutHeaderText(surface, layout, kGeopakColumnFromRight, line,
                  window ? " GEOPAK  " : "  GEOPAK  ");
    surface.SetFontUnderline(true);
    PutHeaderText(surface, layout,
                  window ? kTitleColumnFromRightOnWindow : kTitleColumnFromRightOnPrinter, line,
                  " PAVE-GRADES ");
    surface.SetFontUnderline(false);
    PutHeaderText(surface, layout, kBookColumnFromRight, line, window ? "  BOOK " : "  BOOK  ");
    PutHeaderText(surface, layout, kDateColumnFromRight, kDateLineFromBottom, "Date: " + date);

    // Ready for the page body: same size, regular weight.
    surface.SetFontSize(fontSize);
    surface.SetFontBold(false);
}

void PrintRDSForm(Surface& surface, State& state) {
    WriteHeader(surface, state);
}

}  // namespace corvane
