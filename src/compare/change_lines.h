// The texts of a change as the changes book writes them, in plain ASCII:
//   FOC             53.7350 @ -23.500  ->  53.7600 @ -23.500   elev +0.0250  offset 0.000
//   slope 2.00% -> 2.10% JL              added     53.9600 @ 12.000
#pragma once

#include <string>
#include <vector>

#include "compare/book_changes.h"

namespace corvane {

// "Cross Sec. Sta.  512+00.00  US441": the station's header on one line.
std::string StationLine(const ReportStation& station);

// The cell's slope as its page prints it, without "%" ("2.00", "-.50"); empty
// when the page prints none.

// "53.7350 @ -23.500": the cell's elevation and offset.
std::string ElevationAtOffset(const ReportCell& cell);

// One change, its name padded to nameWidth + 2 characters.
std::string ChangeLine(const Change& change, int nameWidth);

// The opening lines of a side's changes book: the two files, the tolerance
// and the counts of stations.
std::vector<std::string> SummaryLines(const SideChanges& side, const std::string& toleranceText,
                                      const std::string& oldFile, const std::string& newFile);

}  // namespace corvane
