// Copies the points to be reported into the selected tables.
#pragma once

#include "input/cross_section_tables.h"
#include "input/messages.h"

namespace corvane {

// Keeps the points of the ticked types. Returns false (after its message) when
// the run must stop.
bool FilterPoints(CrossSectionTables& tables, const Settings& settings, const OptionFlags& flags,
                  Messages& messages);

// Keeps every point and sets ShowOffsetPoints to 1.
void KeepAllPoints(CrossSectionTables& tables, const Settings& settings, OptionFlags& flags);

}  // namespace corvane
