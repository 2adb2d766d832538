#include "toolkit/processors.h"

#include <QtGlobal>

#ifdef Q_OS_LINUX
#include <pthread.h>
#include <sched.h>
#endif

namespace tk {

#ifdef Q_OS_LINUX

int currentProcessor()
{
    return sched_getcpu();
}

void leaveProcessor(int processor)
{
    if (processor < 0 || processor >= CPU_SETSIZE)
        return;
    cpu_set_t allowed;
    CPU_ZERO(&allowed);
    if (pthread_getaffinity_np(pthread_self(), sizeof allowed, &allowed) != 0)
        return;
    if (!CPU_ISSET(processor, &allowed) || CPU_COUNT(&allowed) < 2)
        return;
    CPU_CLR(processor, &allowed);
    // Failing here costs only time, never a result.
    pthread_setaffinity_np(pthread_self(), sizeof allowed, &allowed);
}

#else

// Elsewhere the system's own placement has to do.
int currentProcessor()
{
    return -1;
}

void leaveProcessor(int) {}

#endif

} // namespace tk
