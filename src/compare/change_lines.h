// The texts of a change as the changes book writes them, in plain ASCII:
//   FOC             53.7350 @ -23.500  ->  53.7600 @ -23.500   elev +0.0250  offset 0.000
//   slope 2.00% -> 2.10% JL              added     53.9600 @ 12.000
//
// A line wider than the page's body goes on over the following lines (see
// ChangeLines), so that paper and PDF show all of it.
#pragma once

#include <string>
#include <vector>

#include "compare/book_changes.h"

namespace corvane {

// "Cross Sec. Sta.  512+00.00  US441": the station's header on one line.
std::string StationLine(const ReportStation& station);

// "53.7350 @ -23.500": the cell's elevation and offset.
std::string ElevationAtOffset(const ReportCell& cell);

// One change, its name padded to nameWidth + 2 characters, on one line.
std::string ChangeLine(const Change& change, int nameWidth);

// The same change on lines of at most `columns` cells. A line that fits is
// kept whole. Otherwise it breaks where its parts meet, the first place first:
// a changed cell before "   elev" (and, when the rest is still too wide,
// before "   slope"), a changed message before "  ->  ". What follows a break
// is indented to the name width (nameWidth + 2), without its leading blanks.
// A part wider than a line by itself is cut at the page's edge and goes on,
// likewise indented, on the next line.
std::vector<std::string> ChangeLines(const Change& change, int nameWidth, int columns);

// Parts on lines of at most `columns` cells, broken as ChangeLines breaks them. The indent is at
// most half the columns, so that every line carries text.
std::vector<std::string> FitParts(const std::vector<std::string>& parts, int columns, int indent);

// The opening lines of a side's changes book: the two files, the tolerance
// and the counts of stations.
std::vector<std::string> SummaryLines(const SideChanges& side, const std::string& toleranceText,
                                      const std::string& oldFile, const std::string& newFile);

}  // namespace corvane
