#pragma once
// How the preset library reaches the processor.

#include "Common/Parameters/ParameterList.h"

#include <juce_data_structures/juce_data_structures.h>

class PresetManagerDelegate
{
public:
    virtual ~PresetManagerDelegate() = default;

    virtual void replaceTreeState(juce::ValueTree tree) = 0;
    virtual void saveFavoritePresets(juce::String text) = 0;
    virtual void retrieveFavoritePresets() = 0;
    virtual ParameterList* getParameters() = 0;
    virtual juce::ValueTree getCurrentTreeState() = 0;
};
