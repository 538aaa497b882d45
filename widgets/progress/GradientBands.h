// The gradient fill's arithmetic, apart from drawing: the bands of solid
// colour that a list of colour stops turns into over a length, the
// rectangle of a band in each of the four directions, and the length of a
// progress bar. Colours are 0x00BBGGRR values (red in the low byte).
#pragma once

#include <cstdint>
#include <vector>

struct GradientBand
{
    uint32_t colour;
    int width;
};

struct GradientRect
{
    int left, top, right, bottom;
};

// No limit on the number of steps a segment may use.
constexpr uint32_t kGradientNoLimit = 0xFFFFFFFFu;

// Splits one segment from colour a to colour b, length pixels long, into
// bands (one per step of the largest channel difference, at most limit
// and at most length), and appends those that fall within [start, end)
// (end -1: the whole length), clipped to it.
void GradientSegmentBands(std::vector<GradientBand>& bands, uint32_t a, uint32_t b, int length, int start, int end,
                          uint32_t limit);

// The bands of a fill with these colours and stop widths (percent of the
// whole length per segment) over length pixels, from start to end (end -1:
// the whole length), with at most maxColours steps in all.
std::vector<GradientBand> GradientBuildBands(const std::vector<uint32_t>& colours,
                                             const std::vector<double>& stopWidths, int length, int start,
                                             int end, uint32_t maxColours);

// The rectangle of the stretch from a to z (z -1: to the far edge) along a
// direction: 0 left to right, 1 right to left, 2 top to bottom, 3 bottom to
// top.
GradientRect GradientBandRect(const GradientRect& r, int direction, int a, int z);

// The bar's length of a position over a track of length pixels; 0 when the
// position lies outside the range or the range is empty.
int GradientBarLength(int length, int position, int minimum, int maximum);
