// The library views on real controls: a window with the skin's library
// tree, main track list, search list, status line and edit boxes (window
// ids as the skin gives them), the real library opened from a library file
// written at test time, playlist and history files beside it.
#include "mainwindow/library/LibraryViews.h"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "foundation/app/MessageDialog.h"
#include "foundation/app/WorkerThread.h"
#include "framework/ui/AfxWin.h"
#include "framework/ui/Prompts.h"
#include "library/api/LibraryArrays.h"
#include "library/api/VIZU.h"
#include "mainwindow/lists/QueueArrays.h"
#include "mainwindow/parts/MainWindowParts.h"
#include "skin/create/FindSkinControl.h"
#include "skin/fields/TXVStatusField.h"
#include "skin/file/Skin.h"
#include "skin/tree/TXVTreeCtrl.h"
#include "skin/tracklist/TXVTrackList.h"
#include "tests/support/ProgramFolder.h"
#include "tests/support/TestSupport.h"

using namespace library_views;
using tavrix_test::PumpUntil;

namespace {

UINT Id(const char* name)
{
    return SkinWindowId(TheSkin().LookupControlName(name));
}

// What the views ask of the rest of the main window.
class RecordingParts : public MainWindowParts
{
public:
    std::vector<std::string> events;
    bool infoShown = false;
    std::vector<std::string> info;
    int busy = 0;   // on minus off

    bool Has(const std::string& e) const { return std::find(events.begin(), events.end(), e) != events.end(); }
    void UpdateSearchListCaption() override { events.push_back("UpdateSearchListCaption"); }
    void SetBusyIndicator(bool on) override
    {
        busy += on ? 1 : -1;
        events.push_back(on ? "busy on" : "busy off");
    }
    bool SetTextField(const char* name, const char* text) override
    {
        events.push_back(std::string("SetTextField ") + name + " " + text);
        return true;
    }
    bool IsInfoWindowShown() override { return infoShown; }
    void SetInfoTrackInfo(const char* t, const char* ar, const char* al, const char* g, const char* p) override
    {
        info = {t, ar, al, g, p};
    }
    void ResetColumnWidths() override { events.push_back("ResetColumnWidths"); }
    void ShowJukeboxPage(int mode) override { events.push_back("ShowJukeboxPage " + std::to_string(mode)); }
};

class MessageRecorder : public MessageDialog
{
public:
    std::vector<std::string> texts;
    void ShowModal(const CString& text) override { texts.push_back(text.GetString()); }
};

// The main window stand-in: the library tree's selection notice shows the
// selection, as the main window's notification routing does.
class TestMainWindow : public CWnd
{
public:
    LibraryViews* views = nullptr;
    int selectionNotices = 0;

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        NMHDR* header = reinterpret_cast<NMHDR*>(lParam);
        if (views && header && static_cast<short>(LOWORD(header->idFrom)) == TheSkin().LookupControlName("mylibrary") &&
            (header->code == TVN_SELCHANGEDA || header->code == TVN_SELCHANGEDW)) {
            ++selectionNotices;
            views->DisplayTreeSelection();
            *pResult = 0;
            return TRUE;
        }
        return CWnd::OnNotify(wParam, lParam, pResult);
    }
};

struct Track
{
    const char* title;
    const char* artist;
    const char* album;
    const char* genre;
    const char* year;
    const char* bpm;
    int length;
    int playCount;
};

const Track kTracks[] = {
    {"Dancing Queen", "ABBA", "Gold", "Euro Disco", "1976", "100.00", 231, 1},
    {"Waterloo", "ABBA", "Gold", "Pop", "1974", "147.00", 166, 0},
    {"Paint It Black", "The Rolling Stones", "Aftermath", "Rock", "1966", "158.00", 202, 4},
    {"Angie", "The Rolling Stones", "Goats Head Soup", "Rock", "1973", "136.00", 271, 9},
    {"Blue Monday", "New Order", "Power", "Synth Pop", "1983", "130.00", 449, 2},
};

CTrackRecord Record(const Track& t, int index)
{
    CTrackRecord r;
    r.m_Title = t.title;
    r.m_Artist = t.artist;
    r.m_Album = t.album;
    r.m_Genre = t.genre;
    r.m_Year = t.year;
    r.m_BPMText = t.bpm;
    r.m_Length = t.length;
    r.m_PlayCount = t.playCount;
    r.m_Index = index;
    r.m_FileType = "MP3";
    r.m_FileName.Format("C:\\Music\\%s - %s.mp3", t.artist, t.title);
    return r;
}

