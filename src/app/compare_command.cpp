#include "app/compare_command.h"

#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "app/changes_pdf.h"
#include "app/command_line_run.h"
#include "app/export_options.h"
#include "compare/book_changes.h"
#include "compare/change_rows.h"
#include "compare/changes_book.h"
#include "viewer/book_file.h"

namespace corvane {

namespace {

constexpr int kNoChange = 0;
constexpr int kStopped = 1;
constexpr int kWrongCommandLine = 2;
constexpr int kChangesFound = 3;

// A file's messages, each after the file's name, so that the reader knows
// which of the two files was refused.
class FileMessages : public Messages {
  public:
    FileMessages(Messages& messages, const QString& file)
        : messages_(messages), prefix_(file.toStdString() + ": ") {}
    void Show(const std::string& message) override { messages_.Show(prefix_ + message); }

  private:
    Messages& messages_;
    std::string prefix_;
};

// The books of one file, in the range when one is asked for; else the exit status.
std::variant<std::vector<Book>, int> BooksOfFile(const QString& file, const ExportOptions& options,
                                                 Messages& messages) {
    FileMessages fileMessages(messages, file);
    CommandLineRun commandLine(fileMessages, options.Page);
    RunInputs inputs = options.Inputs;
    inputs.InputFile = file.toStdString();
    auto prepared = PrepareBooksOfFile(inputs, fileMessages, commandLine);
    PreparedBooks* books = std::get_if<PreparedBooks>(&prepared);
    if (!books)
        return kStopped;
    if (const std::optional<int> refused =
            KeepStationsInRange(*books, options.Stations, fileMessages))
        return *refused;
    std::vector<Book> kept;
    for (PaginatedBook& book : books->Books)
        kept.push_back(std::move(book.Book));
    return kept;
}

RoadwayType TypeOf(const std::vector<Book>& books) {
    return !books.empty() && books.front().Type == RoadwayType::Divided ? RoadwayType::Divided
                                                                        : RoadwayType::Undivided;
}

std::string TypesDifferMessage(const CompareOptions& options, const std::vector<Book>& oldBooks,
                               const std::vector<Book>& newBooks) {
    return RoadwayTypesDifferMessage(options.OldFile.toStdString(), TypeOf(oldBooks),
                                     options.NewFile.toStdString(), TypeOf(newBooks));
}

bool WriteChanges(const Comparison& comparison, const CompareOptions& options, Messages& messages) {
    const ExportOptions& output = options.Books;
    if (output.Form == OutputForm::Csv)
        return WriteCsvOutput(ChangeRows(comparison), output.OutputPath, messages);
    if (output.Form == OutputForm::Xlsx) {
        const RowTable rows = ChangeRows(comparison);
        return WriteXlsxOutput({{kChangesSheetName, rows}}, output.OutputPath, messages);
    }
    const std::vector<PaginatedChanges> books = MakeChangesBooks(
        comparison, options.OldFile.toStdString(), options.NewFile.toStdString(), output.Page);
    const HeaderStyle header{output.Inputs.ProjectNumber, output.Inputs.HeaderDate, ""};
    if (output.Form == OutputForm::Pdf)
        return WriteChangesPdf(books, output.Page, header, output.OutputPath, output.Paper,
                               messages);
    return WriteTextOutput(
        output.OutputPath,
        [&](const PageSink& sink) { return sink(ChangesBookText(books, output.Page, header)); },
        messages);
}

int Compare(const CompareOptions& options) {
    StderrMessages messages;
    if (!CheckRunInputs(options.Books.Inputs, messages))
        return kStopped;
    auto oldBooks = BooksOfFile(options.OldFile, options.Books, messages);
    if (const int* status = std::get_if<int>(&oldBooks))
        return *status;
    auto newBooks = BooksOfFile(options.NewFile, options.Books, messages);
    if (const int* status = std::get_if<int>(&newBooks))
        return *status;
    const std::vector<Book>& older = std::get<std::vector<Book>>(oldBooks);
    const std::vector<Book>& newer = std::get<std::vector<Book>>(newBooks);
    const std::optional<Comparison> comparison = CompareBooks(older, newer, options.Tolerance);
    if (!comparison) {
        messages.Show(TypesDifferMessage(options, older, newer));
        return kStopped;
    }
    if (!WriteChanges(*comparison, options, messages))
        return kStopped;
    return comparison->HasChanges() ? kChangesFound : kNoChange;
}

}  // namespace

int RunCompare(int argc, char** argv) {
    QCoreApplication::setApplicationName("corvane");
    CompareOptions options;
    QString error;
    QString help;
    if (!ParseCompareOptions(CommandArguments(argc, argv), options, error, help)) {
        std::cerr << error.toStdString() << "\nTry 'corvane compare --help'.\n";
        return kWrongCommandLine;
    }
    if (!help.isEmpty()) {
        std::cout << help.toStdString();
        return kNoChange;
    }
    // Checked before anything is read or written: the output would destroy a report.
    for (const QString& input : {options.OldFile, options.NewFile}) {
        if (OutputIsInput(options.Books.OutputPath, input)) {
            std::cerr << OverwritesInputMessage(options.Books.OutputPath) << '\n';
            return kWrongCommandLine;
        }
    }
    const std::unique_ptr<QCoreApplication> app =
        StartCommandApplication(argc, argv, options.Books.Form);
    return Compare(options);
}

}  // namespace corvane
