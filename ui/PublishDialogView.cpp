#include "ui/PublishDialogView.h"

#include "platform/BusyWork.h"
#include "platform/DialogBuilder.h"
#include "platform/MessageBox.h"

#include <QDialog>
#include <QPointer>
#include <QProgressBar>

namespace velmora {
namespace {

platform::MessageIcon messageIcon(NoticeIcon icon)
{
    switch (icon) {
    case NoticeIcon::Information:
        return platform::MessageIcon::Information;
    case NoticeIcon::Warning:
        return platform::MessageIcon::Warning;
    case NoticeIcon::Stop:
        return platform::MessageIcon::Stop;
    case NoticeIcon::None:
        break;
    }
    return platform::MessageIcon::None;
}

} // namespace

PublishView dialogPublishView(QDialog& dialog, int progressBarId)
{
    PublishView view;
    view.runNetworkWork = [](const std::function<void()>& work) {
        platform::BusyCursor busy;
        platform::runBlockingWork(work);
    };
    // From the worker: the bar moves on the user-interface thread, between transfers.
    view.showProgress = [bar = QPointer<QProgressBar>(platform::control<QProgressBar>(dialog, progressBarId))](
                            const ProgressBar& state) {
        platform::postToUi([bar, state] {
            if (!bar)
                return;
            bar->setRange(state.low, state.high);
            bar->setValue(state.position);
        });
    };
    view.showNotice = [owner = &dialog](const Notice& notice) {
        platform::showMessage(owner, notice.text, notice.caption, messageIcon(notice.icon));
    };
    return view;
}

} // namespace velmora
