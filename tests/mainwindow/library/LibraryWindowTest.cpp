// The library in a real main window under Wine with the shipped Default
// skin, built by the program's own parts: a library file of tracks whose
// files are generated MP3s, the tree, the search, the lists' context menus
// (opened by a right click or from the keyboard, answered through the
// menu-runner seam) and a queued track loaded by "next" and played into
// the sound server's null sink, recorded. Runs alone (SERIAL): other sound
// on the sink would mix into the recording.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "../../decoder/dkplayer/DsoundTestSupport.h"
#include "audio/deck/Deck.h"
#include "audio/deck/DeckLogic.h"
#include "audio/deck/DeckPlayer.h"
#include "mainwindow/decks/DeckSet.h"
#include "foundation/app/MessageDialog.h"
#include "framework/ui/Prompts.h"
#include "library/api/LibraryArrays.h"
#include "library/api/VIZU.h"
#include "mainwindow/decks/DeckArea.h"
#include "mainwindow/dialog/MainDialog.h"
#include "mainwindow/parts/ProgramParts.h"
#include "mainwindow/queues/QueueLists.h"
#include "mainwindow/res/MainWindowIds.h"
#include "skin/create/FindSkinControl.h"
#include "skin/fields/TXVStatusField.h"
#include "skin/file/Skin.h"
#include "skin/tracklist/TXVTrackList.h"
#include "skin/tree/TXVTreeCtrl.h"
#include "tests/support/ProgramFolder.h"
#include "tests/support/TestSupport.h"
#include "widgets/menus/NewMenu.h"

using namespace tavrix_test;

namespace
{

struct Track
{
    const char* title;
    const char* artist;
    const char* album;
    const char* genre;
    const char* year;
    const char* bpm;
    const char* file;   // in the test's Music folder
};

// A library record of an MP3 track of the table.
CTrackRecord RecordOf(const Track& t, int index, int length)
{
    CTrackRecord r;
    r.m_Title = t.title;
    r.m_Artist = t.artist;
    r.m_Album = t.album;
    r.m_Genre = t.genre;
    r.m_Year = t.year;
    r.m_BPMText = t.bpm;
    r.m_Length = length;
    r.m_Index = index;
    r.m_FileType = "MP3";
    return r;
}

// Real-looking tracks; every file is a generated five-second MP3 (a 330 Hz
// tone at -6 dB) with these tags (tests/media: library_1.mp3 ...).
const Track kTracks[] = {
    {"Midnight Drive", "Nova Lane", "City Lights", "Synthwave", "2019", "118.00", "Nova Lane - Midnight Drive.mp3"},
    {"Golden Hour", "The Palms", "Shoreline", "Indie Pop", "2021", "122.00", "The Palms - Golden Hour.mp3"},
    {"Neon Rain", "Nova Lane", "City Lights", "Synthwave", "2019", "110.00", "Nova Lane - Neon Rain.mp3"},
    {"Into The Deep", "Marea", "Tides", "Deep House", "2020", "124.00", "Marea - Into The Deep.mp3"},
    {"Paper Planes", "Lucy Vale", "Skyward", "Electropop", "2018", "128.00", "Lucy Vale - Paper Planes.mp3"},
    {"Slow Burn", "Marea", "Tides", "Deep House", "2020", "120.00", "Marea - Slow Burn.mp3"},
    {"Afterglow", "Kite Season", "Afterglow", "Disco", "2022", "116.00", "Kite Season - Afterglow.mp3"},
    {"Firefly", "Lucy Vale", "Skyward", "Electropop", "2018", "126.00", "Lucy Vale - Firefly.mp3"},
};
const int kTrackCount = static_cast<int>(sizeof kTracks / sizeof kTracks[0]);

class MessageRecorder : public MessageDialog
{
public:
    void ShowModal(const CString& text) override { texts.push_back(text.GetString()); }
    std::vector<std::string> texts;
};

// What the menu-runner seam saw of a menu.
struct MenuSeen
{
    std::string title;
    std::vector<UINT> ids;
    std::vector<UINT> greyed;
    std::string CaptionOf(UINT id) const
    {
        for (size_t i = 0; i < ids.size(); ++i)
            if (ids[i] == id)
                return captions[i];
        return "<none>";
    }
    std::vector<std::string> captions;
};

void Collect(HMENU menu, MenuSeen& seen)
{
    const int count = ::GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        if (HMENU sub = ::GetSubMenu(menu, i)) {
            Collect(sub, seen);
            continue;
        }
        const UINT id = ::GetMenuItemID(menu, i);
        if (id == 0 || id == static_cast<UINT>(-1))
            continue;
        CNewMenu* owner = CNewMenu::FromHandleNew(menu);
        CNewMenuItemData* data = owner ? owner->GetItemDataForCommand(id) : nullptr;
        seen.ids.push_back(id);
        seen.captions.push_back(data ? data->m_szMenuText.GetString() : "");
        if (::GetMenuState(menu, id, MF_BYCOMMAND) & MF_GRAYED)
            seen.greyed.push_back(id);
    }
}

