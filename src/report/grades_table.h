// The grades of books as rows: one row per cell a book prints, in book order,
// and one row per message station, under the header
// Side,Station,Station Value,Name,Code,Offset,Elevation,Slope,Offset Point,Message
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "report/report_book.h"
#include "report/row_table.h"

namespace corvane {

// The rows are made as they are handed over, from the books themselves, which
// must outlive this.
class GradeRows final : public RowSource {
  public:
    // The books in the order given (the left side before the right). Station
    // values are read with the file's B digits (StationDigitsOf of all its
    // books); without them, with those of the first of these books that has one.
    explicit GradeRows(std::vector<const Book*> books,
                       std::optional<int> stationDigits = std::nullopt);

    const std::vector<std::string>& HeaderRow() const override;
    bool EachRow(const RowSink& sink) const override;

    // The B digits the station values are read with; none when no station has a value.
    std::optional<int> StationDigits() const { return stationDigits_; }
    // The name of the sheet of the first book (see GradesSheetName).
    std::string SheetName() const;

  private:
    std::vector<const Book*> books_;
    std::optional<int> stationDigits_;
};

// The name of a book's sheet: "Grades" for an undivided roadway, "Left" or
// "Right" for a side of a divided one.
std::string GradesSheetName(const Book& book);

// One GradeRows a book, for a sheet a side: each reads station values with the
// B digits of the whole file, as the rows of all books together would.
// Without digits given, those of these books.
std::vector<GradeRows> GradeRowsPerBook(const std::vector<const Book*>& books,
                                        std::optional<int> stationDigits = std::nullopt);

}  // namespace corvane
