// The audio jukebox window on real windows: with its player recording the
// commands it would send (settings, the queue list, the buttons, sliders,
// device box, double-click, dropped files and the context menu), and with
// its real player playing a queue of generated WAVE files through
// DirectSound into the null sink.
#include "audio/jukebox/AudioJukebox.h"

#include "audio/deck/DeckLogic.h"
#include "decoder/player/control_messages.h"
#include "foundation/app/MessageDialog.h"
#include "library/api/VIZU.h"
#include "tests/audio/players/PlayerRecorders.h"
#include "tests/audio/players/PopupItems.h"
#include "tests/audio/players/WaveFiles.h"
#include "tests/decoder/dkplayer/DsoundTestSupport.h"
#include "tests/support/ProgramFolder.h"
#include "widgets/menus/NewMenu.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

namespace {

typedef std::vector<std::string> Strings;
typedef Recording<AudioJukeboxPlayer> RecordingPlayer;

const char* OperationName(JukeboxQueueOperation operation)
{
    switch (operation) {
    case JukeboxQueueOperation::MoveUp: return "up";
    case JukeboxQueueOperation::MoveDown: return "down";
    case JukeboxQueueOperation::MoveToTop: return "top";
    case JukeboxQueueOperation::MoveToBottom: return "bottom";
    case JukeboxQueueOperation::DeleteSelected: return "delete";
    case JukeboxQueueOperation::Shuffle: return "shuffle";
    case JukeboxQueueOperation::Empty: return "empty";
    case JukeboxQueueOperation::SaveAsPlaylist: return "save";
    }
    return "?";
}

// The main window's side: the queue, MAIN/UpdatePlayCounter and the queue
// operations, written down with the selected row's path.
struct TestHost : AudioJukeboxHost
{
    CArray<CTrackRecord, CTrackRecord&> queue;
    int updatePlayCounter = 0;
    Strings operations;
    CArray<CTrackRecord, CTrackRecord&>& JukeboxQueue() override { return queue; }
    void Push(CTrackRecord rec) { queue.Add(rec); }
    int UpdatePlayCounterSetting() override { return updatePlayCounter; }
    void RunQueueOperation(JukeboxQueueOperation operation, TXVTrackList& list) override
    {
        const int row = list.GetNextItem(-1, LVNI_SELECTED);
        operations.push_back(std::string(OperationName(operation)) + " " +
                             (row >= 0 ? std::string(list.GetItemText(row, AudioJukebox::kPathColumn)) : ""));
    }
    std::vector<std::string> Paths() const
    {
        Strings paths;
        for (int i = 0; i < queue.GetSize(); ++i)
            paths.push_back(queue[i].m_FileName.GetString());
        return paths;
    }
};

// The window with a recording player and a context menu that answers with
// a chosen command after noting its items.
class TestJukebox : public AudioJukebox
{
public:
    TestJukebox(AudioJukeboxHost* host, bool recording) : AudioJukebox(host), m_recording(recording) {}
    RecordingPlayer* Recorder() const { return static_cast<RecordingPlayer*>(GetPlayer()); }
    Strings TakeSent()
    {
        Strings sent;
        sent.swap(Recorder()->sent);
        return sent;
    }