class LibraryViewsTest : public ::testing::Test
{
protected:
    tavrix_test::ProgramFolderScope m_folder;
    std::unique_ptr<VIZU> m_vizu;
    MessageDialog* m_oldMessages = nullptr;
    MessageRecorder m_messages;
    RecordingParts m_parts;
    QueueArrays m_queues;
    TestMainWindow m_main;
    TXVTreeCtrl m_tree;
    TXVTrackList m_list;
    TXVTrackList m_search;
    TXVStatusField m_status;
    CWnd m_editSearch, m_editSearchList;
    std::unique_ptr<LibraryViews> m_views;
    std::string m_playlists, m_history, m_libraryPath;

    void SetUp() override
    {
        AfxSetUnattendedPrompts(TRUE);
        // KVLib's prompts (a playlist file that cannot be read) read this.
        _putenv("TAVRIX_UNATTENDED=1");
        m_oldMessages = SetMessageDialog(&m_messages);
        m_vizu = std::make_unique<VIZU>();
        m_playlists = m_folder.File("Playlists");
        m_history = m_folder.File("History");
        ::CreateDirectoryA(m_playlists.c_str(), nullptr);
        ::CreateDirectoryA(m_history.c_str(), nullptr);
        WriteLibrary(static_cast<int>(sizeof kTracks / sizeof kTracks[0]));
        WriteList(m_playlists + "\\Party.txl", {2, 4});
        WriteList(m_history + "\\Friday.txl", {0});

        ASSERT_TRUE(m_main.CreateEx(0, nullptr, "Library views", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 1000,
                                    640, nullptr, nullptr));
        ASSERT_TRUE(m_tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASLINES | TVS_HASBUTTONS | TVS_SHOWSELALWAYS,
                                  CRect(0, 0, 200, 560), &m_main, Id("mylibrary")));
        ASSERT_TRUE(m_list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS, CRect(200, 0, 990, 300),
                                  &m_main, Id("tracklist")));
        VIZU::DisplayListHeader(&m_list, false);
        ASSERT_TRUE(m_search.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(200, 300, 990, 520), &m_main,
                                    Id("searchlist")));
        VIZU::DisplayListHeader(&m_search, false);
        ASSERT_TRUE(m_status.Create("", WS_CHILD | WS_VISIBLE, CRect(200, 520, 990, 540), &m_main, Id("s-tracklist")));
        m_status.SetTimeFlag(false);
        ASSERT_TRUE(m_editSearch.CreateEx(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 0, 560, 200, 20, m_main.GetSafeHwnd(),
                                          reinterpret_cast<HMENU>(static_cast<UINT_PTR>(Id("editsearch")))));
        ASSERT_TRUE(m_editSearchList.CreateEx(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 200, 560, 200, 20,
                                              m_main.GetSafeHwnd(),
                                              reinterpret_cast<HMENU>(static_cast<UINT_PTR>(Id("editsearchlist")))));
        MakeViews(false);
    }

    void TearDown() override
    {
        m_views.reset();
        m_main.DestroyWindow();
        m_vizu.reset();
        SetMessageDialog(m_oldMessages);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
    }

    LibraryViewSettings Settings(bool thread)
    {
        LibraryViewSettings s;
        s.mostPlayedNum = 2;
        s.recentAddedNum = 3;
        s.playlistFolder = m_playlists.c_str();
        s.historyFolder = m_history.c_str();
        s.iniPath = m_folder.File("TavrixVJ.INI").c_str();
        s.useDisplayThread = thread;
        return s;
    }

    void MakeViews(bool thread)
    {
        m_views.reset();
        m_views = std::make_unique<LibraryViews>(m_parts);
        m_views->Attach(m_main.GetSafeHwnd(), Settings(thread), nullptr, &m_queues);
        m_main.views = m_views.get();
    }

    // The library file of the first count tracks (and more made up past
    // the table), opened as the library.
    void WriteLibrary(int count)
    {
        m_Tracks.RemoveAll();
        const int tableSize = static_cast<int>(sizeof kTracks / sizeof kTracks[0]);
        for (int i = 0; i < count; ++i) {
            CTrackRecord r = Record(kTracks[i % tableSize], i + 1);
            if (i >= tableSize) {
                r.m_Title.Format("%s %05d", kTracks[i % tableSize].title, i);
                r.m_FileName.Format("C:\\Music\\%05d.mp3", i);
            }
            m_Tracks.Add(r);
        }
        m_libraryPath = m_folder.File("Club.txd");
        ASSERT_EQ(0, VIZU::Save(m_libraryPath.c_str()));
        VIZU::Close();
        ASSERT_EQ(0, VIZU::Open(m_libraryPath.c_str()));
        ASSERT_EQ(count, VIZU::GetRecordCount());
    }

    void WriteList(const std::string& path, std::initializer_list<int> rows)
    {
        CArray<CTrackRecord, CTrackRecord&> tracks;
        for (int row : rows) {
            CTrackRecord r = Record(kTracks[row], row + 1);
            tracks.Add(r);
        }
        ASSERT_TRUE(VIZU::XML_SavePLFromArray(path.c_str(), &tracks));
    }

    HTREEITEM Node(const std::vector<std::string>& path)
    {
        HTREEITEM item = m_tree.GetRootItem();
        HTREEITEM found = nullptr;
        for (size_t level = 0; level < path.size(); ++level) {
            found = nullptr;
            for (; item; item = m_tree.GetNextSiblingItem(item))
                if (std::string(m_tree.GetItemText(item).GetString()) == path[level]) {
                    found = item;
                    break;
                }
            if (!found)
                return nullptr;
            item = m_tree.GetChildItem(found);
        }
        return found;
    }

    std::vector<std::string> Children(HTREEITEM item)
    {
        std::vector<std::string> texts;
        for (HTREEITEM c = item ? m_tree.GetChildItem(item) : m_tree.GetRootItem(); c;
             c = m_tree.GetNextSiblingItem(c))
            texts.push_back(m_tree.GetItemText(c).GetString());
        return texts;
    }

    static std::vector<std::string> Titles(CListCtrl& list)
    {
        std::vector<std::string> titles;
        for (int i = 0; i < list.GetItemCount(); ++i)
            titles.push_back(list.GetItemText(i, 0).GetString());
        return titles;
    }

    std::string Status() { return m_status.GetText().GetString(); }

    void Type(CWnd& edit, const char* text) { ::SetWindowTextA(edit.GetSafeHwnd(), text); }

    static std::string Sorted(std::vector<std::string> v, std::string sep = "|")
    {
        std::sort(v.begin(), v.end());
        std::string out;
        for (const std::string& s : v)
            out += (out.empty() ? "" : sep) + s;
        return out;
    }
};

} // namespace