// The program's parts with a menu runner that answers the test's choice.
class MenuParts : public ProgramParts
{
public:
    explicit MenuParts(MainDialog& dialog) : ProgramParts(dialog) {}

    UINT RunMenu(CNewMenu& popup, CWnd&, POINT at, UINT flags) override
    {
        MenuSeen s;
        CNewMenuItemDataTitle* title = popup.GetTitleItem();
        s.title = title ? title->m_szMenuText.GetString() : "";
        Collect(popup.m_hMenu, s);
        seen.push_back(s);
        lastAt = at;
        lastFlags = flags;
        return choice;
    }

    std::vector<MenuSeen> seen;
    UINT choice = 0;
    POINT lastAt = {0, 0};
    UINT lastFlags = 0;
};

class LibraryWindow : public ::testing::Test
{
protected:
    ProgramFolderScope m_folder;
    MainDialog* m_dialog = nullptr;
    std::unique_ptr<MenuParts> m_parts;
    MessageRecorder m_messages;
    MessageDialog* m_oldMessages = nullptr;
    std::string m_music;

    void SetUp() override
    {
        AfxSetUnattendedPrompts(TRUE);
        _putenv("TAVRIX_UNATTENDED=1");
        m_oldMessages = SetMessageDialog(&m_messages);
        ASSERT_TRUE(::CreateDirectoryA(m_folder.File("Skins").c_str(), nullptr));
        ASSERT_TRUE(CopyTree(ImageDir() + "\\Skins", m_folder.File("Skins")));
        m_music = m_folder.File("Music");
        ASSERT_TRUE(::CreateDirectoryA(m_music.c_str(), nullptr));
        ASSERT_TRUE(::CreateDirectoryA(m_folder.File("Playlists").c_str(), nullptr));
        ASSERT_TRUE(::CreateDirectoryA(m_folder.File("History").c_str(), nullptr));
        for (int i = 0; i < kTrackCount; ++i) {
            const std::string media = MediaPath("library_" + std::to_string(i + 1) + ".mp3");
            ASSERT_TRUE(::CopyFileA(media.c_str(), (m_music + "\\" + kTracks[i].file).c_str(), FALSE)) << media;
        }
        WriteLibrary();
        std::string ini =
            "[MAIN]\r\nNewInstall=0\r\nSkinFolder=Skins\r\nSkinXML=Default.xml\r\nSkinBMPPath=Default\r\n"
            "Logging=1\r\nTooltips=1\r\nTimeGran=10\r\nFeedbackRate=20\r\nDisplayBadLinks=1\r\n"
            "UseDisplayTracksThread=0\r\nMCInLib=0\r\n";
        ini += "Library=" + m_folder.File("Club.txd") + "\r\n";
        ini += "PlaylistFolder=" + m_folder.File("Playlists") + "\r\n";
        ini += "HistoryFolder=" + m_folder.File("History") + "\r\n";
        ini += "[DECKA]\r\nEQOn=0\r\nGain=0\r\nMonGain=100\r\n[DECKB]\r\nEQOn=0\r\nGain=0\r\nMonGain=100\r\n"
               "[CUSTOMSTRINGS]\r\nLIBTREE_MYLIBRARY=My Library\r\nLIBTREE_MOSTPLAYED=Most Played\r\n"
               "LIBTREE_RECENTLYADDED=Recently Added\r\nLIBTREE_ALBUMS=Albums\r\nLIBTREE_ARTISTS=Artists\r\n"
               "LIBTREE_BPMS=BPMs\r\nLIBTREE_GENRES=Genres\r\nLIBTREE_YEARS=Years\r\nLIBTREE_PLAYLISTS=Playlists\r\n"
               "LIBTREE_HISTORY=History\r\n"
               "[MENUTEXT]\r\nID_TRACKLIST_SELECTALL=Select All\r\nID_TRACKLIST_LOADTOA=Load to Deck A\r\n"
               "ID_TRACKLIST_LOADTOAQ=Queue on Deck A\r\nID_TRACKLIST_ADDTOREQUESTLIST=Add to Request List\r\n"
               "ID_QLIST_MOVEUP=Move Up\r\nID_QLIST_DELETE=Remove\r\nID_QLIST_EMPTYLIST=Empty List\r\n"
               "ID_LIB_LOADTODECKAQUEUE=Load to Deck A Queue\r\n";
        ASSERT_TRUE(WriteIniFile(m_folder.File("TavrixVJ.INI"), ini));

        m_dialog = new MainDialog;
        m_parts = std::make_unique<MenuParts>(*m_dialog);
        m_dialog->SetParts(m_parts.get());
        ASSERT_TRUE(m_dialog->HasSkin());
        ASSERT_TRUE(m_dialog->Create(IDD_MAINDIALOG));
        ASSERT_TRUE(PumpUntil([&] { return TrackList() && TrackList()->GetItemCount() == kTrackCount; }, 20000))
            << "the main track list never showed the library";
    }

