#pragma once
// The effect's two filters, each Off, Pre or Post, with its own dry/wet mix.

#include "Common/ProcessBlock/Buffer.h"
#include "Common/ProcessBlock/Filters/BiquadFilter.h"
#include "Common/ProcessBlock/Mix/DryWet.h"

#include <atomic>

enum FilterMode : int
{
    FilterOff = 0,
    FilterPre = 1,
    FilterPost = 2,
};

struct BiFilterStageParameters
{
    const float* frequency; // note numbers
    const float* resonance; // dB
    const float* gain;      // dB
    const float* mix;       // percent
};

class BiFilterStage
{
public:
    BiFilterStage();

    void init(int channels, double rate);
    void clear();
    // Runs one filter on buffer, mixed with the unfiltered signal.
    void filterProcess(float* buffer, size_t n, size_t channel, BiquadFilter& filter, QuarneDSP::DryWet& mix,
                       BiFilterStageParameters parameters);
    // The same on both channels at once.
    void filterProcessStereo(float* left, float* right, size_t n, BiquadFilter& filter, QuarneDSP::DryWet& mix,
                             BiFilterStageParameters parameters);

    BiquadFilter filter1{HighPass, 2};
    std::atomic<int> mode1{FilterOff};
    QuarneDSP::DryWet mix1;
    BiquadFilter filter2{LowPass, 2};
    std::atomic<int> mode2{FilterOff};
    QuarneDSP::DryWet mix2;

private:
    void toHertz(const float* notes, size_t n, size_t step);

    Buffer<float> wet, wetRight, frequency;
};
