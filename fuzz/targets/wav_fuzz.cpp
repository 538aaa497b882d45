// WAV information over any file: the RIFF walk to the format record, the
// end of the RIFF chunk, and the tag trailers after it, as an import reads
// a WAV file. A trailer's fields must survive being written into a block
// and read back.
#include "fuzz/FuzzCheck.h"
#include "library/tags/WavInfoParse.h"

#include <cstring>
#include <string>

namespace {

class MemorySource : public wavinfo::ByteSource
{
public:
    MemorySource(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}
    bool ReadAt(uint64_t offset, void* buffer, size_t count) override
    {
        if (offset > m_size || count > m_size - offset)
            return false;
        if (count)
            std::memcpy(buffer, m_data + offset, count);
        return true;
    }
    uint64_t Size() const override { return m_size; }

private:
    const uint8_t* m_data;
    size_t m_size;
};

// A field read from a block cut short comes back filled up with blanks
// (the written block holds zero bytes there).
std::string Widened(const std::string& text, size_t width)
{
    return text.size() < width ? text + std::string(width - text.size(), ' ') : text;
}

void CheckTrailerRoundTrip(const wavinfo::TrailerFields& fields)
{
    uint8_t block[wavinfo::kTrailerSize];
    wavinfo::BuildTrailer(fields, block);
    const wavinfo::TrailerFields again = wavinfo::ReadTrailerFields(block, sizeof block, 0);
    FUZZ_CHECK(again.title == Widened(fields.title, 30), "title [%s] read back as [%s]",
               fields.title.c_str(), again.title.c_str());
    FUZZ_CHECK(again.artist == Widened(fields.artist, 30), "artist changed");
    FUZZ_CHECK(again.album == Widened(fields.album, 30), "album changed");
    FUZZ_CHECK(again.year == Widened(fields.year, 4), "year changed");
    FUZZ_CHECK(again.comment == Widened(fields.comment, 30), "comment changed");
    FUZZ_CHECK(again.genre == (fields.genre < 0 ? 0 : fields.genre), "genre %d read back as %d",
               fields.genre, again.genre);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    MemorySource source(data, size);
    wavinfo::WavFormat format;
    wavinfo::ReadWavFormat(source, &format);

    // The trailers: every "TAG" after the RIFF chunk (or anywhere in a file
    // without one), as the import looks for them.
    const uint64_t end = wavinfo::RiffChunkEnd(data, size);
    size_t from = end < size ? static_cast<size_t>(end) : 0;
    for (int found = 0; found < 64; ++found) {
        const size_t at = wavinfo::FindTrailer(data, size, from);
        if (at == wavinfo::kNotFound)
            break;
        FUZZ_CHECK(at >= from && at + 3 <= size, "a trailer found outside the bytes searched");
        CheckTrailerRoundTrip(wavinfo::ReadTrailerFields(data, size, at));
        from = at + 1;
    }
    return 0;
}
