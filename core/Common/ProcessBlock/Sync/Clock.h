#pragma once
// A tempo clock of 96 ticks per quarter note: writes a pulse at every step boundary of the host's
// musical position while the transport plays.

#include "Common/MusicalContext.h"
#include "Common/ProcessBlock/ProcessBlock.h"

#include <cstdint>

class Clock : public ProcessBlock
{
public:
    static constexpr int ticksPerQuarter = 96;

    void updateContext(const MusicalContextStruct& context, const TransportStateStruct& transport);
    void setStepsPerBeat(double steps) { stepsPerBeat = steps; }
    // Fills out with 1 at step boundaries (0 elsewhere, and 0 while stopped).
    void process(float* out, size_t frameCount, size_t bufferOffset);
    void clear() override { lastTick = -1; }

private:
    double tempo = 120.0;
    double ppqPosition = 0.0;
    double stepsPerBeat = 4.0;
    bool playing = false;
    bool armed = false;
    int64_t lastTick = -1;
};
