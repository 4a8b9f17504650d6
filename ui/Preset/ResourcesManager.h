#pragma once
// Where presets, tables and settings live. Each folder can be redirected by an environment variable:
//   TELOMA_USER_FOLDER     the user's folder (default: documents / QUARNE / QUARNE Teloma)
//   TELOMA_FACTORY_FOLDER  the factory content (default: $XDG_DATA_HOME or ~/.local/share, / QUARNE / QUARNE Teloma)
//   TELOMA_SETTINGS_FOLDER the settings file's folder (default: where JUCE's PropertiesFile puts it)

#include <juce_core/juce_core.h>

namespace ResourcesManager
{
// The user's folder, then sub when it is not empty; missing levels are created. Empty on failure.
juce::File getUserDirectory(const juce::String& sub);
// The factory content folder that every plug-in format looks up, then sub; created when missing.
juce::File getResourcesDirectory(const juce::String& sub);
// Exists, or could be created.
bool checkDirectory(const juce::File& directory);
} // namespace ResourcesManager
