// Builds roadways in memory, the way the readers leave them.
#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "input/roadway.h"

namespace corvane::testing {

using Texts = std::vector<std::string>;

// A station whose points have the given offsets and elevations; their codes
// are the given ones, or P0, P1, ...
inline Station StationAt(const Texts& offsets, const Texts& elevations, Texts codes = {}) {
    Station station;
    station.Points.clear();
    for (std::size_t j = 0; j < offsets.size(); ++j) {
        const std::string code = j < codes.size() ? codes[j] : "P" + std::to_string(j);
        station.Points.push_back({code, offsets[j], elevations[j], {}});
    }
    return station;
}

inline Roadway RoadwayOf(RoadwayType type, std::vector<Station> left,
                         std::vector<Station> right = {}) {
    Roadway roadway;
    roadway.Type = type;
    roadway.Left = std::move(left);
    roadway.Right = std::move(right);
    return roadway;
}

// One text of every point of a station: Column(station, &Point::Slope).
inline Texts Column(const Station& station, std::string Point::*text) {
    Texts texts;
    for (const Point& point : station.Points) {
        texts.push_back(point.*text);
    }
    return texts;
}

inline constexpr RoadwayType kUndivided = RoadwayType::Undivided;
inline constexpr RoadwayType kDivided = RoadwayType::Divided;

}  // namespace corvane::testing
