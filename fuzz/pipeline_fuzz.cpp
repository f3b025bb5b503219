// The whole chain from the bytes of a file to the text of every page: read,
// then MakeBooks (slopes, offset points, selection, books, pagination; a
// divided roadway's sides on two threads), then drawing; and the compare of
// the books with those of a copy of the file with some digits changed. The
// first bytes of the input choose the options a person would: which points,
// which offset points at which distances, and a page inside the accepted range.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "common/messages.h"
#include "common/text.h"
#include "compare/book_changes.h"
#include "compare/change_rows.h"
#include "compare/changes_book.h"
#include "fuzz_checks.h"
#include "grades/number_text.h"
#include "grades/offset_points.h"
#include "grades/point_selection.h"
#include "input/read_roadway.h"
#include "report/draw_page.h"
#include "report/grid_surface.h"
#include "report/make_books.h"
#include "report/page_geometry.h"
#include "report/text_cells.h"

namespace corvane::fuzz {
namespace {

// The option bytes: flags, point types, the two distances, page columns, page lines.
constexpr size_t kOptionBytes = 6;

// Offset distances as a person may type them (the run accepts any number):
// plain, signed, with blanks, and absurd.
const std::array<std::string, 16> kDistances = {
    "2",  "3",  "0",      "-0",           "1.5",  "-2.25", " 4 ",    "+7",
    ".5", "3.", "0.0001", "12345.678901", "1e23", "1e308", "-1e308", "1E-300"};

constexpr double kPageStep = 0.25;
constexpr int kLineSteps = static_cast<int>((kPageLinesBelow - kFewestPageLines) / kPageStep);

struct RunOptions {
    ChainOptions chain;
    PageSize page;
    uint8_t seed = 0;  // which digits the revised copy changes
};

// A distance read as the run reads what was typed.
double DistanceFrom(uint8_t byte) {
    const std::optional<double> distance = ParseNumber(kDistances[byte % kDistances.size()]);
    FUZZ_CHECK(distance.has_value());
    return distance.value_or(0);
}

RunOptions OptionsFrom(const uint8_t* bytes) {
    RunOptions options;
    const auto bit = [](uint8_t byte, int n) { return ((byte >> n) & 1) != 0; };
    options.chain.KeepAllPoints = bit(bytes[0], 0);
    const auto from = [](bool centerLine) {
        return centerLine ? OffsetFrom::CenterLine : OffsetFrom::LastPoint;
    };
    options.chain.Offsets.Left = {bit(bytes[0], 1), DistanceFrom(bytes[2]), from(bit(bytes[0], 3))};
    options.chain.Offsets.Right = {bit(bytes[0], 2), DistanceFrom(bytes[3]),
                                   from(bit(bytes[0], 4))};
    options.chain.Types = {bit(bytes[1], 0), bit(bytes[1], 1), bit(bytes[1], 2), bit(bytes[1], 3),
                           bit(bytes[1], 4), bit(bytes[1], 5), bit(bytes[1], 6)};
    // Columns: fine steps over the narrow pages, then coarse ones up to the widest.
    const int columns = bytes[4];
    options.page.Columns =
        columns < 128
            ? kFewestPageColumns + columns * kPageStep
            : kFewestPageColumns + 128 * kPageStep +
                  (columns - 128) * (kMostPageColumns - kFewestPageColumns - 128 * kPageStep) / 127;
    options.page.Lines = kFewestPageLines + (bytes[5] % kLineSteps) * kPageStep;
    options.seed = static_cast<uint8_t>(bytes[2] ^ bytes[3] ^ bytes[5]);
    return options;
}

// The computed texts of the cells: slopes are plain numbers that fit their
// cells; an offset point's offset and elevation are printed numbers that fit
// theirs, or say that the point would lie between points.
void CheckCell(const ReportCell& cell) {
    FUZZ_CHECK(IsPlainNumberText(cell.Slope));
    FUZZ_CHECK(cell.Slope.size() < kReportCellWidth);
    if (!cell.IsOffsetPoint)
        return;
    FUZZ_CHECK(cell.Code.empty());
    if (cell.Offset == "Error") {
        FUZZ_CHECK(cell.Elevation == "Btwn Pts");
        return;
    }
    FUZZ_CHECK(!cell.Offset.empty() || cell.Elevation.empty());
    for (const std::string_view shown : {cell.Offset.view(), cell.Elevation.view()})
        FUZZ_CHECK(IsPlainNumberText(shown) && shown.size() <= kReportCellWidth);
}

// One block a station of the side as read, each holding the lines it draws.
void CheckBook(const Book& book, size_t stations) {
    FUZZ_CHECK(book.Stations.size() == stations);
    for (const ReportStation& block : book.Stations) {
        FUZZ_CHECK(block.LastLine >= 0 && block.LastLine < kCellLines);
        FUZZ_CHECK(block.Lines.size() <= static_cast<size_t>(block.LastLine) + 1);
        FUZZ_CHECK(block.MessageKind.empty() || block.Lines.empty());
        for (const CellLine& line : block.Lines)
            for (const ReportCell& cell : line)
                CheckCell(cell);
    }
}

// On a page inside the accepted range every page moves the book on, and every
// station with a station text is listed on a page of the book.
void CheckPagination(const Book& book, const Pagination& pagination) {
    const std::vector<PageStart>& starts = pagination.Starts;
    FUZZ_CHECK(pagination.LastPage >= 0);
    FUZZ_CHECK(starts.size() == static_cast<size_t>(pagination.LastPage) + 2);
    FUZZ_CHECK(starts[0] == PageStart{});
    for (int p = 0; p <= pagination.LastPage; ++p) {
        const PageStart& begun = starts[static_cast<size_t>(p)];
        const PageStart& next = starts[static_cast<size_t>(p) + 1];
        FUZZ_CHECK(begun.Line >= 0 && begun.Line < kCellLines);
        if (begun.Station <= book.LastStation()) {
            FUZZ_CHECK(next.Station > begun.Station ||
                       (next.Station == begun.Station && next.Line > begun.Line));
        }
    }
    std::map<std::string, int> unlisted;
    for (const ReportStation& block : book.Stations) {
        if (!block.StationText.empty()) {
            ++unlisted[block.StationText];
        }
    }
    int lastListedPage = 0;
    for (const StationOnPage& listed : pagination.Stations) {
        FUZZ_CHECK(listed.Page >= lastListedPage && listed.Page <= pagination.LastPage);
        lastListedPage = listed.Page;
        --unlisted[listed.StationText];
    }
    FUZZ_CHECK(std::all_of(unlisted.begin(), unlisted.end(),
                           [](const auto& station) { return station.second <= 0; }));
}

// The page text: exactly `lines` lines, none ending in a blank. Written as a
// plain loop: libFuzzer's memcmp hook would make a search of every page cost
// more than drawing it.
bool IsTrimmedPage(std::string_view text, int lines) {
    int ends = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n') {
            ++ends;
            if (i > 0 && text[i - 1] == ' ') {
                return false;
            }
        }
    }
    return ends == lines && (text.empty() || text.back() == '\n');
}

