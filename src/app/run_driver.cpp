#include "app/run_driver.h"

#include <exception>

#include "grades/number_text.h"
#include "grades/offset_points.h"
#include "grades/point_selection.h"
#include "grades/slopes.h"
#include "input/paving_grades_reader.h"
#include "report/page_count.h"
#include "report/page_header.h"
#include "report/page_layout.h"
#include "report/page_renderer.h"
#include "report/report_table.h"

namespace corvane {

namespace {

constexpr int kPageLength = 50;

// Steps 2 and 3: the reminder, then the checks that stop the run before
// anything is read. Returns false when the run must stop.
bool CheckInputs(const PreviewInputs& inputs, Messages& messages) {
    if (inputs.ProjectNumber.empty() || inputs.ControlNumber.empty())
        messages.Show("Please Enter Project Number and Control Number");

    if (inputs.LeftOffsetTicked && inputs.LeftOffsetDistance.empty()) {
        messages.Show("Please Enter Left offset distance");
        return false;
    }
    if (inputs.RightOffsetTicked && inputs.RightOffsetDistance.empty()) {
        messages.Show("Please Enter Right offset distance");
        return false;
    }
    // A distance that is not a number would leave the offset point half
    // computed; better to say so before anything is read.
    if (inputs.LeftOffsetTicked && !ParseNumber(inputs.LeftOffsetDistance)) {
        messages.Show("Left offset distance must be a number");
        return false;
    }
    if (inputs.RightOffsetTicked && !ParseNumber(inputs.RightOffsetDistance)) {
        messages.Show("Right offset distance must be a number");
        return false;
    }
    return true;
}

// Steps 4 and 5. A side that is not ticked keeps its earlier distance and choice.
void CopyInputs(const PreviewInputs& inputs, Settings& settings, OptionFlags& flags) {
    if (inputs.LeftOffsetTicked) {
        settings.LeftOffsetDistance = inputs.LeftOffsetDistance;
        settings.LeftOffsetFrom = inputs.LeftOffsetFrom;
    }
    if (inputs.RightOffsetTicked) {
        settings.RightOffsetDistance = inputs.RightOffsetDistance;
        settings.RightOffsetFrom = inputs.RightOffsetFrom;
    }
    flags.LeftOffsetPoints = inputs.LeftOffsetTicked ? 1 : 0;
    flags.RightOffsetPoints = inputs.RightOffsetTicked ? 1 : 0;
    settings.ProjectNumber = inputs.ProjectNumber;
    settings.ControlNumber = inputs.ControlNumber;
}

// Steps 8 to 12: from the file to the final report table.
RunOutcome BuildReport(State& state, const PreviewInputs& inputs, Messages& messages) {
    switch (GpkBlueTops(state.tables, state.settings, messages)) {
        case ReadOutcome::Read:
            break;
        case ReadOutcome::Rejected:
            return RunOutcome::Stopped;
        case ReadOutcome::EndProgram:
            return RunOutcome::EndProgram;
    }

    CalculateSlopes(state.tables, state.settings);
    if (inputs.LeftOffsetTicked || inputs.RightOffsetTicked)
        CalculateOffsetPoints(state.tables, state.settings);

    if (inputs.CheckAllPoints)
        KeepAllPoints(state.tables, state.settings, state.flags);
    else if (!FilterPoints(state.tables, state.settings, state.flags, messages))
        return RunOutcome::Stopped;

    WritetoFinalReport(state.tables, state.settings, state.flags, state.report);
    return RunOutcome::Shown;
}

// The chosen printer's page must hold every text of the layout: a smaller one
// would clip the book, a taller one starts no station block and so no page
// would ever end the count.
bool CheckPrinterPage(const PageSize& page, Messages& messages) {
    if (PageFitsLayout(page))
        return true;
    messages.Show("The printer's page of " + PageCellsText(page) +
                  " cells is outside the range the book fits on: " + AcceptedPageRangeText() +
                  ". Please choose another printer.");
    return false;
}

// Step 14: measure the page on the viewer, then lay out every book once.
bool CountPages(State& state, Surface& viewer, Messages& messages) {
    const std::string roadway = ToUpper(state.settings.RoadwayType);
    if (roadway == kUndivided) {
        PrintRDSForm(viewer, state);
        return PageCountLeft(state, messages) && PageCountRight(state, messages);
    }
    if (roadway == kDivided) {
        state.settings.CurrentSide = kLeftSide;
        PrintRDSForm(viewer, state);
        const bool counted = PageCountLeft(state, messages) && PageCountRight(state, messages);
        // Counting the right side leaves it current; the book opens on the left.
        state.settings.CurrentSide = kLeftSide;
        return counted;
    }
    return false;
}

RunOutcome RunSteps(State& state, const PreviewInputs& inputs, Messages& messages,
                    PreviewHooks& hooks) {
    state.settings.NumberFormat = kInitialNumberFormat;
    if (!CheckInputs(inputs, messages))
        return RunOutcome::Stopped;
    CopyInputs(inputs, state.settings, state.flags);

    if (ToUpper(state.settings.InputFile).find(".CSV") == std::string::npos) {
        hooks.FileNameRefused(state.settings.InputFile);
        return RunOutcome::Stopped;
    }

    state.cursor.CurrentPage = 0;
    // The finder's entries of an earlier book would send the viewer to wrong pages.
    state.stations.Combo1.clear();
    state.stations.Combo2.clear();

    if (const RunOutcome built = BuildReport(state, inputs, messages); built != RunOutcome::Shown)
        return built;

    hooks.ShowFontAndPrinterDialog(state);
    if (!CheckPrinterPage(state.layout.CurrentPrinterPage, messages))
        return RunOutcome::Stopped;

    NullSurface hiddenViewer;
    Surface* viewer = hooks.ViewerSurface();
    if (viewer == nullptr)
        viewer = &hiddenViewer;
    if (!CountPages(state, *viewer, messages))
        return RunOutcome::Stopped;
    if (!ToPrintAllForms(*viewer, state, kPageLength, messages))
        return RunOutcome::Stopped;

    hooks.ShowViewer(state);
    return RunOutcome::Shown;
}

}  // namespace

RunOutcome RunPreview(State& state, const PreviewInputs& inputs, Messages& messages,
                      PreviewHooks& hooks) {
    try {
        return RunSteps(state, inputs, messages, hooks);
    } catch (const std::exception&) {
        // Out of memory and the like: what the earlier steps produced stays.
        messages.Show("Error occured in Command3_click");
        return RunOutcome::Stopped;
    }
}

void InitializeState(State& state) {
    state = State{};
    ResetTables(state.tables);
}

}  // namespace corvane
