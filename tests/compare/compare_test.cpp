// Pairing, changes, the changes book and its rows: generated roadways with
// known edits, and the samples against revised copies (golden books and rows).
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <tuple>

#include "compare/change_lines.h"
#include "compare/change_rows.h"
#include "compare/changes_book.h"
#include "compare/pairing.h"
#include "compare/station_key.h"
#include "report/grid_surface.h"
#include "support/sample_books.h"

namespace corvane {
namespace {

using test::BooksOf;
using test::ExpectGolden;
using test::kBothOffsets;

// ---- Generated roadways --------------------------------------------------

// units × 10^-decimals as a text; `sign` writes "+" before a positive value and
// nothing before zero, as a difference is written.
std::string Fixed(long long units, int decimals, bool sign = false) {
    std::string digits = std::to_string(units < 0 ? -units : units);
    if (digits.size() <= static_cast<size_t>(decimals)) {
        digits.insert(0, static_cast<size_t>(decimals) + 1 - digits.size(), '0');
    }
    digits.insert(digits.size() - static_cast<size_t>(decimals), ".");
    return (units < 0 ? "-" : sign && units > 0 ? "+" : "") + digits;
}

struct Cell {
    std::string code;
    long long offset = 0;     // thousandths
    long long elevation = 0;  // ten-thousandths
};
struct Station {
    std::string text;
    std::vector<Cell> cells;
    std::string message;  // not empty: a message station without cells
};

Book BookOf(const std::vector<Station>& stations, Side side, RoadwayType type) {
    Book book{side, type, {}};
    for (const Station& station : stations) {
        ReportStation& block = book.Stations.emplace_back();
        block.StationText = station.text;
        block.MessageKind = station.message.empty() ? "" : "ERROR";
        block.MessageText = station.message;
        for (size_t i = 0; i < station.cells.size(); ++i) {
            if (i % kCellColumns == 0) {
                block.Lines.emplace_back();
            }
            const Cell& cell = station.cells[i];
            block.Lines.back()[i % kCellColumns] = {SegmentName(cell.code), Fixed(cell.offset, 3),
                                                    Fixed(cell.elevation, 4), "2.5", cell.code};
        }
        block.LastLine = std::max(static_cast<int>(block.Lines.size()) - 1, 0);
    }
    return book;
}

// What a change is known by: side, station, kind, cell key, the old and new
// offsets, and the offset and elevation differences.
using Known = std::tuple<std::string, std::string, ChangeKind, std::string, std::string,
                         std::string, std::string, std::string>;

std::vector<Known> Reported(const Comparison& comparison) {
    std::vector<Known> known;
    for (const SideChanges& side : comparison.Sides) {
        for (const StationChanges& station : side.Stations) {
            for (const Change& c : station.Changes) {
                known.emplace_back(side.Side == Side::Left ? "L" : "R", station.Station.StationText,
                                   c.Kind, CellKey(c.Kind == ChangeKind::Removed ? c.Old : c.New),
                                   c.Old.Offset, c.New.Offset, c.OffsetChange, c.ElevationChange);
            }
        }
    }
    std::sort(known.begin(), known.end());
    return known;
}

const std::vector<std::string> kCodes{"LtSgShldr", "BR", "LtSgEOP", "BOC", "FOC", "JL", "CL"};
constexpr long long kTolerance = 5;  // 0.005 in offset units; 0.0050 in elevation units

// A roadway side of stations whose cells lie at least 7.000 apart, some
// stations repeated and some with a message, and its revision with known
// edits, each a single change (noise within the tolerance aside).
struct Revision {
    std::vector<Station> older, newer;
    std::vector<Known> edits;
};

Revision Revise(std::mt19937& random, const std::string& side) {
    const auto chance = [&](int percent) { return static_cast<int>(random() % 100) < percent; };
    const auto between = [&](long long low, long long high) {
        return low + static_cast<long long>(random() % static_cast<unsigned>(high - low + 1));
    };
    Revision r;
    const int stations = static_cast<int>(between(3, 12));
    for (int s = 0; s < stations; ++s) {
        Station station{std::to_string(500 + s) + "+00.00", {}, {}};
        if (s > 0 && chance(15)) {
            station.text = r.older.back().text;  // a repeated station
        }
        if (chance(10)) {
            station.message = "Template drop failed";
        }
        long long offset = -40000;
        for (int c = 0, cells = static_cast<int>(between(2, 14));
             c < cells && station.message.empty(); ++c) {
            station.cells.push_back(
                {kCodes[random() % kCodes.size()], offset, between(500000, 600000)});
            offset += between(7000, 9000);
        }
        r.older.push_back(station);
    }
    const auto repeated = [&](const std::string& text) {
        return std::count_if(r.older.begin(), r.older.end(),
                             [&](const Station& s) { return s.text == text; }) > 1;
    };
    for (const Station& was : r.older) {
        const auto known = [&](ChangeKind kind, const std::string& code = "", std::string from = "",
                               std::string to = "", long long offset = 0, long long elevation = 0) {
            const bool changed = kind == ChangeKind::Changed;
            r.edits.emplace_back(side, was.text, kind, code, from, to,
                                 changed ? Fixed(offset, 3, true) : "",
                                 changed ? Fixed(elevation, 4, true) : "");
        };
        if (!repeated(was.text) && chance(10)) {
            known(ChangeKind::StationRemoved);
            continue;
        }
        Station is = was;
        if (!was.message.empty() && chance(50)) {
            is.message = "Template drop failed here";
            known(ChangeKind::MessageChanged);
        }
        is.cells.clear();
        std::set<std::string> removedCodes;
        for (const Cell& cell : was.cells) {
            Cell moved = cell;
            const long long sign = chance(50) ? 1 : -1;
            const int edit = static_cast<int>(random() % 8);
            if (edit == 0) {
                removedCodes.insert(cell.code);
                known(ChangeKind::Removed, cell.code, Fixed(cell.offset, 3));
                continue;
            }
            if (edit == 1 || edit == 3) {
                moved.elevation += sign * between(kTolerance * 10 + 1, 5000);
            }
            if (edit == 2) {
                moved.elevation += sign * between(1, kTolerance * 10);  // within: no change
            }
            if (edit == 3 || edit == 4) {
                moved.offset += sign * between(kTolerance + 1, 3499);  // under half the gap
            }
            if (edit == 1 || edit == 3 || edit == 4) {
                known(ChangeKind::Changed, cell.code, Fixed(cell.offset, 3), Fixed(moved.offset, 3),
                      moved.offset - cell.offset, moved.elevation - cell.elevation);
            }
            is.cells.push_back(moved);
        }
        // Added cells lie far beyond every other cell, anywhere in the station,
        // and have no code of a removed cell (which they would simply replace).
        for (long long added = 0; was.message.empty() && chance(20) && added < 2; ++added) {
            const Cell cell{kCodes[random() % kCodes.size()], 200000 + 10000 * added, 550000};
            if (removedCodes.count(cell.code)) {
                continue;
            }
            is.cells.insert(is.cells.begin() + static_cast<long>(random() % (is.cells.size() + 1)),
                            cell);
            known(ChangeKind::Added, cell.code, "", Fixed(cell.offset, 3));
        }
        r.newer.push_back(is);
        if (chance(10)) {
            r.newer.push_back(
                {"9" + std::to_string(r.newer.size()) + "+00.00", {{"CL", 0, 500000}}, {}});
            r.edits.emplace_back(side, r.newer.back().text, ChangeKind::StationAdded, "", "", "",
                                 "", "");
        }
    }
    std::sort(r.edits.begin(), r.edits.end());
    return r;
}

TEST(CompareTest, GeneratedRevisionsReportExactlyTheirEditsBothWays) {
    for (unsigned seed = 1; seed <= 300; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        std::mt19937 random(seed);
        const bool divided = seed % 2 == 0;
        const RoadwayType type = divided ? RoadwayType::Divided : RoadwayType::Undivided;
        std::vector<Book> older, newer;
        std::vector<Known> edits;
        for (const Side side :
             divided ? std::vector{Side::Left, Side::Right} : std::vector{Side::Left}) {
            const Revision r = Revise(random, side == Side::Left ? "L" : "R");
            older.push_back(BookOf(r.older, side, type));
            newer.push_back(BookOf(r.newer, side, type));
            edits.insert(edits.end(), r.edits.begin(), r.edits.end());
        }
        std::sort(edits.begin(), edits.end());
        const Tolerance tolerance = *ParseTolerance("0.005");
        const auto forward = CompareBooks(older, newer, tolerance);
        ASSERT_TRUE(forward);
        EXPECT_EQ(Reported(*forward), edits);
        EXPECT_EQ(forward->HasChanges(), !edits.empty());

        // Backwards: added and removed swap, and every difference turns its sign.
        const auto swapped = [](ChangeKind kind) {
            using enum ChangeKind;
            return kind == Added            ? Removed
                   : kind == Removed        ? Added
                   : kind == StationAdded   ? StationRemoved
                   : kind == StationRemoved ? StationAdded
                                            : kind;
        };
        const auto negated = [](std::string text) {
            if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
                text[0] = text[0] == '+' ? '-' : '+';
            }
            return text;
        };
        std::vector<Known> backwards;
        for (const auto& [side, station, kind, key, from, to, offset, elevation] :
             Reported(*forward)) {
            backwards.emplace_back(side, station, swapped(kind), key, to, from, negated(offset),
                                   negated(elevation));
        }
        std::sort(backwards.begin(), backwards.end());
        EXPECT_EQ(Reported(*CompareBooks(newer, older, tolerance)), backwards);
    }
}

TEST(CompareTest, RepeatedKeysPairInOrderAndCellsNearestFirst) {
    const Pairing stations = PairInOrder({"a", "b", "a", "c"}, {"a", "a", "a", "c", "b"});
    EXPECT_EQ(stations.NewOfOld, (std::vector<int>{0, 4, 1, 3}));
    EXPECT_EQ(stations.OldOfNew, (std::vector<int>{0, 2, -1, 3, 1}));
    // By value and tag, else by the whole text.
    const auto keys = [](const std::vector<std::string>& texts) {
        return StationKeys(test::BookOfStations(texts), 2);
    };
    EXPECT_EQ(PairInOrder(keys({"512+50.00", "512+50.00 R1", " STA 5", "512+05", "1+00"}),
                          keys({"512+50.0 R1", "512+50", "STA 5 ", "512+5", "100+0"}))
                  .NewOfOld,
              (std::vector{1, 0, 2, 3, -1}));

    // A cell is "CODE@offset"; an offset point goes by its name and has no code.
    const auto paired = [](std::vector<std::string> older, std::vector<std::string> newer) {
        std::vector<ReportCell> cells[2];
        std::vector<const ReportCell*> pointers[2];
        for (int book = 0; book < 2; ++book) {
            for (const std::string& text : book ? newer : older) {
                const std::string name = text.substr(0, text.find('@'));
                const bool offsetPoint = name.find("offsetPt.") != std::string::npos;
                cells[book].push_back({name, text.substr(text.find('@') + 1), "1", "",
                                       offsetPoint ? "" : name, offsetPoint});
            }
            for (const ReportCell& cell : cells[book]) {
                pointers[book].push_back(&cell);
            }
        }
        return PairCells(pointers[0], pointers[1]).NewOfOld;
    };
    // The nearer pair first, whatever the order; equally near, the older cell first.
    EXPECT_EQ(paired({"JL@-12", "JL@12"}, {"JL@12.5", "JL@-12"}), (std::vector{1, 0}));
    EXPECT_EQ(paired({"JL@-1", "JL@1"}, {"JL@0"}), (std::vector{0, -1}));
    // Offsets too long for 64 bits are measured digit by digit, at the group's decimals.
    EXPECT_EQ(
        paired({"JL@1.0000000000000000001", "JL@10"}, {"JL@9.9", "JL@1.00000000000000000011"}),
        (std::vector{1, 0}));
    EXPECT_EQ(paired({"JL@0.5", "JL@0.25", "JL@100000000000000000"}, {"JL@0"}),
              (std::vector{-1, 0, -1}));
    // Offsets that are no number pair after every measured pair.
    EXPECT_EQ(paired({"JL@x", "JL@5"}, {"JL@50", "JL@y"}), (std::vector{1, 0}));
    // Codes never mix; an offset point goes by its name.
    EXPECT_EQ(paired({"BOC@1", "FOC@2"}, {"FOC@1", "CL@2"}), (std::vector{-1, 0}));
    EXPECT_EQ(paired({"Lt. offsetPt.@1", "Rt. offsetPt.@2"}, {"Rt. offsetPt.@1"}),
              (std::vector{-1, 0}));
}

TEST(ChangesBookTest, BlocksStayWholeOnAPageUnlessLongerThanOne) {
    ChangesBook book{Side::Right, RoadwayType::Divided, {}};
    for (const int lines : {4, 10, 30, 4, 45, 60, 3}) {
        std::vector<std::string>& block = book.Blocks.emplace_back();
        for (int line = 0; line < lines; ++line) {
            block.push_back("B" + std::to_string(book.Blocks.size() - 1) + "." +
                            std::to_string(line));
        }
    }
    const PageSize size{96, 63};  // the body takes lines 7 to 57
    const ChangesPagination pagination = PaginateChanges(book, size);
    // Per page, each block's run of lines: "block:first-last@row".
    std::vector<std::string> pages;
    for (const std::vector<PlacedLine>& page : pagination.Pages) {
        std::string runs;
        for (size_t i = 0; i < page.size(); ++i) {
            const PlacedLine& at = page[i];
            if (i == 0 || page[i - 1].Block != at.Block) {
                runs += (i ? " " : "") + std::to_string(at.Block) + ":" + std::to_string(at.Line) +
                        "@" + std::to_string(at.Row);
            } else {
                EXPECT_EQ(at.Row, page[i - 1].Row + 1);
            }
            if (i + 1 == page.size() || page[i + 1].Block != at.Block) {
                runs += "-" + std::to_string(at.Line);
            }
        }
        pages.push_back(runs);
    }
    // The fourth block fills its page to the last line; the sixth is longer than a page.
    EXPECT_EQ(pages, (std::vector<std::string>{"0:0@7-3 1:0@12-9 2:0@23-29 3:0@54-3", "4:0@7-44",
                                               "5:0@7-50", "5:51@7-59 6:0@17-2"}));
    GridSurface grid(63);
    ASSERT_TRUE(DrawChangesPage(grid, book, pagination, 3, size, {"P", "01 02 2026", ""}));
    const std::string page = grid.PageText();
    EXPECT_NE(page.find("(Right)Page No.:4 of 4\n"), std::string::npos);
    EXPECT_NE(page.find("\n\n       B5.51\n"), std::string::npos);
    EXPECT_NE(page.find("       B5.59\n\n       B6.0\n"), std::string::npos);
    EXPECT_FALSE(DrawChangesPage(grid, book, pagination, 4, size, {}));
}

// ---- The samples ----------------------------------------------------------

TEST(CompareTest, ABookAgainstItselfHasNoChangeAndTypesMustAgree) {
    const std::vector<Book> undivided = BooksOf(CORVANE_SAMPLES "/undivided-sample.csv");
    for (const std::vector<Book>& books :
         {undivided, BooksOf(CORVANE_SAMPLES "/divided-sample.csv", kBothOffsets)}) {
        const auto comparison = CompareBooks(books, books, Tolerance{});
        ASSERT_TRUE(comparison);
        EXPECT_FALSE(comparison->HasChanges());
        for (size_t side = 0; side < books.size(); ++side) {
            EXPECT_EQ(comparison->Sides[side].StationsCompared, books[side].LastStation() + 1);
        }
    }
    EXPECT_FALSE(CompareBooks(undivided, BooksOf(CORVANE_SAMPLES "/divided-sample.csv"), {}));
}

// A line that fits stays whole; a wider one breaks at its first place left
// while the rest is too wide, the rest indented; a part wider than a line is
// cut at the edge. Cells, not bytes, are counted.
TEST(CompareTest, ChangeLinesWiderThanThePageGoOnBelow) {
    // clang-format off
    const Change change{ChangeKind::Changed, {"Éd", "-1.0", "10.00", "2.0", "E"},
                        {"Éd", "-1.0", "10.25", "2.5", "E"}, "0.0", "+0.25", "", ""};
    // clang-format on
    const std::string first = "Éd    10.00 @ -1.0  ->  10.25 @ -1.0";
    const std::string elev = "elev +0.25  offset 0.0";
    const std::string slope = "slope 2.00% -> 2.50%";
    const std::vector<std::pair<int, std::vector<std::string>>> cases{
        {84, {first + "   " + elev + "   " + slope}},
        {83, {first, "      " + elev + "   " + slope}},
        {40, {first, "      " + elev, "      " + slope}},
        {20,
         {"Éd    10.00 @ -1.0  ", "      ->  10.25 @ -1", "      .0", "      elev +0.25  of",
          "      fset 0.0", "      slope 2.00% ->", "       2.50%"}},
    };
    for (const auto& [columns, lines] : cases) {
        EXPECT_EQ(ChangeLines(change, 4, columns), lines) << columns;
    }
    EXPECT_EQ(FitParts({"abcdef", " gh"}, 4, 9),
              (std::vector<std::string>{"abcd", "  ef", "  gh"}));
    EXPECT_EQ(FitParts({"abcde"}, 4, 0), (std::vector<std::string>{"abcd", "e"}));
}

// The samples against revised copies: an elevation moved beyond and one within
// the tolerance, offsets moved (one of a repeated code), cells added and
// removed, a station added and one removed, a message changed; the divided one
// with offset points on both sides.
TEST(CompareTest, SamplesAgainstTheirRevisionsMakeTheirCheckedBooksAndRows) {
    const struct {
        std::string older, newer, golden;
        OffsetRequests offsets;
        std::string tolerance;
    } cases[] = {
        {"undivided-sample.csv", "undivided-revised.csv", "changes-undivided", {}, "0.001"},
        {"divided-sample.csv", "divided-revised.csv", "changes-divided", kBothOffsets, "0"},
    };
    for (const auto& c : cases) {
        const auto comparison = CompareBooks(BooksOf(CORVANE_SAMPLES "/" + c.older, c.offsets),
                                             BooksOf(CORVANE_TEST_DATA "/" + c.newer, c.offsets),
                                             *ParseTolerance(c.tolerance));
        ASSERT_TRUE(comparison);
        ExpectGolden(ChangesBookText(MakeChangesBooks(*comparison, c.older, c.newer, {96, 63}),
                                     {96, 63}, {"US 441", "12 06 2026", ""}),
                     c.golden + ".txt");
        const RowTable table = ChangeRows(*comparison);
        std::string rows;
        for (size_t field = 0; field < table.Header.size(); ++field) {
            rows += (field ? "," : "") + table.Header[field];
        }
        for (const Row& row : table.Rows) {
            rows += "\n";
            for (size_t field = 0; field < row.size(); ++field) {
                rows += (field ? "," : "") + row[field].Text;
            }
        }
        rows += "\n";
        ExpectGolden(rows, c.golden + "-rows.csv");
    }
}

}  // namespace
}  // namespace corvane
