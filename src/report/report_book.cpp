#include "report/report_book.h"

#include <algorithm>
#include <string_view>

#include "common/text.h"
#include "grades/number_text.h"
#include "grades/slopes.h"

namespace corvane {

namespace {

constexpr int kLastCellLine = kCellLines - 1;

const std::string kCrossSectionLabel = "Cross Sec. Sta.";
const std::string kDesignSectionLabel = "Design Sec. Sta.";
const std::string kLeftOffsetLabel = "Lt. offsetPt.";
const std::string kRightOffsetLabel = "Rt. offsetPt.";

// How one side's stations become blocks.
struct SideOptions {
    bool leftOffsetShown = false;            // the left offset point takes the first cell
    bool rightOffsetShown = false;           // the right offset point follows the last point
    bool lastPointShowsSlopeBefore = false;  // the last point's slope is that of the segment before
    bool divided = false;                    // the right offset cell replaces the last point's cell
    bool rightSide = false;  // a right side without a second point gets no right offset
    std::string numberFormat;
};

// The printed label of a point code ("BR" -> "Break"); any other code as it is.
std::string_view SegmentNameOf(std::string_view code) {
    // Every point of every book is named; string_view compares the lengths first.
    if (code == "LtSgShldr") {
        return "Left Shoulder";
    }
    if (code == "LtSgEOP") {
        return "Left Edge";
    }
    if (code == "RtSgEOP") {
        return "Right Edge";
    }
    if (code == "RtSgShldr") {
        return "Right Shoulder";
    }
    if (code == "BR") {
        return "Break";
    }
    return code;
}

// The cells are filled where they stand, each text assigned once: a book holds
// five texts for every point of the file.
void FillOffsetPointCell(ReportCell& cell, std::string_view label, const OffsetPoint& point,
                         const CompactText& slope, const std::string& numberFormat) {
    cell.Name = label;
    cell.Offset = FormatNumber(point.Offset, numberFormat);
    cell.Elevation = FormatNumber(point.Elevation, numberFormat);
    cell.Slope = slope;
    cell.Code.clear();
    cell.IsOffsetPoint = true;
}

void FillPointCell(ReportCell& cell, const Point& point, const CompactText& slope) {
    cell.Name = SegmentNameOf(point.Code);
    cell.Offset = point.Offset;
    cell.Elevation = point.Elevation;
    cell.Slope = slope;
    cell.Code = point.Code;
    cell.IsOffsetPoint = false;
}

// Builds one station block. The cells fill three to a line; a block holds
// lines 0..10, which is room for 31 points and both offset points, so the
// line counter never wraps and no cell is overwritten.
class StationBlockBuilder {
  public:
    StationBlockBuilder(const Station& source, const SideOptions& options)
        : source_(source), options_(options) {}

    ReportStation Build() {
        block_.Label = source_.CrossSectionStation != source_.StationText ? kDesignSectionLabel
                                                                          : kCrossSectionLabel;
        block_.StationText = source_.StationText;
        block_.ChainName = source_.ChainName;

        const int lastPoint = std::min(source_.LastPoint(), kMaxPoints - 1);
        const bool message = !source_.MessageKind.empty();
        if (!message) {
            const int cells = lastPoint + 1 + (options_.leftOffsetShown ? 1 : 0) +
                              (options_.rightOffsetShown ? 1 : 0);
            block_.Lines.reserve(
                std::clamp((cells + kCellColumns - 1) / kCellColumns, 1, kCellLines));
        }
        for (int j = 0; j <= lastPoint; ++j) {
            if (message) {
                AddMessageLine();
            } else {
                AddPoint(j, lastPoint);
            }
            column_ = (column_ + 1) % kCellColumns;
            if (column_ == 0) {
                // The counter moves on only when another point follows.
                if (j != lastPoint) {
                    NextLine();
                }
                block_.LastLine = line_;
            }
        }
        if (RightOffsetFollows()) {
            AddRightOffsetPoint();
        }
        return std::move(block_);
    }

  private:
    void NextLine() { line_ = std::min(line_ + 1, kLastCellLine); }

