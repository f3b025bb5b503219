#include "compare/change_table.h"

#include <iterator>
#include <utility>

#include "compare/change_rows.h"

namespace corvane {

namespace {

// The kind of each column of ChangeRows: Side, Station, Name, Code, Kind, Old
// Offset, Old Elevation, New Offset, New Elevation, Offset Change, Elevation
// Change, Old Slope, New Slope, Message.
constexpr FieldKind kColumnKinds[] = {FieldKind::Text,    FieldKind::Text,    FieldKind::Text,
                                      FieldKind::Text,    FieldKind::Text,    FieldKind::Decimal,
                                      FieldKind::Decimal, FieldKind::Decimal, FieldKind::Decimal,
                                      FieldKind::Decimal, FieldKind::Decimal, FieldKind::Percent,
                                      FieldKind::Percent, FieldKind::Text};

FieldKind KindOfColumn(std::size_t column) {
    return column < std::size(kColumnKinds) ? kColumnKinds[column] : FieldKind::Text;
}

}  // namespace

RowTable ChangeTable(const Comparison& comparison) {
    std::vector<std::vector<std::string>> rows = ChangeRows(comparison);
    RowTable table(std::move(rows.front()));
    for (std::size_t r = 1; r < rows.size(); ++r) {
        Row row;
        for (std::size_t column = 0; column < rows[r].size(); ++column) {
            row.push_back({std::move(rows[r][column]), KindOfColumn(column)});
        }
        table.Rows.push_back(std::move(row));
    }
    return table;
}

}  // namespace corvane
