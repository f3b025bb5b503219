// The Preview run: from the main window's inputs to the first page of the book.
// Qt-free, so the window and the command line drive the very same steps.
#pragma once

#include <string>

#include "input/messages.h"
#include "report/state.h"
#include "report/surface.h"

namespace corvane {

// What the main window's controls hold when Preview is pressed.
struct PreviewInputs {
    std::string ProjectNumber;                     // Text1(0)
    std::string ControlNumber;                     // Text1(1)
    bool LeftOffsetTicked = false;                 // Check2(0)
    bool RightOffsetTicked = false;                // Check2(1)
    std::string LeftOffsetDistance;                // Text2(0)
    std::string RightOffsetDistance;               // Text2(1)
    std::string LeftOffsetFrom = kFromLastPoint;   // Combo1(0)
    std::string RightOffsetFrom = kFromLastPoint;  // Combo1(1)
    bool CheckAllPoints = true;                    // Check1(7)
};

// The steps a window fills in; the command line leaves them as they are.
class PreviewHooks {
  public:
    virtual ~PreviewHooks() = default;
    // The font and printer dialog, shown modally; it may change the printer and the font.
    virtual void ShowFontAndPrinterDialog(State&) {}
    // The viewer's surface for the header and the first page; null draws nowhere.
    virtual Surface* ViewerSurface() { return nullptr; }
    // Shows the viewer on the page the run left in the cursor.
    virtual void ShowViewer(State&) {}
    // The file name holds no ".CSV" in any letter case, so the run stops before
    // the file is read. The window stops silently; the command line says why.
    virtual void FileNameRefused(const std::string& /*inputFile*/) {}
};

enum class RunOutcome {
    Shown,       // the book is laid out and the viewer was shown
    Stopped,     // the run stopped (a message may have been shown)
    EndProgram,  // the file's side marker was wrong: the program must end
};

RunOutcome RunPreview(State& state, const PreviewInputs& inputs, Messages& messages,
                      PreviewHooks& hooks);

// A fresh state, as the main window's load leaves it.
void InitializeState(State& state);

}  // namespace corvane
