#pragma once

#include <QUrl>

#include <functional>
#include <string>

namespace velmora::platform {

// Opens a file or an address in the user's default program; the outcome is ignored. A text
// with a scheme ("http://...", "mailto:...") is an address, one starting "www." gets "http://",
// anything else is a local path.
void shellOpen(const std::string& fileOrAddress);

// What shellOpen opens for a text (the file name's bytes as the system's).
QUrl shellUrl(const std::string& fileOrAddress);

// Test seam: while set, shellOpen hands its argument to the recorder and opens nothing.
// An empty function restores opening.
void setShellOpenRecorder(std::function<void(const std::string&)> recorder);

} // namespace velmora::platform
