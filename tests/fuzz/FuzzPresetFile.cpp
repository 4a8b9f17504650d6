// Fuzz target: a preset file's text read into a parameter tree and its categories.

#include "FuzzHarness.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    auto& processor = FuzzHarness::processor();
    static const juce::ValueTree defaults = processor.getTreeState().copyState();
    juce::XmlDocument document(
        juce::String::fromUTF8(reinterpret_cast<const char*>(data), static_cast<int>(size)));
    auto& parser = processor.getPresetManager().getParser();
    const auto preset =
        parser.valueTreeFromPreset(defaults, &document, processor.getKernel().getParameters());
    juce::XmlDocument again(
        juce::String::fromUTF8(reinterpret_cast<const char*>(data), static_cast<int>(size)));
    parser.categoriesFromPreset(&again);
    processor.replaceTreeState(preset.tree);
    FuzzHarness::checkParameters();
    return 0;
}
