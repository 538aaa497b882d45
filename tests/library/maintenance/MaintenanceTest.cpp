// The maintenance scans in a real window: status text field, result list,
// progress bar; the removals against the library; broken links over real
// files; drive letters; the tag refresh.
#include "framework/ui/AfxWin.h"
#include "framework/ui/Prompts.h"
#include "library/api/VIZU.h"
#include "library/maintenance/MaintenanceScans.h"
#include "tests/library/maintenance/ScanRows.h"
#include "tests/support/ProgramFolder.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

const int kStatusId = 500;

struct Rec
{
    const char* artist;
    const char* title;
    const char* path;
    int index;
};

using scan_rows::Row;

void SetLibrary(const std::vector<Rec>& recs)
{
    m_Tracks.RemoveAll();
    for (const Rec& r : recs) {
        CTrackRecord record;
        record.m_Artist = r.artist;
        record.m_Title = r.title;
        record.m_FileName = r.path;
        record.m_Index = r.index;
        m_Tracks.Add(record);
    }
}

std::vector<int> LibraryIndices()
{
    std::vector<int> indices;
    for (INT_PTR i = 0; i < m_Tracks.GetSize(); ++i)
        indices.push_back(m_Tracks[i].m_Index);
    std::sort(indices.begin(), indices.end());
    return indices;
}

class Answerer : public CPromptAnswerer
{
public:
    int asked = 0;
    int MessageBox(HWND, const char*, const char*, UINT) override
    {
        ++asked;
        return IDOK;
    }
};

struct Letters
{
    bool ok = true;
    const char* from = "";
    const char* to = "";
    int asked = 0;
};
Letters g_letters;

bool AnswerLetters(CString& oldLetter, CString& newLetter)
{
    ++g_letters.asked;
    oldLetter = g_letters.from;
    newLetter = g_letters.to;
    return g_letters.ok;
}

class Maintenance : public ::testing::Test
{
protected:
    void SetUp() override
    {
        AfxSetUnattendedPrompts(TRUE);
        m_vizu = std::make_unique<VIZU>();
        m_Tracks.RemoveAll();
        ASSERT_TRUE(m_window.CreateEx(0, nullptr, "Maintenance", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                      10, 10, 700, 400, nullptr, nullptr));
        m_status = CreateWindowA("STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 600, 20,
                                 m_window.GetSafeHwnd(),
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(kStatusId)),
                                 GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(nullptr, m_status);
        ASSERT_TRUE(m_list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS,
                                  CRect(0, 30, 680, 300), &m_window, 101));
        for (int column = 0; column < 9; ++column)
            m_list.InsertColumn(column, "c", LVCFMT_LEFT, 60);
        ASSERT_TRUE(m_progress.Create(WS_CHILD | WS_VISIBLE, CRect(0, 310, 680, 330), &m_window,
                                      102));
        m_progress.SetPos(0);
        m_previous = AfxSetPromptAnswerer(&m_answerer);
        m_previousPrompt = SetDriveLetterPrompt(AnswerLetters);
        g_letters = Letters();
    }
    void TearDown() override
    {
        SetDriveLetterPrompt(m_previousPrompt);
        AfxSetPromptAnswerer(m_previous);
        m_list.DestroyWindow();
        m_progress.DestroyWindow();
        m_window.DestroyWindow();
        m_Tracks.RemoveAll();
        m_vizu.reset();
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
    }

    // The rows, each with item data 0.
    std::vector<Row> Rows() const
    {
        for (int row = 0; row < m_list.GetItemCount(); ++row)
            EXPECT_EQ(0u, m_list.GetItemData(row));
        return scan_rows::ReadRows(m_list);
    }
    std::string Status() const
    {
        char text[512] = {};
        GetDlgItemTextA(m_window.GetSafeHwnd(), kStatusId, text, sizeof text);
        return text;
    }
    void PressEscape()
    {
        PostMessageA(m_window.GetSafeHwnd(), WM_KEYDOWN, VK_ESCAPE, 0);
    }
    void AddRow(const char* mark, const char* path)
    {
        const int row = m_list.InsertItem(m_list.GetItemCount(), mark);
        m_list.SetItemText(row, 2, path);
    }
    void ClearDirty()
    {
        // A save into the test's folder leaves the library unchanged.
        ASSERT_EQ(0, VIZU::Save((m_dir.Path() + "\\saved.txd").c_str()));
        ASSERT_FALSE(VIZU::IsDirty());
    }

    using Scan = int (*)(CWnd*, CListCtrl*, int, CProgressCtrl*);
    int Run(Scan scan) { return scan(&m_window, &m_list, kStatusId, &m_progress); }

    tavrix_test::ProgramFolderScope m_folder;
    tavrix_test::TempDir m_dir;
    std::unique_ptr<VIZU> m_vizu;
    CWnd m_window;
    HWND m_status = nullptr;
    CListCtrl m_list;
    CProgressCtrl m_progress;
    Answerer m_answerer;
    CPromptAnswerer* m_previous = nullptr;
    DriveLetterPrompt m_previousPrompt = nullptr;
};

