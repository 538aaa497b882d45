// The RIFF walk and the trailer blocks, on bytes built in memory.
#include "library/tags/WavInfoParse.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

class MemorySource : public wavinfo::ByteSource
{
public:
    explicit MemorySource(std::string bytes) : m_bytes(std::move(bytes)) {}
    bool ReadAt(uint64_t offset, void* buffer, size_t count) override
    {
        if (offset > m_bytes.size() || count > m_bytes.size() - offset)
            return false;
        std::memcpy(buffer, m_bytes.data() + offset, count);
        return true;
    }
    uint64_t Size() const override { return m_bytes.size(); }

private:
    std::string m_bytes;
};

std::string Le32(uint32_t v)
{
    std::string s(4, '\0');
    for (int i = 0; i < 4; ++i)
        s[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
    return s;
}

std::string Le16(uint16_t v)
{
    return std::string{static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)};
}

std::string Chunk(const char* id, const std::string& body, uint32_t claimed = 0xFFFFFFFF)
{
    std::string s = std::string(id, 4) + Le32(claimed == 0xFFFFFFFF ? body.size() : claimed) + body;
    if (body.size() & 1)
        s += '\0';
    return s;
}

std::string Pcm(uint16_t channels, uint32_t rate, uint16_t bits, uint32_t avg)
{
    uint16_t align = static_cast<uint16_t>(channels * bits / 8);
    return Le16(1) + Le16(channels) + Le32(rate) + Le32(avg) + Le16(align) + Le16(bits);
}

std::string Riff(const std::string& chunks, uint32_t claimed = 0xFFFFFFFF)
{
    return "RIFF" + Le32(claimed == 0xFFFFFFFF ? 4 + chunks.size() : claimed) + "WAVE" + chunks;
}

} // namespace

