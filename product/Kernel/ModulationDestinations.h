#pragma once
// The fixed destination list of each modulator. Every list starts with the fourteen audio-path
// destinations; a modulator's list adds the parameters of the modulators that run after it, so no
// modulator can reach itself or a modulator that runs earlier in the block.

#include "Common/ModulationDestination.h"

enum class EModulator
{
    Lfo1 = 0,
    Lfo2 = 1,
    EnvelopeFollower = 2,
    Sequencer = 3,
};

class ModulationDestinations : public ModulationDestinationGroup
{
public:
    explicit ModulationDestinations(EModulator modulator);
};
