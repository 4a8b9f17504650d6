#pragma once
// Biquad coefficients (a0 = 1) of the filter types, from frequency (Hz), resonance (dB) and gain (dB).

enum BiquadFilterType : int
{
    LowPass = 0,
    HighPass = 1,
    BandPass = 2,
    Notch = 3,
    Peak = 4,
    LowShelf = 5,
    HighShelf = 6,
    AllPass = 7,
};

struct BiquadCoefficients
{
    // Computes the coefficients; a type outside 0..7 leaves them unchanged. The frequency is kept
    // inside (0, 0.49 fs) so that a section stays stable at any sample rate.
    void calculateParams(float frequency, float resonance, float gain, int type);
    // The coefficients in the order the vector biquad takes them.
    const float* asArray() const { return &b0; }

    float sampleRate = 44100.0f;
    float b0 = 1.0f, b1 = 0.0f, b2 = 0.0f, a1 = 0.0f, a2 = 0.0f;
};
