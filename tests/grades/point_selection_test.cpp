#include "grades/point_selection.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "roadway_builder.h"

namespace corvane::testing {
namespace {

using P = PointTypes;

PointTypes Only(std::initializer_list<bool PointTypes::*> ticked) {
    PointTypes types{false, false, false, false, false, false, false};
    for (bool PointTypes::*type : ticked) {
        types.*type = true;
    }
    return types;
}

// Points with the given codes at offsets 0, 10, 20, ..., elevations 100, 101, ...
Station Coded(const Texts& codes) {
    Texts offsets;
    Texts elevations;
    for (std::size_t j = 0; j < codes.size(); ++j) {
        offsets.push_back(std::to_string(10 * j));
        elevations.push_back(std::to_string(100 + j));
    }
    return StationAt(offsets, elevations, codes);
}

// The station kept from one undivided station with the given types.
Station Kept(const Station& station, const PointTypes& types, RoadwayType type = kUndivided) {
    RecordingMessages messages;
    std::optional<Selection> selection = SelectPoints(RoadwayOf(type, {station}), types, messages);
    EXPECT_TRUE(messages.shown.empty());
    return selection ? selection->Roadway.Left.at(0) : Station{};
}

TEST(SelectPoints, KeepsTheCodesOfTheTickedTypes) {
    struct Case {
        Texts codes;
        PointTypes types;
        Texts kept;
    };
    for (const Case& c : {
             // Only the edge of pavement test compares letters as they are.
             Case{{"CL", "LtSgEOP", "lteop", "RtSgEOP", "EOPx"},
                  Only({&P::EdgeOfPavement}),
                  {"LtSgEOP", "RtSgEOP", "EOPx"}},
             Case{{"br", "BR", "Brk", "CL"}, Only({&P::BreakPoints}), {"br", "BR", "Brk"}},
             Case{{"CL", "XCL", "cl1", "C L"}, Only({&P::CLPoints}), {"CL", "XCL", "cl1"}},
             Case{{"jl", "FOC", "Boc"}, Only({&P::JLPoints}), {"jl"}},
             Case{{"jl", "foc", "Boc"}, Only({&P::FOCPoints}), {"foc"}},
             Case{{"jl", "FOC", "Boc"}, Only({&P::BOCPoints}), {"Boc"}},
             // A point of several types is kept once a type, in the order of the types.
             Case{{"CL", "BOCCL", "BOC", "x"},
                  Only({&P::BOCPoints, &P::CLPoints, &P::BreakPoints}),
                  {"CL", "BOCCL", "BOCCL", "BOC"}},
             Case{{"BRCL"}, PointTypes{}, {"BRCL", "BRCL"}},
             // Nothing kept shows as one empty point.
             Case{{"CL", "BOC"}, Only({&P::OffsetPoints}), {""}},
             Case{{}, PointTypes{}, {""}},
             // Thirty-one copies fit.
             Case{Texts(31, "CL"), Only({&P::CLPoints}), Texts(31, "CL")},
         }) {
        const Station kept = Kept(Coded(c.codes), c.types);
        EXPECT_EQ(Column(kept, &Point::Code), c.kept) << c.codes.size();
        EXPECT_EQ(kept.Points.back().Slope, "");
    }
}

TEST(SelectPoints, KeptPointsGetSlopesOfTheirOwnAndKeepTheirStation) {
    const PointTypes clAndBoc = Only({&P::CLPoints, &P::BOCPoints});
    // The EOP at 0.1 lies between the CL and the BOC.
    Station station = StationAt({"0", "0.1", "12", "24"}, {"100", "90", "100.25", "100.25"},
                                {"CL", "EOP", "BOC", "FOC"});
    station.StationText = "2389+00.00 R1";
    station.LeftOffsetPt = {"-14", "99.72"};
    station.Points[0].Slope = "-100.00";
    Station kept = Kept(station, clAndBoc);
    EXPECT_EQ(Column(kept, &Point::Offset), (Texts{"0", "12"}));
    EXPECT_EQ(Column(kept, &Point::Slope), (Texts{"2.08", ""}));
    EXPECT_EQ(kept.StationText + kept.LeftOffsetPt.Offset, "2389+00.00 R1-14");
    // Duplicates have no slope between them.
    kept = Kept(StationAt({"0", "5", "10"}, {"100", "1", "101"}, {"BOCCL", "X", "CL"}), clAndBoc);
    EXPECT_EQ(Column(kept, &Point::Slope), (Texts{"", "10.00", ""}));
    // The gap rule is that of the roadway type.
    const Station narrow = StationAt({"0", "0.2"}, {"100", "100.01"}, {"CL", "CL"});
    EXPECT_EQ(Column(Kept(narrow, clAndBoc), &Point::Slope), (Texts{"", ""}));
    EXPECT_EQ(Column(Kept(narrow, clAndBoc, kDivided), &Point::Slope), (Texts{"5.00", ""}));
    // A message station keeps its message; its points are tested, and get no slopes.
    station.MessageKind = "ERROR";
    station.MessageText = "Bad section";
    kept = Kept(station, clAndBoc);
    EXPECT_EQ(kept.MessageKind + " " + kept.MessageText, "ERROR Bad section");
    EXPECT_EQ(Column(kept, &Point::Code), (Texts{"CL", "BOC"}));
    EXPECT_EQ(Column(kept, &Point::Slope), (Texts{"", ""}));
}

TEST(SelectPoints, MoreThanThirtyOneCopiesStopTheRunNamingTheStation) {
    Station crowded = Coded(Texts(16, "BOCCL"));
    crowded.StationText = "12+50.00";
    RecordingMessages messages;
    const PointTypes types = Only({&P::CLPoints, &P::BOCPoints});
    EXPECT_FALSE(SelectPoints(RoadwayOf(kDivided, {Coded({"CL"})}, {Coded({"CL"}), crowded}), types,
                              messages));
    EXPECT_FALSE(SelectPoints(RoadwayOf(kUndivided, {crowded}), types, messages));
    EXPECT_EQ(messages.shown,
              (Texts{"Program Error: Subscript out of range: station \"12+50.00\" (right side) has "
                     "more than 31 points to report occured in FilterPoints",
                     "Program Error: Subscript out of range: station \"12+50.00\" has more than 31 "
                     "points to report occured in FilterPoints"}));
}

// The offset points asked for are shown as the "Offset Points" box says, or
// always when every point is kept; keeping every point keeps the slopes too.
TEST(SelectPoints, OffsetPointsAreShownAsTickedOrWhenAllPointsAreKept) {
    RecordingMessages messages;
    EXPECT_FALSE(SelectPoints({}, Only({}), messages)->ShowOffsetPoints);
    EXPECT_TRUE(SelectPoints({}, Only({&P::OffsetPoints}), messages)->ShowOffsetPoints);
    Station station = Coded({"x", "CL", "y"});
    station.Points[0].Slope = "1.00";
    const Selection all = KeepAllPoints(RoadwayOf(kDivided, {station}, {Station{}}));
    EXPECT_TRUE(all.ShowOffsetPoints);
    EXPECT_EQ(Column(all.Roadway.Left[0], &Point::Code), (Texts{"x", "CL", "y"}));
    EXPECT_EQ(Column(all.Roadway.Left[0], &Point::Slope), (Texts{"1.00", "", ""}));
}

}  // namespace
}  // namespace corvane::testing
