// The computed offset points beyond the first and the last point.
#pragma once

#include "input/cross_section_tables.h"

namespace corvane {

void CalculateOffsetPoints(CrossSectionTables& tables, const Settings& settings);

}  // namespace corvane
