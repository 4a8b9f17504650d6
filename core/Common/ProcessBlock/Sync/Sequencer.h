#pragma once
// A step sequencer's position state, following the host's position in quarter notes.

#include "Common/ProcessBlock/ProcessBlock.h"

#include <atomic>

class Sequencer : public ProcessBlock
{
public:
    void setLength(int n) { length.store(n < 1 ? 1 : n, std::memory_order_relaxed); }
    void setStepsPerBeat(double steps) { stepsPerBeat = steps; }
    void setTempo(double bpm) { tempo = bpm; }
    void setBeatPosition(double position) { beatPosition = position; }

    float getPosition() const { return stepPosition.load(std::memory_order_relaxed) + stepPhase.load(std::memory_order_relaxed); }

protected:
    std::atomic<int> length{16};
    double stepsPerBeat = 4.0;
    double beatPosition = 0.0;
    double tempo = 120.0;
    long stepIndex = 0;
    std::atomic<int> stepPosition{-1};
    std::atomic<float> stepPhase{0.0f};
};
