#include "app/book_run.h"

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include <exception>
#include <utility>

#include "common/text.h"
#include "grades/number_text.h"
#include "input/read_roadway.h"

namespace corvane {

// In the order a person meets them.
bool CheckRunInputs(const RunInputs& inputs, Messages& messages) {
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

namespace {

bool NamesACsvFile(const std::string& inputFile) {
    return ToUpper(inputFile).find(".CSV") != std::string::npos;
}

// From the file to the books, the page asked for once they are made.
ChainOptions OptionsOf(const RunInputs& inputs) {
    return {inputs.CheckAllPoints, inputs.Types, inputs.Offsets};
}

std::variant<BookSet, RunStop> BooksOfFile(const RunInputs& inputs, const PageQuestion& page,
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
    return MakeBooks(std::move(read.Roadway), OptionsOf(inputs), page, messages);
}

std::variant<PreparedBooks, RunStop> BooksOfCheckedInputs(const RunInputs& inputs,
                                                          Messages& messages, RunHooks& hooks) {
    if (!NamesACsvFile(inputs.InputFile)) {
        hooks.FileNameRefused(inputs.InputFile);
        return RunStop::Stopped;
    }

    PrinterFontChoice chosen;
    const PageQuestion page = [&] {
        chosen = hooks.ChoosePrinterAndFont();
        return chosen.PrinterPage.value_or(PageSize{});
    };
    auto books = BooksOfFile(inputs, page, messages);
    if (const RunStop* stop = std::get_if<RunStop>(&books))
        return *stop;

    PreparedBooks prepared{std::get<BookSet>(std::move(books)),
                           HeaderStyle{inputs.ProjectNumber, inputs.HeaderDate, chosen.FontName},
                           inputs.InputFile, OptionsOf(inputs)};
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

std::variant<PreparedBooks, RunStop> PrepareBooksOfFile(const RunInputs& inputs, Messages& messages,
                                                        RunHooks& hooks) {
    try {
        return BooksOfCheckedInputs(inputs, messages, hooks);
    } catch (const std::exception&) {
        ShowRunFailed(messages);
        return RunStop::Stopped;
    }
}

std::variant<PreparedBooks, RunStop> PrepareBooks(const RunInputs& inputs, Messages& messages,
                                                  RunHooks& hooks) {
    if (!CheckRunInputs(inputs, messages))
        return RunStop::Stopped;
    return PrepareBooksOfFile(inputs, messages, hooks);
}

namespace {

RunOutcome RunOnce(const RunInputs& inputs, Messages& messages, RunHooks& hooks) {
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

RunOutcome RunAndShowBooks(const RunInputs& inputs, Messages& messages, RunHooks& hooks) {
    const RunOutcome outcome = RunOnce(inputs, messages, hooks);
    GiveBackFreedMemory();
    return outcome;
}

}  // namespace corvane
