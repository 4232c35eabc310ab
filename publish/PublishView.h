#pragma once

// What a publishing run needs of the window it runs in: a progress bar to move, a message box
// to show and a way to run network work. The dialogs fill it in on the platform layer, the
// headless command with printing; the logic is the same for both.

#include <algorithm>
#include <functional>
#include <string>

namespace velmora {

// A progress bar's range and position, moved as the bars of the publishing dialogs move: an
// advance past the top of the range leaves the bar at the top.
struct ProgressBar {
    int low = 0;
    int high = 100;
    int position = 0;

    void advance(int step) { position = std::min(position + step, high); }
    void reset(int newLow, int newHigh, int newPosition)
    {
        low = newLow;
        high = newHigh;
        position = newPosition;
    }
    friend bool operator==(const ProgressBar&, const ProgressBar&) = default;
};

enum class NoticeIcon { None, Information, Warning, Stop };

// A message box: Windows-1252 text, a caption (empty: the application's name), an icon and an
// OK button.
struct Notice {
    std::string text;
    std::string caption;
    NoticeIcon icon = NoticeIcon::None;
    friend bool operator==(const Notice&, const Notice&) = default;
};

struct PublishView {
    // Runs the network part of a command and returns when it is done, rethrowing what it threw.
    // The dialogs run it off the user-interface thread; unset, it runs right here.
    std::function<void(const std::function<void()>&)> runNetworkWork;
    // The bar has moved. Called from within the network work, with a copy to show.
    std::function<void(const ProgressBar&)> showProgress;
    // Shows a message and returns once it is dismissed. Called outside the network work.
    std::function<void(const Notice&)> showNotice;

    void runNetwork(const std::function<void()>& work) const
    {
        if (runNetworkWork)
            runNetworkWork(work);
        else
            work();
    }
    void progress(const ProgressBar& bar) const
    {
        if (showProgress)
            showProgress(bar);
    }
    void notify(const Notice& notice) const
    {
        if (showNotice)
            showNotice(notice);
    }
};

} // namespace velmora