    UINT menuAnswer = 0;
    Strings menuItems; // "caption" or "caption (grey)"
    std::string menuTitle;

protected:
    AudioJukeboxPlayer* CreatePlayer() override
    {
        return m_recording ? new RecordingPlayer() : AudioJukebox::CreatePlayer();
    }
    UINT RunContextMenu(CNewMenu& popup, POINT) override
    {
        menuTitle = PopupTitle(popup);
        menuItems = PopupItems(popup, false);
        return menuAnswer;
    }

private:
    bool m_recording;
};

struct NotedMessages : MessageDialog
{
    Strings texts;
    void ShowModal(const CString& text) override { texts.push_back(text.GetString()); }
};

// A 16-bit stereo 44.1 kHz WAVE file: a tone of that amplitude (0: silence).
std::string MakeWave(const std::string& path, double seconds, double frequency = 0, int amplitude = 0)
{
    const std::vector<int16_t> samples =
        amplitude ? Tone(frequency, seconds, amplitude, 44100, 2) : StereoSilence(seconds);
    EXPECT_TRUE(tavrix_test::WriteFileBytes(path, WaveFileBytes(samples)));
    return path;
}

// A queue record as the main window makes one from a file's tags.
CTrackRecord Record(const std::string& path)
{
    CTrackRecord rec;
    TAG_INFO tags;
    if (VIZU::GetTagInfo(path.c_str(), &tags))
        VIZU::CopyTagInfoToRecord(&rec, &tags);
    rec.m_FileName = path.c_str();
    return rec;
}

class AudioJukeboxTest : public ProgramFolderTest
{
protected:
    void SetUp() override { m_previousDialog = SetMessageDialog(&m_messages); }
    void TearDown() override { SetMessageDialog(m_previousDialog); }

    std::unique_ptr<TestJukebox> Open(bool recording = true)
    {
        auto jukebox = std::make_unique<TestJukebox>(&m_host, recording);
        EXPECT_TRUE(jukebox->CreateModeless());
        return jukebox;
    }
    void WriteSettings(const char* text)
    {
        ASSERT_TRUE(tavrix_test::WriteIniFile(m_dir.File("TavrixVJ.INI"), text));
    }
    // The rows as "title|artist|length|path|index|counter".
    static Strings Rows(TestJukebox& jukebox)
    {
        Strings rows;
        TXVTrackList& list = jukebox.GetList();
        for (int r = 0; r < list.GetItemCount(); ++r) {
            std::string row;
            for (int column : {0, 1, 5, 8, 9, 10})
                row += std::string(column ? "|" : "") + list.GetItemText(r, column).GetString();
            rows.push_back(row);
        }
        return rows;
    }
    static std::string Item(TestJukebox& jukebox, int id)
    {
        char text[300] = {};
        ::GetDlgItemTextA(jukebox.GetSafeHwnd(), id, text, sizeof text);
        return text;
    }
    static void Click(TestJukebox& jukebox, int id)
    {
        ::SendMessageA(jukebox.GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(jukebox.GetSafeHwnd(), id)));
    }
    static void Select(TestJukebox& jukebox, int row)
    {
        jukebox.GetList().SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    }
    static void RunMenu(TestJukebox& jukebox, UINT command)
    {
        jukebox.menuAnswer = command;
        ::SendMessageA(jukebox.GetSafeHwnd(), WM_CONTEXTMENU,
                       reinterpret_cast<WPARAM>(jukebox.GetList().GetSafeHwnd()), MAKELPARAM(10, 10));
    }
    static std::string Time(int seconds) { return VIZU::SecondsToString(seconds).GetString(); }

    tavrix_test::TempDir m_media;
    TestHost m_host;
    NotedMessages m_messages;
    MessageDialog* m_previousDialog = nullptr;
};

} // namespace

