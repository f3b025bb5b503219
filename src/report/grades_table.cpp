#include "report/grades_table.h"

#include <algorithm>
#include <cctype>
#include <string_view>

#include "common/text.h"
#include "grades/number_text.h"

namespace corvane {

namespace {

// The page prints a slope with two decimals.
const std::string kSlopePattern = "##.00";

bool AllDigits(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](unsigned char c) { return std::isdigit(c) != 0; });
}

// The value of a station text "A+B" (an optional tag after a blank), exactly,
// with B's decimals: B's whole part has k digits, so A x 10^k + B is A's digits
// followed by B's. "512+50.00" -> "51250.00"; empty when the text has no value.
std::string StationValueText(std::string_view station) {
    station = Trim(station);
    station = station.substr(0, station.find(' '));
    const bool negative = !station.empty() && station.front() == '-';
    station.remove_prefix(negative ? 1 : 0);
    const size_t plus = station.find('+');
    if (plus == std::string_view::npos) {
        return {};
    }
    const std::string_view a = station.substr(0, plus);
    const std::string_view b = station.substr(plus + 1);
    const std::string_view bWhole = b.substr(0, b.find('.'));
    const std::string_view bDecimals =
        bWhole.size() < b.size() ? b.substr(bWhole.size() + 1) : std::string_view{};
    if (a.empty() || bWhole.empty() || !AllDigits(a) || !AllDigits(bWhole) ||
        !AllDigits(bDecimals)) {
        return {};
    }
    std::string digits = std::string(a).append(bWhole);
    digits.erase(0, std::min(digits.find_first_not_of('0'), digits.size() - 1));
    const bool zero = digits == "0" && bDecimals.find_first_not_of('0') == std::string_view::npos;
    std::string value = (negative && !zero ? "-" : "") + digits;
    if (bWhole.size() < b.size()) {
        value.append(".").append(bDecimals);
    }
    return value;
}

enum GradeColumn : size_t {
    kSide,
    kStation,
    kStationValue,
    kName,
    kCode,
    kOffset,
    kElevation,
    kSlope,
    kOffsetPoint,
    kMessage,
    kGradeColumns
};

Row EmptyGradeRow() {
    Row row(kGradeColumns);
    row[kStationValue].Kind = FieldKind::Decimal;
    row[kOffset].Kind = FieldKind::Decimal;
    row[kElevation].Kind = FieldKind::Decimal;
    row[kSlope].Kind = FieldKind::Percent;
    return row;
}

// The row is refilled for every cell, so its texts keep their memory.
void SetCell(const ReportCell& cell, Row& row) {
    row[kName].Text = cell.Name;
    row[kCode].Text = cell.Code;
    row[kOffset].Text = Trim(cell.Offset);
    row[kElevation].Text = Trim(cell.Elevation);
    row[kSlope].Text = Trim(FormatNumber(cell.Slope, kSlopePattern));
    row[kOffsetPoint].Text = cell.IsOffsetPoint ? "yes" : "no";
    row[kMessage].Text.clear();
}

void SetMessage(const ReportStation& station, Row& row) {
    for (const size_t column : {kCode, kOffset, kElevation, kSlope, kOffsetPoint}) {
        row[column].Text.clear();
    }
    row[kName].Text = station.MessageKind;
    row[kMessage].Text = station.MessageText;
}

// The cells in the order the page shows them: line by line, left to right.
// A cell the page leaves empty is no row.
bool EachCellRow(const ReportStation& station, Row& row, const RowSink& sink) {
    const int lastLine =
        std::min({station.LastLine, kCellLines - 1, static_cast<int>(station.Lines.size()) - 1});
    for (int line = 0; line <= lastLine; ++line) {
        for (const ReportCell& cell : station.Lines[static_cast<size_t>(line)]) {
            if (cell == ReportCell{}) {
                continue;
            }
            SetCell(cell, row);
            if (!sink(row)) {
                return false;
            }
        }
    }
    return true;
}

bool EachBookRow(const Book& book, Row& row, const RowSink& sink) {
    row[kSide].Text = book.Type == RoadwayType::Undivided ? ""
                      : book.Side == Side::Left           ? "Left"
                                                          : "Right";
    for (const ReportStation& station : book.Stations) {
        row[kStation].Text = station.StationText;
        row[kStationValue].Text = StationValueText(station.StationText);
        if (!station.MessageKind.empty()) {
            SetMessage(station, row);
            if (!sink(row)) {
                return false;
            }
        } else if (!EachCellRow(station, row, sink)) {
            return false;
        }
    }
    return true;
}

}  // namespace

const std::vector<std::string>& GradeRows::HeaderRow() const {
    static const std::vector<std::string> header{
        "Side",   "Station",   "Station Value", "Name",         "Code",
        "Offset", "Elevation", "Slope",         "Offset Point", "Message"};
    return header;
}

bool GradeRows::EachRow(const RowSink& sink) const {
    Row row = EmptyGradeRow();
    for (const Book* book : books_) {
        if (!EachBookRow(*book, row, sink)) {
            return false;
        }
    }
    return true;
}

std::string GradesSheetName(const Book& book) {
    if (book.Type == RoadwayType::Undivided) {
        return "Grades";
    }
    return book.Side == Side::Left ? "Left" : "Right";
}

}  // namespace corvane
