#include "ModulationDestinations.h"

namespace
{
const char* const audioPath[] = {"None",         "InputGain",   "WaveshaperPosition", "WaveshaperFold",
                                 "OutputGain",   "DryWet",      "Filter1Freq",        "Filter1Res",
                                 "Filter1Gain",  "Filter1Mix",  "Filter2Freq",        "Filter2Res",
                                 "Filter2Gain",  "Filter2Mix"};
const char* const lfo1[] = {"Lfo1FreeRate", "Lfo1SyncRate", "Lfo1TimeOffset", "Lfo1TimeShape",
                            "Lfo1Smooth",   "Lfo1Amount1",  "Lfo1Amount2"};
const char* const lfo2[] = {"Lfo2FreeRate", "Lfo2SyncRate", "Lfo2TimeOffset", "Lfo2TimeShape",
                            "Lfo2Smooth",   "Lfo2Amount1",  "Lfo2Amount2"};
const char* const envelope[] = {"EnvelopeFollowerGain", "EnvelopeFollowerAttack", "EnvelopeFollowerRelease",
                                "EnvelopeFollowerAmount1", "EnvelopeFollowerAmount2"};
} // namespace

ModulationDestinations::ModulationDestinations(EModulator modulator)
{
    auto addAll = [this](const auto& names) {
        for (const char* name : names)
            add(name, 1.0f, false, false, 0.0f, 1.0f);
    };
    addAll(audioPath);
    if (modulator >= EModulator::Lfo2)
        addAll(lfo1);
    if (modulator >= EModulator::EnvelopeFollower)
        addAll(lfo2);
    if (modulator >= EModulator::Sequencer)
        addAll(envelope);
}