// Songs with 0, 2, 3 and 4 copies (artist and title in other letter cases).
const std::vector<Rec> kCopies = {
    {"Solo", "Alone", "c:\\solo.mp3", 1},
    {"Pair", "Bee", "c:\\pair1.mp3", 2},
    {"Trio", "Cee", "c:\\trio1.mp3", 3},
    {"Four", "Dee", "c:\\four1.mp3", 4},
    {"PAIR", "bee", "c:\\pair2.mp3", 5},
    {"trio", "CEE", "c:\\trio2.mp3", 6},
    {"Trio", "Cee", "c:\\trio3.mp3", 7},
    {"four", "dee", "c:\\four2.mp3", 8},
    {"FOUR", "DEE", "c:\\four3.mp3", 9},
    {"Four", "Dee", "c:\\four4.mp3", 10},
};

} // namespace

TEST_F(Maintenance, EmptyLibraryScansAnswerMinusOneAndTouchNothing)
{
    m_progress.SetPos(7);
    SetDlgItemTextA(m_window.GetSafeHwnd(), kStatusId, "before");
    for (Scan scan : {&VIZU::CheckForDupesByTitleArtist, &VIZU::V5CheckForDupesByTitleArtist,
                      &VIZU::CheckForDupesByFilename, &VIZU::CheckForBrokenLinks})
        EXPECT_EQ(-1, Run(scan));
    EXPECT_EQ(-1, VIZU::GetBadLinkCount());
    EXPECT_EQ(0, VIZU::RemoveBadLinksFromLib());
    EXPECT_EQ(0, Run(&VIZU::UpdateLibraryFromTags));
    EXPECT_EQ(0, m_list.GetItemCount());
    EXPECT_EQ(7, m_progress.GetPos());
    EXPECT_EQ("before", Status());
}

TEST_F(Maintenance, TitleArtistScanListsOneOriginalGroupPerSong)
{
    SetLibrary(kCopies);
    EXPECT_EQ(6, Run(&VIZU::CheckForDupesByTitleArtist));
    // Title order: Bee, Cee, Dee; each group's original is its first copy.
    const std::vector<Row> expected = {
        {"Original", 2, "c:\\pair1.mp3"}, {"-Dupe", 5, "c:\\pair2.mp3"},
        {"Original", 3, "c:\\trio1.mp3"}, {"-Dupe", 6, "c:\\trio2.mp3"},
        {"-Dupe", 7, "c:\\trio3.mp3"},    {"Original", 4, "c:\\four1.mp3"},
        {"-Dupe", 8, "c:\\four2.mp3"},    {"-Dupe", 9, "c:\\four3.mp3"},
        {"-Dupe", 10, "c:\\four4.mp3"},
    };
    EXPECT_EQ(expected, Rows());
    EXPECT_EQ("Duplicate scan complete", Status());
    EXPECT_EQ(0, m_progress.GetPos());
    EXPECT_EQ(0u, m_progress.GetStyle() & PBS_MARQUEE);
    EXPECT_EQ("Alone", m_Tracks[0].m_Title.str()) << "the library is left sorted by title";
    EXPECT_FALSE(VIZU::IsDirty());

    // Removing every "-Dupe" keeps one record of each song.
    EXPECT_EQ(6, Run(&VIZU::RemoveAllDupesFromEXList));
    EXPECT_EQ((std::vector<int>{1, 2, 3, 4}), LibraryIndices());
    EXPECT_EQ(3, m_list.GetItemCount()) << "the Original rows stay";
    EXPECT_TRUE(VIZU::IsDirty());
}

