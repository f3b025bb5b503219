#include "printing_book.h"

#include "input/messages.h"
#include "report/page_count.h"

namespace corvane::test {

namespace {

ReportBook MakeBook(const std::string& prefix, int stations, int lastLine) {
    ReportBook book(static_cast<size_t>(stations));
    for (int i = 0; i < stations; ++i) {
        ReportStation& station = book[static_cast<size_t>(i)];
        station.Label = "Cross Sec. Sta.";
        station.Station = StationText(prefix, i);
        station.LastLine = lastLine;
        for (int line = 0; line <= lastLine; ++line) {
            station.Cells[static_cast<size_t>(line)][0] = {"CL", "0.00", "100.00", "2"};
        }
    }
    return book;
}

void Prepare(State& state, const std::string& roadway, int stations) {
    state = State{};
    state.settings.RoadwayType = roadway;
    state.settings.ProjectNumber = "P-1";
    state.tables.StationCount = stations - 1;
    state.layout.CurrentPrinterPage = PageSize{96, 63};
    state.layout.PageColumns = 96;
    state.layout.PageLines = 63;
    state.layout.HeaderDate = "12 06 2026";
}

}  // namespace

std::string StationText(const std::string& prefix, int index) {
    return prefix + std::to_string(index) + "+00";
}

void MakeUndividedBook(State& state, int stations) {
    Prepare(state, kUndivided, stations);
    state.report.FinalReport = MakeBook("", stations, 0);
    RecordingMessages messages;
    PageCountLeft(state, messages);
    PageCountRight(state, messages);
}

void MakeDividedBook(State& state, int stations) {
    Prepare(state, kDivided, stations);
    state.report.FinalReportLeft = MakeBook("L", stations, 0);
    state.report.FinalReportRight = MakeBook("R", stations, 1);
    RecordingMessages messages;
    PageCountLeft(state, messages);
    PageCountRight(state, messages);
    state.settings.CurrentSide = kLeftSide;
}

}  // namespace corvane::test
