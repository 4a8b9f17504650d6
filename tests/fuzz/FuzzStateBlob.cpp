// Fuzz target: a host state blob restored into the processor, which must keep legal values and
// save a state it can read back.

#include "FuzzHarness.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    auto& processor = FuzzHarness::processor();
    processor.setStateInformation(data, static_cast<int>(size));
    FuzzHarness::checkParameters();
    juce::MemoryBlock saved;
    processor.getStateInformation(saved);
    if (juce::AudioProcessor::getXmlFromBinary(saved.getData(), static_cast<int>(saved.getSize())) == nullptr)
        std::abort();
    return 0;
}
