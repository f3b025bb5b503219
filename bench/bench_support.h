// What every benchmark needs: the generated largest files, the books a
// Preview run prepares from one of them, and the process's memory figures.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>
#include <variant>

#include "app/book_run.h"
#include "common/messages.h"

#ifndef CORVANE_BENCH_DATA_DIR
#error "the build passes the folder of the generated files"
#endif

namespace corvane::bench {

inline std::string LargestFile(RoadwayType type) {
    return std::string(CORVANE_BENCH_DATA_DIR) +
           (type == RoadwayType::Undivided ? "/largest-undivided.csv" : "/largest-divided.csv");
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

// The main window's controls as a person previewing the whole book leaves
// them, with a fixed header date so runs are alike.
inline RunInputs AllPointsInputs(RoadwayType type) {
    RunInputs inputs;
    inputs.InputFile = LargestFile(type);
    inputs.ProjectNumber = "0417-60";
    inputs.ControlNumber = "11010";
    inputs.HeaderDate = "06 01 2026";
    return inputs;
}

// Both offset points, so AddOffsetPoints has work to do.
inline RunInputs OffsetPointInputs(RoadwayType type) {
    RunInputs inputs = AllPointsInputs(type);
    inputs.LeftOffset = {true, "10", OffsetFrom::LastPoint};
    inputs.RightOffset = {true, "12.5", OffsetFrom::CenterLine};
    return inputs;
}

// The books a Preview run prepares on a Letter page. A benchmark without
// books measures nothing, so any failure ends the program with its message.
inline PreparedBooks PrepareLargest(const RunInputs& inputs) {
    if (!std::ifstream(inputs.InputFile)) {
        std::cerr << "missing " << inputs.InputFile << ": build the bench_data target first\n";
        std::exit(1);
    }
    CountingMessages messages;
    RunHooks noWindow;
    auto prepared = PrepareBooks(inputs, messages, noWindow);
    if (auto* books = std::get_if<PreparedBooks>(&prepared))
        return std::move(*books);
    std::cerr << "the run stopped on " << inputs.InputFile << ": " << messages.last << '\n';
    std::exit(1);
}

inline PreparedBooks PrepareLargest(RoadwayType type) {
    return PrepareLargest(AllPointsInputs(type));
}

// The number of pages of the books, both sides of a divided roadway.
inline int BookPages(const PreparedBooks& books) {
    int pages = 0;
    for (const PaginatedBook& book : books.Books)
        pages += book.Pagination.LastPage + 1;
    return pages;
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
