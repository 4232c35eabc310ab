#pragma once

#include <QProxyStyle>

namespace velmora::platform {

// The application style with the tighter spacing of the old dialogs, which the layouts in dialog
// units were made for: tab captions padded by one character width, a check box's caption a
// third of a character from its box. Shared by every built control; lives for the whole run.
QStyle* dialogStyle();

} // namespace velmora::platform