    void TearDown() override
    {
        if (m_dialog && ::IsWindow(m_dialog->m_hWnd))
            m_dialog->DestroyWindow();
        m_parts.reset();
        delete m_dialog;
        m_dialog = nullptr;
        SetMessageDialog(m_oldMessages);
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
    }

    // The library file, and a playlist of two of its tracks, written by a
    // library object of the test's own before the window opens its own.
    void WriteLibrary()
    {
        VIZU vizu;
        m_Tracks.RemoveAll();
        CArray<CTrackRecord, CTrackRecord&> party;
        for (int i = 0; i < kTrackCount; ++i) {
            const Track& t = kTracks[i];
            CTrackRecord r = RecordOf(t, i + 1, 5);
            r.m_FileName = (m_music + "\\" + t.file).c_str();
            m_Tracks.Add(r);
            if (i == 1 || i == 4)
                party.Add(r);
        }
        ASSERT_EQ(0, VIZU::Save(m_folder.File("Club.txd").c_str()));
        ASSERT_TRUE(VIZU::XML_SavePLFromArray(m_folder.File("Playlists\\Party.txl").c_str(), &party));
        VIZU::Close();
    }

    HWND Window() const { return m_dialog->m_hWnd; }
    QueueLists& Lists() { return m_parts->Queues(); }
    QueueArrays& Arrays() { return m_dialog->Queues(); }
    TXVTrackList* TrackList() { return m_parts->Queues().ListOfType(4013); }
    TXVTrackList* List(int type) { return m_parts->Queues().ListOfType(type); }
    TXVTreeCtrl* Tree() { return FindSkinControl<TXVTreeCtrl>(Window(), TheSkin().LookupControlName("mylibrary")); }
    void Command(UINT id) { ::SendMessageA(Window(), WM_COMMAND, MAKEWPARAM(id, 0), 0); }
    void Pump(unsigned long ms) { PumpUntil([] { return false; }, ms); }

    std::string Status()
    {
        TXVStatusField* f = FindSkinControl<TXVStatusField>(Window(), TheSkin().LookupControlName("s-tracklist"));
        return f ? f->GetText().GetString() : "<none>";
    }

    static void Select(CListCtrl& list, const std::vector<int>& rows)
    {
        for (int i = 0; i < list.GetItemCount(); ++i)
            list.SetItemState(i, 0, LVIS_SELECTED);
        for (int row : rows)
            list.SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    }

    static std::string Titles(const queue_rules::TrackArray& tracks)
    {
        std::string s;
        for (INT_PTR i = 0; i < tracks.GetSize(); ++i)
            s += (i ? "|" : "") + std::string(tracks[i].m_Title.GetString());
        return s;
    }

    static std::string Rows(CListCtrl& list)
    {
        std::string s;
        for (int i = 0; i < list.GetItemCount(); ++i)
            s += (i ? "|" : "") + std::string(list.GetItemText(i, 0).GetString());
        return s;
    }

