#pragma once
// The renderer's commands, one function each; `words` are the arguments after the command's name.
// Each prints its results and throws CommandError on failure.

#include <juce_core/juce_core.h>

namespace Commands
{
void render(const juce::StringArray& words);
void demo(const juce::StringArray& words);
void presets(const juce::StringArray& words);
void tables(const juce::StringArray& words);
void params(const juce::StringArray& words);
void state(const juce::StringArray& words);
void gallery(const juce::StringArray& words);
} // namespace Commands
