#include "common/second_thread.h"

#ifdef __linux__
#include <pthread.h>
#include <sched.h>
#endif

namespace corvane {

// The thread may run on any processor it was allowed, but this one. Nothing
// changes when no other is allowed (a program held to one processor) or the
// system refuses: the thread then runs where the system puts it.
void KeepOffThisProcessor([[maybe_unused]] std::thread& thread) noexcept {
#ifdef __linux__
    const int here = sched_getcpu();
    cpu_set_t allowed;
    CPU_ZERO(&allowed);
    if (here < 0 || here >= CPU_SETSIZE ||
        pthread_getaffinity_np(thread.native_handle(), sizeof allowed, &allowed) != 0)
        return;
    CPU_CLR(here, &allowed);
    if (CPU_COUNT(&allowed) > 0)
        pthread_setaffinity_np(thread.native_handle(), sizeof allowed, &allowed);
#endif
}

}  // namespace corvane