TEST_F(AudioJukeboxTest, OpensWithTheSettingsTheQueueAndThePlayer)
{
    const std::string one = MakeWave(m_media.File("one.wav"), 2);
    const std::string two = MakeWave(m_media.File("two.wav"), 3);
    CTrackRecord first = Record(one), second = Record(two);
    first.m_Title = "First";
    first.m_Artist = "Band";
    first.m_Index = 7;
    first.m_PlayCount = 4;
    m_host.queue.Add(first);
    m_host.queue.Add(second);
    WriteSettings("[AUDIOJUKEBOX]\r\nOutputDevice=2\r\nVolume=30\r\nPreloadSeconds=5\r\nFeedback=20\r\n");
    auto jukebox = Open();

    char caption[100] = {};
    ::GetWindowTextA(jukebox->GetSafeHwnd(), caption, sizeof caption);
    EXPECT_STREQ("Audio Jukebox", caption);
    EXPECT_FALSE(::IsWindowVisible(jukebox->GetSafeHwnd()));
    EXPECT_TRUE(::GetWindowLongA(jukebox->GetSafeHwnd(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
    // The index column stays empty; the counter column shows the play count.
    const std::string secondRow = std::string(second.m_Title) + "|" + std::string(second.m_Artist) + "|" + Time(3) +
                                  "|" + two + "||0";
    EXPECT_EQ((Strings{"First|Band|" + Time(2) + "|" + one + "||4", secondRow}), Rows(*jukebox));
    EXPECT_EQ("2 items -- Time: " + std::string(VIZU::GetTotalQueueTime(&jukebox->GetList())),
              Item(*jukebox, IDC_JB_STATUSLINE));
    EXPECT_EQ("Idle", Item(*jukebox, IDC_JB_STATUS));
    EXPECT_EQ(3, jukebox->GetList().GetListType());
    // Set up on device 2 at volume 30, with the feedback rate for ready.
    const Strings expected = {"set_output_name /dev/dsound/2", "output_modules_list", "get_output_name",
                              "output_module_add dk_dsound_output.dll", "set_output_levels 255 30 255"};
    EXPECT_EQ(expected, jukebox->TakeSent());
    EXPECT_EQ("Jukebox", std::string(jukebox->GetPlayer()->GetPlayerName()));
    EXPECT_EQ(20, jukebox->GetPlayer()->GetFeedbackRate());
    EXPECT_EQ(70, jukebox->GetVolumeSlider().GetPos());
    EXPECT_EQ(0, jukebox->GetLeftMeter().GetLevel());
    EXPECT_TRUE(jukebox->GetLeftMeter().IsReverse());
    EXPECT_FALSE(jukebox->GetRightMeter().IsReverse());
    EXPECT_FALSE(jukebox->GetRightMeter().IsVertical());
    // The preload seconds stay 0 until the window has been shown.
    EXPECT_EQ(0, jukebox->PreloadSeconds());
    jukebox->ShowWindow(SW_SHOW);
    EXPECT_EQ(5, jukebox->PreloadSeconds());
    jukebox->ShowWindow(SW_HIDE);
}

TEST_F(AudioJukeboxTest, NextLoadsTheFirstQueuedTrackAndTheButtonsDriveThePlayer)
{
    const std::string one = MakeWave(m_media.File("one.wav"), 4);
    const std::string two = MakeWave(m_media.File("two.wav"), 2);
    m_host.Push(Record(one));
    m_host.Push(Record(two));
    auto jukebox = Open();
    jukebox->TakeSent();

    // ">>" loads the first queued track: opened, ranges, texts, row gone.
    Click(*jukebox, IDC_JB_NEXT);
    EXPECT_EQ((Strings{"input_open " + one, "set_position_range 4"}), jukebox->TakeSent());
    EXPECT_EQ((Strings{two}), m_host.Paths());
    ASSERT_EQ(1, jukebox->GetList().GetItemCount());
    EXPECT_EQ(two, std::string(jukebox->GetList().GetItemText(0, AudioJukebox::kPathColumn)));
    EXPECT_EQ(4, jukebox->TrackLength());
    EXPECT_EQ(Time(0), Item(*jukebox, IDC_JB_TIME));
    EXPECT_EQ(4, jukebox->GetPositionSlider().GetPos());
    EXPECT_EQ(4, jukebox->GetPositionSlider().GetRangeMax());
    EXPECT_EQ("1 items -- Time: " + std::string(VIZU::GetTotalQueueTime(&jukebox->GetList())),
              Item(*jukebox, IDC_JB_STATUSLINE));

    // Play/Pause plays in every state but playing, where it pauses.
    Click(*jukebox, IDC_JB_PLAYPAUSE);
    EXPECT_EQ((Strings{"play"}), jukebox->TakeSent());
    jukebox->Recorder()->Notify(CM_PLAYER_STATE, 1);
    EXPECT_EQ("Playing", Item(*jukebox, IDC_JB_STATUS));
    Click(*jukebox, IDC_JB_PLAYPAUSE);
    EXPECT_EQ((Strings{"pause"}), jukebox->TakeSent());
    jukebox->Recorder()->Notify(CM_PLAYER_STATE, 2);
    EXPECT_EQ("Paused", Item(*jukebox, IDC_JB_STATUS));
    Click(*jukebox, IDC_JB_PLAYPAUSE);
    EXPECT_EQ((Strings{"play"}), jukebox->TakeSent());

    // A time code: the remaining time and the slider.
    jukebox->Recorder()->Notify(CM_TIMECODE, 0, 0, 1, 0);
    EXPECT_EQ(Time(3), Item(*jukebox, IDC_JB_TIME));
    EXPECT_EQ(1, jukebox->GetPositionSlider().GetPos());

    // The position slider seeks below the track's length, not at its end.
    jukebox->ShowWindow(SW_SHOW);
    jukebox->GetPositionSlider().SetPos(2);
    ::SendMessageA(jukebox->GetSafeHwnd(), WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 2),
                   reinterpret_cast<LPARAM>(jukebox->GetPositionSlider().GetSafeHwnd()));
    EXPECT_EQ((Strings{"seek 2 4"}), jukebox->TakeSent());
    jukebox->GetPositionSlider().SetPos(4);
    ::SendMessageA(jukebox->GetSafeHwnd(), WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 4),
                   reinterpret_cast<LPARAM>(jukebox->GetPositionSlider().GetSafeHwnd()));
    EXPECT_TRUE(jukebox->TakeSent().empty());

    // The volume slider's top is full volume.
    jukebox->GetVolumeSlider().SetPos(25);
    ::SendMessageA(jukebox->GetSafeHwnd(), WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 25),
                   reinterpret_cast<LPARAM>(jukebox->GetVolumeSlider().GetSafeHwnd()));
    EXPECT_EQ((Strings{"set_output_levels 255 75 255"}), jukebox->TakeSent());
    EXPECT_EQ(75, jukebox->GetVolume());

    // Stop: the player's stop and both meters at 0.
    jukebox->SetVULevels(40, 60);
    Click(*jukebox, IDC_JB_STOP);
    EXPECT_EQ((Strings{"stop"}), jukebox->TakeSent());
    EXPECT_EQ(0, jukebox->GetLeftMeter().GetLevel());
    EXPECT_EQ(0, jukebox->GetRightMeter().GetLevel());
    jukebox->Recorder()->Notify(CM_PLAYER_STATE, 0);
    EXPECT_EQ("Stopped", Item(*jukebox, IDC_JB_STATUS));
    EXPECT_EQ(Time(4), Item(*jukebox, IDC_JB_TIME));
    EXPECT_EQ(0, jukebox->GetProgress().GetPos());
    jukebox->ShowWindow(SW_HIDE);
}

