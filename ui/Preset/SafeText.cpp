#include "SafeText.h"

#include <cstring>

namespace SafeText
{
namespace
{
constexpr uint32_t xmlMagic = 0x21324356; // "VC2!"

bool hasUtf16Mark(const uint8_t* bytes, size_t size)
{
    return size >= 2 && ((bytes[0] == 0xff && bytes[1] == 0xfe) || (bytes[0] == 0xfe && bytes[1] == 0xff));
}
} // namespace

juce::String fromBytes(const void* data, size_t size)
{
    const auto* bytes = static_cast<const uint8_t*>(data);
    if (size > static_cast<size_t>(std::numeric_limits<int>::max()))
        return {};
    if (!hasUtf16Mark(bytes, size) &&
        !juce::CharPointer_UTF8::isValidString(static_cast<const char*>(data), static_cast<int>(size)))
        return {};
    const juce::String text = juce::String::createStringFromData(data, static_cast<int>(size));
    if (!isValid(text))
        return {};
    // A processing instruction after the declaration sends JUCE's XML reader into an endless loop
    // (it rolls back to the instruction after skipping it); no file of ours has one.
    const int declarationEnd = text.trimStart().startsWith("<?") ? text.indexOf("?>") : 0;
    if (declarationEnd < 0 || text.indexOf(declarationEnd, "<?") >= 0)
        return {};
    return text;
}

bool isValid(const juce::String& text)
{
    // Counted as bytes: JUCE's own counting walks the characters and would overrun broken text.
    const char* bytes = text.toRawUTF8();
    return juce::CharPointer_UTF8::isValidString(bytes, static_cast<int>(std::strlen(bytes)));
}

juce::String readFile(const juce::File& file)
{
    juce::MemoryBlock data;
    return file.loadFileAsData(data) ? fromBytes(data.getData(), data.getSize()) : juce::String();
}

juce::String readStream(juce::InputStream& stream)
{
    juce::MemoryBlock data;
    stream.readIntoMemoryBlock(data);
    return fromBytes(data.getData(), data.getSize());
}

std::unique_ptr<juce::XmlElement> xmlFromBinary(const void* data, int size)
{
    if (data == nullptr || size <= 8 || juce::ByteOrder::littleEndianInt(data) != xmlMagic)
        return nullptr;
    const auto length =
        static_cast<int>(juce::ByteOrder::littleEndianInt(static_cast<const char*>(data) + 4));
    if (length <= 0)
        return nullptr;
    const juce::String text =
        fromBytes(static_cast<const char*>(data) + 8, static_cast<size_t>(std::min(size - 8, length)));
    return text.isEmpty() ? nullptr : juce::parseXML(text);
}
} // namespace SafeText
