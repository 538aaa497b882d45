// The folder searches: what they collect and count, what they show, Escape
// inside a subfolder, and walks that meet links or very deep trees.
#include "tests/library/import/ImportFixture.h"
#include "tests/library/LibraryTestState.h"

#include "framework/ui/CListCtrl.h"
#include "library/state/LibrarySettings.h"
#include "library/import/TrackImport.h"
#include "library/import/TrackImportWalk.h"

#include <commctrl.h>

#include <algorithm>

using namespace import_test;

namespace {

const char kAbortSearch[] =
    "ABORT SEARCH?\nPress OK to abort the file search, Cancel to continue searching";

} // namespace

class FolderSearchTest : public ImportTest
{
protected:
    void SetUp() override
    {
        ImportTest::SetUp();
        MakeStandardFolder();
        page.AddTextItem(IDC_WIZ_SEARCHFOLDER);
        page.AddTextItem(IDC_WIZ_MP3COUNT);
        page.AddTextItem(IDC_WIZ_WAVCOUNT);
        wnd.Attach(page.Handle());
        m_AddTracks.RemoveAll();
    }
    void TearDown() override
    {
        wnd.Detach();
        ImportTest::TearDown();
    }
    std::set<std::string> Paths(std::initializer_list<const char*> names) const
    {
        std::set<std::string> out;
        for (const char* n : names)
            out.insert(m_root + "\\" + n);
        return out;
    }
    std::set<std::string> AllStandard() const
    {
        return Paths({"Tagged.mp3", "tone.wav", "sub\\a.MP3", "sub\\b.wav", "sub\\c.mp3"});
    }

    Page page;
    CWnd wnd;
};

TEST_F(FolderSearchTest, WizardSearchReturnsTheFolderOwnFilesAndCountsAll)
{
    TestState().settings.foundFiles = 10;   // the wizard resets them; the search only raises them
    bool abort = false;
    EXPECT_EQ(2, VIZU::SearchForMP3WAVFiles(&wnd, m_root.c_str(), true, &abort));
    EXPECT_FALSE(abort);
    EXPECT_EQ(15, TestState().settings.foundFiles);
    EXPECT_EQ(3, TestState().settings.foundMP3);
    EXPECT_EQ(2, TestState().settings.foundWAV);
    EXPECT_EQ(AllStandard(), ToSet(m_AddTracks));
    EXPECT_EQ(5, m_AddTracks.GetSize());
    EXPECT_EQ(m_root + "\\sub", page.Text(IDC_WIZ_SEARCHFOLDER));
    EXPECT_EQ("3", page.Text(IDC_WIZ_MP3COUNT));
    EXPECT_EQ("2", page.Text(IDC_WIZ_WAVCOUNT));
    EXPECT_EQ((std::vector<std::string>{"1", "2", "3"}), page.TextsOf(IDC_WIZ_MP3COUNT));
}

TEST_F(FolderSearchTest, SearchesWithoutSubfoldersStayInTheFolder)
{
    bool abort = false;
    EXPECT_EQ(2, VIZU::SearchForMP3WAVFiles(&wnd, m_root.c_str(), false, &abort));
    EXPECT_EQ(2, TestState().settings.foundFiles);
    EXPECT_EQ(Paths({"Tagged.mp3", "tone.wav"}), ToSet(m_AddTracks));
    // The subfolder is still shown as it is passed.
    EXPECT_EQ(m_root + "\\sub", page.Text(IDC_WIZ_SEARCHFOLDER));

    m_AddTracks.RemoveAll();
    EXPECT_EQ(2, VIZU::SearchWatchFolder(&wnd, m_root.c_str(), false, &abort));
    EXPECT_EQ(2, m_AddTracks.GetSize());
}

TEST_F(FolderSearchTest, WatchSearchCountsTheSubfoldersToo)
{
    bool abort = false;
    EXPECT_EQ(5, VIZU::SearchWatchFolder(&wnd, m_root.c_str(), true, &abort));
    EXPECT_EQ(AllStandard(), ToSet(m_AddTracks));
    EXPECT_EQ(0, TestState().settings.foundFiles);   // the wizard's counters are its own
    EXPECT_EQ("", page.Text(IDC_WIZ_SEARCHFOLDER));
    // Files already in the library are collected all the same.
    m_AddTracks.RemoveAll();
    ASSERT_TRUE(VIZU::AddATrack((m_root + "\\Tagged.mp3").c_str(), false));
    EXPECT_EQ(5, VIZU::SearchWatchFolder(nullptr, (m_root + "\\").c_str(), true, nullptr));
    EXPECT_EQ(AllStandard(), ToSet(m_AddTracks));
}

TEST_F(FolderSearchTest, NothingIsSearchedWhenAbortedOrUnlistable)
{
    bool abort = true;
    EXPECT_EQ(0, VIZU::SearchForMP3WAVFiles(&wnd, m_root.c_str(), true, &abort));
    EXPECT_EQ(0, VIZU::SearchWatchFolder(&wnd, m_root.c_str(), true, &abort));
    abort = false;
    EXPECT_EQ(0, VIZU::SearchWatchFolder(&wnd, (m_root + "\\missing").c_str(), true, &abort));
    EXPECT_EQ(0, m_AddTracks.GetSize());
    EXPECT_EQ(0, TestState().settings.foundFiles);
}

