#pragma once
// Host-visible parameters set and described in user units from text ("440", "Pre", "1/16",
// "Filter1Gain", "on"), as the command line and the factory preset definitions write them.

#include "Common/Parameters/ParameterList.h"

#include <juce_audio_processors/juce_audio_processors.h>

namespace ParameterText
{
// Sets the parameter `id` to the value the text names; returns an empty string on success, else why
// not (unknown parameter with the closest identifiers, unknown choice, not a number, out of range).
juce::String set(juce::AudioProcessorValueTreeState& tree, ParameterList& list, const juce::String& id,
                 const juce::String& text);

// The plain value the text stands for, or the reason it stands for none.
juce::String parse(const Parameter& p, const juce::String& text, float& value);

// The unit's short name ("dB", "Hz", "%", "ms", "s", "on/off"; empty for plain numbers).
juce::String unitName(const Parameter& p);

// The choices a parameter takes by name, in value order (empty for continuous parameters).
juce::StringArray choices(const Parameter& p);

// The candidates closest to a mistyped name, nearest first (at most three, none that are far off).
juce::StringArray closest(const juce::StringArray& candidates, const juce::String& name);
} // namespace ParameterText
