#include "Brantor2Processor.h"

juce::AudioProcessor::BusesProperties Brantor2Processor::stereoBuses()
{
    return BusesProperties()
        .withInput("Input", juce::AudioChannelSet::stereo(), true)
        .withOutput("Output", juce::AudioChannelSet::stereo(), true);
}

Brantor2Processor::Brantor2Processor() : Brantor2Processor(new Brantor2DSPKernel()) {}

Brantor2Processor::Brantor2Processor(Brantor2DSPKernel* k) : EffectProcessor(stereoBuses(), k), productKernel(*k) {}

juce::AudioProcessorEditor* Brantor2Processor::createEditor()
{
    return new juce::GenericAudioProcessorEditor(*this);
}

void Brantor2Processor::getStateInformation(juce::MemoryBlock& destData)
{
    if (auto xml = treeState.copyState().createXml())
        copyXmlToBinary(*xml, destData);
}

void Brantor2Processor::setStateInformation(const void* data, int sizeInBytes)
{
    const auto xml = getXmlFromBinary(data, sizeInBytes);
    if (xml == nullptr || !xml->hasTagName(treeState.state.getType()))
        return;
    kernel->requestClear();
    treeState.replaceState(juce::ValueTree::fromXml(*xml));
}

juce::AudioProcessor* JUCE_CALLTYPE createPluginFilter()
{
    return new Brantor2Processor();
}
