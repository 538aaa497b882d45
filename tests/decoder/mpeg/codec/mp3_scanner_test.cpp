// The MP3 stream scanner on files generated here and made by lame.
#include <gtest/gtest.h>

#include <string.h>

#include "decoder/mpeg/mp3_scanner.h"
#include "tests/decoder/mpeg/codec/mpeg_test_streams.h"
#include "tests/support/TestSupport.h"

using mpeg_test::BigEndian32;
using mpeg_test::Frame;
using mpeg_test::HeaderWord;
using mpeg_test::Id3v1;
using mpeg_test::Id3v2;
using mpeg_test::Repeat;

namespace {

const uint32_t k128 = HeaderWord(1, 1, 9, 0, 0, 1);   // MPEG-1 layer III 128k 44.1, 417 bytes
const uint32_t k192 = HeaderWord(1, 1, 11, 0, 0, 1);  // 192k, 626 bytes

class Mp3Scanner : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_EQ(0, mp3_scanner_new(&m_scanner)); }
    void TearDown() override { EXPECT_EQ(0, mp3_scanner_delete(m_scanner)); }

    int Scan(const std::string& bytes, int frame_limit, int stop_mask = 0, int resync_limit = 0,
             mp3_frame_callback callback = nullptr, void* data = nullptr)
    {
        const std::string path = m_dir.File("scan.mp3");
        EXPECT_TRUE(tavrix_test::WriteFileBytes(path, bytes));
        return ScanPath(path, frame_limit, stop_mask, resync_limit, callback, data);
    }
    int ScanPath(const std::string& path, int frame_limit, int stop_mask = 0, int resync_limit = 0,
                 mp3_frame_callback callback = nullptr, void* data = nullptr)
    {
        memset(&m_info, 0x5A, sizeof(m_info));
        return mp3_scanner_scan(m_scanner, path.c_str(), callback, data, &m_info, stop_mask,
                                resync_limit, frame_limit);
    }
    void ExpectNoFrames()
    {
        EXPECT_EQ(0, m_info.frames);
        EXPECT_EQ(-1, m_info.version);
        EXPECT_EQ(-1, m_info.layer);
        EXPECT_EQ(-1, m_info.bitrate);
        EXPECT_EQ(-1, m_info.sample_rate);
        EXPECT_EQ(-1, m_info.mode);
        EXPECT_EQ(-1, m_info.channels);
    }

    tavrix_test::TempDir m_dir;
    mp3_scanner* m_scanner = nullptr;
    mp3_stream_info m_info;
};

TEST_F(Mp3Scanner, ConstantBitrateWithId3v1)
{
    const std::string bytes =
        Repeat(Frame(k128), 20) + Id3v1("A Title", "An Artist", "An Album", "1999", "Hi", 13);
    ASSERT_EQ(0, Scan(bytes, 3));
    EXPECT_EQ(1, m_info.version);
    EXPECT_EQ(3, m_info.layer);
    EXPECT_EQ(128000, m_info.bitrate);
    EXPECT_EQ(44100, m_info.sample_rate);
    EXPECT_EQ(1, m_info.mode);
    EXPECT_EQ(2, m_info.channels);
    EXPECT_EQ(192, m_info.flags);
    EXPECT_EQ(3, m_info.frames);
    EXPECT_EQ(static_cast<int32_t>((bytes.size() - 128) * 1000 / 16000), m_info.duration_ms);
    ASSERT_NE(nullptr, m_info.title);
    EXPECT_STREQ("A Title", m_info.title);
    EXPECT_STREQ("An Artist", m_info.artist);
    EXPECT_STREQ("An Album", m_info.album);
    EXPECT_STREQ("1999", m_info.year);
    EXPECT_STREQ("Hi", m_info.comment);
    EXPECT_EQ(13, m_info.genre);

    ASSERT_EQ(0, Scan(bytes, 0));
    EXPECT_EQ(20, m_info.frames);
    EXPECT_EQ(static_cast<int32_t>(20 * 1152 / 44100.0 * 1000), m_info.duration_ms);
    EXPECT_EQ(128000, m_info.bitrate);
    EXPECT_EQ(192, m_info.flags);
}

