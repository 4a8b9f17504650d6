#include "FactoryPresetWriter.h"

#include "Brantor2Processor.h"
#include "Processors/ParameterText.h"

namespace FactoryPresetWriter
{
juce::String presetText(const FactoryPresetDefinition& definition, juce::String& error)
{
    // A fresh processor starts from the defaults with "Basics/Soft Clip 1".
    Brantor2Processor processor;
    auto& kernel = processor.getProductKernel();
    for (const auto& [id, value] : definition.settings)
    {
        error = ParameterText::set(processor.getTreeState(), *kernel.getParameters(), id, value);
        if (error.isNotEmpty())
        {
            error = juce::String(definition.name) + ": " + error;
            return {};
        }
    }

    const juce::String table(definition.table);
    processor.getProductPresetManager().loadTableNamed(table.fromFirstOccurrenceOf("/", false, false),
                                                       table.upToFirstOccurrenceOf("/", false, false));
    const TableData* current = kernel.currentTable;
    if (current == nullptr || juce::String(current->folder + "/" + current->name) != table)
    {
        error = juce::String(definition.name) + ": no factory table \"" + table + "\"";
        return {};
    }

    // Loading a factory preset always resets these to their defaults: they carry no entry.
    juce::ValueTree state = processor.getTreeState().copyState();
    for (const char* id : {"DCBlockerState", "HardClipState", "SequencerSmooth"})
        state.removeChild(state.getChildWithProperty("id", id), nullptr);

    std::vector<juce::String> categories(definition.categories.begin(), definition.categories.end());
    const std::unique_ptr<juce::XmlElement> xml(processor.getPresetManager().getParser().presetFromValueTree(
        state, kernel.getParameters(), categories));
    return PresetParser::toFileText(*xml);
}
} // namespace FactoryPresetWriter
