#include "DemoClip.h"

#include <cmath>
#include <cstdint>

namespace DemoClip
{
namespace
{
constexpr double pi = 3.14159265358979323846;
constexpr double tempo = 120.0;

// A small linear congruential generator: the same noise on every machine.
struct Noise
{
    uint32_t state = 0x1234567u;
    float next()
    {
        state = state * 1664525u + 1013904223u;
        return static_cast<float>(state >> 8) / 8388608.0f - 1.0f;
    }
};
} // namespace

juce::AudioBuffer<float> make(double sampleRate, double seconds)
{
    const int frames = static_cast<int>(seconds * sampleRate);
    juce::AudioBuffer<float> clip(2, frames);
    clip.clear();
    const double sixteenth = 60.0 / tempo / 4.0;
    const int bassNotes[8] = {33, 33, 45, 33, 36, 36, 31, 38}; // MIDI notes, one per eighth
    Noise noise;
    double bassPhase = 0.0, sweepPhase = 0.0, kickPhase = 0.0;
    float hatState = 0.0f;
    for (int i = 0; i < frames; ++i)
    {
        const double t = i / sampleRate;
        const int step = static_cast<int>(t / sixteenth);
        const double inStep = t - step * sixteenth;
        const int beatStep = step % 16;

        // Kick on the beats: a falling sine with a fast decay.
        double kick = 0.0;
        if (beatStep % 4 == 0)
        {
            kickPhase += 2.0 * pi * (50.0 + 100.0 * std::exp(-inStep * 30.0)) / sampleRate;
            kick = std::sin(kickPhase) * std::exp(-inStep * 9.0);
        }
        else
            kickPhase = 0.0;

        // Snare on 2 and 4, hats on every off sixteenth: decaying noise, the hats high-passed.
        const float white = noise.next();
        const double snare = (beatStep == 4 || beatStep == 12) ? white * std::exp(-inStep * 25.0) * 0.6 : 0.0;
        const float high = white - hatState;
        hatState = white;
        const double hat = (beatStep % 2 == 1) ? high * std::exp(-inStep * 80.0) * 0.25 : 0.0;

        // Bass: a band-limited saw of six harmonics, one note per eighth.
        const int note = bassNotes[(step / 2) % 8];
        bassPhase += 440.0 * std::pow(2.0, (note - 69) / 12.0) / sampleRate;
        bassPhase -= std::floor(bassPhase);
        double bass = 0.0;
        for (int h = 1; h <= 6; ++h)
            bass += std::sin(2.0 * pi * h * bassPhase) / h;
        bass *= 0.35 * (1.0 - 0.5 * inStep / (2.0 * sixteenth));

        // A logarithmic sine sweep over the whole clip, 40 Hz to 16 kHz.
        const double sweepFrequency = 40.0 * std::pow(400.0, t / seconds);
        sweepPhase += 2.0 * pi * sweepFrequency / sampleRate;
        const double sweep = 0.2 * std::sin(sweepPhase);

        const double centre = kick + snare + bass;
        clip.setSample(0, i, static_cast<float>(centre + 0.8 * hat + sweep));
        clip.setSample(1, i, static_cast<float>(centre + 1.2 * hat + 0.7 * sweep));
    }
    const float peak = clip.getMagnitude(0, frames);
    if (peak > 0.0f)
        clip.applyGain(juce::Decibels::decibelsToGain(-12.0f) / peak);
    return clip;
}
} // namespace DemoClip
