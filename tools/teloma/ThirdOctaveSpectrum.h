#pragma once
// Long-term spectrum of a signal in third-octave bands (dB), and the distance between two spectra:
// what the preset checks and the gallery compare.

#include <juce_audio_basics/juce_audio_basics.h>

#include <vector>

namespace Spectrum
{
struct Bands
{
    std::vector<float> centre; // Hz
    std::vector<float> level;  // dB, mean power of the channels' sum
};

Bands measure(const juce::AudioBuffer<float>& audio, double sampleRate);

// Root mean square of the level differences over the bands, in dB, ignoring what lies more than 60 dB
// below the loudest band.
float distance(const Bands& a, const Bands& b);
} // namespace Spectrum
