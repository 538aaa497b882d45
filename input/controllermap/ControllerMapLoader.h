// Loading a controller-map file into ControllerMap and LightMap.
#pragma once

#include "framework/core/CString.h"

// Replaces ControllerMap with the file's entries and enters its light
// texts into LightMap. A file that cannot be read or is not XML changes
// nothing and is logged; one with another root or no items empties
// ControllerMap. Returns 0.
int LoadControllerMap(const CString& path);
