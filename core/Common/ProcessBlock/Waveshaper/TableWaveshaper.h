#pragma once
// The table shaper: each input sample, clamped to [-1, 1] and bent by the fold, becomes a position in
// a 2048-sample transfer curve; the position parameter crossfades between neighbouring curves.

#include "Common/ProcessBlock/BlockParameter.h"
#include "Common/ProcessBlock/Buffer.h"
#include "Common/ProcessBlock/ProcessBlock.h"
#include "Waveshaper.h"

#include <atomic>

struct TableWaveshaperParameters
{
    BlockParameter position; // 0..1 across the frames
    BlockParameter fold;     // -1..1
    bool foldBipolar = true; // bend about the table's centre (else from its left end)
};

class TableWaveshaper : public MultiChannelProcessBlock<TableWaveshaperParameters>
{
public:
    static constexpr size_t frameLength = 2048;

    TableWaveshaper();

    // The table's samples must stay readable until the next setTable; at least one frame is used.
    void setTable(const float* table, size_t length);
    size_t getFrameCount() const { return frameCount.load(std::memory_order_relaxed); }
    void process(float* buffer, size_t frameCount, size_t channel, TableWaveshaperParameters parameters) override;

private:
    std::atomic<const float*> table{nullptr};
    std::atomic<size_t> frameCount{1};
    Buffer<float> indexBuffer, positionBuffer, readBuffer, weightBuffer;
    Waveshaper shaper;
};
