// ID3v2.3 and ID3v2.4 tags of the same frames, in every text encoding,
// read to the same record; pictures in ID3v2.4 tags; and a tag whose
// compressed frame inflates to 256 MB, read with little memory. The tags
// are made by the test writer and put before the untagged tone.
#include "library/api/VIZU.h"
#include "tests/library/tags/TagsFixture.h"
#include "tests/support/Id3v2Writer.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <psapi.h>

#include <string>
#include <vector>

using namespace tavrix_test;

namespace {

// The untagged tone with the tag in front of it.
std::string Mp3WithTag(const TempDir& dir, const std::string& name, const std::string& tag)
{
    std::string audio;
    EXPECT_TRUE(ReadFileBytes(MediaPath("tone440.mp3"), audio));
    const std::string path = dir.File(name);
    EXPECT_TRUE(WriteFileBytes(path, tag + audio));
    return path;
}

// Every frame the readers take, in one encoding.
Id3v2Writer FullTag(int major, Id3Encoding encoding, const Id3FrameOptions& titleOptions = {})
{
    Id3v2Writer tag(major);
    tag.Text("TIT2", " Caf\xC3\xA9 Noir ", encoding, titleOptions)
        .Text("TPE1", "Zo\xC3\xAB Keating", encoding)
        .Text("TALB", "D\xC3\xA9j\xC3\xA0 Vu", encoding)
        .Text("TCON", major == 4 ? "17" : "(17)", encoding)
        .Text("TBPM", "128.50", encoding)
        .Comment("", "Tr\xC3\xA8s bien", encoding)
        .Text("TENC", "Encod\xC3\xA9", encoding)
        .Text("TLEN", "183000", encoding)
        .Counter(42)
        .Picture("image/jpeg", std::string("\xFF\xD8\xFF\xE0\0\x10JFIF\xFF\xD9", 12), "cover", encoding);
    if (major == 4)
        tag.Text("TDRC", "1999-04-01T10:00", encoding);
    else
        tag.Text("TYER", "1999", encoding);
    return tag;
}

size_t PeakWorkingSet()
{
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters.PeakWorkingSetSize;
}

class Id3v24Read : public KVLibIniTest
{
protected:
    TempDir m_dir;
};

} // namespace

