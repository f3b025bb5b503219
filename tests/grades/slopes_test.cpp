#include "grades/slopes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "roadway_builder.h"

namespace corvane::testing {
namespace {

const Texts kFlat(5, "1");  // elevations, as many as the points need

// One station alone on its roadway: its points
// P0, P1, ... in their order after the slopes, and the slope on each.
TEST(CalculateSlopes, SlopeOfEachSegmentOnItsFirstPointAfterOrdering) {
    struct Case {
        RoadwayType type;
        Texts offsets;
        Texts elevations;
        Texts order;
        Texts slopes;
    };
    // clang-format off
    for (const Case& c : {
        // A gap of exactly 0.2 counts on divided roadways only; 10.2 - 10 lies below it.
        Case{kUndivided, {"0", "0.2"}, {"100", "100.01"}, {"P0", "P1"}, {"", ""}},
        Case{kDivided, {"0", "0.2"}, {"100", "100.01"}, {"P0", "P1"}, {"5.00", ""}},
        Case{kUndivided, {"10", "10.2"}, {"100", "101"}, {"P0", "P1"}, {"", ""}},
        Case{kDivided, {"10", "10.2"}, {"100", "101"}, {"P0", "P1"}, {"", ""}},
        // The sign follows the rise, whichever way the offsets go.
        Case{kUndivided, {"12", "0"}, {"100.25", "100.00"}, {"P0", "P1"}, {"-2.08", ""}},
        Case{kUndivided, {"0", "12", "24", "29"}, {"100.00", "100.25", "100.19", "100.19"},
             {"P0", "P1", "P2", "P3"}, {"2.08", "-.50", ".00", ""}},
        Case{kUndivided, {"5"}, {"100"}, {"P0"}, {""}},
        Case{kUndivided, {"0", "x", "12", "24", "36"}, {"100", "100", "100", "", "101"},
             {"P0", "P1", "P2", "P3", "P4"}, {"", "", "", "", ""}},
        Case{kUndivided, {"8", "2", "4"}, kFlat, {"P0", "P1", "P2"}, {".00", ".00", ""}},
        // On a divided roadway the first point goes where its offset puts it, after
        // equal offsets, but never past the last point; slopes follow the new order.
        Case{kDivided, {"8", "2", "4", "6", "10"}, kFlat, {"P1", "P2", "P3", "P0", "P4"},
             {".00", ".00", ".00", ".00", ""}},
        Case{kDivided, {"1", "2", "4"}, kFlat, {"P0", "P1", "P2"}, {".00", ".00", ""}},
        Case{kDivided, {"12", "2", "4", "6", "10"}, kFlat, {"P1", "P2", "P3", "P0", "P4"},
             {".00", ".00", ".00", ".00", ""}},
        Case{kDivided, {"10", "2", "10"}, kFlat, {"P1", "P0", "P2"}, {".00", "", ""}},
        Case{kDivided, {"9", "2"}, kFlat, {"P0", "P1"}, {".00", ""}},
        Case{kDivided, {"4.0", "2", "4", "4.00", "6"}, kFlat, {"P1", "P2", "P3", "P0", "P4"},
             {".00", "", "", ".00", ""}},
        Case{kDivided, {"8", "2", "4", "10"}, {"100.3", "100", "100.1", "100.3"},
             {"P1", "P2", "P0", "P3"}, {"5.00", "5.00", ".00", ""}},
        Case{kDivided, {"3", "1", "4.1"}, {"100", "101", "99.69"}, {"P1", "P0", "P2"},
             {"-50.00", "-28.18", ""}},
    }) {
        // clang-format on
        Station station = StationAt(
            c.offsets, Texts(c.elevations.begin(), c.elevations.begin() + c.offsets.size()));
        for (Point& point : station.Points) {
            point.Slope = "stale";
        }
        const Station sloped =
            CalculateSlopes(RoadwayOf(c.type, {station}, {station})).Roadway.Left.at(0);
        EXPECT_EQ(Column(sloped, &Point::Code), c.order) << c.offsets[0] << c.offsets.size();
        EXPECT_EQ(Column(sloped, &Point::Slope), c.slopes) << c.offsets[0] << c.offsets.size();
        for (const Point& point : sloped.Points) {  // offsets and elevations travel with their code
            const size_t j = static_cast<size_t>(point.Code[1] - '0');
            EXPECT_EQ(point.Offset + point.Elevation, c.offsets[j] + c.elevations[j]);
        }
    }
}

TEST(CalculateSlopes, NumberFormatGrowsByTheDecimalsOfTheFirstOffsetAsWritten) {
    struct Case {
        RoadwayType type;
        Texts firstOffsets;  // of the first station; a second one has "1.125"
        std::string format;
    };
    // clang-format off
    for (const Case& c : {Case{kUndivided, {"-7.2500", "20"}, "##.000000"},
             Case{kUndivided, {"-12.500", "20"}, "##.00000"},
             Case{kUndivided, {"12", "20"}, "##.0000"},
             Case{kUndivided, {"", "20"}, "##.00"}, Case{kUndivided, {"3.", "20"}, "##.00"},
             Case{kUndivided, {}, "##.00"},  // a first station without points
             Case{kDivided, {"8.125", "2", "10"}, "##.00000"}}) {  // before reordering
        // clang-format on
        const SlopedRoadway sloped = CalculateSlopes(
            RoadwayOf(c.type, {StationAt(c.firstOffsets, kFlat), StationAt({"1.125"}, {"1"})},
                      {Station{}, Station{}}));
        EXPECT_EQ(sloped.NumberFormat, c.format);
    }
    // Slopes keep two decimals whatever the format.
    EXPECT_EQ(Column(CalculateSlopes(RoadwayOf(kUndivided, {StationAt({"-12.500", "0.000"},
                                                                      {"99.760", "100.000"})}))
                         .Roadway.Left[0],
                     &Point::Slope),
              (Texts{"1.92", ""}));
}

TEST(CalculateSlopes, MessageStationsAreLeftUntouched) {
    Station message = StationAt({"8", "2", "4"}, {"100", "101", "102"});
    message.MessageKind = "ERROR";
    for (Point& point : message.Points) {
        point.Slope = "old";
    }
    for (const RoadwayType type : {kUndivided, kDivided}) {
        const Station after =
            CalculateSlopes(RoadwayOf(type, {message}, {message})).Roadway.Left[0];
        EXPECT_EQ(Column(after, &Point::Offset), Column(message, &Point::Offset));
        EXPECT_EQ(Column(after, &Point::Slope), Column(message, &Point::Slope));
    }
}

}  // namespace
}  // namespace corvane::testing
