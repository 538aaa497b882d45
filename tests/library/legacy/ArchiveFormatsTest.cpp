// Archive playlists and the archive library on streams in memory: the
// bytes written, both ways of writing read back, and damaged data that
// ends in an error with the records before it kept.
#include "ArchiveBytes.h"

#include "framework/core/CArchive.h"
#include "library/legacy/ArchiveFormats.h"

#include <gtest/gtest.h>

#include <chrono>

using legacy_test::AddTo;
using legacy_test::Bytes;
using legacy_test::BytesOf;
using legacy_test::FullRecord;
using legacy_test::SameRecord;

namespace {

using Tracks = CArray<CTrackRecord, CTrackRecord&>;

CMemFile Stream(const std::string& bytes)
{
    return CMemFile(bytes.data(), static_cast<UINT>(bytes.size()));
}

int ReadPlaylist(const std::string& bytes, Tracks& tracks)
{
    CMemFile f = Stream(bytes);
    return legacy::ReadArchivePlaylist(f, tracks);
}

int ReadLibrary(const std::string& bytes, Tracks& tracks)
{
    CMemFile f = Stream(bytes);
    return legacy::ReadArchiveLibrary(f, tracks);
}

// A playlist of records, each through an archive of its own.
std::string PlaylistOf(int first, int count)
{
    CMemFile f;
    for (int i = first; i < first + count; ++i)
        legacy::StorePlaylistRecord(f, FullRecord(i));
    return BytesOf(f);
}

} // namespace

TEST(ArchivePlaylist, EachRecordCarriesTheFullClassIntroduction)
{
    CMemFile f;
    legacy::StorePlaylistRecord(f, FullRecord(1));
    legacy::StorePlaylistRecord(f, FullRecord(2));
    const std::string expected =
        Bytes().NewRecordClass().Fields(FullRecord(1)).NewRecordClass().Fields(FullRecord(2)).Str();
    EXPECT_EQ(expected, BytesOf(f));
    // The has-picture flag is each record's last four bytes.
    const std::string first = Bytes().NewRecordClass().Fields(FullRecord(1)).Str();
    EXPECT_EQ(Bytes().I32(FullRecord(1).m_HasPicture).Str(), first.substr(first.size() - 4));
}

TEST(ArchivePlaylist, ReadsRecordsAfterWhatTheArrayHolds)
{
    Tracks tracks;
    for (int i = 0; i < 5; ++i)
        AddTo(tracks, FullRecord(90 + i));
    EXPECT_EQ(2, ReadPlaylist(PlaylistOf(1, 2), tracks));
    ASSERT_EQ(7, tracks.GetSize());
    EXPECT_TRUE(SameRecord(FullRecord(94), tracks[4]));
    EXPECT_TRUE(SameRecord(FullRecord(1), tracks[5]));
    EXPECT_TRUE(SameRecord(FullRecord(2), tracks[6]));
}

TEST(ArchivePlaylist, ReadsAFileWrittenThroughOneArchive)
{
    // Later records refer to the class by its index (1) instead of
    // introducing it again; the record objects take indexes 2, 3, ...
    const std::string bytes = Bytes()
                                  .NewRecordClass().Fields(FullRecord(1))
                                  .U16(0x8001).Fields(FullRecord(2))
                                  .U16(0x8001).Fields(FullRecord(3))
                                  .Str();
    CMemFile written;
    {
        // Three objects alive at once: the archive knows objects by address.
        const CTrackRecord records[] = {FullRecord(1), FullRecord(2), FullRecord(3)};
        CArchive ar(&written, CArchive::store);
        for (const CTrackRecord& r : records)
            ar.WriteObject(&r);
        ar.Close();
    }
    EXPECT_EQ(bytes, BytesOf(written));
    Tracks tracks;
    EXPECT_EQ(3, ReadPlaylist(bytes, tracks));
    ASSERT_EQ(3, tracks.GetSize());
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(SameRecord(FullRecord(i + 1), tracks[i])) << i;
}

