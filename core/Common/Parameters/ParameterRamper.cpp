#include "ParameterRamper.h"

#include "Common/Math/Accelerate/SignalProcessing.h"

#include <algorithm>
#include <cmath>

namespace
{
constexpr auto relaxed = std::memory_order_relaxed;
}

ParameterRamper::ParameterRamper() : buffer(new float[bufferCapacity]()) {}

float ParameterRamper::startRamp(float v, size_t frames, bool round)
{
    uiTarget.store(v, relaxed);
    if (round)
        v = static_cast<float>(static_cast<int>(std::round(v)));
    if (frames > 0)
    {
        const float current =
            static_cast<float>(samplesRemaining.load(relaxed)) * increment.load(relaxed) + goal.load(relaxed);
        increment.store((current - v) / static_cast<float>(frames), relaxed);
        samplesRemaining.store(frames, relaxed);
        goal.store(v, relaxed);
    }
    else
    {
        uiTarget.store(v, relaxed);
        goal.store(v, relaxed);
        increment.store(0.0f, relaxed);
        samplesRemaining.store(0, relaxed);
        bufferFilled.store(false, relaxed);
    }
    return v;
}

void ParameterRamper::jumpToTarget()
{
    goal.store(uiTarget.load(relaxed), relaxed);
    increment.store(0.0f, relaxed);
    samplesRemaining.store(0, relaxed);
    bufferFilled.store(false, relaxed);
}

void ParameterRamper::dezipperCheck(size_t frames)
{
    const int32_t counter = changeCounter.load(relaxed);
    if (counter == updateCounter)
        return;
    updateCounter = counter;
    startRamp(uiTarget.load(relaxed), frames, false);
}

float* ParameterRamper::getAndStep(size_t frames, bool& changed)
{
    const uint64_t remaining = samplesRemaining.load(relaxed);
    if (remaining > 0)
    {
        const float step = increment.load(relaxed);
        const float end = goal.load(relaxed);
        const float start = static_cast<float>(remaining) * step + end;
        SignalProcessing::ramp(start, -step, buffer.get(), frames);
        SignalProcessing::clip(buffer.get(), std::min(start, end), std::max(start, end), buffer.get(), frames);
        changed = true;
        samplesRemaining.store(frames > remaining ? 0 : remaining - frames, relaxed);
        bufferFilled.store(false, relaxed);
    }
    else if (!bufferFilled.load(relaxed) || frames != lastFrameCount)
    {
        SignalProcessing::fill(buffer.get(), goal.load(relaxed), frames);
        bufferFilled.store(true, relaxed);
        lastFrameCount = frames;
        changed = true;
    }
    return buffer.get();
}

void ParameterRamper::reset()
{
    updateCounter = 0;
    changeCounter.exchange(0);
}
