#include "FactoryTables.h"

#include "CurveMath.h"

#include <array>

namespace TableGen
{
namespace
{
constexpr Shape odd_ = Shape::OddSymmetric;
constexpr Shape any_ = Shape::Continuous;
constexpr Shape noisy_ = Shape::Noisy;

// Linear up to the knee, then a tanh shoulder with matching slope.
double kneeClip(double x, double knee)
{
    return odd(x, [knee](double a)
               { return a <= knee ? a : knee + (1.0 - knee) * std::tanh((a - knee) / (1.0 - knee)); });
}

double tanhDrive(double x, double drive)
{
    return std::tanh(drive * x) / std::tanh(drive);
}

double cubicClip(double x)
{
    const double u = clamp1(x);
    return 1.5 * u - 0.5 * u * u * u;
}

double triangleFold(double x)
{
    // Reflects at +-1: a triangle wave of period 4 through the origin.
    const double p = std::fmod(x + 1.0, 4.0);
    const double q = p < 0.0 ? p + 4.0 : p;
    return q < 2.0 ? q - 1.0 : 3.0 - q;
}

double staircase(double x, double levels)
{
    return odd(x, [levels](double a) { return std::floor(a * levels + 0.5) / levels; });
}

// A sine series whose harmonic amplitudes follow formant resonances: the curve of a vowel.
struct Formants
{
    std::array<double, 3> frequency;
};

const std::array<Formants, 5> vowels{{{{730.0, 1090.0, 2440.0}},  // a
                                      {{530.0, 1840.0, 2480.0}},  // e
                                      {{270.0, 2290.0, 3010.0}},  // i
                                      {{570.0, 840.0, 2410.0}},   // o
                                      {{300.0, 870.0, 2240.0}}}}; // u

double formantCurve(double x, const Formants& f)
{
    constexpr double fundamental = 110.0;
    constexpr std::array<double, 3> gain{1.0, 0.5, 0.25};
    constexpr std::array<double, 3> bandwidth{90.0, 110.0, 160.0};
    double y = 0.0;
    for (int k = 1; k <= 32; ++k)
    {
        double a = 0.0;
        for (size_t m = 0; m < 3; ++m)
        {
            const double d = (k * fundamental - f.frequency[m]) / bandwidth[m];
            a += gain[m] / (1.0 + d * d);
        }
        y += a / k * std::sin(k * pi * 0.5 * x);
    }
    return y;
}

Formants morphVowels(double t)
{
    const double p = t * (vowels.size() - 1);
    const size_t i = std::min(static_cast<size_t>(p), vowels.size() - 2);
    const double w = p - static_cast<double>(i);
    Formants f{};
    for (size_t m = 0; m < 3; ++m)
        f.frequency[m] = lerp(vowels[i].frequency[m], vowels[i + 1].frequency[m], w);
    return f;
}

// Crossfade through the Chebyshev polynomials T1..T9 as t goes from 0 to 1.
double harmonicSweep(double x, double t)
{
    const double p = t * 8.0;
    const int n = std::min(static_cast<int>(p), 7);
    const double w = p - n;
    return lerp(harmonic(n + 1, x), harmonic(n + 2, x), w);
}
} // namespace

const std::vector<TableDefinition>& factoryTables()
{
    static const std::vector<TableDefinition> tables{
        // Basics: the everyday clips.
        {"Basics", "Soft Clip 1", 1, odd_, false, [](double x, double, int) { return kneeClip(x, 0.5); }},
        {"Basics", "Soft Clip 2", 1, odd_, false, [](double x, double, int) { return tanhDrive(x, 2.5); }},
        {"Basics", "Tanh", 16, odd_, false,
         [](double x, double t, int) { return tanhDrive(x, lerp(1.0, 10.0, t * t)); }},
        {"Basics", "Arctan", 16, odd_, false,
         [](double x, double t, int)
         {
             const double d = lerp(1.0, 20.0, t * t);
             return std::atan(d * x) / std::atan(d);
         }},
        {"Basics", "Cubic", 1, odd_, false, [](double x, double, int) { return cubicClip(x); }},
        {"Basics", "Hard Clip", 32, odd_, false,
         [](double x, double t, int) { return clamp1(lerp(1.0, 8.0, t) * x); }},
        {"Basics", "Soft To Hard", 32, odd_, true,
         [](double x, double t, int)
         {
             const double p = lerp(1.0, 24.0, t);
             return 3.0 * x / std::pow(1.0 + std::pow(std::abs(3.0 * x), p), 1.0 / p);
         }},
        {"Basics", "Asymmetric Clip", 1, any_, true,
         [](double x, double, int) { return x >= 0.0 ? std::tanh(2.0 * x) : std::max(-0.7, 1.6 * x); }},
        {"Basics", "Sine Clip", 1, odd_, false, [](double x, double, int) { return std::sin(0.5 * pi * x); }},
        {"Basics", "Power Curve", 8, odd_, false,
         [](double x, double t, int)
         { return odd(x, [t](double a) { return std::pow(a, lerp(1.0, 0.5, t)); }); }},

        // Emulation: curves in the manner of circuits and media.
        {"Emulation", "Tube Warm", 16, any_, true,
         [](double x, double t, int)
         {
             const double bias = lerp(0.0, 0.6, t);
             return std::tanh(2.0 * (x + bias)) - std::tanh(2.0 * bias);
         }},
        {"Emulation", "Triode", 1, any_, true,
         [](double x, double, int)
         {
             return x >= 0.0 ? (1.0 - std::exp(-3.0 * x)) / (1.0 - std::exp(-3.0))
                             : -0.8 * (1.0 - std::exp(1.5 * x)) / (1.0 - std::exp(-1.5));
         }},
        {"Emulation", "Tape", 16, odd_, false,
         [](double x, double t, int)
         {
             const double d = lerp(0.5, 6.0, t);
             return odd(x, [d](double a) { return (1.0 - std::exp(-d * a)) / (1.0 - std::exp(-d)); });
         }},
        {"Emulation", "Diode", 8, any_, true,
         [](double x, double t, int)
         {
             const double k = lerp(2.0, 12.0, t);
             return (std::log1p(std::exp(k * x)) - std::log(2.0)) / k;
         }},
        {"Emulation", "Transistor", 1, any_, true,
         [](double x, double, int) { return x >= 0.0 ? tanhDrive(x, 3.0) : 0.85 * tanhDrive(x, 1.5); }},
        {"Emulation", "Fuzz", 16, any_, true,
         [](double x, double t, int)
         {
             const double g = lerp(2.0, 40.0, t * t);
             const double v = x + 0.08;
             return sign(v) * (1.0 - std::exp(-g * std::abs(v))) - (1.0 - std::exp(-g * 0.08));
         }},
        {"Emulation", "Germanium", 1, any_, true,
         [](double x, double, int) { return std::tanh(6.0 * (x + 0.12)) - std::tanh(0.72); }},
        {"Emulation", "Transformer", 1, any_, true,
         [](double x, double, int) { return std::tanh(1.5 * x) + 0.12 * x * x; }},
        {"Emulation", "Overdrive", 8, odd_, false,
         [](double x, double t, int) { return cubicClip(lerp(1.0, 6.0, t) * x); }},

        // Noisy: grain, steps and dirt.
        {"Noisy", "Grit", 8, noisy_, false,
         [](double x, double t, int i) { return clamp1(x + lerp(0.01, 0.2, t) * noise(11, i)); }},
        {"Noisy", "Bit Crush", 16, noisy_, false,
         [](double x, double t, int) { return staircase(x, std::round(std::pow(2.0, lerp(8.0, 2.0, t)))); }},
        {"Noisy", "8 Bit", 1, noisy_, false, [](double x, double, int) { return staircase(x, 128.0); }},
        {"Noisy", "Sample Hold", 8, noisy_, false,
         [](double, double t, int i)
         {
             // Holds the input of one sample, picked at random, across each cell of `hold` samples.
             const int hold = 1 << static_cast<int>(std::lround(lerp(2.0, 7.0, t)));
             const int cell = i / hold;
             const int held = cell * hold + static_cast<int>((noise(71, cell) + 1.0) * 0.5 * (hold - 1));
             return -1.0 + 2.0 * held / 2047.0;
         }},
        {"Noisy", "Static", 1, noisy_, true,
         [](double x, double, int i) { return tanhDrive(x, 2.0) * (1.0 + 0.3 * noise(23, i)); }},
        {"Noisy", "Crackle", 1, noisy_, false,
         [](double x, double, int i)
         {
             const double n = noise(31, i);
             return clamp1(x + (std::abs(n) > 0.97 ? 0.6 * n : 0.0));
         }},
        {"Noisy", "Dust", 8, noisy_, false,
         [](double x, double t, int i)
         { return clamp1(x + lerp(0.02, 0.3, t) * smoothNoise(47, i / 24.0)); }},
        {"Noisy", "Broken", 32, noisy_, true,
         [](double x, double t, int i) { return lerp(x, smoothNoise(59, i / 64.0) + 0.5 * x, t); }},

        // Spectral: chosen harmonics and folders.
        {"Spectral", "Harmonic 2", 16, any_, true,
         [](double x, double t, int) { return lerp(x, x + 0.5 * harmonic(2, x), t); }},
        {"Spectral", "Harmonic 3", 16, odd_, true,
         [](double x, double t, int) { return lerp(x, chebyshev(3, x), t); }},
        {"Spectral", "Harmonic 5", 16, odd_, true,
         [](double x, double t, int) { return lerp(x, chebyshev(5, x), t); }},
        {"Spectral", "Even Harmonics", 16, any_, true,
         [](double x, double t, int)
         { return x + t * (0.6 * harmonic(2, x) + 0.3 * harmonic(4, x) + 0.15 * harmonic(6, x)); }},
        {"Spectral", "Odd Harmonics", 16, odd_, true,
         [](double x, double t, int)
         { return x + t * (0.6 * chebyshev(3, x) + 0.3 * chebyshev(5, x) + 0.15 * chebyshev(7, x)); }},
        {"Spectral", "Harmonic Sweep", 128, any_, true,
         [](double x, double t, int) { return harmonicSweep(x, t); }},
        {"Spectral", "Sine Fold", 64, odd_, false,
         [](double x, double t, int) { return std::sin(0.5 * pi * lerp(1.0, 8.0, t) * x); }},
        {"Spectral", "Triangle Fold", 64, odd_, false,
         [](double x, double t, int) { return triangleFold(lerp(1.0, 8.0, t) * x); }},
        {"Spectral", "Phase Fold", 32, odd_, true,
         [](double x, double t, int)
         { return std::sin(0.5 * pi * (2.0 * x + lerp(0.0, 3.0, t) * std::sin(3.0 * pi * x))); }},

        // Utilitary: plain tools.
        {"Utilitary", "Identity", 1, odd_, false, [](double x, double, int) { return x; }},
        {"Utilitary", "Gain +3dB", 1, odd_, false,
         [](double x, double, int) { return clamp1(1.4125375446 * x); }},
        {"Utilitary", "Gain -6dB", 1, odd_, false, [](double x, double, int) { return 0.5011872336 * x; }},
        {"Utilitary", "Invert", 1, odd_, false, [](double x, double, int) { return -x; }},
        {"Utilitary", "Half Wave", 1, any_, false, [](double x, double, int) { return std::max(0.0, x); }},
        {"Utilitary", "Full Wave", 1, any_, false, [](double x, double, int) { return std::abs(x); }},
        {"Utilitary", "Gate", 16, odd_, false,
         [](double x, double t, int)
         {
             const double threshold = lerp(0.01, 0.3, t);
             return std::abs(x) >= threshold ? x : x * (x / threshold) * (x / threshold);
         }},

        // Vocal: curves from vowel spectra.
        {"Vocal", "Vowel A", 1, odd_, true, [](double x, double, int) { return formantCurve(x, vowels[0]); }},
        {"Vocal", "Vowel I", 1, odd_, true, [](double x, double, int) { return formantCurve(x, vowels[2]); }},
        {"Vocal", "Vowel O", 1, odd_, true, [](double x, double, int) { return formantCurve(x, vowels[3]); }},
        {"Vocal", "Vowels", 64, odd_, true,
         [](double x, double t, int) { return formantCurve(x, morphVowels(t)); }},
        {"Vocal", "Formant Sweep", 128, odd_, true,
         [](double x, double t, int)
         {
             const double f = 200.0 * std::pow(15.0, t);
             return formantCurve(x, Formants{{f, 2.2 * f, 3.6 * f}});
         }},
        {"Vocal", "Throat", 1, odd_, true,
         [](double x, double, int) {
             return formantCurve(x, Formants{{250.0, 600.0, 2600.0}}) + 0.5 * std::tanh(3.0 * x);
         }},
    };
    return tables;
}
} // namespace TableGen
