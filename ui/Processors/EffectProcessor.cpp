#include "EffectProcessor.h"

EffectProcessor::EffectProcessor(const BusesProperties& buses, FilterDSPKernel* k, PresetManager* manager,
                                 std::string code)
    : MidiProcessor(buses, k, manager, std::move(code)), filterKernel(*k)
{
    for (int i = 0; i < getBusCount(true); ++i)
        inputLists.push_back(ownedLists.emplace_back(std::make_unique<BufferList>()).get());
    for (int i = 0; i < getBusCount(false); ++i)
        outputLists.push_back(ownedLists.emplace_back(std::make_unique<BufferList>()).get());
}

void EffectProcessor::pointAt(juce::AudioBuffer<float>& buffer, bool isInput, std::vector<BufferList*>& lists)
{
    for (size_t bus = 0; bus < lists.size(); ++bus)
    {
        BufferList& list = *lists[bus];
        const int channels = juce::jmin(getChannelCountOfBus(isInput, static_cast<int>(bus)), BufferList::maxChannels);
        list.channelCount = 0;
        for (int c = 0; c < channels; ++c)
        {
            const int index = getChannelIndexInProcessBlockBuffer(isInput, static_cast<int>(bus), c);
            if (index >= buffer.getNumChannels())
                break;
            list.channels[static_cast<size_t>(c)] = buffer.getWritePointer(index);
            list.channelCount = c + 1;
        }
    }
}

void EffectProcessor::process(juce::AudioBuffer<float>& buffer, size_t frameCount, size_t bufferOffset)
{
    pointAt(buffer, true, inputLists);
    pointAt(buffer, false, outputLists);
    filterKernel.setBuffers(inputLists, outputLists);
    for (size_t bus = 0; bus < outputLists.size(); ++bus)
        kernel->process(frameCount, bufferOffset, static_cast<long>(bus));
}