    HTREEITEM Node(const char* parentText, const char* text)
    {
        TXVTreeCtrl* tree = Tree();
        for (HTREEITEM root = tree->GetRootItem(); root; root = tree->GetNextSiblingItem(root)) {
            if (!parentText) {
                if (tree->GetItemText(root) == text)
                    return root;
                continue;
            }
            if (tree->GetItemText(root) != parentText)
                continue;
            for (HTREEITEM child = tree->GetChildItem(root); child; child = tree->GetNextSiblingItem(child))
                if (tree->GetItemText(child) == text)
                    return child;
        }
        return nullptr;
    }

    // A right click on a list's row (or, with row -1, on its empty part),
    // as the mouse sends it: the list tells the main window
    // (WM_CONTEXTMENU), which opens the menu.
    void RightClick(HWND window, int row)
    {
        RECT r = {0, 0, 0, 0};
        POINT p = {20, 200};
        if (row >= 0) {
            r.left = LVIR_LABEL;
            ::SendMessageA(window, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&r));
            p = {r.left + 5, (r.top + r.bottom) / 2};
        }
        const size_t before = m_parts->seen.size();
        ::PostMessageA(window, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(p.x, p.y));
        ::PostMessageA(window, WM_RBUTTONUP, 0, MAKELPARAM(p.x, p.y));
        PumpUntil([&] { return m_parts->seen.size() > before; }, 5000);
    }

    // Shift+F10 or the menu key: the system sends WM_CONTEXTMENU with no
    // point to the focused window, whose default passes it to its parent.
    void MenuKey(HWND window)
    {
        ::SetFocus(window);
        ::SendMessageA(window, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window), static_cast<LPARAM>(-1));
    }
};

