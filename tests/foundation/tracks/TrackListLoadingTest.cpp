// Loading playlists and folders into a track array, with the library's own
// record and library class: real files in a temporary folder, real music
// files from the test media.
#include "foundation/tracks/TrackArrays.h"
#include "framework/core/Exceptions.h"
#include "library/api/VIZU.h"
#include "tests/support/TestSupport.h"
#include "tests/foundation/tracks/TrackTestArrays.h"

#include <gtest/gtest.h>

#include <windows.h>

using tavrix_test::TempDir;
using tavrix_test::WriteFileBytes;

namespace {

// A TRK element with every child, one per line as the library writes it.
std::string FullTrack(const std::string& path, const std::string& n)
{
    return "<TRK>\r\n<FN>" + path + "</FN>\r\n<AR>Artist " + n + "</AR>\r\n<AL>Album " + n +
           "</AL>\r\n<TI>Title " + n + "</TI>\r\n<GE>Genre " + n + "</GE>\r\n" +
           "<BI FT=\"MP3\" BP=\"1205\" YR=\"199" + n + "\"/>\r\n" +
           "<NU ID=\"" + n + "\" LE=\"18" + n + "\" PC=\"7\" HP=\"1\" VL=\"85\" SP=\"2\" EP=\"170\"/>\r\n" +
           "<CU C1=\"11\" C1N=\"Drop\" C2=\"42\" C2N=\"Break &amp; out\"/>\r\n</TRK>\r\n";
}

std::string Library(const std::string& tracks, const std::string& root = "KelvaneMusicLibrary")
{
    return "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n<" + root +
           " Version=\"5.00\" Date=\"12/10/26\" Tracks=\"3\">\r\n" + tracks + "</" + root + ">\r\n";
}

class TrackListLoading : public ::testing::Test
{
protected:
    // A small file that stands for a music file: the loader only asks
    // whether it exists.
    std::string Touch(const std::string& name)
    {
        std::string path = dir.File(name);
        EXPECT_TRUE(WriteFileBytes(path, "x"));
        return path;
    }
    std::string WriteList(const std::string& text)
    {
        std::string path = dir.File("list.txl");
        EXPECT_TRUE(WriteFileBytes(path, text));
        return path;
    }

    TempDir dir;
    TrackArray tracks;
};

} // namespace

TEST_F(TrackListLoading, KeepsTheTracksWhoseFilesExistInFileOrder)
{
    const std::string a = Touch("a.mp3");
    const std::string b = dir.File("b.mp3");   // deleted: never made
    const std::string c = Touch("c.mp3");
    const std::string list = WriteList(Library(FullTrack(a, "1") + FullTrack(b, "2") + FullTrack(c, "3")));

    EXPECT_EQ(2, (LoadXmlTrackList<VIZU>(list.c_str(), tracks, true)));
    ASSERT_EQ(2, tracks.GetSize());
    EXPECT_STREQ(a.c_str(), tracks[0].m_FileName);
    EXPECT_STREQ(c.c_str(), tracks[1].m_FileName);

    const CTrackRecord& r = tracks[1];
    EXPECT_STREQ("Artist 3", r.m_Artist);
    EXPECT_STREQ("Album 3", r.m_Album);
    EXPECT_STREQ("Title 3", r.m_Title);
    EXPECT_STREQ("Genre 3", r.m_Genre);
    EXPECT_STREQ("MP3", r.m_FileType);
    EXPECT_STREQ("1205", r.m_BPMText);   // as stored, not normalised
    EXPECT_STREQ("1993", r.m_Year);
    EXPECT_EQ(3, r.m_Index);
    EXPECT_EQ(183, r.m_Length);
    EXPECT_EQ(7, r.m_PlayCount);
    EXPECT_EQ(1, r.m_HasPicture);
    EXPECT_EQ(85, r.m_Volume);
    EXPECT_EQ(2, r.m_Start);
    EXPECT_EQ(170, r.m_End);
    EXPECT_EQ(11, r.m_Cue1);
    EXPECT_STREQ("Drop", r.m_Cue1Name);
    EXPECT_EQ(42, r.m_Cue2);
    EXPECT_STREQ("Break & out", r.m_Cue2Name);
    // Fields the list does not hold keep their constructed values.
    EXPECT_EQ(0, r.m_BPM);
    EXPECT_EQ(0, r.m_Bitrate);
    EXPECT_EQ(0, r.m_Played);
}

