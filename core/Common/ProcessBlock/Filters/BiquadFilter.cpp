#include "BiquadFilter.h"

#include "Common/Math/Accelerate/SignalProcessing.h"

#include <algorithm>

BiquadFilter::BiquadFilter(int filterType, int maximumSections) : type(filterType), maxSections(maximumSections) {}

void BiquadFilter::init(int channels, double rate)
{
    ProcessBlock::init(channels, rate);
    if (static_cast<float>(rate) != coefficients.sampleRate)
        coefficientsDirty = true;
    coefficients.sampleRate = static_cast<float>(rate);
    channelsInUse = static_cast<size_t>(std::max(channels, 0));
    states.assign(channelsInUse * static_cast<size_t>(maxSections), BiquadState());
}

void BiquadFilter::setType(int t)
{
    if (type.exchange(t) != t)
        clearPending.store(true);
}

void BiquadFilter::setOrder(int n)
{
    sections.store(std::clamp(n, 1, maxSections));
    clearPending.store(true);
}

void BiquadFilter::clear()
{
    for (auto& s : states)
        s.clear();
}

void BiquadFilter::process(float* buffer, size_t frameCount, size_t channel, const float* frequency,
                           const float* resonance, const float* gain)
{
    process(buffer, frameCount, channel,
            {BlockParameter::fromBuffer(frequency), BlockParameter::fromBuffer(resonance),
             BlockParameter::fromBuffer(gain)});
}

void BiquadFilter::process(float* buffer, size_t n, size_t channel, BiquadFilterParameters parameters)
{
    if (channel >= channelsInUse)
        return;
    float* buffers[] = {buffer};
    run(buffers, 1, channel, n, parameters);
}

void BiquadFilter::processStereo(float* left, float* right, size_t n, BiquadFilterParameters parameters)
{
    if (channelsInUse < 2)
        return;
    float* buffers[] = {left, right};
    run(buffers, 2, 0, n, parameters);
}

void BiquadFilter::run(float* const* buffers, size_t channels, size_t firstChannel, size_t n,
                       const BiquadFilterParameters& parameters)
{
    if (clearPending.exchange(false))
        clear();
    const int currentType = type.load(std::memory_order_relaxed);
    const int sectionCount = sections.load(std::memory_order_relaxed);
    const bool perSubBlock = parameters.frequency.useBuffer && parameters.resonance.useBuffer;
    const size_t length = perSubBlock ? std::min<size_t>(updateInterval, n) : n;

    for (size_t start = 0; start < n; start += length)
    {
        const size_t m = std::min(length, n - start);
        const float f = parameters.frequency.at(start);
        const float r = parameters.resonance.at(start);
        const float g = parameters.gain.at(start);
        if (coefficientsDirty || f != lastFrequency || r != lastResonance || g != lastGain ||
            currentType != coefficientType)
        {
            coefficients.calculateParams(f, r, g, currentType);
            lastFrequency = f, lastResonance = r, lastGain = g, coefficientType = currentType;
            coefficientsDirty = false;
        }
        const float* c = coefficients.asArray();
        if (sectionCount == 2 && channels == 2)
            // Both channels and both sections in one pass.
            SignalProcessing::biquadCascadeStereo(buffers[0] + start, buffers[1] + start, c, m, &state(0, 0),
                                                  &state(0, 1), &state(1, 0), &state(1, 1));
        else
            for (size_t k = 0; k < channels; ++k)
            {
                float* x = buffers[k] + start;
                const size_t channel = firstChannel + k;
                if (sectionCount == 2)
                    // Both sections in one pass: their recursions are independent chains the CPU overlaps.
                    SignalProcessing::biquadCascade(x, c, x, m, &state(channel, 0), &state(channel, 1));
                else
                    for (int s = 0; s < sectionCount; ++s)
                        SignalProcessing::biquad(x, c, x, m, &state(channel, s));
            }
        for (size_t k = 0; k < channels; ++k)
            for (int s = 0; s < sectionCount; ++s)
                state(firstChannel + k, s).clearBadStateValue();
    }
}
