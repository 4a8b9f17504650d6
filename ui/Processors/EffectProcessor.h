#pragma once
// The effect layer of the processor: maps the host's audio buses to the kernel's buffer lists and
// renders every output bus in place.

#include "Common/BufferList.h"
#include "Instrument/FilterDSPKernel.h"
#include "MidiProcessor.h"

#include <memory>
#include <vector>

class EffectProcessor : public MidiProcessor
{
public:
    EffectProcessor(const BusesProperties& buses, FilterDSPKernel* kernel, PresetManager* presetManager,
                    std::string productCode);

    bool hasKeyboard() override { return false; }
    void process(juce::AudioBuffer<float>& buffer, size_t frameCount, size_t bufferOffset) override;

private:
    void pointAt(juce::AudioBuffer<float>& buffer, bool isInput, std::vector<BufferList*>& lists);

    FilterDSPKernel& filterKernel;
    std::vector<std::unique_ptr<BufferList>> ownedLists;
    std::vector<BufferList*> inputLists;
    std::vector<BufferList*> outputLists;
};
