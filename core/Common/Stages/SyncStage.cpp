#include "SyncStage.h"

void SyncStage::init(double rate)
{
    sampleRate = rate;
    clock.init(1, rate);
}

void SyncStage::updateContext(const MusicalContextStruct& context, const TransportStateStruct& transport)
{
    tempo = context.tempo;
    clock.updateContext(context, transport);
}
