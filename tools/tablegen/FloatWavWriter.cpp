#include "FloatWavWriter.h"

#include <cstdint>
#include <cstring>
#include <fstream>

namespace TableGen
{
namespace
{
void put32(std::ofstream& out, uint32_t v)
{
    const char bytes[4] = {static_cast<char>(v & 0xff), static_cast<char>((v >> 8) & 0xff),
                           static_cast<char>((v >> 16) & 0xff), static_cast<char>((v >> 24) & 0xff)};
    out.write(bytes, 4);
}

void put16(std::ofstream& out, uint16_t v)
{
    const char bytes[2] = {static_cast<char>(v & 0xff), static_cast<char>((v >> 8) & 0xff)};
    out.write(bytes, 2);
}
} // namespace

bool writeFloatWav(const std::string& path, const std::vector<float>& samples, int sampleRate)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out)
        return false;
    const auto dataBytes = static_cast<uint32_t>(samples.size() * 4);
    out.write("RIFF", 4);
    put32(out, 4 + (8 + 16) + (8 + 4) + (8 + dataBytes));
    out.write("WAVE", 4);
    out.write("fmt ", 4);
    put32(out, 16);
    put16(out, 3); // IEEE float
    put16(out, 1);
    put32(out, static_cast<uint32_t>(sampleRate));
    put32(out, static_cast<uint32_t>(sampleRate) * 4);
    put16(out, 4);
    put16(out, 32);
    out.write("fact", 4);
    put32(out, 4);
    put32(out, static_cast<uint32_t>(samples.size()));
    out.write("data", 4);
    put32(out, dataBytes);
    for (float s : samples)
    {
        uint32_t bits;
        std::memcpy(&bits, &s, 4);
        put32(out, bits);
    }
    return static_cast<bool>(out.flush());
}
} // namespace TableGen
