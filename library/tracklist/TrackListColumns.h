// The seam through which VIZU::SetTabHeader reaches the library manager
// dialog, which lives in a layer above the library.
#pragma once

#include "framework/core/CString.h"

// Builds a library manager dialog object without a window, sets its header
// bar's caption to text and destroys it again.
using TabHeaderBuilder = void (*)(const CString& text);

// Installed by the library dialogs when KVLib starts; the previous one back.
TabHeaderBuilder SetTabHeaderBuilder(TabHeaderBuilder builder);
