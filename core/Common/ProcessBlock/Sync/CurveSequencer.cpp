#include "CurveSequencer.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace
{
constexpr double pi = 3.141592653589793;
}

CurveSequencer::CurveSequencer()
{
    for (auto& c : curves)
        c.store(RampToNext);
}

void CurveSequencer::init(int channels, double rate)
{
    ProcessBlock::init(channels, rate);
    // The step randomness is drawn on the audio thread from a generator of our own (rand() locks).
    random.seed(static_cast<unsigned>(std::rand()) + 1u);
}

void CurveSequencer::setStepValue(int step, float v)
{
    if (step >= 0 && step < stepCount)
        values[static_cast<size_t>(step)].store(v, std::memory_order_relaxed);
}

void CurveSequencer::setStepCurve(int step, int curve)
{
    if (step >= 0 && step < stepCount)
        curves[static_cast<size_t>(step)].store(curve, std::memory_order_relaxed);
}

void CurveSequencer::setSmoothDuration(float ms)
{
    smoothMs.store(ms, std::memory_order_relaxed);
}

SequenceStep CurveSequencer::readStep(int index) const
{
    const auto i = static_cast<size_t>(index);
    return {values[i].load(std::memory_order_relaxed), curves[i].load(std::memory_order_relaxed)};
}

void CurveSequencer::changeStep()
{
    const int steps = length.load(std::memory_order_relaxed);
    int position = static_cast<int>(stepIndex % steps);
    if (position < 0)
        position = 0;
    stepPosition.store(position, std::memory_order_relaxed);
    next = readStep(position + 1 < steps ? position + 1 : 0);
    current = readStep(position);
    fromValue = output.load(std::memory_order_relaxed);
    currentRandom = nextRandom;
    nextRandom = static_cast<float>(random() - random.min()) / static_cast<float>(random.max() - random.min()) - 0.5f;
    sinceChange = 0;
}

void CurveSequencer::process(float* out, size_t n, size_t bufferOffset, const float* triggers, const float* amount,
                             const float* randomness)
{
    const double beatsPerSample = tempo / 60.0 / sampleRate;
    const auto smoothSamples = static_cast<long>(smoothMs.load(std::memory_order_relaxed) * 0.001 * sampleRate);
    beatPosition += static_cast<double>(bufferOffset) * beatsPerSample;
    float y = output.load(std::memory_order_relaxed);
    float phase = stepPhase.load(std::memory_order_relaxed);
    for (size_t i = 0; i < n; ++i)
    {
        beatPosition += beatsPerSample;
        if (triggers[i] > 0.0f)
        {
            stepIndex = static_cast<long>(std::floor(beatPosition * stepsPerBeat));
            output.store(y, std::memory_order_relaxed);
            changeStep();
        }
        phase = static_cast<float>(std::clamp(beatPosition * stepsPerBeat - static_cast<double>(stepIndex), 0.0, 1.0));

        const float v = currentRandom * randomness[i] + current.value;
        const float nextValue = next.curve == FallFromTop ? 1.0f : nextRandom * randomness[i] + next.value;
        float start = v, end = v, p = phase;
        switch (current.curve)
        {
        case Hold:
            break;
        case RampToNext:
            end = nextValue;
            break;
        case RiseToTop:
            end = 1.0f;
            break;
        case FallFromTop:
            start = 1.0f;
            break;
        case EasedToNext:
            end = nextValue;
            p = (1.0f - std::cos(static_cast<float>(pi) * p)) * 0.5f;
            break;
        default:
            end = 0.0f;
            break;
        }
        start = std::clamp(start, 0.0f, 1.0f);
        end = std::clamp(end, 0.0f, 1.0f);
        const float a = baseline - (baseline - start) * amount[i];
        const float b = baseline - (baseline - end) * amount[i];
        y = (1.0f - p) * a + p * b;
        if (sinceChange < smoothSamples)
        {
            const float w = (1.0f - std::cos(static_cast<float>(pi) * static_cast<float>(sinceChange) /
                                              static_cast<float>(smoothSamples))) *
                            0.5f;
            y = y * w + (1.0f - w) * fromValue;
        }
        out[i] = y;
        ++sinceChange;
    }
    output.store(y, std::memory_order_relaxed);
    stepPhase.store(phase, std::memory_order_relaxed);
    if (bipolar)
        for (size_t i = 0; i < n; ++i)
            out[i] = 2.0f * out[i] - 1.0f;
}
