// Pagination and page drawing. The samples' golden books (report_book_test)
// show ordinary Letter pages whole; these cases add what they do not show.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <regex>

#include "report/draw_page.h"
#include "report/make_books.h"
#include "support/recording_surface.h"

namespace corvane {
namespace {

using Placed = std::tuple<int, int, std::string>;  // x, y, text
const PageSize kLetter{96, 63};
const PageSize kLegal{96, 81};

// Stations "S0", "S1", ... of these numbers of cell lines, every cell
// "P<line>.<column>" at -12.00, 100.50 with slope 2.5.
Book MakeBook(const std::vector<int>& linesPerStation) {
    Book book;
    for (const int lines : linesPerStation) {
        // Appended rather than "S" + text: GCC 12 at -O3 takes that for overlapping copies.
        const std::string station = std::string("S").append(std::to_string(book.Stations.size()));
        ReportStation& block = book.Stations.emplace_back(
            ReportStation{"Cross Sec. Sta.", station, "MAIN", lines - 1, "", "", {}});
        for (int line = 0; line < lines; ++line) {
            CellLine& cells = block.Lines.emplace_back();
            for (int k = 0; k < 3; ++k) {
                const std::string name = std::string("P")
                                             .append(std::to_string(line))
                                             .append(".")
                                             .append(std::to_string(k));
                cells[k] = {name, "-12.00", "100.50", "2.5", {}, false};
            }
        }
    }
    return book;
}

// Page `page` of the book as paginated for `size`, drawn on `surface`: every text placed.
std::vector<Placed> Draw(const Book& book, int page = 0, PageSize size = kLetter,
                         RecordingSurface surface = RecordingSurface(),
                         const HeaderStyle& style = {"1234-56", "07 04 2025", ""}) {
    EXPECT_TRUE(DrawPage(surface, book, Paginate(book, size), page, size, style));
    std::vector<Placed> texts;
    for (const RecordedText& text : surface.texts) {
        texts.emplace_back(text.x, text.y, text.text);
    }
    return texts;
}

// Letter (63 lines) starts blocks at rows 7..49, eight a page, and a cell line
// may still start at 55; 66 lines hold seven; Legal (81 lines) starts at row
// 25: five blocks and one more cell line. The last station is never cut off; a
// last page that begins before the last station and ends after it is followed
// by a page without stations. Every cell line is drawn exactly once.
TEST(PaginationTest, PageStartsLastPageAndEveryLineShownOnce) {
    const std::vector<int> nine(9, 1);
    const std::vector<int> eightThenLongest{1, 1, 1, 1, 1, 1, 1, 1, 11};
    // clang-format off
    // page size, cell lines of each station, where each page starts, last page
    const std::vector<std::tuple<PageSize, std::vector<int>, std::vector<PageStart>, int>> cases{
        {kLetter, {}, {{0, 0}, {0, 0}}, 0},
        {kLetter, std::vector<int>(16, 1), {{0, 0}, {8, 0}, {16, 0}, {16, 0}}, 2},
        {kLetter, nine, {{0, 0}, {8, 0}, {9, 0}}, 1},
        {{96, 66}, nine, {{0, 0}, {7, 0}, {9, 0}, {9, 0}}, 2},
        {{96, 70}, nine, {{0, 0}, {6, 0}, {9, 0}, {9, 0}}, 2},  // no block starts on the limit, 50
        {{96, 62.5}, nine, {{0, 0}, {8, 0}, {9, 0}}, 1},  // rows 6.5 + 6b round to 6, 12 ... 48
        {kLetter, {1, 1, 1, 1, 1, 1, 1, 4, 1}, {{0, 0}, {7, 2}, {9, 0}, {9, 0}}, 2},
        {kLetter, eightThenLongest, {{0, 0}, {8, 0}, {8, 9}, {9, 0}}, 2},
        {kLegal, eightThenLongest, {{0, 0}, {5, 0}, {8, 3}, {8, 9}, {9, 0}}, 3},
        {kLegal, {1, 1, 1, 1, 1, 11}, {{0, 0}, {5, 0}, {5, 6}, {6, 0}}, 2},
        {kLegal, {1, 1, 1, 1, 11}, {{0, 0}, {4, 2}, {4, 8}, {5, 0}}, 2}};
    // clang-format on
    for (const auto& [size, linesPerStation, starts, lastPage] : cases) {
        SCOPED_TRACE(testing::PrintToString(linesPerStation) + " on " + std::to_string(size.Lines) +
                     " lines");
        const Book book = MakeBook(linesPerStation);
        const Pagination pagination = Paginate(book, size);
        EXPECT_EQ(pagination.Starts, starts);
        EXPECT_EQ(pagination.LastPage, lastPage);
        std::vector<int> linesShown(linesPerStation.size());
        size_t station = 0;  // of the header drawn last
        for (int page = 0; page <= pagination.LastPage; ++page) {
            for (const auto& [x, y, text] : Draw(book, page, size)) {
                if (text.starts_with("S")) {
                    station = std::stoul(text.substr(1));
                } else if (text.starts_with("P") && text.ends_with(".0")) {
                    ++linesShown.at(station);
                }
            }
        }
        EXPECT_EQ(linesShown, linesPerStation);
    }
}

// A station split over pages is listed with each; a station without text is not.
TEST(PaginationTest, StationsOnPagesAndPagesInPrintOrder) {
    Book book = MakeBook({1, 1, 1, 1, 11});
    book.Stations[1].StationText.clear();
    const Pagination pagination = Paginate(book, kLegal);
    EXPECT_EQ(pagination.Stations,
              (std::vector<StationOnPage>{
                  {"S0", 0}, {"S2", 0}, {"S3", 0}, {"S4", 0}, {"S4", 1}, {"S4", 2}}));
    book.Side = Side::Right;
    EXPECT_EQ(AllBookPages(BookSet{{{Book{}, Pagination{}}, {book, pagination}}, kLegal}),
              (std::vector<BookPage>{
                  {Side::Left, 0}, {Side::Right, 0}, {Side::Right, 1}, {Side::Right, 2}}));
    EXPECT_EQ(PagesOf({Side::Left, 2, 3}),
              (std::vector<BookPage>{{Side::Left, 2}, {Side::Left, 3}}));
    // Outside the accepted page range no block may fit: the book stops, it never loops.
    EXPECT_EQ(Paginate(book, {96, 110}).LastPage, 0);
}

// Bold but the page number, the title underlined, positions rounded in cells
// (halves to even) on every surface; a window's twips and font scaled by its zoom.
TEST(PageHeaderTest, PrinterAndWindowVariants) {
    const SurfaceKind kPrinter = SurfaceKind::Printer;
    const SurfaceKind kWindow = SurfaceKind::Window;
    // clang-format off
    const std::vector<std::tuple<SurfaceKind, double, PageSize, std::vector<Placed>>> cases{
        {kPrinter, 1, {96.5, 63.5}, {{8, 2, "Project No: 1234-56"}, {32, 2, "  GEOPAK  "}, {38, 2, " PAVE-GRADES "},
                                     {56, 2, "  BOOK  "}, {72, 2, "Date: 07 04 2025"}, {66, 2, "Page No.:1 of 1"}}},
        {kWindow, 0.5, kLetter, {{420, 120, "Project No: 1234-56"}, {1860, 120, " GEOPAK  "}, {2340, 120, " PAVE-GRADES "},
                                 {3300, 120, "  BOOK "}, {4260, 240, "Date: 07 04 2025"}, {3960, 120, "Page No.:1 of 1"}}},
        // The smallest page: W - 89 and H - 62 are -0.5, which rounds to cell 0.
        {kWindow, 0.5, {88.5, 61.5}, {{0, 0, "Project No: 1234-56"}, {1440, 0, " GEOPAK  "}, {1920, 0, " PAVE-GRADES "},
                                      {2880, 0, "  BOOK "}, {3840, 0, "Date: 07 04 2025"}, {3480, 0, "Page No.:1 of 1"}}}};
    // clang-format on
    for (const auto& [kind, zoom, page, placed] : cases) {
        EXPECT_EQ(Draw(Book{}, 0, page, RecordingSurface(kind, zoom)), placed);
        RecordingSurface surface(kind, zoom);
        DrawPage(surface, Book{}, Pagination{}, 0, page, {});
        for (const RecordedText& text : surface.texts) {
            EXPECT_EQ(text.bold, !text.text.starts_with("Page")) << text.text;
            EXPECT_EQ(text.underline, text.text == " PAVE-GRADES ");
            EXPECT_TRUE(text.transparent && text.fontSize == 10 * zoom);
        }
    }
}

// A refused font falls back to Courier New, but the empty name of the surface's
// own font is kept; no date shows today's; the body is regular.
TEST(PageHeaderTest, FontDateAndARegularBody) {
    for (const auto& [font, used] : std::vector<std::pair<std::string, std::string>>{
             {"No Such Font", "Courier New"}, {"", ""}}) {
        RecordingSurface surface;
        surface.refusedFonts = {"No Such Font", ""};
        DrawPage(surface, Book{}, Pagination{}, 0, kLetter, {"", "", font});
        EXPECT_EQ(surface.texts[0].fontName, used);
        EXPECT_TRUE(std::regex_match(surface.texts[4].text,
                                     std::regex("Date: [01][0-9] [0-3][0-9] [0-9]{4}")));
    }
    RecordingSurface window(SurfaceKind::Window, 1.5);
    DrawPage(window, MakeBook({1}), Pagination{}, 0, kLetter, {"", "x", "Lucida Console"});
    const RecordedText& body = window.texts.back();
    EXPECT_EQ(std::tie(body.text, body.bold, body.underline, body.transparent, body.fontSize,
                       body.fontName),
              std::make_tuple("2.50%", false, false, true, 15.0, "Lucida Console"));
}

// The slope starts three characters before the end of the elevation " @ "
// offset line, whether that line shows or not.
TEST(PageBodyTest, CellsWithBlanksOrWithoutElevation) {
    Book book = MakeBook({1});
    book.Stations[0].Lines[0] = {ReportCell{"CL", "12.5", "  101.25 ", "-2", "CL", false},
                                 ReportCell{"BOC", "-7.25", "", ".5", "BOC", false},
                                 ReportCell{" Edge ", "  ", "99", "", "EOP", false}};
    const std::vector<Placed> texts = Draw(book);
    EXPECT_EQ(std::vector<Placed>(texts.begin() + 9, texts.end()),
              (std::vector<Placed>{{36, 7, "CL"},
                                   {36, 8, "101.25 @ 12.5"},
                                   {46, 9, "-2.00%"},
                                   {56, 7, "BOC"},
                                   {61, 9, ".50%"},
                                   {76, 7, " Edge "}}));
    // Texts longer than a word pair are joined all the same.
    book.Stations[0].Lines[0][1] = ReportCell{
        "Long", "123456789.1234567", "9876543210.987654", "-1234567890123.45", "BR", false};
    const std::vector<Placed> longer = Draw(book);
    EXPECT_EQ(std::vector<Placed>(longer.begin() + 12, longer.begin() + 15),
              (std::vector<Placed>{{56, 7, "Long"},
                                   {56, 8, "9876543210.987654 @ 123456789.1234567"},
                                   {90, 9, "-1234567890123.45%"}}));
    RecordingSurface none;  // a page the pagination does not have
    for (int page : {-1, 1}) {
        EXPECT_FALSE(DrawPage(none, book, Paginate(book, kLetter), page, kLetter, {}));
    }
    EXPECT_TRUE(none.texts.empty());
    // Zoomed twips beyond 16 bits do not wrap.
    EXPECT_EQ(Draw(book, 0, {136, 63}, RecordingSurface(SurfaceKind::Window, 3)).back(),
              (Placed{116 * 360, 7 * 720, " Edge "}));
    // The indent counts characters, not bytes: "é" is one cell of two bytes.
    Book accented = book;
    accented.Stations[0].Lines[0][2] = ReportCell{"JL", "5\xC3\xA9", "100", "1", "JL", false};
    EXPECT_EQ(Draw(accented).back(), (Placed{81, 9, "1.00%"}));
}

// The accepted pages are exactly those on which the header and the first page
// of a book land whole: no text left of column 0 or above line 0, and a block.
TEST(PageRangeTest, AcceptedPagesAreThoseTheLayoutFitsOn) {
    for (const PageSize page : std::vector<PageSize>{
             {88.5, 61.5}, {88.4, 63}, {96, 61.4}, {96, 105.4}, {96, 105.5}, {89.5, 62.5}}) {
        const std::vector<Placed> texts = Draw(MakeBook({2}), 0, page);
        const bool onThePage = std::all_of(texts.begin(), texts.end(), [](const Placed& t) {
            return std::get<0>(t) >= 0 && std::get<1>(t) >= 0;
        });
        const bool aBlock = std::get<2>(texts.back()).ends_with("%");
        EXPECT_EQ(PageFitsLayout(page), onThePage && aBlock) << page.Columns << "x" << page.Lines;
    }
    EXPECT_EQ(PageCellsText({96, 70.157}), "96x70.16");
    EXPECT_EQ(PageCellsText({88.496, 61.4999}), "88.496x61.4999");  // never onto the other side
    EXPECT_EQ(PageCellsText({1000.004, 105.4999}), "1000.004x105.4999");
    for (const auto& [value, rounded] : std::vector<std::pair<double, int>>{
             {0.5, 0}, {1.5, 2}, {2.5, 2}, {-0.5, 0}, {-1.5, -2}, {-2.5, -2}, {-7.2, -7}, {7.6, 8}})
        EXPECT_EQ(RoundHalfEven(value), rounded) << value;
    EXPECT_EQ(std::make_tuple(RoundHalfEven(1e12), RoundHalfEven(-1e12), RoundHalfEven(NAN)),
              std::make_tuple(INT_MAX, INT_MIN, 0));
}

}  // namespace
}  // namespace corvane
