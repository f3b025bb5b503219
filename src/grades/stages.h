// The grade computations as stages: each takes the roadway the stage before
// returned (by value, moved in) and returns it refined. None keeps state.
#pragma once

#include <string>

#include "common/messages.h"
#include "input/roadway.h"

namespace corvane {

inline const std::string kInitialNumberFormat = "##.00";
inline const std::string kFromLastPoint = "From Last Point";
inline const std::string kFromCenterLine = "From Center Line";

struct SlopedRoadway {
    Roadway Roadway;
    // "##.00", lengthened to the decimals the file's offsets carry; used to
    // print the offset points' offsets and elevations.
    std::string NumberFormat = kInitialNumberFormat;
};

// Reorders the first point of each divided station, stores each segment's
// slope on its first point and finds the number format.
SlopedRoadway CalculateSlopes(Roadway roadway);

// One side's asked-for offset point.
struct OffsetRequest {
    bool Asked = false;
    std::string Distance;                // a number (checked before reading)
    std::string From = kFromLastPoint;   // kFromLastPoint or kFromCenterLine
};

struct OffsetRequests {
    OffsetRequest Left;
    OffsetRequest Right;
    bool Any() const { return Left.Asked || Right.Asked; }
};

// Fills each station's LeftOffsetPt / RightOffsetPt as asked.
Roadway AddOffsetPoints(Roadway roadway, const OffsetRequests& requests);

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

// The points to report. KeepAll (the "Check All Points" box) keeps every point
// and shows the offset points asked for whatever OffsetPoints says.
struct Selection {
    Roadway Roadway;        // only the kept points, slopes between kept points
    bool ShowOffsetPoints;  // whether the offset points asked for are printed
};

Selection KeepAllPoints(Roadway roadway);
// Keeps the points of the ticked types; nullopt after its message when a
// station would report more than 31 points.
std::optional<Selection> SelectPoints(Roadway roadway, const PointTypes& types,
                                      Messages& messages);

}  // namespace corvane
