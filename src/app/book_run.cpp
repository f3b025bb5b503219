#include "app/book_run.h"

#include <exception>
#include <optional>
#include <utility>

#include "app/memory_tuning.h"
#include "common/text.h"
#include "grades/number_text.h"
#include "input/read_roadway.h"

namespace corvane {

namespace {

// The checks before anything is read, in the order a person meets them: the
// reminder (which does not stop the run), then the offset distances. Gives the
// offset points asked for, each distance read as a number; none when a
// distance is missing or not a number.
std::optional<OffsetRequests> CheckedOffsets(const RunInputs& inputs, Messages& messages) {
    if (inputs.ProjectNumber.empty() || inputs.ControlNumber.empty())
        messages.Show("Please Enter Project Number and Control Number");

    const OffsetRow& left = inputs.LeftOffset;
    const OffsetRow& right = inputs.RightOffset;
    if (left.Asked && left.Distance.empty()) {
        messages.Show("Please Enter Left offset distance");
        return std::nullopt;
    }
    if (right.Asked && right.Distance.empty()) {
        messages.Show("Please Enter Right offset distance");
        return std::nullopt;
    }
    // A distance that is not a number would leave the offset point half
    // computed; better to say so before anything is read.
    const std::optional<double> leftDistance = ParseNumber(left.Distance);
    const std::optional<double> rightDistance = ParseNumber(right.Distance);
    if (left.Asked && !leftDistance) {
        messages.Show("Left offset distance must be a number");
        return std::nullopt;
    }
    if (right.Asked && !rightDistance) {
        messages.Show("Right offset distance must be a number");
        return std::nullopt;
    }
    return OffsetRequests{{left.Asked, leftDistance.value_or(0), left.From},
                          {right.Asked, rightDistance.value_or(0), right.From}};
}

}  // namespace

bool CheckRunInputs(const RunInputs& inputs, Messages& messages) {
    return CheckedOffsets(inputs, messages).has_value();
}

namespace {

bool NamesACsvFile(const std::string& inputFile) {
    return ToUpper(inputFile).find(".CSV") != std::string::npos;
}

// From the file to the books, the page asked for once they are made.
// The options of inputs that CheckRunInputs accepted.
ChainOptions OptionsOf(const RunInputs& inputs) {
    const auto request = [](const OffsetRow& row) {
        return OffsetRequest{row.Asked, ParseNumber(row.Distance).value_or(0), row.From};
    };
    return {inputs.CheckAllPoints, inputs.Types,
            OffsetRequests{request(inputs.LeftOffset), request(inputs.RightOffset)}};
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
