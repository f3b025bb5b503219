// The offset points: computed points beyond the first and the last point of
// each station, whose elevation continues the outermost slope.
#pragma once

#include <string>

#include "input/roadway.h"

namespace corvane {

// How an offset point's distance is measured, as the choice is worded.
inline const std::string kFromLastPoint = "From Last Point";    // outward from the outermost point
inline const std::string kFromCenterLine = "From Center Line";  // the point's own offset

// One side's asked-for offset point.
struct OffsetRequest {
    bool Asked = false;
    std::string Distance;               // a number (checked before reading)
    std::string From = kFromLastPoint;  // kFromLastPoint or kFromCenterLine
};

struct OffsetRequests {
    OffsetRequest Left;
    OffsetRequest Right;
    bool Any() const { return Left.Asked || Right.Asked; }
};

// Fills each station's LeftOffsetPt / RightOffsetPt as asked; message stations
// and sides not asked for stay as they are. A From text other than the two
// (exactly as worded) computes nothing. A value that cannot be computed, or
// that would not print in a report cell with `numberFormat`, is left empty;
// a "From Center Line" point that would not lie beyond the outermost point
// reads "Error" / "Btwn Pts".
Roadway AddOffsetPoints(Roadway roadway, const OffsetRequests& requests,
                        const std::string& numberFormat);

}  // namespace corvane
