// Cross slopes in percent between consecutive points.
#pragma once

#include "input/cross_section_tables.h"

namespace corvane {

// Lengthens NumberFormat from the file's decimals, reorders the first point of
// every divided cross-section and stores each segment's slope on its first point.
void CalculateSlopes(CrossSectionTables& tables, Settings& settings);

}  // namespace corvane
