#pragma once
// A stage driven by the host's musical position through a clock of its own.

#include "Common/MusicalContext.h"
#include "Common/ProcessBlock/Buffer.h"
#include "Common/ProcessBlock/Sync/Clock.h"

class SyncStage
{
public:
    virtual ~SyncStage() = default;

    virtual void init(double rate);
    virtual void updateContext(const MusicalContextStruct& context, const TransportStateStruct& transport);

protected:
    Clock clock;
    Buffer<float> clockBuffer;
    double tempo = 120.0;
    double sampleRate = 44100.0;
};
