// The grades of the books as rows: one row per cell a book prints, in book
// order, and one row per message station.
#pragma once

#include <vector>

#include "report/report_book.h"
#include "report/row_table.h"

namespace corvane {

// Side,Station,Station Value,Name,Code,Offset,Elevation,Slope,Offset Point,Message
std::vector<std::string> GradesHeader();

// The rows of every book in the order given (the left side before the right).
RowTable GradesTable(const std::vector<Book>& books);

// One table a book, named after its side: "Grades" for an undivided roadway,
// "Left" and "Right" for a divided one.
std::vector<NamedTable> GradesSheets(const std::vector<Book>& books);

}  // namespace corvane