TEST_F(LibraryViewsTest, TreeFormHasLibraryPlaylistsAndHistory)
{
    m_views->BuildLibraryTree();
    EXPECT_EQ((std::vector<std::string>{"My Library", "Playlists", "History"}), Children(nullptr));
    EXPECT_EQ((std::vector<std::string>{"Most Played", "Recently Added", "Albums", "Artists", "BPMs", "Genres",
                                        "Years"}),
              Children(Node({"My Library"})));
    EXPECT_EQ(std::vector<std::string>{"Party"}, Children(Node({"Playlists"})));
    EXPECT_EQ(std::vector<std::string>{"Friday"}, Children(Node({"History"})));
    EXPECT_TRUE(m_tree.GetItemState(Node({"My Library"}), TVIS_EXPANDED) & TVIS_EXPANDED);
    EXPECT_EQ(1, m_views->GetView());
    EXPECT_EQ(0, m_list.GetItemCount());   // the list changes only with a selection
}

// One table: the node selected, what the library showed (list rows or the
// node's new children), the view code and the status line.
TEST_F(LibraryViewsTest, TreeSelections)
{
    struct Step
    {
        std::vector<std::string> node;
        const char* rows;       // the list's titles, sorted, "|" between; null: not checked
        const char* children;   // the node's children, sorted; null: not checked
        int view;
        const char* status;
    };
    const Step steps[] = {
        {{"My Library"}, "Angie|Blue Monday|Dancing Queen|Paint It Black|Waterloo", nullptr, 1,
         "VIEWING MY LIBRARY::Club.txd   ITEMS::5   SEL::0"},
        {{"My Library", "Most Played"}, "Angie|Paint It Black", nullptr, 10,
         "VIEWING MY LIBRARY::Most Played   ITEMS::2   SEL::0"},
        {{"My Library", "Recently Added"}, nullptr, nullptr, 11,
         "VIEWING MY LIBRARY::Recently Added   ITEMS::3   SEL::0"},
        {{"My Library", "Artists"}, nullptr, "ABBA|New Order|The Rolling Stones", 1,
         "VIEWING MY LIBRARY::Club.txd   ITEMS::3   SEL::0"},
        {{"My Library", "Artists", "ABBA"}, "Dancing Queen|Waterloo", nullptr, 1,
         "VIEWING MY LIBRARY::Club.txd   ITEMS::2   SEL::0"},
        {{"My Library", "Genres"}, nullptr, "Euro Disco|Pop|Rock|Synth Pop", 1,
         "VIEWING MY LIBRARY::Club.txd   ITEMS::2   SEL::0"},
        {{"My Library", "Genres", "Rock"}, "Angie|Paint It Black", nullptr, 1,
         "VIEWING MY LIBRARY::Club.txd   ITEMS::2   SEL::0"},
        {{"My Library", "Years"}, nullptr, "1966|1973|1974|1976|1983", 1,
         "VIEWING MY LIBRARY::Club.txd   ITEMS::2   SEL::0"},
        {{"Playlists", "Party"}, "Blue Monday|Paint It Black", nullptr, 2,
         "VIEWING PLAYLIST::Party   ITEMS::2   SEL::0"},
        {{"History", "Friday"}, "Dancing Queen", nullptr, 8, "VIEWING HISTORY::Friday   ITEMS::1   SEL::0"},
        {{"Playlists"}, "Dancing Queen", nullptr, 8, "VIEWING HISTORY::Friday   ITEMS::1   SEL::0"},
        {{"My Library", "Albums"}, nullptr, "Aftermath|Goats Head Soup|Gold|Power", 1,
         "VIEWING MY LIBRARY::Club.txd   ITEMS::1   SEL::0"},
        {{"My Library", "Albums", "Gold"}, "Dancing Queen|Waterloo", nullptr, 1,
         "VIEWING MY LIBRARY::Club.txd   ITEMS::2   SEL::0"},
    };
    m_views->BuildLibraryTree();
    for (const Step& s : steps) {
        std::string name;
        for (const std::string& n : s.node)
            name += "/" + n;
        SCOPED_TRACE(name);
        HTREEITEM item = Node(s.node);
        ASSERT_NE(nullptr, item);
        m_tree.SelectItem(item);   // the selection notice shows it
        if (s.rows) {
            EXPECT_EQ(s.rows, Sorted(Titles(m_list)));
        }
        if (s.children) {
            EXPECT_EQ(s.children, Sorted(Children(item)));
        }
        EXPECT_EQ(s.view, m_views->GetView());
        EXPECT_EQ(s.status, Status());
    }
    EXPECT_TRUE(m_messages.texts.empty());
}

