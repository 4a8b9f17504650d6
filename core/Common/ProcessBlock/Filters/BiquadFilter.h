#pragma once
// A cascade of identical biquad sections per channel, following frequency, resonance and gain in
// sub-blocks of 64 samples; coefficients are recomputed only when a value or the type changes.

#include "BiquadCoefficients.h"
#include "Common/Math/Accelerate/BiquadState.h"
#include "Common/ProcessBlock/BlockParameter.h"
#include "Common/ProcessBlock/ProcessBlock.h"

#include <atomic>
#include <vector>

struct BiquadFilterParameters
{
    BlockParameter frequency; // Hz
    BlockParameter resonance; // dB
    BlockParameter gain;      // dB
};

class BiquadFilter : public MultiChannelProcessBlock<BiquadFilterParameters>
{
public:
    BiquadFilter(int type, int maxSections);

    void init(int channels, double rate) override;
    // Type and order may change from another thread: the states are cleared by the next process call.
    void setType(int type);
    void setOrder(int sections);
    void clear() override;
    void process(float* buffer, size_t frameCount, size_t channel, BiquadFilterParameters parameters) override;
    void process(float* buffer, size_t frameCount, size_t channel, const float* frequency, const float* resonance,
                 const float* gain);
    // Channels 0 and 1 at once, with the same parameters: the same result as two process calls.
    void processStereo(float* left, float* right, size_t frameCount, BiquadFilterParameters parameters);

    int getType() const { return type.load(std::memory_order_relaxed); }

private:
    // Runs buffers (one per channel, starting at channel 0 when there are two) sub-block by sub-block.
    void run(float* const* buffers, size_t channelCount, size_t firstChannel, size_t n,
             const BiquadFilterParameters& parameters);
    BiquadState& state(size_t channel, int section) { return states[channel + static_cast<size_t>(section) * channelsInUse]; }

    std::vector<BiquadState> states;
    size_t channelsInUse = 0;
    std::atomic<int> type;
    std::atomic<int> sections{1};
    const int maxSections;
    std::atomic<bool> clearPending{false};
    float lastFrequency = -1.0f, lastResonance = 0.0f, lastGain = 0.0f;
    int coefficientType = -1;
    bool coefficientsDirty = true;
    BiquadCoefficients coefficients;
};
