// Which kind of roadway the current file describes.
#pragma once

#include "input/cross_section_tables.h"

namespace corvane {

enum class Roadway { Undivided, Divided, Unknown };

// RoadwayType compared after upper-casing, so "divided" counts as divided.
inline Roadway RoadwayOf(const Settings& settings) {
    const std::string type = ToUpper(settings.RoadwayType);
    if (type == kUndivided) {
        return Roadway::Undivided;
    }
    if (type == kDivided) {
        return Roadway::Divided;
    }
    return Roadway::Unknown;
}

}  // namespace corvane
