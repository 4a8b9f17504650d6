// Writes the factory preset files from their definitions. Run after changing a definition:
//   TELOMA_FACTORY_FOLDER=build/resources build/tools/presetgen/teloma_presetgen resources/Presets/Factory

#include "FactoryPresetWriter.h"

#include <juce_events/juce_events.h>

#include <iostream>

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        std::cerr << "usage: teloma_presetgen OUTPUT_FOLDER\n";
        return 2;
    }
    const juce::ScopedJuceInitialiser_GUI juce;
    const juce::File folder = juce::File::getCurrentWorkingDirectory().getChildFile(argv[1]);
    folder.createDirectory();
    for (const auto& definition : factoryPresetDefinitions())
    {
        juce::String error;
        const juce::String text = FactoryPresetWriter::presetText(definition, error);
        const juce::File file = folder.getChildFile(juce::String(definition.name) + ".tlprs");
        if (text.isEmpty() || !file.replaceWithText(text, false, false, nullptr))
        {
            std::cerr << (error.isNotEmpty() ? error : "cannot write " + file.getFullPathName()) << "\n";
            return 1;
        }
    }
    std::cout << factoryPresetDefinitions().size() << " presets written to " << folder.getFullPathName()
              << "\n";
    return 0;
}
