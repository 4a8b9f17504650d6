#include "BeatPhasor.h"

#include <algorithm>
#include <cmath>

void BeatPhasor::processContext(const MusicalContextStruct& context, const TransportStateStruct& transport,
                                size_t bufferOffset)
{
    playing = transport.isPlaying;
    beatsPerSecond = context.tempo / 60.0;
    beatPosition = static_cast<double>(bufferOffset) * beatsPerSecond / sampleRate + std::max(context.ppqPosition, 0.0);
}

void BeatPhasor::process(float* buffer, size_t n, size_t channel, BeatPhasorParameters parameters)
{
    const double cycleBeats = static_cast<double>(syncRate) * beatsPerRate;
    const double cyclesPerSample = beatsPerSecond / cycleBeats / sampleRate;
    if (parameters.beatMode && playing && channel < phases.size())
    {
        // Follow the host's position exactly; keep the state so that leaving beat mode is seamless.
        const double start = beatPosition / cycleBeats;
        for (size_t i = 0; i < n; ++i)
        {
            const double p = start + static_cast<double>(i) * cyclesPerSample;
            buffer[i] = static_cast<float>(p - std::floor(p)); // wrapped in double: long songs keep precision
        }
        const double next = start + static_cast<double>(n) * cyclesPerSample;
        phases[channel] = next - std::floor(next);
    }
    else
        accumulate(buffer, n, channel, nullptr, static_cast<float>(cyclesPerSample));
    postProcessPhase(buffer, n, channel, parameters.shaping);
}
