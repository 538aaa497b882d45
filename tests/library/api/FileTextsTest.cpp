// Lengths as texts and back, and the small file tests.
#include "library/api/VIZU.h"

#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

TEST(FileTexts, SecondsToString)
{
    struct Case { int seconds; const char* text; };
    const Case cases[] = {
        {0, "000:00"}, {59, "000:59"}, {60, "001:00"}, {225, "003:45"}, {3725, "062:05"},
        {6000, "100:00"}, {-5, "000:-5"}, {-59, "000:-59"}, {-65, "-01:-65"},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(c.text, VIZU::SecondsToString(c.seconds)) << c.seconds;
}

TEST(FileTexts, SecondsToHHMMSS)
{
    struct Case { int seconds; const char* text; };
    const Case cases[] = {
        {0, "0:00:00"}, {59, "0:00:59"}, {3599, "0:59:59"}, {3600, "1:00:00"},
        {3725, "1:02:05"}, {360000, "100:00:00"},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(c.text, VIZU::SecondsToHHMMSS(c.seconds)) << c.seconds;
}

TEST(FileTexts, StringToSeconds)
{
    struct Case { const char* text; int seconds; };
    const Case cases[] = {
        {"003:45", 225}, {"3:45", 225}, {"45", 45}, {"125", 12}, {"1:02:05", 62},
        {"1:5", 65}, {"10:5x", 605}, {"", 0}, {":30", 30}, {"2:", 120}, {"x", 0},
        {"000:00", 0}, {"062:05", 3725},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.seconds, VIZU::StringToSeconds(c.text)) << c.text;
}

TEST(FileTexts, ExistsReadOnlyAndSize)
{
    tavrix_test::TempDir dir;
    std::string file = dir.File("a.mp3");
    ASSERT_TRUE(tavrix_test::WriteFileBytes(file, std::string(1234, 'x')));
    std::string missing = dir.File("missing.mp3");
    EXPECT_TRUE(VIZU::Exists(file.c_str()));
    EXPECT_TRUE(VIZU::Exists(dir.Path().c_str()));   // a folder is an entry too
    EXPECT_FALSE(VIZU::Exists(missing.c_str()));
    EXPECT_FALSE(VIZU::Exists(""));
    EXPECT_FALSE(VIZU::Exists("Z:\\no\\such\\place\\*?.mp3"));

    EXPECT_EQ(1234, VIZU::GetFileSize(file.c_str()));
    EXPECT_EQ(0, VIZU::GetFileSize(missing.c_str()));

    EXPECT_FALSE(VIZU::IsReadOnly(file.c_str()));
    EXPECT_FALSE(VIZU::IsReadOnly(missing.c_str()));
    ASSERT_TRUE(SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_TRUE(VIZU::IsReadOnly(file.c_str()));
    SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(FileTexts, GetFileSizeAnswersTheLow32Bits)
{
    tavrix_test::TempDir dir;
    std::string file = dir.File("big.bin");
    HANDLE h = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    // 5 GiB + 100 bytes, sparse where the file system allows it.
    DWORD ret = 0;
    DeviceIoControl(h, FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &ret, nullptr);
    LARGE_INTEGER size;
    size.QuadPart = 5LL * 1024 * 1024 * 1024 + 100;
    bool grown = SetFilePointerEx(h, size, nullptr, FILE_BEGIN) && SetEndOfFile(h);
    CloseHandle(h);
    if (!grown)
        GTEST_SKIP() << "no room for a 5 GiB file here";
    EXPECT_EQ(1024 * 1024 * 1024 + 100, VIZU::GetFileSize(file.c_str()));
    DeleteFileA(file.c_str());
}

TEST(FileTexts, CopyOurFileReplacesTheTargetAndFailsCleanly)
{
    tavrix_test::TempDir dir;
    std::string src = dir.File("src.txt");
    std::string dst = dir.File("dst.txt");
    ASSERT_TRUE(tavrix_test::WriteFileBytes(src, "new contents"));
    ASSERT_TRUE(tavrix_test::WriteFileBytes(dst, "old"));
    EXPECT_TRUE(VIZU::CopyOurFile(src.c_str(), dst.c_str()));
    std::string text;
    ASSERT_TRUE(tavrix_test::ReadFileBytes(dst, text));
    EXPECT_EQ("new contents", text);

    EXPECT_FALSE(VIZU::CopyOurFile(dir.File("missing").c_str(), dst.c_str()));
    EXPECT_FALSE(VIZU::CopyOurFile(src.c_str(), dir.File("no-folder\\x.txt").c_str()));
}