TEST_F(LibraryWindow, ContextMenusOfTheListsAndTreeRunTheChosenItem)
{
    TXVTrackList* main = TrackList();
    TXVTrackList* queueA = List(4005);
    TXVTrackList* request = List(4009);
    ASSERT_NE(nullptr, main);
    ASSERT_NE(nullptr, queueA) << "the Default skin's deck A queue";
    ASSERT_NE(nullptr, request) << "the Default skin's request list";
    ASSERT_NE(nullptr, Tree());

    enum How { Click, ClickEmpty, Key };
    struct Case
    {
        const char* what;
        std::function<HWND()> window;
        std::function<void()> prepare;
        How how;
        UINT choice;
        const char* title;
        std::vector<UINT> greyed;      // among others
        std::vector<UINT> notGreyed;
        std::function<void()> check;
    };
    // The main list shows the library sorted by title: Afterglow, Firefly,
    // Golden Hour, Into The Deep, Midnight Drive, Neon Rain, Paper Planes,
    // Slow Burn.
    const std::vector<Case> cases = {
        {"track list: Load to A Q", [&] { return main->GetSafeHwnd(); }, [&] { Select(*main, {}); }, Click, 32795,
         "Track List", {32825, 32984}, {32793, 32795, 32969},
         [&] {
             EXPECT_EQ("Afterglow", Titles(Arrays().deckA));
             EXPECT_EQ("Afterglow", Rows(*queueA));
         }},
        {"track list: Add to Request List (two rows)", [&] { return main->GetSafeHwnd(); },
         [&] { Select(*main, {2, 3}); }, Key, 32969, "Track List", {32825}, {32969},
         [&] {
             EXPECT_EQ("Golden Hour|Into The Deep", Titles(Arrays().request));
             EXPECT_EQ("Golden Hour|Into The Deep", Rows(*request));
         }},
        {"track list, nothing selected: Load to A is greyed and does nothing", [&] { return main->GetSafeHwnd(); },
         [&] { Select(*main, {}); }, Key, 32793, "Track List", {32793, 32794, 32979, 32795, 32969, 32812}, {32960},
         [&] { EXPECT_EQ("Afterglow", Titles(Arrays().deckA)); }},
        {"track list: another track to deck A's queue", [&] { return main->GetSafeHwnd(); },
         [&] { Select(*main, {4}); }, Key, 32795, "Track List", {}, {32795},
         [&] { EXPECT_EQ("Afterglow|Midnight Drive", Titles(Arrays().deckA)); }},
        {"deck A queue: Move Up", [&] { return queueA->GetSafeHwnd(); }, [&] { Select(*queueA, {}); }, Click, 32799,
         "Deck A Queue", {}, {32799, 32805},
         [&] {
             // The right click selected the row it hit (row 1).
             EXPECT_EQ("Midnight Drive|Afterglow", Titles(Arrays().deckA));
             EXPECT_EQ("Midnight Drive|Afterglow", Rows(*queueA));
         }},
        {"request list: Delete (menu key)", [&] { return request->GetSafeHwnd(); },
         [&] { Select(*request, {0}); }, Key, 32803, "Request Queue", {}, {32803},
         [&] {
             EXPECT_EQ("Into The Deep", Titles(Arrays().request));
             EXPECT_EQ("Into The Deep", Rows(*request));
         }},
        {"library tree on a playlist: Load to Deck A Q", [&] { return Tree()->GetSafeHwnd(); },
         [&] {
             Tree()->SelectItem(Node("Playlists", "Party"));
             Pump(100);
         },
         Key, 32783, "My Library", {}, {32783, 32781, 32830},
         [&] {
             // The queue held tracks: the question's unattended answer (Yes) appends.
             EXPECT_EQ("Midnight Drive|Afterglow|Golden Hour|Paper Planes", Titles(Arrays().deckA));
             EXPECT_EQ(4, queueA->GetItemCount());
         }},
        {"deck A queue: Empty List", [&] { return queueA->GetSafeHwnd(); }, [&] { Select(*queueA, {}); },
         ClickEmpty, 32805, "Deck A Queue", {32799, 32803}, {32804, 32805},
         [&] {
             EXPECT_EQ("", Titles(Arrays().deckA));
             EXPECT_EQ(0, queueA->GetItemCount());
         }},
    };
    int row = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.prepare();
        m_parts->choice = c.choice;
        const size_t before = m_parts->seen.size();
        const HWND window = c.window();
        if (c.how == Key)
            MenuKey(window);
        else
            RightClick(window, c.how == Click ? (c.choice == 32799 ? 1 : 0) : -1);
        ASSERT_EQ(before + 1, m_parts->seen.size()) << "no menu opened";
        const MenuSeen& seen = m_parts->seen.back();
        EXPECT_EQ(c.title, seen.title);
        EXPECT_EQ(static_cast<UINT>(TPM_RIGHTBUTTON | TPM_RETURNCMD), m_parts->lastFlags);
        for (UINT id : c.greyed)
            EXPECT_NE(seen.greyed.end(), std::find(seen.greyed.begin(), seen.greyed.end(), id)) << id << " greyed";
        for (UINT id : c.notGreyed)
            EXPECT_EQ(seen.greyed.end(), std::find(seen.greyed.begin(), seen.greyed.end(), id)) << id << " enabled";
        Pump(50);
        c.check();
        ++row;
    }
    EXPECT_EQ(static_cast<int>(cases.size()), row);
    // The captions: MENUTEXT's on the first level, empty where it has none,
    // the resource's texts in the library menu's "View" sub-menu.
    const MenuSeen& trackMenu = m_parts->seen[0];
    EXPECT_EQ("Queue on Deck A", trackMenu.CaptionOf(32795));
    EXPECT_EQ("Load to Deck A", trackMenu.CaptionOf(32793));
    EXPECT_EQ("", trackMenu.CaptionOf(32794));
    const MenuSeen& libraryMenu = m_parts->seen[6];
    EXPECT_EQ("Load to Deck A Queue", libraryMenu.CaptionOf(32783));
    EXPECT_EQ("Artists", libraryMenu.CaptionOf(32953));
    // Items of later dialogs log and change nothing.
    m_parts->choice = 32806;   // "Save as Playlist"
    MenuKey(request->GetSafeHwnd());
    EXPECT_EQ("Into The Deep", Titles(Arrays().request));
    // A window without a menu here opens none.
    const size_t before = m_parts->seen.size();
    ::SendMessageA(Window(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Window()), MAKELPARAM(10, 10));
    EXPECT_EQ(before, m_parts->seen.size());
}

