#pragma once

#include "generator/CreateSite.h"
#include "testsupport/ScopedNetSettings.h"

// A test that changes the process-wide network settings or the generator's lasting state
// holds one of these: both are put back as they were when it goes, whatever the test did.
// Tests that include this link velmora_generator.
namespace velmora::test {

class ScopedProcessState {
public:
    ScopedProcessState() : generator_(processGeneratorState()) {}
    ~ScopedProcessState() { processGeneratorState() = generator_; }
    ScopedProcessState(const ScopedProcessState&) = delete;
    ScopedProcessState& operator=(const ScopedProcessState&) = delete;

private:
    ScopedNetSettings network_;
    GeneratorState generator_;
};

} // namespace velmora::test
