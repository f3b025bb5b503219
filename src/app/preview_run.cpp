#include "app/preview_run.h"

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include <exception>
#include <future>
#include <optional>
#include <utility>

#include "common/text.h"
#include "grades/number_text.h"
#include "grades/slopes.h"
#include "input/read_roadway.h"
#include "report/pagination.h"
#include "report/report_book.h"

namespace corvane {

namespace {

// The checks before anything is read, in the order a person meets them: the
// reminder (which does not stop the run), then the offset distances.
bool CheckInputs(const PreviewInputs& inputs, Messages& messages) {
    if (inputs.ProjectNumber.empty() || inputs.ControlNumber.empty())
        messages.Show("Please Enter Project Number and Control Number");

    const OffsetRequests& offsets = inputs.Offsets;
    if (offsets.Left.Asked && offsets.Left.Distance.empty()) {
        messages.Show("Please Enter Left offset distance");
        return false;
    }
    if (offsets.Right.Asked && offsets.Right.Distance.empty()) {
        messages.Show("Please Enter Right offset distance");
        return false;
    }
    // A distance that is not a number would leave the offset point half
    // computed; better to say so before anything is read.
    if (offsets.Left.Asked && !ParseNumber(offsets.Left.Distance)) {
        messages.Show("Left offset distance must be a number");
        return false;
    }
    if (offsets.Right.Asked && !ParseNumber(offsets.Right.Distance)) {
        messages.Show("Right offset distance must be a number");
        return false;
    }
    return true;
}

bool NamesACsvFile(const std::string& inputFile) {
    return ToUpper(inputFile).find(".CSV") != std::string::npos;
}

// Offset points, selection and books of a roadway whose slopes are done.
// Each stage takes the roadway the one before returned, so no copy of it
// outlives its stage. No books after the selection's message.
std::optional<std::vector<Book>> BooksOf(Roadway roadway, const std::string& numberFormat,
                                         const PreviewInputs& inputs, Messages& messages) {
    if (inputs.Offsets.Any())
        roadway = AddOffsetPoints(std::move(roadway), inputs.Offsets, numberFormat);

    std::optional<Selection> selection;
    if (inputs.CheckAllPoints)
        selection = KeepAllPoints(std::move(roadway));
    else
        selection = SelectPoints(std::move(roadway), inputs.Types, messages);
    if (!selection)
        return std::nullopt;

    return BuildBooks(std::move(selection->Roadway),
                      BookOptions{inputs.Offsets, selection->ShowOffsetPoints, numberFormat});
}

std::optional<std::vector<Book>> UndividedBooks(Roadway roadway, const PreviewInputs& inputs,
                                                Messages& messages) {
    SlopedRoadway sloped = CalculateSlopes(std::move(roadway));
    return BooksOf(std::move(sloped.Roadway), sloped.NumberFormat, inputs, messages);
}

// The two sides of a divided roadway go through the stages at the same time,
// the right side on a second thread: no stage lets one side's stations touch
// the other's. Only the number format is shared: it follows the file's first
// offset, which is the left side's. The right side's messages follow the
// left side's, and none of them shows when the left side stopped the run, as
// when one stage took both sides in turn.
std::optional<std::vector<Book>> DividedBooks(Roadway roadway, const PreviewInputs& inputs,
                                              Messages& messages) {
    Roadway left{RoadwayType::Divided, std::move(roadway.Left), {}};
    Roadway right{RoadwayType::Divided, {}, std::move(roadway.Right)};
    std::future<SlopedRoadway> rightSloped =
        std::async(std::launch::async, CalculateSlopes, std::move(right));
    SlopedRoadway leftSloped = CalculateSlopes(std::move(left));
    const std::string numberFormat = leftSloped.NumberFormat;

    RecordingMessages rightMessages;
    std::future<std::optional<std::vector<Book>>> rightBooks = std::async(std::launch::async, [&] {
        return BooksOf(rightSloped.get().Roadway, numberFormat, inputs, rightMessages);
    });
    std::optional<std::vector<Book>> leftBooks =
        BooksOf(std::move(leftSloped.Roadway), numberFormat, inputs, messages);
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

// From the file to the books.
std::variant<std::vector<Book>, RunStop> BuildBooksFromFile(const PreviewInputs& inputs,
                                                            Messages& messages) {
    ReadResult read = ReadRoadway(inputs.InputFile, messages);
    switch (read.Outcome) {
        case ReadOutcome::Read:
            break;
        case ReadOutcome::Rejected:
            return RunStop::Stopped;
        case ReadOutcome::EndProgram:
            return RunStop::EndProgram;
    }
    std::optional<std::vector<Book>> books =
        read.Roadway.Type == RoadwayType::Divided
            ? DividedBooks(std::move(read.Roadway), inputs, messages)
            : UndividedBooks(std::move(read.Roadway), inputs, messages);
    if (!books)
        return RunStop::Stopped;
    return std::move(*books);
}

// The chosen printer's page must hold every text of the layout: a smaller one
// would clip the book, a taller one starts no station block on any page.
bool CheckPrinterPage(PageSize page, Messages& messages) {
    if (PageFitsLayout(page))
        return true;
    messages.Show("The printer's page of " + PageCellsText(page) +
                  " cells is outside the range the book fits on: " + AcceptedPageRangeText() +
                  ". Please choose another printer.");
    return false;
}

std::vector<PaginatedBook> PaginateBooks(std::vector<Book> books, PageSize page) {
    std::vector<PaginatedBook> paginated;
    paginated.reserve(books.size());
    for (Book& book : books) {
        Pagination pagination = Paginate(book, page);
        paginated.push_back(PaginatedBook{std::move(book), std::move(pagination)});
    }
    return paginated;
}

std::variant<PreparedBooks, RunStop> PrepareBooksUntrapped(const PreviewInputs& inputs,
                                                           Messages& messages,
                                                           PreviewHooks& hooks) {
    if (!CheckInputs(inputs, messages))
        return RunStop::Stopped;
    if (!NamesACsvFile(inputs.InputFile)) {
        hooks.FileNameRefused(inputs.InputFile);
        return RunStop::Stopped;
    }

    auto books = BuildBooksFromFile(inputs, messages);
    if (const RunStop* stop = std::get_if<RunStop>(&books))
        return *stop;

    const PrinterAndFont chosen = hooks.ChoosePrinterAndFont();
    const PageSize page = hooks.PageOf(chosen);
    if (!CheckPrinterPage(page, messages))
        return RunStop::Stopped;

    PreparedBooks prepared;
    prepared.Books = PaginateBooks(std::get<std::vector<Book>>(std::move(books)), page);
    prepared.PageSize = page;
    prepared.Header = HeaderStyle{inputs.ProjectNumber, inputs.HeaderDate, chosen.Font};
    prepared.SourceFile = inputs.InputFile;
    return prepared;
}

// A run frees a whole roadway and, once the viewer takes the new books, the
// books it showed before: tens of megabytes of small blocks on the largest
// file. The allocator keeps most of them for reuse, more or less from run to
// run; handing them back keeps a long session's memory flat.
void GiveBackFreedMemory() {
#ifdef __GLIBC__
    malloc_trim(0);
#endif
}

// Out of memory and the like end the command with its message.
void ShowRunFailed(Messages& messages) {
    messages.Show("Error occured in Command3_click");
}

}  // namespace

std::variant<PreparedBooks, RunStop> PrepareBooks(const PreviewInputs& inputs, Messages& messages,
                                                  PreviewHooks& hooks) {
    try {
        return PrepareBooksUntrapped(inputs, messages, hooks);
    } catch (const std::exception&) {
        ShowRunFailed(messages);
        return RunStop::Stopped;
    }
}

namespace {

RunOutcome RunPreviewOnce(const PreviewInputs& inputs, Messages& messages, PreviewHooks& hooks) {
    auto prepared = PrepareBooks(inputs, messages, hooks);
    if (const RunStop* stop = std::get_if<RunStop>(&prepared))
        return *stop == RunStop::EndProgram ? RunOutcome::EndProgram : RunOutcome::Stopped;
    try {
        hooks.ShowBooks(std::get<PreparedBooks>(std::move(prepared)));
    } catch (const std::exception&) {
        ShowRunFailed(messages);
        return RunOutcome::Stopped;
    }
    return RunOutcome::Shown;
}

}  // namespace

RunOutcome RunPreview(const PreviewInputs& inputs, Messages& messages, PreviewHooks& hooks) {
    const RunOutcome outcome = RunPreviewOnce(inputs, messages, hooks);
    GiveBackFreedMemory();
    return outcome;
}

}  // namespace corvane
