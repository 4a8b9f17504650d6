#include "AudioFiles.h"

#include "Arguments.h"

namespace AudioFiles
{
namespace
{
constexpr double lowestRate = 8000.0, highestRate = 384000.0;
constexpr size_t writeBufferBytes = 1 << 20;

const juce::File& checkedTarget(const juce::File& file)
{
    if (!file.getParentDirectory().isDirectory())
        throw CommandError("cannot write " + file.getFullPathName() + ": no such folder");
    if (file.isDirectory())
        throw CommandError("cannot write " + file.getFullPathName() + ": it is a folder");
    return file;
}

juce::String cannotWrite(const juce::File& file)
{
    return "cannot write " + file.getFullPathName();
}
} // namespace

std::unique_ptr<juce::AudioFormatReader> openReader(const juce::File& file)
{
    if (!file.existsAsFile())
        throw CommandError("no such input file: " + file.getFullPathName());
    juce::AudioFormatManager formats;
    formats.registerFormat(new juce::WavAudioFormat(), true);
    formats.registerFormat(new juce::AiffAudioFormat(), false);
    formats.registerFormat(new juce::FlacAudioFormat(), false);
    std::unique_ptr<juce::AudioFormatReader> reader(formats.createReaderFor(file));
    if (reader == nullptr)
        throw CommandError("cannot read " + file.getFullPathName() + ": not a WAV, AIFF or FLAC file");
    if (reader->numChannels < 1 || reader->numChannels > 2)
        throw CommandError(file.getFileName() + " has " + juce::String(reader->numChannels) +
                           " channels: only mono and stereo are supported");
    if (reader->sampleRate < lowestRate || reader->sampleRate > highestRate)
        throw CommandError(file.getFileName() + ": sample rate " + juce::String(reader->sampleRate) +
                           " Hz is outside 8000 to 384000 Hz");
    return reader;
}

WavFileWriter::WavFileWriter(const juce::File& file, double sampleRate, int channels, int bits)
    : target(file), temporary(checkedTarget(file))
{
    auto stream = std::make_unique<juce::FileOutputStream>(temporary.getFile(), writeBufferBytes);
    if (!stream->openedOk())
        throw CommandError(cannotWrite(file));
    juce::WavAudioFormat wav;
    writer.reset(
        wav.createWriterFor(stream.get(), sampleRate, static_cast<unsigned int>(channels), bits, {}, 0));
    if (writer == nullptr)
    {
        temporary.deleteTemporaryFile();
        throw CommandError(cannotWrite(file));
    }
    stream.release(); // the writer owns it now
}

WavFileWriter::~WavFileWriter()
{
    writer.reset();
    temporary.deleteTemporaryFile();
}

void WavFileWriter::write(const juce::AudioBuffer<float>& audio, int frames)
{
    ok = ok && writer->writeFromAudioSampleBuffer(audio, 0, frames);
}

void WavFileWriter::commit()
{
    ok = ok && writer->flush();
    writer.reset(); // completes the header
    if (!ok || !temporary.overwriteTargetFileWithTemporary())
        throw CommandError(cannotWrite(target));
}

void writeAtomically(const juce::File& file, const juce::MemoryBlock& data)
{
    juce::TemporaryFile temporary(checkedTarget(file));
    if (!temporary.getFile().replaceWithData(data.getData(), data.getSize()) ||
        !temporary.overwriteTargetFileWithTemporary())
    {
        temporary.deleteTemporaryFile();
        throw CommandError(cannotWrite(file));
    }
}
} // namespace AudioFiles
