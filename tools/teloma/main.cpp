// teloma: the plug-in's processor on the command line.

#include "Arguments.h"
#include "Commands.h"

#include <juce_events/juce_events.h>

#include <functional>
#include <iostream>
#include <map>

namespace
{
const char* const usage = R"(usage: teloma COMMAND ...

  render IN OUT [--preset NAME] [--table FOLDER/NAME] [--set ID=VALUE ...] [--state FILE]
                [--tempo BPM] [--block N] [--bits 16|24|32]
                    render a WAV, AIFF or FLAC file (mono or stereo) into a WAV file
  demo FOLDER       render the bundled demo clip through DEFAULT and three factory presets
  presets [--category C] [--search TEXT]
                    list the presets
  tables            list the waveshaper tables
  params            list every parameter with its range, default and unit
  state save FILE [--preset NAME] [--table FOLDER/NAME] [--set ID=VALUE ...]
                    save a host state, for --state or a DAW project
  gallery FOLDER    draw every table and factory preset into PNGs with an index page
)";
} // namespace

int main(int argc, char** argv)
{
    const std::map<juce::String, std::function<void(const juce::StringArray&)>> commands{
        {"render", Commands::render},  {"demo", Commands::demo},     {"presets", Commands::presets},
        {"tables", Commands::tables},  {"params", Commands::params}, {"state", Commands::state},
        {"gallery", Commands::gallery}};
    juce::StringArray words;
    for (int i = 2; i < argc; ++i)
        words.add(juce::CharPointer_UTF8(argv[i]));
    const auto command = argc >= 2 ? commands.find(argv[1]) : commands.end();
    if (command == commands.end())
    {
        std::cerr << usage;
        return 2;
    }
    const juce::ScopedJuceInitialiser_GUI juce;
    try
    {
        command->second(words);
    }
    catch (const CommandError& error)
    {
        std::cerr << "teloma: " << error.what() << "\n";
        return error.code;
    }
    return 0;
}
