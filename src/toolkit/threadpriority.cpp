#include "toolkit/threadpriority.h"

#include <QtGlobal>

#ifdef Q_OS_LINUX
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>
#endif

namespace tk {

void lowerCurrentThreadPriority()
{
#ifdef Q_OS_LINUX
    // On Linux each thread has a nice value of its own; 10 gives the window's
    // thread about nine times the weight of such a worker.
    const auto thread = static_cast<id_t>(::syscall(SYS_gettid));
    if (::getpriority(PRIO_PROCESS, thread) < 10)
        ::setpriority(PRIO_PROCESS, thread, 10);
#endif
}

} // namespace tk
