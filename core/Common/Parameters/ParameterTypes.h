#pragma once
// Units, flags, sync rates and curve-function types shared by the parameter model.

#include <cstdint>
#include <string>

enum ParameterUnit : int
{
    Plain = 0,
    Integer = 1,
    OnOff = 2,
    Percent = 3,
    Seconds = 4,
    Milliseconds = 5,
    Degrees = 6,
    Rate = 7,
    Frequency = 8,
    Decibels = 10,
};

enum ParameterFlags : int
{
    NotRamped = 2,
    LinearFrequency = 4,
    ShowAsFrequency = 16,
    StoreAsText = 32,
    RawFeedback = 128,
};

namespace QuarneDSP
{
// A musical rate as a fraction of a bar.
struct SyncRate
{
    int32_t numerator = 1;
    int32_t denominator = 1;

    bool operator==(const SyncRate& other) const
    {
        return numerator == other.numerator && denominator == other.denominator;
    }
};
} // namespace QuarneDSP

// Maps n values in place between the normalised range 0..1 and the user range min..max.
using CurveFunction = void (*)(float min, float max, float* data, size_t n);
// Text of an index for choice parameters.
using IndexToStringFunction = std::string (*)(int index);
