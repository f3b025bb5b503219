#include "app/memory_tuning.h"

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace corvane {

// A divided roadway's right book is built on a second thread. With glibc's
// default of an arena a thread, that book grows in a heap of its own beside
// the memory the left side gave back, and each Preview's books land wherever
// the arenas have room. Measured with memory_bench (100 Previews of the
// largest divided file in one window; resident memory at its peak, after run
// 10, after run 100):
//   default arenas           99.5 / 91.5 / 92.4 MB
//   one arena                89.9-91.5 / 84.1-85.0 / 89.7-91.1 MB (3 runs)
// The text export of that file neither gains nor loses by it (/usr/bin/time -v,
// median peak of 15 runs: 50.8 MB with one arena, 50.0 MB with the default,
// single runs spreading over 46-56 MB either way).
//
// Handing freed memory back after each Preview (malloc_trim) was measured and
// left out: with one arena the heap's top goes back as it is freed; with the
// trim the same three runs ended at 88.0-89.5 MB, and 200 Previews alternating
// the largest file and the samples ended at 49.0 MB against 48.4 MB without.
void TuneAllocator() {
#ifdef __GLIBC__
    mallopt(M_ARENA_MAX, 1);
#endif
}

}  // namespace corvane
