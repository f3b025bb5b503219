// The options of `corvane export` and `corvane compare`, read from the command line.
#pragma once

#include <QPageSize>
#include <QString>
#include <QStringList>

#include <optional>
#include <string>

#include "app/book_run.h"
#include "compare/decimal_text.h"
#include "report/page_geometry.h"

namespace corvane {

// What is written: the text book, the PDF, or the grades (or changes) as a
// CSV table or an Excel workbook.
enum class OutputForm { Text, Pdf, Csv, Xlsx };

// The form the output's name chooses: ".pdf", ".csv" and ".xlsx" in any letter
// case; any other name (and "-") the text form.
OutputForm FormOfOutput(const QString& path);

struct ExportOptions {
    QString InputFile;
    QString OutputPath;  // "-" is standard output
    OutputForm Form = OutputForm::Text;
    RunInputs Inputs;  // as the main window's controls would hold them
    PageSize Page;     // the printer page in cells
    QPageSize::PageSizeId Paper = QPageSize::Letter;
    // FROM..TO as given; none: the whole book. Read against the file's
    // stations once they are read.
    std::optional<std::string> Stations;
};

// The compare runs both files through the export's chain with the same options.
struct CompareOptions {
    ExportOptions Books;  // InputFile and Inputs.InputFile are left empty
    QString OldFile;
    QString NewFile;
    corvane::Tolerance Tolerance;
};

// Reads arguments (arguments[0] the program, arguments[1] "export"). Returns
// false with a message for the user in error; help and version set helpText.
bool ParseExportOptions(const QStringList& arguments, ExportOptions& options, QString& error,
                        QString& helpText);

// The same for arguments[1] "compare".
bool ParseCompareOptions(const QStringList& arguments, CompareOptions& options, QString& error,
                         QString& helpText);

}  // namespace corvane
