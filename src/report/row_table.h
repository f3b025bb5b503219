// Tables of text rows under a header row, as a spreadsheet or a CSV file
// receives them. Every field is the text a person would read; its kind only
// tells a workbook which texts it may store as numbers.
#pragma once

#include <functional>
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

// Receives one row; returns false to stop (a write failed).
using RowSink = std::function<bool(const Row&)>;

// A table handed over row by row, so that a large one (the grades of a whole
// book) is never held whole beside the book it comes from.
class RowSource {
  public:
    virtual ~RowSource() = default;
    virtual const std::vector<std::string>& HeaderRow() const = 0;
    // Hands every row in order to the sink, until it refuses one; false then.
    virtual bool EachRow(const RowSink& sink) const = 0;
};

// A table held whole: small tables, and tests.
class RowTable final : public RowSource {
  public:
    explicit RowTable(std::vector<std::string> header, std::vector<Row> rows = {})
        : Header(std::move(header)), Rows(std::move(rows)) {}

    const std::vector<std::string>& HeaderRow() const override { return Header; }
    bool EachRow(const RowSink& sink) const override {
        for (const Row& row : Rows) {
            if (!sink(row)) {
                return false;
            }
        }
        return true;
    }

    std::vector<std::string> Header;
    std::vector<Row> Rows;
};

}  // namespace corvane
