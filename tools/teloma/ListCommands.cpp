// teloma presets [--category C] [--search TEXT], teloma tables, teloma params

#include "AudioFiles.h"
#include "Commands.h"
#include "Session.h"

#include "Processors/ParameterText.h"

#include <iostream>

namespace Commands
{
namespace
{
juce::String formatValue(float v)
{
    return juce::String(v, 6).trimCharactersAtEnd("0").trimCharactersAtEnd(".");
}
} // namespace

void presets(const juce::StringArray& words)
{
    const Arguments arguments(words, {"category", "search"});
    const juce::String category = arguments.value("category").toLowerCase();
    const juce::String search = arguments.value("search");
    Brantor2Processor processor;
    auto& manager = processor.getPresetManager();
    for (const auto& p : manager.getPresets())
    {
        // User categories are otherwise read in the background: read them here.
        const std::vector<juce::String> categories =
            p->isUser() ? p->readCategories(manager.getParser()) : p->categories;
        juce::StringArray lower;
        for (const auto& c : categories)
            lower.add(c.toLowerCase());
        if (category.isNotEmpty() && !lower.contains(category))
            continue;
        if (search.isNotEmpty() && !p->name.containsIgnoreCase(search))
            continue;
        const juce::String where = p->directory != nullptr ? p->directory->name + "/" : juce::String();
        std::cout << (where + p->name).paddedRight(' ', 32) << "  " << lower.joinIntoString(", ") << "\n";
    }
}

void tables(const juce::StringArray& words)
{
    const Arguments arguments(words, {});
    Brantor2Processor processor;
    juce::AudioFormatManager formats;
    formats.registerFormat(new juce::WavAudioFormat(), true);
    for (const auto& t : processor.getProductKernel().tableList)
    {
        const std::unique_ptr<juce::AudioFormatReader> reader(formats.createReaderFor(juce::File(t->path)));
        const auto frames = reader != nullptr ? reader->lengthInSamples / TableWaveshaper::frameLength : 0;
        std::cout << juce::String(t->folder + "/" + t->name).paddedRight(' ', 32) << "  " << frames
                  << (frames == 1 ? " frame" : " frames") << "\n";
    }
}

void params(const juce::StringArray& words)
{
    const Arguments arguments(words, {});
    Brantor2Processor processor;
    auto& tree = processor.getTreeState();
    for (const Parameter* p : processor.getProductKernel().getParameters()->getProcessingParameters())
    {
        if (tree.getParameter(p->name) == nullptr)
            continue;
        const juce::StringArray choices = ParameterText::choices(*p);
        juce::String line = juce::String(p->name).paddedRight(' ', 30);
        if (choices.isEmpty())
            line << (formatValue(p->minimum) + " .. " + formatValue(p->maximum) + " " +
                     ParameterText::unitName(*p))
                        .trimEnd()
                        .paddedRight(' ', 24)
                 << "default " << formatValue(p->defaultValue);
        else
        {
            const int index =
                static_cast<int>(p->defaultValue - (p->destinationGroup != nullptr ? 0.0f : p->minimum));
            line << juce::String("choice").paddedRight(' ', 24) << "default " << choices[index] << "   ("
                 << choices.joinIntoString(", ") << ")";
        }
        std::cout << line << "\n";
    }
}

void state(const juce::StringArray& words)
{
    const Arguments arguments(words, Session::settingOptions());
    if (arguments.positional(0, "\"save\"") != "save" || arguments.positional().size() != 2)
        throw CommandError(
            "usage: teloma state save FILE [--preset NAME] [--table FOLDER/NAME] [--set ID=VALUE]", 2);
    const juce::File file =
        juce::File::getCurrentWorkingDirectory().getChildFile(arguments.positional(1, "file"));
    Brantor2Processor processor;
    Session::apply(processor, arguments);
    juce::MemoryBlock blob;
    processor.getStateInformation(blob);
    AudioFiles::writeAtomically(file, blob);
    std::cout << "state saved to " << file.getFullPathName() << "\n";
}
} // namespace Commands
