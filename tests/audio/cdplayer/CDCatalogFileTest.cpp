// The CD catalogue file on disk: created, appended to, read back; files
// that are no catalogue and files that cannot be replaced stay as they were.
#include "audio/cdplayer/CDCatalogFile.h"

#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using tavrix_test::TempDir;

namespace {

CDCatalogAlbum Album(const char* title, int tracks)
{
    CDCatalogAlbum album;
    album.artist = "Artist";
    album.title = title;
    album.discId = "0a0b0c02";
    for (int i = 1; i <= tracks; ++i)
        album.tracks.push_back({i, "Song", 100 + i});
    return album;
}

// Whether anything but the named files lies in the folder.
std::vector<std::string> FilesIn(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    const HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(found.cFileName);
    } while (FindNextFileA(find, &found));
    FindClose(find);
    return names;
}

} // namespace

TEST(CDCatalogFile, CreatesAppendsAndReadsBack)
{
    TempDir dir;
    const CString path = dir.File("TXDiscs.txt").c_str();
    DWORD error = 0;
    ASSERT_EQ(CDCatalogSave::Written, AppendToCatalogFile(path, Album("One", 2), &error));
    ASSERT_EQ(CDCatalogSave::Written, AppendToCatalogFile(path, Album("Two", 1), &error));

    std::string bytes;
    ASSERT_TRUE(tavrix_test::ReadFileBytes(path.GetString(), bytes));
    EXPECT_EQ(0u, bytes.find("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n<TavrixCDCatalog Albums=\"2\">\r\n"));
    CString text;
    ASSERT_TRUE(ReadCatalogFile(path, text));
    std::vector<CDCatalogAlbum> albums;
    long long count = 0;
    ASSERT_TRUE(CDCatalogRead(text, albums, &count));
    EXPECT_EQ(2, count);
    ASSERT_EQ(2u, albums.size());
    EXPECT_EQ("One", std::string(albums[0].title.GetString()));
    EXPECT_EQ(2u, albums[0].tracks.size());
    EXPECT_EQ(102, albums[0].tracks[1].length);
    EXPECT_EQ("Two", std::string(albums[1].title.GetString()));
    EXPECT_EQ(std::vector<std::string>{"TXDiscs.txt"}, FilesIn(dir.Path()));
}

TEST(CDCatalogFile, AFileWrittenWithLineFeedsOnly)
{
    TempDir dir;
    const std::string path = dir.File("TXDiscs.txt");
    ASSERT_TRUE(tavrix_test::WriteFileBytes(
        path, "<?xml version=\"1.0\"?>\n<TavrixCDCatalog Albums=\"1\">\n<Album Artist=\"A\" Title=\"Old\" "
              "DiscID=\"01\"/>\n</TavrixCDCatalog>"));
    DWORD error = 0;
    ASSERT_EQ(CDCatalogSave::Written, AppendToCatalogFile(path.c_str(), Album("New", 1), &error));
    std::string bytes;
    ASSERT_TRUE(tavrix_test::ReadFileBytes(path, bytes));
    EXPECT_EQ(0u, bytes.find("<?xml version=\"1.0\"?>\r\n<TavrixCDCatalog Albums=\"2\">\r\n<Album Artist=\"A\" "
                             "Title=\"Old\" DiscID=\"01\"/>\r\n"));
    EXPECT_NE(std::string::npos, bytes.find("Title=\"New\""));
}

TEST(CDCatalogFile, FilesLeftAsTheyWere)
{
    struct Case
    {
        const char* name;
        const char* content;
        bool readOnly;
        bool heldOpen;   // open elsewhere without leave to replace it
        CDCatalogSave result;
    };
    const Case cases[] = {
        {"no catalogue root", "<?xml version=\"1.0\"?>\r\n<Other Albums=\"4\"/>\r\n", false, false,
         CDCatalogSave::NotACatalogue},
        {"not XML", "Disc list\r\nnothing here\r\n", false, false, CDCatalogSave::NotACatalogue},
        {"read-only", "<TavrixCDCatalog Albums=\"0\"/>\r\n", true, false, CDCatalogSave::WriteFailed},
        {"held open", "<TavrixCDCatalog Albums=\"0\"/>\r\n", false, true, CDCatalogSave::WriteFailed},
    };
    for (const Case& c : cases) {
        TempDir dir;
        const std::string path = dir.File("TXDiscs.txt");
        ASSERT_TRUE(tavrix_test::WriteFileBytes(path, c.content)) << c.name;
        if (c.readOnly) {
            ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY)) << c.name;
        }
        HANDLE held = INVALID_HANDLE_VALUE;
        if (c.heldOpen) {
            held = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
            ASSERT_NE(INVALID_HANDLE_VALUE, held) << c.name;
        }
        DWORD error = 0;
        EXPECT_EQ(c.result, AppendToCatalogFile(path.c_str(), Album("New", 3), &error)) << c.name;
        if (c.result == CDCatalogSave::WriteFailed) {
            EXPECT_NE(0u, error) << c.name;
        }
        if (held != INVALID_HANDLE_VALUE)
            CloseHandle(held);
        std::string bytes;
        ASSERT_TRUE(tavrix_test::ReadFileBytes(path, bytes)) << c.name;
        EXPECT_EQ(c.content, bytes) << c.name;
        EXPECT_EQ(std::vector<std::string>{"TXDiscs.txt"}, FilesIn(dir.Path())) << c.name << ": a file left behind";
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}

TEST(CDCatalogFile, AnEmptyFileStartsACatalogue)
{
    TempDir dir;
    const std::string path = dir.File("TXDiscs.txt");
    ASSERT_TRUE(tavrix_test::WriteFileBytes(path, ""));
    DWORD error = 0;
    ASSERT_EQ(CDCatalogSave::Written, AppendToCatalogFile(path.c_str(), Album("New", 1), &error));
    CString text;
    ASSERT_TRUE(ReadCatalogFile(path.c_str(), text));
    std::vector<CDCatalogAlbum> albums;
    ASSERT_TRUE(CDCatalogRead(text, albums));
    EXPECT_EQ(1u, albums.size());
}

TEST(CDCatalogFile, AFolderThatDoesNotExist)
{
    TempDir dir;
    const CString path = (dir.File("missing") + "\\TXDiscs.txt").c_str();
    DWORD error = 0;
    EXPECT_EQ(CDCatalogSave::WriteFailed, AppendToCatalogFile(path, Album("New", 1), &error));
    EXPECT_EQ(static_cast<DWORD>(ERROR_PATH_NOT_FOUND), error);
    CString text;
    EXPECT_FALSE(ReadCatalogFile(path, text));
}
