#include "TableWaveshaper.h"

#include <algorithm>
#include <cmath>

TableWaveshaper::TableWaveshaper()
{
    shaper.mode = Waveshaper::sigmoidMode;
    shaper.positiveFold = true;
}

void TableWaveshaper::setTable(const float* samples, size_t length)
{
    table.store(samples, std::memory_order_relaxed);
    frameCount.store(std::max<size_t>(1, length / frameLength), std::memory_order_release);
}

void TableWaveshaper::process(float* buffer, size_t n, size_t channel, TableWaveshaperParameters parameters)
{
    using namespace SignalProcessing;
    const size_t frames = frameCount.load(std::memory_order_acquire);
    const float* samples = table.load(std::memory_order_relaxed);
    if (samples == nullptr || n == 0)
        return;

    float* index = indexBuffer;
    clip(buffer, -1.0f, 1.0f, index, n);
    const WaveshaperParameters bend{parameters.fold, {}, {}, {}};
    if (parameters.foldBipolar)
        shaper.process(index, n, channel, bend);
    else
    {
        mul_s_add_s(index, 0.5f, 0.5f, index, n);
        shaper.process(index, n, channel, bend);
        mul_s_add_s(index, 2.0f, -1.0f, index, n);
    }

    float* framePosition = positionBuffer;
    float lowest = 0.0f, highest = 0.0f;
    if (parameters.position.useBuffer)
    {
        mul_s(parameters.position.buffer, static_cast<float>(frames - 1), framePosition, n);
        minMax(framePosition, lowest, highest, n);
    }
    else
    {
        lowest = highest = parameters.position.value * static_cast<float>(frames - 1);
        fill(framePosition, lowest, n);
    }
    const auto last = static_cast<float>(frames - 1);
    const auto lo = static_cast<size_t>(std::clamp(std::floor(lowest), 0.0f, last));
    const auto hi = static_cast<size_t>(std::clamp(std::ceil(highest), 0.0f, last));

    mul_s_add_s(index, 1023.5f, 1023.5f, index, n);
    if (lo == hi && lowest == highest && lowest == static_cast<float>(lo))
    {
        // The position rests on one frame: a single read with weight 1.
        tableRead(index, samples + lo * frameLength, frameLength, buffer, n);
        return;
    }
    SignalProcessing::clear(buffer, n);
    for (size_t f = lo; f <= hi; ++f)
    {
        tableRead(index, samples + f * frameLength, frameLength, readBuffer, n);
        add_s(framePosition, -static_cast<float>(f), weightBuffer, n);
        abs(weightBuffer, weightBuffer, n);
        clip(weightBuffer, 0.0f, 1.0f, weightBuffer, n);
        mul_s_add_s(weightBuffer, -1.0f, 1.0f, weightBuffer, n);
        mul_add(readBuffer, weightBuffer, buffer, buffer, n);
    }
}
