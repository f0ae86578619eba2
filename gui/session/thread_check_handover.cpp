// Built only for the ThreadSanitizer checks (MIRELTA_SANITIZE_THREAD).
//
// Qt as Debian ships it is not instrumented, so the lock that orders a call queued to another
// thread's event loop is invisible to ThreadSanitizer. The end of a session reaches the window as
// a lambda queued from the session's thread: written there, read by the window's thread, it
// would be reported as a race. Here queueing a call is marked as a release, and the
// delivery of a queued call to an object of the window's thread as an acquire, of one clock: what
// Qt's event queue does, and nothing more. Every other access of the two threads stays checked.

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <dlfcn.h>
#include <sanitizer/tsan_interface.h>

namespace {

char queuedCalls; // the clock of the queued calls

class QueuedCallDelivery : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        if (event->type() == QEvent::MetaCall) {
            __tsan_acquire(&queuedCalls);
        }
        return false;
    }
};

// An application's event filter sees every event of an object of the window's thread.
void watchQueuedCallDelivery() {
    QCoreApplication* application = QCoreApplication::instance();
    application->installEventFilter(new QueuedCallDelivery(application));
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(watchQueuedCallDelivery)

// QMetaObject::invokeMethod with a lambda, as the program calls it, hands the lambda to this
// function of Qt's: the program's definition comes first, marks the release and calls Qt's.
bool QMetaObject::invokeMethodImpl(QObject* object, QtPrivate::QSlotObjectBase* slot,
                                   Qt::ConnectionType type, void* ret) {
    using Qts = bool (*)(QObject*, QtPrivate::QSlotObjectBase*, Qt::ConnectionType, void*);
    static const auto qts = reinterpret_cast<Qts>(
        dlsym(RTLD_NEXT, "_ZN11QMetaObject16invokeMethodImplEP7QObjectPN9QtPrivate15QSlotObjectBase"
                         "EN2Qt14ConnectionTypeEPv"));
    __tsan_release(&queuedCalls);
    return qts(object, slot, type, ret);
}
