#include "Clock.h"

#include <cmath>
#include <limits>

void Clock::updateContext(const MusicalContextStruct& context, const TransportStateStruct& transport)
{
    if (transport.isPlaying && !playing)
    {
        // Playback starts: forget the old ticks and pick up the step under the start position at once.
        lastTick = -1;
        armed = true;
    }
    tempo = context.tempo;
    playing = transport.isPlaying;
    ppqPosition = context.ppqPosition;
}

void Clock::process(float* out, size_t n, size_t bufferOffset)
{
    const double beatsPerSample = tempo / 60.0 / sampleRate;
    double position = ppqPosition + static_cast<double>(bufferOffset) * beatsPerSample;
    // "Off" (0 steps per beat) has steps of unbounded length: only the very first tick is a boundary.
    const double steps = std::round(ticksPerQuarter / stepsPerBeat);
    const int64_t ticksPerStep = stepsPerBeat > 0.0 && steps >= 1.0 && steps < 1e15 ? static_cast<int64_t>(steps)
                                                                                     : std::numeric_limits<int64_t>::max();
    for (size_t i = 0; i < n; ++i)
    {
        position += beatsPerSample;
        const auto tick = static_cast<int64_t>(std::floor(ticksPerQuarter * position));
        if (tick != lastTick && tick % ticksPerStep == 0)
            armed = true;
        lastTick = tick;
        out[i] = 0.0f;
        if (armed)
        {
            out[i] = playing ? 1.0f : 0.0f;
            armed = false;
        }
    }
}
