#include "SignalProcessing.h"

#include "BiquadState.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstdint>
#include <ctime>
#include <utility>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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
    size_t i = 0;
#if defined(__SSE2__)
    // max(a, lo) returns lo for a NaN sample, so a clipped buffer is always finite.
    const __m128 low = _mm_set1_ps(lo), high = _mm_set1_ps(hi);
    for (; i + 4 <= n; i += 4)
        _mm_storeu_ps(c + i, _mm_min_ps(_mm_max_ps(_mm_loadu_ps(a + i), low), high));
#endif
    for (; i < n; ++i)
        c[i] = a[i] > lo ? (a[i] > hi ? hi : a[i]) : lo;
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
    size_t i = 0;
#if defined(__SSE2__)
    // Values of 2^23 and more are whole numbers: their fraction is 0.
    const __m128 signMask = _mm_castsi128_ps(_mm_set1_epi32(0x7fffffff));
    const __m128 whole = _mm_set1_ps(8388608.0f);
    for (; i + 4 <= n; i += 4)
    {
        const __m128 v = _mm_loadu_ps(a + i);
        const __m128 small = _mm_cmplt_ps(_mm_and_ps(v, signMask), whole);
        const __m128 truncated = _mm_cvtepi32_ps(_mm_cvttps_epi32(_mm_and_ps(v, small)));
        _mm_storeu_ps(a + i, _mm_and_ps(_mm_sub_ps(v, truncated), small));
    }
#endif
    for (; i < n; ++i)
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
    if (m < 2)
    {
        fill(c, t[0], n);
        return;
    }
    const float last = static_cast<float>(m - 1);
    const size_t lastPair = m - 2;
    size_t i = 0;
#if defined(__SSE2__)
    const __m128 zero = _mm_setzero_ps(), top = _mm_set1_ps(last);
    const __m128i topPair = _mm_set1_epi32(static_cast<int>(lastPair));
    alignas(16) int32_t index[4];
    for (; i + 4 <= n; i += 4)
    {
        const __m128 p = _mm_min_ps(_mm_max_ps(_mm_loadu_ps(a + i), zero), top);
        __m128i k = _mm_cvttps_epi32(p);
        // k = min(k, m - 2), so that k + 1 stays inside the table.
        const __m128i over = _mm_cmpgt_epi32(k, topPair);
        k = _mm_or_si128(_mm_andnot_si128(over, k), _mm_and_si128(over, topPair));
        const __m128 f = _mm_sub_ps(p, _mm_cvtepi32_ps(k));
        _mm_store_si128(reinterpret_cast<__m128i*>(index), k);
        const __m128 t0 = _mm_setr_ps(t[index[0]], t[index[1]], t[index[2]], t[index[3]]);
        const __m128 t1 = _mm_setr_ps(t[index[0] + 1], t[index[1] + 1], t[index[2] + 1], t[index[3] + 1]);
        _mm_storeu_ps(c + i, _mm_add_ps(t0, _mm_mul_ps(f, _mm_sub_ps(t1, t0))));
    }
