// The Preview run from the main window's inputs to the laid-out book.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/run_driver.h"

namespace corvane {
namespace {

const std::string kData = CORVANE_TEST_DATA;

// Records what the window would do at each hook.
class RecordingHooks : public PreviewHooks {
  public:
    void ShowFontAndPrinterDialog(State&) override { ++dialogs; }
    void ShowViewer(State& state) override {
        ++viewers;
        sideShown = state.settings.CurrentSide;
        pageShown = state.cursor.CurrentPage;
    }
    int dialogs = 0;
    int viewers = 0;
    std::string sideShown;
    int pageShown = -1;
};

class RunPreviewTest : public ::testing::Test {
  protected:
    void SetUp() override {
        InitializeState(state);
        inputs.ProjectNumber = "0417";
        inputs.ControlNumber = "60-1";
    }
    RunOutcome Run(const std::string& file) {
        state.settings.InputFile = file;
        return RunPreview(state, inputs, messages, hooks);
    }
    State state;
    PreviewInputs inputs;
    RecordingMessages messages;
    RecordingHooks hooks;
};

TEST_F(RunPreviewTest, MissingNumbersOnlyRemindAndTheBookIsStillMade) {
    inputs.ProjectNumber.clear();
    EXPECT_EQ(Run(kData + "/short-undivided.csv"), RunOutcome::Shown);
    EXPECT_EQ(messages.shown,
              std::vector<std::string>{"Please Enter Project Number and Control Number"});
    EXPECT_EQ(hooks.viewers, 1);
    EXPECT_EQ(state.settings.ProjectNumber, "");
}

TEST_F(RunPreviewTest, EmptyDistancesStopWithTheLeftMessageFirst) {
    inputs.LeftOffsetTicked = inputs.RightOffsetTicked = true;
    EXPECT_EQ(Run(kData + "/short-undivided.csv"), RunOutcome::Stopped);
    EXPECT_EQ(messages.shown, std::vector<std::string>{"Please Enter Left offset distance"});

    messages.shown.clear();
    inputs.LeftOffsetTicked = false;
    EXPECT_EQ(Run(kData + "/short-undivided.csv"), RunOutcome::Stopped);
    EXPECT_EQ(messages.shown, std::vector<std::string>{"Please Enter Right offset distance"});
    EXPECT_EQ(hooks.dialogs, 0);
}

TEST_F(RunPreviewTest, DistanceThatIsNoNumberStopsBeforeReading) {
    inputs.RightOffsetTicked = true;
    inputs.RightOffsetDistance = "5 ft";
    EXPECT_EQ(Run(kData + "/short-undivided.csv"), RunOutcome::Stopped);
    EXPECT_EQ(messages.shown, std::vector<std::string>{"Right offset distance must be a number"});
    EXPECT_EQ(state.tables.StationCount, 0);
}

TEST_F(RunPreviewTest, UntickedSideKeepsItsEarlierOffsetSettings) {
    state.settings.LeftOffsetDistance = "3";
    state.settings.LeftOffsetFrom = kFromCenterLine;
    inputs.RightOffsetTicked = true;
    inputs.RightOffsetDistance = "2.5";
    inputs.RightOffsetFrom = kFromCenterLine;
    ASSERT_EQ(Run(kData + "/short-undivided.csv"), RunOutcome::Shown);
    EXPECT_EQ(state.settings.LeftOffsetDistance, "3");
    EXPECT_EQ(state.settings.LeftOffsetFrom, kFromCenterLine);
    EXPECT_EQ(state.settings.RightOffsetDistance, "2.5");
    EXPECT_EQ(state.flags.LeftOffsetPoints, 0);
    EXPECT_EQ(state.flags.RightOffsetPoints, 1);
}

TEST_F(RunPreviewTest, FileNameWithoutCsvDoesNothing) {
    EXPECT_EQ(Run(kData + "/short-undivided.txt"), RunOutcome::Stopped);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(hooks.dialogs, 0);
}

TEST_F(RunPreviewTest, LowerCaseCsvIsAccepted) {
    EXPECT_EQ(Run(kData + "/short-undivided.csv"), RunOutcome::Shown);
    EXPECT_EQ(ToUpper(state.settings.RoadwayType), kUndivided);
    EXPECT_EQ(hooks.dialogs, 1);
    EXPECT_EQ(hooks.pageShown, 0);
}

TEST_F(RunPreviewTest, DividedRoadwayOpensOnTheFirstLeftPage) {
    ASSERT_EQ(Run(kData + "/i4-divided.csv"), RunOutcome::Shown);
    EXPECT_EQ(hooks.sideShown, kLeftSide);
    EXPECT_EQ(hooks.pageShown, 0);
    EXPECT_GE(state.cursor.LastPageLeft, 0);
    EXPECT_GE(state.cursor.LastPageRight, 0);
    EXPECT_FALSE(state.stations.Combo1.empty());
    EXPECT_FALSE(state.stations.Combo2.empty());
}

TEST_F(RunPreviewTest, StationListsStartEmptyOnEveryRun) {
    ASSERT_EQ(Run(kData + "/i4-divided.csv"), RunOutcome::Shown);
    ASSERT_EQ(Run(kData + "/short-undivided.csv"), RunOutcome::Shown);
    EXPECT_TRUE(state.stations.Combo2.empty());
    ASSERT_FALSE(state.stations.Combo1.empty());
    EXPECT_EQ(state.stations.Combo1.front(), "1            " + state.report.FinalReport[0].Station);
    for (const std::string& entry : state.stations.Combo1)
        EXPECT_EQ(entry.find(" EB"), std::string::npos)
            << "an entry of the earlier book: " << entry;
}

TEST_F(RunPreviewTest, RejectedFileStopsBeforeTheDialog) {
    EXPECT_EQ(Run(kData + "/does-not-exist.csv"), RunOutcome::Stopped);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].find("occured in GpkBlueTops"), std::string::npos);
    EXPECT_EQ(hooks.dialogs, 0);
}

TEST_F(RunPreviewTest, FilteredRunKeepsOnlyTheTickedTypes) {
    inputs.CheckAllPoints = false;
    state.flags = OptionFlags{0, 0, 0, 0, 0, 0, 1, 0, 0};  // centre line only
    ASSERT_EQ(Run(kData + "/short-undivided.csv"), RunOutcome::Shown);
    for (int32_t i = 0; i <= state.tables.StationCount; ++i) {
        if (state.tables.Sections[i].LastPoint < 0)
            continue;  // the empty record a final separator opens
        const CrossSection& kept = state.tables.SelectedSections[i];
        EXPECT_EQ(kept.LastPoint, 0) << "station " << i;
        EXPECT_EQ(kept.PointCode[0], "CL") << "station " << i;
    }
}

}  // namespace
}  // namespace corvane
