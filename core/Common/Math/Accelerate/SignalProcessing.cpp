#include "SignalProcessing.h"

#include "BiquadState.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <ctime>

namespace SignalProcessing
{
void init()
{
    std::srand(static_cast<unsigned>(std::time(nullptr)));
}

void add(const float* a, const float* b, float* c, size_t n)
{
    for (size_t i = 0; i < n; ++i)
        c[i] = a[i] + b[i];
}

void add_s(const float* a, float s, float* c, size_t n)
{
    for (size_t i = 0; i < n; ++i)
        c[i] = a[i] + s;
}

void add_s_D(const double* a, double s, double* c, size_t n)
{
    for (size_t i = 0; i < n; ++i)
        c[i] = a[i] + s;
}

void sub(const float* a, const float* b, float* c, size_t n)
{
    for (size_t i = 0; i < n; ++i)
        c[i] = a[i] - b[i];
}

void mul(const float* a, const float* b, float* c, size_t n)
{
    for (size_t i = 0; i < n; ++i)
        c[i] = a[i] * b[i];
}

void mul_s(const float* a, float s, float* c, size_t n)
{
    for (size_t i = 0; i < n; ++i)
        c[i] = a[i] * s;
}

void add_mul(const float* a, const float* b, const float* c, float* d, size_t n)
{
    for (size_t i = 0; i < n; ++i)
        d[i] = (a[i] + b[i]) * c[i];
}

void mul_add(const float* a, const float* b, const float* c, float* d, size_t n)
{
    for (size_t i = 0; i < n; ++i)
        d[i] = a[i] * b[i] + c[i];
}

void mul_add_s(const float* a, const float* b, float s, float* d, size_t n)
{
    for (size_t i = 0; i < n; ++i)
        d[i] = a[i] * b[i] + s;
}

void mul_s_add(const float* a, float s, const float* c, float* d, size_t n)
{
    for (size_t i = 0; i < n; ++i)
        d[i] = a[i] * s + c[i];
}

void mul_s_add_s(const float* a, float s1, float s2, float* d, size_t n)
{
    for (size_t i = 0; i < n; ++i)
        d[i] = a[i] * s1 + s2;
}

void mul_mul_add(const float* a, const float* b, const float* c, const float* d, float* e, size_t n)
{
    for (size_t i = 0; i < n; ++i)
        e[i] = a[i] * b[i] + c[i] * d[i];
}

void div(const float* a, const float* b, float* c, size_t n)
{
    for (size_t i = 0; i < n; ++i)
        c[i] = a[i] / b[i];
}

void s_div(float s, const float* b, float* c, size_t n)
{
    for (size_t i = 0; i < n; ++i)
        c[i] = s / b[i];
}

void div_s(const float* a, float s, float* c, size_t n)
{
    for (size_t i = 0; i < n; ++i)
        c[i] = a[i] / s;
}

void truncToInt(const float* a, float* c, size_t n)
{
    for (size_t i = 0; i < n; ++i)
        c[i] = std::trunc(a[i]);
}

void roundToInt(const float* a, float* c, size_t n)
{
    for (size_t i = 0; i < n; ++i)
        c[i] = std::nearbyint(a[i]);
}

void squareRoot(const float* a, float* c, size_t n)
{
    for (size_t i = 0; i < n; ++i)
        c[i] = std::sqrt(a[i]);
}

void powTwo(float* a, size_t n)
{
    for (size_t i = 0; i < n; ++i)
        a[i] = a[i] * a[i];
}

void pow_s(float* a, float s, const float* c, size_t n)
{
    for (size_t i = 0; i < n; ++i)
        a[i] = std::pow(c[i], s);
}

void pow(float* a, const float* b, const float* c, size_t n)
{
    for (size_t i = 0; i < n; ++i)
        a[i] = std::pow(c[i], b[i]);
}

void clip(const float* a, float lo, float hi, float* c, size_t n)
{
    for (size_t i = 0; i < n; ++i)
        c[i] = a[i] < lo ? lo : (a[i] > hi ? hi : a[i]);
}

void limit(const float* a, float s1, float s2, float* c, size_t n)
{
    for (size_t i = 0; i < n; ++i)
        c[i] = a[i] >= s1 ? s2 : -s2;
}

void threshold(const float* a, float s, float* c, size_t n)
{
    for (size_t i = 0; i < n; ++i)
        c[i] = a[i] >= s ? a[i] : s;
}

void ramp(float start, float step, float* c, size_t n)
{
    for (size_t i = 0; i < n; ++i)
        c[i] = start + static_cast<float>(i) * step;
}

void ramp(double start, double step, double* c, size_t n)
{
    for (size_t i = 0; i < n; ++i)
        c[i] = start + static_cast<double>(i) * step;
}

void frac(float* a, size_t n)
{
    for (size_t i = 0; i < n; ++i)
        a[i] = a[i] - std::trunc(a[i]);
}

void abs(const float* a, float* c, size_t n)
{
    for (size_t i = 0; i < n; ++i)
        c[i] = std::fabs(a[i]);
}

void fill(float* a, float s, size_t n)
{
    std::fill(a, a + n, s);
}

void fill(double* a, double s, size_t n)
{
    std::fill(a, a + n, s);
}

void clear(float* a, size_t n)
{
    std::fill(a, a + n, 0.0f);
}

void clear(double* a, size_t n)
{
    std::fill(a, a + n, 0.0);
}

void tableRead(const float* a, const float* t, size_t m, float* c, size_t n)
{
    const float last = static_cast<float>(m - 1);
    for (size_t i = 0; i < n; ++i)
    {
        const float p = a[i];
        if (!(p > 0.0f)) // also catches NaN positions
            c[i] = t[0];
        else if (p >= last)
            c[i] = t[m - 1];
        else
        {
            const auto k = static_cast<size_t>(p);
            const float f = p - static_cast<float>(k);
            c[i] = t[k] + f * (t[k + 1] - t[k]);
        }
    }
}

void cos(const float* a, float* c, size_t n)
{
    for (size_t i = 0; i < n; ++i)
        c[i] = std::cos(a[i]);
}

void sin(const float* a, float* c, size_t n)
{
    for (size_t i = 0; i < n; ++i)
        c[i] = std::sin(a[i]);
}

void tanh(const float* a, float* c, size_t n)
{
    for (size_t i = 0; i < n; ++i)
        c[i] = std::tanh(a[i]);
}

void atan(const float* a, float* c, size_t n)
{
    for (size_t i = 0; i < n; ++i)
        c[i] = std::atan(a[i]);
}

void exp(const float* a, float* c, size_t n)
{
    for (size_t i = 0; i < n; ++i)
        c[i] = std::exp(a[i]);
}

void log(const float* a, float* c, size_t n)
{
    for (size_t i = 0; i < n; ++i)
        c[i] = std::log(a[i]);
}

void log_ten(const float* a, float* c, size_t n)
{
    for (size_t i = 0; i < n; ++i)
        c[i] = std::log10(a[i]);
}

void peak(const float* a, float& r, size_t n)
{
    float m = 0.0f;
    for (size_t i = 0; i < n; ++i)
        m = std::max(m, std::fabs(a[i]));
    r = m;
}

void minMax(const float* a, float& rMin, float& rMax, size_t n)
{
    if (n == 0)
    {
        rMin = rMax = 0.0f;
        return;
    }
    float lo = a[0], hi = a[0];
    for (size_t i = 1; i < n; ++i)
    {
        lo = std::min(lo, a[i]);
        hi = std::max(hi, a[i]);
    }
    rMin = lo;
    rMax = hi;
}

void max(const float* a, float& r, size_t n)
{
    float lo = 0.0f;
    minMax(a, lo, r, n);
}

void min(const float* a, float& r, size_t n)
{
    float hi = 0.0f;
    minMax(a, r, hi, n);
}

void max_index(const float* a, float& r, size_t& i, size_t n)
{
    r = n > 0 ? a[0] : 0.0f;
    i = 0;
    for (size_t k = 1; k < n; ++k)
        if (a[k] > r)
        {
            r = a[k];
            i = k;
        }
}

void min_index(const float* a, float& r, size_t& i, size_t n)
{
    r = n > 0 ? a[0] : 0.0f;
    i = 0;
    for (size_t k = 1; k < n; ++k)
        if (a[k] < r)
        {
            r = a[k];
            i = k;
        }
}

void min_compare(const float* a, const float* b, float* c, size_t n)
{
    for (size_t i = 0; i < n; ++i)
        c[i] = std::min(a[i], b[i]);
}

void max_compare(const float* a, const float* b, float* c, size_t n)
{
    for (size_t i = 0; i < n; ++i)
        c[i] = std::max(a[i], b[i]);
}

void zero_crossings_index(const float* a, size_t limit, size_t& lastIndex, size_t& count, size_t n)
{
    count = 0;
    lastIndex = 0;
    for (size_t i = 1; i < n && count < limit; ++i)
        if ((a[i - 1] < 0.0f) != (a[i] < 0.0f))
        {
            lastIndex = i;
            ++count;
        }
}

void rms(const float* a, float& r, size_t n)
{
    if (n == 0)
    {
        r = 0.0f;
        return;
    }
    double sum = 0.0;
    for (size_t i = 0; i < n; ++i)
        sum += static_cast<double>(a[i]) * a[i];
    r = static_cast<float>(std::sqrt(sum / static_cast<double>(n)));
}

void mod(const float* a, const float* b, float* c, size_t n)
{
    for (size_t i = 0; i < n; ++i)
        c[i] = std::fmod(a[i], b[i]);
}

void interleaveStereo(const float* l, const float* r, float* c, size_t n)
{
    for (size_t i = 0; i < n; ++i)
    {
        c[2 * i] = l[i];
        c[2 * i + 1] = r[i];
    }
}

void doubleToFloat(const double* a, float* c, size_t n)
{
    for (size_t i = 0; i < n; ++i)
        c[i] = static_cast<float>(a[i]);
}

void reverse(float* a, size_t n)
{
    std::reverse(a, a + n);
}

void biquad(const float* x, const float* coefficients, float* y, size_t n, BiquadState* state)
{
    const float b0 = coefficients[0], b1 = coefficients[1], b2 = coefficients[2];
    const float a1 = coefficients[3], a2 = coefficients[4];
    float x1 = state->x1, x2 = state->x2, y1 = state->y1, y2 = state->y2;
    for (size_t k = 0; k < n; ++k)
    {
        const float in = x[k];
        const float out = b0 * in + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
        x2 = x1;
        x1 = in;
        y2 = y1;
        y1 = out;
        y[k] = out;
    }
    state->x1 = x1;
    state->x2 = x2;
    state->y1 = y1;
    state->y2 = y2;
}

BiquadState* biquad_createState()
{
    return new BiquadState();
}

void biquad_destroyState(BiquadState* state)
{
    delete state;
}
} // namespace SignalProcessing
