#pragma once
// Renders a factory preset definition into the text of its .tlprs file through the product's own
// processor and preset parser, leaving out the entries factory presets never carry.

#include "FactoryPresetDefinitions.h"

#include <juce_core/juce_core.h>

namespace FactoryPresetWriter
{
// The file text, or an empty string with `error` set. Needs the factory tables (TELOMA_FACTORY_FOLDER).
juce::String presetText(const FactoryPresetDefinition& definition, juce::String& error);
} // namespace FactoryPresetWriter
