#pragma once
// Whole-buffer vector operations on 32-bit floats: the arithmetic every processing block is written in.
// All strides are 1 and in-place use (output equal to an input) is allowed everywhere.

#include <cstddef>

class BiquadState;

namespace SignalProcessing
{
void init();

void add(const float* a, const float* b, float* c, size_t n);
void add_s(const float* a, float s, float* c, size_t n);
void add_s_D(const double* a, double s, double* c, size_t n);
void sub(const float* a, const float* b, float* c, size_t n);
void mul(const float* a, const float* b, float* c, size_t n);
void mul_s(const float* a, float s, float* c, size_t n);
void add_mul(const float* a, const float* b, const float* c, float* d, size_t n);
void mul_add(const float* a, const float* b, const float* c, float* d, size_t n);
void mul_add_s(const float* a, const float* b, float s, float* d, size_t n);
void mul_s_add(const float* a, float s, const float* c, float* d, size_t n);
void mul_s_add_s(const float* a, float s1, float s2, float* d, size_t n);
void mul_mul_add(const float* a, const float* b, const float* c, const float* d, float* e, size_t n);
void div(const float* a, const float* b, float* c, size_t n);
void s_div(float s, const float* b, float* c, size_t n);
void div_s(const float* a, float s, float* c, size_t n);
void truncToInt(const float* a, float* c, size_t n);
void roundToInt(const float* a, float* c, size_t n);
void squareRoot(const float* a, float* c, size_t n);
void powTwo(float* a, size_t n);
// The first argument receives the result: a = c^s and a = c^b.
void pow_s(float* a, float s, const float* c, size_t n);
void pow(float* a, const float* b, const float* c, size_t n);
void clip(const float* a, float lo, float hi, float* c, size_t n);
void limit(const float* a, float s1, float s2, float* c, size_t n);
void threshold(const float* a, float s, float* c, size_t n);
void ramp(float start, float step, float* c, size_t n);
void ramp(double start, double step, double* c, size_t n);
void frac(float* a, size_t n);
void abs(const float* a, float* c, size_t n);
void fill(float* a, float s, size_t n);
void fill(double* a, double s, size_t n);
void clear(float* a, size_t n);
void clear(double* a, size_t n);
// Reads table t of m entries at positions a with linear interpolation, holding the end values outside.
void tableRead(const float* a, const float* t, size_t m, float* c, size_t n);
void cos(const float* a, float* c, size_t n);
void sin(const float* a, float* c, size_t n);
void tanh(const float* a, float* c, size_t n);
void atan(const float* a, float* c, size_t n);
void exp(const float* a, float* c, size_t n);
void log(const float* a, float* c, size_t n);
void log_ten(const float* a, float* c, size_t n);
void peak(const float* a, float& r, size_t n);
void minMax(const float* a, float& rMin, float& rMax, size_t n);
void max(const float* a, float& r, size_t n);
void min(const float* a, float& r, size_t n);
void max_index(const float* a, float& r, size_t& i, size_t n);
void min_index(const float* a, float& r, size_t& i, size_t n);
void min_compare(const float* a, const float* b, float* c, size_t n);
void max_compare(const float* a, const float* b, float* c, size_t n);
// Finds up to limit sign changes of a; lastIndex receives the index of the last one found.
void zero_crossings_index(const float* a, size_t limit, size_t& lastIndex, size_t& count, size_t n);
void rms(const float* a, float& r, size_t n);
void mod(const float* a, const float* b, float* c, size_t n);
void interleaveStereo(const float* l, const float* r, float* c, size_t n);
void doubleToFloat(const double* a, float* c, size_t n);
void reverse(float* a, size_t n);

// One direct-form-I biquad section; coefficients are b0, b1, b2, a1, a2 with a0 = 1.
void biquad(const float* x, const float* coefficients, float* y, size_t n, BiquadState* state);
// Two sections with the same coefficients in series: the same result as two biquad calls.
void biquadCascade(const float* x, const float* coefficients, float* y, size_t n, BiquadState* first,
                   BiquadState* second);
// The cascade on two channels at once (left and right share the coefficients).
void biquadCascadeStereo(float* left, float* right, const float* coefficients, size_t n, BiquadState* left1,
                         BiquadState* left2, BiquadState* right1, BiquadState* right2);
BiquadState* biquad_createState();
void biquad_destroyState(BiquadState* state);
} // namespace SignalProcessing
