#include "HostedPlugin.h"

namespace HostedPlugin
{
const char* formatName(Format format)
{
    return format == Format::vst3 ? "VST3" : "LV2";
}

std::unique_ptr<juce::AudioPluginInstance> load(Format format, double sampleRate, int blockSize, juce::String& error)
{
    juce::OwnedArray<juce::PluginDescription> found;
    std::unique_ptr<juce::AudioPluginFormat> pluginFormat;
    if (format == Format::vst3)
    {
        pluginFormat = std::make_unique<juce::VST3PluginFormat>();
        pluginFormat->findAllTypesForFile(found, TELOMA_VST3_BUNDLE);
    }
    else
    {
        pluginFormat = std::make_unique<juce::LV2PluginFormat>();
        const juce::File bundle(TELOMA_LV2_BUNDLE);
        pluginFormat->searchPathsForPlugins(juce::FileSearchPath(bundle.getParentDirectory().getFullPathName()),
                                            false, false);
        pluginFormat->findAllTypesForFile(found, TELOMA_LV2_URI);
    }
    if (found.isEmpty())
    {
        error = juce::String("no plug-in found for ") + formatName(format);
        return nullptr;
    }
    auto instance = pluginFormat->createInstanceFromDescription(*found[0], sampleRate, blockSize, error);
    if (instance == nullptr)
        return nullptr;
    instance->setPlayConfigDetails(2, 2, sampleRate, blockSize);
    instance->prepareToPlay(sampleRate, blockSize);
    return instance;
}

juce::AudioProcessorParameter* findParameter(juce::AudioPluginInstance& plugin, const juce::String& id)
{
    for (auto* p : plugin.getParameters())
        if (p->getName(100) == id)
            return p;
    return nullptr;
}
} // namespace HostedPlugin
