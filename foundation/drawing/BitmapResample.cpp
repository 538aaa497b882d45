#include "foundation/drawing/BitmapResample.h"

#include <algorithm>

namespace {

const float kPresent = 0.0001f;

bool Present(float w)
{
    return w > kPresent;
}

std::uint8_t ToByte(float v)
{
    // Truncation toward zero; float rounding may overshoot 255 by a hair.
    if (v <= 0.0f)
        return 0;
    if (v >= 255.0f)
        return 255;
    return static_cast<std::uint8_t>(v);
}

void Shrink(const std::uint8_t* src, std::uint32_t oldW, std::uint32_t oldH,
            std::uint8_t* dst, std::uint32_t newW, std::uint32_t newH)
{
    const std::vector<ResampleWeight> horz = BuildResampleTable(oldW, newW, true);
    const std::vector<ResampleWeight> vert = BuildResampleTable(oldH, newH, true);
    const std::size_t srcStride = Rgb24Stride(oldW);
    const std::size_t dstStride = Rgb24Stride(newW);
    const std::size_t cells = static_cast<std::size_t>(newW) * 3;
    std::vector<float> rowA(cells + 3, 0.0f), rowB(cells + 3, 0.0f);
    float* cur = rowA.data();
    float* next = rowB.data();

    std::uint32_t written = 0;
    for (std::uint32_t sy = 0; sy < oldH && written < newH; ++sy) {
        const std::uint8_t* in = src + sy * srcStride;
        const float vA = vert[sy].first;
        const float vB = vert[sy].second;
        std::uint32_t cell = 0;
        for (std::uint32_t sx = 0; sx < oldW && cell < newW; ++sx) {
            const float hA = horz[sx].first;
            const float hB = horz[sx].second;
            // The next cell exists whenever a weight spills into it.
            const bool spillH = Present(hB) && cell + 1 < newW;
            for (int ch = 0; ch < 3; ++ch) {
                const float byte = in[sx * 3 + ch];
                const std::size_t at = cell * 3 + ch;
                cur[at] += hA * vA * byte;
                if (spillH)
                    cur[at + 3] += hB * vA * byte;
                if (Present(vB)) {
                    next[at] += hA * vB * byte;
                    if (spillH)
                        next[at + 3] += hB * vB * byte;
                }
            }
            if (horz[sx].crosses)
                ++cell;
        }
        if (vert[sy].crosses) {
            std::uint8_t* out = dst + written * dstStride;
            for (std::size_t i = 0; i < cells; ++i)
                out[i] = ToByte(cur[i]);
            ++written;
            std::fill(cur, cur + cells + 3, 0.0f);
            std::swap(cur, next);
        }
    }
}

void Enlarge(const std::uint8_t* src, std::uint32_t oldW, std::uint32_t oldH,
             std::uint8_t* dst, std::uint32_t newW, std::uint32_t newH)
{
    const std::vector<ResampleWeight> horz = BuildResampleTable(oldW, newW, false);
    const std::vector<ResampleWeight> vert = BuildResampleTable(oldH, newH, false);
    const std::size_t srcStride = Rgb24Stride(oldW);
    const std::size_t dstStride = Rgb24Stride(newW);

    std::uint32_t sy = 0;
    for (std::uint32_t oy = 0; oy < newH; ++oy) {
        const float vA = vert[oy].first;
        const float vB = vert[oy].second;
        const bool below = Present(vB) && sy + 1 < oldH;
        const std::uint8_t* row = src + sy * srcStride;
        const std::uint8_t* rowBelow = below ? row + srcStride : row;
        std::uint8_t* out = dst + oy * dstStride;
        std::uint32_t sx = 0;
        for (std::uint32_t ox = 0; ox < newW; ++ox) {
            const float hA = horz[ox].first;
            const float hB = horz[ox].second;
            const bool right = Present(hB) && sx + 1 < oldW;
            for (int ch = 0; ch < 3; ++ch) {
                const std::size_t at = sx * 3 + ch;
                float v = vA * hA * row[at];
                if (right)
                    v += vA * hB * row[at + 3];
                if (below) {
                    v += vB * hA * rowBelow[at];
                    if (right)
                        v += vB * hB * rowBelow[at + 3];
                }
                out[ox * 3 + ch] = ToByte(v);
            }
            if (horz[ox].crosses && sx + 1 < oldW)
                ++sx;
        }
        if (vert[oy].crosses && sy + 1 < oldH)
            ++sy;
    }
}

} // namespace

std::vector<ResampleWeight> BuildResampleTable(std::uint32_t from, std::uint32_t to, bool shrink)
{
    const std::uint32_t longer = std::max(from, to);
    const std::uint32_t shorter = std::min(from, to);
    std::vector<ResampleWeight> table(longer);
    if (shorter == 0)
        return table;
    const float divisor = static_cast<float>(shrink ? longer : shorter);
    const float whole = shrink ? static_cast<float>(shorter) / static_cast<float>(longer) : 1.0f;
    // Integer remainders keep the walk exact; only the weights are floats.
    std::uint64_t b = 0;
    for (std::uint32_t i = 0; i < longer; ++i) {
        const std::uint64_t c = b + shorter;
        ResampleWeight& w = table[i];
        if (c > longer) {
            w.first = static_cast<float>(longer - b) / divisor;
            w.second = static_cast<float>(c - longer) / divisor;
            w.crosses = true;
            b = c - longer;
        } else {
            w.first = whole;
            if (c == longer) {
                w.second = -1.0f;
                w.crosses = true;
                b = 0;
            } else {
                w.second = 0.0f;
                w.crosses = false;
                b = c;
            }
        }
    }
    return table;
}

bool ResampleRgb24(const std::uint8_t* src, std::uint32_t oldW, std::uint32_t oldH,
                   std::uint8_t* dst, std::uint32_t newW, std::uint32_t newH)
{
    if (!src || !dst || oldW == 0 || oldH == 0 || newW == 0 || newH == 0)
        return false;
    if ((newW < oldW && newH > oldH) || (newW > oldW && newH < oldH))
        return false;
    if (oldW < newW || oldH < newH)
        Enlarge(src, oldW, oldH, dst, newW, newH);
    else
        Shrink(src, oldW, oldH, dst, newW, newH);
    return true;
}