TEST_F(AudioJukeboxTest, RecordsThatCannotPlayArePassedOver)
{
    const std::string good = MakeWave(m_media.File("good.wav"), 2);
    const std::string broken = m_media.File("broken.wav");
    ASSERT_TRUE(tavrix_test::WriteFileBytes(broken, "not a sound file at all"));
    CTrackRecord empty;
    m_host.queue.Add(empty);
    m_host.Push(Record(broken));
    m_host.Push(Record(good));
    m_host.Push(Record(good));
    auto jukebox = Open();
    jukebox->TakeSent();

    EXPECT_TRUE(jukebox->PlayNext());
    EXPECT_EQ((Strings{"input_open " + good, "set_position_range 2"}), jukebox->TakeSent());
    EXPECT_EQ((Strings{good}), m_host.Paths());
    EXPECT_EQ(1, jukebox->GetList().GetItemCount());
    // The end of a track plays the next; at the end of the queue the
    // player drains, stops and says so.
    jukebox->Recorder()->Notify(CM_PLAYER_STATE, 3);
    EXPECT_EQ((Strings{"input_open " + good, "set_position_range 2", "play"}), jukebox->TakeSent());
    EXPECT_EQ("Playing", Item(*jukebox, IDC_JB_STATUS));
    jukebox->Recorder()->Notify(CM_PLAYER_STATE, 3);
    EXPECT_EQ((Strings{"output_drain", "stop"}), jukebox->TakeSent());
    EXPECT_EQ("Stopped", Item(*jukebox, IDC_JB_STATUS));
    EXPECT_EQ(0, jukebox->GetList().GetItemCount());
    EXPECT_FALSE(jukebox->PlayNext());
    // Loading by path: false only for an empty path; unreadable tags open
    // nothing.
    EXPECT_FALSE(jukebox->LoadFile(""));
    EXPECT_TRUE(jukebox->LoadFile(broken.c_str()));
    EXPECT_TRUE(jukebox->TakeSent().empty());
}

