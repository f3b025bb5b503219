// The books of a roadway, and the whole Qt-free chain from the paving-grades
// file to the text of every page against the books checked by hand.
#include "report/report_book.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <string>
#include <tuple>
#include <utility>
#include <variant>
#include <vector>

#include "common/messages.h"
#include "grades/offset_points.h"
#include "grades/point_selection.h"
#include "input/read_roadway.h"
#include "report/make_books.h"
#include "report/text_book.h"
#include "support/sample_books.h"

namespace corvane {
namespace {

// A station of `points` points coded "C0", "C1", ... with offsets "-<j>.0",
// elevations "10<j>.5" and slopes "<j>.25", and both offset points.
Station MakeStation(int points) {
    Station station{"MAIN", "10+00", "10+00", {"-30", "99.5"}, {"30.123", "98"}, "", "", {}};
    for (int j = 0; j < points; ++j) {
        const std::string n = std::to_string(j);
        station.Points.push_back(Point{"C" + n, "-" + n + ".0", "10" + n + ".5", n + ".25"});
    }
    return station;
}

BookOptions Offsets(bool left, bool right, bool shown = true) {
    BookOptions options;
    options.Offsets.Left.Asked = left;
    options.Offsets.Right.Asked = right;
    options.ShowOffsetPoints = shown;
    return options;
}

std::vector<Book> Build(RoadwayType type, const Station& station, const BookOptions& options) {
    const std::vector<Station> right(type == RoadwayType::Divided ? 1 : 0, station);
    return BuildBooks(Roadway{type, {station}, right}, options);
}

// The cell labels line by line ("C0 C1 C2|C3"), offset points as "Lt" and "Rt".
std::string Layout(const ReportStation& block) {
    std::string layout;
    for (int line = 0; line <= block.LastLine; ++line) {
        layout += line > 0 ? "|" : "";
        for (int column = 0; column < kCellColumns; ++column) {
            std::string label = block.Cell(line, column).Name.str();
            label = label == "Lt. offsetPt." ? "Lt" : label == "Rt. offsetPt." ? "Rt" : label;
            layout += label.empty() || layout.empty() || layout.back() == '|' ? label : " " + label;
        }
    }
    return layout;
}

// Points fill three cells a line; the line counter moves on only when another
// point follows; the left offset point takes the first cell; the right one the
// next free cell, or on a divided roadway the last point's cell of an open line.
TEST(ReportBookTest, CellsAndLastLineOfAStation) {
    // The type, the points, the options, the layout of the undivided book or the left side, and
    // the right side's layout (empty: as the left).
    using Case = std::tuple<RoadwayType, int, BookOptions, std::string, std::string>;
    const RoadwayType kU = RoadwayType::Undivided;
    const RoadwayType kD = RoadwayType::Divided;
    // clang-format off
    const std::vector<Case> cases{
        {kU, 3, Offsets(false, false), "C0 C1 C2", ""},
        {kU, 4, Offsets(false, false), "C0 C1 C2|C3", ""},
        {kU, 3, Offsets(true, false), "Lt C0 C1|C2", ""},
        {kU, 3, Offsets(true, true, false), "C0 C1 C2", ""},
        {kU, 3, Offsets(false, true), "C0 C1 C2|Rt", ""},
        {kU, 5, Offsets(false, true), "C0 C1 C2|C3 C4 Rt", ""},
        {kU, 0, Offsets(true, true), "|Rt", ""},
        {kD, 2, Offsets(false, true), "C0 Rt", ""},
        {kD, 3, Offsets(false, true), "C0 C1 C2|Rt", ""},
        {kD, 1, Offsets(false, true), "Rt", "C0"},  // a right side's single point keeps its cell
        {kU, 30, Offsets(false, true), "C0 C1 C2|C3 C4 C5|C6 C7 C8|C9 C10 C11|C12 C13 C14|C15 C16 C17|C18 C19 C20|C21 C22 C23|C24 C25 C26|C27 C28 C29|Rt", ""},
        {kU, 31, Offsets(true, true), "Lt C0 C1|C2 C3 C4|C5 C6 C7|C8 C9 C10|C11 C12 C13|C14 C15 C16|C17 C18 C19|C20 C21 C22|C23 C24 C25|C26 C27 C28|C29 C30 Rt", ""}};
    // clang-format on
    for (const auto& [type, points, options, left, right] : cases) {
        const std::vector<Book> books = Build(type, MakeStation(points), options);
        EXPECT_EQ(Layout(books.at(0).Stations.at(0)), left) << left;
        if (type == kD) {
            EXPECT_EQ(books.at(1).Side, Side::Right);
            EXPECT_EQ(Layout(books[1].Stations.at(0)), right.empty() ? left : right);
        }
    }
}

// With a right offset point asked for, shown or not, the last point shows the
// slope before its own.
TEST(ReportBookTest, LastPointShowsThePreviousSlopeBesideARightOffsetPoint) {
    for (bool shown : {true, false}) {
        const ReportStation block =
            Build(RoadwayType::Undivided, MakeStation(3), Offsets(false, true, shown))[0]
                .Stations[0];
        EXPECT_EQ(block.Cell(0, 2).Slope, "1.25");
        EXPECT_EQ(
            block.Cell(1, 0),
            shown ? (ReportCell{"Rt. offsetPt.", "30.12", "98.00", "", "", true}) : ReportCell{});
    }
}

// On a divided roadway the right offset point takes the last point's cell
// whole: nothing of the point it replaces stays.
TEST(ReportBookTest, RightOffsetPointTakesTheLastPointsCellWhole) {
    const std::vector<Book> books =
        Build(RoadwayType::Divided, MakeStation(2), Offsets(false, true));
    const ReportCell& cell = books[0].Stations[0].Cell(0, 1);
    EXPECT_EQ(std::tie(cell.Name, cell.Slope, cell.Code, cell.IsOffsetPoint),
              std::make_tuple("Rt. offsetPt.", "", "", true));
}

TEST(ReportBookTest, MessageStationHasNoCellsAndNoOffsetPoint) {
    Station station = MakeStation(1);
    station.MessageKind = "ERROR";
    station.MessageText = "No cross section";
    const ReportStation block =
        Build(RoadwayType::Divided, station, Offsets(true, true))[0].Stations[0];
    EXPECT_EQ(std::tie(block.MessageKind, block.MessageText, block.LastLine),
              std::make_tuple("ERROR", "No cross section", 1));
    EXPECT_TRUE(block.Lines.empty());
}

// A slope as stored prints as itself; any other text is read and formatted
// again, as the page would print it.
TEST(ReportBookTest, PrintedSlopeOfStoredAndOtherTexts) {
    // clang-format off
    for (const auto& [slope, printed] : std::initializer_list<std::pair<const char*, const char*>>{
             {"-.58", "-.58"}, {".00", ".00"}, {"1234567890123.45", "1234567890123.45"},
             {"-.00", ".00"}, {"0.50", ".50"}, {"-0.5", "-.50"}, {" 2.50 ", "2.50"}, {"2.5", "2.50"},
             {"2.505", "2.51"}, {"+2.50", "2.50"}, {"12345678901234.00", "12345678901234.00"},
             {"99999999999999.99", "100000000000000.00"},
             {"99999999999999.995", "100000000000000.00"}, {"1e2", "100.00"}, {"2.5a", "2.5a"},
             {"", ""}, {".5", ".50"}, {"25.", "25.00"}, {"-", "-"}, {"-1.", "-1.00"}}) {
        // clang-format on
        ReportCell cell;
        cell.Slope = slope;
        EXPECT_EQ(PrintedSlope(cell), printed) << slope;
    }
}

// The whole code, case and blanks included, is compared.
TEST(ReportBookTest, SegmentNameTranslatesExactCodesOnly) {
    EXPECT_EQ(SegmentName("BR"), "Break");
    EXPECT_EQ(SegmentName("br") + SegmentName(" BR") + SegmentName("CL"), "br BRCL");
}

// The exports of the samples as checked by hand: the undivided one with every
// point; the divided one with offset, edge of pavement and JL points, a left
// offset point 2 from the last point and a right one 3 from the center line.
TEST(GoldenBookTest, SamplesMakeTheirCheckedBooks) {
    const PointTypes offsetEdgeAndJoint{true, false, true, true, false, false, false};
    const std::vector<std::tuple<std::string, std::string, std::string, ChainOptions>> cases{
        {"undivided-sample.csv", "undivided-sample.txt", "US 441", {}},
        {"divided-sample.csv",
         "divided-sample-offsets.txt",
         "SR 9B",
         {false, offsetEdgeAndJoint, test::kBothOffsets}}};
    for (const auto& [sample, golden, project, options] : cases) {
        SCOPED_TRACE(golden);
        RecordingMessages messages;
        ReadResult read = ReadRoadway(CORVANE_SAMPLES "/" + sample, messages);
        ASSERT_EQ(read.Outcome, ReadOutcome::Read);
        EXPECT_TRUE(messages.shown.empty());
        auto books = MakeBooks(std::move(read.Roadway), options, PageSize{96, 63}, messages);
        ASSERT_TRUE(std::holds_alternative<BookSet>(books));
        EXPECT_TRUE(messages.shown.empty());
        const std::string text = TextBook(std::get<BookSet>(books), {project, "12 06 2026", ""});
        test::ExpectGolden(text, golden);
    }
}

// A right offset point asked alone is made; a page the layout does not fit on
// stops the chain after the books, with its message.
TEST(MakeBooksTest, RightOffsetAloneAndAPageOutsideTheRange) {
    RecordingMessages messages;
    const auto make = [&messages](PageSize page) {
        ChainOptions options;
        options.Offsets.Right = {true, 2, OffsetFrom::LastPoint};
        return MakeBooks(ReadRoadway(CORVANE_TEST_DATA "/short-undivided.csv", messages).Roadway,
                         options, page, messages);
    };
    const auto made = make({96, 63});
    const ReportStation& first = std::get<BookSet>(made).Books.at(0).Book.Stations.at(0);
    const ReportCell& offsetPoint = first.Cell(first.LastLine, 0);
    EXPECT_EQ(std::tie(offsetPoint.Name, offsetPoint.Offset, offsetPoint.Elevation),
              std::make_tuple("Rt. offsetPt.", "26.0000", "100.7300"));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(std::get<RunStop>(make({96, 110})), RunStop::Stopped);
    EXPECT_EQ(messages.shown, std::vector<std::string>{
                                  "The printer's page of 96x110 cells is outside the range the "
                                  "book fits on: " +
                                  AcceptedPageRangeText() + ". Please choose another printer."});
}

// A roadway of many hundred stations a side is made in parts on two threads:
// the books hold every station once, in order, as one thread would; of the
// stations whose selection stops the run, only the first in that order (the
// left side before the right) shows its message, whichever thread met it.
TEST(MakeBooksTest, ManyStationsComeOutInOrderAndOnlyTheFirstStopSpeaks) {
    constexpr int kStations = 1200;
    using Crowded = std::vector<int>;
    const auto roadway = [](const Crowded& crowdedLeft, const Crowded& crowdedRight) {
        Roadway made{RoadwayType::Divided, {}, {}};
        for (const Side side : {Side::Left, Side::Right}) {
            const auto& crowded = side == Side::Left ? crowdedLeft : crowdedRight;
            for (int i = 0; i < kStations; ++i) {
                const bool many = std::find(crowded.begin(), crowded.end(), i) != crowded.end();
                Station station = MakeStation(many ? 16 : 3);
                station.StationText = std::to_string(i);
                for (Point& point : station.Points) {
                    point.Code = "BRCL";  // kept twice when both types are ticked
                }
                made.StationsOf(side).push_back(std::move(station));
            }
        }
        return made;
    };
    ChainOptions breaksAndCenter;
    breaksAndCenter.KeepAllPoints = false;
    breaksAndCenter.Types.BreakPoints = true;
    breaksAndCenter.Types.CLPoints = true;

    RecordingMessages messages;
    const auto whole = MakeBooks(roadway({}, {}), breaksAndCenter, PageSize{96, 63}, messages);
    ASSERT_TRUE(std::holds_alternative<BookSet>(whole));
    for (const PaginatedBook& book : std::get<BookSet>(whole).Books) {
        ASSERT_EQ(book.Book.Stations.size(), size_t{kStations});
        for (int i = 0; i < kStations; ++i) {
            EXPECT_EQ(book.Book.Stations[size_t(i)].StationText, std::to_string(i));
        }
    }
    EXPECT_TRUE(messages.shown.empty());

    for (const auto& [left, right, named] :
         {std::tuple{Crowded{1100, 900}, Crowded{5}, "station \"900\" (left side)"},
          std::tuple{Crowded{}, Crowded{1199, 700}, "station \"700\" (right side)"}}) {
        messages.shown.clear();
        EXPECT_EQ(std::get<RunStop>(
                      MakeBooks(roadway(left, right), breaksAndCenter, PageSize{96, 63}, messages)),
                  RunStop::Stopped);
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_NE(messages.shown[0].find(named), std::string::npos) << messages.shown[0];
    }
}

}  // namespace
}  // namespace corvane