TEST_F(LibraryViewsTest, ViewCommandsShowOneCategory)
{
    m_views->BuildLibraryTree();
    m_views->RunCommand(27404);   // viewartist
    EXPECT_EQ(std::vector<std::string>{"Artist List"}, Children(nullptr));
    EXPECT_EQ("ABBA|New Order|The Rolling Stones", Sorted(Children(Node({"Artist List"}))));
    EXPECT_EQ(3, m_views->GetView());
    m_tree.SelectItem(Node({"Artist List", "The Rolling Stones"}));
    EXPECT_EQ("Angie|Paint It Black", Sorted(Titles(m_list)));
    EXPECT_EQ(3, m_views->GetView());
    EXPECT_EQ("VIEWING ARTIST::The Rolling Stones   ITEMS::2   SEL::0", Status());

    m_views->RunCommand(28114);   // viewbpm
    EXPECT_EQ(std::vector<std::string>{"BPM List"}, Children(nullptr));
    EXPECT_EQ(9, m_views->GetView());
    m_views->RunCommand(27406);   // viewgenre
    m_tree.SelectItem(Node({"Genre List", "Synth Pop"}));
    EXPECT_EQ("Blue Monday", Sorted(Titles(m_list)));
    EXPECT_EQ("VIEWING GENRE::Synth Pop   ITEMS::1   SEL::0", Status());

    m_views->RunCommand(27403);   // viewlibrary rebuilds the tree
    EXPECT_EQ((std::vector<std::string>{"My Library", "Playlists", "History"}), Children(nullptr));
    EXPECT_EQ(1, m_views->GetView());
}

TEST_F(LibraryViewsTest, StatusLineTimeOnlyWithTheTimeFlag)
{
    m_views->BuildLibraryTree();
    m_status.SetTimeFlag(true);
    m_tree.SelectItem(Node({"My Library"}));
    const std::string withTime = Status();
    const std::string time = VIZU::GetTotalQueueTime(&m_list).GetString();
    EXPECT_EQ("VIEWING MY LIBRARY::Club.txd   ITEMS::5   SEL::0   TIME: " + time, withTime);
    EXPECT_FALSE(time.empty());
    m_status.SetTimeFlag(false);
    m_list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    m_views->UpdateLibraryStatusLine();
    EXPECT_EQ("VIEWING MY LIBRARY::Club.txd   ITEMS::5   SEL::1", Status());
}

