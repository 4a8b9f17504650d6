#pragma once
// A sync stage that owns a sequencer, switches it on and off and sets its length from parameters.

#include "SyncStage.h"

#include <atomic>
#include <cmath>
#include <cstddef>

template <typename SequencerType>
class SequencerStage : public SyncStage
{
public:
    // Binds the parameter indices that switch the sequencer and set its length.
    void setParameterMap(size_t stateIndex, size_t lengthIndex)
    {
        onIndex = stateIndex;
        lengthParameter = lengthIndex;
    }
    // Reacts to a parameter change if it is one of the mapped parameters.
    void handleParameter(size_t index, float value)
    {
        if (index == onIndex)
            on.store(std::round(value) != 0.0f, std::memory_order_relaxed);
        else if (index == lengthParameter)
            sequencer.setLength(static_cast<int>(std::round(value)));
    }

    SequencerType sequencer;
    std::atomic<bool> on{false};

private:
    size_t onIndex = static_cast<size_t>(-1);
    size_t lengthParameter = static_cast<size_t>(-1);
};
