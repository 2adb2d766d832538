#include "toolkit/terminal.h"

#include <QtGlobal>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

namespace tk {

namespace {
std::FILE* own = nullptr;
}

void quietTerminal()
{
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
#ifdef Q_OS_UNIX
    // Libraries write to descriptor 2 directly; it now leads nowhere, and the
    // program keeps a copy of the real one for its own messages.
    const int copy = ::dup(STDERR_FILENO);
    const int nowhere = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (copy < 0 || nowhere < 0)
        return;
    ::fcntl(copy, F_SETFD, FD_CLOEXEC);
    own = ::fdopen(copy, "w");
    ::dup2(nowhere, STDERR_FILENO);
    ::close(nowhere);
#endif
}

std::FILE* errorOutput()
{
    return own ? own : stderr;
}

} // namespace tk
