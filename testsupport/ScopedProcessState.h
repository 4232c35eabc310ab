#pragma once

#include "generator/CreateSite.h"
#include "publish/InternetLink.h"

// A test that changes the process-wide network settings (time limits, the connect-to table)
// or the generator's lasting state holds one of these: both are put back as they were when it
// goes, whatever the test did. Tests that include this link velmora_generator.
namespace velmora::test {

class ScopedProcessState {
public:
    ScopedProcessState()
        : network_(net::settings()), generator_(processGeneratorState())
    {
    }
    ~ScopedProcessState()
    {
        net::settings() = network_;
        processGeneratorState() = generator_;
    }
    ScopedProcessState(const ScopedProcessState&) = delete;
    ScopedProcessState& operator=(const ScopedProcessState&) = delete;

private:
    net::Settings network_;
    GeneratorState generator_;
};

} // namespace velmora::test
