// Taking a copy of what lies under a control, so that it can paint
// itself as if transparent: from the main window's skin background, or
// from another DC in the parent's client coordinates.
#pragma once

#include "framework/ui/CDC.h"
#include "framework/ui/CGdiObject.h"
#include "framework/ui/CWnd.h"

// Copies the control's area (its window rectangle in its parent's client
// coordinates, its client size) out of source into bitmap. False when there
// is no source or no window.
bool GrabControlBackground(CWnd* control, CDC* source, CBitmap& bitmap);
// The same from the skin host's background.
bool GrabSkinBackground(CWnd* control, CBitmap& bitmap);
// Copies the whole bitmap to (0, 0) of pDC; false when it has none.
bool DrawGrabbedBackground(CDC* pDC, const CBitmap& bitmap);