TEST_F(FolderSearchTest, ListSearchPutsRowsAtTheirPlaceInTheirFolder)
{
    CListCtrl list;
    list.Attach(page.AddList(9000));
    bool abort = false;
    SearchFolderForMusicFiles(&list, m_root.c_str(), true, &abort);
    ASSERT_EQ(5, list.GetItemCount());
    std::set<std::string> paths;
    std::multiset<DWORD_PTR> positions;
    for (int row = 0; row < list.GetItemCount(); ++row) {
        std::string path = list.GetItemText(row, 1).GetString();
        std::string name = list.GetItemText(row, 0).GetString();
        EXPECT_EQ(path.substr(path.rfind('\\') + 1), name);
        paths.insert(path);
        positions.insert(list.GetItemData(row));
    }
    list.Detach();
    EXPECT_EQ(AllStandard(), paths);
    // Counted from 0 in each folder: two files above, three below.
    EXPECT_EQ((std::multiset<DWORD_PTR>{0, 0, 1, 1, 2}), positions);
    EXPECT_EQ(0, m_AddTracks.GetSize());
}

TEST_F(FolderSearchTest, EscapeInsideASubfolderStopsEverySubfolderButNotTheFolderItself)
{
    // root: Tagged.mp3, tone.wav, notes.txt, sub (3 files), sub2 (2 files).
    Folder("sub2");
    Put("import_plain.mp3", "sub2\\x.mp3");
    Put("import_tone.wav", "sub2\\y.wav");
    struct Case
    {
        int answer;
        bool aborted;
        int found;
    };
    for (const Case& c : {Case{IDOK, true, 2}, Case{IDCANCEL, false, 7}}) {
        SCOPED_TRACE(c.answer);
        m_AddTracks.RemoveAll();
        m_answerer.texts.clear();
        m_answerer.answer = c.answer;
        TestState().settings.foundFiles = TestState().settings.foundMP3 = TestState().settings.foundWAV = 0;
        // The key arrives when the first subfolder is shown, so the check
        // inside that subfolder meets it.
        page.escapePrefix = m_root + "\\sub";
        bool abort = false;
        EXPECT_EQ(2, VIZU::SearchForMP3WAVFiles(&wnd, m_root.c_str(), true, &abort));
        EXPECT_EQ(c.aborted, abort);
        EXPECT_EQ(c.found, TestState().settings.foundFiles);
        EXPECT_EQ(c.found, m_AddTracks.GetSize());
        EXPECT_TRUE(ToSet(m_AddTracks).count(m_root + "\\Tagged.mp3"));
        EXPECT_TRUE(ToSet(m_AddTracks).count(m_root + "\\tone.wav"));
        EXPECT_EQ(std::vector<std::string>{kAbortSearch}, m_answerer.texts);
        EXPECT_EQ("Kelvane Library Manager", m_answerer.caption);
        EXPECT_EQ(static_cast<UINT>(MB_OKCANCEL | MB_ICONQUESTION), m_answerer.type);
        EXPECT_EQ(nullptr, m_answerer.owner);
        // Both subfolders were shown; after the abort the second was passed.
        std::vector<std::string> shown = page.TextsOf(IDC_WIZ_SEARCHFOLDER);
        EXPECT_EQ(2, std::count_if(shown.end() - 2, shown.end(), [&](const std::string& s) {
                      return s == m_root + "\\sub" || s == m_root + "\\sub2";
                  }));
    }
}

TEST_F(FolderSearchTest, EscapeInAWatchSearchAsksTheSameAndReturnsWhatWasCounted)
{
    m_answerer.answer = IDOK;
    bool abort = false;
    // The watch search shows no folders: the key waits before it starts.
    PostMessageA(page.Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(0, VIZU::SearchWatchFolder(&wnd, m_root.c_str(), true, &abort));
    EXPECT_TRUE(abort);
    EXPECT_EQ(0, m_AddTracks.GetSize());
    EXPECT_EQ(std::vector<std::string>{kAbortSearch}, m_answerer.texts);
}

TEST_F(FolderSearchTest, LinksBackUpTheTreeAreNotFollowed)
{
    const std::string link = m_root + "\\sub\\back";
    if (!CreateSymbolicLinkA(link.c_str(), m_root.c_str(), SYMBOLIC_LINK_FLAG_DIRECTORY))
        GTEST_SKIP() << "no directory links here (error " << GetLastError() << ")";
    bool abort = false;
    EXPECT_EQ(5, VIZU::SearchWatchFolder(&wnd, m_root.c_str(), true, &abort));
    EXPECT_EQ(AllStandard(), ToSet(m_AddTracks));
    RemoveDirectoryA(link.c_str());
}

TEST_F(FolderSearchTest, UnixLinkLoopsInTheTestMediaAreNotFollowed)
{
    // tests/media/make-media.sh makes import_loop with a music file and a
    // link in its subfolder that leads back to import_loop.
    std::string loop = tavrix_test::MediaPath("import_loop");
    bool abort = false;
    EXPECT_EQ(2, VIZU::SearchWatchFolder(&wnd, loop.c_str(), true, &abort));
    EXPECT_EQ(2, m_AddTracks.GetSize());
}

TEST_F(FolderSearchTest, WalksStopAtTheDepthLimit)
{
    // One music file at every level from 0 to two below the limit.
    std::string folder = m_root + "\\deep";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    const std::string medium = tavrix_test::MediaPath("import_plain.mp3");
    for (int depth = 0; depth <= kMaxFolderDepth + 2; ++depth) {
        if (depth > 0) {
            folder += "\\d";
            ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr)) << depth;
        }
        ASSERT_TRUE(tavrix_test::CopyFileTo(medium, folder + "\\f.mp3"));
    }
    bool abort = false;
    EXPECT_EQ(kMaxFolderDepth + 1,
              VIZU::SearchWatchFolder(&wnd, (m_root + "\\deep").c_str(), true, &abort));
}
