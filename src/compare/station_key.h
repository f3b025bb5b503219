// What pairs a station of the older book with one of the newer book.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "report/report_book.h"

namespace corvane {

// The key of every station of a book, in book order: stations with equal keys
// are the same station of the roadway. A station with a value is known by its
// value and tag (512+50.0 is 512+50.00), any other by its whole text.
// stationDigits is the file's (StationDigitsOf of all its books).
std::vector<std::string> StationKeys(const Book& book, std::optional<int> stationDigits);

}  // namespace corvane
