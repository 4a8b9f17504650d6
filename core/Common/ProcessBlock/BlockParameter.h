#pragma once
// How a block receives one parameter for one call: a constant, or a per-sample buffer.

#include "Common/Math/Accelerate/SignalProcessing.h"

#include <algorithm>
#include <cstddef>

struct BlockParameter
{
    float value = 0.0f;
    const float* buffer = nullptr;
    bool useBuffer = false;

    static BlockParameter constant(float v) { return {v, nullptr, false}; }
    // A buffer parameter; a null buffer falls back to the value 0.
    static BlockParameter fromBuffer(const float* b) { return {0.0f, b, b != nullptr}; }

    float first() const { return useBuffer ? buffer[0] : value; }
    float at(size_t i) const { return useBuffer ? buffer[i] : value; }

    // True when the parameter is the same for every sample of an n-sample call.
    bool isConstant(size_t n) const
    {
        if (!useBuffer)
            return true;
        float lo = 0.0f, hi = 0.0f;
        SignalProcessing::minMax(buffer, lo, hi, n);
        return lo == hi;
    }

    // True when the parameter is 0 for every sample of an n-sample call.
    bool isZero(size_t n) const { return first() == 0.0f && isConstant(n); }

    // Writes the parameter's n values into out (a copy of the buffer, or the constant).
    void read(float* out, size_t n) const
    {
        if (useBuffer)
            std::copy(buffer, buffer + n, out);
        else
            SignalProcessing::fill(out, value, n);
    }
};