TEST(WavParse, ReadsTheFormatRecordOfEachLayout)
{
    const std::string pcm = Pcm(2, 44100, 16, 176400);
    // WAVE_FORMAT_EXTENSIBLE: a 40-byte chunk, longer than the record.
    const std::string extensible = pcm + Le16(22) + std::string(22, '\x5A');
    struct Case {
        const char* name;
        std::string file;
        bool ok;
        uint16_t extra;
    };
    const Case cases[] = {
        {"plain", Riff(Chunk("fmt ", pcm) + Chunk("data", std::string(100, '\1'))), true, 0},
        {"extensible", Riff(Chunk("fmt ", extensible) + Chunk("data", std::string(8, '\1'))), true, 22},
        {"odd chunk before", Riff(Chunk("LIST", "abc") + Chunk("fmt ", pcm) + Chunk("data", "xy")), true, 0},
        {"data claims more than the file", Riff(Chunk("fmt ", pcm) + "data" + Le32(1000000)), true, 0},
        {"no data", Riff(Chunk("fmt ", pcm)), false, 0},
        {"data before fmt", Riff(Chunk("data", "xy") + Chunk("fmt ", pcm)), false, 0},
        {"short fmt", Riff(Chunk("fmt ", pcm.substr(0, 12)) + Chunk("data", "xy")), false, 0},
        {"fmt past the end", Riff("fmt " + Le32(5000) + pcm), false, 0},
        {"not WAVE", "RIFF" + Le32(20) + "AVI " + Chunk("fmt ", pcm), false, 0},
        {"not RIFF", "RIFX" + Le32(20) + "WAVE" + Chunk("fmt ", pcm), false, 0},
        {"header only", "RIFF", false, 0},
        {"empty", "", false, 0},
        {"riff size stops before data", Riff(Chunk("fmt ", pcm) + Chunk("data", "xy"), 4 + 24), false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MemorySource source(c.file);
        wavinfo::WavFormat format;
        ASSERT_EQ(c.ok, wavinfo::ReadWavFormat(source, &format));
        if (c.ok) {
            EXPECT_EQ(1, format.formatTag);
            EXPECT_EQ(2, format.channels);
            EXPECT_EQ(44100u, format.samplesPerSec);
            EXPECT_EQ(176400u, format.avgBytesPerSec);
            EXPECT_EQ(4, format.blockAlign);
            EXPECT_EQ(16, format.bitsPerSample);
            EXPECT_EQ(c.extra, format.extraSize);
        }
    }
}

TEST(WavParse, RiffChunkEndComesFromTheHeader)
{
    const std::string riff = "RIFF" + Le32(1000) + "WAVE";
    EXPECT_EQ(1008u, wavinfo::RiffChunkEnd(reinterpret_cast<const uint8_t*>(riff.data()), riff.size()));
    const std::string other = "ID3\x03" + Le32(1000);
    EXPECT_EQ(0u, wavinfo::RiffChunkEnd(reinterpret_cast<const uint8_t*>(other.data()), other.size()));
    EXPECT_EQ(0u, wavinfo::RiffChunkEnd(reinterpret_cast<const uint8_t*>(riff.data()), 6));
}

TEST(WavParse, TrailerBlockRoundTripsAndCutsLongTexts)
{
    wavinfo::TrailerFields in;
    in.title = "A title that is far longer than thirty characters";
    in.artist = "Artist";
    in.album = "";
    in.year = "19991";
    in.comment = "Note";
    in.genre = 17;
    uint8_t block[wavinfo::kTrailerSize];
    wavinfo::BuildTrailer(in, block);
    EXPECT_EQ(0, std::memcmp(block, "TAG", 3));
    EXPECT_EQ(17, block[127]);
    EXPECT_EQ(0, block[33 + 6]) << "a short text is filled with zero bytes";

    wavinfo::TrailerFields out = wavinfo::ReadTrailerFields(block, sizeof block, 0);
    EXPECT_EQ(in.title.substr(0, 30), out.title);
    EXPECT_EQ("Artist" + std::string(24, ' '), out.artist);
    EXPECT_EQ(std::string(30, ' '), out.album);
    EXPECT_EQ("1999", out.year);
    EXPECT_EQ("Note" + std::string(26, ' '), out.comment);
    EXPECT_EQ(17, out.genre);
}

TEST(WavParse, TrailerNearTheEndOfTheBufferIsCutShortSafely)
{
    wavinfo::TrailerFields in;
    in.title = "Title";
    in.artist = "Artist";
    in.genre = 5;
    uint8_t block[wavinfo::kTrailerSize];
    wavinfo::BuildTrailer(in, block);
    struct Case { size_t count; size_t titleSize; size_t artistSize; int genre; };
    const Case cases[] = {
        {128, 30, 30, 5}, {127, 30, 30, -1}, {40, 30, 7, -1}, {3, 0, 0, -1}, {10, 7, 0, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.count);
        // The block copied to the end of a buffer that stops after count bytes.
        std::vector<uint8_t> buffer(block, block + c.count);
        wavinfo::TrailerFields out = wavinfo::ReadTrailerFields(buffer.data(), buffer.size(), 0);
        EXPECT_EQ(c.titleSize, out.title.size());
        EXPECT_EQ(c.artistSize, out.artist.size());
        EXPECT_EQ(c.genre, out.genre);
    }
    EXPECT_TRUE(wavinfo::ReadTrailerFields(block, 128, 128).title.empty());
}

TEST(WavParse, FindTrailerStartsAtTheGivenIndex)
{
    const std::string bytes = std::string("xxTAGyyTAG") + std::string(4, '\0') + "TA";
    const uint8_t* p = reinterpret_cast<const uint8_t*>(bytes.data());
    EXPECT_EQ(2u, wavinfo::FindTrailer(p, bytes.size(), 0));
    EXPECT_EQ(7u, wavinfo::FindTrailer(p, bytes.size(), 3));
    EXPECT_EQ(wavinfo::kNotFound, wavinfo::FindTrailer(p, bytes.size(), 8));
    EXPECT_EQ(wavinfo::kNotFound, wavinfo::FindTrailer(p, 4, 0));
}
