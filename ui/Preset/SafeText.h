#pragma once
// Text and XML from bytes that may be damaged (user files, host states, settings). JUCE's text and
// XML code reads past the end of text holding broken UTF-8, so such bytes are refused before they
// become a juce::String.

#include <juce_core/juce_core.h>

namespace SafeText
{
// True when the string's bytes are well-formed UTF-8.
bool isValid(const juce::String& text);

// XML text from bytes (UTF-8, or UTF-16 with a byte-order mark); empty when the bytes are broken or
// hold a processing instruction after the declaration (JUCE's reader would never return).
juce::String fromBytes(const void* data, size_t size);

// The file's text by the same rule; empty when it cannot be read.
juce::String readFile(const juce::File& file);

// The same for a stream read to its end.
juce::String readStream(juce::InputStream& stream);

// The XML inside a host state blob (the wrapping of juce::AudioProcessor::copyXmlToBinary), or null.
std::unique_ptr<juce::XmlElement> xmlFromBinary(const void* data, int size);
} // namespace SafeText
