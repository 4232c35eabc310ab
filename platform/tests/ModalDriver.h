#pragma once

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

namespace velmora::platform::test {

// Arms a timer that waits for a modal dialog and hands it to act. It looks every 20 ms and gives
// up after `tries`; a dialog that act leaves open is rejected three seconds later, so a failing
// test cannot hang inside exec(). Returns a flag that tells whether act ran.
// With `wanted`, only a modal dialog it accepts counts (for a box that a dialog opens over itself).
inline std::shared_ptr<bool> whenModal(std::function<void(QWidget&)> act, int tries = 150,
                                       std::function<bool(QWidget&)> wanted = {})
{
    auto done = std::make_shared<bool>(false);
    auto poll = std::make_shared<std::function<void(int)>>();
    *poll = [act = std::move(act), wanted = std::move(wanted), done, poll](int left) {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && (!wanted || wanted(*modal))) {
            *done = true;
            act(*modal);
            *poll = nullptr;  // break the cycle
            QTimer::singleShot(3000, [dialog = QPointer<QDialog>(qobject_cast<QDialog*>(modal))] {
                if (dialog && dialog->isVisible())
                    dialog->reject();
            });
            return;
        }
        if (left <= 0) {
            *poll = nullptr;
            return;
        }
        QTimer::singleShot(20, [poll, left] {
            if (*poll)
                (*poll)(left - 1);
        });
    };
    QTimer::singleShot(20, [poll, tries] {
        if (*poll)
            (*poll)(tries);
    });
    return done;
}

} // namespace velmora::platform::test
