#include "widgets/progress/GradientBands.h"

#include <algorithm>
#include <cstdlib>

namespace {

int Channel(uint32_t colour, int shift)
{
    return static_cast<int>((colour >> shift) & 0xFF);
}

uint32_t MakeColour(int r, int g, int b)
{
    return static_cast<uint32_t>(r & 0xFF) | (static_cast<uint32_t>(g & 0xFF) << 8) |
           (static_cast<uint32_t>(b & 0xFF) << 16);
}

} // namespace

void GradientSegmentBands(std::vector<GradientBand>& bands, uint32_t a, uint32_t b, int length, int start, int end,
                          uint32_t limit)
{
    if (end == -1)
        end = length;
    uint32_t r = 0;
    for (int shift = 0; shift <= 16; shift += 8)
        r = std::max(r, static_cast<uint32_t>(std::abs(Channel(b, shift) - Channel(a, shift))));
    r = std::min(r, limit);
    r = std::min(r, static_cast<uint32_t>(length < 0 ? 0 : length));
    if (r == 0)
        r = 1;
    const float v = static_cast<float>(length) / static_cast<float>(r);
    const float dR = static_cast<float>(Channel(b, 0) - Channel(a, 0)) / static_cast<float>(r);
    const float dG = static_cast<float>(Channel(b, 8) - Channel(a, 8)) / static_cast<float>(r);
    const float dB = static_cast<float>(Channel(b, 16) - Channel(a, 16)) / static_cast<float>(r);
    for (uint32_t p = 0; p < r; ++p) {
        const long double lp = static_cast<long double>(p);
        const int from = static_cast<int>(lp * v);
        const int to = p + 1 == r ? length : static_cast<int>((lp + 1) * v);
        if (to <= start)
            continue;
        const int clippedFrom = std::max(from, start);
        const int clippedTo = std::min(to, end);
        if (clippedTo > clippedFrom) {
            const int red = Channel(a, 0) + static_cast<int>(lp * dR);
            const int green = Channel(a, 8) + static_cast<int>(lp * dG);
            const int blue = Channel(a, 16) + static_cast<int>(lp * dB);
            bands.push_back(GradientBand{MakeColour(red, green, blue), clippedTo - clippedFrom});
        }
        if (to >= end)
            break;
    }
}

std::vector<GradientBand> GradientBuildBands(const std::vector<uint32_t>& colours,
                                             const std::vector<double>& stopWidths, int length, int start,
                                             int end, uint32_t maxColours)
{
    std::vector<GradientBand> bands;
    if (end == -1)
        end = length;
    const size_t n = colours.size();
    if (n == 0 || end <= start)
        return bands;
    if (n == 1) {
        bands.push_back(GradientBand{colours[0], end - start});
        return bands;
    }
    const uint32_t limit = maxColours == kGradientNoLimit ? kGradientNoLimit
                                                          : maxColours / static_cast<uint32_t>(n - 1);
    double sum = 0.0;
    int segmentStart = 0;
    for (size_t i = 0; i + 1 < n; ++i) {
        sum += i < stopWidths.size() ? stopWidths[i] : 0.0;
        const int segmentEnd = i + 2 == n ? length : static_cast<int>(length * sum * 0.01);
        if (segmentEnd > start) {
            const int from = std::max(start, segmentStart) - segmentStart;
            const int to = std::min(end, segmentEnd) - segmentStart;
            GradientSegmentBands(bands, colours[i], colours[i + 1], segmentEnd - segmentStart, from, to, limit);
            if (segmentEnd >= end)
                break;
        }
        segmentStart = segmentEnd;
    }
    return bands;
}

GradientRect GradientBandRect(const GradientRect& r, int direction, int a, int z)
{
    const int along = direction >= 2 ? r.bottom - r.top : r.right - r.left;
    if (z == -1)
        z = along;
    switch (direction) {
    case 1: return GradientRect{r.right - z, r.top, r.right - a, r.bottom};
    case 2: return GradientRect{r.left, r.top + a, r.right, r.top + z};
    case 3: return GradientRect{r.left, r.bottom - z, r.right, r.bottom - a};
    default: return GradientRect{r.left + a, r.top, r.left + z, r.bottom};
    }
}

int GradientBarLength(int length, int position, int minimum, int maximum)
{
    if (position < minimum || position > maximum || maximum == minimum)
        return 0;
    return static_cast<int>(static_cast<long double>(length) * (position - minimum) / (maximum - minimum));
}
