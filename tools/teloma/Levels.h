#pragma once
// Peak and RMS of audio in dBFS, gathered stretch by stretch, as the renderer reports them.

#include <juce_audio_basics/juce_audio_basics.h>

class Levels
{
public:
    void add(const juce::AudioBuffer<float>& audio, int frames);
    float peakDb() const;
    float rmsDb() const;
    // "peak  -3.7 dBFS   rms -15.6 dBFS"
    juce::String describe() const;

private:
    float peak = 0.0f;
    double sumOfSquares = 0.0;
    int64_t values = 0;
};
