#include "MidiKernel.h"

void MidiKernel::handleMIDIEvent(const uint8_t* data, int64_t time, int64_t samplePosition)
{
    if (!acceptsMidi())
        return;
    DSPKernel::handleMIDIEvent(data, time, samplePosition);
}
