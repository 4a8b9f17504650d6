#include "Levels.h"

void Levels::add(const juce::AudioBuffer<float>& audio, int frames)
{
    for (int c = 0; c < audio.getNumChannels(); ++c)
    {
        const float* x = audio.getReadPointer(c);
        double sum = 0.0;
        for (int i = 0; i < frames; ++i)
            sum += static_cast<double>(x[i]) * x[i];
        sumOfSquares += sum;
        peak = std::max(peak, audio.getMagnitude(c, 0, frames));
    }
    values += static_cast<int64_t>(frames) * audio.getNumChannels();
}

float Levels::peakDb() const
{
    return juce::Decibels::gainToDecibels(peak, -200.0f);
}

float Levels::rmsDb() const
{
    const double mean = values > 0 ? sumOfSquares / static_cast<double>(values) : 0.0;
    return juce::Decibels::gainToDecibels(static_cast<float>(std::sqrt(mean)), -200.0f);
}

juce::String Levels::describe() const
{
    return "peak " + juce::String(peakDb(), 1).paddedLeft(' ', 6) + " dBFS   rms " +
           juce::String(rmsDb(), 1).paddedLeft(' ', 6) + " dBFS";
}