TEST_F(Mp3Scanner, VariableBitrateWithXing)
{
    std::string xing(32, '\0');
    // 100 frames: as many as these bytes can hold at 46 kbit/s.
    xing += "Xing" + BigEndian32(1) + BigEndian32(100);
    std::string bytes = Frame(k128, xing);
    for (int i = 0; i < 30; ++i)
        bytes += Frame(i % 3 ? k128 : k192);
    ASSERT_EQ(0, Scan(bytes, 5));
    const int32_t duration = 26 * 100; // whole milliseconds per frame x frames
    EXPECT_EQ(duration, m_info.duration_ms);
    EXPECT_EQ(static_cast<int32_t>(bytes.size() / 2 * 8), m_info.bitrate);
    EXPECT_EQ(4, m_info.flags & 4);

    ASSERT_EQ(0, Scan(bytes, 0));
    EXPECT_EQ(31, m_info.frames);
    EXPECT_EQ(4, m_info.flags);
    const double seconds = 31 * 1152 / 44100.0;
    EXPECT_NEAR(bytes.size() * 8 / seconds, m_info.bitrate, 1.0);
}

TEST_F(Mp3Scanner, VbriAndMpeg2Xing)
{
    std::string vbri(32, '\0');
    vbri += "VBRI" + std::string(10, '\0') + BigEndian32(50);
    const std::string bytes = Frame(k128, vbri) + Repeat(Frame(k192), 10);
    ASSERT_EQ(0, Scan(bytes, 3));
    const int32_t duration = static_cast<int32_t>(1152 * 1000.0 * 50 / 44100);
    EXPECT_EQ(duration, m_info.duration_ms);
    EXPECT_EQ(static_cast<int32_t>(bytes.size() / (duration / 1000) * 8), m_info.bitrate);

    // MPEG-2 layer III at 22.05 kHz stereo: 576 samples, 26 ms per frame.
    const uint32_t lsf = HeaderWord(0, 1, 8, 0, 0, 0);
    std::string xing(17, '\0');
    xing += "Xing" + BigEndian32(3) + BigEndian32(50) + BigEndian32(12345);
    const std::string lsf_bytes = Frame(lsf, xing) + Repeat(Frame(lsf), 10);
    ASSERT_EQ(0, Scan(lsf_bytes, 5));
    EXPECT_EQ(2, m_info.version);
    EXPECT_EQ(22050, m_info.sample_rate);
    EXPECT_EQ(26 * 50, m_info.duration_ms);
    ASSERT_EQ(0, Scan(lsf_bytes, 0));
    EXPECT_EQ(11, m_info.frames);
    EXPECT_EQ(static_cast<int32_t>(11 * 576 / 22050.0 * 1000), m_info.duration_ms);

    // "Lame" without the frame-count flag gives nothing.
    std::string lame(32, '\0');
    lame += "Lame" + BigEndian32(6) + BigEndian32(777);
    ASSERT_EQ(0, Scan(Frame(k128, lame) + Repeat(Frame(k128), 4), 2));
    EXPECT_EQ(static_cast<int32_t>(5 * 417 * 1000 / 16000), m_info.duration_ms);
}

TEST_F(Mp3Scanner, GarbageEmptyAndShortFiles)
{
    ASSERT_EQ(0, Scan(std::string(5000, '\x37'), 0));
    ExpectNoFrames();
    EXPECT_EQ(0, m_info.duration_ms);

    ASSERT_EQ(0, Scan(std::string(), 3));
    ExpectNoFrames();
    EXPECT_EQ(nullptr, m_info.title);

    // After the ID3v2 tag fewer than 128 bytes remain: no frame is found,
    // even though a whole frame is there.
    const uint32_t small = HeaderWord(0, 1, 1, 2, 0, 0); // 36-byte frames
    ASSERT_EQ(0, Scan(Id3v2(20) + Repeat(Frame(small), 2), 0));
    ExpectNoFrames();
    EXPECT_EQ(256, m_info.flags);

    // A free-format stream has no frame at all.
    ASSERT_EQ(0, Scan(Repeat(BigEndian32(HeaderWord(1, 1, 0, 0, 0, 0)) + std::string(400, '\0'), 5), 0));
    EXPECT_EQ(0, m_info.frames);

    EXPECT_EQ(MP3_SCAN_NO_FILE, ScanPath(m_dir.File("missing.mp3"), 0));
}

