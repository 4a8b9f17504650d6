#pragma once
// Reading the renderer's input (WAV, AIFF, FLAC) and writing its output as WAV without ever leaving
// a partial file behind.

#include <juce_audio_formats/juce_audio_formats.h>

namespace AudioFiles
{
struct Audio
{
    juce::AudioBuffer<float> samples;
    double sampleRate = 0.0;
};

// Throws CommandError for a missing, unreadable or unsupported file, or more than two channels.
Audio read(const juce::File& file);

// Writes through a temporary file in the same folder, renamed over `file` only when complete.
// Throws CommandError when the file cannot be written.
void writeWav(const juce::File& file, const juce::AudioBuffer<float>& samples, double sampleRate, int bits);

// Replaces `file` with `data` the same way.
void writeAtomically(const juce::File& file, const juce::MemoryBlock& data);
} // namespace AudioFiles
