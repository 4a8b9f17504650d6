#pragma once
// Stepped random values: a value drawn from a linear congruential noise at the start of each cycle
// is held for the following cycle.

#include "Common/ProcessBlock/Buffer.h"
#include "Common/ProcessBlock/ProcessBlock.h"

#include <cstdint>
#include <vector>

namespace QuarneDSP
{
class RandomOscillator : public ProcessBlock
{
public:
    void init(int channels, double rate) override;
    void clear() override;
    // Replaces the phase in buffer by the held random value.
    void processPhase(float* buffer, size_t frameCount, size_t channel);

private:
    struct Hold
    {
        float held = 0.0f;
        float next = 0.0f;
        float lastPhase = 0.0f;
    };

    uint32_t noiseState = 404933; // never reset: the sequence runs on for the life of the LFO
    std::vector<Hold> holds;
};
} // namespace QuarneDSP