bool IsAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// The text at (column, line) of the page: the header line is plain ASCII, so
// its columns are its bytes.
bool HeaderLineHolds(std::string_view page, int line, int column, std::string_view text) {
    size_t start = 0;
    for (int l = 0; l < line; ++l) {
        start = page.find('\n', start) + 1;
    }
    const std::string_view lineText = page.substr(start, page.find('\n', start) - start);
    if (!IsAscii(lineText) || static_cast<size_t>(column) + text.size() > lineText.size()) {
        return false;
    }
    return std::equal(text.begin(), text.end(), lineText.begin() + column);
}

// Each page: drawn, exactly as many right-trimmed lines as the page has, valid
// UTF-8, with its page number. A page beyond the last is not drawn at all.
void CheckPages(const BookSet& books) {
    const PageSize size = books.PageSize;
    const HeaderStyle style{"FUZZ 1", "01 02 2026", ""};
    const int lines = RoundHalfEven(size.Lines);
    const int headerLine = LineFromBottom(size, kHeaderLineFromBottom);
    // On a page of 2m + 1.5 lines the header line and the date line round to
    // the same line, and the date overwrites the page number.
    const bool headerAndDateApart = headerLine != LineFromBottom(size, kDateLineFromBottom);
    GridSurface grid(lines);
    std::string text;
    size_t pageCount = 0;
    for (const BookPage& page : AllBookPages(books)) {
        const Book& book = books.BookOf(page.Side)->Book;
        const Pagination& pagination = books.BookOf(page.Side)->Pagination;
        grid.Clear();
        FUZZ_CHECK(DrawPage(grid, book, pagination, page.Page, size, style));
        text.clear();
        grid.AppendPageText(text);
        FUZZ_CHECK(IsTrimmedPage(text, lines));
        FUZZ_CHECK(IsAscii(text) || IsValidUtf8(text));
        if (headerAndDateApart) {
            FUZZ_CHECK(HeaderLineHolds(text, headerLine,
                                       ColumnFromRight(size, kPageNumberColumnFromRight),
                                       PageNumberText(book, page.Page, pagination.LastPage)));
        }
        ++pageCount;
    }
    size_t expected = 0;
    for (const auto& [book, pagination] : books.Books) {
        expected += static_cast<size_t>(pagination.LastPage) + 1;
        grid.Clear();
        FUZZ_CHECK(!DrawPage(grid, book, pagination, pagination.LastPage + 1, size, style));
        text = grid.PageText();
        FUZZ_CHECK(IsTrimmedPage(text, lines) &&
                   std::all_of(text.begin(), text.end(), [](char c) { return c == '\n'; }));
    }
    FUZZ_CHECK(pageCount == expected);
}

