#pragma once
// Writes mono 32-bit float WAV files (format tag 3), the format of the factory tables.

#include <string>
#include <vector>

namespace TableGen
{
// False when the file cannot be written.
bool writeFloatWav(const std::string& path, const std::vector<float>& samples, int sampleRate = 48000);
} // namespace TableGen
