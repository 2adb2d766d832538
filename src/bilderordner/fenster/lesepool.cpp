#include "bilderordner/fenster/lesepool.h"

#include <QCoreApplication>
#include <QThreadPool>

namespace kbb::fenster {

QThreadPool& lesepool()
{
    // Owned by the application, so that it waits for its threads before the
    // objects they report to are gone.
    static QThreadPool* pool = [] {
        auto* p = new QThreadPool(QCoreApplication::instance());
        p->setObjectName(QStringLiteral("Lesepool"));
        p->setMaxThreadCount(std::max(2, QThread::idealThreadCount()));
        return p;
    }();
    return *pool;
}

} // namespace kbb::fenster
