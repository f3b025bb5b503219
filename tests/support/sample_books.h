// The books of a report file as the chain makes them, and the golden files
// whole books are checked against.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "common/messages.h"
#include "grades/offset_points.h"
#include "grades/point_selection.h"
#include "grades/slopes.h"
#include "input/read_roadway.h"
#include "report/report_book.h"

namespace corvane::test {

inline const OffsetRequests kBothOffsets{{true, 2, OffsetFrom::LastPoint},
                                         {true, 3, OffsetFrom::CenterLine}};

// The books of a file with every point kept and the offset points asked for.
inline std::vector<Book> BooksOf(const std::string& path, const OffsetRequests& offsets = {}) {
    RecordingMessages messages;
    ReadResult read = ReadRoadway(path, messages);
    EXPECT_EQ(read.Outcome, ReadOutcome::Read) << path;
    SlopedRoadway sloped = CalculateSlopes(std::move(read.Roadway));
    if (offsets.Any()) {
        sloped.Roadway = AddOffsetPoints(std::move(sloped.Roadway), offsets, sloped.NumberFormat);
    }
    Selection selection = KeepAllPoints(std::move(sloped.Roadway));
    return BuildBooks(selection.Roadway,
                      {offsets, selection.ShowOffsetPoints, sloped.NumberFormat});
}

// A book of stations with these texts and nothing else.
inline Book BookOfStations(const std::vector<std::string>& texts) {
    Book book;
    for (const std::string& text : texts) {
        book.Stations.emplace_back().StationText = text;
    }
    return book;
}

// Byte for byte against tests/data/golden/`golden`; on a difference, the first
// line that differs, and the text made is left beside the build to look at.
inline void ExpectGolden(const std::string& made, const std::string& golden) {
    std::ifstream file(CORVANE_TEST_DATA "/golden/" + golden, std::ios::binary);
    const std::string want{std::istreambuf_iterator<char>(file), {}};
    const auto at = std::mismatch(made.begin(), made.end(), want.begin(), want.end()).first;
    EXPECT_TRUE(!want.empty() && made == want)
        << golden << " line " << std::count(made.begin(), at, '\n') + 1 << ": "
        << made.substr(made.rfind('\n', static_cast<size_t>(at - made.begin())) + 1, 100);
    if (made != want) {
        std::ofstream(golden + ".made", std::ios::binary) << made;
    }
}

}  // namespace corvane::test
