// Replaces a file's content as a whole. The new bytes go to a temporary
// file in the same folder, are flushed to disk, and only then take the
// file's place (ReplaceFile keeps its creation time and attributes). A
// failure or a crash at any moment leaves the old file or the new one,
// never a mixture or a cut-short file.
#pragma once

#include "framework/core/CString.h"

#include <cstddef>
#include <cstdint>

enum class SafeWriteResult
{
    Written,
    CannotCreate, // the file cannot be written there at all
    CannotWrite,  // writing, flushing or replacing failed
};

SafeWriteResult WriteFileWhole(const CString& path, const char* data, size_t size);

// The temporary file's name for a target path.
CString SafeWriteTempPath(const CString& path);

// For tests: every write fails, as a full disk does, once this many bytes
// of the temporary file are written (-1: never). Returns the previous value.
int64_t SetSafeWriteFailAfter(int64_t bytes);
