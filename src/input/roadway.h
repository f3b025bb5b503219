// A roadway as read from a paving-grades file: its type and one or two sides,
// each holding exactly the stations read, each station exactly its points.
// Every text stays as read; numbers become doubles only inside a computation.
#pragma once

#include <string>
#include <vector>

#include "common/compact_text.h"

namespace corvane {

// Limits of a paving-grades file. The readers refuse a file beyond them with
// a message; storage is sized to what was read, never to these limits.
inline constexpr int kMaxStations = 2001;
inline constexpr int kMaxPoints = 31;

enum class RoadwayType { Undivided, Divided };
enum class Side { Left, Right };  // an undivided roadway has only the Left side

struct OffsetPoint {
    std::string Offset;
    std::string Elevation;
};

// The four texts of a point are short; CompactText holds them in half the
// room of a std::string.
struct Point {
    CompactText Code;
    CompactText Offset;
    CompactText Elevation;
    CompactText Slope;  // of the segment that starts at this point
};

// One station of one side.
struct Station {
    // Column 0 of the station's rows: the chain (alignment) the station lies
    // on, printed under the station. Column 4, a name no page shows, is not
    // kept.
    std::string ChainName;
    std::string StationText;  // column 1, e.g. "2389+00.00 R1"
    // Column 5: where it equals StationText the station is a cross section,
    // otherwise a design section.
    std::string CrossSectionStation;
    OffsetPoint LeftOffsetPt;
    OffsetPoint RightOffsetPt;
    std::string MessageText;
    std::string MessageKind;  // "ERROR", "MESSAGE" (as read) or empty
    // The points read, in file order. A station that no row reached has one
    // empty point; a message station has one entry (undivided) or two
    // (divided), holding whatever points its rows stored there. A station
    // closed before any point counted has none (LastPoint -1): an undivided
    // one ended by a separator, a blank row or a row naming no station, or a
    // divided group whose first line is no data row.
    std::vector<Point> Points{Point{}};

    int LastPoint() const { return static_cast<int>(Points.size()) - 1; }
};

struct Roadway {
    RoadwayType Type = RoadwayType::Undivided;
    std::vector<Station> Left;   // the undivided roadway's stations, or the left side
    std::vector<Station> Right;  // the right side of a divided roadway; empty otherwise

    const std::vector<Station>& StationsOf(Side side) const {
        return side == Side::Left ? Left : Right;
    }
    std::vector<Station>& StationsOf(Side side) { return side == Side::Left ? Left : Right; }
    // The sides that have a book: Left alone, or Left then Right.
    std::vector<Side> Sides() const {
        if (Type == RoadwayType::Divided)
            return {Side::Left, Side::Right};
        return {Side::Left};
    }
};

}  // namespace corvane