TEST_F(LibraryViewsTest, FilterOffShowsTheWholeLibraryAgain)
{
    m_views->BuildLibraryTree();
    m_tree.SelectItem(Node({"My Library"}));
    ASSERT_EQ(5, m_list.GetItemCount());
    // The filter edit narrowed the list while My Library stays selected.
    VIZU::DisplayFilteredTracksNoFind(&m_list, 20, "ABBA", true, false);
    m_views->SetFilterActive(true);
    ASSERT_EQ(2, m_list.GetItemCount());
    const int notices = m_main.selectionNotices;
    m_views->RunCommand(27610);
    EXPECT_EQ(notices, m_main.selectionNotices);   // no selection change to notify
    EXPECT_EQ(5, m_list.GetItemCount());
    EXPECT_FALSE(m_views->IsFilterActive());
    EXPECT_EQ("VIEWING MY LIBRARY::Club.txd   ITEMS::5   SEL::0", Status());

    // From another node: the root's selection shows it.
    m_tree.SelectItem(Node({"Playlists", "Party"}));
    ASSERT_EQ(2, m_list.GetItemCount());
    m_views->SetFilterActive(true);
    m_views->RunCommand(27610);
    EXPECT_EQ(Node({"My Library"}), m_tree.GetSelectedItem());
    EXPECT_EQ(5, m_list.GetItemCount());
    EXPECT_EQ(1, m_views->GetView());
    EXPECT_FALSE(m_views->IsFilterActive());
}

TEST_F(LibraryViewsTest, TheFilterEditNarrowsTheListByTitleAndItsEmptyTextShowsAllAgain)
{
    m_views->BuildLibraryTree();
    m_tree.SelectItem(Node({"My Library"}));
    ASSERT_EQ(5, m_list.GetItemCount());
    // Typing narrows at every keystroke: any part of the title, any case.
    m_views->FilterByTitle("a");
    const int withA = m_list.GetItemCount();
    m_views->FilterByTitle("queen");
    ASSERT_EQ(1, m_list.GetItemCount());
    EXPECT_EQ("Dancing Queen", std::string(m_list.GetItemText(0, 0).GetString()));
    EXPECT_TRUE(m_views->IsFilterActive());
    EXPECT_EQ("VIEWING MY LIBRARY::Club.txd   ITEMS::1   SEL::0", Status());
    EXPECT_GT(withA, 1);
    m_views->FilterByTitle("no such title");
    EXPECT_EQ(0, m_list.GetItemCount());
    // Deleting the last character: the whole library, the filter off.
    m_views->OnFilterOff();
    EXPECT_EQ(5, m_list.GetItemCount());
    EXPECT_FALSE(m_views->IsFilterActive());
}

namespace {

struct FolderRecord
{
    CString path;
    bool hasParent;
};

class FakeFolders : public LibraryFolderNodes::Handler
{
public:
    std::vector<std::string> calls;
    void InsertMyComputerNode(CTreeCtrl& tree) override
    {
        calls.push_back("insert");
        tree.InsertItem("My Computer", 0, 0, TVI_ROOT);
    }
    CString PathOf(CTreeCtrl&, HTREEITEM, DWORD_PTR record) override
    {
        calls.push_back("path");
        return reinterpret_cast<FolderRecord*>(record)->path;
    }
    bool HasParentFolder(DWORD_PTR record) override { return reinterpret_cast<FolderRecord*>(record)->hasParent; }
    void ListFolder(const CString& path) override { calls.push_back(std::string("list ") + path.GetString()); }
};

} // namespace

TEST_F(LibraryViewsTest, OnlyRegisteredFolderRecordsAreReadAsFolders)
{
    FakeFolders folders;
    m_views->FolderNodes().SetHandler(&folders);
    m_views->BuildLibraryTree();
    FolderRecord music{"C:\\Music", true};
    FolderRecord computer{"", false};
    FolderRecord empty{"", true};
    HTREEITEM musicNode = m_tree.InsertItem("Music", 0, 0, TVI_ROOT);
    m_tree.SetItemData(musicNode, reinterpret_cast<DWORD_PTR>(&music));
    HTREEITEM computerNode = m_tree.InsertItem("My Computer", 0, 0, TVI_ROOT);
    m_tree.SetItemData(computerNode, reinterpret_cast<DWORD_PTR>(&computer));
    HTREEITEM emptyNode = m_tree.InsertItem("Nowhere", 0, 0, Node({"History"}));
    m_tree.SetItemData(emptyNode, reinterpret_cast<DWORD_PTR>(&empty));
    // Item data of another kind: a number that is no folder record.
    HTREEITEM other = m_tree.InsertItem("Friday", 0, 0, Node({"History"}));
    m_tree.SetItemData(other, 0x1234);

    // Not registered: read as a history node, never as a folder.
    m_tree.SelectItem(musicNode);
    EXPECT_TRUE(folders.calls.empty());
    EXPECT_EQ(8, m_views->GetView());
    m_tree.SelectItem(other);
    EXPECT_TRUE(folders.calls.empty());
    EXPECT_EQ("Dancing Queen", Sorted(Titles(m_list)));

    m_views->FolderNodes().Add(reinterpret_cast<DWORD_PTR>(&music));
    m_views->FolderNodes().Add(reinterpret_cast<DWORD_PTR>(&computer));
    m_views->FolderNodes().Add(reinterpret_cast<DWORD_PTR>(&empty));
    m_tree.SelectItem(Node({"My Library"}));
    m_tree.SelectItem(musicNode);
    EXPECT_EQ((std::vector<std::string>{"path", "list C:\\Music"}), folders.calls);
    EXPECT_EQ(7, m_views->GetView());
    EXPECT_EQ("VIEWING MY COMPUTER::C:\\Music   ITEMS::5   SEL::0", Status());
    folders.calls.clear();
    m_tree.SelectItem(computerNode);   // the My Computer node: listed though it has no path
    EXPECT_EQ((std::vector<std::string>{"path", "list "}), folders.calls);
    folders.calls.clear();
    m_tree.SelectItem(emptyNode);      // no path, a parent folder: the rules go on (view 7 became 1)
    EXPECT_EQ(std::vector<std::string>{"path"}, folders.calls);
    EXPECT_EQ(8, m_views->GetView());
}

