// The most played and the most recently added tracks as track rows whose
// item data are the records' positions in the library, which the fill
// leaves sorted by play counter or by index number (descending). The
// lists so filled are remembered: whenever the library is sorted again,
// their rows' item data are moved to the positions where their records now
// stand (-1 for a record no longer there), so no row points at another
// track. The caller holds the library lock.
#pragma once

#include <windows.h>

struct LibraryState;

namespace browse {

enum class Ranking { MostPlayed, RecentlyAdded };

int DisplayRankedList(LibraryState& state, HWND list, Ranking ranking, int maxRows,
                      bool checkExists, bool plainIcons);

// Rewrites the item data of the remembered lists to the records' present
// positions; lists gone or refilled by others are forgotten.
void FollowMovedTracks(LibraryState& state);

} // namespace browse
