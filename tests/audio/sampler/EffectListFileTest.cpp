// "SoundEffects.xml" on disk: the round trip through a real file, a missing
// or unreadable file read as an empty list, and a failed write that leaves
// the old file whole.
#include <windows.h>

#include <gtest/gtest.h>

#include "audio/sampler/EffectListFile.h"
#include "tests/support/TestSupport.h"

using tavrix_test::TempDir;

TEST(EffectListFile, RoundTripThroughTheProgramFolder)
{
    TempDir dir;
    const CString path = EffectListPath(dir.Path().c_str());
    EXPECT_STREQ((dir.Path() + "\\SoundEffects.xml").c_str(), path);
    SoundEffectList list(2);
    list[0].display = "Horn";
    list[0].filename = "#horn.mp3";
    list[0].length = 3;
    list[1].display = "Siren";
    list[1].filename = "C:\\fx\\siren.wav";
    list[1].length = 4000;
    ASSERT_EQ(2, SaveEffectListFile(path, list, "5.00"));
    std::string bytes;
    ASSERT_TRUE(tavrix_test::ReadFileBytes(path.GetString(), bytes));
    EXPECT_EQ(0u, bytes.find("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n<SoundEffects "));
    EXPECT_NE(std::string::npos, bytes.find("date=\"" + std::string(EffectListDate()) + "\""));
    const SoundEffectList back = LoadEffectListFile(path);
    ASSERT_EQ(2u, back.size());
    EXPECT_EQ(1, back[0].id);
    EXPECT_EQ(2, back[1].id);
    EXPECT_STREQ("#horn.mp3", back[0].filename);
    EXPECT_EQ(4000, back[1].length);
    // An empty list writes the declaration only, and reads back empty.
    ASSERT_EQ(0, SaveEffectListFile(path, SoundEffectList(), "5.00"));
    ASSERT_TRUE(tavrix_test::ReadFileBytes(path.GetString(), bytes));
    EXPECT_EQ("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n", bytes);
    EXPECT_TRUE(LoadEffectListFile(path).empty());
}

TEST(EffectListFile, MissingOrUnreadableFileIsAnEmptyList)
{
    TempDir dir;
    CString reason;
    EXPECT_TRUE(LoadEffectListFile(EffectListPath(dir.Path().c_str()), &reason).empty());
    EXPECT_FALSE(reason.IsEmpty());
    // A folder in the file's place cannot be read.
    const std::string folder = dir.File("SoundEffects.xml");
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    reason.Empty();
    EXPECT_TRUE(LoadEffectListFile(folder.c_str(), &reason).empty());
    EXPECT_FALSE(reason.IsEmpty());
}

TEST(EffectListFile, FailedWriteLeavesTheOldFile)
{
    TempDir dir;
    const CString path = EffectListPath(dir.Path().c_str());
    SoundEffectList list(1);
    list[0].filename = "old.mp3";
    ASSERT_EQ(1, SaveEffectListFile(path, list, "5.00"));
    std::string before;
    ASSERT_TRUE(tavrix_test::ReadFileBytes(path.GetString(), before));
    ASSERT_TRUE(SetFileAttributesA(path, FILE_ATTRIBUTE_READONLY));
    list[0].filename = "new.mp3";
    CString reason;
    EXPECT_EQ(-1, SaveEffectListFile(path, list, "5.00", &reason));
    EXPECT_FALSE(reason.IsEmpty());
    std::string after;
    ASSERT_TRUE(tavrix_test::ReadFileBytes(path.GetString(), after));
    EXPECT_EQ(before, after);
    SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
}
