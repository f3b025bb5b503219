// The desktop program: the main window and everything it opens.
#pragma once

namespace corvane {

// Reads the window form's command line (help, version, an input file) and,
// when there is a display, runs the event loop with the main window open.
// Returns the process exit status.
int RunDesktop(int argc, char** argv);

}  // namespace corvane
