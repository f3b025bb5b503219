// Counts that do not fit the tables must not take any stage outside them.
#include <gtest/gtest.h>

#include "grades/offset_points.h"
#include "grades/point_selection.h"
#include "grades/slopes.h"
#include "section_builder.h"

namespace corvane {
namespace {

TEST(TableBounds, EveryStageStopsAtTheLastRecordAndTheLastSlot) {
    for (const std::string& roadway : {kUndivided, kDivided}) {
        CrossSectionTables tables = testing::MakeTables(1);
        for (SectionTable* table :
             {&tables.Sections, &tables.SectionsLeft, &tables.SectionsRight}) {
            for (CrossSection& section : *table) {
                for (int k = 0; k < kPointCapacity; ++k) {
                    section.PointCode[k] = "CL";
                    section.PointOffset[k] = std::to_string(k);
                    section.PointElevation[k] = "100";
                }
                section.LastPoint = 40;
            }
        }
        tables.StationCount = 5000;
        Settings settings = testing::SettingsFor(roadway);
        settings.LeftOffsetFrom = kFromLastPoint;
        settings.LeftOffsetDistance = "1";
        settings.RightOffsetFrom = kFromLastPoint;
        settings.RightOffsetDistance = "1";
        OptionFlags flags;
        RecordingMessages messages;

        CalculateSlopes(tables, settings);
        CalculateOffsetPoints(tables, settings);
        EXPECT_TRUE(FilterPoints(tables, settings, flags, messages));
        KeepAllPoints(tables, settings, flags);

        const SectionTable& table = roadway == kDivided ? tables.SectionsRight : tables.Sections;
        const CrossSection& last = table.back();
        EXPECT_EQ(last.PointSlope[29], ".00") << roadway;
        EXPECT_EQ(last.PointSlope[30], "") << roadway;
        EXPECT_EQ(last.RightOffsetPt.Offset, "31") << roadway;
        const SectionTable& selected =
            roadway == kDivided ? tables.SelectedSectionsRight : tables.SelectedSections;
        EXPECT_EQ(selected.back().PointCode[30], "CL") << roadway;
    }
}

}  // namespace
}  // namespace corvane
