#include "Gain.h"

#include <cmath>

float Gain::dbToFactor(float db)
{
    return std::exp(((db + 100.0f) - 100.0f) * 0.11512925464970002f);
}

void Gain::process(float* buffer, size_t frameCount, GainParameters parameters)
{
    const BlockParameter& g = parameters.gain;
    if (g.useBuffer && !g.isConstant(frameCount))
    {
        for (size_t i = 0; i < frameCount; ++i)
            buffer[i] *= dbToFactor(g.buffer[i]);
        return;
    }
    // A gain that holds still over the call costs one factor.
    const float factor = dbToFactor(g.first());
    if (factor != 1.0f)
        SignalProcessing::mul_s(buffer, factor, buffer, frameCount);
}

void Gain::process(float* buffer, size_t frameCount, const float* gainBuffer)
{
    process(buffer, frameCount, GainParameters{BlockParameter::fromBuffer(gainBuffer)});
}
