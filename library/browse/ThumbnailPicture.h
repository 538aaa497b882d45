// A picture file cut to a square thumbnail through GDI+ (started by the
// program), as a bitmap of the caller's.
#pragma once

#include "framework/core/CString.h"

#include <windows.h>

namespace browse {

constexpr int kThumbnailSize = 100;

// The picture in file stretched to size x size pixels on background colour
// 0; null when the file cannot be read or decoded (or GDI+ is not started).
HBITMAP MakeThumbnailBitmap(const CString& file, int size);

} // namespace browse
