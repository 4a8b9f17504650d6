#include "BiquadState.h"

#include <cmath>
#include <initializer_list>

void BiquadState::clear()
{
    x1 = x2 = y1 = y2 = 0.0f;
}

void BiquadState::clearBadStateValue()
{
    for (float* v : {&x1, &x2, &y1, &y2})
    {
        const float a = std::fabs(*v);
        if (!(a > 1e-15f && a < 1e15f))
            *v = 0.0f;
    }
}
