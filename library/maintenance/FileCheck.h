// Whether the files of many paths exist, answered for a whole library: a
// folder that holds several of the paths is listed once instead of asking
// the file system about each file.
#pragma once

#include "library/state/LibraryState.h"

#include <vector>

namespace maintenance {

// One answer per record of tracks, in order: true when its file exists
// (as filetexts::Exists answers).
std::vector<bool> FilesExist(const TrackArray& tracks);

} // namespace maintenance
