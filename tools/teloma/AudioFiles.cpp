#include "AudioFiles.h"

#include "Arguments.h"

namespace AudioFiles
{
namespace
{
constexpr double lowestRate = 8000.0, highestRate = 384000.0;

// Moves a finished temporary file into place, or removes it.
void commit(juce::TemporaryFile& temporary, bool written, const juce::File& file)
{
    if (!written || !temporary.overwriteTargetFileWithTemporary())
    {
        temporary.deleteTemporaryFile();
        throw CommandError("cannot write " + file.getFullPathName());
    }
}

void checkFolder(const juce::File& file)
{
    if (!file.getParentDirectory().isDirectory())
        throw CommandError("cannot write " + file.getFullPathName() + ": no such folder");
    if (file.isDirectory())
        throw CommandError("cannot write " + file.getFullPathName() + ": it is a folder");
}
} // namespace

Audio read(const juce::File& file)
{
    if (!file.existsAsFile())
        throw CommandError("no such input file: " + file.getFullPathName());
    juce::AudioFormatManager formats;
    formats.registerFormat(new juce::WavAudioFormat(), true);
    formats.registerFormat(new juce::AiffAudioFormat(), false);
    formats.registerFormat(new juce::FlacAudioFormat(), false);
    const std::unique_ptr<juce::AudioFormatReader> reader(formats.createReaderFor(file));
    if (reader == nullptr)
        throw CommandError("cannot read " + file.getFullPathName() + ": not a WAV, AIFF or FLAC file");
    if (reader->numChannels < 1 || reader->numChannels > 2)
        throw CommandError(file.getFileName() + " has " + juce::String(reader->numChannels) +
                           " channels: only mono and stereo are supported");
    if (reader->sampleRate < lowestRate || reader->sampleRate > highestRate)
        throw CommandError(file.getFileName() + ": sample rate " + juce::String(reader->sampleRate) +
                           " Hz is outside 8000 to 384000 Hz");
    if (reader->lengthInSamples > std::numeric_limits<int>::max())
        throw CommandError(file.getFileName() + " is too long");

    Audio audio;
    audio.sampleRate = reader->sampleRate;
    audio.samples.setSize(static_cast<int>(reader->numChannels), static_cast<int>(reader->lengthInSamples));
    if (!reader->read(&audio.samples, 0, audio.samples.getNumSamples(), 0, true, true))
        throw CommandError("cannot read " + file.getFullPathName());
    return audio;
}

void writeWav(const juce::File& file, const juce::AudioBuffer<float>& samples, double sampleRate, int bits)
{
    checkFolder(file);
    juce::TemporaryFile temporary(file);
    bool written = false;
    {
        juce::WavAudioFormat wav;
        std::unique_ptr<juce::OutputStream> stream(temporary.getFile().createOutputStream());
        if (stream != nullptr)
        {
            std::unique_ptr<juce::AudioFormatWriter> writer(wav.createWriterFor(
                stream.get(), sampleRate, static_cast<unsigned int>(samples.getNumChannels()), bits, {}, 0));
            if (writer != nullptr)
            {
                stream.release(); // the writer owns the stream now
                written = writer->writeFromAudioSampleBuffer(samples, 0, samples.getNumSamples());
                writer.reset();
            }
        }
    }
    commit(temporary, written, file);
}

void writeAtomically(const juce::File& file, const juce::MemoryBlock& data)
{
    checkFolder(file);
    juce::TemporaryFile temporary(file);
    commit(temporary, temporary.getFile().replaceWithData(data.getData(), data.getSize()), file);
}
} // namespace AudioFiles
