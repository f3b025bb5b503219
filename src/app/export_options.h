// The options of `corvane export`, read from the command line.
#pragma once

#include <QPageSize>
#include <QString>
#include <QStringList>

#include "app/book_run.h"
#include "report/page_geometry.h"

namespace corvane {

struct ExportOptions {
    QString InputFile;
    QString OutputPath;  // "-" is standard output
    bool Pdf = false;    // otherwise the text form
    RunInputs Inputs;    // as the main window's controls would hold them
    PageSize Page;       // the printer page in cells
    QPageSize::PageSizeId Paper = QPageSize::Letter;
};

// Reads arguments (arguments[0] the program, arguments[1] "export"). Returns
// false with a message for the user in error; help and version set helpText.
bool ParseExportOptions(const QStringList& arguments, ExportOptions& options, QString& error,
                        QString& helpText);

}  // namespace corvane
