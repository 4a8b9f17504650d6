// Fuzz target: a preset file's bytes read as the plug-in reads them, into a parameter tree and its
// categories.

#include "FuzzHarness.h"
#include "Preset/SafeText.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    auto& processor = FuzzHarness::processor();
    static const juce::ValueTree defaults = processor.getTreeState().copyState();
    const juce::String text = SafeText::fromBytes(data, size);
    auto& parser = processor.getPresetManager().getParser();
    juce::XmlDocument document(text);
    const auto preset =
        parser.valueTreeFromPreset(defaults, &document, processor.getKernel().getParameters());
    juce::XmlDocument again(text);
    parser.categoriesFromPreset(&again);
    processor.replaceTreeState(preset.tree);
    FuzzHarness::checkParameters();
    return 0;
}
