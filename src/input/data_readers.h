// The two readers' data part, taking over the file from the header check.
// The file is opened once and read front to back, so a file that can be read
// only once, such as a named pipe, is read whole.
#pragma once

#include <string>

#include "input/cross_section_tables.h"
#include "input/line_reader.h"
#include "input/messages.h"
#include "input/paving_grades_reader.h"

namespace corvane {

// Read the rest of `file`, whose three header lines have been read, into the
// tables of its roadway type; `path` names the file in messages. Every run
// starts from empty tables and leaves them empty when it refuses the file.
ReadOutcome ReadUndividedData(LineReader& file, const std::string& path, CrossSectionTables& tables,
                              Messages& messages);
ReadOutcome ReadDividedData(LineReader& file, const std::string& path, CrossSectionTables& tables,
                            Messages& messages);

}  // namespace corvane