TEST_F(LibraryWindow, ATreeSelectionASearchAndAQueuedTrackPlayingOnDeckA)
{
    if (!HasDirectSound())
        GTEST_SKIP() << "no DirectSound device (no sound server)";
    // The start-up showed the whole library.
    EXPECT_EQ("VIEWING MY LIBRARY::Club.txd   ITEMS::8   SEL::0", Status());

    // A tree selection: the playlist, then an artist under Artists.
    TXVTreeCtrl* tree = Tree();
    ASSERT_NE(nullptr, tree);
    HTREEITEM party = Node("Playlists", "Party");
    ASSERT_NE(nullptr, party);
    tree->SelectItem(party);
    ASSERT_TRUE(PumpUntil([&] { return TrackList()->GetItemCount() == 2; }, 5000));
    EXPECT_EQ("Golden Hour|Paper Planes", Rows(*TrackList()));
    EXPECT_EQ("VIEWING PLAYLIST::Party   ITEMS::2   SEL::0", Status());
    HTREEITEM artists = Node("My Library", "Artists");
    ASSERT_NE(nullptr, artists);
    tree->SelectItem(artists);
    HTREEITEM marea = nullptr;
    ASSERT_TRUE(PumpUntil([&] {
        for (HTREEITEM c = tree->GetChildItem(artists); c; c = tree->GetNextSiblingItem(c))
            if (tree->GetItemText(c) == "Marea")
                marea = c;
        return marea != nullptr;
    }, 5000)) << "the artists under Artists";
    tree->SelectItem(marea);
    ASSERT_TRUE(PumpUntil([&] { return TrackList()->GetItemCount() == 2; }, 5000));
    EXPECT_EQ("Into The Deep|Slow Burn", Rows(*TrackList()));
    // The artist is shown within My Library: the line names the library.
    EXPECT_EQ("VIEWING MY LIBRARY::Club.txd   ITEMS::2   SEL::0", Status());

    // A search: a hit into the search list, a miss with its message.
    CWnd* edit = FindSkinControl<CWnd>(Window(), TheSkin().LookupControlName("editsearch"));
    ASSERT_NE(nullptr, edit) << "the Default skin's search edit";
    TXVTrackList* search = List(4007);
    edit->SetWindowText("nova");
    Command(27611);   // "searchgo"
    EXPECT_EQ(2, Arrays().search.GetSize());
    if (search && search->IsWindowVisible()) {
        EXPECT_EQ(2, search->GetItemCount());
    }
    edit->SetWindowText("zzzz");
    Command(27611);
    EXPECT_EQ(0, Arrays().search.GetSize());
    if (!search || !search->IsWindowVisible()) {
        ASSERT_EQ(1u, m_messages.texts.size());
        EXPECT_EQ("No matches found for\nzzzz", m_messages.texts[0]);
    }

    // The artist's first track queued to deck A ("tl-loadtoaq") and loaded
    // by "a-next", which takes it from the queue.
    Select(*TrackList(), {0});
    Command(27606);
    ASSERT_EQ("Into The Deep", Titles(Arrays().deckA));
    ASSERT_TRUE(PumpUntil([&] { return m_parts->Decks().Commands() && m_parts->Decks().Commands()->AreDecksSetUp(); },
                          10000));
    DeckSet& decks = *m_parts->Decks().Decks();
    ASSERT_TRUE(PumpUntil([&] { return decks.Get(0) && decks.Get(0)->GetPlayer()->IsReady(); }, 10000));
    Command(27108);   // "a-next"
    ASSERT_TRUE(PumpUntil([&] { return decks.Get(0)->IsLoaded(); }, 10000)) << "deck A did not load the queued track";
    EXPECT_EQ(m_music + "\\Marea - Into The Deep.mp3", std::string(decks.Get(0)->GetCurrentPath().GetString()));
    EXPECT_EQ("", Titles(Arrays().deckA));
    EXPECT_EQ(0, List(4005)->GetItemCount());

    Command(27101);   // "a-play"
    ASSERT_TRUE(PumpUntil([&] { return decks.Get(0)->GetState() == DECK_STATE_PLAYING; }, 10000));
    SinkRecorder recorder;
    if (!recorder.Problem().empty())
        GTEST_SKIP() << recorder.Problem();
    // The recorder can take seconds to deliver: the deck starts again from
    // the top, so that the recording holds three seconds of the track.
    decks.Get(0)->SeekToStart();
    ASSERT_TRUE(PumpUntil([&] { return decks.Get(0)->GetPosition() <= 1; }, 10000));
    ASSERT_TRUE(PumpUntil([&] { return decks.Get(0)->GetPosition() >= 3; }, 15000))
        << "deck A at " << decks.Get(0)->GetPosition();
    Command(27102);   // "a-stop"
    Pump(400);
    const std::vector<int16_t> heard = recorder.Stop();
    const ToneMeasure span = MeasureTone(heard, 2000);
    ASSERT_LT(span.first + 44100, span.last) << "nothing was heard";
    const double a = MedianToneAmplitude(heard, span.first + 11025, span.last - 11025, 330);
    printf("heard %.2f s of deck A, 330 Hz at %.0f\n", span.seconds, a);
    // The tone is -6 dB (16384) in its file; deck A plays at volume 100.
    EXPECT_NEAR(16384, a, 16384 * 0.15);
}

