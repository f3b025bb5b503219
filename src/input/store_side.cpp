#include "input/store_side.h"

#include "input/reader_messages.h"

namespace corvane {

namespace {

// The remainder of a row starts at file column 2.
constexpr size_t kFirstRemainderColumn = 2;

// Whether a row is a message row: the left side takes the keyword exactly as
// written, the right side in any letter case.
bool IsMessageRow(std::string_view kind, bool left_side) {
    if (left_side) {
        return kind == "MESSAGE" || kind == "ERROR";
    }
    const std::string upper = ToUpper(kind);
    return upper == "ERROR" || upper == "MESSAGE";
}

// File columns of the row, read one after another; the first one missing
// stops the row, and what was stored before it stays.
class RowColumns {
  public:
    explicit RowColumns(const Columns& columns) : columns_(columns) {}

    bool Has(size_t file_column) const { return columns_.Has(file_column - kFirstRemainderColumn); }
    std::string_view operator[](size_t file_column) const {
        return columns_[file_column - kFirstRemainderColumn];
    }

    // Copies the column into `field`; false when the row ends before it.
    bool CopyTo(size_t file_column, std::string& field) const {
        if (!Has(file_column)) {
            return false;
        }
        field = (*this)[file_column];
        return true;
    }

  private:
    const Columns& columns_;
};

StoreSideResult ReportStoreError(Messages& messages) {
    messages.Show(kErrorInStoreSide);
    return StoreSideResult::StoreError;
}

}  // namespace

StoreSideResult StoreSide(std::string_view station_text, std::string_view remainder,
                          int32_t station_index, std::string_view side, int32_t k,
                          CrossSectionTables& tables, Messages& messages, Columns& columns) {
    const bool left_side = side == kLeftSide;
    if (!left_side && side != kRightSide) {
        return StoreSideResult::Stored;  // no such side: nothing to store
    }
    if (station_index < 0 || station_index > kMaxStationIndex || k < 0) {
        return ReportStoreError(messages);
    }
    CrossSection& record = (left_side ? tables.SectionsLeft : tables.SectionsRight)[station_index];
    columns.Split(remainder);
    const RowColumns row(columns);

    const bool message_row = row.Has(3) && IsMessageRow(row[3], left_side);
    if (message_row) {
        record.MessageKind = row[3];
        return row.CopyTo(4, record.MessageText) ? StoreSideResult::Stored
                                                 : ReportStoreError(messages);
    }
    // A point row beyond the table's last point slot, whole or cut short:
    // the group would claim more points than a record holds.
    if (k > kMaxPointIndex) {
        return StoreSideResult::PointLimit;
    }
    if (!row.Has(3) || !row.CopyTo(4, record.Column4Text) ||
        !row.CopyTo(5, record.CrossSectionStation) || !row.Has(8)) {
        return ReportStoreError(messages);
    }
    if (row[8] != (left_side ? "LEFT" : "RIGHT")) {
        messages.Show(WrongSideMarkerText(side, station_text, k));
        return StoreSideResult::WrongSideMarker;
    }
    if (!row.CopyTo(9, record.PointCode[k]) || !row.CopyTo(10, record.PointOffset[k]) ||
        !row.CopyTo(11, record.PointElevation[k])) {
        return ReportStoreError(messages);
    }
    return StoreSideResult::Stored;
}

}  // namespace corvane
