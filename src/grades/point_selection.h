// The points to report: all of them, or those of the ticked point types.
#pragma once

#include <optional>

#include "common/messages.h"
#include "input/roadway.h"

namespace corvane {

// The point types of the "Show On Report" frame.
struct PointTypes {
    bool OffsetPoints = true;
    bool BreakPoints = true;
    bool EdgeOfPavement = true;
    bool JLPoints = true;
    bool BOCPoints = true;
    bool FOCPoints = true;
    bool CLPoints = true;
};

struct Selection {
    corvane::Roadway Roadway;       // only the kept points, slopes between kept points
    bool ShowOffsetPoints = false;  // whether the offset points asked for are printed
};

// Keeps every point ("Check All Points"); the offset points asked for are
// printed whatever the "Offset Points" box says.
Selection KeepAllPoints(Roadway roadway);

// Keeps, in each station, the points whose code holds a ticked type: "BR",
// "JL", "FOC", "BOC", "CL" in any letter case, "EOP" exactly as written. A
// point of several ticked types is kept once per type, in the order
// break, edge of pavement, JL, FOC, BOC, CL. The kept points get slopes of
// their own; a station that keeps none shows one empty point. Nothing, after
// its message, when a station would report more than 31 points.
// The roadway's slopes are those CalculateSlopes stored: a kept point whose
// neighbour is kept after it keeps its slope, the others are computed.
std::optional<Selection> SelectPoints(Roadway roadway, const PointTypes& types, Messages& messages);

}  // namespace corvane
