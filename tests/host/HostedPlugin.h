#pragma once
// Loads the built plug-in in one of its formats through JUCE's hosting.

#include <juce_audio_processors/juce_audio_processors.h>

#include <memory>

namespace HostedPlugin
{
enum class Format
{
    vst3,
    lv2
};

const char* formatName(Format format);
// A fresh instance, prepared for stereo at the given rate and block size; null with a message on failure.
std::unique_ptr<juce::AudioPluginInstance> load(Format format, double sampleRate, int blockSize,
                                                juce::String& error);
// The hosted parameter whose name is the given identifier, or null.
juce::AudioProcessorParameter* findParameter(juce::AudioPluginInstance& plugin, const juce::String& id);
} // namespace HostedPlugin
