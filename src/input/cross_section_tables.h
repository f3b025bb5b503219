// The six cross-section tables, the station count, the settings and the
// option flags: everything the readers fill and the computations read.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "input/cross_section.h"

namespace corvane {

inline const std::string kDivided = "DIVIDED";
inline const std::string kUndivided = "UNDIVIDED";
inline const std::string kLeftSide = "LeftSide";
inline const std::string kRightSide = "RightSide";
inline const std::string kFromLastPoint = "From Last Point";
inline const std::string kFromCenterLine = "From Center Line";
inline const std::string kInitialNumberFormat = "##.00";

struct CrossSectionTables {
    SectionTable Sections;               // undivided roadway
    SectionTable SectionsLeft;           // divided, left side
    SectionTable SectionsRight;          // divided, right side
    SectionTable SelectedSections;       // filtered from Sections
    SectionTable SelectedSectionsLeft;   // filtered from SectionsLeft
    SectionTable SelectedSectionsRight;  // filtered from SectionsRight
    // Index of the last record the current run's reader produced.
    int32_t StationCount = 0;
};

struct Settings {
    std::string InputFile;
    std::string RoadwayType;  // "DIVIDED" or "UNDIVIDED"
    std::string CurrentSide;  // "LeftSide" or "RightSide"
    std::string ProjectNumber;
    std::string ControlNumber;
    std::string NumberFormat = kInitialNumberFormat;
    std::string LeftOffsetDistance;
    std::string LeftOffsetFrom;
    std::string RightOffsetDistance;
    std::string RightOffsetFrom;
};

// Each flag holds the value of a main-window check box: 0 unticked, 1 ticked.
// The window opens with "Check All Points" ticked, so the seven point flags start at 1.
struct OptionFlags {
    int32_t ShowOffsetPoints = 1;
    int32_t ShowBreakPoints = 1;
    int32_t ShowEdgeOfPavement = 1;
    int32_t ShowJLPoints = 1;
    int32_t ShowBOCPoints = 1;
    int32_t ShowFOCPoints = 1;
    int32_t ShowCLPoints = 1;
    int32_t LeftOffsetPoints = 0;
    int32_t RightOffsetPoints = 0;
};

// Allocates the six tables at full size, every record empty (LastPoint 0).
void ResetTables(CrossSectionTables& tables);

// Empties every record of the six tables in place, without reallocating.
// Each reader run starts with it, so nothing of an earlier file reaches a later book.
void ClearTables(CrossSectionTables& tables);

// Upper-cased copy (ASCII letters only), as the roadway and point-code tests compare.
std::string ToUpper(std::string_view text);

// The text without leading and trailing spaces. Tabs and other blanks stay:
// the file format trims spaces only, so a tab is content.
std::string_view Trim(std::string_view text);

}  // namespace corvane
