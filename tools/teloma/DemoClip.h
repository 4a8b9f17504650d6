#pragma once
// A short stereo test clip synthesised from nothing: a drum loop, a bass line and a sine sweep, the
// same on every run. The renderer's demo and the factory preset checks both use it.

#include <juce_audio_basics/juce_audio_basics.h>

namespace DemoClip
{
// `seconds` of audio at `sampleRate`, two channels, peak at -12 dBFS.
juce::AudioBuffer<float> make(double sampleRate = 48000.0, double seconds = 4.0);
} // namespace DemoClip
