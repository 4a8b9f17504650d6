#pragma once
// Runs a processor over a whole buffer as a host would: fixed blocks, a playing transport at a
// chosen tempo, mono or stereo buses to match the input.

#include <juce_audio_processors/juce_audio_processors.h>

#include <functional>

namespace OfflineRender
{
struct Settings
{
    double sampleRate = 48000.0;
    int blockSize = 512;
    double tempo = 120.0;
};

// Renders in place. `progress` (may be empty) hears the share done after each block.
// False when the processor refuses the input's channel count.
bool render(juce::AudioProcessor& processor, juce::AudioBuffer<float>& audio, const Settings& settings,
            const std::function<void(double)>& progress = {});
} // namespace OfflineRender
