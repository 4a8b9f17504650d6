// teloma render IN OUT [settings] [--tempo BPM] [--block N] [--bits 16|24|32]
// teloma demo FOLDER: the bundled clip through "DEFAULT" and three factory presets.

#include "AudioFiles.h"
#include "Commands.h"
#include "DemoClip.h"
#include "Levels.h"
#include "OfflineRender.h"
#include "Session.h"

#include <iostream>
#include <unistd.h>

namespace Commands
{
namespace
{
constexpr double progressAfterSeconds = 5.0;

// Draws a bar on the terminal while a long render runs.
class ProgressBar
{
public:
    explicit ProgressBar(bool shown) : visible(shown) {}
    ~ProgressBar()
    {
        if (visible && drawn >= 0)
            std::cerr << "\r" << std::string(60, ' ') << "\r" << std::flush;
    }
    void update(double done)
    {
        const int filled = static_cast<int>(done * width);
        if (!visible || filled == drawn)
            return;
        drawn = filled;
        std::cerr << "\r[" << std::string(static_cast<size_t>(filled), '#')
                  << std::string(static_cast<size_t>(width - filled), ' ') << "] "
                  << static_cast<int>(done * 100.0) << "%" << std::flush;
    }

private:
    static constexpr int width = 40;
    const bool visible;
    int drawn = -1;
};

int bitsOption(const Arguments& arguments)
{
    const int bits = arguments.integer("bits", 32, 16, 32);
    if (bits != 16 && bits != 24 && bits != 32)
        throw CommandError("--bits takes 16, 24 or 32", 2);
    return bits;
}

// Renders `audio` in place through a processor set up from the arguments and prints the summary.
void renderAndReport(const Arguments& arguments, juce::AudioBuffer<float>& audio, double sampleRate,
                     const juce::File& output, int bits, double startTime)
{
    const juce::String inputLevels = Levels::describe(audio);
    Brantor2Processor processor;
    Session::apply(processor, arguments);

    OfflineRender::Settings settings;
    settings.sampleRate = sampleRate;
    settings.blockSize = arguments.integer("block", 512, 1, 65536);
    settings.tempo = arguments.number("tempo", 120.0, 20.0, 999.0);
    const double seconds = audio.getNumSamples() / sampleRate;
    {
        ProgressBar bar(isatty(STDERR_FILENO) != 0 && seconds > progressAfterSeconds);
        if (!OfflineRender::render(processor, audio, settings, [&bar](double done) { bar.update(done); }))
            throw CommandError("the processor refused " + juce::String(audio.getNumChannels()) + " channels");
    }
    AudioFiles::writeWav(output, audio, sampleRate, bits);

    const double elapsed = juce::Time::getMillisecondCounterHiRes() * 0.001 - startTime;
    std::cout << "input   " << inputLevels << "\n"
              << "output  " << Levels::describe(audio) << "\n"
              << "rendered " << juce::String(seconds, 2) << " s in " << juce::String(elapsed, 3) << " s ("
              << juce::String(seconds / std::max(elapsed, 1.0e-9), 1) << "x realtime) -> "
              << output.getFullPathName() << std::endl;
}
} // namespace

void render(const juce::StringArray& words)
{
    juce::StringArray options = Session::settingOptions();
    options.addArray({"tempo", "block", "bits"});
    const Arguments arguments(words, options);
    if (arguments.positional().size() > 2)
        throw CommandError("render takes one input and one output", 2);
    const juce::File cwd = juce::File::getCurrentWorkingDirectory();
    const juce::File input = cwd.getChildFile(arguments.positional(0, "input file"));
    const juce::File output = cwd.getChildFile(arguments.positional(1, "output file"));
    const int bits = bitsOption(arguments);

    const double start = juce::Time::getMillisecondCounterHiRes() * 0.001;
    AudioFiles::Audio audio = AudioFiles::read(input);
    renderAndReport(arguments, audio.samples, audio.sampleRate, output, bits, start);
}

void demo(const juce::StringArray& words)
{
    const Arguments arguments(words, {});
    const juce::File folder =
        juce::File::getCurrentWorkingDirectory().getChildFile(arguments.positional(0, "folder"));
    if (!folder.createDirectory())
        throw CommandError("cannot create " + folder.getFullPathName());
    constexpr double rate = 48000.0;
    const juce::AudioBuffer<float> clip = DemoClip::make(rate, 8.0);
    const juce::File dry = folder.getChildFile("demo-input.wav");
    AudioFiles::writeWav(dry, clip, rate, 32);
    std::cout << "demo clip (drums, bass, sweep): " << dry.getFullPathName() << "\n";

    for (const char* preset : {"DEFAULT", "WUB WUB WUB", "HARMONICS WARMER", "8BIT MAKER"})
    {
        std::cout << "\n" << preset << "\n";
        juce::AudioBuffer<float> audio(clip);
        const Arguments settings({"--preset", preset}, Session::settingOptions());
        const juce::String file = juce::String(preset).toLowerCase().replaceCharacter(' ', '-') + ".wav";
        renderAndReport(settings, audio, rate, folder.getChildFile(file), 32,
                        juce::Time::getMillisecondCounterHiRes() * 0.001);
    }
}
} // namespace Commands
