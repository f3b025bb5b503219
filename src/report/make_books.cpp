#include "report/make_books.h"

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <exception>
#include <functional>
#include <iterator>
#include <optional>
#include <string>
#include <utility>

#include "common/second_thread.h"
#include "grades/slopes.h"

namespace corvane {

namespace {

// Offset points, selection and books of a roadway whose slopes are done.
// Each stage takes the roadway the one before returned, so no copy of it
// outlives its stage. No books after the selection's message.
std::optional<std::vector<Book>> BooksOf(Roadway roadway, const std::string& numberFormat,
                                         const ChainOptions& options, Messages& messages) {
    if (options.Offsets.Any())
        roadway = AddOffsetPoints(std::move(roadway), options.Offsets, numberFormat);

    std::optional<Selection> selection;
    if (options.KeepAllPoints)
        selection = KeepAllPoints(std::move(roadway));
    else
        selection = SelectPoints(std::move(roadway), options.Types, messages);
    if (!selection)
        return std::nullopt;

    return BuildBooks(std::move(selection->Roadway),
                      BookOptions{options.Offsets, selection->ShowOffsetPoints, numberFormat});
}

// The books are made in parts of this many stations of one side, which two
// threads take in turn, each part as soon as a thread is free: the parts cost
// about a millisecond each on the largest file, so neither thread waits long
// for the other, whatever the sides hold.
constexpr std::size_t kStationsPerPart = 250;

// Stations that follow each other on one side, as a roadway of their own: no
// stage lets one station touch another, so a part goes through the stages
// alone and gives the blocks its stations would give in the whole roadway.
struct BookPart {
    Side side = Side::Left;
    Roadway roadway;
    std::optional<std::vector<Book>> books;  // none: the part stopped the run
    RecordingMessages messages;
    std::exception_ptr failure;
};

std::vector<BookPart> SplitIntoParts(Roadway roadway) {
    std::vector<BookPart> parts;
    for (const Side side : roadway.Sides()) {
        std::vector<Station>& stations = roadway.StationsOf(side);
        std::size_t begin = 0;
        do {  // a side without stations still has a (stationless) book
            const std::size_t end = std::min(begin + kStationsPerPart, stations.size());
            BookPart& part = parts.emplace_back();
            part.side = side;
            part.roadway.Type = roadway.Type;
            part.roadway.StationsOf(side).assign(std::make_move_iterator(stations.begin() + begin),
                                                 std::make_move_iterator(stations.begin() + end));
            begin = end;
        } while (begin < stations.size());
        std::vector<Station>().swap(stations);
    }
    return parts;
}

// Makes every part, on this thread and a second one when there are several.
// A part that stops the run (or fails) leaves the parts after it unmade: one
// thread taking the stations in turn would never have reached them.
void MakeParts(std::vector<BookPart>& parts,
               const std::function<std::optional<std::vector<Book>>(BookPart&)>& make) {
    std::atomic<std::size_t> next{0};
    std::atomic<std::size_t> firstStop{parts.size()};
    const auto stopAt = [&firstStop](std::size_t index) {
        std::size_t stop = firstStop.load();
        while (index < stop && !firstStop.compare_exchange_weak(stop, index)) {
        }
    };
    const auto work = [&] {
        for (std::size_t index = next++; index < parts.size(); index = next++) {
            if (index > firstStop.load()) {
                continue;
            }
            BookPart& part = parts[index];
            try {
                part.books = make(part);
                if (!part.books) {
                    stopAt(index);
                }
            } catch (...) {
                part.failure = std::current_exception();
                stopAt(index);
            }
        }
    };
    if (parts.size() < 2) {
        work();
        return;
    }
    SecondThread<void> second(work);
    work();
    second.get();
}

// The books of the roadway, its stations made in parts (see MakeParts). Only
// the number format is shared: it follows the file's first offset, so it is
// known before any part starts. Each part's messages are shown in the order
// of the stations, up to the part that stopped the run, as when one thread
// took the stations in turn.
std::optional<std::vector<Book>> BooksInParts(Roadway roadway, const ChainOptions& options,
                                              Messages& messages) {
    const std::string numberFormat = NumberFormatOf(roadway);
    std::vector<Book> books;
    for (const Side side : roadway.Sides()) {
        books.push_back(Book{side, roadway.Type, {}});
        books.back().Stations.reserve(roadway.StationsOf(side).size());
    }
    std::vector<BookPart> parts = SplitIntoParts(std::move(roadway));
    MakeParts(parts, [&](BookPart& part) {
        return BooksOf(CalculateSlopes(std::move(part.roadway)).Roadway, numberFormat, options,
                       part.messages);
    });

    for (BookPart& part : parts) {
        for (const std::string& message : part.messages.shown) {
            messages.Show(message);
        }
        if (part.failure) {
            std::rethrow_exception(part.failure);
        }
        if (!part.books) {
            return std::nullopt;
        }
        for (Book& partBook : *part.books) {
            if (partBook.Side != part.side) {
                continue;  // the part's other side holds no stations
            }
            std::vector<ReportStation>& stations = books[part.side == Side::Left ? 0 : 1].Stations;
            std::move(partBook.Stations.begin(), partBook.Stations.end(),
                      std::back_inserter(stations));
        }
    }
    return books;
}

// The page must hold every text of the layout: a smaller one would clip the
// book, a taller one starts no station block on any page.
bool CheckPage(PageSize page, Messages& messages) {
    if (PageFitsLayout(page))
        return true;
    messages.Show("The printer's page of " + PageCellsText(page) +
                  " cells is outside the range the book fits on: " + AcceptedPageRangeText() +
                  ". Please choose another printer.");
    return false;
}

}  // namespace

std::vector<const Book*> BooksOf(const BookSet& books) {
    std::vector<const Book*> held;
    for (const PaginatedBook& book : books.Books) {
        held.push_back(&book.Book);
    }
    return held;
}

std::vector<BookPage> AllBookPages(const BookSet& books) {
    std::vector<BookPage> pages;
    for (const PaginatedBook& book : books.Books) {
        const std::vector<BookPage> ofBook = PagesOf({book.Book.Side, 0, book.Pagination.LastPage});
        pages.insert(pages.end(), ofBook.begin(), ofBook.end());
    }
    return pages;
}

std::variant<BookSet, RunStop> MakeBooks(Roadway roadway, const ChainOptions& options,
                                         const PageQuestion& page, Messages& messages) {
    std::optional<std::vector<Book>> books = BooksInParts(std::move(roadway), options, messages);
    if (!books)
        return RunStop::Stopped;

    BookSet set;
    set.PageSize = page();
    if (!CheckPage(set.PageSize, messages))
        return RunStop::Stopped;
    set.Books.reserve(books->size());
    for (Book& book : *books) {
        Pagination pagination = Paginate(book, set.PageSize);
        set.Books.push_back(PaginatedBook{std::move(book), std::move(pagination)});
    }
    return set;
}

}  // namespace corvane
