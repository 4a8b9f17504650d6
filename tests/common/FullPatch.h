#pragma once
// The heaviest settings the processor runs: a factory preset with both LFOs on the shaper, plus the
// sequencer and the envelope follower, both filters in the path. Shared by the real-time test and
// the load benchmark.

#include "Brantor2Processor.h"

namespace FullPatch
{
// False when the factory preset is missing (no factory tables or archive).
inline bool apply(Brantor2Processor& p)
{
    if (!p.getPresetManager().setPreset("CHAOTIC FOLD", true))
        return false;
    for (const auto& [id, value] : {std::pair{"Filter1State", 1.0f},
                                    {"Filter2State", 2.0f},
                                    {"SequencerState", 1.0f},
                                    {"SequencerDestination1", 6.0f},
                                    {"SequencerAmount1", 50.0f},
                                    {"EnvelopeFollowerState", 1.0f},
                                    {"EnvelopeFollowerDestination1", 10.0f},
                                    {"EnvelopeFollowerAmount1", 60.0f},
                                    {"Lfo2Destination2", 7.0f},
                                    {"Lfo2Amount2", 40.0f}})
    {
        auto* parameter = p.getTreeState().getParameter(id);
        parameter->setValueNotifyingHost(parameter->convertTo0to1(value));
    }
    return true;
}
} // namespace FullPatch
