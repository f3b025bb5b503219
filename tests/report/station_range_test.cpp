// Station ranges: how FROM..TO is read or refused, and the books of only the
// stations in range, paginated afresh.
#include "report/station_range.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "report/draw_page.h"
#include "report/grid_surface.h"
#include "report/pagination.h"
#include "support/sample_books.h"

namespace corvane {
namespace {

StationRange Range(const std::string& text, std::optional<int> stationDigits = 2) {
    StationRangeReading reading = ReadStationRange(text, stationDigits);
    EXPECT_TRUE(reading.Range) << reading.Refusal;
    return reading.Range.value_or(StationRange{});
}

std::string StationTexts(const Book& book) {
    std::string texts;
    for (const ReportStation& station : book.Stations) {
        texts += (texts.empty() ? "" : "|") + station.StationText;
    }
    return texts;
}

// Page 0 of the book, paginated as a book of its own, on the character grid.
std::string FirstPageText(const Book& book) {
    const Pagination pagination = Paginate(book, {96, 63});
    GridSurface grid(63);
    EXPECT_TRUE(DrawPage(grid, book, pagination, 0, {96, 63}, {"P", "01 01 2026", ""}));
    std::string text;
    grid.AppendPageText(text);
    return text;
}

TEST(StationRangeTest, RefusedRangesSayWhy) {
    const std::string notStation =
        " is not a station text (A+B with an optional tag, such as 512+50.00).";
    // clang-format off
    const std::vector<std::pair<std::string, std::string>> cases{
        {"512+00", "write it as FROM..TO, for example 512+00..530+00, 512+00.. or ..530+00."},
        {"512+0O..530+00", "FROM \"512+0O\"" + notStation}, {"512+00..530", "TO \"530\"" + notStation},
        {"512+00..530+000", "TO \"530+000\" has 3 digits after the \"+\" where the file's stations have 2."},
        {"600+00..512+00", "FROM lies above TO."}, {"512+00.01 ..512+00", "FROM lies above TO."},
        {"512+00 NB..530+00 SB", "FROM and TO carry different tags, \"NB\" and \"SB\"."},
        {"99999999999999999+00..", "FROM \"99999999999999999+00\" has more digits than a station can hold."}};
    // clang-format on
    for (const auto& [text, why] : cases) {
        const StationRangeReading reading = ReadStationRange(text, 2);
        EXPECT_FALSE(reading.Range) << text;
        EXPECT_EQ(reading.Refusal, "Station range \"" + text + "\": " + why);
    }
}

// Stations by their texts: a value within the bounds, the bounds' tag if
// they carry one; stations without a value stay out unless the whole book is asked.
TEST(StationRangeTest, StationsInRange) {
    const Book whole = test::BookOfStations(
        {"-0+50", "512+00", "STA", "", "512+500", "512+50 EB", "513+00 WB", "513+00.01"});
    const std::vector<std::pair<std::string, std::string>> cases{
        {"..", "-0+50|512+00|STA||512+500|512+50 EB|513+00 WB|513+00.01"},
        {"-0+50..512+00", "-0+50|512+00"},
        {"512+00.00..513+00", "512+00|512+50 EB|513+00 WB"},
        {"512+01..", "512+50 EB|513+00 WB|513+00.01"},
        {"..512+50 EB", "512+50 EB"},
        {"512+50 WB..", "513+00 WB"},
        {" 512+50  ..  512+50 ", "512+50 EB"}};
    for (const auto& [text, kept] : cases) {
        EXPECT_EQ(StationTexts(RangeBook(whole, Range(text))), kept) << text;
    }
    EXPECT_EQ(Range("512+00 ..513+00 EB").FromText + "," + Range("512+00 ..513+00 EB").ToText,
              "512+00,513+00 EB");
    // In a file whose stations have no value, a bounded range holds none.
    EXPECT_EQ(StationTexts(RangeBook(whole, Range("0+00..999+00", std::nullopt))), "");
}

// The range book holds the whole book's very blocks (offset points, message
// stations and all), and its pages are numbered from 1 again. A range that
// holds no station names the file's run.
TEST(StationRangeTest, RangeBookKeepsTheWholeBooksBlocks) {
    const std::vector<Book> whole =
        test::BooksOf(CORVANE_SAMPLES "/undivided-sample.csv", test::kBothOffsets);
    const std::vector<Book> books =
        RangeBooks(whole, Range("513+00..521+00", StationDigitsOf(whole)));
    ASSERT_EQ(books.size(), 1u);
    ASSERT_EQ(books[0].Stations.size(), 17u);  // 513+00.00 to 521+00.00, 520+50.00 an ERROR
    for (const ReportStation& block : books[0].Stations) {
        EXPECT_NE(std::find(whole[0].Stations.begin(), whole[0].Stations.end(), block),
                  whole[0].Stations.end())
            << block.StationText;
    }
    EXPECT_EQ(books[0].Stations.front().StationText + ".." + books[0].Stations.back().StationText,
              "513+00.00..521+00.00");
    EXPECT_EQ(books[0].Stations[15].MessageKind, "ERROR");
    EXPECT_TRUE(books[0].Stations[0].Lines.at(0)[0].IsOffsetPoint);
    const std::string page = FirstPageText(books[0]);
    const int pages = Paginate(books[0], {96, 63}).LastPage + 1;
    EXPECT_LT(pages, Paginate(whole[0], {96, 63}).LastPage + 1);
    EXPECT_NE(page.find("Page No.:1 of " + std::to_string(pages)), std::string::npos);
    EXPECT_LT(page.find("513+00.00"), page.find("513+50.00"));
    EXPECT_EQ(page.find("512+50.00"), std::string::npos);
    EXPECT_EQ(NoStationInRangeMessage(whole, Range("600+00..700+00")),
              "No station lies in 600+00..700+00; the file runs from 512+00.00 to 534+50.00.");
    EXPECT_EQ(NoStationInRangeMessage(whole, Range("534+50..")), std::nullopt);
    EXPECT_EQ(NoStationInRangeMessage({Book{}}, Range("..")), std::nullopt);
}

// Each side of a divided file is filtered alike; a side with no station in
// range is an empty book, one page with its header only.
TEST(StationRangeTest, DividedSidesWithTagsAndOneSideEmpty) {
    std::vector<Book> whole =
        test::BooksOf(CORVANE_SAMPLES "/divided-sample.csv", test::kBothOffsets);
    ASSERT_EQ(whole.size(), 2u);
    for (ReportStation& station : whole[1].Stations) {
        station.StationText.replace(station.StationText.find(" NB"), 3, " SB");
    }
    const std::vector<Book> books = RangeBooks(whole, Range("1221+00 NB..1222+00"));
    EXPECT_EQ(StationTexts(books[0]), "1221+00.00 NB|1222+00.00 NB");
    EXPECT_EQ(books[0].Stations[1].MessageKind, "ERROR");
    EXPECT_EQ(std::tie(books[1].Side, books[1].Type), std::tie(whole[1].Side, whole[1].Type));
    EXPECT_TRUE(books[1].Stations.empty());
    EXPECT_EQ(Paginate(books[1], {96, 63}).LastPage, 0);
    const std::string empty = FirstPageText(books[1]);
    EXPECT_NE(empty.find("(Right)Page No.:1 of 1"), std::string::npos);
    EXPECT_EQ(empty.find("Sta."), std::string::npos);
    EXPECT_EQ(StationTexts(RangeBooks(whole, Range("..1211+00 SB"))[1]),
              "1210+00.00 SB|1211+00.00 SB");
    EXPECT_EQ(NoStationInRangeMessage(whole, Range("..1211+00 SB")), std::nullopt);
}

}  // namespace
}  // namespace corvane
