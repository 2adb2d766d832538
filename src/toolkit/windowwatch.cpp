#include "toolkit/windowwatch.h"

#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QPointer>
#include <QWidget>

namespace tk {

namespace {

// The X11 protocol's DestroyNotify event as xcb hands it to Qt: its layout on the
// wire, which the protocol fixes. The high bit of the type marks a sent event.
struct X11DestroyNotify {
    quint8 responseType;
    quint8 unused;
    quint16 sequence;
    quint32 event;
    quint32 window;
};
constexpr quint8 X11DestroyNotifyType = 17;

class WindowWatch : public QAbstractNativeEventFilter {
public:
    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override
    {
        if (type != "xcb_generic_event_t")
            return false;
        const auto* event = static_cast<const X11DestroyNotify*>(message);
        if ((event->responseType & 0x7F) != X11DestroyNotifyType)
            return false;
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (window->internalWinId() != WId(event->window))
                continue;
            // Not here, inside Qt's handling of the window system's events: once
            // that is done, the window closes as if its close box had been clicked.
            QMetaObject::invokeMethod(
                window,
                [window = QPointer<QWidget>(window)] {
                    if (window)
                        window->close();
                },
                Qt::QueuedConnection);
        }
        return false;
    }
};

} // namespace

void installWindowWatch()
{
    static WindowWatch watch;
    qApp->installNativeEventFilter(&watch);
}

} // namespace tk
