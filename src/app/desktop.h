// The desktop program: the main window and everything it opens.
#pragma once

namespace corvane {

// Runs the event loop with the main window open; argv may name an input file.
int RunDesktop(int argc, char** argv);

}  // namespace corvane