TEST(ArchivePlaylist, ARecordMetAgainIsReadAgain)
{
    // The second object is a reference to the first (object index 2).
    const std::string bytes =
        Bytes().NewRecordClass().Fields(FullRecord(4)).U16(2).Str();
    Tracks tracks;
    EXPECT_EQ(2, ReadPlaylist(bytes, tracks));
    ASSERT_EQ(2, tracks.GetSize());
    EXPECT_TRUE(SameRecord(tracks[0], tracks[1]));
}

TEST(ArchivePlaylist, ManyRecordsAcrossEveryBufferBoundary)
{
    // Texts of growing length put the record boundaries at every offset
    // of the reader's 4096-byte buffer.
    CMemFile f;
    const int count = 600;
    for (int i = 0; i < count; ++i) {
        CTrackRecord r = FullRecord(i);
        r.m_Title = std::string(static_cast<size_t>(i % 300), 'x').c_str();
        legacy::StorePlaylistRecord(f, r);
    }
    Tracks tracks;
    EXPECT_EQ(count, ReadPlaylist(BytesOf(f), tracks));
    ASSERT_EQ(count, tracks.GetSize());
    EXPECT_EQ(299, tracks[299].m_Title.GetLength());
    EXPECT_EQ(FullRecord(count - 1).m_HasPicture, tracks[count - 1].m_HasPicture);
}

TEST(ArchivePlaylist, DamagedDataEndsInAnErrorKeepingTheRecordsBefore)
{
    const std::string two = PlaylistOf(1, 2);
    const std::string one = PlaylistOf(1, 1);
    const struct
    {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"cut inside the second record", two.substr(0, two.size() - 1)},
        {"cut inside the second class introduction", two.substr(0, one.size() + 5)},
        {"an object of the other record class",
         one + Bytes().U16(0xFFFF).U16(1).U16(14).Raw("CTrackRecord40").Str()},
        {"an unknown class", one + Bytes().U16(0xFFFF).U16(3).U16(5).Raw("Other").Str()},
        {"a null object", one + Bytes().U16(0).Str()},
        {"a class index never given", one + Bytes().U16(0x8009).Fields(FullRecord(2)).Str()},
        {"an object index never given", one + Bytes().U16(0x0040).Str()},
        {"a text claiming four gigabytes",
         one + Bytes().NewRecordClass().I32(7).U8(0xFF).U16(0xFFFF).I32(-16).Raw("abc").Str()},
        {"a wide text claiming two gigabytes",
         one + Bytes().NewRecordClass().I32(7).U8(0xFF).U16(0xFFFE).U8(0xFF).U16(0xFFFF)
                   .I32(0x7FFFFFFF).Str()},
    };
    for (const auto& c : cases) {
        Tracks tracks;
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(-1, ReadPlaylist(c.bytes, tracks)) << c.what;
        ASSERT_EQ(1, tracks.GetSize()) << c.what;
        EXPECT_TRUE(SameRecord(FullRecord(1), tracks[0])) << c.what;
        // A length beyond the data runs into its end, not into an allocation.
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2)) << c.what;
    }
}

TEST(ArchivePlaylist, TextsOfEveryLengthForm)
{
    CTrackRecord r;
    r.m_Title = std::string(254, 'a').c_str();
    r.m_Artist = std::string(255, 'b').c_str();
    r.m_Album = std::string(70000, 'c').c_str();
    CMemFile f;
    legacy::StorePlaylistRecord(f, r);
    const std::string bytes = BytesOf(f);
    const size_t title = 18 + 4;
    EXPECT_EQ(254, static_cast<unsigned char>(bytes[title]));
    const size_t artist = title + 1 + 254;
    EXPECT_EQ(Bytes().U8(0xFF).U16(255).Str(), bytes.substr(artist, 3));
    const size_t album = artist + 3 + 255;
    EXPECT_EQ(Bytes().U8(0xFF).U16(0xFFFF).I32(70000).Str(), bytes.substr(album, 7));
    Tracks tracks;
    EXPECT_EQ(1, ReadPlaylist(bytes, tracks));
    ASSERT_EQ(1, tracks.GetSize());
    EXPECT_TRUE(SameRecord(r, tracks[0]));
}

