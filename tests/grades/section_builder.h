// Builds cross-section tables in memory, the way the readers leave them.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>
#include <vector>

#include "input/cross_section_tables.h"

namespace corvane::testing {

struct Point {
    std::string code;
    std::string offset;
    std::string elevation;
};

// Fresh tables holding stations 0..lastStation and two empty records beyond
// them. Smaller than the program's 2001 records, which keeps the tests quick;
// the computations go by StationCount, not by the table size.
inline CrossSectionTables MakeTables(int lastStation) {
    CrossSectionTables tables;
    const auto records = static_cast<std::size_t>(lastStation) + 3;
    for (SectionTable* table :
         {&tables.Sections, &tables.SectionsLeft, &tables.SectionsRight, &tables.SelectedSections,
          &tables.SelectedSectionsLeft, &tables.SelectedSectionsRight}) {
        table->assign(records, CrossSection{});
    }
    tables.StationCount = lastStation;
    return tables;
}

inline void SetPoints(CrossSection& section, const std::vector<Point>& points) {
    section.LastPoint = static_cast<int32_t>(points.size()) - 1;
    for (std::size_t k = 0; k < points.size(); ++k) {
        section.PointCode[k] = points[k].code;
        section.PointOffset[k] = points[k].offset;
        section.PointElevation[k] = points[k].elevation;
    }
}

// Points with codes P0, P1, ... at the given offsets and elevations.
inline std::vector<Point> PointsAt(std::initializer_list<const char*> offsets,
                                   std::initializer_list<const char*> elevations) {
    std::vector<Point> points;
    auto elevation = elevations.begin();
    for (const char* offset : offsets) {
        points.push_back({"P" + std::to_string(points.size()), offset, *elevation});
        ++elevation;
    }
    return points;
}

inline std::vector<std::string> Offsets(const CrossSection& section) {
    return {section.PointOffset.begin(), section.PointOffset.begin() + section.LastPoint + 1};
}

inline std::vector<std::string> Codes(const CrossSection& section) {
    return {section.PointCode.begin(), section.PointCode.begin() + section.LastPoint + 1};
}

inline std::vector<std::string> Slopes(const CrossSection& section) {
    return {section.PointSlope.begin(), section.PointSlope.begin() + section.LastPoint + 1};
}

inline Settings SettingsFor(const std::string& roadwayType) {
    Settings settings;
    settings.RoadwayType = roadwayType;
    return settings;
}

}  // namespace corvane::testing
