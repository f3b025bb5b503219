#include "report/grades_table.h"

#include <algorithm>
#include <string_view>

#include "common/text.h"
#include "grades/number_text.h"
#include "report/station_value.h"

namespace corvane {

namespace {

// The value of a station text with B's decimals ("512+50.00" -> "51250.00");
// empty when the text has none.
std::string StationValueText(std::string_view station, std::optional<int> stationDigits) {
    if (!stationDigits) {
        return {};
    }
    const std::optional<TaggedStation> value = StationValueOf(station, *stationDigits);
    return value ? FormatStationValue(value->Value) : std::string();
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
    row[kSlope].Text = PrintedSlope(cell);
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

bool EachBookRow(const Book& book, std::optional<int> stationDigits, Row& row,
                 const RowSink& sink) {
    row[kSide].Text = book.Type == RoadwayType::Undivided ? ""
                      : book.Side == Side::Left           ? "Left"
                                                          : "Right";
    for (const ReportStation& station : book.Stations) {
        row[kStation].Text = station.StationText;
        row[kStationValue].Text = StationValueText(station.StationText, stationDigits);
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
        if (!EachBookRow(*book, stationDigits_, row, sink)) {
            return false;
        }
    }
    return true;
}

GradeRows::GradeRows(std::vector<const Book*> books, std::optional<int> stationDigits)
    : books_(std::move(books)), stationDigits_(stationDigits) {
    for (const Book* book : books_) {
        if (!stationDigits_) {
            stationDigits_ = StationDigitsOf(*book);
        }
    }
}

std::string GradeRows::SheetName() const {
    return books_.empty() ? std::string("Grades") : GradesSheetName(*books_.front());
}

std::vector<GradeRows> GradeRowsPerBook(const std::vector<const Book*>& books,
                                        std::optional<int> stationDigits) {
    if (!stationDigits) {
        stationDigits = GradeRows(books).StationDigits();
    }
    std::vector<GradeRows> perBook;
    for (const Book* book : books) {
        perBook.emplace_back(std::vector{book}, stationDigits);
    }
    return perBook;
}

std::string GradesSheetName(const Book& book) {
    if (book.Type == RoadwayType::Undivided) {
        return "Grades";
    }
    return book.Side == Side::Left ? "Left" : "Right";
}

}  // namespace corvane