TEST_F(TrackListLoading, ClearDecidesWhetherTheArrayIsEmptiedFirst)
{
    const std::string a = Touch("a.mp3");
    const std::string list = WriteList(Library(FullTrack(a, "1")));
    FillTracks(tracks, {"old"});

    EXPECT_EQ(1, (LoadXmlTrackList<VIZU>(list.c_str(), tracks, false)));
    ASSERT_EQ(2, tracks.GetSize());
    EXPECT_STREQ("old", tracks[0].m_FileName);
    EXPECT_STREQ(a.c_str(), tracks[1].m_FileName);

    EXPECT_EQ(1, (LoadXmlTrackList<VIZU>(list.c_str(), tracks, true)));
    ASSERT_EQ(1, tracks.GetSize());
    EXPECT_STREQ(a.c_str(), tracks[0].m_FileName);
}

struct MissingChildCase
{
    const char* name;
    const char* body;   // children of the TRK element after FN
    const char* artist;
    const char* album;
    const char* title;
    const char* fileType;
    int length;
    int cue2;
    const char* cue2Name;
};

class MissingChildren : public ::testing::TestWithParam<MissingChildCase> {};

// A child that is missing leaves its field empty (0), never another child's
// text; the children after it are still found.
TEST_P(MissingChildren, LeaveTheirFieldsEmpty)
{
    const MissingChildCase& c = GetParam();
    TempDir dir;
    const std::string music = dir.File("m.wav");
    ASSERT_TRUE(WriteFileBytes(music, "x"));
    const std::string list = dir.File("l.txl");
    ASSERT_TRUE(WriteFileBytes(list, Library("<TRK><FN>" + music + "</FN>" + c.body + "</TRK>\r\n")));

    TrackArray tracks;
    ASSERT_EQ(1, (LoadXmlTrackList<VIZU>(list.c_str(), tracks, true)));
    const CTrackRecord& r = tracks[0];
    EXPECT_STREQ(music.c_str(), r.m_FileName);
    EXPECT_STREQ(c.artist, r.m_Artist);
    EXPECT_STREQ(c.album, r.m_Album);
    EXPECT_STREQ(c.title, r.m_Title);
    EXPECT_STREQ(c.fileType, r.m_FileType);
    EXPECT_EQ(c.length, r.m_Length);
    EXPECT_EQ(c.cue2, r.m_Cue2);
    EXPECT_STREQ(c.cue2Name, r.m_Cue2Name);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MissingChildren,
    ::testing::Values(
        MissingChildCase{"NoArtist", "<AL>Al</AL><TI>Ti</TI><GE>Ge</GE><BI FT=\"WAV\"/><NU LE=\"9\"/><CU C2=\"4\" C2N=\"x\"/>",
                         "", "Al", "Ti", "WAV", 9, 4, "x"},
        MissingChildCase{"NoArtistNoAlbum", "<TI>Ti</TI><BI FT=\"WAV\"/><NU LE=\"9\"/><CU C2=\"4\" C2N=\"x\"/>",
                         "", "", "Ti", "WAV", 9, 4, "x"},
        MissingChildCase{"NoTextChildren", "<BI FT=\"WAV\"/><NU LE=\"9\"/><CU C2=\"4\" C2N=\"x\"/>",
                         "", "", "", "WAV", 9, 4, "x"},
        MissingChildCase{"NoBI", "<AR>Ar</AR><AL>Al</AL><TI>Ti</TI><GE>Ge</GE><NU LE=\"9\"/><CU C2=\"4\" C2N=\"x\"/>",
                         "Ar", "Al", "Ti", "", 9, 4, "x"},
        MissingChildCase{"NoNU", "<AR>Ar</AR><AL>Al</AL><TI>Ti</TI><GE>Ge</GE><BI FT=\"WAV\"/><CU C2=\"4\" C2N=\"x\"/>",
                         "Ar", "Al", "Ti", "WAV", 0, 4, "x"},
        MissingChildCase{"NoCU", "<AR>Ar</AR><AL>Al</AL><TI>Ti</TI><GE>Ge</GE><BI FT=\"WAV\"/><NU LE=\"9\"/>",
                         "Ar", "Al", "Ti", "WAV", 9, 0, ""},
        MissingChildCase{"OnlyFN", "", "", "", "", "", 0, 0, ""},
        MissingChildCase{"NotNumbers", "<NU LE=\"abc\"/><CU C2=\"12x\" C2N=\"\"/>",
                         "", "", "", "", 0, 12, ""}),
    [](const ::testing::TestParamInfo<MissingChildCase>& info) { return std::string(info.param.name); });

