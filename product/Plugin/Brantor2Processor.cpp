#include "Brantor2Processor.h"

#include "BinaryData.h"
#include "TableUndoableAction.h"

#include <cstdlib>

juce::AudioProcessor::BusesProperties Brantor2Processor::stereoBuses()
{
    return BusesProperties()
        .withInput("Input", juce::AudioChannelSet::stereo(), true)
        .withOutput("Output", juce::AudioChannelSet::stereo(), true);
}

Brantor2Processor::Brantor2Processor()
    : Brantor2Processor(new Brantor2DSPKernel(),
                        new Brantor2PresetManager({BinaryData::FactoryPresets_zip,
                                                   static_cast<size_t>(BinaryData::FactoryPresets_zipSize)},
                                                  new Brantor2PresetParser()))
{
}

Brantor2Processor::Brantor2Processor(Brantor2DSPKernel* k, Brantor2PresetManager* manager)
    : EffectProcessor(stereoBuses(), k, manager, "qrneteloma"), productKernel(*k), productPresetManager(*manager)
{
}

juce::AudioProcessorEditor* Brantor2Processor::createEditor()
{
    return new juce::GenericAudioProcessorEditor(*this);
}

void Brantor2Processor::randomize()
{
    EffectProcessor::randomize(); // opens the undo transaction
    const int count = productPresetManager.getTableCount();
    const int index = count >= 2 ? std::rand() % count : 0;
    undoManager.perform(new TableUndoableAction(*this, productPresetManager.getCurrentTableIndex(), index));
}

void Brantor2Processor::selectTable(int index)
{
    undoManager.beginNewTransaction();
    undoManager.perform(new TableUndoableAction(*this, productPresetManager.getCurrentTableIndex(), index));
}

juce::AudioProcessor* JUCE_CALLTYPE createPluginFilter()
{
    return new Brantor2Processor();
}
