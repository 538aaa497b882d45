// Whole-file reads of the small text files of external control (shortcut
// files, controller maps).
#pragma once

#include "framework/core/CString.h"

#include <cstddef>

// Reads the whole file; false (with a reason) when it cannot be opened or
// read, or is larger than maxBytes.
bool ReadWholeTextFile(const CString& path, CString& text, CString& reason, size_t maxBytes = 16u << 20);
