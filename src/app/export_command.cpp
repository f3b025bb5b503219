#include "app/export_command.h"

#include <QCoreApplication>

#include <iostream>
#include <memory>
#include <optional>
#include <variant>
#include <vector>

#include "app/command_line_run.h"
#include "app/export_options.h"
#include "app/pdf_book.h"
#include "report/grades_table.h"
#include "report/range_book_set.h"
#include "viewer/book_file.h"

namespace corvane {

namespace {

// The grades as one table (CSV) or as a sheet a side (workbook). Station
// values are read with the B digits of the whole file, also for the books of
// a range, whose first station may be written shorter.
bool WriteGrades(const PreparedBooks& books, std::optional<int> stationDigits,
                 const ExportOptions& options, Messages& messages) {
    const std::vector<const Book*> pointers = BooksOf(books);
    if (options.Form == OutputForm::Csv)
        return WriteCsvOutput(GradeRows(pointers, stationDigits), options.OutputPath, messages);
    const std::vector<GradeRows> tables = GradeRowsPerBook(pointers, stationDigits);
    std::vector<SheetRows> sheets;
    for (const GradeRows& table : tables)
        sheets.push_back({table.SheetName(), table});
    return WriteXlsxOutput(sheets, options.OutputPath, messages);
}

bool WriteBook(const PreparedBooks& books, std::optional<int> stationDigits,
               const ExportOptions& options, Messages& messages) {
    switch (options.Form) {
        case OutputForm::Pdf:
            return WritePdfBook(books, messages, options.OutputPath, options.Paper);
        case OutputForm::Csv:
        case OutputForm::Xlsx:
            return WriteGrades(books, stationDigits, options, messages);
        case OutputForm::Text:
            break;
    }
    return WriteTextOutput(
        options.OutputPath,
        [&books](const PageSink& sink) { return WriteTextBook(books, books.Header, sink); },
        messages);
}

// Every way out ends the run while the books are still alive: freeing them is
// left to the end of the process (see EndCommandLineRun).
int Export(const ExportOptions& options) {
    StderrMessages messages;
    CommandLineRun commandLine(messages, options.Page);
    auto prepared = PrepareBooks(options.Inputs, messages, commandLine);
    PreparedBooks* books = std::get_if<PreparedBooks>(&prepared);
    if (!books)
        return EndCommandLineRun(1);
    const std::optional<int> stationDigits = StationDigitsOf(*books);
    if (const std::optional<int> refused = KeepStationsInRange(*books, options.Stations, messages))
        return EndCommandLineRun(*refused);
    return EndCommandLineRun(WriteBook(*books, stationDigits, options, messages) ? 0 : 1);
}

}  // namespace

int RunExport(int argc, char** argv) {
    QCoreApplication::setApplicationName("corvane");
    ExportOptions options;
    QString error;
    QString help;
    if (!ParseExportOptions(CommandArguments(argc, argv), options, error, help)) {
        std::cerr << error.toStdString() << "\nTry 'corvane export --help'.\n";
        return 2;
    }
    if (!help.isEmpty()) {
        std::cout << help.toStdString();
        return 0;
    }
    // Checked before anything is read or written: the book would destroy the report.
    if (OutputIsInput(options.OutputPath, options.InputFile)) {
        std::cerr << OverwritesInputMessage(options.OutputPath) << '\n';
        return 2;
    }
    const std::unique_ptr<QCoreApplication> app = StartCommandApplication(argc, argv, options.Form);
    return Export(options);
}

}  // namespace corvane
