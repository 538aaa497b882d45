// The existence check of a fill of many rows: folder listings read once,
// every answer that of the file system.
#include "library/state/ExistenceCache.h"
#include "library/state/FileTexts.h"
#include "library/tracklist/TrackListFill.h"
#include "library/tracklist/TrackListFillText.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

TEST(ExistenceCache, AnswersAsTheFileSystemDoes)
{
    tavrix_test::TempDir dir;
    const std::string album = dir.File("Album One");
    ASSERT_TRUE(CreateDirectoryA(album.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA((album + "\\Disc 2").c_str(), nullptr));
    ASSERT_TRUE(tavrix_test::WriteFileBytes(album + "\\Song.mp3", "x"));
    ASSERT_TRUE(tavrix_test::WriteFileBytes(album + "\\Disc 2\\Other.WAV", "x"));
    ASSERT_TRUE(tavrix_test::WriteFileBytes(album + "\\a long file name.mp3", "x"));
    char shortName[MAX_PATH] = "";
    GetShortPathNameA((album + "\\a long file name.mp3").c_str(), shortName, MAX_PATH);

    struct Case
    {
        std::string path;
        bool exists;
    };
    const Case cases[] = {
        {album + "\\Song.mp3", true},
        {album + "\\SONG.MP3", true},                       // other letter case
        {album + "\\Disc 2\\other.wav", true},
        {album + "\\Disc 2", true},                         // a folder
        {album + "\\Missing.mp3", false},
        {album + "\\Song.mp3\\inner.mp3", false},           // under a file
        {dir.File("No Such Folder") + "\\Sub\\Song.mp3", false},
        {dir.File("No Such Folder") + "\\Other.mp3", false},
        {album + "/Song.mp3", true},                        // not plain: asked directly
        {album + "\\.\\Song.mp3", true},
        {album + "\\..\\Album One\\Song.mp3", true},
        {album + "\\So*.mp3", false},
        {"Song.mp3", false},                                // relative
        {"", false},
        {shortName, shortName[0] != 0},                     // the short name, when the system has one
    };
    ExistenceCache cache;
    for (int round = 0; round < 2; ++round)   // the second round from what was read
        for (const Case& c : cases) {
            EXPECT_EQ(c.exists, cache.Exists(CString(c.path.c_str()))) << c.path << " round " << round;
            EXPECT_EQ(filetexts::Exists(CString(c.path.c_str())), cache.Exists(CString(c.path.c_str())))
                << c.path;
        }
}

TEST(ExistenceCache, AFillShowsMissingFilesWithTheMissingImage)
{
    tavrix_test::TempDir dir;
    ASSERT_TRUE(tavrix_test::WriteFileBytes(dir.File("here.mp3"), "x"));
    ASSERT_TRUE(tavrix_test::WriteFileBytes(dir.File("here.wav"), "x"));
    ExistenceCache cache;
    EXPECT_EQ(track_image::kMP3, TrackTypeImage(CString(dir.File("here.mp3").c_str()), true, &cache));
    EXPECT_EQ(track_image::kWAV, TrackTypeImage(CString(dir.File("here.wav").c_str()), true, &cache));
    EXPECT_EQ(track_image::kMissing, TrackTypeImage(CString(dir.File("gone.mp3").c_str()), true, &cache));
    // No check asked: the type alone.
    EXPECT_EQ(track_image::kMP3, TrackTypeImage(CString(dir.File("gone.mp3").c_str()), false, &cache));
    // A file that appears later is seen: names not listed are asked again.
    ASSERT_TRUE(tavrix_test::WriteFileBytes(dir.File("gone.mp3"), "x"));
    EXPECT_EQ(track_image::kMP3, TrackTypeImage(CString(dir.File("gone.mp3").c_str()), true, &cache));
}