TEST_F(Maintenance, ScansOfALibraryWithoutCopies)
{
    SetLibrary({{"A", "One", "c:\\1.mp3", 1}, {"B", "One", "c:\\2.mp3", 2}});
    for (Scan scan : {&VIZU::CheckForDupesByTitleArtist, &VIZU::V5CheckForDupesByTitleArtist,
                      &VIZU::CheckForDupesByFilename}) {
        SetDlgItemTextA(m_window.GetSafeHwnd(), kStatusId, "");
        EXPECT_EQ(0, Run(scan));
        EXPECT_EQ(0, m_list.GetItemCount());
        EXPECT_EQ("Duplicate scan complete", Status());
    }
}

TEST_F(Maintenance, V5ScanListsCopiesBeyondTheFirstInReverseOrder)
{
    SetLibrary(kCopies);
    EXPECT_EQ(6, Run(&VIZU::V5CheckForDupesByTitleArtist));
    const std::vector<Row> expected = {
        {"-Dupe", 10, "c:\\four4.mp3"}, {"-Dupe", 9, "c:\\four3.mp3"},
        {"-Dupe", 8, "c:\\four2.mp3"},  {"-Dupe", 7, "c:\\trio3.mp3"},
        {"-Dupe", 6, "c:\\trio2.mp3"},  {"-Dupe", 5, "c:\\pair2.mp3"},
    };
    EXPECT_EQ(expected, Rows());
    EXPECT_EQ("Duplicate scan complete", Status());
    EXPECT_EQ(0, m_progress.GetPos());

    EXPECT_EQ(6, Run(&VIZU::V5RemoveAllDupesFromList));
    EXPECT_EQ(0, m_list.GetItemCount());
    EXPECT_EQ((std::vector<int>{1, 2, 3, 4}), LibraryIndices());
    EXPECT_TRUE(VIZU::IsDirty());
}

TEST_F(Maintenance, PathScanListsEachFurtherRecordOfAPathOnce)
{
    SetLibrary({{"A", "One", "c:\\shared.mp3", 1},
                {"B", "Two", "c:\\other.mp3", 2},
                {"C", "Three", "c:\\shared.mp3", 3},
                {"D", "Four", "C:\\SHARED.MP3", 4},      // another file
                {"E", "Five", "c:\\same.mp3", 5},
                {"E", "Five", "c:\\same.mp3", 5}});      // same index: the same record
    EXPECT_EQ(1, Run(&VIZU::CheckForDupesByFilename));
    EXPECT_EQ((std::vector<Row>{{"Dupe", 3, "c:\\shared.mp3"}}), Rows());
    EXPECT_EQ("Duplicate scan complete", Status());

    // The older removal leaves "Dupe" rows alone; the V5 one keeps the
    // last record of the path, however often it is asked.
    EXPECT_EQ(0, Run(&VIZU::RemoveAllDupesFromEXList));
    EXPECT_EQ(6, static_cast<int>(m_Tracks.GetSize()));
    AddRow("Dupe", "c:\\shared.mp3");
    AddRow("Dupe", "c:\\other.mp3");
    EXPECT_EQ(1, Run(&VIZU::V5RemoveAllDupesFromList));
    EXPECT_EQ((std::vector<int>{2, 3, 4, 5, 5}), LibraryIndices());
    EXPECT_EQ(0, m_list.GetItemCount());
}

