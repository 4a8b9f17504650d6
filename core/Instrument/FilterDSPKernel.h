#pragma once
// A kernel for audio effects: it renders its input buses into its output buses.

#include "Common/BufferList.h"
#include "Instrument/MidiKernel.h"

#include <vector>

class FilterDSPKernel : public MidiKernel
{
public:
    FilterDSPKernel()
    {
        inputs.reserve(4);
        outputs.reserve(4);
    }

    bool acceptsMidi() override { return false; }

    // Copies the bus pointer lists; reuses capacity, so it allocates nothing once sized.
    void setBuffers(const std::vector<BufferList*>& inputBuses, const std::vector<BufferList*>& outputBuses)
    {
        inputs = inputBuses;
        outputs = outputBuses;
    }

protected:
    std::vector<BufferList*> inputs;
    std::vector<BufferList*> outputs;
};
