#pragma once
// The product's processor: the product kernel, its preset and table library, the buses, the
// randomisation of parameters and table, and the editor.

#include "Brantor2DSPKernel.h"
#include "Brantor2PresetManager.h"
#include "Processors/EffectProcessor.h"

class Brantor2Processor : public EffectProcessor
{
public:
    Brantor2Processor();

    Brantor2DSPKernel& getProductKernel() { return productKernel; }
    Brantor2PresetManager& getProductPresetManager() { return productPresetManager; }

    bool hasEditor() const override { return true; }
    juce::AudioProcessorEditor* createEditor() override;
    void randomize() override;
    // Chooses a table as one undoable step.
    void selectTable(int index);

private:
    Brantor2Processor(Brantor2DSPKernel* kernel, Brantor2PresetManager* presetManager);
    static BusesProperties stereoBuses();

    Brantor2DSPKernel& productKernel;
    Brantor2PresetManager& productPresetManager;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(Brantor2Processor)
};
