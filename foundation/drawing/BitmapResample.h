// Area-weighted resampling of 24-bit bottom-up pixel images (rows padded to
// 4 bytes). Portable: no window code, so it also builds natively.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// One pixel of the longer grid of an axis: its share in the current cell of
// the other grid and in the next one (0 when it does not spill, exactly -1
// when it ends the current cell without spilling). `crosses` tells that the
// pixel ends its cell; it is kept apart from the weights because a spill of
// a very long axis can weigh less than the weights' threshold.
struct ResampleWeight
{
    float first;
    float second;
    bool crosses;
};

// The table of one axis between lengths `from` and `to`, one entry per pixel
// of the longer one; `shrink` picks the shrinking routine's weights.
std::vector<ResampleWeight> BuildResampleTable(std::uint32_t from, std::uint32_t to, bool shrink);

// Bytes in one padded 24-bit row.
inline std::size_t Rgb24Stride(std::uint32_t width)
{
    return (static_cast<std::size_t>(width) * 3 + 3) & ~static_cast<std::size_t>(3);
}

// Resamples src (oldW x oldH) into dst (newW x newH); both are 24-bit images
// with padded rows, dst already sized Rgb24Stride(newW) * newH. False (dst
// untouched) for a mixed grow-and-shrink or an empty side.
bool ResampleRgb24(const std::uint8_t* src, std::uint32_t oldW, std::uint32_t oldH,
                   std::uint8_t* dst, std::uint32_t newW, std::uint32_t newH);
