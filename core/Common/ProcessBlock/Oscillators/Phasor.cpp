#include "Phasor.h"

void Phasor::process(float* buffer, size_t n, size_t channel, PhasorParameters parameters)
{
    const auto rate = static_cast<float>(sampleRate);
    if (parameters.rate.isConstant(n))
        accumulate(buffer, n, channel, nullptr, parameters.rate.first() / rate);
    else
    {
        SignalProcessing::div_s(parameters.rate.buffer, rate, accumulation, n);
        accumulate(buffer, n, channel, accumulation, 0.0f);
    }
    postProcessPhase(buffer, n, channel, parameters.shaping);
}
