#pragma once
// A phase at a tempo-derived rate: locked to the host's beat position while playing in beat mode,
// free-running at the tempo's rate otherwise.

#include "Common/MusicalContext.h"
#include "PhasorBase.h"

struct BeatPhasorParameters
{
    PhaseShaping shaping;
    bool beatMode = false;
};

class BeatPhasor : public PhasorBase<BeatPhasorParameters>
{
public:
    void processContext(const MusicalContextStruct& context, const TransportStateStruct& transport,
                        size_t bufferOffset);
    void process(float* buffer, size_t frameCount, size_t channel, BeatPhasorParameters parameters) override;

    float syncRate = 1.0f;    // fraction of a bar
    float beatsPerRate = 4.0f; // beats in one bar of the rate
    double beatPosition = 0.0;
    double beatsPerSecond = 2.0;
    bool playing = false;
};
