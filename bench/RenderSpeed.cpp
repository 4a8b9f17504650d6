// Times whole `teloma render` runs, file reading and writing included: every factory preset on a
// one-minute clip, then the slowest one on ten minutes of 48 kHz stereo.
// Usage: teloma_render_speed TELOMA_BINARY  (with the factory tables installed or TELOMA_FACTORY_FOLDER set)

#include "DemoClip.h"

#include <juce_audio_formats/juce_audio_formats.h>
#include <juce_events/juce_events.h>

#include <iostream>

namespace
{
constexpr double rate = 48000.0;

bool writeClip(const juce::File& file, double seconds)
{
    const juce::AudioBuffer<float> loop = DemoClip::make(rate, 8.0);
    juce::WavAudioFormat wav;
    std::unique_ptr<juce::AudioFormatWriter> writer(
        wav.createWriterFor(new juce::FileOutputStream(file), rate, 2, 32, {}, 0));
    if (writer == nullptr)
        return false;
    for (double written = 0.0; written < seconds; written += 8.0)
        if (!writer->writeFromAudioSampleBuffer(loop, 0, loop.getNumSamples()))
            return false;
    return true;
}

// Wall-clock seconds of one render, or a negative number when it failed.
double timeRender(const juce::String& teloma, const juce::File& in, const juce::File& out, const juce::String& preset)
{
    juce::ChildProcess process;
    const double start = juce::Time::getMillisecondCounterHiRes();
    if (!process.start(juce::StringArray{teloma, "render", in.getFullPathName(), out.getFullPathName(), "--preset",
                                         preset},
                       juce::ChildProcess::wantStdErr))
        return -1.0;
    const juce::String errors = process.readAllProcessOutput();
    process.waitForProcessToFinish(-1);
    const double seconds = (juce::Time::getMillisecondCounterHiRes() - start) * 0.001;
    if (process.getExitCode() != 0)
    {
        std::cerr << errors;
        return -1.0;
    }
    return seconds;
}

juce::StringArray factoryPresets(const juce::String& teloma)
{
    juce::ChildProcess process;
    process.start(juce::StringArray{teloma, "presets"});
    juce::StringArray names;
    for (const auto& line : juce::StringArray::fromLines(process.readAllProcessOutput()))
        if (line.startsWith("FACTORY/"))
            names.add(line.fromFirstOccurrenceOf("/", false, false).upToFirstOccurrenceOf("  ", false, false));
    return names;
}
} // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        std::cerr << "usage: teloma_render_speed TELOMA_BINARY\n";
        return 2;
    }
    const juce::ScopedJuceInitialiser_GUI juce;
    const juce::String teloma = juce::File::getCurrentWorkingDirectory().getChildFile(argv[1]).getFullPathName();
    const juce::TemporaryFile shortClip(".wav"), longClip(".wav"), output(".wav");
    if (!writeClip(shortClip.getFile(), 64.0) || !writeClip(longClip.getFile(), 600.0))
        return 1;

    juce::String slowest;
    double slowestTime = 0.0;
    for (const auto& preset : factoryPresets(teloma))
    {
        const double t = timeRender(teloma, shortClip.getFile(), output.getFile(), preset);
        if (t < 0.0)
            return 1;
        std::cout << preset.paddedRight(' ', 22) << juce::String(64.0 / t, 0) << "x realtime\n";
        if (t > slowestTime)
            std::tie(slowest, slowestTime) = std::pair{preset, t};
    }
    const double t = timeRender(teloma, longClip.getFile(), output.getFile(), slowest);
    if (t < 0.0)
        return 1;
    std::cout << "\n10 minutes of 48 kHz stereo through " << slowest << ": " << juce::String(t, 2) << " s, "
              << juce::String(600.0 / t, 0) << "x realtime\n";
    return 0;
}