TEST_F(LibraryViewsTest, SearchHitsAndMisses)
{
    // With the search list shown.
    Type(m_editSearch, "queen");
    m_views->RunCommand(27611);
    EXPECT_EQ("Dancing Queen", Sorted(Titles(m_search)));
    ASSERT_EQ(1, m_queues.search.GetSize());
    EXPECT_STREQ("Dancing Queen", m_queues.search[0].m_Title.GetString());
    EXPECT_EQ(0, ::GetWindowTextLengthA(m_editSearch.GetSafeHwnd()));
    EXPECT_TRUE(m_parts.Has("UpdateSearchListCaption"));

    Type(m_editSearch, "ROLLING");   // any field, any case
    m_views->RunCommand(27611);
    EXPECT_EQ("Angie|Paint It Black", Sorted(Titles(m_search)));

    Type(m_editSearch, "zzz");
    m_views->RunCommand(27611);
    EXPECT_EQ(0, m_search.GetItemCount());
    EXPECT_EQ(0, m_queues.search.GetSize());
    EXPECT_TRUE(m_messages.texts.empty());   // emptied silently

    // Without a search list shown: the floating list, or the message.
    m_search.ShowWindow(SW_HIDE);
    Type(m_editSearch, "zzz");
    m_views->RunCommand(27611);
    ASSERT_EQ(1u, m_messages.texts.size());
    EXPECT_EQ("No matches found for\nzzz", m_messages.texts[0]);
    EXPECT_FALSE(m_views->PopupList().IsShown());

    Type(m_editSearch, "gold");
    m_views->RunCommand(27611);
    ASSERT_TRUE(m_views->PopupList().IsShown());
    EXPECT_EQ("Search List", std::string(m_views->PopupList().GetTitle().GetString()));
    EXPECT_EQ(4007, m_views->PopupList().GetListType());
    EXPECT_EQ("Dancing Queen|Waterloo", Sorted(Titles(m_views->PopupList().List())));
    EXPECT_EQ(1u, m_messages.texts.size());

    // An empty text: only the caption.
    m_parts.events.clear();
    m_views->RunCommand(27611);
    EXPECT_EQ(std::vector<std::string>{"UpdateSearchListCaption"}, m_parts.events);
}

