#pragma once

#include "platform/DialogTemplate.h"

#include <QRect>

#include <span>

class QDialog;

namespace velmora::platform {

// Touches up a built dialog where Qt's controls need more room than their table gives: the tab
// strip's tabs are narrowed to fit without scroll arrows, check boxes grow to show their
// indicator and caption whole, a multi-line button caption is wrapped, and a multi-line edit
// without a vertical scroll bar in its template shows none. A picture larger than its place is
// shrunk to fit.
void fitControls(QDialog& dialog, const DialogTemplate& t);

// Static texts of one group of controls (one page) that need more lines than their box holds
// grow downwards, within `area` and never into another control of the group below them.
void fitTexts(QDialog& dialog, std::span<const ControlSpec> group, const QRect& area);

} // namespace velmora::platform
