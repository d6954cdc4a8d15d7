#include <windows.h>

#include "device/worker_thread.h"

namespace kadr {

bool RaiseThisThreadPriority(int steps) {
    const int priority = steps >= 2   ? THREAD_PRIORITY_HIGHEST
                         : steps == 1 ? THREAD_PRIORITY_ABOVE_NORMAL
                                      : THREAD_PRIORITY_NORMAL;
    return SetThreadPriority(GetCurrentThread(), priority) != 0;
}

}  // namespace kadr