TEST_F(LibraryViewsTest, ListSearchOverTheShownColumns)
{
    m_views->BuildLibraryTree();
    m_tree.SelectItem(Node({"My Library"}));
    struct Case
    {
        const char* text;
        const char* rows;
    };
    const Case cases[] = {
        {"euro DISCO", "Dancing Queen"},            // genre, other case
        {"rock", "Angie|Paint It Black"},
        {"1983", "Blue Monday"},                    // year
        {"music\\abba", "Dancing Queen|Waterloo"},  // file path
        {"abba gold", "Dancing Queen|Waterloo"},    // artist and album joined by a space
        {"130.00", ""},                             // BPM is not searched
        {"4:31", ""},                               // nor the length
        {"zzz", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        Type(m_editSearchList, c.text);
        m_views->FilterTrackList();
        EXPECT_EQ(c.rows, Sorted(Titles(m_search)));
        EXPECT_EQ(m_search.GetItemCount(), m_queues.search.GetSize());
        EXPECT_EQ(0, ::GetWindowTextLengthA(m_editSearchList.GetSafeHwnd()));
    }
    // The rows carry the record read from the main list.
    Type(m_editSearchList, "angie");
    m_views->FilterTrackList();
    ASSERT_EQ(1, m_queues.search.GetSize());
    const CTrackRecord& angie = m_queues.search[0];
    EXPECT_STREQ("The Rolling Stones", angie.m_Artist.GetString());
    EXPECT_STREQ("Goats Head Soup", angie.m_Album.GetString());
    EXPECT_EQ(271, angie.m_Length);
    EXPECT_EQ(9, angie.m_PlayCount);
    EXPECT_EQ(4, angie.m_Index);
    EXPECT_STREQ("C:\\Music\\The Rolling Stones - Angie.mp3", m_search.GetItemText(0, kColPath).GetString());

    // An empty text leaves the list as it is.
    m_views->FilterTrackList();
    EXPECT_EQ(1, m_search.GetItemCount());
}

TEST_F(LibraryViewsTest, PopupListViewsShowTheirArrays)
{
    CTrackRecord a = Record(kTracks[0], 1), b = Record(kTracks[1], 2);
    m_queues.deckB.Add(a);
    m_queues.deckB.Add(b);
    m_queues.history.Add(b);
    m_views->RunCommand(27227);
    EXPECT_EQ("Deck B Queue", std::string(m_views->PopupList().GetTitle().GetString()));
    EXPECT_EQ(4006, m_views->PopupList().GetListType());
    EXPECT_EQ((std::vector<std::string>{"Dancing Queen", "Waterloo"}), Titles(m_views->PopupList().List()));
    EXPECT_TRUE(m_views->PopupList().IsShown());
    m_views->RunCommand(27414);
    EXPECT_EQ("History List", std::string(m_views->PopupList().GetTitle().GetString()));
    EXPECT_EQ(4008, m_views->PopupList().GetListType());
    EXPECT_EQ(std::vector<std::string>{"Waterloo"}, Titles(m_views->PopupList().List()));
    m_views->RunCommand(27309);
    EXPECT_EQ("AutoMix Queue", std::string(m_views->PopupList().GetTitle().GetString()));
    EXPECT_EQ(4011, m_views->PopupList().GetListType());
    EXPECT_EQ(0, m_views->PopupList().List().GetItemCount());
}

TEST_F(LibraryViewsTest, ColumnOrderSavedAndRestored)
{
    int order[kColumnCount] = {8, 1, 0, 2, 3, 4, 5, 6, 7, 10, 9};
    ASSERT_TRUE(m_list.SetColumnOrderArray(kColumnCount, order));
    m_views->SaveTracklistOrder();
    char stored[44] = {};
    ASSERT_TRUE(::GetPrivateProfileStructA("MAIN", "TracklistOrder", stored, 44,
                                           m_folder.File("TavrixVJ.INI").c_str()));
    EXPECT_EQ(8, stored[0]);
    EXPECT_EQ(9, stored[40]);

    int identity[kColumnCount] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    m_list.SetColumnOrderArray(kColumnCount, identity);
    m_views->LoadTracklistOrder();
    int back[kColumnCount] = {};
    ASSERT_TRUE(m_list.GetColumnOrderArray(back, kColumnCount));
    for (int i = 0; i < kColumnCount; ++i)
        EXPECT_EQ(order[i], back[i]) << i;

    m_views->ResetTracklistOrder();
    ASSERT_TRUE(m_list.GetColumnOrderArray(back, kColumnCount));
    for (int i = 0; i < kColumnCount; ++i)
        EXPECT_EQ(i, back[i]);
    EXPECT_TRUE(m_parts.Has("ResetColumnWidths"));
    ASSERT_TRUE(::GetPrivateProfileStructA("MAIN", "TracklistOrder", stored, 44,
                                           m_folder.File("TavrixVJ.INI").c_str()));
    EXPECT_EQ(0, stored[0]);

    // A damaged value (a column twice) changes nothing.
    int twice[kColumnCount] = {8, 8, 0, 2, 3, 4, 5, 6, 7, 10, 9};
    std::string bytes(reinterpret_cast<const char*>(twice), sizeof twice);
    ASSERT_TRUE(::WritePrivateProfileStructA("MAIN", "TracklistOrder", &bytes[0], 44,
                                             m_folder.File("TavrixVJ.INI").c_str()));
    m_list.SetColumnOrderArray(kColumnCount, order);
    m_views->LoadTracklistOrder();
    ASSERT_TRUE(m_list.GetColumnOrderArray(back, kColumnCount));
    for (int i = 0; i < kColumnCount; ++i)
        EXPECT_EQ(order[i], back[i]) << i;
}

TEST_F(LibraryViewsTest, TreeFontsSetTheItemHeight)
{
    m_views->SetLibraryTreeFontSize(120);
    EXPECT_EQ(22, TreeView_GetItemHeight(m_tree.GetSafeHwnd()));
    EXPECT_NE(nullptr, reinterpret_cast<HFONT>(m_tree.SendMessage(WM_GETFONT, 0, 0)));
    m_views->SetLibraryTreeFontFace("Arial");
    EXPECT_EQ(22, TreeView_GetItemHeight(m_tree.GetSafeHwnd()));
    LOGFONTA font = {};
    ::GetObjectA(reinterpret_cast<HFONT>(m_tree.SendMessage(WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_STREQ("Arial", font.lfFaceName);
    m_views->SetFolderTreeFontSize(100);   // no folder tree here: only kept
    EXPECT_EQ(100, m_views->GetFolderTreeFontSize());
}

TEST_F(LibraryViewsTest, SelectedTrackInfoGoesToTheShownInfoWindow)
{
    m_views->BuildLibraryTree();
    m_tree.SelectItem(Node({"My Library", "Artists"}));
    m_tree.SelectItem(Node({"My Library", "Artists", "New Order"}));
    m_list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    m_views->ShowSelectedTrackInfo();
    EXPECT_TRUE(m_parts.info.empty());   // no info window shown
    m_parts.infoShown = true;
    m_views->ShowSelectedTrackInfo();
    EXPECT_EQ((std::vector<std::string>{"Blue Monday", "New Order", "Power", "Synth Pop",
                                        "C:\\Music\\New Order - Blue Monday.mp3"}),
              m_parts.info);
}

namespace {

// The main window's display thread: the job runs when its event is set.
struct DisplayThread
{
    HANDLE event = ::CreateEventA(nullptr, FALSE, FALSE, nullptr);
    WorkerThread thread;
    std::atomic<int> runs{0};
    LibraryViews* views = nullptr;

    static void Job(void* data)
    {
        auto* self = static_cast<DisplayThread*>(data);
        self->views->RunDisplayJob();
        ++self->runs;
    }
    void Start(LibraryViews* v)
    {
        views = v;
        thread.AddHandler(event, &DisplayThread::Job, this);
        thread.Start(THREAD_PRIORITY_NORMAL);
    }
    ~DisplayThread()
    {
        thread.Stop();
        ::CloseHandle(event);
    }
};

} // namespace

TEST_F(LibraryViewsTest, DisplayWorkerFillsTheWholeLibrary)
{
    MakeViews(true);
    DisplayThread display;
    display.Start(m_views.get());
    m_views->SetDisplayJobStarter([&] { return ::SetEvent(display.event) != FALSE; });
    m_views->BuildLibraryTree();
    m_tree.SelectItem(Node({"My Library"}));
    ASSERT_TRUE(PumpUntil([&] { return display.runs.load() == 1 && m_parts.busy == 0; }));
    EXPECT_EQ("Angie|Blue Monday|Dancing Queen|Paint It Black|Waterloo", Sorted(Titles(m_list)));
    ASSERT_TRUE(PumpUntil([&] { return Status() == "VIEWING MY LIBRARY::Club.txd   ITEMS::5   SEL::0"; }))
        << Status();
    EXPECT_TRUE(m_parts.Has("busy on"));
}

TEST_F(LibraryViewsTest, NewerSelectionCancelsTheWorkersFill)
{
    WriteLibrary(20000);
    MakeViews(true);
    DisplayThread display;
    display.Start(m_views.get());
    m_views->SetDisplayJobStarter([&] { return ::SetEvent(display.event) != FALSE; });
    m_views->BuildLibraryTree();
    // The newer selection comes while the fill is under way: once its
    // first screen of rows is in and the next batch is being inserted.
    int rowsBefore = -1;
    bool runningBefore = false;
    tavrix_test::InsertWatch watch(m_list.GetSafeHwnd(), 100, [&] {
        rowsBefore = m_list.GetItemCount();
        runningBefore = m_views->IsDisplayJobRunning();
        m_tree.SelectItem(Node({"My Library", "Artists"}));
        m_tree.SelectItem(Node({"My Library", "Artists", "New Order"}));
    });
    m_tree.SelectItem(Node({"My Library"}));
    ASSERT_TRUE(PumpUntil([&] { return watch.Ran(); }, 60000));
    EXPECT_TRUE(runningBefore);
    EXPECT_GT(rowsBefore, 100);
    EXPECT_LT(rowsBefore, 20000);
    EXPECT_FALSE(m_views->IsDisplayJobRunning());
    EXPECT_EQ(0, m_parts.busy);
    // Nothing of the older fill comes in afterwards.
    PumpUntil([] { return false; }, 300);
    EXPECT_EQ(4000, m_list.GetItemCount());
    for (int i = 0; i < m_list.GetItemCount(); i += 997)
        EXPECT_STREQ("New Order", m_list.GetItemText(i, 1).GetString());
    EXPECT_EQ("VIEWING MY LIBRARY::Club.txd   ITEMS::4000   SEL::0", Status());
}
