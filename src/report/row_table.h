// A table of text rows under a header row, as a spreadsheet or a CSV file
// receives it. Every field is the text a person would read; its kind only
// tells a workbook which texts it may store as numbers.
#pragma once

#include <string>
#include <vector>

namespace corvane {

enum class FieldKind {
    Text,     // always stored as text
    Decimal,  // a number shown with its own decimals, when the text is a plain number
    Percent,  // a number of percent ("2.00" is 2 %), shown with its own decimals and "%"
};

struct Field {
    std::string Text;
    FieldKind Kind = FieldKind::Text;
    bool operator==(const Field&) const = default;
};

using Row = std::vector<Field>;

struct RowTable {
    std::vector<std::string> Header;
    std::vector<Row> Rows;
};

// A table under the name of its sheet in a workbook ("Left", "Right", ...).
struct NamedTable {
    std::string Name;
    RowTable Table;
};

}  // namespace corvane
