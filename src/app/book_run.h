// A run from what the main window's controls hold (or the command line's
// options) to the laid-out books. Each step takes the value the one before
// returned:
//
//   check the inputs -> read the file -> MakeBooks (slopes, offset points, the
//   points kept, books; then the printer and font, the printer's page, one
//   pagination a book) -> the viewer or the file
//
// Qt-free, so the window and the command line run the very same chain; what
// only a window does (the dialog, the printer's page, the viewer) are hooks.
#pragma once

#include <string>
#include <variant>

#include "common/messages.h"
#include "report/make_books.h"
#include "viewer/viewer_state.h"

namespace corvane {

// One offset row as the person left it: the choice already taken from its
// caption or option, the distance as typed. The run checks the distance and
// reads it as a number before anything else happens.
struct OffsetRow {
    bool Asked = false;
    std::string Distance;
    OffsetFrom From = OffsetFrom::LastPoint;
};

// What the main window's controls hold when Preview is pressed.
struct RunInputs {
    std::string InputFile;      // the file chosen (Label4)
    std::string ProjectNumber;  // Text1(0)
    std::string ControlNumber;  // Text1(1)
    // Left: Check2(0), Text2(0), Combo1(0); Right: Check2(1), Text2(1), Combo1(1).
    OffsetRow LeftOffset;
    OffsetRow RightOffset;
    bool CheckAllPoints = true;  // Check1(7)
    PointTypes Types;            // Check1(0) .. Check1(6), read when Check1(7) is unticked
    std::string HeaderDate;      // "mm dd yyyy" for the page header; empty: today
};

// The steps only a window has. The command line keeps the defaults of the
// dialog and the viewer and answers the page with the page it was given.
class RunHooks {
  public:
    virtual ~RunHooks() = default;
    // The file name holds no ".CSV" in any letter case, so the run stops before
    // the file is read. The window stops silently; the command line says why.
    virtual void FileNameRefused(const std::string& /*inputFile*/) {}
    // The font and printer dialog, shown modally once the books are made;
    // whichever button closes it, the run goes on with the printer, the font
    // and the printer's page it returns (none: a Letter page).
    virtual PrinterFontChoice ChoosePrinterAndFont() { return {}; }
    // Shows the viewer on the first page of the first book.
    virtual void ShowBooks(PreparedBooks /*books*/) {}
};

// The chain up to the laid-out books, without showing them.
std::variant<PreparedBooks, RunStop> PrepareBooks(const RunInputs& inputs, Messages& messages,
                                                  RunHooks& hooks);

// The checks PrepareBooks makes before anything is read: the reminder for the
// project and control numbers (which does not stop the run), then the offset
// distances. False after the message of the one that stops the run.
bool CheckRunInputs(const RunInputs& inputs, Messages& messages);

// PrepareBooks after CheckRunInputs: for one run over several files with the
// same inputs, whose checks are made (and said) once.
std::variant<PreparedBooks, RunStop> PrepareBooksOfFile(const RunInputs& inputs, Messages& messages,
                                                        RunHooks& hooks);

enum class RunOutcome { Shown, Stopped, EndProgram };

// The whole Preview command: PrepareBooks, then the books go to hooks.ShowBooks.
RunOutcome RunAndShowBooks(const RunInputs& inputs, Messages& messages, RunHooks& hooks);

}  // namespace corvane
