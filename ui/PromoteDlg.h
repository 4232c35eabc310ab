#pragma once

#include "publish/PublishView.h"

#include <QDialog>

class QKeyEvent;

namespace velmora {

// The "Promotion Links" dialog (template 131): five promotion services with their addresses
// and a Close button. A hidden submission panel lies below; Enter in an edit box runs its
// OK command, which submits the site and opens result.html.
class CPromoteDlg : public QDialog {
    Q_OBJECT
public:
    explicit CPromoteDlg(QWidget* parent = nullptr);

    // The OK command: one submission run.
    void OnOK();

protected:
    // Enter issues the OK command, the default button itself being hidden.
    void keyPressEvent(QKeyEvent* event) override;
    // A long address that takes the focus stays shown from its start.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnInitDialog();
    ProgressBar bar_;  // carries over between runs of one opening
};

} // namespace velmora
