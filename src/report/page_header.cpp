#include "report/page_header.h"

#include <ctime>
#include <string>

namespace corvane {

namespace {

constexpr double kReportFontPoints = 10;
// The font a surface falls back to when it refuses the chosen one.
const std::string kFallbackFontName = "Courier New";

// An empty name asks the surface for its fixed-pitch default, which is not a
// refusal to recover from.
void SetReportFont(Surface& surface, const std::string& fontName) {
    if (!surface.SetFontName(fontName) && !fontName.empty()) {
        surface.SetFontName(kFallbackFontName);
    }
}

void PutHeaderText(Surface& surface, PageSize page, int fromRight, int fromBottom,
                   std::string_view text) {
    PutText(surface, ColumnFromRight(page, fromRight), LineFromBottom(page, fromBottom), text);
}

}  // namespace

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

void DrawPageHeader(Surface& surface, PageSize page, const HeaderStyle& style) {
    const bool window = surface.Kind() == SurfaceKind::Window;
    const double fontSize = window ? kReportFontPoints * surface.Zoom() : kReportFontPoints;
    SetReportFont(surface, style.FontName);
    surface.SetFontTransparent(true);
    surface.SetFontSize(fontSize);
    surface.SetFontBold(true);

    const int line = kHeaderLineFromBottom;
    // An export draws thousands of headers: their joined texts are built in a
    // buffer each thread keeps rather than in new strings every page.
    thread_local std::string text;
    PutHeaderText(surface, page, kLeftmostColumnFromRight, line,
                  text.assign("Project No: ").append(style.ProjectNumber));
    PutHeaderText(surface, page, kGeopakColumnFromRight, line, window ? " GEOPAK  " : "  GEOPAK  ");
    surface.SetFontUnderline(true);
    PutHeaderText(surface, page,
                  window ? kTitleColumnFromRightOnWindow : kTitleColumnFromRightOnPrinter, line,
                  " PAVE-GRADES ");
    surface.SetFontUnderline(false);
    PutHeaderText(surface, page, kBookColumnFromRight, line, window ? "  BOOK " : "  BOOK  ");
    text.assign("Date: ").append(style.Date.empty() ? TodayAsHeaderDate() : style.Date);
    PutHeaderText(surface, page, kDateColumnFromRight, kDateLineFromBottom, text);

    surface.SetFontSize(fontSize);
    surface.SetFontBold(false);
}

}  // namespace corvane