TEST_F(TrackListLoading, ARecordMissingChildrenDoesNotKeepThePreviousTracksValues)
{
    const std::string a = Touch("a.mp3");
    const std::string b = Touch("b.mp3");
    const std::string list = WriteList(Library(FullTrack(a, "1") + "<TRK><FN>" + b + "</FN></TRK>\r\n"));
    ASSERT_EQ(2, (LoadXmlTrackList<VIZU>(list.c_str(), tracks, true)));
    EXPECT_STREQ("Artist 1", tracks[0].m_Artist);
    EXPECT_STREQ("", tracks[1].m_Artist);
    EXPECT_STREQ("", tracks[1].m_Year);
    EXPECT_EQ(0, tracks[1].m_Cue1);
    EXPECT_EQ(0, tracks[1].m_Volume);
}

struct BadListCase
{
    const char* name;
    std::string text;
};

class BadLists : public ::testing::TestWithParam<BadListCase> {};

TEST_P(BadLists, AddNothingAndAreEmptiedOnlyWhenAsked)
{
    TempDir dir;
    const std::string list = dir.File("bad.txl");
    ASSERT_TRUE(WriteFileBytes(list, GetParam().text));
    TrackArray tracks;
    FillTracks(tracks, {"keep"});
    EXPECT_EQ(0, (LoadXmlTrackList<VIZU>(list.c_str(), tracks, false)));
    EXPECT_EQ(1, tracks.GetSize());
    EXPECT_EQ(0, (LoadXmlTrackList<VIZU>(list.c_str(), tracks, true)));
    EXPECT_EQ(0, tracks.GetSize());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BadLists,
    ::testing::Values(BadListCase{"Empty", ""},
                      BadListCase{"NotXml", "this is no playlist"},
                      BadListCase{"Unclosed", "<KelvaneMusicLibrary><TRK><FN>C:\\a.mp3</FN>"},
                      BadListCase{"OtherRoot", Library("<TRK><FN>C:\\windows\\win.ini</FN></TRK>", "TavrixShortCuts")},
                      BadListCase{"NoTracks", Library("")}),
    [](const ::testing::TestParamInfo<BadListCase>& info) { return std::string(info.param.name); });

TEST_F(TrackListLoading, AFileThatCannotBeOpenedThrowsBeforeAnythingChanges)
{
    FillTracks(tracks, {"keep"});
    bool thrown = false;
    try {
        LoadXmlTrackList<VIZU>(dir.File("missing.txl").c_str(), tracks, true);
    } catch (CFileException& e) {
        thrown = true;
        EXPECT_EQ(CFileException::fileNotFound, e.m_cause);
    }
    EXPECT_TRUE(thrown);
    EXPECT_EQ(1, tracks.GetSize());
}

// ---- folders -----------------------------------------------------------------

