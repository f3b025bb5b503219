#include "report/page_layout.h"

#include <algorithm>
#include <array>

#include "common/text.h"
#include "grades/number_text.h"
#include "grades/slopes.h"
#include "report/text_cells.h"

namespace corvane {

namespace {

constexpr std::string_view kElevationOffsetJoint = " @ ";

int BlockRow(PageSize page, int block) {
    return RoundHalfEven(page.Lines - kFirstBlockLineFromBottom + kBlockLines * block);
}

// An empty text changes nothing on any surface, so it is not drawn.
void PutCellText(Surface& surface, int column, int line, std::string_view text) {
    if (!text.empty()) {
        PutText(surface, column, line, text);
    }
}

// CellCount, counted at once for the plain ASCII that nearly every cell holds.
int CellsOf(std::string_view text) {
    return IsAscii(text) ? static_cast<int>(text.size()) : CellCount(text);
}

// The joined texts of a cell, built where they fit in `room` (a cell's texts
// are short: 15 bytes or fewer each, as nearly always, are copied in a few
// moves), else in `scratch`, the caller's, which keeps its memory from cell to
// cell.
class CellText {
  public:
    explicit CellText(std::string& scratch) : scratch_(scratch) {}

    std::string_view Join(std::string_view a, std::string_view b, std::string_view c) {
        if (a.size() <= kShort && b.size() <= kShort && c.size() <= kShort) {
            char* end = room_;
            for (const std::string_view part : {a, b, c}) {
                CopyShortBytes(end, part.data(), part.size());
                end += part.size();
            }
            return {room_, static_cast<size_t>(end - room_)};
        }
        scratch_.assign(a).append(b).append(c);
        return scratch_;
    }

  private:
    static constexpr size_t kShort = 16;
    char room_[3 * kShort];
    std::string& scratch_;
};

// A point cell on three lines: label; elevation " @ " offset; slope with "%",
// starting three characters before the end of the line above.
void DrawCell(Surface& surface, const ReportCell& cell, int x, int row, std::string& scratch) {
    const std::string_view elevation = Trim(cell.Elevation);
    const std::string_view offset = cell.Offset;
    CellText joined(scratch);
    const std::string_view elevationAtOffset =
        joined.Join(elevation, kElevationOffsetJoint, offset);
    const int slopeIndent = CellsOf(elevationAtOffset) - 3;

    PutCellText(surface, x, row, cell.Name);
    if (!elevation.empty() && !Trim(offset).empty()) {
        PutCellText(surface, x, row + 1, elevationAtOffset);
    }
    // The second line is drawn: its room and the scratch are free again.
    const std::string_view slope = PrintedSlopeView(cell, scratch);
    if (!slope.empty()) {
        PutCellText(surface, x + slopeIndent, row + 2, joined.Join(slope, "%", {}));
    }
}

void DrawStationHeader(Surface& surface, PageSize page, const ReportStation& station, int row) {
    const int x = ColumnFromRight(page, kLeftmostColumnFromRight);
    PutCellText(surface, x, row, station.Label);
    PutCellText(surface, x, row + 1, station.StationText);
    PutCellText(surface, x, row + 2, station.ChainName);
}

void DrawMessage(Surface& surface, PageSize page, const ReportStation& station, int row) {
    const int x = ColumnFromRight(page, kFirstCellColumnFromRight);
    PutCellText(surface, x, row, station.MessageKind);
    PutCellText(surface, x, row + 1, station.MessageText);
}

// The column each of a line's cells starts in, the same on every line of a page.
using CellColumns = std::array<int, kCellColumns>;

CellColumns CellColumnsOf(PageSize page) {
    CellColumns columns{};
    for (int k = 0; k < kCellColumns; ++k) {
        columns[static_cast<size_t>(k)] =
            RoundHalfEven(page.Columns - kFirstCellColumnFromRight + kCellColumnStep * k);
    }
    return columns;
}

void DrawCellLine(Surface& surface, const CellColumns& columns, const ReportStation& station,
                  int line, int row, std::string& scratch) {
    if (static_cast<size_t>(line) >= station.Lines.size()) {
        return;  // a line that holds no cell draws nothing
    }
    const CellLine& cells = station.Lines[static_cast<size_t>(line)];
    for (size_t k = 0; k < cells.size(); ++k) {
        DrawCell(surface, cells[k], columns[k], row, scratch);
    }
}

}  // namespace

PageStart LayOutPageBody(const Book& book, PageSize page, PageStart start, Surface* surface,
                         const std::function<void(const ReportStation&)>& onStationHeader) {
    const int lastStation = book.LastStation();
    int index = start.Station;
    int line = start.Line;
    int block = 0;
    int row = 0;
    // One buffer for every cell of every page this thread draws.
    thread_local std::string scratch;
    const CellColumns cellColumns = CellColumnsOf(page);
    while (index <= lastStation && row < kPageLineLimit) {
        row = BlockRow(page, block);
        if (row >= kPageLineLimit) {
            break;  // the page is full; the station begins the next page
        }
        const ReportStation& station = book.Stations[static_cast<size_t>(index)];
        if (surface) {
            DrawStationHeader(*surface, page, station, row);
        }
        if (onStationHeader) {
            onStationHeader(station);
        }
        if (!station.MessageKind.empty()) {
            if (surface) {
                DrawMessage(*surface, page, station, row);
            }
            ++block;
            ++index;
            continue;
        }
        // Each cell line is started while the line before it (or the header) lay above the limit.
        const int lastLine = std::min(station.LastLine, kCellLines - 1);
        while (line <= lastLine && row < kPageLineLimit) {
            row = BlockRow(page, block);
            if (surface) {
                DrawCellLine(*surface, cellColumns, station, line, row, scratch);
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

}  // namespace corvane