// The file with some of its digits moved by one: the same lines, so a
// revision of the same roadway, with elevations, offsets and stations moved.
std::string RevisedCopy(std::string_view file, uint8_t seed) {
    std::string copy(file);
    const size_t step = 7 + seed % 23;
    for (size_t i = seed % step; i < copy.size(); i += step) {
        if (copy[i] >= '0' && copy[i] <= '9') {
            copy[i] = static_cast<char>('0' + (copy[i] - '0' + 1) % 10);
        }
    }
    return copy;
}

std::optional<BookSet> BooksOf(std::string_view file, const RunOptions& options) {
    RecordingMessages messages;
    ReadResult read = ReadRoadwayFromBytes(file, "fuzz.csv", messages);
    if (read.Outcome != ReadOutcome::Read) {
        return std::nullopt;
    }
    auto made = MakeBooks(std::move(read.Roadway), options.chain, options.page, messages);
    if (BookSet* books = std::get_if<BookSet>(&made)) {
        return std::move(*books);
    }
    return std::nullopt;
}

std::vector<Book> BooksOut(BookSet&& set) {
    std::vector<Book> books;
    for (PaginatedBook& book : set.Books) {
        books.push_back(std::move(book.Book));
    }
    return books;
}

// How many changes of a kind a side lists.
int CountOf(const SideChanges& side, ChangeKind kind) {
    int count = 0;
    for (const StationChanges& station : side.Stations) {
        count +=
            static_cast<int>(std::count_if(station.Changes.begin(), station.Changes.end(),
                                           [kind](const Change& c) { return c.Kind == kind; }));
    }
    return count;
}

