// Cross slopes in percent between consecutive points.
#pragma once

#include "grades/roadway.h"
#include "input/cross_section_tables.h"

namespace corvane {

// Lengthens NumberFormat from the file's decimals, reorders the first point of
// every divided cross-section and stores each segment's slope on its first point.
void CalculateSlopes(CrossSectionTables& tables, Settings& settings);

// The slopes of one cross-section's points 0..LastPoint, with the gap rule of
// the roadway: each segment's slope ("##.00") on its first point, an empty
// slope on the last point, on segments too narrow or not made of numbers, and
// where the slope has no sensible text (see PrintableValue).
void CalculateSectionSlopes(CrossSection& section, Roadway roadway);

}  // namespace corvane
