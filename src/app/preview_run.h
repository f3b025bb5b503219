// The Preview run: from what the main window's controls hold to the laid-out
// books. Each stage takes the value the one before returned:
//
//   check the inputs -> read the file -> slopes -> offset points (when asked)
//   -> the points kept -> books -> printer and font -> the printer's page
//   -> page range check -> one pagination a book -> the viewer
//
// Qt-free, so the window and the command line run the very same chain; what
// only a window does (the dialog, the printer's page, the viewer) are hooks.
#pragma once

#include <string>
#include <variant>

#include "common/messages.h"
#include "grades/offset_points.h"
#include "grades/point_selection.h"
#include "report/page_geometry.h"
#include "viewer/viewer_state.h"

namespace corvane {

// What the main window's controls hold when Preview is pressed.
struct PreviewInputs {
    std::string InputFile;      // the file chosen (Label4)
    std::string ProjectNumber;  // Text1(0)
    std::string ControlNumber;  // Text1(1)
    // Left: Check2(0), Text2(0), Combo1(0); Right: Check2(1), Text2(1), Combo1(1).
    OffsetRequests Offsets;
    bool CheckAllPoints = true;  // Check1(7)
    PointTypes Types;            // Check1(0) .. Check1(6), read when Check1(7) is unticked
    std::string HeaderDate;      // "mm dd yyyy" for the page header; empty: today
};

// The printer the book is laid out for and the font of its pages.
struct PrinterAndFont {
    std::string Printer;
    std::string Font;  // empty: the surface's own fixed-pitch font
};

// The steps only a window has. The command line keeps the defaults of the
// dialog and the viewer and answers the page with the page it was given.
class PreviewHooks {
  public:
    virtual ~PreviewHooks() = default;
    // The file name holds no ".CSV" in any letter case, so the run stops before
    // the file is read. The window stops silently; the command line says why.
    virtual void FileNameRefused(const std::string& /*inputFile*/) {}
    // The font and printer dialog, shown modally; whichever button closes it,
    // the run goes on with the printer and font it returns.
    virtual PrinterAndFont ChoosePrinterAndFont() { return {}; }
    // The printable area of the chosen printer's page.
    virtual PageSize PageOf(const PrinterAndFont& /*chosen*/) { return {}; }
    // Shows the viewer on the first page of the first book.
    virtual void ShowBooks(PreparedBooks /*books*/) {}
};

// Why a run ended without books.
enum class RunStop {
    Stopped,     // a message may have been shown; nothing else happens
    EndProgram,  // the file's side marker was wrong: the program must end
};

// The chain up to the laid-out books, without showing them.
std::variant<PreparedBooks, RunStop> PrepareBooks(const PreviewInputs& inputs, Messages& messages,
                                                  PreviewHooks& hooks);

enum class RunOutcome { Shown, Stopped, EndProgram };

// The whole Preview command: PrepareBooks, then the books go to hooks.ShowBooks.
RunOutcome RunPreview(const PreviewInputs& inputs, Messages& messages, PreviewHooks& hooks);

}  // namespace corvane
