#pragma once
// The 16-step curve sequencer: each step has a value and a curve (hold, ramp to the next step, rise
// to the top, fall from the top, eased ramp); randomness offsets step levels and step changes can be
// crossfaded. Its output follows the host's position sample by sample.

#include "Sequencer.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <random>

struct SequenceStep
{
    float value = 0.0f;
    int curve = 1;
};

class CurveSequencer : public Sequencer
{
public:
    enum CurveMode : int
    {
        Hold = 0,
        RampToNext = 1,
        RiseToTop = 2,
        FallFromTop = 3,
        EasedToNext = 4,
    };
    static constexpr int stepCount = 16;

    CurveSequencer();

    void init(int channels, double rate) override;
    void setStepValue(int step, float v);
    void setStepCurve(int step, int curve);
    // Step-change crossfade length; kept in milliseconds so that a new sample rate keeps it.
    void setSmoothDuration(float ms);
    // Renders n samples; triggers > 0 mark step changes, amount scales towards the baseline and
    // randomness (0..1) scales each step's random offset.
    void process(float* out, size_t n, size_t bufferOffset, const float* triggers, const float* amount,
                 const float* randomness);

    float getValue() const { return output.load(std::memory_order_relaxed); }

    bool bipolar = false;
    float baseline = 0.0f;

private:
    SequenceStep readStep(int index) const;
    void changeStep();

    std::array<std::atomic<float>, stepCount> values{};
    std::array<std::atomic<int>, stepCount> curves{};
    SequenceStep current, next;
    float currentRandom = 0.0f, nextRandom = 0.0f;
    std::atomic<float> output{0.0f};
    float fromValue = 0.0f;
    std::atomic<float> smoothMs{1.0f};
    long sinceChange = 0;
    std::minstd_rand random;
};
