#include "report/page_layout.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <iterator>
#include <optional>

#include "grades/number_text.h"
#include "report/page_header.h"
#include "report/text_cells.h"

namespace corvane {

namespace {

const std::string kSlopePattern = "##.00";
const std::string kElevationOffsetJoint = " @ ";

int BlockRow(const LayoutSettings& layout, int block) {
    return RoundHalfEven(layout.PageLines - kFirstBlockLineFromBottom + kBlockLines * block);
}

void PutCellText(Surface& surface, const LayoutSettings& layout, int column, int line,
                 std::string_view text) {
    // An empty text changes nothing on any surface.
    if (!text.empty()) {
        PutText(surface, SurfaceX(surface, layout, column), SurfaceY(surface, layout, line), text);
    }
}

// A point cell on three lines: label; elevation " @ " offset; slope with "%",
// starting three characters before the end of the line above.
void DrawCell(Surface& surface, const LayoutSettings& layout, const ReportCell& cell, int x,
              int row) {
    const std::string_view elevation = Trim(cell[kCellElevation]);
    const std::string& offset = cell[kCellOffset];
    const std::string elevationAtOffset = std::string(elevation) + kElevationOffsetJoint + offset;
    const int slopeIndent = CellCount(elevationAtOffset) - 3;

    PutCellText(surface, layout, x, row, cell[kCellLabel]);
    if (!elevation.empty() && !Trim(offset).empty()) {
        PutCellText(surface, layout, x, row + 1, elevationAtOffset);
    }
    const std::string slope(Trim(FormatNumber(cell[kCellSlope], kSlopePattern)));
    if (!slope.empty()) {
        PutCellText(surface, layout, x + slopeIndent, row + 2, slope + "%");
    }
}

void DrawStationHeader(Surface& surface, const LayoutSettings& layout, const ReportStation& station,
                       int row) {
    const int x = RoundHalfEven(layout.PageColumns - kLeftmostColumnFromRight);
    PutCellText(surface, layout, x, row, station.Label);
    PutCellText(surface, layout, x, row + 1, station.Station);
    PutCellText(surface, layout, x, row + 2, station.Column0Text);
}

void DrawMessage(Surface& surface, const LayoutSettings& layout, const ReportStation& station,
                 int row) {
    const int x = RoundHalfEven(layout.PageColumns - kFirstCellColumnFromRight);
    PutCellText(surface, layout, x, row, station.MessageKind);
    PutCellText(surface, layout, x, row + 1, station.MessageText);
}

void DrawCellLine(Surface& surface, const LayoutSettings& layout, const ReportStation& station,
                  int line, int row) {
    for (int k = 0; k < kCellColumns; ++k) {
        const int x =
            RoundHalfEven(layout.PageColumns - kFirstCellColumnFromRight + kCellColumnStep * k);
        DrawCell(surface, layout, station.Cells[line][k], x, row);
    }
}

// Written without the locale, which may want a decimal comma.
std::string LocaleFreeText(double value, std::optional<int> decimals = std::nullopt) {
    char text[400];  // room for any double in fixed notation
    const std::to_chars_result written =
        decimals ? std::to_chars(text, std::end(text), value, std::chars_format::fixed, *decimals)
                 : std::to_chars(text, std::end(text), value);
    return std::string(text, written.ptr);
}

// A size in cells as short as it can be written: at most two decimals, unless
// those would put it on the other side of its bound ("61.496", not "61.5").
std::string CellsText(double cells, bool (*fits)(double)) {
    constexpr double kShownPrecision = 0.005;
    constexpr int kMostDecimals = 6;
    for (int decimals = 0; decimals < kMostDecimals; ++decimals) {
        const std::string text = LocaleFreeText(cells, decimals);
        double shown = 0;
        std::from_chars(text.data(), text.data() + text.size(), shown);
        if (std::fabs(shown - cells) < kShownPrecision && fits(shown) == fits(cells)) {
            return text;
        }
    }
    return LocaleFreeText(cells);
}

}  // namespace

PageStart LayOutPageBody(const BookView& book, const LayoutSettings& layout, PageStart start,
                         Surface* surface,
                         const std::function<void(const ReportStation&)>& onStationHeader) {
    int32_t index = start.Station;
    int line = start.Line;
    int block = 0;
    int row = 0;
    while (index <= book.lastStation && row < kPageLineLimit) {
        row = BlockRow(layout, block);
        if (row >= kPageLineLimit) {
            break;  // the page is full; the station begins the next page
        }
        const ReportStation& station = book.stations[index];
        if (surface) {
            DrawStationHeader(*surface, layout, station, row);
        }
        if (onStationHeader) {
            onStationHeader(station);
        }
        if (!station.MessageKind.empty()) {
            if (surface) {
                DrawMessage(*surface, layout, station, row);
            }
            ++block;
            ++index;
            continue;
        }
        // Each cell line is started while the line before it (or the header) lay above the limit.
        const int lastLine = std::min(station.LastLine, kCellLines - 1);
        while (line <= lastLine && row < kPageLineLimit) {
            row = BlockRow(layout, block);
            if (surface) {
                DrawCellLine(*surface, layout, station, line, row);
            }
            ++line;
            ++block;
        }
        if (line > lastLine) {
            line = 0;  // the station is complete
        }
        ++index;
    }
    // A page that ended inside a station names that station and its first undrawn line.
    return line > 0 ? PageStart{index - 1, line} : PageStart{index, 0};
}

std::string PageNumberText(const std::string& sideMarker, int32_t page, int32_t lastPage) {
    return sideMarker + "Page No.:" + std::to_string(int64_t{page} + 1) + " of " +
           std::to_string(int64_t{lastPage} + 1);
}

void DrawPageNumberLine(Surface& surface, const LayoutSettings& layout, const std::string& text) {
    const int x = RoundHalfEven(layout.PageColumns - kPageNumberColumnFromRight);
    const int y = RoundHalfEven(layout.PageLines - kHeaderLineFromBottom);
    PutText(surface, SurfaceX(surface, layout, x), SurfaceY(surface, layout, y), text);
}

// The bounds are compared as numbers rather than by rounding the positions, so
// that a size that is no number at all fits nowhere.
bool PageColumnsFit(double columns) {
    return columns >= kFewestPageColumns && columns <= kMostPageColumns;
}

bool PageLinesFit(double lines) {
    return lines >= kFewestPageLines && lines < kPageLinesBelow;
}

bool PageFitsLayout(const PageSize& page) {
    return PageColumnsFit(page.Columns) && PageLinesFit(page.Lines);
}

std::string AcceptedPageRangeText() {
    return LocaleFreeText(kFewestPageColumns) + " to " + LocaleFreeText(kMostPageColumns) +
           " columns and " + LocaleFreeText(kFewestPageLines) + " to under " +
           LocaleFreeText(kPageLinesBelow) + " lines";
}

std::string PageCellsText(const PageSize& page) {
    return CellsText(page.Columns, PageColumnsFit) + "x" + CellsText(page.Lines, PageLinesFit);
}

}  // namespace corvane