TEST_F(Maintenance, RemovalsNeverTakeTheLastCopyOfASong)
{
    SetLibrary({{"A", "One", "c:\\1.mp3", 1}, {"a", "ONE", "c:\\2.mp3", 2},
                {"B", "Two", "c:\\3.mp3", 3}});
    // Rows a stale or edited list might hold: both copies, a lone song.
    struct Case { Scan removal; int removed; };
    for (const Case& c : {Case{&VIZU::RemoveAllDupesFromEXList, 1},
                          Case{&VIZU::V5RemoveAllDupesFromList, 1}}) {
        SetLibrary({{"A", "One", "c:\\1.mp3", 1}, {"a", "ONE", "c:\\2.mp3", 2},
                    {"B", "Two", "c:\\3.mp3", 3}});
        m_list.DeleteAllItems();
        AddRow("-Dupe", "c:\\1.mp3");
        AddRow("-Dupe", "c:\\2.mp3");
        AddRow("-Dupe", "c:\\3.mp3");
        AddRow("-Dupe", "c:\\missing.mp3");
        EXPECT_EQ(c.removed, Run(c.removal));
        EXPECT_EQ((std::vector<int>{2, 3}), LibraryIndices());
    }
}

TEST_F(Maintenance, SelectedRowsGoAndARowWithoutARecordStaysSelected)
{
    for (Scan removal : {&VIZU::RemoveTracksFromEXList, &VIZU::V5RemoveSelectedDupesFomList}) {
        SetLibrary({{"A", "One", "c:\\1.mp3", 1}, {"B", "Two", "c:\\2.mp3", 2},
                    {"C", "Three", "c:\\3.mp3", 3}});
        m_list.DeleteAllItems();
        AddRow("-Dupe", "c:\\1.mp3");
        AddRow("-Dupe", "c:\\missing.mp3");
        AddRow("-Dupe", "c:\\2.mp3");
        AddRow("-Dupe", "c:\\3.mp3");
        for (int row : {0, 1, 2})
            m_list.SetItemState(row, LVIS_SELECTED, LVIS_SELECTED);
        const int before = static_cast<int>(m_Tracks.GetSize());
        const int removed = Run(removal);
        EXPECT_EQ(before - static_cast<int>(m_Tracks.GetSize()), removed);
        ASSERT_EQ(2, m_list.GetItemCount());
        EXPECT_EQ("c:\\missing.mp3", m_list.GetItemText(0, 2).str());
        EXPECT_EQ(static_cast<UINT>(LVIS_SELECTED), m_list.GetItemState(0, LVIS_SELECTED));
        EXPECT_EQ("c:\\3.mp3", m_list.GetItemText(1, 2).str());
        EXPECT_EQ((std::vector<int>{3}), LibraryIndices());
    }
}

TEST_F(Maintenance, EscapeStopsTheScansAndTheRemovals)
{
    SetLibrary(kCopies);
    struct Case { Scan scan; int answer; };
    for (const Case& c : {Case{&VIZU::CheckForDupesByTitleArtist, -1},
                          Case{&VIZU::V5CheckForDupesByTitleArtist, -1},
                          Case{&VIZU::CheckForDupesByFilename, 0},
                          Case{&VIZU::UpdateLibraryFromTags, 0}}) {
        m_answerer.asked = 0;
        m_progress.SetPos(3);
        SetDlgItemTextA(m_window.GetSafeHwnd(), kStatusId, "");
        PressEscape();
        EXPECT_EQ(c.answer, Run(c.scan));
        EXPECT_EQ(1, m_answerer.asked);
        EXPECT_EQ(0, m_list.GetItemCount());
        EXPECT_EQ(0, m_progress.GetPos());
        EXPECT_NE("Duplicate scan complete", Status());
    }
    // A removal stopped at its first row removes nothing; V5's rows stay.
    for (Scan removal : {&VIZU::RemoveAllDupesFromEXList, &VIZU::V5RemoveAllDupesFromList}) {
        m_list.DeleteAllItems();
        AddRow("-Dupe", "c:\\pair2.mp3");
        PressEscape();
        EXPECT_EQ(0, Run(removal));
        EXPECT_EQ(1, m_list.GetItemCount());
    }
    EXPECT_EQ(10, static_cast<int>(m_Tracks.GetSize()));
}

