#pragma once
// The product's processor: builds the product kernel and the buses on the framework layers.

#include "Brantor2DSPKernel.h"
#include "Processors/EffectProcessor.h"

class Brantor2Processor : public EffectProcessor
{
public:
    Brantor2Processor();

    Brantor2DSPKernel& getProductKernel() { return productKernel; }

    bool hasEditor() const override { return true; }
    juce::AudioProcessorEditor* createEditor() override;
    void getStateInformation(juce::MemoryBlock& destData) override;
    void setStateInformation(const void* data, int sizeInBytes) override;

private:
    explicit Brantor2Processor(Brantor2DSPKernel* kernel);
    static BusesProperties stereoBuses();

    Brantor2DSPKernel& productKernel;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(Brantor2Processor)
};
