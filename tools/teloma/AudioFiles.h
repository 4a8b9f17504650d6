#pragma once
// The renderer's files: input read from WAV, AIFF or FLAC, output written as WAV through a
// temporary file that replaces the target only when complete, so no partial file is ever left.

#include <juce_audio_formats/juce_audio_formats.h>

namespace AudioFiles
{
// Throws CommandError for a missing, unreadable or unsupported file, more than two channels or an
// unsupported sample rate.
std::unique_ptr<juce::AudioFormatReader> openReader(const juce::File& file);

class WavFileWriter
{
public:
    // Throws CommandError when the file cannot be written.
    WavFileWriter(const juce::File& file, double sampleRate, int channels, int bits);
    // Removes the temporary file unless commit() succeeded.
    ~WavFileWriter();

    void write(const juce::AudioBuffer<float>& audio, int frames);
    // Finishes the file and moves it into place.
    void commit();

private:
    const juce::File target;
    juce::TemporaryFile temporary;
    std::unique_ptr<juce::AudioFormatWriter> writer;
    bool ok = true;
};

// Replaces `file` with `data` the same way.
void writeAtomically(const juce::File& file, const juce::MemoryBlock& data);
} // namespace AudioFiles