TEST_F(Mp3Scanner, GarbageBeforeAndBetweenFramesAndTags)
{
    const std::string tag = Id3v2(300);
    const std::string bytes = tag + std::string(77, '\x12') + Repeat(Frame(k128), 6) +
                              std::string(50, '\x00') + Repeat(Frame(k128), 6) +
                              Id3v1("T", "A", "B", "2000", "C", 1);
    ASSERT_EQ(0, Scan(bytes, 0));
    EXPECT_EQ(12, m_info.frames);
    EXPECT_EQ(256 | 192, m_info.flags);
    EXPECT_EQ(128000, m_info.bitrate);

    ASSERT_EQ(0, Scan(bytes, 2));
    EXPECT_EQ(static_cast<int32_t>((bytes.size() - tag.size() - 128) * 1000 / 16000),
              m_info.duration_ms);
}

TEST_F(Mp3Scanner, TruncatedLastFrameIsCounted)
{
    std::string bytes = Repeat(Frame(k128), 8);
    bytes.resize(bytes.size() - 100);
    ASSERT_EQ(0, Scan(bytes, 0));
    EXPECT_EQ(8, m_info.frames);
    bytes.resize(417 * 7 + 2); // two bytes of a last header only
    ASSERT_EQ(0, Scan(bytes, 0));
    EXPECT_EQ(7, m_info.frames);
}

TEST_F(Mp3Scanner, StopMaskResyncLimitAndCallback)
{
    const uint32_t rate48 = HeaderWord(1, 1, 9, 1, 0, 1);
    const std::string changing = Repeat(Frame(k128), 4) + Repeat(Frame(rate48), 4);
    EXPECT_EQ(MP3_SCAN_STOPPED, Scan(changing, 0, 8));
    EXPECT_EQ(0, Scan(changing, 0, 16));
    EXPECT_EQ(8, m_info.flags);
    EXPECT_EQ(-1, m_info.sample_rate);

    const std::string late = std::string(100, '\x01') + Repeat(Frame(k128), 4);
    EXPECT_EQ(MP3_SCAN_NO_SYNC, Scan(late, 0, 0, 10));
    EXPECT_EQ(0, Scan(late, 0, 0, 200));
    EXPECT_EQ(4, m_info.frames);

    // The resynchronisation limit counts every byte slid over, whether the
    // walk crosses the garbage a byte or a run at a time: a sync word 100
    // bytes in is found with a limit of 101 and refused with 100. Runs
    // without 0xFF bytes, runs with them, and a run longer than the read
    // window.
    const std::string garbage[] = {std::string(100, '\0'), std::string(100, '\x01'),
                                   Repeat(std::string("\xFF\x12", 2), 50),
                                   std::string(99, '\0') + "\xFF"};
    for (const std::string& g : garbage) {
        const std::string stream = g + Repeat(Frame(k128), 4);
        EXPECT_EQ(MP3_SCAN_NO_SYNC, Scan(stream, 0, 0, 100)) << g.size();
        EXPECT_EQ(0, Scan(stream, 0, 0, 101));
        EXPECT_EQ(4, m_info.frames);
    }
    const std::string longRun = std::string(200000, '\0') + Repeat(Frame(k128), 4);
    EXPECT_EQ(MP3_SCAN_NO_SYNC, Scan(longRun, 0, 0, 200000));
    EXPECT_EQ(0, Scan(longRun, 0, 0, 200001));
    EXPECT_EQ(4, m_info.frames);
    EXPECT_EQ(0, Scan(longRun, 0, 0, 0));
    EXPECT_EQ(4, m_info.frames);

    struct seen
    {
        int calls = 0;
        mp3_frame_info last = {};
    } s;
    auto callback = [](void* data, const mp3_frame_info* fi) {
        seen* sp = static_cast<seen*>(data);
        ++sp->calls;
        sp->last = *fi;
        return fi->frame == 2 ? 1 : 0;
    };
    ASSERT_EQ(0, Scan(Repeat(Frame(k192), 6), 0, 0, 0, callback, &s));
    EXPECT_EQ(3, s.calls);
    EXPECT_EQ(2, m_info.frames);
    EXPECT_EQ(2, s.last.frame);
    EXPECT_EQ(192000, s.last.bitrate);
    EXPECT_EQ(1152, s.last.samples);
    EXPECT_EQ(1, s.last.version);
    EXPECT_EQ(3, s.last.layer);
    EXPECT_EQ(2, s.last.channels);
}

