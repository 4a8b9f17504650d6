#pragma once
// History of one biquad section: the last two inputs and outputs, carried from call to call.

class BiquadState
{
public:
    BiquadState() = default;
    virtual ~BiquadState() = default;

    // Zeroes the history.
    virtual void clear();
    // Keeps each history value only if 1e-15 < |v| < 1e15: flushes denormals and recovers from
    // blow-ups and non-finite input.
    virtual void clearBadStateValue();

    float x1 = 0.0f, x2 = 0.0f; // x[k-1], x[k-2]
    float y1 = 0.0f, y2 = 0.0f; // y[k-1], y[k-2]
};
