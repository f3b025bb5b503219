#include "report/report_table.h"

#include <algorithm>

#include "grades/number_text.h"

namespace corvane {

namespace {

constexpr int kLastCellLine = kCellLines - 1;

const std::string kCrossSectionLabel = "Cross Sec. Sta.";
const std::string kDesignSectionLabel = "Design Sec. Sta.";
const std::string kLeftOffsetLabel = "Lt. offsetPt.";
const std::string kRightOffsetLabel = "Rt. offsetPt.";

// What one book's pass needs besides the station records.
struct BookOptions {
    bool leftOffsetShown = false;   // the left offset point takes the first cell
    bool rightOffsetShown = false;  // the right offset point follows the last point
    bool copyLastSlope = false;     // the last point shows the slope of the segment before it
    bool divided = false;           // the right offset cell replaces the last point's cell
    bool rightSide = false;         // a right side without a second point gets no right offset
    std::string numberFormat;
};

ReportCell OffsetPointCell(const std::string& label, const OffsetPoint& point,
                           const std::string& slope, const std::string& numberFormat) {
    return ReportCell{label, FormatNumber(point.Offset, numberFormat),
                      FormatNumber(point.Elevation, numberFormat), slope};
}

// Builds one station block. The cells fill three to a line; a block holds
// lines 0..10, which is room for 31 points and both offset points, so the
// line counter never wraps and no cell is overwritten.
class StationBlockBuilder {
  public:
    StationBlockBuilder(CrossSection& source, const CrossSection& raw, ReportStation& block,
                        const BookOptions& options)
        : source_(source), raw_(raw), block_(block), options_(options) {}

    void Build() {
        block_.Label = source_.CrossSectionStation != source_.Station ? kDesignSectionLabel
                                                                      : kCrossSectionLabel;
        block_.Station = source_.Station;
        block_.Column0Text = source_.Column0Text;

        const int32_t lastPoint = std::min<int32_t>(source_.LastPoint, kMaxPointIndex);
        for (int32_t j = 0; j <= lastPoint; ++j) {
            if (!raw_.MessageKind.empty()) {
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
    }

  private:
    void NextLine() { line_ = std::min(line_ + 1, kLastCellLine); }

    void AddMessageLine() {
        messageMarker_ = source_.MessageKind;
        block_.MessageKind = source_.MessageKind;
        block_.MessageText = source_.MessageText;
        NextLine();
        block_.LastLine = line_;
    }

    void AddPoint(int32_t j, int32_t lastPoint) {
        if (options_.leftOffsetShown && j == 0) {
            block_.Cells[line_][column_] =
                OffsetPointCell(kLeftOffsetLabel, source_.LeftOffsetPt, source_.PointSlope[0],
                                options_.numberFormat);
            column_ = 1;
        }
        ReportCell& cell = block_.Cells[line_][column_];
        cell[kCellLabel] = SegmentName(source_.PointCode[j]);
        cell[kCellOffset] = source_.PointOffset[j];
        cell[kCellElevation] = source_.PointElevation[j];
        // The last point has no segment of its own; beside the right offset point
        // it shows the slope that leads to it.
        if (j == lastPoint - 1 && options_.copyLastSlope) {
            source_.PointSlope[j + 1] = source_.PointSlope[j];
        }
        cell[kCellSlope] = source_.PointSlope[j];
    }

    bool RightOffsetFollows() const {
        if (!messageMarker_.empty() || !options_.rightOffsetShown) {
            return false;
        }
        return !(options_.rightSide && source_.LastPoint <= 0);
    }

    void AddRightOffsetPoint() {
        if (column_ == 0) {
            NextLine();
            block_.LastLine = line_;
        }
        const int target = options_.divided ? std::max(column_ - 1, 0) : column_;
        block_.Cells[line_][target] =
            OffsetPointCell(kRightOffsetLabel, source_.RightOffsetPt, {}, options_.numberFormat);
    }

    CrossSection& source_;
    const CrossSection& raw_;
    ReportStation& block_;
    const BookOptions& options_;
    int line_ = 0;
    int column_ = 0;
    std::string messageMarker_;
};

// Empties a station block in place, as new. Its strings keep their storage, so
// a book rebuilt over an earlier one reuses that memory instead of allocating
// (and touching) megabytes afresh.
void ClearStation(ReportStation& station) {
    for (std::string* text : {&station.Label, &station.Station, &station.Column0Text,
                              &station.MessageKind, &station.MessageText}) {
        text->clear();
    }
    station.LastLine = 0;
    for (auto& line : station.Cells) {
        for (ReportCell& cell : line) {
            for (std::string& part : cell) {
                part.clear();
            }
        }
    }
}

void BuildBook(SectionTable& source, const SectionTable& raw, int32_t stationCount,
               const BookOptions& options, ReportBook& book) {
    const int64_t available = static_cast<int64_t>(std::min(source.size(), raw.size()));
    const int64_t stations = std::clamp<int64_t>(int64_t{stationCount} + 1, 0, available);
    book.resize(static_cast<size_t>(stations));
    for (size_t i = 0; i < book.size(); ++i) {
        ClearStation(book[i]);
        StationBlockBuilder(source[i], raw[i], book[i], options).Build();
    }
}

}  // namespace

std::string SegmentName(const std::string& code) {
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

void WritetoFinalReport(CrossSectionTables& tables, const Settings& settings,
                        const OptionFlags& flags, ReportTables& report) {
    const std::string roadway = ToUpper(settings.RoadwayType);
    BookOptions options;
    options.leftOffsetShown = flags.LeftOffsetPoints == 1 && flags.ShowOffsetPoints == 1;
    options.rightOffsetShown = flags.RightOffsetPoints == 1 && flags.ShowOffsetPoints == 1;
    options.copyLastSlope = flags.RightOffsetPoints == 1;
    options.numberFormat = settings.NumberFormat;

    if (roadway == kUndivided) {
        BuildBook(tables.SelectedSections, tables.Sections, tables.StationCount, options,
                  report.FinalReport);
    } else if (roadway == kDivided) {
        options.divided = true;
        BuildBook(tables.SelectedSectionsLeft, tables.SectionsLeft, tables.StationCount, options,
                  report.FinalReportLeft);
        options.rightSide = true;
        BuildBook(tables.SelectedSectionsRight, tables.SectionsRight, tables.StationCount, options,
                  report.FinalReportRight);
    }
}

}  // namespace corvane
