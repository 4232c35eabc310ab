// velmora-startup-probe: the wizard's own start-up (CVelmoraApp, InitInstance), which prints
// the milliseconds from VELMORA_T0_NS (the launcher's CLOCK_REALTIME just before it started
// this process) to the first paint of the main window, and then closes the window.
// scripts/measure-window runs it under Xvfb.

#include "ui/Velmora.h"
#include "ui/VelmoraDlg.h"

#include <QEvent>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

long long nowNs()
{
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return now.tv_sec * 1000000000LL + now.tv_nsec;
}

class FirstPaint : public QObject {
public:
    explicit FirstPaint(long long t0) : t0_(t0) {}

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* window = dynamic_cast<velmora::ui::CVelmoraDlg*>(watched);
        if (!done_ && window && event->type() == QEvent::Paint) {
            done_ = true;
            std::printf("%.1f\n", static_cast<double>(nowNs() - t0_) / 1e6);
            std::fflush(stdout);
            QTimer::singleShot(0, window, [window] { window->reject(); });
        }
        return false;
    }

private:
    long long t0_;
    bool done_ = false;
};

} // namespace

int main(int argc, char** argv)
{
    const char* t0 = std::getenv("VELMORA_T0_NS");
    FirstPaint probe(t0 ? std::atoll(t0) : nowNs());
    velmora::ui::CVelmoraApp app(argc, argv);
    QCoreApplication::instance()->installEventFilter(&probe);
    return app.InitInstance();
}
