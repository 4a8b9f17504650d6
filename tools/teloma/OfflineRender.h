#pragma once
// Runs a processor over audio as a host would: fixed blocks, a playing transport at a chosen tempo,
// mono or stereo buses to match the input. Audio can come whole or in chunks of any length.

#include <juce_audio_processors/juce_audio_processors.h>

namespace OfflineRender
{
struct Settings
{
    double sampleRate = 48000.0;
    int blockSize = 512;
    double tempo = 120.0;
};

// A transport that plays from the start at a fixed tempo in 4/4.
class PlayingTransport : public juce::AudioPlayHead
{
public:
    PlayingTransport(double sampleRate, double tempo) : rate(sampleRate), bpm(tempo) {}
    juce::Optional<PositionInfo> getPosition() const override;
    int64_t position = 0;

private:
    const double rate, bpm;
};

class Renderer
{
public:
    // Sets up the buses, transport and rate; false when the processor refuses the channel count.
    bool start(juce::AudioProcessor& processor, int channels, const Settings& settings);
    // Renders the next stretch of audio in place, in blocks of the chosen size.
    void process(juce::AudioBuffer<float>& audio);
    void finish();

private:
    juce::AudioProcessor* processor = nullptr;
    std::unique_ptr<PlayingTransport> transport;
    int blockSize = 512;
    juce::MidiBuffer midi;
};

// The whole buffer at once.
bool render(juce::AudioProcessor& processor, juce::AudioBuffer<float>& audio, const Settings& settings);
} // namespace OfflineRender