TEST_F(Maintenance, BrokenLinksAreListedCountedAndRemovedInARow)
{
    const std::string a = m_dir.File("a.mp3"), d = m_dir.File("d.mp3");
    ASSERT_TRUE(tavrix_test::WriteFileBytes(a, "a"));
    ASSERT_TRUE(tavrix_test::WriteFileBytes(d, "d"));
    const std::string b = m_dir.File("b.mp3"), c = m_dir.File("c.mp3");
    SetLibrary({{"A", "1", a.c_str(), 1}, {"B", "2", b.c_str(), 2}, {"C", "3", c.c_str(), 3},
                {"D", "4", d.c_str(), 4}});
    EXPECT_EQ(2, Run(&VIZU::CheckForBrokenLinks));
    EXPECT_EQ((std::vector<Row>{{"BadLink", 3, c}, {"BadLink", 2, b}}), Rows());
    EXPECT_EQ("Broken file link scan complete", Status());
    EXPECT_EQ(0, m_progress.GetPos());
    EXPECT_EQ(2, VIZU::GetBadLinkCount());

    ClearDirty();
    EXPECT_EQ(2, VIZU::RemoveBadLinksFromLib());
    EXPECT_EQ((std::vector<int>{1, 4}), LibraryIndices());
    EXPECT_TRUE(VIZU::IsDirty()) << "the removal reaches the file with the next save or close";
    EXPECT_EQ(0, VIZU::GetBadLinkCount());
    m_list.DeleteAllItems();
    EXPECT_EQ(0, Run(&VIZU::CheckForBrokenLinks));
    EXPECT_EQ(0, m_list.GetItemCount());

    ClearDirty();
    EXPECT_EQ(0, VIZU::RemoveBadLinksFromLib());
    EXPECT_FALSE(VIZU::IsDirty());
}

TEST_F(Maintenance, DriveLetterChangeInTheLibrary)
{
    struct Case { bool ok; const char* from; const char* to; int answer; };
    for (const Case& c : {Case{true, "d", "e", 2}, Case{false, "d", "e", -1},
                          Case{true, "", "e", -1}, Case{true, "d", "", -1},
                          Case{true, "d:", "e", -1}, Case{true, "de", "e", -1},
                          Case{true, "d", "7", -1}, Case{true, "x", "e", 0}}) {
        SetLibrary({{"A", "1", "D:\\music\\a.mp3", 1}, {"B", "2", "d:\\music\\b.mp3", 2},
                    {"C", "3", "C:\\D:\\c.mp3", 3}});
        ClearDirty();
        g_letters = Letters{c.ok, c.from, c.to, 0};
        EXPECT_EQ(c.answer, VIZU::ChangeDriveLetterInLib()) << c.from << " " << c.to;
        EXPECT_EQ(1, g_letters.asked);
        const bool moved = c.answer > 0;
        EXPECT_EQ(moved ? "E:\\music\\a.mp3" : "D:\\music\\a.mp3", m_Tracks[0].m_FileName.str());
        EXPECT_EQ(moved ? "E:\\music\\b.mp3" : "d:\\music\\b.mp3", m_Tracks[1].m_FileName.str());
        EXPECT_EQ("C:\\D:\\c.mp3", m_Tracks[2].m_FileName.str());
        EXPECT_EQ(moved, VIZU::IsDirty());
    }
}

TEST_F(Maintenance, DriveLetterChangeInAListLeavesTheLibraryAlone)
{
    SetLibrary({{"A", "1", "D:\\a.mp3", 1}});
    g_letters = Letters{true, "d", "e", 0};
    EXPECT_EQ(0, VIZU::ChangeDriveLetterInList(&m_list, "x", "y")) << "a list without rows";
    for (const char* path : {"D:\\x\\1.mp3", "c:\\2.mp3", "d:\\3.mp3"}) {
        const int row = m_list.InsertItem(m_list.GetItemCount(), "t");
        m_list.SetItemText(row, 8, path);
    }
    EXPECT_EQ(2, VIZU::ChangeDriveLetterInList(&m_list, "", ""));
    EXPECT_EQ("E:\\x\\1.mp3", m_list.GetItemText(0, 8).str());
    EXPECT_EQ("c:\\2.mp3", m_list.GetItemText(1, 8).str());
    EXPECT_EQ("E:\\3.mp3", m_list.GetItemText(2, 8).str());
    EXPECT_EQ("D:\\a.mp3", m_Tracks[0].m_FileName.str());
    g_letters = Letters{true, "", "e", 0};
    EXPECT_EQ(-1, VIZU::ChangeDriveLetterInList(&m_list, "d", "e"));
    EXPECT_EQ("E:\\x\\1.mp3", m_list.GetItemText(0, 8).str());
}

