#include "grades/point_selection.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <exception>
#include <string>
#include <string_view>

#include "grades/roadway.h"
#include "grades/slopes.h"
#include "grades/table_bounds.h"

namespace corvane {

namespace {

// One point type of the "Show On Report" frame: its flag, the text a code
// must contain, and whether the code is upper-cased first. Only the edge of
// pavement test compares the letters as they are.
struct PointType {
    int32_t OptionFlags::*flag;
    std::string_view text;
    bool ignoreCase;
};

// The order matters: a point matching several types is copied once per type, in this order.
constexpr std::array<PointType, 6> kPointTypes{{
    {&OptionFlags::ShowBreakPoints, "BR", true},
    {&OptionFlags::ShowEdgeOfPavement, "EOP", false},
    {&OptionFlags::ShowJLPoints, "JL", true},
    {&OptionFlags::ShowFOCPoints, "FOC", true},
    {&OptionFlags::ShowBOCPoints, "BOC", true},
    {&OptionFlags::ShowCLPoints, "CL", true},
}};

char UpperAscii(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// Whether `text` (upper case) occurs in `code`, upper-casing the code's
// letters on the fly when asked.
bool Contains(std::string_view code, std::string_view text, bool ignoreCase) {
    if (!ignoreCase) {
        return code.find(text) != std::string_view::npos;
    }
    for (std::size_t start = 0; start + text.size() <= code.size(); ++start) {
        std::size_t matched = 0;
        while (matched < text.size() && UpperAscii(code[start + matched]) == text[matched]) {
            ++matched;
        }
        if (matched == text.size()) {
            return true;
        }
    }
    return false;
}

void CopyHeader(const CrossSection& source, CrossSection& target) {
    target.Column0Text = source.Column0Text;
    target.Station = source.Station;
    target.Column4Text = source.Column4Text;
    target.CrossSectionStation = source.CrossSectionStation;
    target.LeftOffsetPt = source.LeftOffsetPt;
    target.RightOffsetPt = source.RightOffsetPt;
    target.MessageText = source.MessageText;
    target.MessageKind = source.MessageKind;
}

void CopyPoint(const CrossSection& source, std::size_t from, CrossSection& target, std::size_t to) {
    target.PointCode[to] = source.PointCode[from];
    target.PointOffset[to] = source.PointOffset[from];
    target.PointElevation[to] = source.PointElevation[from];
}

void ClearPoint(CrossSection& section, std::size_t slot) {
    section.PointCode[slot].clear();
    section.PointOffset[slot].clear();
    section.PointElevation[slot].clear();
    section.PointSlope[slot].clear();
}

std::string TooManyPointsMessage(const CrossSection& source, std::string_view side) {
    std::string description = "Subscript out of range: station \"" + source.Station + "\"";
    if (!side.empty()) {
        description += " (" + std::string(side) + ")";
    }
    description += " has more than " + std::to_string(kPointCapacity) + " points to report";
    return "Program Error: " + description + " occured in FilterPoints";
}

// Gives the kept points slopes of their own, so every slope in a filtered book
// agrees with the offsets and elevations printed beside it. Message stations
// carry no slopes.
void SetKeptSlopes(CrossSection& target, int keptCount, Roadway roadway) {
    if (target.MessageKind.empty()) {
        CalculateSectionSlopes(target, roadway);
        return;
    }
    for (int k = 0; k < keptCount; ++k) {
        target.PointSlope[static_cast<std::size_t>(k)].clear();
    }
}

// Copies the points of the ticked types of one station. Returns false when
// they do not fit into the 31 slots.
bool FilterSection(const CrossSection& source, CrossSection& target, const OptionFlags& flags,
                   Roadway roadway) {
    const int lastPoint = LastPointIndex(source);
    std::size_t kept = 0;
    for (int j = 0; j <= lastPoint; ++j) {
        const auto point = static_cast<std::size_t>(j);
        for (const PointType& type : kPointTypes) {
            if (flags.*type.flag != 1 ||
                !Contains(source.PointCode[point], type.text, type.ignoreCase)) {
                continue;
            }
            if (kept == static_cast<std::size_t>(kPointCapacity)) {
                return false;
            }
            CopyPoint(source, point, target, kept);
            ++kept;
        }
    }
    CopyHeader(source, target);
    if (kept == 0) {
        // Shown as one empty point rather than what an earlier run left in slot 0.
        target.LastPoint = 0;
        ClearPoint(target, 0);
        return true;
    }
    target.LastPoint = static_cast<int32_t>(kept) - 1;
    SetKeptSlopes(target, static_cast<int>(kept), roadway);
    return true;
}

bool FilterTable(const CrossSectionTables& tables, const SectionTable& source, SectionTable& target,
                 const OptionFlags& flags, Roadway roadway, std::string_view side,
                 Messages& messages) {
    const int lastStation =
        std::min(LastStationIndex(tables, source), LastStationIndex(tables, target));
    for (int i = 0; i <= lastStation; ++i) {
        const auto station = static_cast<std::size_t>(i);
        if (!FilterSection(source[station], target[station], flags, roadway)) {
            // The same station would fail again at every attempt; the run stops here.
            messages.Show(TooManyPointsMessage(source[station], side));
            return false;
        }
    }
    return true;
}

void KeepSection(const CrossSection& source, CrossSection& target) {
    const int lastPoint = LastPointIndex(source);
    for (int j = 0; j <= lastPoint; ++j) {
        const auto point = static_cast<std::size_t>(j);
        CopyPoint(source, point, target, point);
        target.PointSlope[point] = source.PointSlope[point];
    }
    target.LastPoint = source.LastPoint;
    CopyHeader(source, target);
}

void KeepTable(const CrossSectionTables& tables, const SectionTable& source, SectionTable& target) {
    const int lastStation =
        std::min(LastStationIndex(tables, source), LastStationIndex(tables, target));
    for (int i = 0; i <= lastStation; ++i) {
        const auto station = static_cast<std::size_t>(i);
        KeepSection(source[station], target[station]);
    }
}

bool FilterTables(CrossSectionTables& tables, const OptionFlags& flags, Roadway roadway,
                  Messages& messages) {
    switch (roadway) {
        case Roadway::Undivided:
            return FilterTable(tables, tables.Sections, tables.SelectedSections, flags, roadway, "",
                               messages);
        case Roadway::Divided:
            return FilterTable(tables, tables.SectionsLeft, tables.SelectedSectionsLeft, flags,
                               roadway, "left side", messages) &&
                   FilterTable(tables, tables.SectionsRight, tables.SelectedSectionsRight, flags,
                               roadway, "right side", messages);
        case Roadway::Unknown:
            break;
    }
    return true;
}

}  // namespace

bool FilterPoints(CrossSectionTables& tables, const Settings& settings, const OptionFlags& flags,
                  Messages& messages) {
    try {
        return FilterTables(tables, flags, RoadwayOf(settings), messages);
    } catch (const std::exception& error) {
        // What was copied before the failure stays in the selected tables.
        messages.Show("Program Error: " + std::string(error.what()) + " occured in FilterPoints");
        return false;
    }
}

void KeepAllPoints(CrossSectionTables& tables, const Settings& settings, OptionFlags& flags) {
    // The offset points asked for are printed whatever the "Offset Points" box says.
    flags.ShowOffsetPoints = 1;
    switch (RoadwayOf(settings)) {
        case Roadway::Undivided:
            KeepTable(tables, tables.Sections, tables.SelectedSections);
            break;
        case Roadway::Divided:
            KeepTable(tables, tables.SectionsLeft, tables.SelectedSectionsLeft);
            KeepTable(tables, tables.SectionsRight, tables.SelectedSectionsRight);
            break;
        case Roadway::Unknown:
            break;
    }
}

}  // namespace corvane
