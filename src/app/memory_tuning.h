// What the program asks of the C library's allocator, in one place at its
// edge: the window's trim after a Preview. Elsewhere it allocates as any
// program does.
#pragma once

namespace corvane {

// Hands the memory freed by a Preview (the roadway and the books the viewer
// showed before) back to the system.
void GiveBackFreedMemory();

}  // namespace corvane
