#pragma once
// Peak and RMS of a buffer in dBFS, as the renderer reports them.

#include <juce_audio_basics/juce_audio_basics.h>

namespace Levels
{
float peakDb(const juce::AudioBuffer<float>& audio);
float rmsDb(const juce::AudioBuffer<float>& audio);
// "peak  -3.7 dBFS   rms -15.6 dBFS"
juce::String describe(const juce::AudioBuffer<float>& audio);
} // namespace Levels