TEST_F(Maintenance, TagRefreshUpdatesWhatItCanAndListsTheRest)
{
    const std::string tone = m_dir.File("tone.mp3");
    ASSERT_TRUE(tavrix_test::CopyFileTo(tavrix_test::MediaPath("tone440.mp3"), tone));
    const std::string missing = m_dir.File("missing.mp3");
    SetLibrary({{"Old", "Old", tone.c_str(), 1}, {"Gone", "Gone", missing.c_str(), 2}});
    ClearDirty();
    EXPECT_EQ(1, Run(&VIZU::UpdateLibraryFromTags));
    EXPECT_EQ((std::vector<Row>{{"Update", 2, missing}}), Rows());
    EXPECT_EQ("Update library from tags complete", Status());
    EXPECT_EQ(0, m_progress.GetPos());
    EXPECT_EQ(3, m_Tracks[0].m_Length);
    EXPECT_TRUE(VIZU::IsDirty());

    // Without a list or a status field: no rows and no status text.
    m_list.DeleteAllItems();
    SetDlgItemTextA(m_window.GetSafeHwnd(), kStatusId, "before");
    EXPECT_EQ(1, VIZU::UpdateLibraryFromTags(&m_window, nullptr, -1, &m_progress));
    EXPECT_EQ(0, m_list.GetItemCount());
    EXPECT_EQ("before", Status());
}

TEST_F(Maintenance, ListedFoldersAnswerAsTheFileSystemDoes)
{
    // Enough paths in one folder for it to be listed, in every spelling a
    // path may take, each answered as filetexts::Exists answers it.
    for (const char* name : {"a.mp3", "B.MP3", "c d.mp3", "e.mp3"})
        ASSERT_TRUE(tavrix_test::WriteFileBytes(m_dir.File(name), "x"));
    ASSERT_TRUE(CreateDirectoryA(m_dir.File("sub").c_str(), nullptr));
    ASSERT_TRUE(tavrix_test::WriteFileBytes(m_dir.File("sub\\f.mp3"), "x"));
    struct Case { std::string path; bool exists; };
    std::string upperDir = m_dir.Path();
    for (char& c : upperDir)
        c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    const std::vector<Case> cases = {
        {m_dir.File("a.mp3"), true},          {m_dir.File("A.Mp3"), true},
        {m_dir.File("b.mp3"), true},          {m_dir.File("c d.mp3"), true},
        {upperDir + "\\E.MP3", true},         {m_dir.File("missing.mp3"), false},
        {m_dir.File("sub"), true},            {m_dir.File("sub\\f.mp3"), true},
        {m_dir.File("sub\\g.mp3"), false},    {m_dir.File(".\\a.mp3"), true},
        {m_dir.File("a.mp3."), true},         {m_dir.File("nofolder\\a.mp3"), false},
        {m_dir.File("missing2.mp3"), false},  {m_dir.File("a.mp"), false},
    };
    std::vector<Rec> recs;
    for (std::size_t i = 0; i < cases.size(); ++i)
        recs.push_back(Rec{"A", "T", cases[i].path.c_str(), static_cast<int>(i + 1)});
    SetLibrary(recs);
    int missing = 0;
    for (const Case& c : cases) {
        EXPECT_EQ(c.exists, VIZU::Exists(c.path.c_str())) << c.path;
        missing += c.exists ? 0 : 1;
    }
    EXPECT_EQ(missing, VIZU::GetBadLinkCount());
    EXPECT_EQ(missing, Run(&VIZU::CheckForBrokenLinks));
    std::vector<Row> expected;
    for (const Case& c : cases)
        if (!c.exists)
            expected.insert(expected.begin(), Row{"BadLink", 0, c.path});
    std::vector<Row> rows = Rows();
    for (Row& row : rows)
        row.index = 0;
    EXPECT_EQ(expected, rows);
    EXPECT_EQ(missing, VIZU::RemoveBadLinksFromLib());
    EXPECT_EQ(static_cast<INT_PTR>(cases.size()) - missing, m_Tracks.GetSize());
}
