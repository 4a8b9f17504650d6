#include "Arguments.h"

Arguments::Arguments(const juce::StringArray& all, const juce::StringArray& valued)
{
    for (int i = 0; i < all.size(); ++i)
    {
        const juce::String& word = all[i];
        if (!word.startsWith("--"))
        {
            words.add(word);
            continue;
        }
        const juce::String name = word.substring(2);
        if (!valued.contains(name))
            throw CommandError("unknown option " + word, 2);
        if (i + 1 >= all.size())
            throw CommandError("option " + word + " needs a value", 2);
        options[name].add(all[++i]);
    }
}

juce::String Arguments::positional(int index, const juce::String& what) const
{
    if (index >= words.size())
        throw CommandError("missing " + what, 2);
    return words[index];
}

juce::String Arguments::value(const juce::String& option, const juce::String& fallback) const
{
    const auto it = options.find(option);
    return it == options.end() ? fallback : it->second[it->second.size() - 1];
}

juce::StringArray Arguments::values(const juce::String& option) const
{
    const auto it = options.find(option);
    return it == options.end() ? juce::StringArray() : it->second;
}

int Arguments::integer(const juce::String& option, int fallback, int lo, int hi) const
{
    if (!has(option))
        return fallback;
    const juce::String text = value(option).trim();
    if (!text.containsOnly("0123456789") || text.isEmpty() || text.length() > 9 || text.getIntValue() < lo ||
        text.getIntValue() > hi)
        throw CommandError("--" + option + " takes a whole number from " + juce::String(lo) + " to " +
                               juce::String(hi) + ", not \"" + text + "\"",
                           2);
    return text.getIntValue();
}

double Arguments::number(const juce::String& option, double fallback, double lo, double hi) const
{
    if (!has(option))
        return fallback;
    const juce::String text = value(option).trim();
    char* end = nullptr;
    const double v = std::strtod(text.toRawUTF8(), &end);
    if (text.isEmpty() || end == nullptr || *end != '\0' || !(v >= lo && v <= hi))
        throw CommandError("--" + option + " takes a number from " + juce::String(lo) + " to " +
                               juce::String(hi) + ", not \"" + text + "\"",
                           2);
    return v;
}
