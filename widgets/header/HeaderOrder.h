// The flat header's column reordering, apart from its window: where a
// dragged column lands, and which drop positions change nothing.
#pragma once

#include <vector>

// Moves the column at display order from to the drop position to (0 before
// the first column .. count after the last); the columns in between shift
// by one. A position out of range leaves the order as it is.
std::vector<int> HeaderMoveColumn(const std::vector<int>& order, int from, int to);

// The drop position shown for a pointer over the item at display order
// hitOrder (-1: no item), right of its centre or not: -1 when there is no
// item or when the drop would not move the dragged column.
int HeaderDropPosition(int hitOrder, bool rightOfCentre, int draggedOrder);
