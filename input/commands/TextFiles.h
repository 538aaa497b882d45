// Whole-file reads and atomic writes of the small text files of external
// control (shortcut files, controller maps).
#pragma once

#include "framework/core/CString.h"

#include <cstddef>

// Reads the whole file; false (with a reason) when it cannot be opened or
// read, or is larger than maxBytes.
bool ReadWholeTextFile(const CString& path, CString& text, CString& reason, size_t maxBytes = 16u << 20);

// Writes the text so that the file holds the old text or the new, never a
// part (foundation's AtomicFile); false (with a reason) on failure, the
// old file untouched.
bool WriteTextFileAtomically(const CString& path, const CString& text, CString& reason);
