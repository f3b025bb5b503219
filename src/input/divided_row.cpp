#include "input/divided_row.h"

#include <string>

#include "common/text.h"

namespace corvane {

namespace {

bool IsMessageRow(std::string_view kind, Side side) {
    if (side == Side::Left) {
        return kind == "MESSAGE" || kind == "ERROR";
    }
    return SameTextUpperCased(kind, "ERROR") || SameTextUpperCased(kind, "MESSAGE");
}

// File columns of the row, read one after another; the first one missing
// stops the row, and what was stored before it stays. The fields are those of
// the row's remainder: the text after the station column (file column 1) with
// the line's closing spaces trimmed: the last column loses its closing spaces.
// (Of a row with a single comma, column 2 would read as empty; no field is
// taken from column 2.)
class RowColumns {
  public:
    explicit RowColumns(const Columns& columns) : columns_(columns) {}

    bool Has(size_t fileColumn) const { return columns_.Has(fileColumn); }
    std::string_view operator[](size_t fileColumn) const {
        const std::string_view column = columns_[fileColumn];
        if (fileColumn + 1 < columns_.Count()) {
            return column;
        }
        return column.substr(0, column.find_last_not_of(' ') + 1);
    }

    // Copies the column into `field` (a std::string or a CompactText); false
    // when the row ends before it.
    template <typename Text>
    bool CopyTo(size_t fileColumn, Text& field) const {
        if (!Has(fileColumn)) {
            return false;
        }
        field = (*this)[fileColumn];
        return true;
    }
    // The same for a text of the station, which its rows repeat.
    bool KeepIn(size_t fileColumn, std::string& field) const {
        if (!Has(fileColumn)) {
            return false;
        }
        KeepText(field, (*this)[fileColumn]);
        return true;
    }

  private:
    const Columns& columns_;
};

}  // namespace

DividedRowResult StoreDividedRow(const Columns& columns, Side side, int pointIndex,
                                 Station& station) {
    const RowColumns row(columns);

    if (row.Has(3) && IsMessageRow(row[3], side)) {
        station.MessageKind = row[3];
        return row.CopyTo(4, station.MessageText) ? DividedRowResult::Stored
                                                  : DividedRowResult::TooShort;
    }
    // A point row beyond the last point a station holds, whole or cut short.
    if (pointIndex >= kMaxPoints) {
        return DividedRowResult::PointLimit;
    }
    if (!row.KeepIn(5, station.CrossSectionStation) || !row.Has(8)) {
        return DividedRowResult::TooShort;
    }
    if (!SameText(row[8], side == Side::Left ? "LEFT" : "RIGHT")) {
        return DividedRowResult::WrongMarker;
    }
    const auto index = static_cast<size_t>(pointIndex);
    if (station.Points.size() == index) {
        station.Points.emplace_back();  // the next point, as nearly every row stores
    } else if (station.Points.size() < index) {
        station.Points.resize(index + 1);
    }
    Point& point = station.Points[index];
    if (!row.CopyTo(9, point.Code) || !row.CopyTo(10, point.Offset) ||
        !row.CopyTo(11, point.Elevation)) {
        return DividedRowResult::TooShort;
    }
    return DividedRowResult::Stored;
}

}  // namespace corvane
