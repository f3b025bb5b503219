// What the program asks of the C library's allocator, in one place at its
// edge: the command line's heap and the window's trim after a Preview.
// Elsewhere it allocates as any program does.
#pragma once

namespace corvane {

// Readies the heap of a command-line run; call before any thread starts.
void PrepareCommandLineHeap();

// Hands the memory freed by a Preview (the roadway and the books the viewer
// showed before) back to the system.
void GiveBackFreedMemory();

}  // namespace corvane
