#pragma once
// One factory table as the generator sees it: where it goes, how many frames, and its curve.

#include <functional>
#include <string>

namespace TableGen
{
enum class Shape
{
    OddSymmetric, // continuous and f(-x) = -f(x)
    Continuous,   // continuous, any symmetry
    Noisy         // steps or noise allowed
};

struct TableDefinition
{
    std::string folder;
    std::string name;
    int frames = 1;
    Shape shape = Shape::Continuous;
    bool normalise = false; // scale every frame to a peak of exactly 1
    // y for input x in [-1, 1] at morph t in [0, 1] (0 on the first frame, 1 on the last); `sample`
    // is the index within the frame, for deterministic noise.
    std::function<double(double x, double t, int sample)> curve;
};
} // namespace TableGen