TEST_F(Mp3Scanner, FilesMadeByLame)
{
    ASSERT_EQ(0, ScanPath(tavrix_test::MediaPath("tone440.mp3"), 0));
    EXPECT_EQ(1, m_info.version);
    EXPECT_EQ(3, m_info.layer);
    EXPECT_EQ(128000, m_info.bitrate);
    EXPECT_EQ(44100, m_info.sample_rate);
    EXPECT_EQ(2, m_info.channels);
    EXPECT_NEAR(3000, m_info.duration_ms, 100);
    EXPECT_EQ(0, m_info.flags);

    ASSERT_EQ(0, ScanPath(tavrix_test::MediaPath("tone440_vbr.mp3"), 5));
    EXPECT_NEAR(3000, m_info.duration_ms, 100);
    EXPECT_GT(m_info.bitrate, 8000);

    ASSERT_EQ(0, ScanPath(tavrix_test::MediaPath("tone440_tags.mp3"), 3));
    EXPECT_EQ(256 | 192, m_info.flags);
    EXPECT_EQ(128000, m_info.bitrate);
    EXPECT_NEAR(3000, m_info.duration_ms, 100);
    ASSERT_NE(nullptr, m_info.title);
    EXPECT_STREQ("Scanner Title", m_info.title);
    EXPECT_STREQ("Scanner Artist", m_info.artist);
    EXPECT_STREQ("Scanner Album", m_info.album);
    EXPECT_STREQ("2024", m_info.year);
    EXPECT_STREQ("Note", m_info.comment);
    EXPECT_EQ(17, m_info.genre);
}

// A source over bytes in memory that hands out at most `chunk` bytes a call
// and fails every read at or past `fail_at`.
struct MemorySource
{
    const std::string* bytes;
    size_t chunk;
    int64_t fail_at;
    int calls = 0;

    static int64_t Read(void* data, int64_t offset, void* buffer, size_t count)
    {
        MemorySource* m = static_cast<MemorySource*>(data);
        ++m->calls;
        if (offset >= m->fail_at)
            return -1;
        const int64_t size = static_cast<int64_t>(m->bytes->size());
        if (offset >= size)
            return 0;
        size_t n = count < m->chunk ? count : m->chunk;
        if (static_cast<int64_t>(n) > size - offset)
            n = static_cast<size_t>(size - offset);
        memcpy(buffer, m->bytes->data() + offset, n);
        return static_cast<int64_t>(n);
    }
};

