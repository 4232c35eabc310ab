#pragma once

#include "publish/PublishView.h"

class QDialog;

namespace velmora {

// The publishing view of a dialog: network work off the user-interface thread under a wait
// cursor, the dialog's progress bar `progressBarId` moved between transfers, and message boxes
// owned by the dialog.
PublishView dialogPublishView(QDialog& dialog, int progressBarId);

} // namespace velmora