TEST_F(Id3v24Read, EveryVersionAndEncodingReadsToTheSameRecord)
{
    if (GetACP() != 1252)
        GTEST_SKIP() << "the expected texts are those of code page 1252, this is " << GetACP();
    Id3FrameOptions compressed;
    compressed.compress = true;
    Id3FrameOptions unsynchronised;
    unsynchronised.unsynchronise = true;
    unsynchronised.dataLength = true;
    struct Case { const char* name; std::string tag; };
    const Case cases[] = {
        {"v23-latin1", FullTag(3, kId3Latin1).Bytes(256)},
        {"v23-utf16", FullTag(3, kId3Utf16).Bytes(256)},
        {"v23-utf16-compressed-title", FullTag(3, kId3Utf16, compressed).Bytes()},
        {"v23-latin1-unsynchronised", FullTag(3, kId3Latin1).Bytes(0, true)},
        {"v24-latin1", FullTag(4, kId3Latin1).Bytes(256)},
        {"v24-utf16", FullTag(4, kId3Utf16).Bytes(256)},
        {"v24-utf16be", FullTag(4, kId3Utf16BE).Bytes()},
        {"v24-utf8", FullTag(4, kId3Utf8).Bytes()},
        {"v24-utf8-compressed-title", FullTag(4, kId3Utf8, compressed).Bytes()},
        {"v24-utf16-unsynchronised-title", FullTag(4, kId3Utf16, unsynchronised).Bytes()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = Mp3WithTag(m_dir, std::string(c.name) + ".mp3", c.tag);
        TAG_INFO info;
        ASSERT_TRUE(VIZU::GetTagInfo(path.c_str(), &info));
        EXPECT_EQ("Caf\xE9 Noir", info.Title.str());
        EXPECT_EQ("Zo\xEB Keating", info.Artist.str());
        EXPECT_EQ("D\xE9j\xE0 Vu", info.Album.str());
        EXPECT_EQ("Rock", info.Genre.str());
        EXPECT_EQ("1999", info.Year.str());
        EXPECT_EQ("Tr\xE8s bien", info.Comment.str());
        EXPECT_EQ("Encod\xE9", info.EncodedBy.str());
        EXPECT_EQ("12850", info.BPMText.str());
        EXPECT_EQ(128, info.BPM);
        EXPECT_TRUE(info.HasBPM);
        EXPECT_EQ(42, info.PlayCount);
        EXPECT_TRUE(info.HasPicture);
        EXPECT_EQ(3, info.Length);
        EXPECT_EQ(44100, info.SampleRate);

        CTrackRecord rec;
        ASSERT_TRUE(VIZU::CopyTagInfoToRecord(&rec, &info));
        EXPECT_EQ(1, rec.m_HasPicture);
        EXPECT_EQ("12850", rec.m_BPMText.str());

        TAG_INFO quick;
        ASSERT_TRUE(VIZU::GetID3TagQuick(&quick, path.c_str()));
        EXPECT_EQ("Caf\xE9 Noir", quick.Title.str());
        EXPECT_EQ("183000", quick.LengthText.str());
        EXPECT_EQ(183, quick.Length);
        EXPECT_EQ("1999", quick.Year.str());

        CTrackRecord old;
        ASSERT_TRUE(VIZU::ReadID3Tag(&old, path.c_str()));
        EXPECT_EQ(" Caf\xE9 Noir ", old.m_Title.str()) << "the older reader trims nothing";
        EXPECT_EQ("Zo\xEB Keating", old.m_Artist.str());
        EXPECT_EQ("Rock", old.m_Genre.str());
        EXPECT_EQ("1999", old.m_Year.str());
        EXPECT_EQ(128, old.m_BPM);
    }
}

TEST_F(Id3v24Read, PicturesInVersion4Tags)
{
    const std::string jpeg("\xFF\xD8\xFF\xE0\0\x10JFIF\0\xFF\xD9", 13);
    Id3FrameOptions packed;
    packed.compress = true;
    packed.unsynchronise = true;
    struct Case { const char* name; std::string tag; bool hasPicture; };
    const Case cases[] = {
        {"plain", Id3v2Writer(4).Text("TIT2", "P").Picture("image/jpeg", jpeg).Bytes(), true},
        {"utf8-description", Id3v2Writer(4).Text("TIT2", "P").Picture("image/png", jpeg, "\xC3\xA9", kId3Utf8).Bytes(), true},
        {"compressed-unsynchronised",
         Id3v2Writer(4).Text("TIT2", "P").Picture("image/jpeg", std::string(100000, '\xFF'), "c", kId3Latin1, packed).Bytes(),
         true},
        {"inflating-past-16MB",
         Id3v2Writer(4).Text("TIT2", "P").InflatingFrame("APIC", std::string("\0image/png\0\x03\0", 13), 'x', 17u << 20).Bytes(),
         false},
        {"none", Id3v2Writer(4).Text("TIT2", "P").Bytes(), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = Mp3WithTag(m_dir, std::string(c.name) + ".mp3", c.tag);
        TAG_INFO info;
        ASSERT_TRUE(VIZU::GetTagInfo(path.c_str(), &info));
        EXPECT_EQ("P", info.Title.str());
        EXPECT_EQ(c.hasPicture, info.HasPicture);
    }
}

TEST_F(Id3v24Read, ATextFrameInflatingTo256MBIsSkippedWithLittleMemory)
{
    size_t after = 0;
    for (int major : {3, 4}) {
        SCOPED_TRACE(major);
        const std::string tag = Id3v2Writer(major)
                                    // 256 MB of one byte compress to a few hundred KB
                                    .InflatingFrame("TIT2", std::string(1, '\0'), 'A', kLargestSynchsafe)
                                    .Text("TPE1", "Bomb Artist")
                                    .Text("TALB", "Bomb Album")
                                    .Bytes();
        const std::string path =
            Mp3WithTag(m_dir, "bomb title v" + std::to_string(major) + ".mp3", tag);
        const size_t before = PeakWorkingSet();
        TAG_INFO info;
        ASSERT_TRUE(VIZU::GetTagInfo(path.c_str(), &info));
        TAG_INFO quick;
        ASSERT_TRUE(VIZU::GetID3TagQuick(&quick, path.c_str()));
        after = PeakWorkingSet();
        EXPECT_LT(after - before, 32u * 1024 * 1024) << "the frame was inflated";
        EXPECT_TRUE(VIZU::GetTitleFromFilename(path.c_str()).str() == info.Title.str())
            << info.Title.GetLength() << " bytes: " << info.Title.Left(40).str();
        EXPECT_EQ("Bomb Artist", info.Artist.str());
        EXPECT_EQ("Bomb Album", info.Album.str());
        EXPECT_EQ("Bomb Album", quick.Album.str());
        EXPECT_EQ(3, info.Length);
    }
    // The meter itself: touching 256 MB raises the peak, as inflating the
    // frame would have.
    std::vector<char> block(256u * 1024 * 1024, 1);
    EXPECT_GE(PeakWorkingSet() - after + block[block.size() / 2] - 1, 192u * 1024 * 1024);
}

TEST_F(Id3v24Read, ControlCharactersInTagsReachNoRecord)
{
    const std::string title = "Line one\r\nLine\ttwo\x01\x1F!";
    for (int major : {3, 4}) {
        SCOPED_TRACE(major);
        const std::string path = Mp3WithTag(
            m_dir, "ctl" + std::to_string(major) + ".mp3",
            Id3v2Writer(major).Text("TIT2", title).Text("TPE1", "A\nB").Text("TALB", "\x02" "Album").Bytes());
        TAG_INFO info;
        ASSERT_TRUE(VIZU::GetTagInfo(path.c_str(), &info));
        EXPECT_EQ("Line one  Line two!", info.Title.str());
        EXPECT_EQ("A B", info.Artist.str());
        EXPECT_EQ("Album", info.Album.str());
    }
}
