#include <sys/resource.h>
#include <unistd.h>

#include "device/worker_thread.h"

namespace kadr {

bool RaiseThisThreadPriority(int steps) {
    // A thread's nice value is its own on Linux; a negative one takes CAP_SYS_NICE.
    return setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), -steps) == 0;
}

}  // namespace kadr
