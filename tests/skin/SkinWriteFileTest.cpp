// The write-back on real files: replaced whole, or left as they were.
#include "skin/file/Skin.h"

#include "tests/support/TestSupport.h"

#include <windows.h>

#include <string>

using namespace tavrix_test;

namespace {

const char kSkin[] =
    "<TavrixVJSkin>\r\n"
    "<background image=\"bg.bmp\" x=\"0\" y=\"0\" width=\"10\" height=\"10\"/>\r\n"
    "<textfield action=\"a-title\" font=\"Tahoma\" fsize=\"10\"/>\r\n"
    "</TavrixVJSkin>\r\n";

TEST(SkinWriteFile, ReplacesTheFileWithTheEditedText)
{
    TempDir dir;
    const std::string path = dir.File("Default.xml");
    ASSERT_TRUE(WriteFileBytes(path, kSkin));
    EXPECT_EQ(0, Skin::SaveFont(path.c_str(), "textfield", "a-title", "Arial", 12));
    std::string text;
    ASSERT_TRUE(ReadFileBytes(path, text));
    EXPECT_NE(std::string::npos, text.find("<textfield action=\"a-title\" font=\"Arial\" fsize=\"12\"/>")) << text;
    EXPECT_EQ(0, Skin::SaveColors(path.c_str(), "textfield", "a-title", RGB(255, 0, 0), RGB(0, 0, 255)));
    ASSERT_TRUE(ReadFileBytes(path, text));
    EXPECT_NE(std::string::npos, text.find("bkcolor=\"ff0000\" txcolor=\"0000ff\"")) << text;
    // Nothing is left beside it.
    WIN32_FIND_DATAA fd;
    HANDLE find = FindFirstFileA(dir.File("*").c_str(), &fd);
    ASSERT_NE(INVALID_HANDLE_VALUE, find);
    int files = 0;
    do {
        if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            ++files;
    } while (FindNextFileA(find, &fd));
    FindClose(find);
    EXPECT_EQ(1, files);
}

TEST(SkinWriteFile, FailuresLeaveTheFileAsItWas)
{
    TempDir dir;
    const std::string path = dir.File("Default.xml");
    ASSERT_TRUE(WriteFileBytes(path, kSkin));
    EXPECT_EQ(-1, Skin::SaveFont(path.c_str(), "textfield", "b-title", "Arial", 12));
    EXPECT_EQ(-1, Skin::SaveFont(dir.File("missing.xml").c_str(), "textfield", "a-title", "Arial", 12));
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(-1, Skin::SaveColors(path.c_str(), "textfield", "a-title", 0, 0));
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    std::string text;
    ASSERT_TRUE(ReadFileBytes(path, text));
    EXPECT_EQ(kSkin, text);
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(dir.File("missing.xml").c_str()));
}

} // namespace
