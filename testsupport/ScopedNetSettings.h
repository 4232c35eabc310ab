#pragma once

#include "publish/InternetLink.h"

namespace velmora::test {

// A test that changes the process-wide network settings (time limits, the connect-to table)
// holds one of these: they are put back as they were when it goes, whatever the test did.
// Tests that include this link velmora_publish.
using ScopedNetSettings = net::ScopedSettings;

} // namespace velmora::test
