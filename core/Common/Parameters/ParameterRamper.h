#pragma once
// Linear 20 ms dezippering of one continuous parameter into a per-sample buffer.
// startRamp runs on whichever thread changes the parameter, getAndStep on the audio thread;
// the shared fields are single words, stored and loaded without locks.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>

class ParameterRamper
{
public:
    static constexpr size_t bufferCapacity = 4096;

    ParameterRamper();

    // Ramps from the current position to v over frames samples (frames 0 jumps); returns the goal.
    float startRamp(float v, size_t frames, bool round);
    // Restarts the ramp towards the last target when the UI-side change counter moved.
    void dezipperCheck(size_t frames);
    // The buffer of this block's values; changed is set when anything was written.
    float* getAndStep(size_t frames, bool& changed);
    void reset();

    float getUITarget() const { return uiTarget.load(std::memory_order_relaxed); }
    float getGoal() const { return goal.load(std::memory_order_relaxed); }
    uint64_t getSamplesRemaining() const { return samplesRemaining.load(std::memory_order_relaxed); }
    // Lands on the target at once.
    void jumpToTarget();

    std::atomic<int32_t> changeCounter{0};

private:
    std::atomic<float> uiTarget{0.0f};
    std::atomic<float> goal{0.0f};
    std::atomic<float> increment{0.0f};
    std::atomic<uint64_t> samplesRemaining{0};
    std::atomic<bool> bufferFilled{false};
    int32_t updateCounter = 0;
    uint64_t lastFrameCount = 0;
    std::unique_ptr<float[]> buffer;
};
