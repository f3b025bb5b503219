// The grades of the book the viewer shows as a spreadsheet: a CSV file, or an
// Excel workbook with a sheet a side. A station range shown writes the grades
// of its stations; a changes book shown writes its changes instead.
#pragma once

#include <string>

#include "sheets/write_outcome.h"
#include "viewer/viewer_state.h"

namespace corvane {

enum class SheetForm { Csv, Xlsx };

// A workbook for a name ending in ".xlsx" in any letter case; CSV otherwise.
SheetForm SheetFormOf(const std::string& path);

// Writes the file whole or not at all, in the form its name asks for.
WriteOutcome WriteShownGrades(const ViewerState& state, const std::string& path);

}  // namespace corvane
