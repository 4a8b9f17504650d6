#include "PresetParser.h"

#include "Common/ModulationDestination.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace
{
void appendPair(juce::XmlElement* dict, const juce::String& key, const char* valueTag, const juce::String& text)
{
    dict->createNewChildElement("key")->addTextElement(key);
    dict->createNewChildElement(valueTag)->addTextElement(text);
}

juce::XmlElement* dictOf(juce::XmlDocument* document, std::unique_ptr<juce::XmlElement>& root)
{
    if (document == nullptr)
        return nullptr;
    root = document->getDocumentElement();
    return root != nullptr ? root->getFirstChildElement() : nullptr;
}
} // namespace

juce::String PresetParser::formatReal(float value)
{
    char text[32];
    std::snprintf(text, sizeof(text), "%g", static_cast<double>(value));
    return text;
}

juce::String PresetParser::toFileText(const juce::XmlElement& plist)
{
    return plist.toString(juce::XmlElement::TextFormat());
}

PresetParser::PresetData PresetParser::valueTreeFromPreset(const juce::ValueTree& defaults,
                                                           juce::XmlDocument* document, ParameterList* parameters)
{
    PresetData data{defaults.createCopy(), {}};
    std::unique_ptr<juce::XmlElement> root;
    juce::XmlElement* dict = dictOf(document, root);
    if (dict == nullptr)
        return data;

    juce::String key;
    for (auto* element : dict->getChildIterator())
    {
        const juce::String tag = element->getTagName();
        const juce::String text = element->getAllSubText();
        if (tag == "key")
            key = text;
        else if (tag == "real" || tag == "integer")
        {
            auto child = data.tree.getChildWithProperty("id", key);
            if (child.isValid())
                child.setProperty("value", text, nullptr);
        }
        else if (tag == "string" && text.isNotEmpty())
        {
            if (std::find(extraKeys.begin(), extraKeys.end(), key) != extraKeys.end())
                data.extraValues[key] = text;
            Parameter* p = parameters != nullptr ? parameters->findParameter(key.toStdString()) : nullptr;
            auto child = data.tree.getChildWithProperty("id", key);
            if (p == nullptr || !child.isValid())
                continue;
            if (p->destinationGroup != nullptr)
            {
                const auto& destinations = p->destinationGroup->destinations;
                for (size_t i = 0; i < destinations.size(); ++i)
                    if (destinations[i].name == text.toStdString())
                    {
                        child.setProperty("value", juce::String(static_cast<int>(i)), nullptr);
                        break;
                    }
            }
            else if (p->hasFlag(StoreAsText))
                child.setProperty("value", juce::String(p->stringToIntValue(text.toRawUTF8())), nullptr);
        }
    }
    return data;
}

std::unique_ptr<juce::XmlElement> PresetParser::presetFromValueTree(const juce::ValueTree& state,
                                                                    ParameterList* parameters,
                                                                    const std::vector<juce::String>& categories)
{
    auto plist = std::make_unique<juce::XmlElement>("plist");
    plist->setAttribute("version", "1.0");
    juce::XmlElement* dict = plist->createNewChildElement("dict");
    if (!categories.empty())
    {
        dict->createNewChildElement("key")->addTextElement("Categories");
        juce::XmlElement* array = dict->createNewChildElement("array");
        for (const auto& category : categories)
            array->createNewChildElement("string")->addTextElement(category.toLowerCase());
    }
    addExtraElementsToPreset(dict);

    for (const auto& child : state)
    {
        const juce::String id = child.getProperty("id").toString();
        const auto value = static_cast<float>(child.getProperty("value"));
        Parameter* p = parameters != nullptr ? parameters->findParameter(id.toStdString()) : nullptr;
        if (p != nullptr && p->destinationGroup != nullptr)
        {
            const auto& destinations = p->destinationGroup->destinations;
            const auto index = static_cast<size_t>(std::max(0, static_cast<int>(value)));
            appendPair(dict, id, "string", index < destinations.size() ? destinations[index].name : "None");
        }
        else if (p != nullptr && p->hasFlag(StoreAsText))
        {
            const float whole = std::clamp(static_cast<float>(static_cast<int>(value)), p->minimum, p->maximum);
            appendPair(dict, id, "string", p->stringFromValue(whole));
        }
        else
            appendPair(dict, id, "real", formatReal(value));
    }
    return plist;
}

void PresetParser::addExtraElementsToPreset(juce::XmlElement*) {}

void PresetParser::getExtraStateInformation(juce::ValueTree*) {}

void PresetParser::setExtraStateInformation(juce::XmlElement*) {}

PackInfo PresetParser::packInfoFromPlist(juce::XmlDocument* document)
{
    PackInfo info;
    std::unique_ptr<juce::XmlElement> root;
    juce::XmlElement* dict = dictOf(document, root);
    if (dict == nullptr)
        return info;
    juce::String key;
    bool desktopDescription = false;
    for (auto* element : dict->getChildIterator())
    {
        const juce::String text = element->getAllSubText();
        if (element->hasTagName("key"))
            key = text;
        else if (element->hasTagName("string"))
        {
            if (key == "PackName")
                info.packName = text;
            else if (key == "PackDescription_desktop")
            {
                info.packDescription = text;
                desktopDescription = true;
            }
            else if (key == "PackDescription" && !desktopDescription)
                info.packDescription = text;
        }
    }
    return info;
}

std::vector<juce::String> PresetParser::categoriesFromPreset(juce::XmlDocument* document) const
{
    std::vector<juce::String> categories;
    std::unique_ptr<juce::XmlElement> root;
    juce::XmlElement* dict = dictOf(document, root);
    if (dict == nullptr)
        return categories;
    juce::String key;
    for (auto* element : dict->getChildIterator())
    {
        if (element->hasTagName("key"))
            key = element->getAllSubText();
        else if (element->hasTagName("array") && key == "Categories")
        {
            for (auto* item : element->getChildIterator())
                if (const juce::String text = item->getAllSubText(); text.isNotEmpty())
                    categories.push_back(text);
            break;
        }
    }
    return categories;
}

juce::ValueTree PresetParser::stateFromXml(const juce::ValueTree& defaults, const juce::XmlElement& xml,
                                           ParameterList* parameters) const
{
    juce::ValueTree result = defaults.createCopy();
    const juce::ValueTree loaded = juce::ValueTree::fromXml(xml);
    for (const auto& child : loaded)
    {
        const juce::String id = child.getProperty("id").toString();
        auto target = id.isNotEmpty() ? result.getChildWithProperty("id", id) : juce::ValueTree();
        Parameter* p = parameters != nullptr ? parameters->findParameter(id.toStdString()) : nullptr;
        if (!target.isValid() || p == nullptr)
        {
            result.appendChild(child.createCopy(), nullptr);
            continue;
        }
        const auto value = static_cast<float>(child.getProperty("value", p->defaultValue));
        if (std::isfinite(value))
            target.setProperty("value", std::clamp(value, p->minimum, p->maximum), nullptr);
    }
    return result;
}
