#pragma once

#include <QString>

namespace velmora::platform {

// The application's name: the program file's name without its extension.
QString applicationName();

// Before QApplication exists: when XDG_RUNTIME_DIR is unset or not a private folder of this
// user, makes a private (0700) one under the temporary folder and points XDG_RUNTIME_DIR at it,
// so Qt does not warn.
void ensurePrivateRuntimeDir();

} // namespace velmora::platform
