// What `corvane export` and `corvane compare` share: messages on standard
// error, the run's hooks without a window, the application the output needs,
// and writing an output whole or not at all with the system's reason on failure.
#pragma once

#include <QCoreApplication>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/book_run.h"
#include "app/export_options.h"
#include "common/messages.h"
#include "report/page_geometry.h"
#include "report/row_table.h"
#include "report/text_book.h"
#include "sheets/xlsx_writer.h"

namespace corvane {

// Every message the window would show in a box goes to standard error, one a line.
class StderrMessages : public Messages {
  public:
    void Show(const std::string& message) override;
};

// The command line's part of the run: no dialog, the page it was given, and a
// refused file name said aloud where the window stops without a word.
class CommandLineRun : public RunHooks {
  public:
    CommandLineRun(Messages& messages, PageSize page) : messages_(messages), page_(page) {}
    void FileNameRefused(const std::string& inputFile) override;
    PrinterFontChoice ChoosePrinterAndFont() override { return {{}, {}, page_}; }

  private:
    Messages& messages_;
    PageSize page_;
};

// The application object the form needs: the PDF needs fonts and so a GUI
// application (which never opens a window); the others the much cheaper core
// application. Qt's notes about the environment are kept off standard error.
std::unique_ptr<QCoreApplication> StartCommandApplication(int& argc, char** argv, OutputForm form);

// Ends the command line's run with this exit status once its output is written
// (and synced and renamed): flushes the standard streams and leaves without
// freeing the books or the application one block at a time, which on the
// largest file costs longer than writing the book. A build with the address
// sanitizer returns the status instead, so that the normal exit still runs
// its leak check over everything else the program holds.
int EndCommandLineRun(int status);

// The program's arguments as Qt reads them.
QStringList CommandArguments(int argc, char** argv);

// Writes the text the producer hands to its sink, page by page, to the path
// ("-": standard output), whole or not at all; false after "Cannot write ...".
bool WriteTextOutput(const QString& path, const std::function<bool(const PageSink&)>& produce,
                     Messages& messages);

// The CSV of one table; the workbook of one sheet a table. False after
// "Cannot write PATH: the system's reason".
// Keeps only the books' stations in the --stations range, when one is asked
// for. Otherwise says why and gives the exit status: 2 for a refused range, 1
// for a range that holds no station of the file.
std::optional<int> KeepStationsInRange(BookSet& books, const std::optional<std::string>& stations,
                                       Messages& messages);

bool WriteCsvOutput(const RowSource& table, const QString& path, Messages& messages);
bool WriteXlsxOutput(const std::vector<SheetRows>& sheets, const QString& path, Messages& messages);

}  // namespace corvane
