#include "Smooth.h"

namespace QuarneDSP
{
void Smooth::init(int channels, double rate)
{
    ProcessBlock::init(channels, rate);
    state.assign(static_cast<size_t>(channels), 0.0f);
}

void Smooth::clear()
{
    std::fill(state.begin(), state.end(), 0.0f);
}

void Smooth::process(float* buffer, size_t frameCount, size_t channel, SmoothParameters parameters)
{
    if (parameters.time.isZero(frameCount) || channel >= state.size())
        return;
    if (parameters.time.useBuffer)
        getIncrementFor(parameters.time.buffer, alpha, frameCount);
    else
        SignalProcessing::fill(alpha, getIncrementFor(parameters.time.value), frameCount);
    SignalProcessing::clip(alpha, -1.0f, 1.0f, alpha, frameCount);

    float y = state[channel];
    for (size_t i = 0; i < frameCount; ++i)
    {
        y = y * (1.0f - alpha[i]) + buffer[i] * alpha[i];
        buffer[i] = y;
    }
    state[channel] = y;
}
} // namespace QuarneDSP
