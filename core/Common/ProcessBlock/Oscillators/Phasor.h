#pragma once
// A free-running phase at a rate in Hz.

#include "Common/ProcessBlock/BlockParameter.h"
#include "PhasorBase.h"

struct PhasorParameters
{
    PhaseShaping shaping;
    BlockParameter rate; // Hz
};

class Phasor : public PhasorBase<PhasorParameters>
{
public:
    void process(float* buffer, size_t frameCount, size_t channel, PhasorParameters parameters) override;
};
