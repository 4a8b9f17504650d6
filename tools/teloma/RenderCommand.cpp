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
constexpr int chunkTarget = 1 << 16;

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

// Where the audio comes from: a file read chunk by chunk, or a clip in memory.
struct Source
{
    juce::AudioFormatReader* reader = nullptr;
    const juce::AudioBuffer<float>* clip = nullptr;
    double sampleRate = 0.0;

    int channels() const
    {
        return reader != nullptr ? static_cast<int>(reader->numChannels) : clip->getNumChannels();
    }
    int64_t frames() const { return reader != nullptr ? reader->lengthInSamples : clip->getNumSamples(); }
    void read(juce::AudioBuffer<float>& chunk, int64_t start, int frames) const
    {
        if (reader != nullptr)
        {
            if (!reader->read(&chunk, 0, frames, start, true, true))
                throw CommandError("cannot read the input");
        }
        else
            for (int c = 0; c < chunk.getNumChannels(); ++c)
                chunk.copyFrom(c, 0, *clip, c, static_cast<int>(start), frames);
    }
};

// Streams the source through a processor set up from the arguments into a WAV file, then prints
// the summary.
void renderAndReport(const Arguments& arguments, const Source& source, const juce::File& output, int bits,
                     double startTime)
{
    OfflineRender::Settings settings;
    settings.sampleRate = source.sampleRate;
    settings.blockSize = arguments.integer("block", 512, 1, 65536);
    settings.tempo = arguments.number("tempo", 120.0, 20.0, 999.0);

    Brantor2Processor processor;
    processor.getKernel().editorOpen = false; // no editor: no meters or table pictures to publish
    Session::apply(processor, arguments);
    OfflineRender::Renderer renderer;
    if (!renderer.start(processor, source.channels(), settings))
        throw CommandError("the processor refused " + juce::String(source.channels()) + " channels");

    AudioFiles::WavFileWriter writer(output, source.sampleRate, source.channels(), bits);
    // Chunks of whole blocks: the processor sees the same blocks as in one pass over the whole input.
    const int chunkFrames = std::max(1, chunkTarget / settings.blockSize) * settings.blockSize;
    Levels in, out;
    const int64_t total = source.frames();
    const double seconds = static_cast<double>(total) / source.sampleRate;
    {
        ProgressBar bar(isatty(STDERR_FILENO) != 0 && seconds > progressAfterSeconds);
        juce::AudioBuffer<float> chunk(source.channels(), chunkFrames);
        for (int64_t start = 0; start < total; start += chunkFrames)
        {
            const int frames = static_cast<int>(std::min<int64_t>(chunkFrames, total - start));
            if (frames < chunk.getNumSamples())
                chunk.setSize(chunk.getNumChannels(), frames, false, false, true);
            source.read(chunk, start, frames);
            in.add(chunk, frames);
            renderer.process(chunk);
            out.add(chunk, frames);
            writer.write(chunk, frames);
            bar.update(static_cast<double>(start + frames) / static_cast<double>(total));
        }
    }
    renderer.finish();
    writer.commit();

    const double elapsed = juce::Time::getMillisecondCounterHiRes() * 0.001 - startTime;
    std::cout << "input   " << in.describe() << "\n"
              << "output  " << out.describe() << "\n"
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
    const std::unique_ptr<juce::AudioFormatReader> reader = AudioFiles::openReader(input);
    renderAndReport(arguments, Source{reader.get(), nullptr, reader->sampleRate}, output, bits, start);
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
    AudioFiles::WavFileWriter input(dry, rate, clip.getNumChannels(), 32);
    input.write(clip, clip.getNumSamples());
    input.commit();
    std::cout << "demo clip (drums, bass, sweep): " << dry.getFullPathName() << "\n";

    for (const char* preset : {"DEFAULT", "WUB WUB WUB", "HARMONICS WARMER", "8BIT MAKER"})
    {
        std::cout << "\n" << preset << "\n";
        const Arguments settings({"--preset", preset}, Session::settingOptions());
        const juce::String file = juce::String(preset).toLowerCase().replaceCharacter(' ', '-') + ".wav";
        renderAndReport(settings, Source{nullptr, &clip, rate}, folder.getChildFile(file), 32,
                        juce::Time::getMillisecondCounterHiRes() * 0.001);
    }
}
} // namespace Commands
