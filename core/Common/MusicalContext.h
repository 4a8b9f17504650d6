#pragma once
// Host tempo, time signature, position and transport, copied into the kernel before every block.

#include <cstdint>

struct MusicalContextStruct
{
    double tempo = 120.0;
    double timeSignatureNumerator = 4.0;
    int64_t timeSignatureDenominator = 4;
    double ppqPosition = 0.0;
    double currentMeasureDownbeat = 0.0;
    double reserved = 0.0;
};

struct TransportStateStruct
{
    bool isPlaying = false;
    double samplePosition = 0.0;
    double loopStart = 0.0;
    double loopEnd = 0.0;
};
