#pragma once

#include "publish/InternetLink.h"

namespace velmora::test {

// A test that changes the process-wide network settings (time limits, the connect-to table)
// holds one of these: they are put back as they were when it goes, whatever the test did.
// Tests that include this link velmora_publish.
class ScopedNetSettings {
public:
    ScopedNetSettings() : saved_(net::settings()) {}
    ~ScopedNetSettings() { net::settings() = saved_; }
    ScopedNetSettings(const ScopedNetSettings&) = delete;
    ScopedNetSettings& operator=(const ScopedNetSettings&) = delete;

private:
    net::Settings saved_;
};

} // namespace velmora::test
