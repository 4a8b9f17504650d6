#include "Session.h"

#include "Preset/SafeText.h"
#include "Processors/ParameterText.h"

namespace Session
{
namespace
{
juce::String suggestion(const juce::StringArray& candidates, const juce::String& name)
{
    const juce::StringArray near = ParameterText::closest(candidates, name);
    return near.isEmpty() ? juce::String() : " (did you mean " + near.joinIntoString(", ") + "?)";
}

void loadState(Brantor2Processor& processor, const juce::String& path)
{
    const juce::File file = juce::File::getCurrentWorkingDirectory().getChildFile(path);
    juce::MemoryBlock blob;
    if (!file.existsAsFile() || !file.loadFileAsData(blob))
        throw CommandError("cannot read state file " + file.getFullPathName());
    auto xml = SafeText::xmlFromBinary(blob.getData(), static_cast<int>(blob.getSize()));
    // A JUCE host stores a VST3's state as its component state in base64: the plug-in's own blob.
    if (xml != nullptr && xml->hasTagName("VST3PluginState"))
    {
        const juce::XmlElement* component = xml->getChildByName("IComponent");
        if (component == nullptr || !blob.fromBase64Encoding(component->getAllSubText().trim()))
            throw CommandError(file.getFileName() + " holds no VST3 component state");
        xml = SafeText::xmlFromBinary(blob.getData(), static_cast<int>(blob.getSize()));
    }
    if (xml == nullptr || !xml->hasTagName("Parameters"))
        throw CommandError(file.getFileName() + " is not a saved state of this plug-in");
    processor.setStateInformation(blob.getData(), static_cast<int>(blob.getSize()));
}

void loadTable(Brantor2Processor& processor, const juce::String& name)
{
    auto& kernel = processor.getProductKernel();
    juce::StringArray names;
    for (int i = 0; i < static_cast<int>(kernel.tableList.size()); ++i)
    {
        const TableData& t = *kernel.tableList[static_cast<size_t>(i)];
        const juce::String full = juce::String(t.folder) + "/" + juce::String(t.name);
        if (full == name)
        {
            processor.getProductPresetManager().loadTable(i);
            if (kernel.currentTable != &t)
                throw CommandError("cannot read table " + juce::String(t.path));
            return;
        }
        names.add(full);
    }
    throw CommandError("unknown table \"" + name + "\"" + suggestion(names, name));
}
} // namespace

const juce::StringArray& settingOptions()
{
    static const juce::StringArray options{"state", "preset", "table", "set"};
    return options;
}

void loadPreset(Brantor2Processor& processor, const juce::String& name)
{
    auto& manager = processor.getPresetManager();
    if (manager.setPreset(name.toUpperCase(), true))
        return;
    juce::StringArray names;
    for (const auto& p : manager.getPresets())
        names.add(p->name);
    throw CommandError("unknown preset \"" + name + "\"" + suggestion(names, name.toUpperCase()));
}

void apply(Brantor2Processor& processor, const Arguments& arguments)
{
    if (arguments.has("state"))
        loadState(processor, arguments.value("state"));
    if (arguments.has("preset"))
        loadPreset(processor, arguments.value("preset"));
    if (arguments.has("table"))
        loadTable(processor, arguments.value("table"));
    for (const auto& setting : arguments.values("set"))
    {
        if (!setting.containsChar('='))
            throw CommandError("--set takes ID=VALUE, not \"" + setting + "\"", 2);
        const juce::String problem =
            ParameterText::set(processor.getTreeState(), *processor.getProductKernel().getParameters(),
                               setting.upToFirstOccurrenceOf("=", false, false).trim(),
                               setting.fromFirstOccurrenceOf("=", false, false).trim());
        if (problem.isNotEmpty())
            throw CommandError(problem);
    }
}
} // namespace Session
