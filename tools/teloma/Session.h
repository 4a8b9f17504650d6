#pragma once
// One processor set up from the command line: a host state, a preset, a table and parameter
// overrides, applied in that order.

#include "Arguments.h"
#include "Brantor2Processor.h"

namespace Session
{
// The options that shape the processor's settings.
const juce::StringArray& settingOptions();

// Applies --state FILE (this plug-in's state, or a VST3 state as a JUCE host saves it), --preset NAME
// (default "DEFAULT" without a state), --table FOLDER/NAME and each --set ID=VALUE. Throws CommandError
// naming what is unknown or out of range.
void apply(Brantor2Processor& processor, const Arguments& arguments);

// Loads a preset by name (any case); throws with the closest names when there is none.
void loadPreset(Brantor2Processor& processor, const juce::String& name);
} // namespace Session
