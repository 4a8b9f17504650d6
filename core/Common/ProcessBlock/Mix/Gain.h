#pragma once
// A gain in decibels, constant or per sample.

#include "Common/ProcessBlock/BlockParameter.h"
#include "Common/ProcessBlock/ProcessBlock.h"

struct GainParameters
{
    BlockParameter gain; // dB
};

class Gain : public MonoProcessBlock<GainParameters>
{
public:
    // 10^(dB/20); exactly 1 at 0 dB.
    static float dbToFactor(float db);

    void process(float* buffer, size_t frameCount, GainParameters parameters) override;
    void process(float* buffer, size_t frameCount, const float* gainBuffer);
};
