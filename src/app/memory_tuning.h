// The one request the program makes of the C library's allocator, at its
// edge, before anything else runs. Elsewhere it allocates as any program does.
#pragma once

namespace corvane {

// One heap for the whole program; call before any thread starts.
void TuneAllocator();

}  // namespace corvane
