#include "library/tags/WavInfoParse.h"

#include <algorithm>
#include <cstring>

namespace wavinfo {

namespace {

uint32_t Le32(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

uint16_t Le16(const uint8_t* p)
{
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

// Offsets of the fields within a trailer block.
constexpr size_t kTitleAt = 3, kArtistAt = 33, kAlbumAt = 63, kYearAt = 93, kCommentAt = 97,
                 kGenreAt = 127;
constexpr size_t kTextWidth = 30, kYearWidth = 4;

std::string BlankedField(const uint8_t* buffer, size_t count, size_t at, size_t width)
{
    std::string text;
    if (at >= count)
        return text;
    size_t n = std::min(width, count - at);
    text.reserve(n);
    // A zero byte reads as a blank; so do CR, LF and TAB, and the other
    // control bytes are dropped, as for every text that reaches a record.
    for (size_t i = 0; i < n; ++i) {
        const uint8_t c = buffer[at + i];
        if (c == 0 || c == '\r' || c == '\n' || c == '\t')
            text.push_back(' ');
        else if (c >= 0x20)
            text.push_back(static_cast<char>(c));
    }
    return text;
}

void PutField(uint8_t* block, size_t at, size_t width, const std::string& text)
{
    size_t n = std::min(width, text.size());
    std::memcpy(block + at, text.data(), n);
}

} // namespace

FileByteSource::FileByteSource(std::FILE* file) : m_file(file)
{
    if (m_file && std::fseek(m_file, 0, SEEK_END) == 0) {
        long end = std::ftell(m_file);
        if (end > 0)
            m_size = static_cast<uint64_t>(end);
    }
}

bool FileByteSource::ReadAt(uint64_t offset, void* buffer, size_t count)
{
    if (!m_file || offset > m_size || count > m_size - offset)
        return false;
    if (std::fseek(m_file, static_cast<long>(offset), SEEK_SET) != 0)
        return false;
    return std::fread(buffer, 1, count, m_file) == count;
}

bool ReadWavFormat(ByteSource& source, WavFormat* format)
{
    uint8_t head[12];
    if (!format || !source.ReadAt(0, head, sizeof head))
        return false;
    if (std::memcmp(head, "RIFF", 4) != 0 || std::memcmp(head + 8, "WAVE", 4) != 0)
        return false;
    const uint64_t end = std::min<uint64_t>(8 + static_cast<uint64_t>(Le32(head + 4)), source.Size());

    bool haveFormat = false;
    uint64_t at = 12;
    while (at + 8 <= end) {
        uint8_t chunk[8];
        if (!source.ReadAt(at, chunk, sizeof chunk))
            return false;
        const uint64_t size = Le32(chunk + 4);
        const uint64_t body = at + 8;
        if (!haveFormat && std::memcmp(chunk, "fmt ", 4) == 0) {
            // The whole chunk must be there, but only the record is kept.
            if (size < 16 || body + size > source.Size())
                return false;
            uint8_t record[18] = {};
            const size_t take = static_cast<size_t>(std::min<uint64_t>(size, sizeof record));
            if (!source.ReadAt(body, record, take))
                return false;
            format->formatTag = Le16(record);
            format->channels = Le16(record + 2);
            format->samplesPerSec = Le32(record + 4);
            format->avgBytesPerSec = Le32(record + 8);
            format->blockAlign = Le16(record + 12);
            format->bitsPerSample = Le16(record + 14);
            format->extraSize = take >= 18 ? Le16(record + 16) : 0;
            haveFormat = true;
        } else if (haveFormat && std::memcmp(chunk, "data", 4) == 0) {
            return true;
        }
        at = body + size + (size & 1); // chunks are padded to even length
    }
    return false;
}

uint64_t RiffChunkEnd(const uint8_t* head, size_t count)
{
    if (!head || count < 8 || std::memcmp(head, "RIFF", 4) != 0)
        return 0;
    return 8 + static_cast<uint64_t>(Le32(head + 4));
}

size_t FindTrailer(const uint8_t* buffer, size_t count, size_t from)
{
    if (!buffer)
        return kNotFound;
    for (size_t i = from; i + 3 <= count; ++i) {
        if (buffer[i] == 'T' && buffer[i + 1] == 'A' && buffer[i + 2] == 'G')
            return i;
    }
    return kNotFound;
}

TrailerFields ReadTrailerFields(const uint8_t* buffer, size_t count, size_t at)
{
    TrailerFields fields;
    if (!buffer || at >= count)
        return fields;
    fields.title = BlankedField(buffer, count, at + kTitleAt, kTextWidth);
    fields.artist = BlankedField(buffer, count, at + kArtistAt, kTextWidth);
    fields.album = BlankedField(buffer, count, at + kAlbumAt, kTextWidth);
    fields.year = BlankedField(buffer, count, at + kYearAt, kYearWidth);
    fields.comment = BlankedField(buffer, count, at + kCommentAt, kTextWidth);
    if (count - at > kGenreAt)
        fields.genre = buffer[at + kGenreAt];
    return fields;
}

void BuildTrailer(const TrailerFields& fields, uint8_t* block)
{
    std::memset(block, 0, kTrailerSize);
    std::memcpy(block, "TAG", 3);
    PutField(block, kTitleAt, kTextWidth, fields.title);
    PutField(block, kArtistAt, kTextWidth, fields.artist);
    PutField(block, kAlbumAt, kTextWidth, fields.album);
    PutField(block, kYearAt, kYearWidth, fields.year);
    PutField(block, kCommentAt, kTextWidth, fields.comment);
    block[kGenreAt] = static_cast<uint8_t>(fields.genre < 0 ? 0 : fields.genre & 0xFF);
}

} // namespace wavinfo