// A book against itself has no change; against a revision, swapping the two
// swaps what was added with what was removed (which cells of a code pair may
// differ when their offsets tie, how many pair may not). Every line of the
// changes book lies on the page, a change line wider than it going on below.
void CheckCompare(const std::vector<Book>& older, const std::vector<Book>& newer, PageSize page) {
    const std::optional<Comparison> same = CompareBooks(older, older, {});
    FUZZ_CHECK(same && !same->HasChanges() && same->Sides.size() == older.size());
    const std::optional<Comparison> forward = CompareBooks(older, newer, {});
    const std::optional<Comparison> backward = CompareBooks(newer, older, {});
    FUZZ_CHECK(forward.has_value() == backward.has_value());
    if (!forward) {
        FUZZ_CHECK(older.front().Type != newer.front().Type);
        return;
    }
    size_t changes = 0;
    for (size_t side = 0; side < forward->Sides.size(); ++side) {
        const SideChanges& there = forward->Sides[side];
        const SideChanges& back = backward->Sides[side];
        FUZZ_CHECK(there.StationsAdded == back.StationsRemoved &&
                   there.StationsRemoved == back.StationsAdded &&
                   there.StationsCompared == back.StationsCompared &&
                   CountOf(there, ChangeKind::Added) == CountOf(back, ChangeKind::Removed) &&
                   CountOf(there, ChangeKind::MessageChanged) ==
                       CountOf(back, ChangeKind::MessageChanged));
        changes += static_cast<size_t>(there.ChangeCount());
    }
    FUZZ_CHECK(ChangeRows(*forward).Rows.size() == changes);
    const std::string text = ChangesBookText(MakeChangesBooks(*forward, "old.csv", "new.csv", page),
                                             page, {"FUZZ 1", "01 02 2026", ""});
    const int columns = static_cast<int>(page.Columns);
    for (size_t start = 0; start < text.size();) {
        const size_t end = text.find('\n', start);
        FUZZ_CHECK(end != std::string::npos);
        FUZZ_CHECK(CellCount(std::string_view(text).substr(start, end - start)) <= columns);
        start = end + 1;
    }
}

void RunPipeline(const RunOptions& options, std::string_view file) {
    RecordingMessages messages;
    ReadResult read = ReadRoadwayFromBytes(file, "fuzz.csv", messages);
    CheckRead(read, messages.shown);
    if (read.Outcome != ReadOutcome::Read) {
        return;
    }
    const size_t shownByReader = messages.shown.size();
    std::vector<std::pair<Side, size_t>> stations;
    for (const Side side : read.Roadway.Sides()) {
        stations.emplace_back(side, read.Roadway.StationsOf(side).size());
    }
    auto made = MakeBooks(std::move(read.Roadway), options.chain, options.page, messages);
    // A selection refused says why, once, whichever side refused it; books come without a word.
    const BookSet* books = std::get_if<BookSet>(&made);
    FUZZ_CHECK(messages.shown.size() == shownByReader + (books ? 0 : 1));
    if (!books) {
        FUZZ_CHECK(std::get<RunStop>(made) == RunStop::Stopped && !options.chain.KeepAllPoints);
        return;
    }
    FUZZ_CHECK(books->PageSize == options.page && books->Books.size() == stations.size());
    for (size_t i = 0; i < stations.size(); ++i) {
        const auto& [book, pagination] = books->Books[i];
        FUZZ_CHECK(book.Side == stations[i].first);
        CheckBook(book, stations[i].second);
        CheckPagination(book, pagination);
    }
    CheckPages(*books);
    if (std::optional<BookSet> revised = BooksOf(RevisedCopy(file, options.seed), options)) {
        CheckCompare(BooksOut(std::move(*std::get_if<BookSet>(&made))),
                     BooksOut(std::move(*revised)), options.page);
    }
}

}  // namespace
}  // namespace corvane::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < corvane::fuzz::kOptionBytes) {
        return 0;
    }
    const corvane::fuzz::RunOptions options = corvane::fuzz::OptionsFrom(data);
    FUZZ_CHECK(corvane::PageFitsLayout(options.page));
    const std::string_view file(reinterpret_cast<const char*>(data) + corvane::fuzz::kOptionBytes,
                                size - corvane::fuzz::kOptionBytes);
    corvane::fuzz::RunPipeline(options, file);
    return 0;
}
