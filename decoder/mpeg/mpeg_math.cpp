// Transcendental values from IEEE basic operations only (see mpeg_math.h):
// argument reduction by symmetry to [0, pi/4], then Taylor series; roots by
// Newton's iteration after scaling by exact powers of two.
#include "decoder/mpeg/mpeg_math.h"

namespace mpeg_math {

namespace {

const double PI = 3.14159265358979323846;

// sin x and cos x for 0 <= x <= pi/4: the series to x^25 and x^24, whose
// first left-out terms are below 2^-80.
double sin_kernel(double x)
{
    // x (1 - x^2 / (2 3) (1 - x^2 / (4 5) (1 - ...))).
    const double x2 = x * x;
    double t = 1.0;
    for (int k = 25; k >= 3; k -= 2)
        t = 1.0 - x2 / double(k * (k - 1)) * t;
    return x * t;
}

double cos_kernel(double x)
{
    const double x2 = x * x;
    double t = 1.0;
    for (int k = 24; k >= 2; k -= 2)
        t = 1.0 - x2 / double(k * (k - 1)) * t;
    return t;
}

// t reduced to [0, 2) by whole periods.
double reduce_period(double t)
{
    const double periods = double(static_cast<int>(t * 0.5));
    double r = t - 2.0 * periods;
    while (r < 0.0)
        r += 2.0;
    while (r >= 2.0)
        r -= 2.0;
    return r;
}

// sin(pi r) for 0 <= r <= 1/2.
double sin_half(double r)
{
    return r > 0.25 ? cos_kernel(PI * (0.5 - r)) : sin_kernel(PI * r);
}

// x^n for 0 < n.
double power(double x, int n)
{
    double result = 1.0;
    for (int i = 0; i < n; ++i)
        result *= x;
    return result;
}

// The d-th root of 1 <= a < 2^d by Newton's iteration from 1.5.
double root(double a, int d)
{
    if (d == 1)
        return a;
    double y = 1.5;
    for (int i = 0; i < 12; ++i)
        y -= (power(y, d) - a) / (double(d) * power(y, d - 1));
    return y;
}

} // namespace

double sin_pi(double t)
{
    double r = reduce_period(t);
    double sign = 1.0;
    if (r >= 1.0) {
        r -= 1.0;
        sign = -1.0;
    }
    if (r > 0.5)
        r = 1.0 - r;
    return sign * sin_half(r);
}

double cos_pi(double t)
{
    double r = reduce_period(t);
    if (r > 1.0)
        r = 2.0 - r;
    // cos(pi r) = sin(pi (1/2 - r)); for r above 1/2, -sin(pi (r - 1/2)).
    if (r > 0.5)
        return -sin_half(r - 0.5);
    return sin_half(0.5 - r);
}

double tan_pi(double t)
{
    return sin_pi(t) / cos_pi(t);
}

double cbrt(double x)
{
    if (!(x > 0.0))
        return 0.0;
    // x = m 8^e with 1 <= m < 8: cbrt(x) = cbrt(m) 2^e.
    double m = x;
    double scale = 1.0;
    while (m >= 8.0) {
        m *= 0.125;
        scale *= 2.0;
    }
    while (m < 1.0) {
        m *= 8.0;
        scale *= 0.5;
    }
    return root(m, 3) * scale;
}

double pow43(double x)
{
    return x * cbrt(x);
}

double exp2_ratio(int n, int d)
{
    // n = q d + r with 0 <= r < d: 2^(n / d) = 2^q (2^r)^(1 / d).
    int q = n / d;
    int r = n - q * d;
    if (r < 0) {
        r += d;
        --q;
    }
    double result = root(double(1 << r), d);
    for (; q > 0; --q)
        result *= 2.0;
    for (; q < 0; ++q)
        result *= 0.5;
    return result;
}

double pow_int(double x, int n)
{
    double result = 1.0;
    double base = x;
    while (n > 0) {
        if (n & 1)
            result *= base;
        base *= base;
        n >>= 1;
    }
    return result;
}

} // namespace mpeg_math
