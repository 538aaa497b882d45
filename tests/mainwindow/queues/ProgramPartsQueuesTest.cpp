// The lists' block of the program's own parts in the real main window: the
// commands of the list areas, the scroll toggles, the Delete key and a
// list's double-click reach the working lists through the window's own
// dispatch.
#include "tests/mainwindow/window/MainWindowFixture.h"

#include "mainwindow/parts/ProgramParts.h"
#include "mainwindow/queues/QueueDecks.h"
#include "mainwindow/queues/QueueLists.h"
#include "skin/file/Skin.h"
#include "skin/tracklist/TXVTrackList.h"
#include "skin/tracklist/TrackListRules.h"

#include <commctrl.h>

#include <memory>

using namespace tavrix_test;

namespace {

class LoadRecorder : public QueueDecks
{
public:
    bool LoadTrack(int deck, const CString& path) override
    {
        loads.push_back(std::to_string(deck) + " " + path.GetString());
        return true;
    }
    bool IsPlaying(int) override { return false; }
    void MixLeft() override {}
    void MixRight() override {}
    std::vector<std::string> loads;
};

class ProgramPartsQueues : public MainWindowTest
{
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(WriteSettings());
        ASSERT_NO_FATAL_FAILURE(OpenMainWindow());
        m_program = std::make_unique<ProgramParts>(*m_dialog);
        m_program->Queues().SetDecks(&m_decks);
        m_dialog->SetParts(m_program.get());
        m_list = std::make_unique<TXVTrackList>();
        ASSERT_TRUE(m_list->Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS, CRect(0, 0, 400, 200),
                                   m_dialog, static_cast<UINT>(TheSkin().LookupControlName("a-queue"))));
        for (int column = 0; column < 11; ++column)
            m_list->InsertColumn(column, "", LVCFMT_LEFT, 40, column);
        QueueArrays& queues = m_dialog->Queues();
        for (const char* path : {"C:\\q\\a.mp3", "C:\\q\\b.mp3", "C:\\q\\c.mp3"}) {
            CTrackRecord record;
            record.m_FileName = path;
            queues.deckA.Add(record);
        }
        m_list->ShowTracks(queues.deckA);
    }
    void TearDown() override
    {
        m_dialog->SetParts(&m_parts);
        m_list.reset();
        m_dialog->Queues().deckA.RemoveAll();
        MainWindowTest::TearDown();
    }
    std::vector<std::string> QueueA()
    {
        std::vector<std::string> paths;
        const QueueArrays& queues = m_dialog->Queues();
        for (INT_PTR i = 0; i < queues.deckA.GetSize(); ++i)
            paths.push_back(queues.deckA[i].m_FileName.GetString());
        return paths;
    }
    void Select(int row)
    {
        m_list->SetItemState(-1, 0, LVIS_SELECTED | LVIS_FOCUSED);
        m_list->SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    }

    std::unique_ptr<ProgramParts> m_program;
    std::unique_ptr<TXVTrackList> m_list;
    LoadRecorder m_decks;
};

} // namespace

TEST_F(ProgramPartsQueues, ListCommandsReachTheQueues)
{
    Select(2);
    m_dialog->SendMessage(WM_COMMAND, 28108, 0);   // "aq-moveup"
    EXPECT_EQ((std::vector<std::string>{"C:\\q\\a.mp3", "C:\\q\\c.mp3", "C:\\q\\b.mp3"}), QueueA());

    m_dialog->SendMessage(WM_COMMAND, 27108, 0);   // "a-next"
    EXPECT_EQ((std::vector<std::string>{"0 C:\\q\\a.mp3"}), m_decks.loads);
    EXPECT_EQ((std::vector<std::string>{"C:\\q\\c.mp3", "C:\\q\\b.mp3"}), QueueA());
    EXPECT_EQ(2, m_list->GetItemCount());
}

TEST_F(ProgramPartsQueues, ScrollTogglesAreTheListsState)
{
    m_dialog->SendMessage(WM_COMMAND, 28032, 0);   // "a-scrolltoggle"
    m_dialog->SendMessage(WM_COMMAND, 28033, 0);   // "b-scrolltoggle"
    EXPECT_EQ(2, m_program->Queues().Knobs().target[0]);
    EXPECT_EQ(3, m_program->Queues().Knobs().target[1]);
    EXPECT_FALSE(m_program->Queues().Knobs().queueMode[0]);
}

TEST_F(ProgramPartsQueues, TheDeleteKeyAndADoubleClickReachTheQueue)
{
    Select(1);
    MSG msg = {};
    msg.hwnd = m_list->GetSafeHwnd();
    msg.message = WM_KEYDOWN;
    msg.wParam = VK_DELETE;
    EXPECT_TRUE(m_dialog->PreTranslateMessage(&msg));
    EXPECT_EQ((std::vector<std::string>{"C:\\q\\a.mp3", "C:\\q\\c.mp3"}), QueueA());

    Select(0);
    NMHDR header = {};
    header.hwndFrom = m_list->GetSafeHwnd();
    header.idFrom = static_cast<UINT_PTR>(::GetDlgCtrlID(m_list->GetSafeHwnd()));
    header.code = NM_DBLCLK;
    m_dialog->SendMessage(WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
    EXPECT_EQ((std::vector<std::string>{"0 C:\\q\\a.mp3"}), m_decks.loads);
}
