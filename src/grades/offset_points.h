// The offset points: computed points beyond the first and the last point of
// each station, whose elevation continues the outermost slope.
#pragma once

#include <string>

#include "input/roadway.h"

namespace corvane {

// How an offset point's distance is measured.
enum class OffsetFrom {
    LastPoint,   // outward from the outermost point
    CenterLine,  // the distance is the point's own offset
};

// One side's asked-for offset point. The distance is only ever printed as a
// computed number, so the text it was typed as is not kept.
struct OffsetRequest {
    bool Asked = false;
    double Distance = 0;
    OffsetFrom From = OffsetFrom::LastPoint;
};

struct OffsetRequests {
    OffsetRequest Left;
    OffsetRequest Right;
    bool Any() const { return Left.Asked || Right.Asked; }
};

// Fills each station's LeftOffsetPt / RightOffsetPt as asked; message stations
// and sides not asked for stay as they are. A value that cannot be computed,
// or that would not print in a report cell with `numberFormat`, is left
// empty; a CenterLine point that would not lie beyond the outermost point
// reads "Error" / "Btwn Pts".
Roadway AddOffsetPoints(Roadway roadway, const OffsetRequests& requests,
                        const std::string& numberFormat);

}  // namespace corvane