// Not a test: writes a library for the picture of the program with its
// library in use (tools/library-shot.sh runs it with
// --gtest_also_run_disabled_tests): into the folder TAVRIX_SHOT_FOLDER, a
// Music folder of the generated MP3s under real-looking names, the
// library file "Club.txd" of them and a playlist.
TEST(LibraryShot, DISABLED_WriteLibraryFolder)
{
    const char* folder = getenv("TAVRIX_SHOT_FOLDER");
    ASSERT_NE(nullptr, folder) << "TAVRIX_SHOT_FOLDER names the folder to write";
    const std::string root = folder;
    const std::string music = root + "\\Music";
    ::CreateDirectoryA(music.c_str(), nullptr);
    ::CreateDirectoryA((root + "\\Playlists").c_str(), nullptr);
    // More tracks of the same kind (their files are named after them).
    static const Track kMore[] = {
        {"Electric Feel", "Sunset Arcade", "Static Bloom", "Nu Disco", "2017", "123.00", ""},
        {"Overdrive", "Nova Lane", "City Lights", "Synthwave", "2019", "112.00", ""},
        {"Tidal", "Marea", "Tides", "Deep House", "2020", "122.00", ""},
        {"Lost In Tokyo", "Kite Season", "Afterglow", "Disco", "2022", "118.00", ""},
        {"Starlight Avenue", "The Palms", "Shoreline", "Indie Pop", "2021", "120.00", ""},
        {"Heartbeat Theory", "Lucy Vale", "Skyward", "Electropop", "2018", "124.00", ""},
        {"Ocean Floor", "Marea", "Tides", "Deep House", "2020", "121.00", ""},
        {"Velvet Skies", "Sunset Arcade", "Static Bloom", "Nu Disco", "2017", "119.00", ""},
        {"Runaway Signal", "Echo Harbor", "Frequencies", "House", "2023", "126.00", ""},
        {"Weekend Lovers", "Kite Season", "Afterglow", "Disco", "2022", "117.00", ""},
        {"Glass Towers", "Echo Harbor", "Frequencies", "House", "2023", "125.00", ""},
        {"Summer Static", "The Palms", "Shoreline", "Indie Pop", "2021", "115.00", ""},
        {"Moonlit Highway", "Nova Lane", "Night Shift", "Synthwave", "2021", "108.00", ""},
        {"Dance Again", "Lucy Vale", "Skyward", "Electropop", "2018", "127.00", ""},
        {"Crystal Clear", "Sunset Arcade", "Static Bloom", "Nu Disco", "2017", "121.00", ""},
        {"After Hours", "Echo Harbor", "Frequencies", "House", "2023", "124.00", ""},
    };
    VIZU vizu;
    m_Tracks.RemoveAll();
    CArray<CTrackRecord, CTrackRecord&> party;
    int index = 0;
    auto add = [&](const Track& t, int media) {
        const int length = 180 + (index * 37) % 140;
        CTrackRecord r = RecordOf(t, ++index, length);
        r.m_PlayCount = (index * 7) % 12;
        const std::string file = music + "\\" + t.artist + " - " + t.title + ".mp3";
        ASSERT_TRUE(::CopyFileA(MediaPath("library_" + std::to_string(media) + ".mp3").c_str(), file.c_str(), FALSE));
        r.m_FileName = file.c_str();
        m_Tracks.Add(r);
        if (index % 5 == 2)
            party.Add(r);
    };
    for (int i = 0; i < kTrackCount; ++i)
        add(kTracks[i], i + 1);
    for (const Track& t : kMore)
        add(t, 1 + index % kTrackCount);
    ASSERT_EQ(0, VIZU::Save((root + "\\Club.txd").c_str()));
    ASSERT_TRUE(VIZU::XML_SavePLFromArray((root + "\\Playlists\\Friday Warm-Up.txl").c_str(), &party));
    VIZU::Close();
}

} // namespace
