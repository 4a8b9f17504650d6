// Fuzz target: a user table file loaded into the shaper, then a block processed through it.

#include "FuzzHarness.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    auto& processor = FuzzHarness::processor();
    static const bool prepared = [&]
    {
        processor.prepareToPlay(48000, 64);
        return true;
    }();
    (void)prepared;
    FuzzHarness::userTable().replaceWithData(data, size);
    auto& manager = processor.getProductPresetManager();
    manager.loadTable(manager.getTableCount() - 1); // the user table sorts last
    juce::AudioBuffer<float> buffer(2, 64);
    for (int c = 0; c < 2; ++c)
        for (int i = 0; i < 64; ++i)
            buffer.setSample(c, i, std::sin(0.3f * static_cast<float>(i)));
    juce::MidiBuffer midi;
    processor.processBlock(buffer, midi);
    for (int c = 0; c < 2; ++c)
        for (int i = 0; i < 64; ++i)
            if (!std::isfinite(buffer.getSample(c, i)) || std::abs(buffer.getSample(c, i)) > 1.0f)
                std::abort();
    return 0;
}
