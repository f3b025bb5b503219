// Reading the paving-grades file: the header check and the two readers.
#pragma once

#include <cstdint>
#include <string>

#include "input/cross_section_tables.h"
#include "input/messages.h"

namespace corvane {

// What a read left behind, for the caller to act on.
enum class ReadOutcome {
    Read,        // the tables hold the file's stations
    Rejected,    // a message has been shown; the run stops
    EndProgram,  // wrong side marker: the message has been shown, the program ends
};

// Checks the title line, sets RoadwayType and runs the matching reader on the
// same open file: the file is opened once, so a named pipe works too.
// A file that is not a paving-grades file, or whose header cannot be read,
// is Rejected after one message, and then no table or setting has changed.
//
// Every reader run starts by emptying all six tables, so nothing of an earlier
// file reaches a later book. A refused file leaves them empty, with
// StationCount 0. The final report tables are sized from StationCount by the
// report builder, which runs after a successful read.
ReadOutcome GpkBlueTops(CrossSectionTables& tables, Settings& settings, Messages& messages);

// The readers run on their own, without the header check: each opens the
// file, passes over its three header lines and reads the rest.
//
// Reads an undivided file into Sections and sets StationCount.
ReadOutcome GPKUndivided(CrossSectionTables& tables, const Settings& settings, Messages& messages);

// Reads a divided file into SectionsLeft and SectionsRight and sets StationCount.
ReadOutcome ReadDivided(CrossSectionTables& tables, const Settings& settings, Messages& messages);

}  // namespace corvane
