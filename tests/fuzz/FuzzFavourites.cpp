// Fuzz target: the favourites text read into the preset list and written back.

#include "FuzzHarness.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    auto& manager = FuzzHarness::processor().getPresetManager();
    manager.retrieveFavoritePresets(
        juce::String::fromUTF8(reinterpret_cast<const char*>(data), static_cast<int>(size)));
    manager.saveFavoritePresets();
    return 0;
}
