// The file-name tests of the import: a music file is told by the last three
// characters of its name or path, in any letter case; no dot is needed.
#pragma once

#include "framework/core/CString.h"

// The last three characters are "mp3" or "wav" in any case.
bool HasMusicEnding(const CString& name);
// The last three characters are the given lower-case ending in any case.
bool HasEnding(const CString& name, const char* ending);
