#pragma once
// How the product's preset parser asks for a table by name.

#include <juce_core/juce_core.h>

class Brantor2PresetParserDelegate
{
public:
    virtual ~Brantor2PresetParserDelegate() = default;

    virtual void loadTableNamed(juce::String tableName, juce::String folderName) = 0;
    virtual void setIndexFromParser() = 0;
};
