#include "platform/BusyWork.h"

#include "platform/Commands.h"

#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <QObject>
#include <QThread>

#include <exception>
#include <thread>

namespace velmora::platform {

BusyCursor::BusyCursor()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

BusyCursor::~BusyCursor()
{
    QApplication::restoreOverrideCursor();
}

namespace {

bool isUserInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonRelease:
    case QEvent::NonClientAreaMouseButtonDblClick:
    case QEvent::NonClientAreaMouseMove:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::InputMethod:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TouchCancel:
    case QEvent::TabletPress:
    case QEvent::TabletMove:
    case QEvent::TabletRelease:
    case QEvent::ContextMenu:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
    case QEvent::Close:
        return true;
    default:
        return false;
    }
}

// Installed on the application while work runs: drops every user input event to every object
// and refuses to close windows.
class InputBlocker : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (!isUserInput(event->type()))
            return false;
        event->ignore();
        return true;
    }
};

struct BlockingState {
    int depth = 0;
    InputBlocker blocker;
    std::exception_ptr stepError;  // first exception of a posted step
};

BlockingState& state()
{
    static BlockingState blocking;
    return blocking;
}

} // namespace

void runBlockingWork(const std::function<void()>& work)
{
    Q_ASSERT(QThread::currentThread() == qApp->thread());
    BlockingState& blocking = state();
    if (blocking.depth++ == 0) {
        blocking.stepError = nullptr;
        qApp->installEventFilter(&blocking.blocker);
    }
    struct Leave {
        BlockingState& blocking;
        ~Leave()
        {
            if (--blocking.depth == 0)
                qApp->removeEventFilter(&blocking.blocker);
        }
    } leave{blocking};

    QEventLoop loop;
    std::exception_ptr workError;
    std::thread worker([&] {
        try {
            work();
        } catch (...) {
            workError = std::current_exception();
        }
        // Queued after every step the work posted, so those run before the loop ends.
        QMetaObject::invokeMethod(&loop, [&loop] { loop.quit(); }, Qt::QueuedConnection);
    });
    loop.exec();
    worker.join();

    if (workError)
        std::rethrow_exception(workError);
    if (blocking.depth == 1 && blocking.stepError)
        std::rethrow_exception(std::exchange(blocking.stepError, nullptr));
}

void postToUi(std::function<void()> step)
{
    QMetaObject::invokeMethod(
        qApp,
        [step = std::move(step)] {
            if (state().depth == 0) {
                runCommand(nullptr, step);
                return;
            }
            try {
                step();
            } catch (...) {
                // No exception may cross the event loop, and a box could not be answered
                // while input is excluded: keep it for the running work to rethrow.
                if (!state().stepError)
                    state().stepError = std::current_exception();
            }
        },
        Qt::QueuedConnection);
}

} // namespace velmora::platform
