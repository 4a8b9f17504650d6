#include "EnvelopeFollower.h"

#include "Common/Math/Accelerate/SignalProcessing.h"

#include <algorithm>
#include <cmath>

void EnvelopeFollower::init(int channels, double rate)
{
    ProcessBlock::init(channels, rate);
    gain.init(channels, rate);
    envelope.assign(static_cast<size_t>(channels), 0.0f);
}

void EnvelopeFollower::clear()
{
    std::fill(envelope.begin(), envelope.end(), 0.0f);
}

float EnvelopeFollower::rateFor(float timeMs) const
{
    return timeMs == 0.0f ? 1.0f : getIncrementFor(timeMs);
}

void EnvelopeFollower::process(float* buffer, size_t n, size_t channel, EnvelopeFollowerParameters parameters)
{
    using namespace SignalProcessing;
    if (channel >= envelope.size() || n == 0)
        return;
    std::copy(buffer, buffer + n, work.data());
    gain.process(work, n, GainParameters{parameters.inputGain});
    float peakLevel = 0.0f;
    peak(work, peakLevel, n);
    // A non-finite or huge input saturates the envelope instead of poisoning it.
    const float target = std::min(std::sqrt(peakLevel), ceiling);

    const float e0 = envelope[channel];
    float step, lo, hi;
    if (target >= e0)
    {
        step = (target - e0) * rateFor(parameters.attack.first());
        lo = floor;
        hi = std::min(ceiling, target);
    }
    else
    {
        step = (target - e0) * rateFor(parameters.release.first());
        lo = std::max(floor, target);
        hi = ceiling;
    }
    ramp(e0, step, buffer, n);
    clip(buffer, lo, hi, buffer, n);
    envelope[channel] = std::clamp(buffer[n - 1] + step, lo, hi);

    powTwo(buffer, n);
    if (parameters.scale.useBuffer)
        mul(buffer, parameters.scale.buffer, buffer, n);
    else
        mul_s(buffer, parameters.scale.value, buffer, n);
}
