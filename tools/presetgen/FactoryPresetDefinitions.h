#pragma once
// The factory presets as the sound designer wrote them: name, table, categories and the settings that
// differ from the defaults, in user units. Listed in the order of the embedded archive.

#include <string>
#include <vector>

struct FactoryPresetDefinition
{
    std::string name;
    std::string table; // "Folder/Name"
    std::vector<std::string> categories;
    std::vector<std::pair<std::string, std::string>> settings; // parameter id, value text
};

const std::vector<FactoryPresetDefinition>& factoryPresetDefinitions();
