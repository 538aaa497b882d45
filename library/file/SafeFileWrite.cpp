#include "library/file/SafeFileWrite.h"

#include <windows.h>

#include <atomic>

namespace {

// A test's fault injection into the writer, not library state: kept for the
// process (atomic), since files are written with and without the library
// lock held.
std::atomic<int64_t> g_failAfter{-1};

const DWORD kChunk = 1 << 20;

bool Exists(const CString& path)
{
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

// Writes everything or fails; the simulated full disk writes what fits first.
bool WriteAll(HANDLE file, const char* data, size_t size)
{
    const int64_t failAfter = g_failAfter.load();
    size_t done = 0;
    while (done < size) {
        size_t want = size - done;
        if (want > kChunk)
            want = kChunk;
        bool fail = false;
        if (failAfter >= 0 && static_cast<int64_t>(done + want) > failAfter) {
            want = failAfter > static_cast<int64_t>(done) ? static_cast<size_t>(failAfter) - done : 0;
            fail = true;
        }
        DWORD written = 0;
        if (want > 0 && !WriteFile(file, data + done, static_cast<DWORD>(want), &written, nullptr))
            return false;
        done += written;
        if (fail) {
            SetLastError(ERROR_DISK_FULL);
            return false;
        }
        if (written != want)
            return false;
    }
    return true;
}

// The replaced file's creation time and attributes stay the file's own;
// not every system's ReplaceFile carries them over.
void KeepIdentity(const CString& path, const WIN32_FILE_ATTRIBUTE_DATA& old)
{
    HANDLE file = CreateFileA(path, FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        SetFileTime(file, &old.ftCreationTime, nullptr, nullptr);
        CloseHandle(file);
    }
    SetFileAttributesA(path, old.dwFileAttributes);
}

} // namespace

int64_t SetSafeWriteFailAfter(int64_t bytes)
{
    return g_failAfter.exchange(bytes);
}

CString SafeWriteTempPath(const CString& path)
{
    return path + ".saving";
}

SafeWriteResult WriteFileWhole(const CString& path, const char* data, size_t size)
{
    WIN32_FILE_ATTRIBUTE_DATA old = {};
    const bool targetExists = GetFileAttributesExA(path, GetFileExInfoStandard, &old) != 0;
    if (targetExists && (old.dwFileAttributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
        return SafeWriteResult::CannotCreate;

    // A temporary file left by a crash is simply written over.
    const CString temp = SafeWriteTempPath(path);
    HANDLE file = CreateFileA(temp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return SafeWriteResult::CannotCreate;
    const bool written = WriteAll(file, data, size) && FlushFileBuffers(file);
    const bool closed = CloseHandle(file) != 0;
    if (!written || !closed) {
        DeleteFileA(temp);
        return SafeWriteResult::CannotWrite;
    }

    bool placed = false;
    if (targetExists)
        placed = ReplaceFileA(path, temp, nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                              nullptr) != 0;
    // No file there yet, or ReplaceFile gave up after taking the old one
    // away: the new file is moved into place.
    if (!placed && !Exists(path))
        placed = MoveFileExA(temp, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    if (!placed) {
        DeleteFileA(temp);
        return SafeWriteResult::CannotWrite;
    }
    if (targetExists)
        KeepIdentity(path, old);
    return SafeWriteResult::Written;
}
