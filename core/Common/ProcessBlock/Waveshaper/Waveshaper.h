#pragma once
// The sigmoid bend y = x(1 - k) / (1 + k - 2k|x|): odd, through (0,0) and (±1,±1), monotonic for
// |k| < 1. k > 0 pulls inputs towards 0 and squeezes the ends; k < 0 does the opposite.

#include "Common/ProcessBlock/BlockParameter.h"
#include "Common/ProcessBlock/Buffer.h"
#include "Common/ProcessBlock/ProcessBlock.h"

struct WaveshaperParameters
{
    BlockParameter amount;
    BlockParameter unused1, unused2, unused3;
};

class Waveshaper : public MultiChannelProcessBlock<WaveshaperParameters>
{
public:
    static constexpr int sigmoidMode = 9;
    // The largest bend: an amount of ±1 gives k = ±0.98, keeping the curve monotonic.
    static constexpr float foldFactor = 0.98f;

    static float sigmoid(float x, float k) { return x * (1.0f - k) / (1.0f + k - 2.0f * k * (x < 0 ? -x : x)); }

    void process(float* buffer, size_t frameCount, size_t channel, WaveshaperParameters parameters) override;

    int mode = sigmoidMode;
    bool positiveFold = true;

private:
    Buffer<float> foldBuffer, numeratorBuffer, denominatorBuffer;
};
