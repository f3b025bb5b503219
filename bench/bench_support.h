// What every benchmark needs: the generated largest files, a state that has run
// the whole Preview pipeline on one of them, and the process's memory figures.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>

#include "app/run_driver.h"
#include "input/messages.h"
#include "report/state.h"

#ifndef CORVANE_BENCH_DATA_DIR
#error "the build passes the folder of the generated files"
#endif

namespace corvane::bench {

enum class Roadway { Undivided, Divided };

inline std::string LargestFile(Roadway roadway) {
    return std::string(CORVANE_BENCH_DATA_DIR) +
           (roadway == Roadway::Undivided ? "/largest-undivided.csv" : "/largest-divided.csv");
}

// Counts the messages instead of keeping them: a benchmark repeats a stage
// thousands of times and must not grow a list while it does.
class CountingMessages : public Messages {
  public:
    void Show(const std::string& text) override {
        ++count;
        last = text;
    }
    int count = 0;
    std::string last;
};

// The main window's controls as a person previewing the whole book leaves them.
inline PreviewInputs AllPointsInputs() {
    PreviewInputs inputs;
    inputs.ProjectNumber = "0417-60";
    inputs.ControlNumber = "11010";
    return inputs;
}

// Both offset points, so CalculateOffsetPoints has work to do.
inline PreviewInputs OffsetPointInputs() {
    PreviewInputs inputs = AllPointsInputs();
    inputs.LeftOffsetTicked = true;
    inputs.RightOffsetTicked = true;
    inputs.LeftOffsetDistance = "10";
    inputs.RightOffsetDistance = "12.5";
    inputs.RightOffsetFrom = kFromCenterLine;
    return inputs;
}

// A state on which the whole Preview pipeline has run for the file, Letter
// page, fixed header date. A benchmark without a laid-out book measures
// nothing, so any failure ends the program with its message.
inline void PrepareState(State& state, Roadway roadway,
                         const PreviewInputs& inputs = AllPointsInputs()) {
    InitializeState(state);
    state.settings.InputFile = LargestFile(roadway);
    state.layout.HeaderDate = "06 01 2026";
    if (!std::ifstream(state.settings.InputFile)) {
        std::cerr << "missing " << state.settings.InputFile
                  << ": build the bench_data target first\n";
        std::exit(1);
    }
    CountingMessages messages;
    PreviewHooks noWindow;
    if (RunPreview(state, inputs, messages, noWindow) != RunOutcome::Shown) {
        std::cerr << "the pipeline stopped on " << state.settings.InputFile << ": " << messages.last
                  << '\n';
        std::exit(1);
    }
}

// The number of pages of the laid-out book, both sides of a divided roadway.
inline int BookPages(const State& state) {
    if (ToUpper(state.settings.RoadwayType) == kDivided)
        return state.cursor.LastPageLeft + 1 + state.cursor.LastPageRight + 1;
    return state.cursor.LastPage + 1;
}

// Resident and peak resident memory of this process in kB, from /proc.
struct MemoryFigures {
    long residentKb = 0;
    long peakResidentKb = 0;
};

inline MemoryFigures ReadMemoryFigures() {
    MemoryFigures figures;
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "VmRSS:")
            status >> figures.residentKb;
        else if (key == "VmHWM:")
            status >> figures.peakResidentKb;
        status.ignore(4096, '\n');
    }
    return figures;
}

}  // namespace corvane::bench
