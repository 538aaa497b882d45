#include "widgets/header/HeaderOrder.h"

#include <cstddef>

std::vector<int> HeaderMoveColumn(const std::vector<int>& order, int from, int to)
{
    const int count = static_cast<int>(order.size());
    if (from < 0 || from >= count || to < 0 || to > count || to == from || to == from + 1)
        return order;
    std::vector<int> moved = order;
    const int column = moved[static_cast<size_t>(from)];
    moved.erase(moved.begin() + from);
    const int insertAt = to > from ? to - 1 : to;
    moved.insert(moved.begin() + insertAt, column);
    return moved;
}

int HeaderDropPosition(int hitOrder, bool rightOfCentre, int draggedOrder)
{
    if (hitOrder < 0)
        return -1;
    const int position = hitOrder + (rightOfCentre ? 1 : 0);
    if (position == draggedOrder || position == draggedOrder + 1)
        return -1;
    return position;
}
