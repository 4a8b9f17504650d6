#include "ParameterText.h"

#include "Common/ModulationDestination.h"

#include <algorithm>
#include <cmath>

namespace ParameterText
{
namespace
{
int editDistance(const juce::String& a, const juce::String& b)
{
    const juce::String x = a.toLowerCase(), y = b.toLowerCase();
    std::vector<int> row(static_cast<size_t>(y.length() + 1));
    for (size_t j = 0; j < row.size(); ++j)
        row[j] = static_cast<int>(j);
    for (int i = 1; i <= x.length(); ++i)
    {
        int diagonal = row[0];
        row[0] = i;
        for (int j = 1; j <= y.length(); ++j)
        {
            const int above = row[static_cast<size_t>(j)];
            row[static_cast<size_t>(j)] = std::min(
                {above + 1, row[static_cast<size_t>(j - 1)] + 1, diagonal + (x[i - 1] == y[j - 1] ? 0 : 1)});
            diagonal = above;
        }
    }
    return row.back();
}

bool readNumber(const juce::String& text, float& value)
{
    const juce::String t = text.trim();
    if (t.isEmpty())
        return false;
    char* end = nullptr;
    const double v = std::strtod(t.toRawUTF8(), &end);
    if (end == nullptr || *end != '\0' || !std::isfinite(v))
        return false;
    value = static_cast<float>(v);
    return true;
}
} // namespace

juce::StringArray choices(const Parameter& p)
{
    juce::StringArray names;
    if (p.destinationGroup != nullptr)
    {
        for (const auto& d : p.destinationGroup->destinations)
            names.add(d.name);
        return names;
    }
    const bool named = p.hasFlag(StoreAsText) || !p.valueNames.empty() || p.indexToString != nullptr;
    if (!named)
        return names;
    for (int v = static_cast<int>(p.minimum); v <= static_cast<int>(p.maximum); ++v)
        names.add(p.stringFromValue(static_cast<float>(v)));
    return names;
}

juce::String unitName(const Parameter& p)
{
    switch (p.unit)
    {
    case OnOff:
        return "on/off";
    case Percent:
        return "%";
    case Seconds:
        return "s";
    case Milliseconds:
        return "ms";
    case Degrees:
        return "deg";
    case Rate:
    case Frequency:
        return "Hz";
    case Decibels:
        return "dB";
    default:
        return {};
    }
}

juce::String parse(const Parameter& p, const juce::String& text, float& value)
{
    const juce::StringArray names = choices(p);
    const int named = names.indexOf(text.trim(), true);
    if (named >= 0)
    {
        value =
            p.destinationGroup != nullptr ? static_cast<float>(named) : p.minimum + static_cast<float>(named);
        return {};
    }
    if (p.unit == OnOff && (text.equalsIgnoreCase("on") || text.equalsIgnoreCase("off")))
    {
        value = text.equalsIgnoreCase("on") ? 1.0f : 0.0f;
        return {};
    }
    if (!readNumber(text, value))
        return names.isEmpty() ? "\"" + text + "\" is not a number"
                               : "\"" + text + "\" is not one of: " + names.joinIntoString(", ");
    if (value < p.minimum || value > p.maximum)
        return "value " + text + " is outside " + juce::String(p.minimum) + " .. " + juce::String(p.maximum);
    return {};
}

juce::StringArray closest(const juce::StringArray& candidates, const juce::String& name)
{
    std::vector<std::pair<int, juce::String>> scored;
    for (const auto& candidate : candidates)
        scored.emplace_back(editDistance(name, candidate), candidate);
    std::stable_sort(scored.begin(), scored.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    juce::StringArray result;
    for (const auto& [distance, candidate] : scored)
        if (result.size() < 3 && distance <= std::max({3, name.length() / 2, candidate.length() / 2}))
            result.add(candidate);
    return result;
}

juce::String set(juce::AudioProcessorValueTreeState& tree, ParameterList& list, const juce::String& id,
                 const juce::String& text)
{
    const Parameter* p = list.findParameter(id.toStdString());
    juce::RangedAudioParameter* hosted = tree.getParameter(id);
    if (p == nullptr || hosted == nullptr)
    {
        juce::StringArray ids;
        for (const Parameter* candidate : list.getProcessingParameters())
            if (tree.getParameter(candidate->name) != nullptr)
                ids.add(candidate->name);
        const juce::StringArray near = closest(ids, id);
        return "unknown parameter \"" + id + "\"" +
               (near.isEmpty() ? juce::String() : " (did you mean " + near.joinIntoString(", ") + "?)");
    }
    float value = 0.0f;
    const juce::String problem = parse(*p, text, value);
    if (problem.isNotEmpty())
        return id + ": " + problem;
    hosted->setValueNotifyingHost(hosted->convertTo0to1(value));
    return {};
}
} // namespace ParameterText
