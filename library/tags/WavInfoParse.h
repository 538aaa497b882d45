// The byte-level side of WAV files: the RIFF walk that finds the format
// record, and the 128-byte tag trailers kept after the RIFF chunk.
// Pure code: no Windows header, so it builds natively as well.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

namespace wavinfo {

// Reads bytes at an absolute offset; ReadAt answers true only for a full read.
class ByteSource
{
public:
    virtual ~ByteSource() = default;
    virtual bool ReadAt(uint64_t offset, void* buffer, size_t count) = 0;
    virtual uint64_t Size() const = 0;
};

// A ByteSource over an open stdio file (the caller keeps and closes it).
class FileByteSource : public ByteSource
{
public:
    explicit FileByteSource(std::FILE* file);
    bool ReadAt(uint64_t offset, void* buffer, size_t count) override;
    uint64_t Size() const override { return m_size; }

private:
    std::FILE* m_file;
    uint64_t m_size = 0;
};

// The PCM fields of a "fmt " chunk and the extension size.
struct WavFormat
{
    uint16_t formatTag = 0;
    uint16_t channels = 0;
    uint32_t samplesPerSec = 0;
    uint32_t avgBytesPerSec = 0;
    uint16_t blockAlign = 0;
    uint16_t bitsPerSample = 0;
    uint16_t extraSize = 0;
};

// Finds the RIFF chunk of form "WAVE", its "fmt " chunk and a "data" chunk
// after it. A format chunk longer than the record is read only as far as the
// record goes; one shorter than the 16 PCM bytes, or running past the end of
// the file, fails.
bool ReadWavFormat(ByteSource& source, WavFormat* format);

// The end of the RIFF chunk (8 + its size) from the file's first bytes, or 0
// when they do not start a RIFF chunk.
uint64_t RiffChunkEnd(const uint8_t* head, size_t count);

constexpr size_t kTrailerSize = 128;
constexpr size_t kNotFound = static_cast<size_t>(-1);

// The fields of a trailer block; genre is -1 when the block is cut short
// before its genre byte.
struct TrailerFields
{
    std::string title;
    std::string artist;
    std::string album;
    std::string year;
    std::string comment;
    int genre = -1;
};

// Index of the first "TAG" in buffer at or after index from, or kNotFound.
size_t FindTrailer(const uint8_t* buffer, size_t count, size_t from);

// The fields of the block starting at index at (where "TAG" stands); zero
// bytes read as blanks; fields past the buffer's end come out cut short.
TrailerFields ReadTrailerFields(const uint8_t* buffer, size_t count, size_t at);

// A 128-byte block: each text cut to its width or filled up with zero bytes.
void BuildTrailer(const TrailerFields& fields, uint8_t* block);

} // namespace wavinfo
