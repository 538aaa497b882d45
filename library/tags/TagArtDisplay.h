// Drawing a tag's picture (through the temporary picture file) into a
// static control.
#pragma once

#include "framework/core/CString.h"
#include "framework/ui/CDC.h"
#include "framework/ui/CStatic.h"

namespace tags {

// The picture stretched over the control's client area; false when the
// file has none or it cannot be loaded.
bool DisplayTagArt(CStatic* control, CString path);
// The same into target at the control's client rectangle (target null:
// into the control), through an ImageObject; "No art in file" or "Couldn't
// get file" when there is no picture to draw.
bool DisplayTagArtToDC(CString path, CDC* target, CStatic* control);

} // namespace tags
