#include "app/preview_run.h"

#include <exception>
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

// From the file to the books. Each stage takes the roadway the one before
// returned, so no copy of it outlives its stage.
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

    SlopedRoadway sloped = CalculateSlopes(std::move(read.Roadway));
    if (inputs.Offsets.Any())
        sloped.Roadway =
            AddOffsetPoints(std::move(sloped.Roadway), inputs.Offsets, sloped.NumberFormat);

    std::optional<Selection> selection;
    if (inputs.CheckAllPoints)
        selection = KeepAllPoints(std::move(sloped.Roadway));
    else
        selection = SelectPoints(std::move(sloped.Roadway), inputs.Types, messages);
    if (!selection)
        return RunStop::Stopped;

    return BuildBooks(selection->Roadway, BookOptions{inputs.Offsets, selection->ShowOffsetPoints,
                                                      sloped.NumberFormat});
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

RunOutcome RunPreview(const PreviewInputs& inputs, Messages& messages, PreviewHooks& hooks) {
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

}  // namespace corvane