#endif
    for (; i < n; ++i)
    {
        // Branchless: positions are held inside [0, m - 1] (a NaN position reads t[0]).
        const float p = std::min(a[i] > 0.0f ? a[i] : 0.0f, last);
        const size_t k = std::min(static_cast<size_t>(p), lastPair);
        const float f = p - static_cast<float>(k);
        c[i] = t[k] + f * (t[k + 1] - t[k]);
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
    // NaN samples are skipped.
    size_t i = 0;
    float m = 0.0f;
#if defined(__SSE2__)
    const __m128 signMask = _mm_castsi128_ps(_mm_set1_epi32(0x7fffffff));
    __m128 acc = _mm_setzero_ps();
    for (; i + 4 <= n; i += 4)
        acc = _mm_max_ps(_mm_and_ps(_mm_loadu_ps(a + i), signMask), acc);
    alignas(16) float lanes[4];
    _mm_store_ps(lanes, acc);
    m = std::max(std::max(lanes[0], lanes[1]), std::max(lanes[2], lanes[3]));
#endif
    for (; i < n; ++i)
    {
        const float v = std::fabs(a[i]);
        m = v > m ? v : m;
    }
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
    size_t i = 1;
#if defined(__SSE2__)
    if (n >= 8)
    {
        __m128 low = _mm_loadu_ps(a), high = low;
        for (i = 4; i + 4 <= n; i += 4)
        {
            const __m128 v = _mm_loadu_ps(a + i);
            low = _mm_min_ps(v, low);
            high = _mm_max_ps(v, high);
        }
        alignas(16) float l[4], h[4];
        _mm_store_ps(l, low);
        _mm_store_ps(h, high);
        lo = std::min(std::min(l[0], l[1]), std::min(l[2], l[3]));
        hi = std::max(std::max(h[0], h[1]), std::max(h[2], h[3]));
    }
#endif
    for (; i < n; ++i)
    {
        lo = a[i] < lo ? a[i] : lo;
        hi = a[i] > hi ? a[i] : hi;
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

void biquadCascade(const float* x, const float* coefficients, float* y, size_t n, BiquadState* first,
                   BiquadState* second)
{
    const float b0 = coefficients[0], b1 = coefficients[1], b2 = coefficients[2];
    const float a1 = coefficients[3], a2 = coefficients[4];
    float p1 = first->x1, p2 = first->x2, q1 = first->y1, q2 = first->y2;
    float u1 = second->x1, u2 = second->x2, v1 = second->y1, v2 = second->y2;
    for (size_t k = 0; k < n; ++k)
    {
        const float in = x[k];
        const float mid = b0 * in + b1 * p1 + b2 * p2 - a1 * q1 - a2 * q2;
        p2 = p1, p1 = in, q2 = q1, q1 = mid;
        const float out = b0 * mid + b1 * u1 + b2 * u2 - a1 * v1 - a2 * v2;
        u2 = u1, u1 = mid, v2 = v1, v1 = out;
        y[k] = out;
    }
    first->x1 = p1, first->x2 = p2, first->y1 = q1, first->y2 = q2;
    second->x1 = u1, second->x2 = u2, second->y1 = v1, second->y2 = v2;
}

void biquadCascadeStereo(float* left, float* right, const float* coefficients, size_t n, BiquadState* left1,
                         BiquadState* left2, BiquadState* right1, BiquadState* right2)
{
#if defined(__SSE2__)
    // Lane 0 carries the left channel, lane 1 the right one: one recursion chain for both.
    const __m128 b0 = _mm_set1_ps(coefficients[0]), b1 = _mm_set1_ps(coefficients[1]);
    const __m128 b2 = _mm_set1_ps(coefficients[2]), a1 = _mm_set1_ps(coefficients[3]);
    const __m128 a2 = _mm_set1_ps(coefficients[4]);
    __m128 p1 = _mm_setr_ps(left1->x1, right1->x1, 0, 0), p2 = _mm_setr_ps(left1->x2, right1->x2, 0, 0);
    __m128 q1 = _mm_setr_ps(left1->y1, right1->y1, 0, 0), q2 = _mm_setr_ps(left1->y2, right1->y2, 0, 0);
    __m128 u1 = _mm_setr_ps(left2->x1, right2->x1, 0, 0), u2 = _mm_setr_ps(left2->x2, right2->x2, 0, 0);
    __m128 v1 = _mm_setr_ps(left2->y1, right2->y1, 0, 0), v2 = _mm_setr_ps(left2->y2, right2->y2, 0, 0);
    for (size_t k = 0; k < n; ++k)
    {
        const __m128 in = _mm_unpacklo_ps(_mm_load_ss(left + k), _mm_load_ss(right + k));
        const __m128 mid = _mm_sub_ps(
            _mm_sub_ps(_mm_add_ps(_mm_add_ps(_mm_mul_ps(b0, in), _mm_mul_ps(b1, p1)), _mm_mul_ps(b2, p2)),
                       _mm_mul_ps(a1, q1)),
            _mm_mul_ps(a2, q2));
        p2 = p1, p1 = in, q2 = q1, q1 = mid;
        const __m128 out = _mm_sub_ps(
            _mm_sub_ps(_mm_add_ps(_mm_add_ps(_mm_mul_ps(b0, mid), _mm_mul_ps(b1, u1)), _mm_mul_ps(b2, u2)),
                       _mm_mul_ps(a1, v1)),
            _mm_mul_ps(a2, v2));
        u2 = u1, u1 = mid, v2 = v1, v1 = out;
        _mm_store_ss(left + k, out);
        _mm_store_ss(right + k, _mm_shuffle_ps(out, out, _MM_SHUFFLE(1, 1, 1, 1)));
    }
    alignas(16) float lanes[8][4];
    for (const auto& [i, reg] : {std::pair{0, p1}, {1, p2}, {2, q1}, {3, q2}, {4, u1}, {5, u2}, {6, v1}, {7, v2}})
        _mm_store_ps(lanes[i], reg);
    left1->x1 = lanes[0][0], left1->x2 = lanes[1][0], left1->y1 = lanes[2][0], left1->y2 = lanes[3][0];
    right1->x1 = lanes[0][1], right1->x2 = lanes[1][1], right1->y1 = lanes[2][1], right1->y2 = lanes[3][1];
    left2->x1 = lanes[4][0], left2->x2 = lanes[5][0], left2->y1 = lanes[6][0], left2->y2 = lanes[7][0];
    right2->x1 = lanes[4][1], right2->x2 = lanes[5][1], right2->y1 = lanes[6][1], right2->y2 = lanes[7][1];
#else
    biquadCascade(left, coefficients, left, n, left1, left2);
    biquadCascade(right, coefficients, right, n, right1, right2);
#endif
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
