#pragma once
// The one place that knows the preset file format (an XML property list, extension "tlprs") and the
// content of the host state: parameter trees in and out, categories, pack information and the
// product's extra items.

#include "Common/Parameters/ParameterList.h"
#include "PackInfo.h"

#include <juce_data_structures/juce_data_structures.h>

#include <map>
#include <memory>
#include <vector>

class PresetParser
{
public:
    struct PresetData
    {
        juce::ValueTree tree;
        std::map<juce::String, juce::String> extraValues;
    };

    virtual ~PresetParser() = default;

    // Reads a preset file into a copy of the default tree: parameters the file does not mention keep
    // their defaults; unknown names and malformed files are skipped silently.
    virtual PresetData valueTreeFromPreset(const juce::ValueTree& defaults, juce::XmlDocument* document,
                                           ParameterList* parameters);
    // The "plist" element of a preset file for the state tree.
    virtual std::unique_ptr<juce::XmlElement> presetFromValueTree(const juce::ValueTree& state,
                                                                  ParameterList* parameters,
                                                                  const std::vector<juce::String>& categories);
    virtual void addExtraElementsToPreset(juce::XmlElement* dict);
    virtual PackInfo packInfoFromPlist(juce::XmlDocument* document);
    virtual void getExtraStateInformation(juce::ValueTree* state);
    virtual void setExtraStateInformation(juce::XmlElement* stateXml);

    std::vector<juce::String> categoriesFromPreset(juce::XmlDocument* document) const;
    // The parameter tree of a host state document laid over the defaults: missing parameters take
    // their defaults, values are limited to their parameter's range (non-numbers keep the default),
    // unknown children are carried along. The root's attributes belong to the caller.
    juce::ValueTree stateFromXml(const juce::ValueTree& defaults, const juce::XmlElement& xml,
                                 ParameterList* parameters) const;

    // A value as the preset file writes it: at most six significant digits, shortest form (%g).
    static juce::String formatReal(float value);
    // The text and the default format every preset file is written with.
    static juce::String toFileText(const juce::XmlElement& plist);

    std::vector<juce::String> extraKeys;
};
