#include "Brantor2PresetParser.h"

Brantor2PresetParser::Brantor2PresetParser()
{
    extraKeys = {tableKey};
}

juce::String Brantor2PresetParser::currentTableText() const
{
    if (kernel == nullptr || kernel->currentTable == nullptr)
        return {};
    return juce::String(kernel->currentTable->folder) + "/" + juce::String(kernel->currentTable->name);
}

void Brantor2PresetParser::addExtraElementsToPreset(juce::XmlElement* dict)
{
    if (const juce::String table = currentTableText(); table.isNotEmpty())
    {
        dict->createNewChildElement("key")->addTextElement(tableKey);
        dict->createNewChildElement("string")->addTextElement(table);
    }
}

void Brantor2PresetParser::getExtraStateInformation(juce::ValueTree* state)
{
    if (const juce::String table = currentTableText(); table.isNotEmpty())
        state->setProperty(tableKey, table, nullptr);
}

void Brantor2PresetParser::setExtraStateInformation(juce::XmlElement* stateXml)
{
    loadTableFromText(stateXml->getStringAttribute(tableKey));
    if (delegate != nullptr)
        delegate->setIndexFromParser();
}

void Brantor2PresetParser::loadTableFromText(const juce::String& text)
{
    juce::StringArray tokens;
    tokens.addTokens(text, "/", "\"");
    if (tokens.size() == 2)
        loadTableWithName(tokens[1], tokens[0]);
    else
        loadTableWithName(text, {});
}

void Brantor2PresetParser::loadTableWithName(const juce::String& tableName, const juce::String& folderName)
{
    if (delegate == nullptr)
        return;
    delegate->loadTableNamed(tableName, folderName);
}
