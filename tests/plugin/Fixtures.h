#pragma once
// Temporary user, factory and settings folders (through the environment), and table files to put in.

#include <juce_core/juce_core.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <vector>

class TemporaryFolders
{
public:
    TemporaryFolders()
        : root(juce::File::getSpecialLocation(juce::File::tempDirectory)
                   .getChildFile("teloma-test-" + juce::String::toHexString(juce::Random::getSystemRandom().nextInt64())))
    {
        root.createDirectory();
        setenv("TELOMA_USER_FOLDER", user().getFullPathName().toRawUTF8(), 1);
        setenv("TELOMA_FACTORY_FOLDER", factory().getFullPathName().toRawUTF8(), 1);
        setenv("TELOMA_SETTINGS_FOLDER", settings().getFullPathName().toRawUTF8(), 1);
    }
    ~TemporaryFolders()
    {
        unsetenv("TELOMA_USER_FOLDER");
        unsetenv("TELOMA_FACTORY_FOLDER");
        unsetenv("TELOMA_SETTINGS_FOLDER");
        root.deleteRecursively();
    }

    juce::File user() const { return root.getChildFile("user"); }
    juce::File factory() const { return root.getChildFile("factory"); }
    juce::File settings() const { return root.getChildFile("settings"); }
    juce::File factoryTable(const juce::String& folder, const juce::String& name) const
    {
        return factory().getChildFile("Tables").getChildFile(folder).getChildFile(name + ".wav");
    }
    juce::File userTable(const juce::String& name) const
    {
        return user().getChildFile("Tables").getChildFile(name + ".wav");
    }

    const juce::File root;
};

enum class SampleFormat
{
    Int16,
    Int24,
    Int32,
    Float32
};

// Writes a WAV of `samples` samples from curve(x in -1..1 within each 2048-sample frame, frame).
inline void writeTable(const juce::File& file, size_t samples, const std::function<float(float, size_t)>& curve,
                       SampleFormat format = SampleFormat::Float32, int channels = 1)
{
    file.getParentDirectory().createDirectory();
    const int bytes = format == SampleFormat::Int16 ? 2 : format == SampleFormat::Int24 ? 3 : 4;
    juce::MemoryOutputStream data;
    for (size_t i = 0; i < samples; ++i)
    {
        const float x = -1.0f + 2.0f * static_cast<float>(i % 2048) / 2047.0f;
        for (int c = 0; c < channels; ++c)
        {
            const float v = c == 0 ? curve(x, i / 2048) : 0.25f;
            if (format == SampleFormat::Float32)
                data.writeFloat(v);
            else
            {
                const double scale = std::pow(2.0, bytes * 8 - 1) - 1.0;
                const auto q = static_cast<int64_t>(std::llround(std::clamp(static_cast<double>(v), -1.0, 1.0) * scale));
                for (int b = 0; b < bytes; ++b)
                    data.writeByte(static_cast<char>((q >> (8 * b)) & 0xff));
            }
        }
    }
    juce::MemoryOutputStream wav;
    wav.write("RIFF", 4);
    wav.writeInt(static_cast<int>(36 + data.getDataSize()));
    wav.write("WAVEfmt ", 8);
    wav.writeInt(16);
    wav.writeShort(format == SampleFormat::Float32 ? 3 : 1);
    wav.writeShort(static_cast<short>(channels));
    wav.writeInt(48000);
    wav.writeInt(48000 * channels * bytes);
    wav.writeShort(static_cast<short>(channels * bytes));
    wav.writeShort(static_cast<short>(bytes * 8));
    wav.write("data", 4);
    wav.writeInt(static_cast<int>(data.getDataSize()));
    wav.write(data.getData(), data.getDataSize());
    file.replaceWithData(wav.getData(), wav.getDataSize());
}

inline float softClip(float x, size_t)
{
    return std::tanh(1.5f * x) / std::tanh(1.5f);
}
