// The options of `corvane export`, read from the command line.
#pragma once

#include <QPageSize>
#include <QString>
#include <QStringList>

#include "app/run_driver.h"
#include "input/cross_section_tables.h"
#include "report/state.h"

namespace corvane {

struct ExportOptions {
    QString InputFile;
    QString OutputPath;  // "-" is standard output
    bool Pdf = false;    // otherwise the text form
    PreviewInputs Inputs;
    OptionFlags Flags;  // the seven point-type boxes
    PageSize Page;      // the printer page in cells
    QPageSize::PageSizeId Paper = QPageSize::Letter;
    std::string HeaderDate;  // "mm dd yyyy"; empty: today
};

// Reads arguments (arguments[0] the program, arguments[1] "export"). Returns
// false with a message for the user in error; help and version set helpText.
bool ParseExportOptions(const QStringList& arguments, ExportOptions& options, QString& error,
                        QString& helpText);

}  // namespace corvane
