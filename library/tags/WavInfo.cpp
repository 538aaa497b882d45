// WAV files: format facts from the RIFF structure, and the KV and AG tag
// trailers kept after the RIFF chunk.
#include "library/tags/TagReading.h"

#include "library/state/FileTexts.h"
#include "library/state/LibrarySettings.h"
#include "library/api/VIZU.h"
#include "library/tags/WavInfoParse.h"

#include "framework/ui/Prompts.h"
#include "foundation/genres/GenreNames.h"

#include <windows.h>

#include <cstdio>
#include <exception>
#include <memory>
#include <vector>

namespace {

constexpr size_t kKVWindow = 128;
constexpr size_t kAGDetectWindow = 320;
constexpr size_t kAGReadWindow = 400;

struct FileCloser
{
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

FilePtr OpenFile(const CString& path, const char* mode)
{
    return FilePtr(std::fopen(path, mode));
}

// The last bytes of a file, where they start, and where the RIFF chunk ends
// (no trailer may start before it: that is audio).
struct Tail
{
    std::vector<uint8_t> bytes;
    uint64_t start = 0;
    uint64_t riffEnd = 0;

    // First index in bytes a trailer may start at.
    size_t FirstAllowed() const
    {
        return riffEnd > start ? static_cast<size_t>(riffEnd - start) : 0;
    }
};

bool ReadTail(std::FILE* file, size_t count, Tail* tail)
{
    wavinfo::FileByteSource source(file);
    if (source.Size() < count)
        return false;
    uint8_t head[12] = {};
    size_t headCount = static_cast<size_t>(std::min<uint64_t>(sizeof head, source.Size()));
    if (!source.ReadAt(0, head, headCount))
        return false;
    tail->riffEnd = wavinfo::RiffChunkEnd(head, headCount);
    tail->start = source.Size() - count;
    tail->bytes.resize(count);
    return source.ReadAt(tail->start, tail->bytes.data(), count);
}

bool ReadTail(const CString& path, size_t count, Tail* tail)
{
    FilePtr file = OpenFile(path, "rb");
    return file && ReadTail(file.get(), count, tail);
}

// Position of the KV trailer in a tail of 128 bytes: only exactly there.
bool KVTrailerAt(const Tail& tail)
{
    return tail.FirstAllowed() == 0 && wavinfo::FindTrailer(tail.bytes.data(), 3, 0) == 0;
}

size_t AGTrailerAt(const Tail& tail)
{
    return wavinfo::FindTrailer(tail.bytes.data(), tail.bytes.size(), tail.FirstAllowed());
}

CString GenreFromByte(int genre)
{
    return CString(GenreName(genre)); // "Misc" outside the list
}

void FieldsToInfo(const wavinfo::TrailerFields& fields, TAG_INFO* info)
{
    info->Title = CString(fields.title);
    info->Artist = CString(fields.artist);
    info->Album = CString(fields.album);
    info->Year = CString(fields.year);
    info->Comment = CString(fields.comment);
    // A block cut short has no genre byte: the genre is left as it was.
    if (fields.genre >= 0)
        info->Genre = GenreFromByte(fields.genre);
}

wavinfo::TrailerFields FieldsFromInfo(const TAG_INFO* info)
{
    wavinfo::TrailerFields fields;
    fields.title = info->Title.str();
    fields.artist = info->Artist.str();
    fields.album = info->Album.str();
    fields.year = info->Year.str();
    fields.comment = info->Comment.str();
    fields.genre = VIZU::GetGenreNumFromString(info->Genre);
    return fields;
}

bool WriteAt(std::FILE* file, uint64_t offset, const uint8_t* block)
{
    if (std::fseek(file, static_cast<long>(offset), SEEK_SET) != 0)
        return false;
    if (std::fwrite(block, 1, wavinfo::kTrailerSize, file) != wavinfo::kTrailerSize)
        return false;
    return std::fflush(file) == 0;
}

} // namespace

bool tags::GetWavInfo(CString path, TAG_INFO* info)
{
    if (!info)
        return false;
    try {
        wavinfo::WavFormat format;
        {
            FilePtr file = OpenFile(path, "rb");
            if (!file)
                return false;
            wavinfo::FileByteSource source(file.get());
            if (!wavinfo::ReadWavFormat(source, &format))
                return false;
        }
        const int size = filetexts::GetFileSize(path);
        const uint32_t fileLength = size > 0 ? static_cast<uint32_t>(size) : 0;
        // A format that claims no bytes per second gives no length.
        int32_t length = format.avgBytesPerSec
                             ? static_cast<int32_t>(fileLength / format.avgBytesPerSec)
                             : 0;
        info->Length = length > 0 ? length : 100;
        info->Channels = format.channels;
        info->SampleRate = static_cast<int32_t>(format.samplesPerSec);
        info->Bitrate = static_cast<int32_t>(format.avgBytesPerSec);
        info->Path = path;
        info->Title = GetTitleFromFilename(path);
        info->FileType = "WAV";
        info->BPMText = "00000";
        info->Album = "NA";
        info->Artist = "NA";
        info->Genre = "NA";
        info->HasPicture = false;
        return true;
    } catch (const std::exception& e) {
        if (CurrentAddSettings().logAdds)
            VIZU::WriteAddLogEntry(CString("GetWavInfo failed on: ") + path);
        VIZU::AddException(CString(e.what()), path);
        return false;
    }
}

bool tags::WAVHasKVID3Tag(CString path)
{
    Tail tail;
    return ReadTail(path, kKVWindow, &tail) && KVTrailerAt(tail);
}

bool tags::WAVHasAGID3Tag(CString path)
{
    Tail tail;
    return ReadTail(path, kAGDetectWindow, &tail) && AGTrailerAt(tail) != wavinfo::kNotFound;
}

int tags::CheckForWAVTags(CString path)
{
    const bool kv = WAVHasKVID3Tag(path);
    const bool ag = WAVHasAGID3Tag(path);
    if (kv && ag)
        return 4402;
    if (kv)
        return 4400;
    if (ag)
        return 4401;
    return 4403;
}

bool tags::ReadKVWAVTag(TAG_INFO* info, CString path)
{
    Tail tail;
    if (!info || !ReadTail(path, kKVWindow, &tail) || !KVTrailerAt(tail))
        return false;
    FieldsToInfo(wavinfo::ReadTrailerFields(tail.bytes.data(), tail.bytes.size(), 0), info);
    info->Title.TrimRight();
    info->Artist.TrimRight();
    info->Album.TrimRight();
    info->Year.TrimRight();
    info->Genre.TrimRight();
    info->PlayCount = 0;
    return true;
}

bool tags::ReadAGWAVTag(TAG_INFO* info, CString path)
{
    Tail tail;
    if (!info || !ReadTail(path, kAGReadWindow, &tail))
        return false;
    const size_t at = AGTrailerAt(tail);
    if (at == wavinfo::kNotFound)
        return false;
    FieldsToInfo(wavinfo::ReadTrailerFields(tail.bytes.data(), tail.bytes.size(), at), info);
    info->Title.Trim();
    info->Artist.Trim();
    info->Album.Trim();
    info->Year.Trim();
    info->Genre.Trim();
    info->Comment.Trim();
    info->PlayCount = 0;
    return true;
}

bool tags::WriteKVWAVTag(CString path, TAG_INFO* info)
{
    if (!info)
        return false;
    uint8_t block[wavinfo::kTrailerSize];
    wavinfo::BuildTrailer(FieldsFromInfo(info), block);
    const bool replace = WAVHasKVID3Tag(path);
    FilePtr file = OpenFile(path, "r+b");
    if (!file || std::fseek(file.get(), 0, SEEK_END) != 0)
        return false;
    const long end = std::ftell(file.get());
    if (end < 0)
        return false;
    // A trailer found is at or after the RIFF chunk's end, so replacing it
    // never touches the audio; otherwise the block goes after everything.
    const uint64_t at = replace ? static_cast<uint64_t>(end) - wavinfo::kTrailerSize
                                : static_cast<uint64_t>(end);
    return WriteAt(file.get(), at, block);
}

bool tags::WriteAGWAVTag(CString path, TAG_INFO* info)
{
    if (!info)
        return false;
    FilePtr file = OpenFile(path, "r+b");
    if (!file)
        return false;
    Tail tail;
    if (!ReadTail(file.get(), kAGReadWindow, &tail))
        return false;
    uint8_t block[wavinfo::kTrailerSize];
    wavinfo::BuildTrailer(FieldsFromInfo(info), block);
    const size_t at = AGTrailerAt(tail);
    if (at == wavinfo::kNotFound)
        return false;
    return WriteAt(file.get(), tail.start + at, block);
}

bool tags::SetBatchWAVTagInfo(tagBatchTag* batch)
{
    if (!batch || !filetexts::Exists(batch->Tag.Path))
        return false;
    const CString path = batch->Tag.Path;
    const int scheme = CheckForWAVTags(path);
    bool kv;
    if (scheme == 4400 || scheme == 4402)
        kv = true;
    else if (scheme == 4401)
        kv = false;
    else
        return false;

    TAG_INFO tag;
    const bool read = kv ? ReadKVWAVTag(&tag, path) : ReadAGWAVTag(&tag, path);
    bool written = false;
    if (read) {
        if (batch->SetArtist)
            tag.Artist = batch->Tag.Artist;
        if (batch->SetAlbum)
            tag.Album = batch->Tag.Album;
        if (batch->SetGenre)
            tag.Genre = batch->Tag.Genre;
        if (batch->SetYear)
            tag.Year = batch->Tag.Year;
        if (batch->SetComment)
            tag.Comment = batch->Tag.Comment;
        written = kv ? WriteKVWAVTag(path, &tag) : WriteAGWAVTag(path, &tag);
    }
    if (!batch->FolderMode)
        VIZU::UpdateRecordFromTag(path);
    return written;
}

bool tags::ReadID3TAG1FromWAV(CTrackRecord* rec, CString path)
{
    if (!rec)
        return false;
    FilePtr file = OpenFile(path, "rb");
    if (!file)
        return false;
    Tail tail;
    const bool read = ReadTail(file.get(), kAGDetectWindow, &tail);
    file.reset();
    const size_t at = read ? AGTrailerAt(tail) : wavinfo::kNotFound;
    if (at == wavinfo::kNotFound) {
        AfxMessageBox("Couldn't find TAG", MB_OK);
        return false;
    }
    wavinfo::TrailerFields fields =
        wavinfo::ReadTrailerFields(tail.bytes.data(), tail.bytes.size(), at);
    rec->m_Title = CString(fields.title);
    rec->m_Artist = CString(fields.artist);
    rec->m_Album = CString(fields.album);
    rec->m_Year = CString(fields.year);
    if (fields.genre >= 0)
        rec->m_Genre = GenreFromByte(fields.genre);
    return true;
}
