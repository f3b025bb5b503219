#include "report/make_books.h"

#include <functional>
#include <future>
#include <optional>
#include <string>
#include <utility>

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

std::optional<std::vector<Book>> UndividedBooks(Roadway roadway, const ChainOptions& options,
                                                Messages& messages) {
    SlopedRoadway sloped = CalculateSlopes(std::move(roadway));
    return BooksOf(std::move(sloped.Roadway), sloped.NumberFormat, options, messages);
}

// The two sides go through the stages at the same time, the right side on a
// second thread: no stage lets one side's stations touch the other's. Only the
// number format is shared: it follows the file's first offset, which is the
// left side's, so it is known before either side starts. The right side's
// messages follow the left side's, and none of them shows when the left side
// stopped the run, as when one stage took both sides in turn.
std::optional<std::vector<Book>> DividedBooks(Roadway roadway, const ChainOptions& options,
                                              Messages& messages) {
    const std::string numberFormat = NumberFormatOf(roadway);
    Roadway left{RoadwayType::Divided, std::move(roadway.Left), {}};
    Roadway right{RoadwayType::Divided, {}, std::move(roadway.Right)};
    const auto sideBooks = [&](Roadway side, Messages& sideMessages) {
        return BooksOf(CalculateSlopes(std::move(side)).Roadway, numberFormat, options,
                       sideMessages);
    };

    RecordingMessages rightMessages;
    std::future<std::optional<std::vector<Book>>> rightBooks =
        std::async(std::launch::async, sideBooks, std::move(right), std::ref(rightMessages));
    std::optional<std::vector<Book>> leftBooks = sideBooks(std::move(left), messages);
    std::optional<std::vector<Book>> rightSide = rightBooks.get();
    if (!leftBooks)
        return std::nullopt;
    for (const std::string& message : rightMessages.shown)
        messages.Show(message);
    if (!rightSide)
        return std::nullopt;
    // Each half made a book of both sides, one of them without stations.
    std::vector<Book> books;
    books.push_back(std::move(leftBooks->front()));
    books.push_back(std::move(rightSide->back()));
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
    std::optional<std::vector<Book>> books =
        roadway.Type == RoadwayType::Divided
            ? DividedBooks(std::move(roadway), options, messages)
            : UndividedBooks(std::move(roadway), options, messages);
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