namespace {

class FolderLoading : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(tavrix_test::CopyFileTo(tavrix_test::MediaPath("tone440_latin1.mp3"), dir.File("a.MP3")));
        ASSERT_TRUE(tavrix_test::CopyFileTo(tavrix_test::MediaPath("tone440.wav"), dir.File("b.wav")));
        ASSERT_TRUE(WriteFileBytes(dir.File("c.txt"), "not music"));
        // A sub-folder with music of its own, and one named like a music file.
        ASSERT_TRUE(CreateDirectoryA(dir.File("sub").c_str(), nullptr));
        ASSERT_TRUE(tavrix_test::CopyFileTo(tavrix_test::MediaPath("tone440.mp3"), dir.File("sub\\d.mp3")));
        ASSERT_TRUE(CreateDirectoryA(dir.File("e.mp3").c_str(), nullptr));
    }

    // The record of a path, or null.
    const CTrackRecord* Find(const std::string& path) const
    {
        int i = FindTrackIndex(tracks, path.c_str());
        return i < 0 ? nullptr : &tracks[i];
    }

    TempDir dir;
    TrackArray tracks;
};

} // namespace

TEST_F(FolderLoading, AddsTheMp3AndWavFilesOfTheFolderOnly)
{
    EXPECT_EQ(2, (LoadFolderTracks<VIZU>(dir.Path().c_str(), tracks, true)));
    ASSERT_EQ(2, tracks.GetSize());
    const CTrackRecord* mp3 = Find(dir.File("a.MP3"));
    const CTrackRecord* wav = Find(dir.File("b.wav"));
    ASSERT_NE(nullptr, mp3);
    ASSERT_NE(nullptr, wav);
    // Filled from the tags over a cleared record.
    EXPECT_STREQ("Folder Title", mp3->m_Title);
    EXPECT_STREQ("Folder Artist", mp3->m_Artist);
    EXPECT_STREQ("MP3", mp3->m_FileType);
    EXPECT_EQ(3, mp3->m_Length);
    EXPECT_EQ(128, mp3->m_Bitrate);
    EXPECT_STREQ("WAV", wav->m_FileType);
    EXPECT_EQ(3, wav->m_Length);
    EXPECT_EQ(100, wav->m_Volume);
    EXPECT_EQ(0, wav->m_Cue1);
}

TEST_F(FolderLoading, SkipsFilesWhoseTagsCannotBeRead)
{
    ASSERT_TRUE(WriteFileBytes(dir.File("broken.mp3"), "no frames in here"));
    ASSERT_TRUE(WriteFileBytes(dir.File("broken.wav"), "RIFF"));
    EXPECT_EQ(2, (LoadFolderTracks<VIZU>(dir.Path().c_str(), tracks, true)));
    EXPECT_EQ(nullptr, Find(dir.File("broken.mp3")));
    EXPECT_EQ(nullptr, Find(dir.File("broken.wav")));
}

TEST_F(FolderLoading, ClearDecidesWhetherTheArrayIsEmptiedFirst)
{
    FillTracks(tracks, {"old"});
    EXPECT_EQ(2, (LoadFolderTracks<VIZU>(dir.Path().c_str(), tracks, false)));
    EXPECT_EQ(3, tracks.GetSize());
    EXPECT_STREQ("old", tracks[0].m_FileName);
    EXPECT_EQ(2, (LoadFolderTracks<VIZU>(dir.Path().c_str(), tracks, true)));
    EXPECT_EQ(2, tracks.GetSize());
}

TEST_F(FolderLoading, AMissingOrEmptyFolderAddsNothing)
{
    FillTracks(tracks, {"old"});
    EXPECT_EQ(0, (LoadFolderTracks<VIZU>(dir.File("nothing").c_str(), tracks, false)));
    EXPECT_EQ(1, tracks.GetSize());
    TempDir empty;
    EXPECT_EQ(0, (LoadFolderTracks<VIZU>(empty.Path().c_str(), tracks, true)));
    EXPECT_EQ(0, tracks.GetSize());
}
