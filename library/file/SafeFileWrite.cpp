#include "library/file/SafeFileWrite.h"

#include <windows.h>

#include <algorithm>
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

// Writes everything or fails. budget counts the bytes the simulated full
// disk still takes (-1: no limit); what fits is written first.
bool WriteAll(HANDLE file, const char* data, size_t size, int64_t* budget)
{
    size_t done = 0;
    while (done < size) {
        size_t want = size - done;
        if (want > kChunk)
            want = kChunk;
        bool fail = false;
        if (*budget >= 0 && static_cast<int64_t>(want) > *budget) {
            want = static_cast<size_t>(*budget);
            fail = true;
        }
        DWORD written = 0;
        if (want > 0 && !WriteFile(file, data + done, static_cast<DWORD>(want), &written, nullptr))
            return false;
        done += written;
        if (*budget >= 0)
            *budget -= written;
        if (fail) {
            SetLastError(ERROR_DISK_FULL);
            return false;
        }
        if (written != want)
            return false;
    }
    return true;
}

class HandleSink final : public SafeWriteSink
{
public:
    explicit HandleSink(HANDLE file) : m_file(file), m_budget(g_failAfter.load()) {}
    bool Write(const char* data, size_t size) override
    {
        return WriteAll(m_file, data, size, &m_budget);
    }

private:
    HANDLE m_file;
    int64_t m_budget;
};

bool SeekTo(HANDLE file, uint64_t offset)
{
    LARGE_INTEGER to;
    to.QuadPart = static_cast<LONGLONG>(offset);
    return SetFilePointerEx(file, to, nullptr, FILE_BEGIN) != 0;
}

// Up to size bytes at offset (fewer at the end of the file).
bool ReadAtOffset(HANDLE file, uint64_t offset, size_t size, std::string* out)
{
    out->assign(size, '\0');
    if (!SeekTo(file, offset))
        return false;
    size_t done = 0;
    while (done < size) {
        DWORD got = 0;
        const DWORD want = static_cast<DWORD>(std::min<size_t>(size - done, kChunk));
        if (!ReadFile(file, &(*out)[done], want, &got, nullptr))
            return false;
        if (got == 0)
            break;
        done += got;
    }
    out->resize(done);
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
    return WriteFileFrom(path, [&](SafeWriteSink& sink) { return sink.Write(data, size); });
}

SafeWriteResult WriteFileFrom(const CString& path, const std::function<bool(SafeWriteSink&)>& produce)
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
    HandleSink sink(file);
    const bool written = produce(sink) && FlushFileBuffers(file);
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

SafeWriteResult PatchFile(const CString& path, const std::vector<FilePatch>& patches)
{
    HANDLE file = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return SafeWriteResult::CannotCreate;
    LARGE_INTEGER size = {};
    if (!GetFileSizeEx(file, &size)) {
        CloseHandle(file);
        return SafeWriteResult::CannotWrite;
    }
    const uint64_t oldSize = static_cast<uint64_t>(size.QuadPart);

    // What each patch overwrites, kept to put back.
    struct Undo
    {
        uint64_t offset;
        std::string bytes;
    };
    std::vector<Undo> undo;
    int64_t budget = g_failAfter.load();
    bool ok = true;
    bool wrote = false;
    for (const FilePatch& patch : patches) {
        std::string before;
        if (patch.offset > oldSize || !ReadAtOffset(file, patch.offset, patch.bytes.size(), &before)) {
            ok = false;
            break;
        }
        if (before == patch.bytes)
            continue;
        undo.push_back({patch.offset, before});
        wrote = true;
        if (!SeekTo(file, patch.offset) ||
            !WriteAll(file, patch.bytes.data(), patch.bytes.size(), &budget)) {
            ok = false;
            break;
        }
    }
    if (ok && wrote)
        ok = FlushFileBuffers(file) != 0;
    if (!ok && wrote) {
        // Back to the old bytes, last patch first, and the old size.
        int64_t unlimited = -1;
        for (auto it = undo.rbegin(); it != undo.rend(); ++it)
            if (SeekTo(file, it->offset))
                WriteAll(file, it->bytes.data(), it->bytes.size(), &unlimited);
        if (SeekTo(file, oldSize))
            SetEndOfFile(file);
        FlushFileBuffers(file);
    }
    CloseHandle(file);
    return ok ? SafeWriteResult::Written : SafeWriteResult::CannotWrite;
}
