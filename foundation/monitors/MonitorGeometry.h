// The arithmetic of placing a box on a monitor, without window code, so
// that it is tested (and built) natively too.
#pragma once

#include <cstdint>

// A rectangle in virtual-screen coordinates (edges as RECT has them).
struct MonitorBox
{
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
};

// The box moved, keeping its width and height, so that it is centred on
// the area: left = area.left + (area width - box width) / 2, top likewise,
// divisions rounded toward zero. A box larger than the area overhangs both
// sides equally (a negative offset). Computed in 64 bits, so no edge
// overflows on the way.
MonitorBox CenterBoxOn(const MonitorBox& area, const MonitorBox& box);