TEST(ArchivePlaylist, ATextOfWideCharactersReadsAsSingleBytes)
{
    Bytes b;
    b.NewRecordClass().I32(1);
    b.U8(0xFF).U16(0xFFFE).U8(3).U16('A').U16('b').U16('c'); // the title
    for (int i = 1; i < 10; ++i)
        b.U8(0);
    for (int i = 0; i < 15; ++i)
        b.I32(i);
    Tracks tracks;
    EXPECT_EQ(1, ReadPlaylist(b.Str(), tracks));
    ASSERT_EQ(1, tracks.GetSize());
    EXPECT_STREQ("Abc", tracks[0].m_Title);
    EXPECT_EQ(14, tracks[0].m_HasPicture);
}

TEST(ArchivePlaylist, AnEmptyStreamHoldsNoRecord)
{
    Tracks tracks;
    EXPECT_EQ(0, ReadPlaylist("", tracks));
    EXPECT_EQ(0, tracks.GetSize());
}

namespace {

std::string LibraryOf(int declared, int held)
{
    Bytes b;
    b.Text("Kelvane Library").I32(declared);
    for (int i = 1; i <= held; ++i)
        b.Fields(FullRecord(i));
    return b.Str();
}

} // namespace

TEST(ArchiveLibrary, CountsMatchingShortAndZero)
{
    const struct
    {
        int declared;
        int held;
        int result;
        int kept;
    } cases[] = {
        {3, 3, 3, 3},
        {5, 2, -1, 2},
        {0, 0, 0, 0},
        {0x7FFFFFFF, 1, -1, 1},  // a count far beyond the file
        {-4, 2, -1, 9},          // a negative count: nothing read, array untouched
    };
    for (const auto& c : cases) {
        Tracks tracks;
        for (int i = 0; i < 9; ++i)
            AddTo(tracks, FullRecord(50 + i));
        EXPECT_EQ(c.result, ReadLibrary(LibraryOf(c.declared, c.held), tracks)) << c.declared;
        ASSERT_EQ(c.kept, tracks.GetSize()) << c.declared;
        if (c.declared >= 0) {
            for (int i = 0; i < c.kept; ++i)
                EXPECT_TRUE(SameRecord(FullRecord(i + 1), tracks[i])) << c.declared << " " << i;
        }
    }
}

TEST(ArchiveLibrary, WrittenAndReadBack)
{
    Tracks written;
    for (int i = 1; i <= 4; ++i)
        AddTo(written, FullRecord(i));
    CMemFile f;
    legacy::WriteArchiveLibrary(f, "Kelvane Library", written);
    EXPECT_EQ(LibraryOf(4, 4), BytesOf(f));
    Tracks read;
    EXPECT_EQ(4, ReadLibrary(BytesOf(f), read));
    ASSERT_EQ(4, read.GetSize());
    EXPECT_TRUE(SameRecord(FullRecord(4), read[3]));
}

TEST(ArchiveLibrary, AHeaderCutShortLeavesTheArrayAlone)
{
    const std::string whole = LibraryOf(1, 1);
    for (size_t cut : {size_t(0), size_t(1), size_t(10), size_t(16), size_t(19)}) {
        Tracks tracks;
        AddTo(tracks, FullRecord(8));
        EXPECT_EQ(-1, ReadLibrary(whole.substr(0, cut), tracks)) << cut;
        ASSERT_EQ(1, tracks.GetSize()) << cut;
        EXPECT_TRUE(SameRecord(FullRecord(8), tracks[0]));
    }
}
