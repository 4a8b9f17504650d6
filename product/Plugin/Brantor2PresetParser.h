#pragma once
// The product's preset format: the parameters plus the table in use, "Wavetable" = "folder/name".

#include "Brantor2DSPKernel.h"
#include "Brantor2PresetParserDelegate.h"
#include "Preset/PresetParser.h"

class Brantor2PresetParser : public PresetParser
{
public:
    static constexpr const char* tableKey = "Wavetable";

    Brantor2PresetParser();

    void addExtraElementsToPreset(juce::XmlElement* dict) override;
    void getExtraStateInformation(juce::ValueTree* state) override;
    void setExtraStateInformation(juce::XmlElement* stateXml) override;
    void loadTableWithName(const juce::String& tableName, const juce::String& folderName);
    // "folder/name" splits into both; anything else is a table name alone.
    void loadTableFromText(const juce::String& text);

    Brantor2DSPKernel* kernel = nullptr;
    Brantor2PresetParserDelegate* delegate = nullptr;

private:
    juce::String currentTableText() const;
};
