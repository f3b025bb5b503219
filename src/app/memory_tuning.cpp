#include "app/memory_tuning.h"

// Any standard header defines __GLIBC__ on glibc; without one before the test
// below, neither call would be compiled in.
#include <cstdlib>

#if defined(__gnu_linux__) && !defined(__GLIBC__)
#error "the C library is not known here: the allocator tuning would be left out"
#endif

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace corvane {

// The command line keeps glibc's default heaps, one a thread: reading, the
// two sides' books and the drawing all run on two threads, and a single heap
// made them wait on its lock (about a tenth of the largest export's time) for
// no gain in peak memory (45.4 against 45.9 MB).

// A Preview frees a whole roadway and, once the viewer takes the new books,
// the books it showed before: tens of megabytes of small blocks on the largest
// file, which the allocator would otherwise keep for reuse more or less from
// run to run. Handing them back keeps a window's resident memory close to
// what the book on show needs (memory_bench's 200-run soak; the README holds
// its figures).
void GiveBackFreedMemory() {
#ifdef __GLIBC__
    malloc_trim(0);
#endif
}

}  // namespace corvane
