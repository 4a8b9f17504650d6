#pragma once
// The phase generators' common part: per-channel phase state and the post-processing of a phase
// buffer (phase offset, modulation and the time-shape bend), leaving it in [0, 1).

#include "Common/ProcessBlock/Buffer.h"
#include "Common/ProcessBlock/ProcessBlock.h"
#include "Common/ProcessBlock/Waveshaper/Waveshaper.h"

#include <algorithm>
#include <cmath>
#include <vector>

// The four words both phase records start with.
struct PhaseShaping
{
    const float* const* phaseModulation = nullptr; // per channel, may be null
    const float* phaseOffset = nullptr;            // cycles
    const float* timeShape = nullptr;              // -0.95..0.95
    const float* reserved = nullptr;
};

template <typename Parameters>
class PhasorBase : public MultiChannelProcessBlock<Parameters>
{
public:
    PhasorBase()
    {
        shaper.mode = Waveshaper::sigmoidMode;
        shaper.positiveFold = true;
    }

    void init(int channels, double rate) override
    {
        ProcessBlock::init(channels, rate);
        phases.assign(static_cast<size_t>(channels), 0.0);
    }
    void clear() override { std::fill(phases.begin(), phases.end(), 0.0); }
    virtual void resync(size_t channel)
    {
        if (channel < phases.size())
            phases[channel] = 0.0;
    }
    virtual void setTrigger(bool on) { trigger = on; }

    virtual void postProcessPhase(float* phase, size_t n, size_t channel, const PhaseShaping& shaping)
    {
        using namespace SignalProcessing;
        if (phaseOffsetConstant != 0.0f)
            add_s(phase, phaseOffsetConstant, phase, n);
        if (shaping.phaseOffset != nullptr)
            add(phase, shaping.phaseOffset, phase, n);
        if (shaping.phaseModulation != nullptr && shaping.phaseModulation[channel] != nullptr)
            add(phase, shaping.phaseModulation[channel], phase, n);
        if (shaping.timeShape != nullptr)
        {
            frac(phase, n);
            shaper.process(phase, n, channel, {BlockParameter::fromBuffer(shaping.timeShape), {}, {}, {}});
        }
        frac(phase, n);
    }

protected:
    // Advances the channel's phase (in cycles) by per-sample increments; writes phase[i] before step i.
    void accumulate(float* phase, size_t n, size_t channel, const float* increments, float constantIncrement)
    {
        if (channel >= phases.size())
            return;
        double p = phases[channel];
        for (size_t i = 0; i < n; ++i)
        {
            phase[i] = static_cast<float>(p);
            p += increments != nullptr ? increments[i] : constantIncrement;
        }
        phases[channel] = p - std::floor(p);
    }

    float phaseOffsetConstant = 0.0f;
    Waveshaper shaper;
    bool trigger = false;
    std::vector<double> phases;
    Buffer<float> accumulation;
};
