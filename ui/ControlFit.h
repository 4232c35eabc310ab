#pragma once

#include "platform/DialogTemplate.h"

class QDialog;

namespace velmora::ui {

// Touches up a built dialog where Qt's controls need more room than the old ones: the tab
// strip's tabs are narrowed to fit without scroll arrows, check boxes grow to show their
// indicator and caption whole, a multi-line button caption is wrapped, and a multi-line edit
// without a vertical scroll bar in its template shows none.
void fitControls(QDialog& dialog, const platform::DialogTemplate& t);

} // namespace velmora::ui
