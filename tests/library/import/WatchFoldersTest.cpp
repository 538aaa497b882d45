// The watch-folder list's count and the dialog entry, with the dialog's
// scan played by the test through the dialog seam.
#include "tests/library/import/ImportFixture.h"

#include "framework/win/CStdioFile.h"
#include "library/file/LibraryFileFormat.h"
#include "library/import/WatchFolders.h"

using namespace import_test;

namespace {

int g_runs = 0;
int g_lastAdded = 0;

// What the watch-folder dialog's scan does: every listed folder in order,
// searched with its subfolders, then its new files added.
bool ScanLikeTheDialog()
{
    ++g_runs;
    CStdioFile list;
    if (!list.Open(WatchFolderListPath(), CFile::modeRead | CFile::typeText))
        return false;
    int total = 0;
    CString folder;
    bool abort = false;
    while (list.ReadString(folder)) {
        VIZU::SearchWatchFolder(nullptr, folder, true, &abort);
        total += VIZU::WatchAddFiles(nullptr, false);
    }
    g_lastAdded = total;
    return total > 0;
}

bool CancelledWithoutScan()
{
    ++g_runs;
    return false;
}

} // namespace

class WatchFoldersTest : public ImportTest
{
protected:
    void SetUp() override
    {
        ImportTest::SetUp();
        previousRunner = SetWatchFoldersDialogRunner(nullptr);
        previousFormat = SetLibraryFileFormat(DefaultLibraryFileFormat());
        g_runs = 0;
        g_lastAdded = 0;
    }
    void TearDown() override
    {
        VIZU::Close();
        SetLibraryFileFormat(previousFormat);
        SetWatchFoldersDialogRunner(previousRunner);
        ImportTest::TearDown();
    }
    void WriteList(const std::string& text)
    {
        ASSERT_TRUE(tavrix_test::WriteFileBytes(ProgramFile("KVWatchFolders.txt"), text));
    }
    // An open, saved library in the temporary folder.
    std::string OpenLibrary()
    {
        std::string path = m_temp->File("watch.txd");
        EXPECT_TRUE(VIZU::Create(path.c_str()));
        EXPECT_EQ(0, VIZU::Open(path.c_str()));
        return path;
    }

    WatchFoldersDialogRunner previousRunner = nullptr;
    LibraryFileFormat* previousFormat = nullptr;
};

TEST_F(WatchFoldersTest, CountIsTheNumberOfLinesOfTheList)
{
    struct Case
    {
        const char* text;   // null: no list at all
        int count;
    };
    const Case cases[] = {
        {nullptr, 0},
        {"", 0},
        {"C:\\Music\r\n", 1},
        {"C:\\A\r\nC:\\B\r\nC:\\C\r\n\r\n", 4},   // the empty last line counts
        {"C:\\A\r\nC:\\B", 2},                   // so does a last line without an end
        {"\r\n\r\n", 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text ? c.text : "(no list)");
        DeleteFileA(ProgramFile("KVWatchFolders.txt").c_str());
        if (c.text)
            WriteList(c.text);
        EXPECT_EQ(c.count, VIZU::GetWatchFolderCount());
    }
}

TEST_F(WatchFoldersTest, AListThatCannotBeReadCountsNoFolders)
{
    WriteList("C:\\A\r\n");
    HANDLE held = CreateFileA(ProgramFile("KVWatchFolders.txt").c_str(), GENERIC_READ, 0,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    EXPECT_EQ(0, VIZU::GetWatchFolderCount());
    CloseHandle(held);
    EXPECT_EQ(1, VIZU::GetWatchFolderCount());
}

TEST_F(WatchFoldersTest, AScanThatAddsFilesSavesTheLibrary)
{
    MakeStandardFolder();
    tavrix_test::TempDir other;
    ASSERT_TRUE(tavrix_test::CopyFileTo(tavrix_test::MediaPath("import_latin1.mp3"),
                                        other.File("z.mp3")));
    WriteList(m_root + "\r\n" + other.Path() + "\r\n");
    const std::string library = OpenLibrary();
    SetWatchFoldersDialogRunner(ScanLikeTheDialog);

    EXPECT_EQ(1, VIZU::DisplayWatchFolders());
    EXPECT_EQ(1, g_runs);
    EXPECT_EQ(6, g_lastAdded);
    EXPECT_EQ(6, m_Tracks.GetSize());
    EXPECT_FALSE(VIZU::IsDirty());
    // The saved file holds the six records.
    LIB_INFO info;
    ASSERT_TRUE(VIZU::XML_GetLibInfo(library.c_str(), &info));
    EXPECT_EQ(6, info.Tracks);
    EXPECT_EQ(0, m_AddTracks.GetSize());

    // Only files the library holds: no change, no save.
    CTrackRecord extra;
    extra.m_FileName = "C:\\elsewhere.mp3";
    extra.m_Index = 99;
    ASSERT_TRUE(VIZU::AddRecord(extra));
    EXPECT_EQ(0, VIZU::DisplayWatchFolders());
    EXPECT_EQ(2, g_runs);
    EXPECT_EQ(0, g_lastAdded);
    EXPECT_TRUE(VIZU::IsDirty());
    ASSERT_TRUE(VIZU::XML_GetLibInfo(library.c_str(), &info));
    EXPECT_EQ(6, info.Tracks);
}

TEST_F(WatchFoldersTest, WithoutAScanOrADialogNothingIsSaved)
{
    OpenLibrary();
    EXPECT_EQ(0, VIZU::DisplayWatchFolders());   // no dialog installed
    SetWatchFoldersDialogRunner(CancelledWithoutScan);
    EXPECT_EQ(0, VIZU::DisplayWatchFolders());
    EXPECT_EQ(1, g_runs);
}
