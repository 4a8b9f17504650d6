#include "CurveMath.h"
#include "FactoryTables.h"
#include "TableBuilder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <set>

using namespace TableGen;

namespace
{
const TableDefinition& find(const std::string& folder, const std::string& name)
{
    for (const auto& t : factoryTables())
        if (t.folder == folder && t.name == name)
            return t;
    throw std::runtime_error("no table " + folder + "/" + name);
}

// Share of harmonic k in the first 16 harmonics (by amplitude over their root sum of squares) when a
// full-scale sine goes through one frame.
double harmonicLevel(const std::vector<float>& samples, int frame, int k)
{
    constexpr int n = 4096;
    std::vector<std::complex<double>> bins(17);
    const float* f = samples.data() + frame * frameLength;
    for (int i = 0; i < n; ++i)
    {
        const double phase = 2.0 * pi * i / n;
        const double position = (std::sin(phase) + 1.0) * 0.5 * (frameLength - 1);
        const int lo = std::min(static_cast<int>(position), frameLength - 2);
        const double y = f[lo] + (f[lo + 1] - f[lo]) * (position - lo);
        for (int h = 1; h <= 16; ++h)
            bins[static_cast<size_t>(h)] += y * std::polar(1.0, -h * phase);
    }
    double total = 0.0;
    for (int h = 1; h <= 16; ++h)
        total += std::norm(bins[static_cast<size_t>(h)]);
    return std::abs(bins[static_cast<size_t>(k)]) / std::sqrt(total);
}
} // namespace

TEST(TableCheck, FindsEachKindOfFault)
{
    struct Case
    {
        const char* what;
        TableDefinition definition;
        const char* problem;
    };
    const std::vector<Case> cases{
        {"jump",
         {"T", "jump", 1, Shape::Continuous, false, [](double x, double, int) { return x < 0 ? -0.5 : 0.5; }},
         "jump at sample 1024"},
        {"not odd",
         {"T", "even", 1, Shape::OddSymmetric, false, [](double x, double, int) { return x * x; }},
         "not odd-symmetric"},
        {"too loud",
         {"T", "loud", 1, Shape::Noisy, false, [](double x, double, int) { return 1.5 * x; }},
         "outside [-1, 1]"},
        {"not finite",
         {"T", "nan", 1, Shape::Noisy, false, [](double x, double, int) { return std::log(x); }},
         "not finite"},
        {"too long",
         {"T", "long", 257, Shape::Continuous, false, [](double x, double, int) { return x; }},
         "more than 256 frames"},
    };
    for (const auto& c : cases)
    {
        const auto problems = checkTable(c.definition, buildTable(c.definition));
        ASSERT_EQ(problems.size(), 1u) << c.what;
        EXPECT_NE(problems[0].find(c.problem), std::string::npos) << c.what << ": " << problems[0];
    }
    const TableDefinition steps{
        "T", "steps", 1, Shape::Noisy, false, [](double x, double, int) { return x < 0 ? -0.5 : 0.5; }};
    EXPECT_TRUE(checkTable(steps, buildTable(steps)).empty()) << "noisy tables may jump";
}

TEST(FactoryTables, AreSoundDistinctAndInTheSixFolders)
{
    const std::set<std::string> folders{"Basics", "Emulation", "Noisy", "Spectral", "Utilitary", "Vocal"};
    std::set<std::string> names, seenFolders;
    std::vector<std::vector<float>> all;
    for (const auto& t : factoryTables())
    {
        SCOPED_TRACE(t.folder + "/" + t.name);
        EXPECT_TRUE(folders.count(t.folder));
        seenFolders.insert(t.folder);
        EXPECT_TRUE(names.insert(t.folder + "/" + t.name).second) << "duplicate";
        EXPECT_TRUE(t.frames == 1 || (t.frames >= 8 && t.frames <= 256));
        const auto samples = buildTable(t);
        EXPECT_EQ(checkTable(t, samples), std::vector<std::string>{});

        // A multi-frame table morphs: neighbouring frames stay close, the ends differ.
        if (t.frames > 1 && t.shape != Shape::Noisy)
        {
            double largestStep = 0.0, endToEnd = 0.0;
            for (int f = 1; f < t.frames; ++f)
                for (int i = 0; i < frameLength; ++i)
                    largestStep =
                        std::max(largestStep, std::abs(static_cast<double>(samples[f * frameLength + i]) -
                                                       samples[(f - 1) * frameLength + i]));
            for (int i = 0; i < frameLength; ++i)
                endToEnd = std::max(
                    endToEnd,
                    std::abs(static_cast<double>(samples[(t.frames - 1) * frameLength + i]) - samples[i]));
            EXPECT_LT(largestStep, 0.35);
            EXPECT_GT(endToEnd, 0.1);
        }
        all.push_back(samples);
    }
    EXPECT_EQ(seenFolders, folders);
    EXPECT_GE(names.size(), 40u);
    EXPECT_LE(names.size(), 60u);
    for (size_t a = 0; a < all.size(); ++a)
        for (size_t b = a + 1; b < all.size(); ++b)
            EXPECT_FALSE(all[a] == all[b]) << factoryTables()[a].name << " = " << factoryTables()[b].name;
}

TEST(FactoryTables, SoftClip1LeavesQuietSignalsAloneAndBendsLoudOnes)
{
    const auto samples = buildTable(find("Basics", "Soft Clip 1"));
    for (int i = 1; i < frameLength; ++i)
    {
        const double x = -1.0 + 2.0 * i / (frameLength - 1);
        EXPECT_GT(samples[i], samples[i - 1]) << "monotonic";
        if (std::abs(x) < 0.4)
            EXPECT_NEAR(samples[i], x, 1.0e-6);
    }
    EXPECT_LT(samples[frameLength - 1], 0.95f);
    EXPECT_GT(samples[frameLength - 1], 0.8f);
}

TEST(FactoryTables, HarmonicTablesAddTheHarmonicsTheyName)
{
    const auto even = buildTable(find("Spectral", "Even Harmonics"));
    const auto odd = buildTable(find("Spectral", "Odd Harmonics"));
    const auto third = buildTable(find("Spectral", "Harmonic 3"));
    EXPECT_LT(harmonicLevel(even, 0, 2), 1.0e-3) << "first frame is clean";
    EXPECT_GT(harmonicLevel(even, 15, 2), 0.1);
    EXPECT_GT(harmonicLevel(even, 15, 4), 0.05);
    EXPECT_LT(harmonicLevel(odd, 15, 2), 1.0e-3);
    EXPECT_GT(harmonicLevel(odd, 15, 3), 0.1);
    EXPECT_GT(harmonicLevel(third, 15, 3), 0.99) << "the last frame is T3: all third harmonic";
}
