#pragma once
// Periodic waveforms from a given phase in [0, 1): cosine, triangle, saw, square and inverse saw,
// each with its own phase offset so that every LFO shape starts its cycle where a user expects.

#include "Common/ProcessBlock/ProcessBlock.h"

#include <array>
#include <atomic>

namespace QuarneDSP
{
class Oscillator : public ProcessBlock
{
public:
    enum Type : int
    {
        Cosine = 0,
        Triangle = 2,
        Saw = 3,
        Square = 4,
        InverseSaw = 6,
    };

    void setType(int t) { type.store(t, std::memory_order_relaxed); }
    // Replaces the phase in buffer by the waveform.
    void processPhase(float* buffer, size_t frameCount);

    std::array<float, 7> phaseOffsets{0.75f, 0.75f, 0.75f, 0.0f, 0.5f, 0.0f, 0.0f};

private:
    std::atomic<int> type{Cosine};
};
} // namespace QuarneDSP
