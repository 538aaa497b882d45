// The archive readers over any bytes: archive playlists (stored objects,
// first byte even) and the archive library (header, count and bare
// records, first byte odd); the rest is the file. A reader either reads
// every record or answers -1, keeping the whole records read before; no
// more records than the bytes can hold (a record met again is two bytes);
// and the records read, written again, read back the same.
#include "framework/core/CMemFile.h"
#include "fuzz/FuzzCheck.h"
#include "library/legacy/ArchiveFormats.h"

#include <cstring>
#include <string>

namespace {

using Records = CArray<CTrackRecord, CTrackRecord&>;

// The smallest stored forms: a reference to a record read before, and the
// fields of a record with empty texts.
constexpr size_t kReferenceBytes = 2;
constexpr size_t kBareRecordBytes = 4 + 10 + 15 * 4;

bool SameText(const CString& a, const CString& b)
{
    return a.GetLength() == b.GetLength() &&
           std::memcmp(a.GetString(), b.GetString(), static_cast<size_t>(a.GetLength())) == 0;
}

void ExpectSameRecords(const Records& a, const Records& b, const char* what)
{
    FUZZ_CHECK(a.GetSize() == b.GetSize(), "%s: %d records against %d", what,
               static_cast<int>(a.GetSize()), static_cast<int>(b.GetSize()));
    for (INT_PTR i = 0; i < a.GetSize(); ++i) {
        const CTrackRecord& x = a[i];
        const CTrackRecord& y = b[i];
        const CString CTrackRecord::*texts[] = {
            &CTrackRecord::m_Title,   &CTrackRecord::m_Artist,   &CTrackRecord::m_Album,
            &CTrackRecord::m_FileName, &CTrackRecord::m_Genre,   &CTrackRecord::m_BPMText,
            &CTrackRecord::m_FileType, &CTrackRecord::m_Cue1Name, &CTrackRecord::m_Cue2Name,
            &CTrackRecord::m_Year};
        for (auto t : texts)
            FUZZ_CHECK(SameText(x.*t, y.*t), "%s: record %d: a text differs", what,
                       static_cast<int>(i));
        const int32_t CTrackRecord::*numbers[] = {
            &CTrackRecord::m_Index,     &CTrackRecord::m_Length,    &CTrackRecord::m_PlayCount,
            &CTrackRecord::m_BPM,       &CTrackRecord::m_Cue1,      &CTrackRecord::m_Cue2,
            &CTrackRecord::m_Start,     &CTrackRecord::m_End,       &CTrackRecord::m_Volume,
            &CTrackRecord::m_Reserved1, &CTrackRecord::m_Reserved2, &CTrackRecord::m_Played,
            &CTrackRecord::m_HasPicture, &CTrackRecord::m_Bitrate,  &CTrackRecord::m_SampleRate,
            &CTrackRecord::m_Channels};
        for (auto n : numbers)
            FUZZ_CHECK(x.*n == y.*n, "%s: record %d: a number differs (%d against %d)", what,
                       static_cast<int>(i), x.*n, y.*n);
    }
}

// What was read, written again, reads back whole and the same.
void ExpectReadBack(CMemFile& written, const Records& read, int (*reader)(CByteStream&, Records&),
                    const char* what)
{
    written.SeekToBegin();
    Records again;
    const int reread = reader(written, again);
    FUZZ_CHECK(reread == read.GetSize(), "%s written again: %d records read back of %d", what,
               reread, static_cast<int>(read.GetSize()));
    ExpectSameRecords(read, again, what);
}

void Playlist(const uint8_t* data, size_t size)
{
    CMemFile input(data, static_cast<UINT>(size));
    Records read;
    const int result = legacy::ReadArchivePlaylist(input, read);
    FUZZ_CHECK(result == -1 || result == read.GetSize(), "%d records answered, %d read", result,
               static_cast<int>(read.GetSize()));
    FUZZ_CHECK(static_cast<size_t>(read.GetSize()) * kReferenceBytes <= size,
               "%d records from %zu bytes", static_cast<int>(read.GetSize()), size);

    CMemFile written;
    for (INT_PTR i = 0; i < read.GetSize(); ++i)
        legacy::StorePlaylistRecord(written, read[i]);
    ExpectReadBack(written, read, legacy::ReadArchivePlaylist, "playlist");
}

void Library(const uint8_t* data, size_t size)
{
    CMemFile input(data, static_cast<UINT>(size));
    Records read;
    CTrackRecord untouched;
    read.Add(untouched);
    const int result = legacy::ReadArchiveLibrary(input, read);
    if (result >= 0) {
        FUZZ_CHECK(result == read.GetSize(), "%d records answered, %d read", result,
                   static_cast<int>(read.GetSize()));
    }
    FUZZ_CHECK(static_cast<size_t>(read.GetSize()) * kBareRecordBytes <= size + kBareRecordBytes,
               "%d records from %zu bytes", static_cast<int>(read.GetSize()), size);

    CMemFile written;
    legacy::WriteArchiveLibrary(written, CString("header"), read);
    ExpectReadBack(written, read, legacy::ReadArchiveLibrary, "library");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    if (data[0] & 1)
        Library(data + 1, size - 1);
    else
        Playlist(data + 1, size - 1);
    return 0;
}