// A scan over an open source gives what the scan of the same bytes as a
// file gives, whatever sizes the source's reads come in; a read that fails
// ends the scan with an error instead of a short result.
TEST_F(Mp3Scanner, SourceScanMatchesFileScan)
{
    std::string xing(32, '\0');
    xing += "Xing" + BigEndian32(1) + BigEndian32(1000);
    const std::string streams[] = {
        Repeat(Frame(k128), 20) + Id3v1("A Title", "An Artist", "An Album", "1999", "Hi", 13),
        Id3v2(300) + std::string(77, '\x12') + Repeat(Frame(k128), 6) + std::string(50, '\0') +
            Repeat(Frame(k192), 6),
        Frame(k128, xing) + Repeat(Frame(k192), 30),
        // Longer than the scanner's read window: the walk refills it.
        Id3v2(1000) + Repeat(Frame(k128), 400) + Id3v1("Long", "B", "C", "2001", "D", 2),
        std::string(3000, '\x37'),
        std::string(),
    };
    for (const std::string& bytes : streams) {
        for (int limit : {0, 5}) {
            ASSERT_EQ(0, Scan(bytes, limit));
            const mp3_stream_info byFile = m_info;
            const std::string title = byFile.title ? byFile.title : "";
            for (size_t chunk : {size_t(1000), size_t(1) << 20}) {
                MemorySource source{&bytes, chunk, INT64_MAX};
                mp3_scan_source src{&source, static_cast<int64_t>(bytes.size()), MemorySource::Read};
                memset(&m_info, 0x5A, sizeof(m_info));
                ASSERT_EQ(0, mp3_scanner_scan_source(m_scanner, &src, nullptr, nullptr, &m_info, 0,
                                                     0, limit));
                SCOPED_TRACE(testing::Message() << bytes.size() << " bytes, limit " << limit
                                                << ", chunk " << chunk);
                EXPECT_EQ(byFile.frames, m_info.frames);
                EXPECT_EQ(byFile.duration_ms, m_info.duration_ms);
                EXPECT_EQ(byFile.bitrate, m_info.bitrate);
                EXPECT_EQ(byFile.version, m_info.version);
                EXPECT_EQ(byFile.sample_rate, m_info.sample_rate);
                EXPECT_EQ(byFile.flags, m_info.flags);
                EXPECT_EQ(title, m_info.title ? m_info.title : "");
            }
        }
    }
    ASSERT_EQ(0, Scan(streams[3], 0));
    EXPECT_EQ(400, m_info.frames);

    MemorySource failing{&streams[3], size_t(1) << 20, 100000};
    mp3_scan_source src{&failing, static_cast<int64_t>(streams[3].size()), MemorySource::Read};
    EXPECT_EQ(MP3_SCAN_READ_FAILED,
              mp3_scanner_scan_source(m_scanner, &src, nullptr, nullptr, &m_info, 0, 0, 0));
    EXPECT_GT(failing.calls, 1);
}

} // namespace

// Files whose size or VBR header feeds the scanner's arithmetic past what
// MPEG audio can be: the results stay within physical bounds.
TEST_F(Mp3Scanner, TwoFramesBeforeMegabytesOfOtherBytes)
{
    // Two layer I frames at 48 kHz (32 and 448 kbit/s, 32 and 448 bytes),
    // then 4.4 MB of zeros: the file's bytes over the frames' 16 ms would
    // be 2.2 Gbit/s, past the 32-bit range; the frames' own average counts.
    const std::string bytes = Frame(HeaderWord(1, 3, 1, 1, 0, 3)) +
                              Frame(HeaderWord(1, 3, 14, 1, 0, 3)) + std::string(4400000, '\0');
    ASSERT_EQ(0, Scan(bytes, 0));
    EXPECT_EQ(2, m_info.frames);
    EXPECT_EQ(16, m_info.duration_ms);
    EXPECT_EQ(MP3_FLAG_BITRATE_CHANGED, m_info.flags);
    EXPECT_EQ((32 + 448) * 8 * 1000 / 16, m_info.bitrate);
}

TEST_F(Mp3Scanner, VbrHeaderCountTheBytesCannotHold)
{
    // 7,201 frames at 128 kbit/s (188 s) whose first carries a Xing header
    // claiming 100,663,296 frames (30 days, past the 32-bit milliseconds):
    // no frame is that small, so the short scan estimates from the size as
    // for any constant-bitrate file and agrees with the whole walk.
    std::string xing(32, '\0');
    xing += "Xing" + BigEndian32(1) + BigEndian32(100663296);
    const std::string bytes = Frame(k128, xing) + Repeat(Frame(k128), 7200);
    ASSERT_EQ(0, Scan(bytes, 0));
    EXPECT_EQ(7201, m_info.frames);
    const int32_t whole = m_info.duration_ms;
    EXPECT_EQ(static_cast<int32_t>(7201 * 1152 * 1000.0 / 44100), whole);
    for (int limit : {5, 3}) {
        ASSERT_EQ(0, Scan(bytes, limit));
        EXPECT_EQ(128000, m_info.bitrate);
        EXPECT_EQ(static_cast<int32_t>(bytes.size() / 16000.0 * 1000), m_info.duration_ms);
        EXPECT_NEAR(whole, m_info.duration_ms, whole / 100);
    }

    // A count the bytes can hold is believed, as before.
    std::string fits(32, '\0');
    fits += "Xing" + BigEndian32(1) + BigEndian32(8000);
    ASSERT_EQ(0, Scan(Frame(k128, fits) + Repeat(Frame(k128), 7200), 5));
    EXPECT_EQ(26 * 8000, m_info.duration_ms);
}