TEST_F(AudioJukeboxTest, DoubleClickLoadsTheRowAndKeepsItQueued)
{
    const std::string one = MakeWave(m_media.File("one.wav"), 1);
    const std::string two = MakeWave(m_media.File("two.wav"), 3);
    m_host.Push(Record(one));
    m_host.Push(Record(two));
    auto jukebox = Open();
    jukebox->TakeSent();
    Select(*jukebox, 1);
    NMHDR header = {jukebox->GetList().GetSafeHwnd(), IDC_JB_QUEUE, static_cast<UINT>(NM_DBLCLK)};
    ::SendMessageA(jukebox->GetSafeHwnd(), WM_NOTIFY, IDC_JB_QUEUE, reinterpret_cast<LPARAM>(&header));
    EXPECT_EQ((Strings{"input_open " + two, "set_position_range 3"}), jukebox->TakeSent());
    EXPECT_EQ((Strings{one, two}), m_host.Paths());
    EXPECT_EQ(2, jukebox->GetList().GetItemCount());
}

TEST_F(AudioJukeboxTest, ContextMenuGreysAndRunsTheQueueOperations)
{
    auto jukebox = Open();
    RunMenu(*jukebox, 0);
    EXPECT_EQ("Audio Jukebox 64", jukebox->menuTitle);
    const Strings allGrey = {"Move Up (grey)", "Move Down (grey)", "Bring to Top (grey)", "Send to Bottom (grey)",
                             "Delete (grey)", "Shuffle List (grey)", "Empty List (grey)",
                             "Save as Playlist (grey)", "Change Font Size (grey)"};
    EXPECT_EQ(allGrey, jukebox->menuItems);

    const std::string one = MakeWave(m_media.File("one.wav"), 1);
    const std::string two = MakeWave(m_media.File("two.wav"), 1);
    m_host.Push(Record(one));
    m_host.Push(Record(two));
    jukebox->FillQueueList();
    RunMenu(*jukebox, 0);
    const Strings noRow = {"Move Up (grey)", "Move Down (grey)", "Bring to Top (grey)", "Send to Bottom (grey)",
                           "Delete (grey)", "Shuffle List", "Empty List", "Save as Playlist",
                           "Change Font Size (grey)"};
    EXPECT_EQ(noRow, jukebox->menuItems);
    Select(*jukebox, 1);
    struct Case
    {
        UINT id;
        const char* operation;
    };
    const Case cases[] = {{ID_QLIST_MOVEUP, "up"},        {ID_QLIST_MOVEDOWN, "down"},   {ID_QLIST_BRINGTOTOP, "top"},
                          {ID_QLIST_SENDTOBOTTOM, "bottom"}, {ID_QLIST_DELETE, "delete"}, {ID_QLIST_SHUFFLE, "shuffle"},
                          {ID_QLIST_EMPTY, "empty"},      {ID_QLIST_SAVEASPLAYLIST, "save"}};
    for (const Case& c : cases) {
        RunMenu(*jukebox, c.id);
        ASSERT_EQ(1u, m_host.operations.size()) << c.operation;
        EXPECT_EQ(std::string(c.operation) + " " + two, m_host.operations.back());
        m_host.operations.clear();
    }
    EXPECT_EQ("Move Up", jukebox->menuItems.front());
    // Change Font Size runs nothing; a right-click beside the list opens
    // no menu.
    RunMenu(*jukebox, ID_QLIST_CHANGEFONTSIZE);
    EXPECT_TRUE(m_host.operations.empty());
    jukebox->menuItems.clear();
    ::SendMessageA(jukebox->GetSafeHwnd(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(jukebox->GetSafeHwnd()),
                   MAKELPARAM(10, 10));
    EXPECT_TRUE(jukebox->menuItems.empty());
}

TEST_F(AudioJukeboxTest, DroppedFilesJoinTheQueueInOrder)
{
    const Strings files = {MakeWave(m_media.File("a.wav"), 1), MakeWave(m_media.File("b.wav"), 2),
                           MakeWave(m_media.File("c.wav"), 3)};
    auto jukebox = Open();
    RECT list = {};
    ::GetWindowRect(jukebox->GetList().GetSafeHwnd(), &list);
    ::MapWindowPoints(nullptr, jukebox->GetSafeHwnd(), reinterpret_cast<POINT*>(&list), 2);
    const POINT onList = {list.left + 5, list.top + 5};
    const POINT beside = {list.left + 5, list.bottom + 30};

    ::SendMessageA(jukebox->GetSafeHwnd(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeFileDrop(files, onList)), 0);
    EXPECT_EQ(files, m_host.Paths());
    ASSERT_EQ(3, jukebox->GetList().GetItemCount());
    for (int row = 0; row < 3; ++row)
        EXPECT_EQ(files[row], std::string(jukebox->GetList().GetItemText(row, AudioJukebox::kPathColumn)));
    EXPECT_EQ(2, m_host.queue[1].m_Length);
    // Beside the list: nothing.
    ::SendMessageA(jukebox->GetSafeHwnd(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeFileDrop({files[0]}, beside)), 0);
    EXPECT_EQ(3, m_host.queue.GetSize());
    // A missing file ends the drop with the notice; the file before it is queued.
    const Strings drop = {files[1], m_media.File("gone.wav"), files[2]};
    ::SendMessageA(jukebox->GetSafeHwnd(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeFileDrop(drop, onList)), 0);
    EXPECT_EQ((Strings{"Unable to load file - possibly moved or deleted!"}), m_messages.texts);
    EXPECT_EQ((Strings{files[0], files[1], files[2], files[1]}), m_host.Paths());
}

TEST_F(AudioJukeboxTest, DeviceBoxAndSettings)
{
    WriteSettings("[AUDIOJUKEBOX]\r\nOutputDevice=9\r\nVolume=40\r\n");
    auto jukebox = Open();
    jukebox->Recorder()->Notify(CM_OUTPUT_DEVICE_INFO, 3, 0, 0, "/dev/wave/0", "Primary");
    jukebox->Recorder()->Notify(CM_OUTPUT_DEVICE_INFO, 3, 4, 0, "/dev/dsound/4", "Null Output");
    jukebox->TakeSent();
    ASSERT_TRUE(tavrix_test::PumpUntil([&] { return jukebox->GetDeviceBox().GetCount() > 0; }, 5000));
    CComboBox& box = jukebox->GetDeviceBox();
    ASSERT_EQ(2, box.GetCount());
    box.SetCurSel(1);
    ::SendMessageA(jukebox->GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(IDC_JB_OUTPUTDEVICE, CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(box.GetSafeHwnd()));
    EXPECT_EQ((Strings{"set_output_name /dev/dsound/4"}), jukebox->TakeSent());
    EXPECT_EQ(4, jukebox->GetPlayer()->GetDeviceIndex());
    const CString ini = m_dir.File("TavrixVJ.INI").c_str();
    EXPECT_EQ(4u, ::GetPrivateProfileIntA("AUDIOJUKEBOX", "OutputDevice", -1, ini));

    // Hiding writes the settings; showing moves back to the position.
    ::SetWindowPos(jukebox->GetSafeHwnd(), nullptr, 123, 45, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    jukebox->ShowWindow(SW_SHOW);
    jukebox->ShowWindow(SW_HIDE);
    EXPECT_EQ(40u, ::GetPrivateProfileIntA("AUDIOJUKEBOX", "Volume", -1, ini));
    int32_t position[2] = {};
    ASSERT_TRUE(::GetPrivateProfileStructA("AUDIOJUKEBOX", "WindowPos", position, sizeof position, ini));
    ::SetWindowPos(jukebox->GetSafeHwnd(), nullptr, 300, 300, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    jukebox->ShowWindow(SW_SHOW);
    RECT rect = {};
    ::GetWindowRect(jukebox->GetSafeHwnd(), &rect);
    EXPECT_EQ(position[0], rect.left);
    EXPECT_EQ(position[1], rect.top);
    jukebox->ShowWindow(SW_HIDE);
}

TEST_F(AudioJukeboxTest, QueueProgressesThroughTheNullSink)
{
    if (!HasDirectSound())
        GTEST_SKIP() << "no DirectSound device (no sound server)";
    const std::string one = MakeWave(m_media.File("one.wav"), 2.2, 440, 16000);
    const std::string two = MakeWave(m_media.File("two.wav"), 2.2, 660, 16000);
    const std::string three = MakeWave(m_media.File("three.wav"), 2.2, 880, 16000);
    m_host.Push(Record(one));
    m_host.Push(Record(two));
    CTrackRecord empty;
    m_host.queue.Add(empty);
    m_host.Push(Record(three));
    WriteSettings("[AUDIOJUKEBOX]\r\nOutputDevice=0\r\nVolume=100\r\nFeedback=20\r\n");
    auto jukebox = Open(false);
    ASSERT_NE(nullptr, jukebox->GetPlayer()->Player());

    // The window's own controls: next loads, Play/Pause plays.
    Click(*jukebox, IDC_JB_NEXT);
    EXPECT_EQ(3, jukebox->GetList().GetItemCount());
    Click(*jukebox, IDC_JB_PLAYPAUSE);
    std::vector<std::string> titles;
    int peak = 0;
    const bool ended = tavrix_test::PumpUntil(
        [&] {
            peak = std::max(peak, std::max(jukebox->GetLeftMeter().GetLevel(), jukebox->GetRightMeter().GetLevel()));
            const std::string path = jukebox->GetTags().Path.GetString();
            if (titles.empty() || titles.back() != path)
                titles.push_back(path);
            return titles.size() > 1 && Item(*jukebox, IDC_JB_STATUS) == "Stopped";
        },
        30000);
    ASSERT_TRUE(ended) << "the queue never reached its end";
    EXPECT_EQ((Strings{one, two, three}), titles);
    EXPECT_EQ(0, m_host.queue.GetSize());
    EXPECT_EQ(0, jukebox->GetList().GetItemCount());
    EXPECT_EQ("0 items -- Time: " + std::string(VIZU::GetTotalQueueTime(&jukebox->GetList())),
              Item(*jukebox, IDC_JB_STATUSLINE));
    EXPECT_TRUE(tavrix_test::PumpUntil([&] { return jukebox->GetPlayer()->GetState() == DECK_STATE_STOPPED; }, 5000));
    // The meters followed the sound (16000 of 32767 is level 62).
    EXPECT_GE(peak, 55);
    EXPECT_LE(peak, 63);
    EXPECT_EQ(0, jukebox->GetLeftMeter().GetLevel());
}
