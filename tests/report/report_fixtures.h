// Small in-memory books for the report tests.
#pragma once

#include <string>
#include <vector>

#include "report/recording_surface.h"
#include "report/state.h"

namespace corvane::test {

// A state with a fixed header date and a Letter page of 96 x 63 cells. The
// cross-section tables stay empty: the layout tests fill the books directly.
inline State FreshState() {
    State state;
    state.layout.HeaderDate = "07 04 2025";
    return state;
}

// A station block of `lines` cell lines, every cell filled with "P<line>.<column>".
inline ReportStation StationBlock(const std::string& station, int lines) {
    ReportStation block;
    block.Label = "Cross Sec. Sta.";
    block.Station = station;
    block.Column0Text = "MAIN";
    block.LastLine = lines - 1;
    for (int line = 0; line < lines; ++line) {
        for (int column = 0; column < kCellColumns; ++column) {
            const std::string name = "P" + std::to_string(line) + "." + std::to_string(column);
            block.Cells[line][column] = ReportCell{name, "-12.00", "100.50", "2.5"};
        }
    }
    return block;
}

// An undivided book of blocks with the given numbers of cell lines, stations "S0", "S1", ...
inline void UseUndividedBook(State& state, const std::vector<int>& linesPerStation) {
    state.settings.RoadwayType = "UNDIVIDED";
    state.report.FinalReport.clear();
    for (size_t i = 0; i < linesPerStation.size(); ++i) {
        state.report.FinalReport.push_back(
            StationBlock("S" + std::to_string(i), linesPerStation[i]));
    }
    state.tables.StationCount = static_cast<int32_t>(linesPerStation.size()) - 1;
}

inline void UsePage(State& state, double columns, double lines) {
    state.layout.CurrentPrinterPage = PageSize{columns, lines};
    state.layout.PageColumns = columns;
    state.layout.PageLines = lines;
}

// The texts recorded at one position.
inline std::vector<std::string> TextsAt(const RecordingSurface& surface, int x, int y) {
    std::vector<std::string> found;
    for (const RecordedText& text : surface.texts) {
        if (text.x == x && text.y == y) {
            found.push_back(text.text);
        }
    }
    return found;
}

// The first recorded text equal to `text`, or null.
inline const RecordedText* Find(const RecordingSurface& surface, const std::string& text) {
    for (const RecordedText& recorded : surface.texts) {
        if (recorded.text == text) {
            return &recorded;
        }
    }
    return nullptr;
}

}  // namespace corvane::test
