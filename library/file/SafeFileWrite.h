// Replaces a file's content as a whole. The new bytes go to a temporary
// file in the same folder, are flushed to disk, and only then take the
// file's place (ReplaceFile keeps its creation time and attributes). A
// failure or a crash at any moment leaves the old file or the new one,
// never a mixture or a cut-short file.
#pragma once

#include "framework/core/CString.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

enum class SafeWriteResult
{
    Written,
    CannotCreate, // the file cannot be written there at all
    CannotWrite,  // writing, flushing or replacing failed
};

SafeWriteResult WriteFileWhole(const CString& path, const char* data, size_t size);

// Where a writer hands its bytes, in order.
class SafeWriteSink
{
public:
    virtual ~SafeWriteSink() = default;
    // False when the bytes could not be written; the write then fails.
    virtual bool Write(const char* data, size_t size) = 0;
};

// As WriteFileWhole, for content made piece by piece (too large to hold at
// once, such as a music file copied behind a new tag): produce writes the
// whole new content into the sink and returns false to give up.
SafeWriteResult WriteFileFrom(const CString& path, const std::function<bool(SafeWriteSink&)>& produce);

// Bytes to put at an offset of an existing file (at its end: appended).
struct FilePatch
{
    uint64_t offset = 0;
    std::string bytes;
};

// Changes an existing file in place, for changes that move nothing (a tag
// rewritten within its own size, a trailer overwritten or appended): each
// patch is written at its offset, patches equal to the bytes already there
// are skipped, and the file is flushed. When a write fails, the bytes
// overwritten so far are written back and the file is cut to its old
// size, so it is left as it was. Offsets past the file's end fail.
SafeWriteResult PatchFile(const CString& path, const std::vector<FilePatch>& patches);

// The temporary file's name for a target path.
CString SafeWriteTempPath(const CString& path);

// For tests: every write fails, as a full disk does, once this many bytes
// of the temporary file (or of one PatchFile's patches) are written (-1:
// never). Returns the previous value.
int64_t SetSafeWriteFailAfter(int64_t bytes);
