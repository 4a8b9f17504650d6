#include "Waveshaper.h"

void Waveshaper::process(float* x, size_t n, size_t, WaveshaperParameters parameters)
{
    using namespace SignalProcessing;
    const BlockParameter& amount = parameters.amount;
    if (mode != sigmoidMode || amount.isZero(n))
        return;
    const float factor = positiveFold ? foldFactor : 1.0f;
    float* k = foldBuffer;
    if (amount.useBuffer)
        mul_s(amount.buffer, factor, k, n);
    else
        fill(k, amount.value * factor, n);

    for (size_t i = 0; i < n; ++i)
        numeratorBuffer[i] = x[i] * (1.0f - k[i]);
    abs(x, denominatorBuffer, n);
    for (size_t i = 0; i < n; ++i)
        denominatorBuffer[i] = denominatorBuffer[i] * k[i] * -2.0f + k[i] + 1.0f;
    div(numeratorBuffer, denominatorBuffer, x, n);
}
