#include "TableBuilder.h"

#include <algorithm>
#include <cmath>

namespace TableGen
{
std::vector<float> buildTable(const TableDefinition& definition)
{
    const int frames = std::max(1, definition.frames);
    std::vector<float> samples(static_cast<size_t>(frames) * frameLength);
    for (int f = 0; f < frames; ++f)
    {
        const double t = frames > 1 ? static_cast<double>(f) / (frames - 1) : 0.0;
        std::vector<double> frame(frameLength);
        double peak = 0.0;
        for (int i = 0; i < frameLength; ++i)
        {
            const double x = -1.0 + 2.0 * i / (frameLength - 1);
            frame[static_cast<size_t>(i)] = definition.curve(x, t, i);
            peak = std::max(peak, std::abs(frame[static_cast<size_t>(i)]));
        }
        const double scale = definition.normalise && peak > 0.0 ? 1.0 / peak : 1.0;
        for (int i = 0; i < frameLength; ++i)
            samples[static_cast<size_t>(f * frameLength + i)] =
                static_cast<float>(frame[static_cast<size_t>(i)] * scale);
    }
    return samples;
}

std::vector<std::string> checkTable(const TableDefinition& definition, const std::vector<float>& samples)
{
    std::vector<std::string> problems;
    const std::string what = definition.folder + "/" + definition.name + ": ";
    if (samples.empty() || samples.size() % frameLength != 0)
        problems.push_back(what + "not a whole number of 2048-sample frames");
    if (samples.size() > static_cast<size_t>(maxFrames) * frameLength)
        problems.push_back(what + "more than 256 frames");
    for (float s : samples)
        if (!std::isfinite(s) || std::abs(s) > 1.0f)
        {
            problems.push_back(what + "sample not finite or outside [-1, 1]");
            break;
        }
    if (!problems.empty() || definition.shape == Shape::Noisy)
        return problems;

    for (size_t start = 0; start < samples.size(); start += frameLength)
    {
        const float* frame = samples.data() + start;
        const std::string at = what + "frame " + std::to_string(start / frameLength) + ": ";
        for (int i = 1; i < frameLength; ++i)
            if (std::abs(frame[i] - frame[i - 1]) > maxStep)
            {
                problems.push_back(at + "jump at sample " + std::to_string(i));
                break;
            }
        if (definition.shape == Shape::OddSymmetric)
            for (int i = 0; i < frameLength / 2; ++i)
                if (std::abs(frame[i] + frame[frameLength - 1 - i]) > 1.0e-5f)
                {
                    problems.push_back(at + "not odd-symmetric at sample " + std::to_string(i));
                    break;
                }
    }
    return problems;
}
} // namespace TableGen
