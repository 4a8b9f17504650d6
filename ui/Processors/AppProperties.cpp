#include "AppProperties.h"

AppProperties::AppProperties()
{
    juce::PropertiesFile::Options options;
    options.applicationName = "QUARNE Teloma";
    options.filenameSuffix = ".settings";
    options.osxLibrarySubFolder = "Application Support";
    options.folderName = "QUARNE/QUARNE Teloma";
    options.storageFormat = juce::PropertiesFile::storeAsCompressedBinary;
    // The per-user configuration folder ($XDG_CONFIG_HOME, else ~/.config), unless redirected.
    juce::File location = options.getDefaultFile();
    const juce::String folder = juce::SystemStats::getEnvironmentVariable("TELOMA_SETTINGS_FOLDER", {});
    const juce::String config = juce::SystemStats::getEnvironmentVariable("XDG_CONFIG_HOME", {});
    if (folder.isNotEmpty() && juce::File::isAbsolutePath(folder))
        location = juce::File(folder).getChildFile(location.getFileName());
    else
        location = (config.isNotEmpty() && juce::File::isAbsolutePath(config) ? juce::File(config)
                                                                               : juce::File("~/.config"))
                       .getChildFile(options.folderName)
                       .getChildFile(location.getFileName());
    location.getParentDirectory().createDirectory();
    file = std::make_unique<juce::PropertiesFile>(location, options);
    file->setValue("appName", "QUARNE Teloma");
    file->saveIfNeeded();
}

void AppProperties::saveFavoritePresets(const juce::String& text)
{
    file->setValue("favorites", text);
    file->saveIfNeeded();
}

juce::String AppProperties::retrieveFavoritePresets()
{
    if (!file->getFile().existsAsFile())
        return {};
    file->reload();
    return file->getValue("favorites", {});
}
