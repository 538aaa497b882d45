// A folder's music, video, picture and other files as rows, from the tags
// or from the file names, with and without sub-folders, and the Escape
// question that stops a listing.
#include "tests/library/tracklist/TrackListFixture.h"

#include "BrowseFiles.h"
#include "framework/ui/Prompts.h"

#include <map>
#include <string>

namespace {

using namespace tracklist_test;
using browse_test::Mp3Bytes;
using browse_test::Mp3Tags;

class FolderContents : public TrackListTest
{
protected:
    std::string Put(const std::string& name, const std::string& bytes = "x")
    {
        const std::string path = m_files.File(name);
        EXPECT_TRUE(tavrix_test::WriteFileBytes(path, bytes)) << path;
        return path;
    }
    std::string Folder() const { return m_files.Path(); }

    // Row of each file by its path.
    std::map<std::string, int> RowsByPath() const
    {
        std::map<std::string, int> rows;
        for (int row = 0; row < Rows(); ++row)
            rows[Text(row, 8)] = row;
        return rows;
    }

    tavrix_test::TempDir m_files;
};

// Answers the Escape question with OK and remembers it.
class AbortAnswerer : public CPromptAnswerer
{
public:
    int MessageBox(HWND, const char* text, const char* caption, UINT) override
    {
        asked = text;
        askedCaption = caption;
        return IDOK;
    }
    std::string asked;
    std::string askedCaption;
};

TEST_F(FolderContents, MusicFilesByTheirEndingOtherFilesByTheTextAfterTheFirstPoint)
{
    const std::string mp3 = Put("a.mp3");
    const std::string wav = Put("b.WAV");
    Put("c.ogg");
    const std::string clip = Put("clip.avi");
    const std::string image = Put("image.JPG");
    Put("clip.backup.avi");
    Put("noext");
    bool aborted = false;
    EXPECT_EQ(0, VIZU::EnumerateFolderContents42(Folder().c_str(), m_list.get(), false, false,
                                                 &aborted, false, false));
    EXPECT_FALSE(aborted);
    ASSERT_EQ(2, Rows());
    std::map<std::string, int> at = RowsByPath();
    ASSERT_EQ(1u, at.count(mp3));
    ASSERT_EQ(1u, at.count(wav));
    EXPECT_EQ(5, Image(at[mp3], 0));
    EXPECT_EQ(13, Image(at[wav], 0)) << "the ending is lower-cased for the test";
    EXPECT_EQ(15, Image(at[mp3], 2));
    EXPECT_EQ(at[wav], Data(at[wav]));

    EXPECT_EQ(0, VIZU::EnumerateFolderContents42(Folder().c_str(), m_list.get(), false, false,
                                                 &aborted, true, true));
    ASSERT_EQ(4, Rows()) << "the list starts empty again";
    at = RowsByPath();
    ASSERT_EQ(1u, at.count(clip));
    ASSERT_EQ(1u, at.count(image));
    EXPECT_EQ("Video", Text(at[clip], 4));
    EXPECT_EQ("clip", Text(at[clip], 0));
    EXPECT_EQ("Image", Text(at[image], 4));
    for (int row = 0; row < Rows(); ++row)
        EXPECT_EQ(0, Image(row, 0)) << "plain icons";
}

TEST_F(FolderContents, TagsAreReadIntoARecordClearedForEachFile)
{
    const std::string first = Put("1.mp3", Mp3Bytes({"One", "Artist", "Album One", "1999"}));
    const std::string second = Put("2.mp3", Mp3Bytes({"Two", "Other"}));
    bool aborted = false;
    ASSERT_EQ(0, VIZU::EnumerateFolderContents42(Folder().c_str(), m_list.get(), true, false,
                                                 &aborted, false, false));
    ASSERT_EQ(2, Rows());
    std::map<std::string, int> at = RowsByPath();
    EXPECT_EQ("One", Text(at[first], 0));
    EXPECT_EQ("Album One", Text(at[first], 3));
    EXPECT_EQ("1999", Text(at[first], 6));
    EXPECT_EQ("Two", Text(at[second], 0));
    EXPECT_EQ("Other", Text(at[second], 1));
    EXPECT_EQ("", Text(at[second], 3)) << "no album of another file";
    EXPECT_EQ("", Text(at[second], 6));
}

TEST_F(FolderContents, NamesAreParsedByThePatternOfTheSettings)
{
    WriteLibIni("[KVLIB]\r\nFilenameParseString=%1-%2\r\nFilenameParseDelim=-\r\n");
    const std::string path = Put("Some Band-Some Song.mp3");
    bool aborted = false;
    ASSERT_EQ(0, VIZU::EnumerateFolderContents42(Folder().c_str(), m_list.get(), false, false,
                                                 &aborted, false, false));
    ASSERT_EQ(1, Rows());
    EXPECT_EQ("Some Song", Text(0, 0));
    EXPECT_EQ("Some Band", Text(0, 1));
    EXPECT_EQ(path, Text(0, 8));
}

TEST_F(FolderContents, EmptyMissingAndUnaskedListings)
{
    bool aborted = false;
    m_list->InsertItem(0, "old row");
    EXPECT_EQ(0, VIZU::EnumerateFolderContents42(Folder().c_str(), m_list.get(), false, false,
                                                 &aborted, false, false));
    EXPECT_EQ(0, Rows());
    EXPECT_EQ(0, VIZU::EnumerateFolderContents((Folder() + "\\missing").c_str(), m_list.get(),
                                               false, false, &aborted, true));
    EXPECT_EQ(-1, VIZU::EnumerateFolderContents(Folder().c_str(), m_list.get(), false, false,
                                                nullptr, false));
    EXPECT_EQ(-1, VIZU::EnumerateFolderContents42(Folder().c_str(), m_list.get(), false, false,
                                                  nullptr, false, false));
    EXPECT_FALSE(aborted);
}

TEST_F(FolderContents, EachCallPutsItsRowsFromPositionZero)
{
    Put("a.mp3");
    Put("b.mp3");
    bool aborted = false;
    ASSERT_EQ(0, VIZU::EnumerateFolderContents(Folder().c_str(), m_list.get(), false, false,
                                               &aborted, false));
    m_list->InsertItem(2, "marker");
    ASSERT_EQ(0, VIZU::EnumerateFolderContents(Folder().c_str(), m_list.get(), false, false,
                                               &aborted, false));
    ASSERT_EQ(5, Rows());
    EXPECT_EQ("marker", Text(4, 0));
    EXPECT_EQ(0, Data(0));
    EXPECT_EQ(1, Data(1));
}

TEST_F(FolderContents, SubFoldersAreListedWithoutOtherFiles)
{
    Put("top.mp3");
    ASSERT_TRUE(CreateDirectoryA(m_files.File("inner").c_str(), nullptr));
    const std::string inner = Put("inner\\deep.wav");
    Put("inner\\picture.png");
    bool aborted = false;
    ASSERT_EQ(0, VIZU::EnumerateFolderContents(Folder().c_str(), m_list.get(), false, true,
                                               &aborted, true));
    ASSERT_EQ(2, Rows());
    EXPECT_EQ(1u, RowsByPath().count(inner));
    m_list->DeleteAllItems();
    ASSERT_EQ(0, VIZU::EnumerateFolderContents(Folder().c_str(), m_list.get(), false, false,
                                               &aborted, true));
    EXPECT_EQ(1, Rows()) << "no recursion";
}

TEST_F(FolderContents, EscapeAnsweredWithOkStopsTheWholeListing)
{
    Put("top.mp3");
    ASSERT_TRUE(CreateDirectoryA(m_files.File("inner").c_str(), nullptr));
    Put("inner\\deep.mp3");
    AbortAnswerer answerer;
    CPromptAnswerer* previous = AfxSetPromptAnswerer(&answerer);
    PostMessageA(m_list->GetSafeHwnd(), WM_KEYDOWN, VK_ESCAPE, 0);
    bool aborted = false;
    EXPECT_EQ(-1, VIZU::EnumerateFolderContents42(Folder().c_str(), m_list.get(), false, true,
                                                  &aborted, false, false));
    AfxSetPromptAnswerer(previous);
    EXPECT_TRUE(aborted);
    EXPECT_EQ("ABORT SEARCH?\nPress OK to abort the file search, Cancel to continue searching",
              answerer.asked);
    EXPECT_EQ("Kelvane Library Manager", answerer.askedCaption);
    EXPECT_LT(Rows(), 2);
}

} // namespace
