// What pairs a station of the older book with one of the newer book.
#pragma once

#include <string>
#include <vector>

#include "report/report_book.h"

namespace corvane {

// The key of every station of a book, in book order: stations with equal keys
// are the same station of the roadway.
std::vector<std::string> StationKeys(const Book& book);

}  // namespace corvane
