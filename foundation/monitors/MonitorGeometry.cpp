#include "foundation/monitors/MonitorGeometry.h"

MonitorBox CenterBoxOn(const MonitorBox& area, const MonitorBox& box)
{
    const int64_t width = static_cast<int64_t>(box.right) - box.left;
    const int64_t height = static_cast<int64_t>(box.bottom) - box.top;
    const int64_t areaWidth = static_cast<int64_t>(area.right) - area.left;
    const int64_t areaHeight = static_cast<int64_t>(area.bottom) - area.top;
    const int64_t left = area.left + (areaWidth - width) / 2;
    const int64_t top = area.top + (areaHeight - height) / 2;
    MonitorBox result;
    result.left = static_cast<int32_t>(left);
    result.top = static_cast<int32_t>(top);
    result.right = static_cast<int32_t>(left + width);
    result.bottom = static_cast<int32_t>(top + height);
    return result;
}
