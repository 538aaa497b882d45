#include "widgets/scope/ScopeMath.h"

#include <math.h>
#include <stdlib.h>

namespace {

int WholeDigits(double limit)
{
    if (limit == 0)
        return 0;
    return abs(static_cast<int>(trunc(log10(fabs(limit)))));
}

} // namespace

int ScopeLeftMargin(double lower, double upper, int decimals)
{
    const int a = WholeDigits(lower), b = WholeDigits(upper);
    return (a > b ? a : b) + decimals;
}

double ScopeLevelLength(double value, int plotHeight)
{
    const int level = static_cast<int>(trunc(value * 2.3));
    return plotHeight * 0.01 * level;
}

ScopeLine ScopeLevelLine(double value, int x, int plotHeight)
{
    const double t = ScopeLevelLength(value, plotHeight);
    const int mid = plotHeight / 2;
    ScopeLine line;
    line.x = x;
    line.yFrom = static_cast<int>(trunc(mid + t / 2));
    line.yTo = static_cast<int>(trunc(mid - t / 2));
    return line;
}

bool ScopeClearsTop(double previous, double lower, double pixelsPerUnit, int plotTop, int plotBottom,
                    double lineLength)
{
    const int previousY = plotBottom - static_cast<int>(trunc((previous - lower) * pixelsPerUnit));
    return previousY <= plotTop || plotBottom - static_cast<int>(trunc(lineLength)) <= plotTop;
}

ScopeLine ScopeWaveColumn(double stripX, int stripHeight, int percent)
{
    const int x = static_cast<int>(trunc(stripX + 1.0));
    const double half = stripHeight * 0.01 * percent * 0.5;
    const int mid = stripHeight / 2;
    ScopeLine line;
    line.x = x;
    line.yFrom = static_cast<int>(trunc(mid + half));
    line.yTo = static_cast<int>(trunc(mid - half));
    return line;
}
