#pragma once
// The command line split into positional words and options ("--name value", repeatable), with the
// error every command reports for bad input.

#include <juce_core/juce_core.h>

#include <map>
#include <stdexcept>

// A failure to report: the message and the exit code (2 for bad usage, 1 for everything else).
struct CommandError : std::runtime_error
{
    CommandError(const juce::String& message, int exitCode = 1)
        : std::runtime_error(message.toStdString()), code(exitCode)
    {
    }
    const int code;
};

class Arguments
{
public:
    // Options in `valued` take the next word as their value; any other "--word" is refused.
    Arguments(const juce::StringArray& words, const juce::StringArray& valued);

    const juce::StringArray& positional() const { return words; }
    juce::String positional(int index, const juce::String& what) const;
    bool has(const juce::String& option) const { return options.count(option) > 0; }
    juce::String value(const juce::String& option, const juce::String& fallback = {}) const;
    juce::StringArray values(const juce::String& option) const;
    // A whole number within [lo, hi], or the fallback when the option is absent.
    int integer(const juce::String& option, int fallback, int lo, int hi) const;
    double number(const juce::String& option, double fallback, double lo, double hi) const;

private:
    juce::StringArray words;
    std::map<juce::String, juce::StringArray> options;
};
