#include "report/grades_table.h"

#include <algorithm>
#include <cctype>
#include <span>
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

void AppendCellRow(const std::string& side, const ReportStation& station,
                   const std::string& stationValue, const ReportCell& cell, RowTable& table) {
    table.Rows.push_back(
        {{side},
         {station.StationText},
         {stationValue, FieldKind::Decimal},
         {cell.Name},
         {cell.Code},
         {std::string(Trim(cell.Offset)), FieldKind::Decimal},
         {std::string(Trim(cell.Elevation)), FieldKind::Decimal},
         {std::string(Trim(FormatNumber(cell.Slope, kSlopePattern))), FieldKind::Percent},
         {cell.IsOffsetPoint ? "yes" : "no"},
         {}});
}

void AppendMessageRow(const std::string& side, const ReportStation& station,
                      const std::string& stationValue, RowTable& table) {
    table.Rows.push_back({{side},
                          {station.StationText},
                          {stationValue, FieldKind::Decimal},
                          {station.MessageKind},
                          {},
                          {{}, FieldKind::Decimal},
                          {{}, FieldKind::Decimal},
                          {{}, FieldKind::Percent},
                          {},
                          {station.MessageText}});
}

std::string SideName(const Book& book) {
    if (book.Type == RoadwayType::Undivided) {
        return {};
    }
    return book.Side == Side::Left ? "Left" : "Right";
}

// The cells in the order the page shows them: line by line, left to right.
// A cell the page leaves empty is no row.
void AppendBookRows(const Book& book, RowTable& table) {
    const std::string side = SideName(book);
    for (const ReportStation& station : book.Stations) {
        const std::string stationValue = StationValueText(station.StationText);
        if (!station.MessageKind.empty()) {
            AppendMessageRow(side, station, stationValue, table);
            continue;
        }
        const int lastLine = std::min(
            {station.LastLine, kCellLines - 1, static_cast<int>(station.Lines.size()) - 1});
        for (int line = 0; line <= lastLine; ++line) {
            for (const ReportCell& cell : station.Lines[static_cast<size_t>(line)]) {
                if (cell != ReportCell{}) {
                    AppendCellRow(side, station, stationValue, cell, table);
                }
            }
        }
    }
}

size_t CellCount(const Book& book) {
    size_t cells = 0;
    for (const ReportStation& station : book.Stations) {
        cells += std::max<size_t>(station.Lines.size() * kCellColumns, 1);
    }
    return cells;
}

}  // namespace

std::vector<std::string> GradesHeader() {
    return {"Side",   "Station",   "Station Value", "Name",         "Code",
            "Offset", "Elevation", "Slope",         "Offset Point", "Message"};
}

namespace {

RowTable TableOf(std::span<const Book> books) {
    RowTable table{GradesHeader(), {}};
    size_t cells = 0;
    for (const Book& book : books) {
        cells += CellCount(book);
    }
    table.Rows.reserve(cells);
    for (const Book& book : books) {
        AppendBookRows(book, table);
    }
    return table;
}

}  // namespace

RowTable GradesTable(const std::vector<Book>& books) {
    return TableOf(books);
}

std::vector<NamedTable> GradesSheets(const std::vector<Book>& books) {
    std::vector<NamedTable> sheets;
    for (const Book& book : books) {
        const std::string side = SideName(book);
        sheets.push_back({side.empty() ? "Grades" : side, TableOf({&book, 1})});
    }
    return sheets;
}

}  // namespace corvane
