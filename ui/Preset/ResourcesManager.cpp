#include "ResourcesManager.h"

namespace
{
juce::File fromEnvironment(const char* name)
{
    const juce::String value = juce::SystemStats::getEnvironmentVariable(name, {});
    return value.isNotEmpty() && juce::File::isAbsolutePath(value) ? juce::File(value) : juce::File();
}

juce::File withSub(const juce::File& base, const juce::String& sub)
{
    const juce::File folder = sub.isEmpty() ? base : base.getChildFile(sub);
    return ResourcesManager::checkDirectory(folder) ? folder : juce::File();
}
} // namespace

namespace ResourcesManager
{
bool checkDirectory(const juce::File& directory)
{
    return directory.isDirectory() || directory.createDirectory().wasOk();
}

juce::File getUserDirectory(const juce::String& sub)
{
    juce::File base = fromEnvironment("TELOMA_USER_FOLDER");
    if (base == juce::File())
        base = juce::File::getSpecialLocation(juce::File::userDocumentsDirectory)
                   .getChildFile("QUARNE")
                   .getChildFile("QUARNE Teloma");
    return withSub(base, sub);
}

juce::File getResourcesDirectory(const juce::String& sub)
{
    juce::File base = fromEnvironment("TELOMA_FACTORY_FOLDER");
    if (base == juce::File())
    {
        juce::File data = fromEnvironment("XDG_DATA_HOME");
        if (data == juce::File())
            data = juce::File("~/.local/share");
        base = data.getChildFile("QUARNE").getChildFile("QUARNE Teloma");
    }
    return withSub(base, sub);
}
} // namespace ResourcesManager
