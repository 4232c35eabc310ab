#pragma once

#include <functional>

namespace velmora::platform {

// The wait cursor over every window while it lives.
class BusyCursor {
public:
    BusyCursor();
    ~BusyCursor();
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

// Runs work on a worker thread while a local event loop on the user-interface thread keeps
// every window painting and timers firing. User input (mouse, keyboard, wheel, touch, close)
// to every window is discarded until the work ends. An exception thrown by the work is
// rethrown here. The work must never touch a widget: it hands such steps to postToUi.
// Must be called on the user-interface thread.
void runBlockingWork(const std::function<void()>& work);

// Queues a step to the user-interface thread (inside runBlockingWork's loop), for example to
// move a progress bar. Safe from any thread. An exception from the step is rethrown by the
// runBlockingWork that is running (after its work ends), unless the work itself threw; when no
// work is running, the step runs as a command (runCommand).
void postToUi(std::function<void()> step);

} // namespace velmora::platform
