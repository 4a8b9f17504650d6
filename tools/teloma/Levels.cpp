#include "Levels.h"

namespace Levels
{
float peakDb(const juce::AudioBuffer<float>& audio)
{
    return juce::Decibels::gainToDecibels(audio.getMagnitude(0, audio.getNumSamples()), -200.0f);
}

float rmsDb(const juce::AudioBuffer<float>& audio)
{
    double sum = 0.0;
    for (int c = 0; c < audio.getNumChannels(); ++c)
        sum += std::pow(static_cast<double>(audio.getRMSLevel(c, 0, audio.getNumSamples())), 2.0);
    const double mean = audio.getNumChannels() > 0 ? sum / audio.getNumChannels() : 0.0;
    return juce::Decibels::gainToDecibels(static_cast<float>(std::sqrt(mean)), -200.0f);
}

juce::String describe(const juce::AudioBuffer<float>& audio)
{
    return "peak " + juce::String(peakDb(audio), 1).paddedLeft(' ', 6) + " dBFS   rms " +
           juce::String(rmsDb(audio), 1).paddedLeft(' ', 6) + " dBFS";
}
} // namespace Levels
