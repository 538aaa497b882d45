// The few transcendental values the codec's tables need, computed with
// IEEE basic operations only (add, subtract, multiply, divide), so that
// every build computes the same tables: the C library's pow, cos, sin and
// tan differ between platforms (and the 32-bit x87 versions round
// differently again). Each result is within a few units in the last place
// of double precision; the tables round them to float, where they equal
// the correctly rounded values (the codec's tests compare them with the C
// library's on the test platforms).
#pragma once

namespace mpeg_math {

// cos(pi * t), sin(pi * t) and tan(pi * t) for |t| below 2^31.
double cos_pi(double t);
double sin_pi(double t);
double tan_pi(double t);

// The real cube root of x >= 0.
double cbrt(double x);

// x^(4/3) for x >= 0.
double pow43(double x);

// 2^(n / d) for integers n and d > 0 (d of 1, 2, 3 or 4 in the codec).
double exp2_ratio(int n, int d);

// x^n for an integer n >= 0, by repeated squaring.
double pow_int(double x, int n);

} // namespace mpeg_math