    ReportCell& CellAt(int line, int column) {
        if (block_.Lines.size() <= static_cast<size_t>(line)) {
            block_.Lines.resize(static_cast<size_t>(line) + 1);
        }
        return block_.Lines[static_cast<size_t>(line)][static_cast<size_t>(column)];
    }

    void AddMessageLine() {
        messageShown_ = true;
        block_.MessageKind = source_.MessageKind;
        block_.MessageText = source_.MessageText;
        NextLine();
        block_.LastLine = line_;
    }

    void AddPoint(int j, int lastPoint) {
        const std::vector<Point>& points = source_.Points;
        if (options_.leftOffsetShown && j == 0) {
            FillOffsetPointCell(CellAt(line_, column_), kLeftOffsetLabel, source_.LeftOffsetPt,
                                points[0].Slope, options_.numberFormat);
            column_ = 1;
        }
        const Point& point = points[static_cast<size_t>(j)];
        // The last point has no segment of its own; with a right offset point
        // asked for it shows the slope that leads to it.
        const bool slopeBefore = options_.lastPointShowsSlopeBefore && j == lastPoint && j > 0;
        FillPointCell(CellAt(line_, column_), point,
                      slopeBefore ? points[static_cast<size_t>(j) - 1].Slope : point.Slope);
    }

    // Not after a message line, nor on a right side whose station has a single point.
    bool RightOffsetFollows() const {
        return !messageShown_ && options_.rightOffsetShown &&
               !(options_.rightSide && source_.LastPoint() <= 0);
    }

    void AddRightOffsetPoint() {
        if (column_ == 0) {
            NextLine();
            block_.LastLine = line_;
        }
        const int target = options_.divided ? std::max(column_ - 1, 0) : column_;
        FillOffsetPointCell(CellAt(line_, target), kRightOffsetLabel, source_.RightOffsetPt, {},
                            options_.numberFormat);
    }

    const Station& source_;
    const SideOptions& options_;
    ReportStation block_;
    int line_ = 0;
    int column_ = 0;
    bool messageShown_ = false;
};

}  // namespace

std::string PrintedSlope(const ReportCell& cell) {
    std::string scratch;
    return std::string(PrintedSlopeView(cell, scratch));
}

void FormatSlopeInto(const ReportCell& cell, std::string& text) {
    text.assign(Trim(FormatNumber(cell.Slope, kSlopePattern)));
}

const ReportCell& ReportStation::Cell(int line, int column) const {
    static const ReportCell kEmpty{};
    if (line < 0 || static_cast<size_t>(line) >= Lines.size()) {
        return kEmpty;
    }
    return Lines[static_cast<size_t>(line)][static_cast<size_t>(column)];
}

std::string Book::SideMarker() const {
    if (Type != RoadwayType::Divided) {
        return {};
    }
    return Side == corvane::Side::Left ? "(Left)" : "(Right)";
}

std::string SegmentName(const std::string& code) {
    return std::string(SegmentNameOf(code));
}

std::vector<Book> BuildBooks(Roadway selected, const BookOptions& options) {
    SideOptions sideOptions;
    sideOptions.leftOffsetShown = options.Offsets.Left.Asked && options.ShowOffsetPoints;
    sideOptions.rightOffsetShown = options.Offsets.Right.Asked && options.ShowOffsetPoints;
    sideOptions.lastPointShowsSlopeBefore = options.Offsets.Right.Asked;
    sideOptions.divided = selected.Type == RoadwayType::Divided;
    sideOptions.numberFormat = options.NumberFormat;

    std::vector<Book> books;
    for (const Side side : selected.Sides()) {
        sideOptions.rightSide = sideOptions.divided && side == Side::Right;
        Book& book = books.emplace_back(Book{side, selected.Type, {}});
        std::vector<Station>& stations = selected.StationsOf(side);
        book.Stations.reserve(stations.size());
        for (Station& station : stations) {
            book.Stations.push_back(StationBlockBuilder(station, sideOptions).Build());
            std::vector<Point>().swap(station.Points);  // its memory goes back now
        }
    }
    return books;
}

}  // namespace corvane
